// The application object: message loop, default error handling, idle updates and hints.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

// Set by the start-up tasks when the process is to end without creating a window.
extern bool TerminateRequested;

class TForm;

class TApplication {
public:
  // Shows an exception as the default error box does (nothing for EAbort).
  static void ShowException(const std::exception& e);
  // Runs a handler, showing whatever it throws; returns false when it threw.
  static bool Guard(const std::function<void()>& handler);
  // Ends the message loop (posts the quit message).
  void Terminate();
  // Runs the message loop until Terminate; handles dialog keys and accelerators of the main form.
  void Run();
  // Calls an idle handler of each form when the queue is empty.
  void ProcessMessages();

  TForm* MainForm = nullptr;
  HICON Icon = nullptr;
  bool Terminated = false;
};

extern TApplication Application;

// The last-chance report for an error that escapes the start-up: a box captioned
// "Application Error" with the error's text. The caller then ends the process with exit code 1.
void ShowLastChanceError(const std::string& message);
