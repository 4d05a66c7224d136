// Image lists, tool bar and status bar.
#include "framework/ComCtrls.h"

#include "framework/SystemError.h"

HIMAGELIST LoadImageStrip(const char* resourceName, int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, 16, 4);
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap) {
    ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  return list;
}

void TToolBar::Create(HWND parent, HIMAGELIST images, int buttonWidth, int buttonHeight,
                      const std::vector<Button>& buttons, HFONT font) {
  buttons_ = buttons;
  Handle = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                               TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER,
                           0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!Handle) RaiseLastOSError();
  SendMessageA(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(Handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(Handle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  SendMessageA(Handle, TB_SETINDENT, 5, 0);
  std::vector<TBBUTTON> tb;
  for (const Button& b : buttons_) {
    TBBUTTON button{};
    if (b.action) {
      button.iBitmap = b.action->ImageIndex;
      button.idCommand = static_cast<int>(b.action->Id);
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    } else {
      button.iBitmap = b.separatorWidth;
      button.fsStyle = BTNS_SEP;
    }
    button.iString = -1;
    tb.push_back(button);
  }
  SendMessageA(Handle, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageA(Handle, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth, buttonHeight));
  SendMessageA(Handle, TB_AUTOSIZE, 0, 0);
}

void TToolBar::UpdateEnabled() {
  for (const Button& b : buttons_) {
    if (!b.action) continue;
    const bool shown = SendMessageA(Handle, TB_ISBUTTONENABLED, b.action->Id, 0) != 0;
    if (shown != b.action->Enabled)
      SendMessageA(Handle, TB_ENABLEBUTTON, b.action->Id, MAKELPARAM(b.action->Enabled, 0));
  }
}

TAction* TToolBar::ActionAt(POINT clientPoint) const {
  const int index =
      static_cast<int>(SendMessageA(Handle, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&clientPoint)));
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<size_t>(index)].action;
}

bool TToolBar::HandleNotify(NMHDR& header) {
  if (header.code != TTN_GETDISPINFOA) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
  for (const Button& b : buttons_) {
    if (b.action && b.action->Id == header.idFrom) {
      tip_ = ShortHint(b.action->Hint);
      info.lpszText = tip_.data();
      return true;
    }
  }
  return false;
}

int TToolBar::Height() const {
  RECT r;
  GetWindowRect(Handle, &r);
  return r.bottom - r.top;
}

void TStatusBar::Create(HWND parent, int height) {
  Handle = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                           0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!Handle) RaiseLastOSError();
  SendMessageA(Handle, SB_SIMPLE, TRUE, 0);
  SendMessageA(Handle, SB_SETMINHEIGHT, height, 0);
  SendMessageA(Handle, WM_SIZE, 0, 0);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  SendMessageA(Handle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
}
