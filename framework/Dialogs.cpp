// Message boxes on top of MessageBoxA (MessageBoxW for texts that name files); a CBT hook centres
// each on the screen of the window it belongs to and renames buttons where the system has no
// fitting pair (Retry/Ignore).
#include "framework/Dialogs.h"

#include <windows.h>

#include "framework/ExecutablePath.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"

namespace {

thread_local HHOOK boxHook = nullptr;
thread_local MsgButtons boxButtons = MsgButtons::Ok;

// The system has no Retry/Ignore box: its Abort/Retry/Ignore box with Abort hidden and the other
// two moved to the middle. Without a cancel button, Esc and the close box do nothing.
void KeepRetryAndIgnore(HWND box) {
  HWND abort = GetDlgItem(box, IDABORT), retry = GetDlgItem(box, IDRETRY),
       ignore = GetDlgItem(box, IDIGNORE);
  RECT a, r;
  GetWindowRect(abort, &a);
  GetWindowRect(retry, &r);
  const int shift = (r.left - a.left) / 2;
  ShowWindow(abort, SW_HIDE);
  for (HWND button : {retry, ignore}) {
    RECT b;
    GetWindowRect(button, &b);
    MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&b), 2);
    SetWindowPos(button, nullptr, b.left - shift, b.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  // Retry takes the focus and the default once the box is active, so Enter retries.
  PostMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(retry), TRUE);
}

LRESULT CALLBACK CenterBoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    CenterOnScreen(box);
    if (boxButtons == MsgButtons::YesNo) {
      SetDlgItemTextA(box, IDOK, "&Yes");
      SetDlgItemTextA(box, IDCANCEL, "&No");
    }
    if (boxButtons == MsgButtons::RetryIgnore) KeepRetryAndIgnore(box);
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void CenterOnScreen(HWND window) {
  // The screen of the window it belongs to: a box asked from a window on the second monitor
  // shows there.
  HWND owner = GetWindow(window, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& screen = monitor.rcMonitor;
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(window, nullptr, (screen.left + screen.right - w) / 2,
               (screen.top + screen.bottom - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ApplicationTitle() { return TitleFromExePath(ExecutableDisplayPath()); }

namespace {

UINT BoxStyle(MsgIcon icon, MsgButtons buttons) {
  UINT style = MB_TASKMODAL | MB_SETFOREGROUND;
  switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Question: style |= MB_ICONQUESTION; break;
    case MsgIcon::Warning: style |= MB_ICONWARNING; break;
    case MsgIcon::Stop: style |= MB_ICONSTOP; break;
  }
  switch (buttons) {
    case MsgButtons::Ok: style |= MB_OK; break;
    // The system's Yes/No box ignores Esc; OK/Cancel renamed gives Yes as default and Esc as No.
    case MsgButtons::YesNo: style |= MB_OKCANCEL | MB_DEFBUTTON1; break;
    case MsgButtons::RetryIgnore: style |= MB_ABORTRETRYIGNORE | MB_DEFBUTTON2; break;
  }
  return style;
}

// Shows the box through show(owner, style), centred and with its buttons renamed by the hook.
template <class ShowBox>
MsgResult RunBox(MsgIcon icon, MsgButtons buttons, ShowBox show) {
  boxButtons = buttons;
  boxHook = SetWindowsHookExA(WH_CBT, CenterBoxHook, nullptr, GetCurrentThreadId());
  // Owned by the active window of this thread, if any, so that window is disabled meanwhile.
  const int answer = show(GetActiveWindow(), BoxStyle(icon, buttons));
  if (boxHook) {
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::YesNo: return answer == IDOK ? MsgResult::Yes : MsgResult::No;
    case MsgButtons::RetryIgnore: return answer == IDIGNORE ? MsgResult::Ignore : MsgResult::Retry;
  }
  return MsgResult::Ok;
}

}  // namespace

MsgResult ShowMessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) {
  return RunBox(icon, buttons, [&](HWND owner, UINT style) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
  });
}

MsgResult ShowMessageBox(const std::wstring& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) {
  const std::wstring wideCaption = AnsiToWide(caption);
  return RunBox(icon, buttons, [&](HWND owner, UINT style) {
    return MessageBoxW(owner, text.c_str(), wideCaption.c_str(), style);
  });
}

void ShowMessage(const std::string& text) {
  ShowMessageBox(text, ApplicationTitle(), MsgIcon::None, MsgButtons::Ok);
}
