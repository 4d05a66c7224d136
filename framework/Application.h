// The application object: message loop, idle updates, the forms' hooks into the loop.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// Set by the start-up tasks when the process is to end without creating a window.
extern bool TerminateRequested;

class TApplication {
 public:
  // A form's part in the message loop, registered while its window lives: Idle runs while no
  // message waits and the window is visible; PreTranslate sees each message before it is
  // dispatched and returns true when it handled it.
  struct FormHooks {
    HWND Window = nullptr;
    std::function<void()> Idle;
    std::function<bool(MSG&)> PreTranslate;
  };

  // Common controls, the application icon (resource "MAINICON").
  void Initialize();
  // How the main window first shows for the launcher's request: maximised, or minimised without
  // activation, only when asked; normally for any other request.
  static int MainShowCommand(int launcherShowCommand);
  // Dispatches messages until Terminate; nothing without a main window.
  void Run();
  // Handles one message, or runs the idle updates when they are due and waits when there is none;
  // false on WM_QUIT.
  bool HandleOneMessage();
  // Marks the idle updates due for `message`, sent to a form: every message but the questions
  // other programs ask (a window's text, its accessibility object, a ping), which change nothing.
  // A posted message always makes them due.
  void NoteFormMessage(UINT message);
  // Ends the message loop (posts the quit message).
  void Terminate();
  void AddForm(FormHooks hooks);
  void RemoveForm(HWND window);  // nothing when the window has no hooks

  HWND MainWindow = nullptr;  // closing it ends the program
  std::vector<FormHooks> Forms;
  HICON Icon = nullptr;
  bool Terminated = false;
  // The idle updates read every option control: they run once after something may have changed,
  // not after each question another process sends to a control while the window is idle.
  bool IdleDue = true;
};

extern TApplication Application;
