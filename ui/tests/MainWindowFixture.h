// A main window created in-process, as the program creates it, for driving by messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>

#include <memory>
#include <string>

#include "framework/Application.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/Files.h"
#include "ui/Main.h"

// Creates the main window as the program's start does (FormCreate fixes the settings folder and
// loads the settings), and takes it down again without the close handling.
inline std::unique_ptr<TSDIAppForm> StartMainWindow() {
  auto form = std::make_unique<TSDIAppForm>();
  form->Create();
  Application.MainWindow = form->Handle;
  return form;
}

inline void StopMainWindow(std::unique_ptr<TSDIAppForm>& form) {
  form.reset();
  // A closed main window ends the loop; the next run starts afresh.
  Application.Terminated = false;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// Notes whether the wait cursor was on each time a window got a message while it was watched.
class CursorWatch {
 public:
  explicit CursorWatch(HWND window) : window_(window) {
    SetWindowSubclass(window_, Proc, 0x77, reinterpret_cast<DWORD_PTR>(this));
  }
  ~CursorWatch() { RemoveWindowSubclass(window_, Proc, 0x77); }
  // True when the message came and the wait cursor was on every time; false when it never came.
  bool WaitedAt(UINT message) const {
    const auto at = seen_.find(message);
    return at != seen_.end() && at->second;
  }
  bool Came(UINT message) const { return seen_.count(message) != 0; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
    auto& seen = reinterpret_cast<CursorWatch*>(self)->seen_;
    const bool wait = GetCursor() == LoadCursor(nullptr, IDC_WAIT);
    seen[msg] = (seen.count(msg) ? seen[msg] : true) && wait;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  HWND window_;
  std::map<UINT, bool> seen_;
};

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every test starts as a first run: no settings file.
    DeleteFileA(SettingsFilePath().c_str());
    form = StartMainWindow();
    form->Show();
  }
  void TearDown() override { StopMainWindow(form); }
  static void Click(TControl& button) { SendMessageA(button.Handle, BM_CLICK, 0, 0); }
  std::string List() const { return form->Memo1.Text(); }
  // What the status bar shows: in simple mode, its one text, asked for as part 0 (Wine answers
  // nothing for SB_SIMPLEID).
  std::string Status() const {
    const HWND bar = form->StatusBar.Handle;
    std::string text(LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0)) + 1, '\0');
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(&text[0]));
    return text.c_str();
  }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!form->PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  // A key pressed and let go where the keyboard focus is, through the window's own key handling.
  void Press(UINT key, bool shift = false, bool ctrl = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  std::unique_ptr<TSDIAppForm> form;
};
