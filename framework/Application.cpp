// The application object: the message loop and the forms' hooks into it.
#include "framework/Application.h"
#include "framework/StartupPhases.h"

#include <commctrl.h>

#include <algorithm>

bool TerminateRequested = false;
TApplication Application;
StartupPhaseSink StartupPhaseListener = nullptr;

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  Icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0,
                                       LR_DEFAULTSIZE | LR_SHARED));
}

int TApplication::MainShowCommand(int launcherShowCommand) {
  if (launcherShowCommand == SW_SHOWMAXIMIZED || launcherShowCommand == SW_SHOWMINNOACTIVE)
    return launcherShowCommand;
  return SW_SHOWNORMAL;
}

bool TApplication::HandleOneMessage() {
  // A hook may open or close a form, so each runs from a copy and the list is re-read by index.
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // Messages sent from other threads were handled inside PeekMessage and marked what they did.
    for (size_t i = 0; IdleDue && i < Forms.size(); ++i) {
      if (!IsWindowVisible(Forms[i].Window)) continue;
      const auto idle = Forms[i].Idle;
      idle();
    }
    IdleDue = false;
    WaitMessage();
    return true;
  }
  if (msg.message == WM_QUIT) {
    Terminated = true;
    PostQuitMessage(static_cast<int>(msg.wParam));  // an enclosing loop ends too
    return false;
  }
  bool handled = false;
  for (size_t i = 0; i < Forms.size() && !handled; ++i) {
    const auto preTranslate = Forms[i].PreTranslate;
    handled = preTranslate(msg);
  }
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // Marked once it is handled: a box it opened ran idle updates of its own before it closed.
  IdleDue = true;
  return true;
}

void TApplication::Run() {
  if (!MainWindow) return;
  while (!Terminated && HandleOneMessage()) {
  }
}

void TApplication::NoteFormMessage(UINT message) {
  switch (message) {
    case WM_NULL:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETOBJECT: return;
  }
  IdleDue = true;
}

void TApplication::Terminate() {
  Terminated = true;
  PostQuitMessage(0);
}

void TApplication::AddForm(FormHooks hooks) { Forms.push_back(std::move(hooks)); }

void TApplication::RemoveForm(HWND window) {
  Forms.erase(std::remove_if(Forms.begin(), Forms.end(),
                             [window](const FormHooks& f) { return f.Window == window; }),
              Forms.end());
}
