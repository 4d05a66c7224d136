// The standard controls: creation from a table row, text, check state, colours, spinners.
#include "framework/Controls.h"

#include <commctrl.h>
#include <richedit.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/SystemError.h"

namespace {

const char* const kControlProp = "Tallowmere.Control";

// Containers pass the notifications of their children on to the form and paint their colour.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR ref) {
  auto* self = reinterpret_cast<TControl*>(ref);
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM: return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      auto* child = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
      // Push buttons keep the system's look; everything else shows the container's colour.
      if (msg == WM_CTLCOLORBTN && child && child->Kind == ControlKind::Button) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, ColorToRGB(self->EffectiveColor()));
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      if (child && child->Kind == ControlKind::Label && child->Color != clNone)
        SetTextColor(dc, ColorToRGB(child->Color));
      return reinterpret_cast<LRESULT>(self->BackgroundBrush());
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, self->BackgroundBrush());
      if (self->Kind == ControlKind::GroupBox) break;  // the frame and caption come on top
      return 1;
    }
    case WM_PRINTCLIENT:
      if (self->Kind == ControlKind::Panel) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, self->BackgroundBrush());
        return 0;
      }
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Multi-line fields keep Enter for a new line but leave Tab and Shift+Tab to the keyboard
// navigation, and Esc too: the system's multi-line edit would otherwise close its parent window on
// Esc. Tabbing in keeps the caret where it was instead of selecting the whole text, so a key typed
// next cannot replace a whole list.
LRESULT CALLBACK MemoKeysProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (msg == WM_GETDLGCODE) {
    LRESULT code = DefSubclassProc(hwnd, msg, wParam, lParam) & ~(DLGC_WANTTAB | DLGC_HASSETSEL);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
      code &= ~DLGC_WANTALLKEYS;
    return code;
  }
  if ((msg == WM_KEYDOWN && wParam == VK_ESCAPE) || (msg == WM_CHAR && wParam == '\t')) return 0;
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PanelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* PanelClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PanelWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TPanel";
    RegisterWindowClass(wc);
    registered = true;
  }
  return "TPanel";
}

// The kind of the control created last in a parent, if it is one of ours.
std::optional<ControlKind> LastChildKind(HWND parent) {
  HWND first = GetWindow(parent, GW_CHILD);
  TControl* last = first ? TControl::FromHandle(GetWindow(first, GW_HWNDLAST)) : nullptr;
  if (!last) return std::nullopt;
  return last->Kind;
}

const char* RichEditClass() {
  static bool loaded = LoadLibraryA("riched20.dll") != nullptr;
  return loaded ? RICHEDIT_CLASSA : "EDIT";
}

}  // namespace

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000) == 0xFF000000) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

TControl* TControl::FromHandle(HWND handle) {
  return handle ? static_cast<TControl*>(GetPropA(handle, kControlProp)) : nullptr;
}

