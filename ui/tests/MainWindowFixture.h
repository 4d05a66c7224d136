// A main window created in-process, as the program creates it, for driving by messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Application.h"
#include "tests/support/BoxWatcher.h"
#include "ui/Main.h"

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override {
    // Every test starts as a first run: no settings file.
    char ini[MAX_PATH] = {};
    ExpandEnvironmentStringsA("%APPDATA%\\Quorvel\\quorvel.ini", ini, MAX_PATH);
    DeleteFileA(ini);
    form = std::make_unique<TSDIAppForm>();
    SDIAppForm = form.get();
    Application.MainForm = form.get();
    form->Create();
    form->Show();
  }
  void TearDown() override {
    Application.Forms.clear();
    Application.MainForm = nullptr;
    SDIAppForm = nullptr;
    form.reset();
    // A closed main window ends the loop; the next test starts afresh.
    Application.Terminated = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  static void Click(TControl& button) { SendMessageA(button.Handle, BM_CLICK, 0, 0); }
  std::string List() const { return form->Memo1.Text(); }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!form->PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  std::unique_ptr<TSDIAppForm> form;
};
