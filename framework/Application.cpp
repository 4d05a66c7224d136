// The application object: default error reporting and the message loop.
#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

bool TerminateRequested = false;
TApplication Application;

void TApplication::ShowException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  ShowMessageBox(ErrorBoxText(e.what()), ApplicationTitle(), MsgIcon::Stop, MsgButtons::Ok);
}

bool TApplication::Guard(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

void TApplication::Terminate() {
  Terminated = true;
  PostQuitMessage(0);
}

void ShowLastChanceError(const std::string& message) {
  ShowMessageBox(message, "Application Error", MsgIcon::Stop, MsgButtons::Ok);
}