std::string TControl::Text() const {
  const int length = GetWindowTextLengthA(Handle);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(Handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void TControl::SetText(const std::string& text) { SetWindowTextA(Handle, text.c_str()); }

bool TControl::Checked() const { return SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TControl::SetChecked(bool checked) {
  if (checked && Kind == ControlKind::RadioButton) {
    for (HWND sibling = GetWindow(GetParent(Handle), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      TControl* other = FromHandle(sibling);
      if (other && other != this && other->Kind == ControlKind::RadioButton)
        SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(Handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TControl::SetFocus() { ::SetFocus(Handle); }

void TControl::SetBounds(int left, int top, int width, int height) {
  MoveWindow(Handle, left, top, width, height, TRUE);
}

RECT TControl::BoundsRect() const {
  RECT r;
  GetWindowRect(Handle, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TColor TControl::EffectiveColor() const {
  for (const TControl* c = this; c; c = c->Parent)
    if (c->Color != clNone) return c->Color;
  return clBtnFace;
}

HBRUSH TControl::BackgroundBrush() {
  const TColor color = EffectiveColor();
  if (!brush_.Get() || brushColor_ != color) {
    brush_.Reset(CreateSolidBrush(ColorToRGB(color)));
    brushColor_ = color;
  }
  return brush_.Get();
}

void TControl::SetColor(TColor color) {
  Color = color;
  RedrawWindow(Handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

int TUpDown::Position() {
  BOOL error = FALSE;
  const int read =
      static_cast<int>(SendMessageA(Handle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
  if (!error) position_ = read;
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = position;
  if (position >= Min && position <= Max) {
    SendMessageA(Handle, UDM_SETPOS32, 0, position);
  } else if (Associate) {
    // Out of range: the control would clamp it, so the edit field shows the value as it is.
    Associate->SetText(std::to_string(position));
  }
}

void CreateControl(ControlDef& def, HWND parentHandle, HFONT font, int id) {
  const char* cls = "BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  switch (def.kind) {
    case ControlKind::Panel:
      cls = PanelClass();
      style |= WS_CLIPSIBLINGS | WS_GROUP;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ControlKind::GroupBox:
      style |= BS_GROUPBOX | WS_GROUP;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ControlKind::CheckBox:
      // Check boxes side by side form one group, in which the arrow keys move.
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      if (LastChildKind(parentHandle) != ControlKind::CheckBox) style |= WS_GROUP;
      break;
    case ControlKind::RadioButton: {
      style |= BS_AUTORADIOBUTTON;
      // The first radio button of a container starts its group; the checked one is its tab stop
      // (checking a radio button moves the tab stop to it).
      bool first = true;
      for (HWND w = GetWindow(parentHandle, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        TControl* other = TControl::FromHandle(w);
        if (other && other->Kind == ControlKind::RadioButton) first = false;
      }
      if (first) style |= WS_GROUP | WS_TABSTOP;
      break;
    }
    case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP; break;
    case ControlKind::Edit:
      cls = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::UpDown:
      cls = UPDOWN_CLASSA;
      style |= UDS_SETBUDDYINT | UDS_ARROWKEYS;
      break;
    case ControlKind::Memo:
      cls = "EDIT";
      style |= WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::RichEdit:
      cls = RichEditClass();
      style = WS_CHILD | ES_MULTILINE;  // a print buffer: never shown
      break;
    case ControlKind::Label:
      cls = "STATIC";
      style |= SS_NOTIFY;
      break;
  }
  style |= def.extraStyle;
  TControl& c = *def.control;
  c.Kind = def.kind;
  c.Parent = def.parent;
  c.Handle = CreateWindowExA(exStyle, cls, def.caption ? def.caption : "", style, def.left, def.top,
                             def.width, def.height, parentHandle,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
  if (!c.Handle) RaiseLastOSError();
  SetPropA(c.Handle, kControlProp, &c);
  SendMessageA(c.Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (def.kind == ControlKind::Panel || def.kind == ControlKind::GroupBox)
    SetWindowSubclass(c.Handle, ContainerProc, 1, reinterpret_cast<DWORD_PTR>(&c));
  if (def.kind == ControlKind::Memo) SetWindowSubclass(c.Handle, MemoKeysProc, 1, 0);
  if (def.kind == ControlKind::Edit || def.kind == ControlKind::Memo ||
      def.kind == ControlKind::RichEdit)
    SendMessageA(c.Handle, EM_SETLIMITTEXT, 0, 0);  // the platform's largest limit
  if (def.checked) c.SetChecked(true);
  if (def.kind == ControlKind::UpDown) {
    auto& spinner = static_cast<TUpDown&>(c);
    SendMessageA(c.Handle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spinner.Associate->Handle), 0);
    SendMessageA(c.Handle, UDM_SETRANGE32, spinner.Min, spinner.Max);
    spinner.SetPosition(spinner.Initial);
  }
}

void RegisterWindowClass(const WNDCLASSA& wc) {
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
}
