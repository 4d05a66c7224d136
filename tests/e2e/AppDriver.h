// Drives the real Tallowmere.exe from outside, as a user would: start it, find its windows and
// controls by class and caption, click, type, read back, close.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/WindowSearch.h"

// The program under test (Wine path of the built executable).
std::string TallowmereExe();

// A whole command line, passed to the new process as it stands (program path included).
struct CommandLine {
  std::string text;
};

class AppDriver {
 public:
  // Starts the executable with the given command-line arguments; does not wait for a window.
  explicit AppDriver(const std::string& arguments = "", const std::string& exe = TallowmereExe());
  explicit AppDriver(const CommandLine& commandLine);
  // Starts an executable whose path the ANSI code page may not spell, with these arguments.
  AppDriver(const std::wstring& exe, const std::wstring& arguments);
  ~AppDriver();
  // Waits for the visible top-level window of the process with this class (and caption when
  // given); nullptr after the timeout.
  HWND WaitForWindow(const char* className, const char* caption = nullptr, DWORD timeoutMs = 15000);
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on timeout.
  DWORD WaitForExit(DWORD timeoutMs = 15000);
  bool Running() const;
  // Ends the process at once, as a task manager or the end of a session does.
  void Kill() { TerminateProcess(info_.hProcess, 99), WaitForSingleObject(info_.hProcess, 5000); }
  DWORD ProcessId() const { return info_.dwProcessId; }

 private:
  void Start(const char* exe, std::string commandLine);
  PROCESS_INFORMATION info_{};
};

// The password list: the only multi-line edit that is a direct child of the main window.
HWND PasswordList(HWND main);
void ClickButton(HWND button);
bool IsChecked(HWND button);
// Chooses a menu command of the window by its command id.
void PostCommand(HWND window, UINT id);
// Presses the keys in order and lets them go in reverse, as typed; the window is brought to front.
void PressKeys(HWND window, std::initializer_list<WORD> keys);
// Presses Ctrl plus a letter in the window, as typed on the keyboard: the window is brought to
// front.
void PressCtrl(HWND window, char letter);

// Waits for the process's next message box, reads it and presses `button`; the caption is
// "(no box)" when none came. Sets `sawWindow` when the process showed any other top-level window
// meanwhile.
SeenBox Answer(AppDriver& app, int button, bool& sawWindow);
