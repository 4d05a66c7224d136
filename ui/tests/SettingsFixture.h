// A main window started and closed as the program does it, against the real settings file of the
// test prefix, which each test sets up from scratch.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/WideText.h"
#include "shell/ShellFolders.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/Files.h"
#include "ui/Main.h"
#include "ui/Settings.h"
#include "ui/tests/MainWindowFixture.h"

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = SettingsFolderPath();
    path = SettingsFilePath();
    Clean();
  }
  void TearDown() override {
    Stop();
    Clean();
  }
  void Clean() {
    DeleteFileA(path.c_str());
    RemoveDirectoryA(path.c_str());
  }

  // Creates the main window as the program's start does: FormCreate fixes the folder and loads.
  void Start() { form = StartMainWindow(); }
  // Asks the window to close; true when it did.
  bool Close() {
    form->Close();
    return !IsWindow(form->Handle);
  }
  void Stop() { StopMainWindow(form); }
  // Closes this run and starts the next one.
  void Restart() {
    ASSERT_TRUE(Close());
    Stop();
    Start();
  }

  void PutFile(const std::string& text) {
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(path, text);
  }
  std::string FileText() const { return FileBytes(path); }
  // The stored value of a key, read the way the program reads it.
  std::string Stored(const char* section, const char* key) const {
    char buffer[2048];
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, path.c_str());
    return buffer;
  }

  std::string folder, path;
  std::unique_ptr<TSDIAppForm> form;
};
