// Forms: window procedure routing, close handling, modal showing.
#include "framework/Forms.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Dpi.h"
#include "framework/StartupPhases.h"
#include "framework/ErrorReport.h"
#include "framework/SystemError.h"
#include "framework/core/ScreenFit.h"

namespace {

std::vector<WorkArea> MonitorWorkAreas() {
  std::vector<WorkArea> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(monitor, &info))
          reinterpret_cast<std::vector<WorkArea>*>(list)->push_back(
              {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

TForm::TForm(const char* className) : className_(className) {}

// Image lists and fonts go once no control uses them; the fonts with the members, after this.
TForm::~TForm() {
  // A derived form's members are gone by now: the messages of the window's teardown must not
  // reach them through these pointers.
  ToolBar = nullptr, StatusBar = nullptr, Actions = nullptr, Menu = nullptr;
  if (Handle && IsWindow(Handle)) DestroyWindow(Handle);
  imageLists_.clear();
}

HFONT TForm::FontDescription::Make(int dpi) const {
  // Points, not pixels scaled from 96 DPI: the system's own rounding, so that text grows no faster
  // than the layout (8 points are 11 pixels at 96 DPI, 16 at 144, not 17).
  return CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                     underline, FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

HFONT TForm::CreateUiFont(const char* face, int points, BYTE charset, bool bold, bool underline) {
  FontDescription description{face, points, charset, bold, underline};
  fonts_.push_back({description, GdiObject<HFONT>(description.Make(Dpi))});
  return fonts_.back().font.Get();
}

int TForm::Scaled(int length) const { return ScaleForDpi(length, Dpi); }

HIMAGELIST TForm::LoadImageStrip(const char* family, int size) {
  return imageLists_
      .emplace_back(OwnedImages{ImageList(::LoadImageStrip(family, size, Dpi)), family, size})
      .list.Get();
}

void TForm::Create() {
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), className_.c_str(), &wc)) {
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = Application.Icon;
    wc.lpszClassName = className_.c_str();
    RegisterWindowClass(wc);
  }
  StartupPhaseDone("window class");
  const DWORD style =
      DialogFrame ? WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME : WS_OVERLAPPEDWINDOW;
  const DWORD exStyle = WS_EX_CONTROLPARENT | (DialogFrame ? WS_EX_DLGMODALFRAME : 0);
  // Made at the system's DPI; a window that opens on a monitor of another scale is sized again
  // before its controls are made.
  Dpi = SystemDpi();
  HWND owner = DialogFrame ? Application.MainWindow : nullptr;
  Handle = CreateWindowExA(exStyle, className_.c_str(), Caption.c_str(), style | WS_CLIPCHILDREN,
                           Scaled(Left), Scaled(Top), 0, 0, owner, nullptr,
                           GetModuleHandleA(nullptr), this);
  if (!Handle) RaiseLastOSError();
  Dpi = WindowDpi(Handle);
  const SIZE size = DesignSize(Menu != nullptr);
  SetWindowPos(Handle, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  StartupPhaseDone("window");
  Client.Handle = Handle;
  Client.Color = Color;
  SetIcons();
  CreateControls();
  if (UseClientSize && Menu) {  // the menu bar is known only now
    const SIZE withMenu = DesignSize(true);
    SetWindowPos(Handle, nullptr, 0, 0, withMenu.cx, withMenu.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Resize();
  // The focus rectangle shows from the start, not only after the first key press.
  SendMessageA(Handle, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  StartupPhaseDone("controls");
  Guard([this] { FormCreate(); });
  StartupPhaseDone("FormCreate");
  Application.AddForm(
      {Handle, [this] { IdleUpdate(); }, [this](MSG& msg) { return PreTranslate(msg); }});
}

// The program's icon in the sizes the title bar and the task switcher want at this DPI (shared
// icons: the system keeps them).
void TForm::SetIcons() {
  if (!Application.Icon) return;
  for (const auto& [which, size] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
    const int pixels = SystemMetricForDpi(size, Dpi);
    HANDLE icon =
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, pixels, pixels, LR_SHARED);
    SendMessageA(Handle, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(icon ? icon : Application.Icon));
  }
}

// The outer size of the stated Width and Height (client or outer) at the window's DPI.
SIZE TForm::DesignSize(bool withMenu) const {
  RECT r{0, 0, Scaled(Width), Scaled(Height)};
  if (UseClientSize)
    AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongA(Handle, GWL_STYLE)), withMenu,
                           static_cast<DWORD>(GetWindowLongA(Handle, GWL_EXSTYLE)), Dpi);
  return {r.right - r.left, r.bottom - r.top};
}

void TForm::CreateTable(const std::vector<ControlDef>& table) {
  for (const ControlDef& def : table) CreateControl(def);
}

void TForm::CreateControl(ControlDef def) {
  if (!def.parent) def.parent = &Client;
  layout_.push_back(def);
  def.control->Create(ScaledRow(def), Font, nextControlId_++);
}

ControlDef TForm::ScaledRow(ControlDef def) const {
  def.left = Scaled(def.left), def.top = Scaled(def.top);
  def.width = Scaled(def.width), def.height = Scaled(def.height);
  return def;
}

void TForm::Show(int showCommand) {
  if (!shownOnce_ && CenterOnFirstShow) CenterOnScreen(Handle);
  shownOnce_ = true;
  ShowWindow(Handle, showCommand);
  UpdateWindow(Handle);
}

void TForm::Hide() { ShowWindow(Handle, SW_HIDE); }

void TForm::Close() { SendMessageA(Handle, WM_CLOSE, 0, 0); }

int TForm::ShowModal() {
  ModalResultValue = mrNone;
  std::vector<HWND> disabled;
  for (const auto& f : Application.Forms)
    if (f.Window != Handle && IsWindowEnabled(f.Window)) {
      EnableWindow(f.Window, FALSE);
      disabled.push_back(f.Window);
    }
  Show(SW_SHOW);
  SetForegroundWindow(Handle);
  while (ModalResultValue == mrNone && !Application.Terminated) {
    if (!Application.HandleOneMessage()) break;
  }
  for (HWND h : disabled) EnableWindow(h, TRUE);
  Hide();
  if (Application.MainWindow) SetActiveWindow(Application.MainWindow);
  return ModalResultValue;
}

void TForm::SetBounds(int left, int top, int width, int height) {
  MoveWindow(Handle, left, top, width, height, TRUE);
}

RECT TForm::BoundsRect() const {
  RECT r;
  GetWindowRect(Handle, &r);
  return r;
}

SIZE TForm::OuterSize(int clientWidth, int clientHeight) const {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongA(Handle, GWL_STYLE)),
                         GetMenu(Handle) != nullptr,
                         static_cast<DWORD>(GetWindowLongA(Handle, GWL_EXSTYLE)), Dpi);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE TForm::MinTrackSize() {
  const SIZE client = MinClientSize();
  if (client.cx <= 0 || client.cy <= 0) return {0, 0};
  return OuterSize(client.cx, client.cy);
}

void TForm::SetBoundsOnScreen(int left, int top, int width, int height) {
  const SIZE design = DesignSize(GetMenu(Handle) != nullptr);
  const SIZE minimum = MinTrackSize();
  const int caption = SystemMetricForDpi(SM_CYCAPTION, Dpi);
  const ScreenFitRules rules{design.cx, design.cy, minimum.cx, minimum.cy, caption, 2 * caption};
  const WindowBounds b = FitOnScreen({left, top, width, height}, rules, MonitorWorkAreas());
  // Moving a window to where it is would still lay out every control again.
  const RECT now = BoundsRect();
  if (now.left != b.left || now.top != b.top || now.right - now.left != b.width ||
      now.bottom - now.top != b.height)
    SetBounds(b.left, b.top, b.width, b.height);
}

void TForm::SetColor(TColor color) {
  Color = color;
  Client.Color = color;
  RedrawWindow(Handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
  // The transparent tool bar shows the form's colour but is a child window of its own.
  if (ToolBar) RedrawWindow(ToolBar->Handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void TForm::IdleUpdate() {
  if (StatusBar && !hintShown_) StatusBar->SetSimpleText(IdleHint());
  if (Actions) Actions->Update();
  if (Menu) Menu->UpdateEnabled();
  if (ToolBar) ToolBar->UpdateEnabled();
}

void TForm::ShowHint(const std::string& hint) {
  hintShown_ = !hint.empty();
  if (StatusBar) StatusBar->SetSimpleText(hintShown_ ? hint : IdleHint());
}

void TForm::UpdateHintAt(HWND target, POINT screenPoint) {
  if (ToolBar && target == ToolBar->Handle) {
    POINT p = screenPoint;
    ScreenToClient(ToolBar->Handle, &p);
    TAction* action = ToolBar->ActionAt(p);
    ShowHint(action ? LongHint(action->Hint) : "");
    return;
  }
  // The nearest control up the parent chain that has a hint.
  for (HWND w = target; w && w != Handle; w = GetParent(w)) {
    TControl* c = TControl::FromHandle(w);
    if (c && !c->Hint.empty()) {
      ShowHint(LongHint(c->Hint));
      return;
    }
  }
  ShowHint("");
}

bool TForm::PreTranslate(MSG& msg) {
  if (msg.hwnd != Handle && !IsChild(Handle, msg.hwnd)) return false;
  if (msg.message == WM_MOUSEMOVE) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &p);
    UpdateHintAt(msg.hwnd, p);
  }
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && Actions) {
    WORD shortcut = static_cast<WORD>(msg.wParam & 0xFF);
    if (GetKeyState(VK_CONTROL) < 0) shortcut |= scCtrl;
    if (GetKeyState(VK_SHIFT) < 0) shortcut |= scShift;
    if (GetKeyState(VK_MENU) < 0) shortcut |= scAlt;
    if (TAction* action = Actions->FindShortCut(shortcut)) {
      if (action->OnUpdate) action->OnUpdate(*action);
      if (action->Enabled) {
        action->Execute();
        return true;
      }
    }
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && PressFocusedButton()) return true;
  return IsDialogMessageA(Handle, &msg) != 0;
}

bool TForm::PressFocusedButton() {
  // The dialog manager presses only the default button on Enter; a form without one would send a
  // command nobody answers, so Enter presses the focused push button as Space does.
  HWND focus = GetFocus();
  if (!focus || !IsChild(Handle, focus)) return false;
  if (!(SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
    return false;
  SendMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
               reinterpret_cast<LPARAM>(focus));
  return true;
}

void TForm::HandleCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (lParam && (!ToolBar || reinterpret_cast<HWND>(lParam) != ToolBar->Handle)) {
    TControl* c = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
    if (c && HIWORD(wParam) == BN_CLICKED && c->OnClick) Guard(c->OnClick);
    if (c && HIWORD(wParam) == EN_CHANGE && c->OnChange) Guard(c->OnChange);
    if (c && HIWORD(wParam) == EN_KILLFOCUS && c->OnExit) Guard(c->OnExit);
    return;
  }
  if (Actions) {
    if (TAction* action = Actions->FindById(id)) {
      if (action->OnUpdate) action->OnUpdate(*action);
      action->Execute();
      return;
    }
  }
  if (Menu) {
    if (TMenuItem* item = Menu->FindById(id); item && item->OnClick) Guard(item->OnClick);
  }
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->Handle = hwnd;
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // A control changed by another program tells its form, so that the idle updates follow; marked
  // once it is handled, as a box its handler opened ran idle updates of its own.
  const LRESULT result = form->HandleMessage(msg, wParam, lParam);
  Application.NoteFormMessage(msg);
  return result;
}

// One line per message, each to its handler; a handler without an answer (nullopt) leaves the
// message to the system's default processing.
LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  std::optional<LRESULT> result;
  switch (msg) {
    case WM_COMMAND: result = OnCommand(wParam, lParam); break;
    case WM_NOTIFY: result = OnNotify(*reinterpret_cast<NMHDR*>(lParam)); break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: result = ColorChild(Client, msg, wParam, lParam); break;
    case WM_ERASEBKGND: result = OnEraseBackground(reinterpret_cast<HDC>(wParam)); break;
    case WM_GETMINMAXINFO: result = OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case WM_SIZE: result = OnSize(); break;
    case WM_DPICHANGED:
      // Any program may send it: a value no screen has (up to 65535) is kept to the system's
      // own range, 100 % to 500 %, and one without the suggested rectangle is ignored.
      result = lParam ? OnDpiChanged(std::clamp(static_cast<int>(LOWORD(wParam)), 96, 480),
                                     *reinterpret_cast<RECT*>(lParam))
                      : 0;
      break;
    case WM_NEXTDLGCTL: result = OnNextDlgCtl(wParam, lParam); break;
    case WM_UPDATEUISTATE: result = OnUpdateUiState(wParam, lParam); break;
    case WM_MENUSELECT: result = OnMenuSelect(wParam, lParam); break;
    case WM_MEASUREITEM:
      result = OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      break;
    case WM_DRAWITEM: result = OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); break;
    case WM_ACTIVATE: result = OnActivate(LOWORD(wParam)); break;
    case WM_TIMER: result = OnTimer(wParam); break;
    case WM_CLOSE: result = OnClose(); break;
    case WM_ENDSESSION: result = OnEndSession(wParam != 0); break;
    case WM_DESTROY: result = OnDestroy(); break;
  }
  return result ? *result : DefWindowProcA(Handle, msg, wParam, lParam);
}

