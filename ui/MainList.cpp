// The password list's own handling: a double-click selects a whole line, the context menu copies
// the line's password in one action, and every copy or cut from the list goes the program's way.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <utility>

#include "framework/ErrorReport.h"
#include "framework/core/Wipe.h"
#include "ui/Main.h"

namespace {

constexpr UINT_PTR kListSubclass = 0x4C495354;

// The context menu: "Copy password", then the edit control's own commands.
enum : UINT { kCopyPassword = 1, kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll };

// Ctrl+Insert, Shift+Delete and the control characters of Ctrl+C and Ctrl+X would reach the edit
// control's own copy and cut, which never send it WM_COPY or WM_CUT: they are turned into those.
UINT ClipboardMessageFor(UINT msg, WPARAM key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  if (msg == WM_KEYDOWN && key == VK_INSERT && ctrl && !shift) return WM_COPY;
  if (msg == WM_KEYDOWN && key == VK_DELETE && shift && !ctrl) return WM_CUT;
  if (msg == WM_CHAR && key == 0x03) return WM_COPY;
  if (msg == WM_CHAR && key == 0x18) return WM_CUT;
  return 0;
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR ref) {
  auto* form = reinterpret_cast<TSDIAppForm*>(ref);
  switch (msg) {
    case WM_LBUTTONDBLCLK: {
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      Guard([&] { form->Memo1DblClick(p); });
      return 0;
    }
    case WM_CONTEXTMENU: Guard([&] { form->Memo1ContextPopup(lParam); }); return 0;
    case WM_COPY:
    case WM_CUT: Guard([&] { form->Memo1Copy(msg == WM_CUT); }); return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (const UINT clipboard = ClipboardMessageFor(msg, wParam))
        return SendMessageA(hwnd, clipboard, 0, 0);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The start and end of the line that holds position `at`, its CR LF left out.
std::pair<size_t, size_t> LineAround(const std::string& text, size_t at) {
  const size_t lineFeed = at ? text.rfind('\n', at - 1) : std::string::npos;
  const size_t end = text.find_first_of("\r\n", at);
  return {lineFeed == std::string::npos ? 0 : lineFeed + 1,
          end == std::string::npos ? text.size() : end};
}

// The start and end of the line of the list's `text` shown at a point of its client area.
std::pair<size_t, size_t> LineAt(HWND list, POINT client, const std::string& text) {
  const LRESULT found = SendMessageA(list, EM_CHARFROMPOS, 0, MAKELPARAM(client.x, client.y));
  // The answer holds the shown line's number in 16 bits only; the lines in view lie within 65536
  // lines of the first one in view.
  const auto first = static_cast<WPARAM>(SendMessageA(list, EM_GETFIRSTVISIBLELINE, 0, 0));
  const WPARAM line = first + static_cast<WORD>(HIWORD(found) - first);
  const LRESULT start = SendMessageA(list, EM_LINEINDEX, line, 0);
  return LineAround(text, start < 0 ? text.size() : static_cast<size_t>(start));
}

}  // namespace

void TSDIAppForm::SubclassList() {
  SetWindowSubclass(Memo1.Handle, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
}

void TSDIAppForm::Memo1DblClick(POINT client) {
  // The edit control's own double-click would select a word, and stop at a dash or a symbol.
  const auto [start, end] = LineAt(Memo1.Handle, client, WipedText(Memo1.Text()).Get());
  SendMessageA(Memo1.Handle, EM_SETSEL, start, end);
}

void TSDIAppForm::Memo1ContextPopup(LPARAM screenPoint) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  POINT client = at;
  if (screenPoint == -1) {  // from the keyboard: the caret's line, the menu at the caret
    GetCaretPos(&client);
    at = client;
    ClientToScreen(Memo1.Handle, &at);
  } else {
    ScreenToClient(Memo1.Handle, &client);
  }
  const WipedText text(Memo1.Text());
  const auto [lineStart, lineEnd] = LineAt(Memo1.Handle, client, text.Get());
  DWORD start = 0, end = 0;
  SendMessageA(Memo1.Handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const bool selection = start != end, all = start == 0 && end == text.Get().size();
  const auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
  const HMENU menu = CreatePopupMenu();
  const ScopeGuard destroy([menu] { DestroyMenu(menu); });
  AppendMenuA(menu, state(lineEnd > lineStart), kCopyPassword, "Copy &password");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, state(SendMessageA(Memo1.Handle, EM_CANUNDO, 0, 0)), kUndo, "&Undo");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, state(selection), kCut, "Cu&t");
  AppendMenuA(menu, state(selection), kCopy, "&Copy");
  AppendMenuA(menu, state(IsClipboardFormatAvailable(CF_TEXT)), kPaste, "&Paste");
  AppendMenuA(menu, state(selection), kDelete, "&Delete");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, state(!text.Get().empty() && !all), kSelectAll, "Select &All");
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, Memo1.Handle, nullptr));
  const HWND list = Memo1.Handle;
  switch (command) {
    case kCopyPassword:
      CopyToClipboard(WipedText(text.Get().substr(lineStart, lineEnd - lineStart)).Get());
      break;
    case kUndo: SendMessageA(list, WM_UNDO, 0, 0); break;
    case kCut: SendMessageA(list, WM_CUT, 0, 0); break;
    case kCopy: SendMessageA(list, WM_COPY, 0, 0); break;
    case kPaste: SendMessageA(list, WM_PASTE, 0, 0); break;
    case kDelete: SendMessageA(list, WM_CLEAR, 0, 0); break;
    case kSelectAll: SendMessageA(list, EM_SETSEL, 0, -1); break;
  }
}

void TSDIAppForm::Memo1Copy(bool cut) {
  DWORD start = 0, end = 0;
  SendMessageA(Memo1.Handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start >= end) return;
  const WipedText text(Memo1.Text());
  // A cut leaves the text nowhere else, so it is placed on the clipboard at once.
  CopyToClipboard(WipedText(text.Get().substr(start, end - start)).Get(), cut);
  if (cut) SendMessageA(Memo1.Handle, WM_CLEAR, 0, 0);
}
