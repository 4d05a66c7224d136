// The standard controls: one small class per kind, created from a table row; text, check state,
// colours, spinners.
#include "framework/Controls.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/SystemError.h"
#include "framework/SystemLibraries.h"
#include "framework/core/Text.h"

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
    case WM_CTLCOLORBTN:
      if (const auto brush = ColorChild(*self, msg, wParam, lParam)) return *brush;
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, self->BackgroundBrush());
      if (dynamic_cast<TGroupBox*>(self)) break;  // the frame and caption come on top
      return 1;
    }
    case WM_PRINTCLIENT:
      if (dynamic_cast<TPanel*>(self)) {
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

const char* RichEditClass() {
  static bool loaded = LoadSystemLibrary("riched20.dll") != nullptr;
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

COLORREF TControl::TextColor() const { return GetSysColor(COLOR_WINDOWTEXT); }

std::optional<LRESULT> ColorChild(TControl& parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  const TControl* child = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
  if (msg == WM_CTLCOLORBTN && child && !child->TakesParentColor()) return std::nullopt;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, ColorToRGB(parent.EffectiveColor()));
  SetTextColor(dc, child ? child->TextColor() : GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(parent.BackgroundBrush());
}

bool TCheckable::Checked() const { return SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckable::SetChecked(bool checked) {
  // Setting the state it has would still cost the system a style change and a repaint.
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageA(Handle, BM_GETCHECK, 0, 0)) != state)
    SendMessageA(Handle, BM_SETCHECK, state, 0);
}

void TCheckable::Created(const ControlDef& def) {
  if (def.checked) SetChecked(true);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked) {
    for (TControl* sibling : Parent->Children())
      if (auto* other = dynamic_cast<TRadioButton*>(sibling); other && other != this)
        other->TCheckable::SetChecked(false);
  }
  TCheckable::SetChecked(checked);
}

COLORREF TLabel::TextColor() const {
  return Color != clNone ? ColorToRGB(Color) : TControl::TextColor();
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
  if (error && outside_ && Associate && Associate->Text() == std::to_string(*outside_))
    return *outside_;
  outside_.reset();
  if (error && KeepInRange && Associate) {
    // The separator the control itself writes between thousands.
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    if (const auto value = WholeNumberInRange(Associate->Text(), separator, Min, Max))
      return *value;
  }
  return read;  // on error, the control's own last position
}

void TUpDown::SetPosition(int position) {
  if (KeepInRange) position = std::clamp(position, Min, Max);
  // The control clamps a position outside its range; the field then shows the value as it is.
  SendMessageA(Handle, UDM_SETPOS32, 0, position);
  outside_.reset();
  if (position < Min || position > Max) {
    outside_ = position;
    if (Associate) Associate->SetText(std::to_string(position));
  }
}

void TControl::Create(const ControlDef& def, HFONT font, int id) {
  const WindowKind kind = Kind(*def.parent);
  Parent = def.parent;
  Handle = CreateWindowExA(kind.exStyle, kind.className, def.caption ? def.caption : "",
                           WS_CHILD | (kind.visible ? WS_VISIBLE : 0) | kind.style | def.extraStyle,
                           def.left, def.top, def.width, def.height, Parent->Handle,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  if (!Handle) RaiseLastOSError();
  Parent->children_.push_back(this);
  SetPropA(Handle, kControlProp, this);
  SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Created(def);
}

TControl::WindowKind TPanel::Kind(const TControl&) const {
  return {PanelClass(), WS_CLIPSIBLINGS | WS_GROUP, WS_EX_CONTROLPARENT};
}

void TPanel::Created(const ControlDef&) {
  SetWindowSubclass(Handle, ContainerProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

TControl::WindowKind TGroupBox::Kind(const TControl&) const {
  return {"BUTTON", BS_GROUPBOX | WS_GROUP, WS_EX_CONTROLPARENT};
}

void TGroupBox::Created(const ControlDef&) {
  SetWindowSubclass(Handle, ContainerProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

TControl::WindowKind TButton::Kind(const TControl&) const {
  return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
}

TControl::WindowKind TCheckBox::Kind(const TControl& parent) const {
  const auto& siblings = parent.Children();
  const bool follows = !siblings.empty() && dynamic_cast<TCheckBox*>(siblings.back());
  return {"BUTTON", static_cast<DWORD>(BS_AUTOCHECKBOX | WS_TABSTOP | (follows ? 0 : WS_GROUP)), 0};
}

TControl::WindowKind TRadioButton::Kind(const TControl& parent) const {
  // The first radio button of a container starts its group; the checked one is its tab stop
  // (checking a radio button moves the tab stop to it).
  bool first = true;
  for (const TControl* sibling : parent.Children())
    if (dynamic_cast<const TRadioButton*>(sibling)) first = false;
  return {"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0)),
          0};
}

namespace {
// Text fields take the platform's largest limit instead of the default 30000 characters.
void LiftTextLimit(HWND field) { SendMessageA(field, EM_SETLIMITTEXT, 0, 0); }
}  // namespace

TControl::WindowKind TEdit::Kind(const TControl&) const {
  return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP, WS_EX_CLIENTEDGE};
}

void TEdit::Created(const ControlDef&) { LiftTextLimit(Handle); }

TControl::WindowKind TMemo::Kind(const TControl&) const {
  return {"EDIT", WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
          WS_EX_CLIENTEDGE};
}

void TMemo::Created(const ControlDef&) {
  SetWindowSubclass(Handle, MemoKeysProc, 1, 0);
  LiftTextLimit(Handle);
}

TControl::WindowKind TRichEdit::Kind(const TControl&) const {
  // A print buffer: never shown.
  return {RichEditClass(), ES_MULTILINE, 0, false};
}

void TRichEdit::Created(const ControlDef&) { LiftTextLimit(Handle); }

TControl::WindowKind TLabel::Kind(const TControl&) const { return {"STATIC", SS_NOTIFY, 0}; }

TControl::WindowKind TUpDown::Kind(const TControl&) const {
  return {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS, 0};
}

int TUpDown::ClampToRange() {
  const int value = Position();
  SetPosition(value);  // the control writes the value into the field
  // Some write it only when the position changes.
  BOOL stale = FALSE;
  SendMessageA(Handle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&stale));
  if (stale && Associate) Associate->SetText(std::to_string(value));
  return value;
}

void TUpDown::Created(const ControlDef& def) {
  SendMessageA(Handle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Associate->Handle), 0);
  // Taking a buddy, the control may size itself to its own default width, the same at every
  // DPI: the table's scaled size stands.
  SetWindowPos(Handle, nullptr, def.left, def.top, def.width, def.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(Handle, UDM_SETRANGE32, Min, Max);
  SetPosition(Initial);
  if (KeepInRange) Associate->OnExit = [this] { ClampToRange(); };
}

void RegisterWindowClass(const WNDCLASSA& wc) {
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
}