std::optional<LRESULT> TForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  HandleCommand(wParam, lParam);
  return 0;
}

std::optional<LRESULT> TForm::OnNotify(NMHDR& header) {
  return ToolBar ? ToolBar->HandleNotify(header) : std::nullopt;
}

std::optional<LRESULT> TForm::OnEraseBackground(HDC dc) {
  RECT r;
  GetClientRect(Handle, &r);
  FillRect(dc, &r, Client.BackgroundBrush());
  return 1;
}

std::optional<LRESULT> TForm::OnGetMinMaxInfo(MINMAXINFO& info) {
  const SIZE minimum = MinTrackSize();
  if (minimum.cx > 0) info.ptMinTrackSize = {minimum.cx, minimum.cy};
  return 0;
}

std::optional<LRESULT> TForm::OnSize() {
  if (StatusBar) {
    StatusBar->Fit();
    // The bar repaints only what the new size uncovers: its size grip would stay drawn at the old
    // right end as well.
    InvalidateRect(StatusBar->Handle, nullptr, TRUE);
  }
  if (ToolBar) ToolBar->FitWidth();
  Resize();
  return 0;
}

// Moved to a monitor of another scale: fonts, controls and bars are made again for its DPI, and
// the window takes the rectangle the system suggests.
std::optional<LRESULT> TForm::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi == Dpi) return 0;
  Dpi = dpi;
  std::vector<std::pair<HFONT, HFONT>> renewed;
  std::vector<GdiObject<HFONT>> retired;
  for (OwnedFont& owned : fonts_) {
    GdiObject<HFONT> font(owned.description.Make(Dpi));
    renewed.emplace_back(owned.font.Get(), font.Get());
    std::swap(owned.font, font);  // the old one goes once no control uses it
    retired.push_back(std::move(font));
  }
  for (auto& [old, font] : renewed)
    if (Font == old) Font = font;
  for (const ControlDef& def : layout_) {
    const ControlDef row = ScaledRow(def);
    def.control->SetBounds(row.left, row.top, row.width, row.height);
  }
  // Every window of the form that used one of the old fonts, the bars included, takes its
  // successor.
  std::vector<HWND> windows;
  EnumChildWindows(
      Handle,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    const auto used = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    for (auto& [old, font] : renewed)
      if (used == old) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (const OwnedImages& images : imageLists_)
    ReloadImageStrip(images.list.Get(), images.family, images.size, Dpi);
  if (ToolBar) ToolBar->SetDpi(Dpi);
  if (StatusBar) StatusBar->SetDpi(Dpi);
  SetIcons();
  DpiChanged();
  retired.clear();  // no window uses them now
  SetWindowPos(Handle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// Asked by the dialog navigation (arrow keys in a group) and by the system's edits.
std::optional<LRESULT> TForm::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                               : GetNextDlgTabItem(Handle, GetFocus(), wParam != 0);
  if (!target || !IsChild(Handle, target)) return 0;
  if (!LOWORD(lParam) && (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
    SendMessageA(target, EM_SETSEL, 0, -1);
  ::SetFocus(target);
  return 0;
}

// The focus rectangle stays visible whatever the last input was: a mouse click that hides it would
// leave a keyboard user without a mark of where the keys go.
std::optional<LRESULT> TForm::OnUpdateUiState(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcA(Handle, WM_UPDATEUISTATE, wParam, lParam);
  if (LOWORD(wParam) != UIS_CLEAR && (HIWORD(wParam) & UISF_HIDEFOCUS))
    DefWindowProcA(Handle, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  return result;
}

std::optional<LRESULT> TForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  if (!Menu) return 0;
  // While a menu is open the status bar speaks of its items only: one without a hint leaves it
  // empty rather than showing IdleHint, which would read as that item's hint.
  const bool closed = HIWORD(wParam) == 0xFFFF && lParam == 0;
  hintShown_ = !closed;
  if (StatusBar) StatusBar->SetSimpleText(closed ? IdleHint() : Menu->HintFor(wParam, lParam));
  return 0;
}

std::optional<LRESULT> TForm::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (Menu && Menu->MeasureItem(item)) return TRUE;
  return std::nullopt;
}

std::optional<LRESULT> TForm::OnDrawItem(DRAWITEMSTRUCT& item) {
  if (Menu && Menu->DrawItem(item)) return TRUE;
  return std::nullopt;
}

// The focus leaves with the window and comes back to the control that had it.
std::optional<LRESULT> TForm::OnActivate(WORD state) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle, focus)) lastFocus_ = focus;
    return std::nullopt;
  }
  HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_
                : FirstFocus                       ? FirstFocus->Handle
                                                   : nullptr;
  if (!target) return std::nullopt;
  ::SetFocus(target);
  return 0;
}

std::optional<LRESULT> TForm::OnTimer(UINT_PTR id) {
  Guard([this, id] { TimerFired(id); });
  return 0;
}

std::optional<LRESULT> TForm::OnClose() {
  if (!Guard([this] { FormClose(); })) return 0;  // stays open
  if (Application.MainWindow == Handle) {
    DestroyWindow(Handle);
  } else {
    if (ModalResultValue == mrNone) ModalResultValue = mrCancel;
    Hide();
  }
  return 0;
}

// Asked first (WM_QUERYENDSESSION), the form lets the session end; the work waits for the end
// itself, which a program that objects could still call off.
std::optional<LRESULT> TForm::OnEndSession(bool ending) {
  if (!ending) return 0;
  try {
    SessionEnding();
  } catch (...) {
  }
  // The system may end the process from here on; if it does not (a restart of programs), the
  // program ends as after a close.
  if (Application.MainWindow == Handle) Application.Terminate();
  return 0;
}

std::optional<LRESULT> TForm::OnDestroy() {
  Application.RemoveForm(Handle);
  if (Application.MainWindow == Handle) {
    Application.MainWindow = nullptr;
    Application.Terminate();
  }
  return 0;
}
