// Image lists, tool bar and status bar.
#include "framework/ComCtrls.h"

#include "framework/Dpi.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"

namespace {

struct Strip {
  std::string name;
  int pixels;
};

// The largest drawn strip whose pictures fit the size at this DPI.
Strip StripFor(const char* family, int size, int dpi) {
  for (int percent : {200, 175, 150, 125}) {
    const int pixels = size * percent / 100;
    std::string name = family + std::to_string(pixels);
    if (pixels <= ScaleForDpi(size, dpi) && FindResourceA(nullptr, name.c_str(), RT_BITMAP))
      return {name, pixels};
  }
  return {family + std::to_string(size), size};
}

void AddStrip(HIMAGELIST list, const std::string& name) {
  const GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(LoadImageA(
      GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (bitmap.Valid()) ImageList_Add(list, bitmap.Get(), nullptr);
}

// The etched top edge is drawn above the client area, so that the buttons, hot frame and all, start
// below it; the strip under the edge takes the parent's background.
LRESULT CALLBACK ToolBarFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  const int inset = ScaleForDpi(kToolBarEdge, static_cast<int>(data));
  if (msg == WM_NCCALCSIZE) {
    const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    reinterpret_cast<RECT*>(lParam)->top += inset;
    return result;
  }
  if (msg == WM_NCPAINT) {
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    r.bottom = inset;
    HDC dc = GetWindowDC(hwnd);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
    ReleaseDC(hwnd, dc);
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

HIMAGELIST LoadImageStrip(const char* family, int size, int dpi) {
  const Strip strip = StripFor(family, size, dpi);
  HIMAGELIST list = ImageList_Create(strip.pixels, strip.pixels, ILC_COLOR32, 16, 4);
  AddStrip(list, strip.name);
  return list;
}

void ReloadImageStrip(HIMAGELIST list, const char* family, int size, int dpi) {
  const Strip strip = StripFor(family, size, dpi);
  ImageList_SetIconSize(list, strip.pixels, strip.pixels);  // empties the list too
  AddStrip(list, strip.name);
}

void TToolBar::Create(HWND parent, HIMAGELIST images, SIZE button, int height,
                      const std::vector<Button>& buttons, HFONT font, int dpi) {
  buttons_ = buttons;
  button_ = button;
  height_ = height;
  // Sized by the form, not by itself: its height is stated, borders and all.
  Handle = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                               TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER | CCS_NORESIZE |
                               CCS_NOPARENTALIGN,
                           0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!Handle) RaiseLastOSError();
  SetWindowSubclass(Handle, ToolBarFrameProc, 1, static_cast<DWORD_PTR>(dpi));
  SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(Handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_ = images;
  std::vector<TBBUTTON> tb;
  for (const Button& b : buttons_) {
    TBBUTTON item{};
    if (b.action) {
      item.iBitmap = b.action->ImageIndex;
      item.idCommand = static_cast<int>(b.action->Id);
      item.fsState = TBSTATE_ENABLED;
      item.fsStyle = BTNS_BUTTON;
    } else {
      item.iBitmap = ScaleForDpi(b.separatorWidth, dpi);
      item.fsStyle = BTNS_SEP;
    }
    item.iString = -1;
    tb.push_back(item);
  }
  SendMessageA(Handle, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SetDpi(dpi);
}

void TToolBar::SetDpi(int dpi) {
  dpi_ = dpi;
  SetWindowSubclass(Handle, ToolBarFrameProc, 1, static_cast<DWORD_PTR>(dpi));
  // Handed over again, the list's pictures may have a new size; the buttons take it.
  SendMessageA(Handle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  SendMessageA(Handle, TB_SETINDENT, ScaleForDpi(5, dpi), 0);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].action) continue;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    info.cx = static_cast<WORD>(ScaleForDpi(buttons_[i].separatorWidth, dpi));
    SendMessageA(Handle, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
  }
  SendMessageA(Handle, TB_SETBUTTONSIZE, 0,
               MAKELPARAM(ScaleForDpi(button_.cx, dpi), ScaleForDpi(button_.cy, dpi)));
  FitWidth();
}

void TToolBar::FitWidth() {
  RECT client;
  GetClientRect(GetParent(Handle), &client);
  SetWindowPos(Handle, nullptr, 0, 0, client.right, ScaleForDpi(height_, dpi_),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TToolBar::UpdateEnabled() {
  for (Button& b : buttons_) {
    if (!b.action || b.shownEnabled == b.action->Enabled) continue;
    b.shownEnabled = b.action->Enabled;
    SendMessageA(Handle, TB_ENABLEBUTTON, b.action->Id, MAKELPARAM(b.shownEnabled, 0));
  }
}

TAction* TToolBar::ActionAt(POINT clientPoint) const {
  const int index =
      static_cast<int>(SendMessageA(Handle, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&clientPoint)));
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<size_t>(index)].action;
}

std::optional<LRESULT> TToolBar::HandleNotify(NMHDR& header) {
  if (header.hwndFrom == Handle && header.code == NM_CUSTOMDRAW) {
    auto& draw = reinterpret_cast<NMTBCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.nmcd.dwDrawStage == CDDS_POSTPAINT) {
      RECT r;
      GetClientRect(Handle, &r);
      DrawEdge(draw.nmcd.hdc, &r, EDGE_ETCHED, BF_BOTTOM);
    }
    return CDRF_DODEFAULT;
  }
  if (header.code != TTN_GETDISPINFOA) return std::nullopt;
  auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
  for (const Button& b : buttons_) {
    if (b.action && b.action->Id == header.idFrom) {
      tip_ = ShortHint(b.action->Hint);
      info.lpszText = tip_.data();
      return 0;
    }
  }
  return std::nullopt;
}

int TToolBar::Height() const {
  RECT r;
  GetWindowRect(Handle, &r);
  return r.bottom - r.top;
}

void TStatusBar::Create(HWND parent, int height, HFONT font, int dpi) {
  height_ = height;
  // Placed by the form, not by itself: its own sizing adds borders to the height of its font.
  Handle = CreateWindowExA(
      0, STATUSCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
      0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!Handle) RaiseLastOSError();
  SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(Handle, SB_SIMPLE, TRUE, 0);
  SetDpi(dpi);
}

void TStatusBar::SetDpi(int dpi) {
  dpi_ = dpi;
  Fit();
}

void TStatusBar::Fit() {
  RECT client;
  GetClientRect(GetParent(Handle), &client);
  const int height = ScaleForDpi(height_, dpi_);
  SetWindowPos(Handle, nullptr, 0, client.bottom - height, client.right, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  SendMessageA(Handle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
}
