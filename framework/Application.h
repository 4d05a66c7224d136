// The application object: message loop, default error handling, idle updates.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

// Set by the start-up tasks when the process is to end without creating a window.
extern bool TerminateRequested;

class TForm;

class TApplication {
 public:
  // Common controls, the application icon (resource "MAINICON").
  void Initialize();
  // Shows an exception as the default error box does (nothing for EAbort).
  static void ShowException(const std::exception& e);
  // Runs a handler, showing whatever it throws; returns false when it threw.
  static bool Guard(const std::function<void()>& handler);
  // Shows the main form as the launcher asked (maximised, minimised without activation, or
  // normally) and dispatches messages until Terminate.
  void Run(int launcherShowCommand);
  // Handles one message, or runs the idle updates and waits when there is none; false on WM_QUIT.
  bool HandleOneMessage();
  // Ends the message loop (posts the quit message).
  void Terminate();

  TForm* MainForm = nullptr;
  std::vector<TForm*> Forms;
  HICON Icon = nullptr;
  bool Terminated = false;
};

extern TApplication Application;

// The last-chance report for an error that escapes the start-up: a box captioned
// "Application Error" with the error's text. The caller then ends the process with exit code 1.
void ShowLastChanceError(const std::string& message);
