// The application object: default error reporting and the message loop.
#include "framework/Application.h"

#include <commctrl.h>

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Text.h"

bool TerminateRequested = false;
TApplication Application;

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  Icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0,
                                       LR_DEFAULTSIZE | LR_SHARED));
}

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

bool TApplication::HandleOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    for (TForm* form : Forms)
      if (IsWindowVisible(form->Handle)) form->IdleUpdate();
    WaitMessage();
    return true;
  }
  if (msg.message == WM_QUIT) {
    Terminated = true;
    PostQuitMessage(static_cast<int>(msg.wParam));  // an enclosing loop ends too
    return false;
  }
  for (TForm* form : Forms)
    if (form->PreTranslate(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::Run(int launcherShowCommand) {
  if (!MainForm) return;
  // Maximised or minimised only when the launcher asked for it; any other request shows it
  // normally.
  int showCommand = SW_SHOWNORMAL;
  if (launcherShowCommand == SW_SHOWMAXIMIZED || launcherShowCommand == SW_SHOWMINNOACTIVE)
    showCommand = launcherShowCommand;
  MainForm->Show(showCommand);
  while (!Terminated && HandleOneMessage()) {
  }
}

void TApplication::Terminate() {
  Terminated = true;
  PostQuitMessage(0);
}

void ShowLastChanceError(const std::string& message) {
  ShowMessageBox(message, "Application Error", MsgIcon::Stop, MsgButtons::Ok);
}
