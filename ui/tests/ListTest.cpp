// The password list's own handling: the double-click, its context menu and its copies.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/Clipboard.h"
#include "tests/support/OtherProgram.h"
#include "ui/tests/MainWindowFixture.h"

namespace {

// The list's context menu, opened as WM_CONTEXTMENU at `at` opens it: its items as shown ("-"
// for a separator, " (grey)" after a greyed one), then the key pressed in it, and Enter.
std::vector<std::string> menuSeen;
WPARAM menuKey;
std::vector<std::string> AnswerListMenu(TSDIAppForm& form, LPARAM at, WPARAM key) {
  menuSeen.clear();
  menuKey = key;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND window = FindWindowA("#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      menuSeen.push_back(
          state & MF_SEPARATOR ? "-" : text + std::string(state & MF_GRAYED ? " (grey)" : ""));
    }
    for (WPARAM k : {menuKey, WPARAM(VK_RETURN)}) PostMessageA(window, WM_KEYDOWN, k, 0);
  });
  SendMessageA(form.Memo1.Handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Memo1.Handle), at);
  return menuSeen;
}

// A point inside the list's client area, on the shown line `line`.
POINT OnLine(HWND list, int line, int x = 4) {
  const LRESULT at =
      SendMessageA(list, EM_POSFROMCHAR, SendMessageA(list, EM_LINEINDEX, line, 0), 0);
  return {x, static_cast<SHORT>(HIWORD(at)) + 2};
}

std::pair<int, int> Selection(HWND list) {
  DWORD start = 0, end = 0;
  SendMessageA(list, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

bool KeptOutOfHistory() {
  return IsClipboardFormatAvailable(
             RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")) &&
         IsClipboardFormatAvailable(RegisterClipboardFormatA("CanIncludeInClipboardHistory"));
}

}  // namespace

TEST_F(MainWindowTest, DoubleClickSelectsTheWholeLineUnderThePointerWithoutItsBreak) {
  const HWND list = form->Memo1.Handle;
  form->Memo1.SetText("first\r\n?_or~uMs0manM)5>\r\nab-cd ef");
  for (const auto& [line, x, start, end] :
       {std::tuple{1, 40, 7, 23}, {2, 4, 25, 33}, {2, 600, 25, 33}, {0, 4, 0, 5}}) {
    const POINT p = OnLine(list, line, x);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Selection(list), std::pair(start, end)) << line << " at " << x;
  }
}

TEST_F(MainWindowTest, TheListsMenuCopiesTheLineUnderThePointerWhateverIsSelected) {
  const HWND list = form->Memo1.Handle;
  form->Memo1.SetText("ab-cd ef\r\n\r\nlast");
  form->Memo1.SetFocus();
  SendMessageA(list, EM_SETSEL, 10, 12);  // the empty line and the next one's first letters
  ClipboardSetText("", false);
  POINT p = OnLine(list, 0);
  ClientToScreen(list, &p);
  const std::vector<std::string> items = {
      "Copy &password", "-",      "&Undo (grey)", "-", "Cu&t",
      "&Copy",          "&Paste", "&Delete",      "-", "Select &All"};
  EXPECT_EQ(AnswerListMenu(*form, MAKELPARAM(p.x, p.y), VK_DOWN), items);
  EXPECT_EQ(ClipboardGetText(), "ab-cd ef");
  EXPECT_TRUE(KeptOutOfHistory());
  EXPECT_EQ(Selection(list), std::pair(10, 12));
  // From the keyboard it is the caret's line; on an empty line there is nothing to copy.
  SendMessageA(list, EM_SETSEL, 10, 10);
  EXPECT_EQ(AnswerListMenu(*form, -1, VK_UP)[0], "Copy &password (grey)");
  EXPECT_EQ(Selection(list), std::pair(0, 16)) << "Select All, the last item";
}

TEST_F(MainWindowTest, EveryCopyAndCutFromTheListKeepsTheClipboardRules) {
  const HWND list = form->Memo1.Handle;
  SendMessageA(form->Handle, WM_COMMAND, form->mniClear10s.Id, 0);
  form->Memo1.SetText("abcdef");
  form->Memo1.SetFocus();
  SendMessageA(list, EM_SETSEL, 1, 3);
  Press(VK_INSERT, false, true);
  EXPECT_EQ(ClipboardGetText(), "bc");
  EXPECT_TRUE(KeptOutOfHistory());
  EXPECT_TRUE(KillTimer(form->Handle, TSDIAppForm::kClearClipboardTimer)) << "to be cleared";
  SendMessageA(list, EM_SETSEL, 3, 5);
  Press(VK_DELETE, true);
  EXPECT_EQ(ClipboardGetText(), "de");
  EXPECT_EQ(List(), "abcf");
  EXPECT_TRUE(KeptOutOfHistory());
  SendMessageA(list, EM_SETSEL, 0, 2);
  form->IdleUpdate();
  form->EditCut1.Execute();  // the Edit menu's, the tool bar's and Ctrl+X's
  EXPECT_EQ(ClipboardGetText(), "ab");
  EXPECT_TRUE(KeptOutOfHistory());
}
