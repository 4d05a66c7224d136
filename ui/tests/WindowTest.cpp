// What the main window shows and how its edit actions follow the focus.
#include <algorithm>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/Dpi.h"
#include "framework/Owned.h"
#include "tests/support/GdiCount.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/WindowSearch.h"
#include "ui/About.h"
#include "ui/LeaveOut.h"
#include "ui/Passphrases.h"
#include "ui/tests/MainWindowFixture.h"

static bool KeptOutOfHistory() {
  return IsClipboardFormatAvailable(RegisterClipboardFormatA("CanIncludeInClipboardHistory"));
}

// The list's context menu opened at `at`: its items as shown, "~" before a greyed one; then `key`
// and Enter are pressed in it.
static std::string menuSeen;
static WPARAM menuKey;
static std::string AnswerListMenu(HWND list, LPARAM at, WPARAM key) {
  menuSeen.clear(), menuKey = key;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND window = FindWindowA("#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
      char text[64] = {};  // a separator's stays empty, and it counts as grey
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      const bool grey = GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_SEPARATOR);
      menuSeen += (grey ? "~" : "") + std::string(text) + "|";
    }
    for (WPARAM k : {menuKey, WPARAM(VK_RETURN)}) PostMessageA(window, WM_KEYDOWN, k, 0);
  });
  SendMessageA(list, WM_CONTEXTMENU, 0, at);
  return menuSeen;
}

TEST_F(MainWindowTest, FirstRunOpensWithItsCaptionBoundsAndDesignDefaults) {
  char caption[64] = {};
  GetWindowTextA(form->Handle, caption, sizeof caption);
  EXPECT_STREQ(caption, "Tallowmere");
  const RECT r = form->BoundsRect();
  EXPECT_EQ(r.right - r.left, 768);
  EXPECT_EQ(r.bottom - r.top, 600);
  EXPECT_TRUE(form->RadioButton1.Checked());
  EXPECT_TRUE(form->RadioButton5.Checked());
  EXPECT_TRUE(form->RadioButton17.Checked());
  EXPECT_TRUE(form->CheckBox1.Checked());
  EXPECT_FALSE(form->CheckBox2.Checked());
  EXPECT_EQ(form->Edit2.Text(), "8");
  EXPECT_EQ(form->Edit3.Text(), "1");
  EXPECT_EQ(form->Edit4.Text(), "0");  // a first run reads no group size
  EXPECT_EQ(form->UpDown3.Position(), 0);
  EXPECT_TRUE(form->mniDefault.Checked());
  EXPECT_EQ(form->GroupBox3.Text(), "Number of passwords ");
}

TEST_F(MainWindowTest, PicturesAreDrawnAtTheSizeTheDpiAsksForAlsoAfterTheDpiChanges) {
  const auto side = [](HIMAGELIST list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    return cx;
  };
  const auto bar =
      reinterpret_cast<HIMAGELIST>(SendMessageA(form->ToolBar1.Handle, TB_GETIMAGELIST, 0, 0));
  const int pictures = ImageList_GetImageCount(form->ImageList1);
  for (const int dpi : {WindowDpi(form->Handle), 192, 120}) {
    RECT bounds = form->BoundsRect();
    SendMessageA(form->Handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&bounds));
    EXPECT_EQ(side(form->ImageList1), ScaleForDpi(16, dpi)) << dpi;
    EXPECT_EQ(side(bar), ScaleForDpi(32, dpi)) << dpi;
    EXPECT_EQ(ImageList_GetImageCount(form->ImageList1), pictures) << dpi;
    EXPECT_GE(ImageList_GetImageCount(bar), 9) << dpi;  // up to the save picture
    RECT button, frame;
    SendMessageA(form->ToolBar1.Handle, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(form->ToolBar1.Handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
    GetWindowRect(form->ToolBar1.Handle, &frame);  // the buttons clear the bar's etched top edge
    EXPECT_GE(button.top - frame.top, ScaleForDpi(kToolBarEdge, dpi)) << dpi;
    EXPECT_LE(button.bottom, frame.bottom) << dpi;
  }
}

TEST_F(MainWindowTest, RadioButtonsOfOneGroupExcludeEachOther) {
  form->RadioButton13.SetChecked(true);
  EXPECT_FALSE(form->RadioButton1.Checked());
  EXPECT_TRUE(form->RadioButton13.Checked());
  EXPECT_TRUE(form->RadioButton5.Checked());  // another group is untouched
}

TEST_F(MainWindowTest, CutAndCopyFollowTheFocusAndTheSelection) {
  form->CheckBox2.SetFocus();
  form->IdleUpdate();
  EXPECT_FALSE(form->EditCut1.Enabled);
  EXPECT_FALSE(form->EditCopy1.Enabled);
  EXPECT_FALSE(form->EditPaste1.Enabled);

  form->Memo1.SetText("abcdef");
  form->Memo1.SetFocus();
  SendMessageA(form->Memo1.Handle, EM_SETSEL, 0, 0);
  form->IdleUpdate();
  EXPECT_FALSE(form->EditCopy1.Enabled);
  SendMessageA(form->Memo1.Handle, EM_SETSEL, 1, 4);
  form->IdleUpdate();
  EXPECT_TRUE(form->EditCut1.Enabled);
  EXPECT_TRUE(form->EditCopy1.Enabled);
  EXPECT_EQ(GetMenuState(GetMenu(form->Handle), form->EditCopy1.Id, MF_BYCOMMAND) & MF_GRAYED, 0u);

  form->EditCopy1.Execute();
  EXPECT_EQ(ClipboardGetText(), "bcd");
  EXPECT_TRUE(KeptOutOfHistory()) << "as every copy from the list";
  form->IdleUpdate();
  EXPECT_TRUE(form->EditPaste1.Enabled);
  for (const bool cut : {false, true}) {  // Ctrl+Insert and Shift+Delete too
    ClipboardSetText("", false);
    Press(cut ? VK_DELETE : VK_INSERT, cut, !cut);
    EXPECT_EQ(ClipboardGetText(), "bcd");
    EXPECT_TRUE(KeptOutOfHistory());
  }
  EXPECT_EQ(List(), "aef");
}

TEST_F(MainWindowTest, TheListsMenuCopiesTheLineUnderThePointerWhateverIsSelected) {
  const HWND list = form->Memo1.Handle;
  form->Memo1.SetText("ab-cd ef\r\n\r\nlast");
  form->Memo1.SetFocus();
  SendMessageA(list, EM_SETSEL, 10, 12);  // the empty line and the next one's first letters
  ClipboardSetText("", false);
  POINT p{4, 4};  // on the first line
  ClientToScreen(list, &p);
  EXPECT_EQ(AnswerListMenu(list, MAKELPARAM(p.x, p.y), VK_DOWN),
            "Copy &password|~|~&Undo|~|Cu&t|&Copy|&Paste|&Delete|~|Select &All|");
  EXPECT_EQ(ClipboardGetText(), "ab-cd ef");
  EXPECT_TRUE(KeptOutOfHistory());
  // From the keyboard it is the caret's line; on an empty line there is nothing to copy.
  SendMessageA(list, EM_SETSEL, 10, 10);
  EXPECT_EQ(AnswerListMenu(list, -1, VK_UP).substr(0, 16), "~Copy &password|");
  EXPECT_EQ(SendMessageA(list, EM_GETSEL, 0, 0), MAKELONG(0, 16)) << "Select All, the last item";
}

TEST_F(MainWindowTest, ShortcutKeysReachTheirActions) {
  form->Memo1.SetText("hello");
  form->Memo1.SetFocus();
  SendMessageA(form->Memo1.Handle, EM_SETSEL, 0, 5);
  ClipboardSetText("", false);
  MSG msg{};
  msg.hwnd = form->Memo1.Handle;
  msg.message = WM_KEYDOWN;
  msg.wParam = 'C';
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(form->PreTranslate(msg));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(ClipboardGetText(), "hello");
  // F5 generates wherever the focus is, the list and the custom characters included.
  Press(VK_F5);
  form->Memo2.SetFocus();
  Press(VK_F5);
  const std::string list = List();
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 2) << list;
}

TEST_F(MainWindowTest, MenuAndToolBarCarryTheActionsHintsAndShortcuts) {
  char text[64] = {};
  GetMenuStringA(GetMenu(form->Handle), form->FileNew1.Id, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&New\tCtrl+N");
  EXPECT_EQ(form->FileNew1.ShortCut, 16462);
  EXPECT_EQ(form->EditPaste1.ShortCut, 16470);
  EXPECT_EQ(SendMessageA(form->ToolBar1.Handle, TB_BUTTONCOUNT, 0, 0), 7);
  // The status bar shows the long part of a highlighted menu item's hint.
  SendMessageA(form->Handle, WM_MENUSELECT, MAKEWPARAM(form->FileOpen1.Id, MF_STRING),
               reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(form->Handle), 0)));
  EXPECT_EQ(Status(), "Open a file");
  SendMessageA(form->Handle, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP),
               reinterpret_cast<LPARAM>(GetMenu(form->Handle)));
  EXPECT_EQ(Status(), "File related commands");
  // Print has no hint: the strength stays away while the menu is open, and is back once it closes.
  SendMessageA(form->Handle, WM_MENUSELECT, MAKEWPARAM(form->Print1.Id, MF_STRING),
               reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(form->Handle), 0)));
  form->IdleUpdate();
  EXPECT_EQ(Status(), "");
  SendMessageA(form->Handle, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_NE(Status(), "");
}

TEST_F(MainWindowTest, FirstFocusIsOnGenerate) {
  SetForegroundWindow(form->Handle);
  SendMessageA(form->Handle, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), form->Button1.Handle);
}

TEST_F(MainWindowTest, TabOrderRunsThroughThePanelAsLaidOut) {
  std::vector<HWND> order;
  HWND at = form->Button1.Handle;
  for (int i = 0; i < 12; ++i) {
    order.push_back(at);
    at = GetNextDlgTabItem(form->Handle, at, FALSE);
  }
  // Generate, the length group (checked preset, custom field), the characters group...
  EXPECT_EQ(order[1], form->RadioButton1.Handle);
  EXPECT_EQ(order[2], form->Edit2.Handle);
  EXPECT_EQ(order[3], form->CheckBox1.Handle);
  const auto find = [&](HWND w) {
    return std::find(order.begin(), order.end(), w) - order.begin();
  };
  EXPECT_LT(find(form->CheckBox7.Handle), find(form->Memo2.Handle));
  EXPECT_LT(find(form->Memo2.Handle), find(form->RadioButton5.Handle));
}

TEST_F(MainWindowTest, ALongListScrollsAndWraps) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line\r\n";
  text += std::string(300, 'w');  // wider than the window
  form->Memo1.SetText(text);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(form->Memo1.Handle, SB_VERT, &info));
  EXPECT_GT(info.nMax, static_cast<int>(info.nPage));
  // Word wrap: the long last line shows as several lines.
  EXPECT_GT(SendMessageA(form->Memo1.Handle, EM_GETLINECOUNT, 0, 0), 202);
}

TEST_F(MainWindowTest, ClosedWindowsLeaveNoGdiObjectBehind) {
  StopMainWindow(form);  // its showing loaded what the system then keeps for the process
  const size_t before = GdiObjectCount();
  for (int i = 0; i < 3; ++i) {
    form = StartMainWindow();
    form->Show();
    StopMainWindow(form);
  }
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_TRUE(Application.Forms.empty());
  form = StartMainWindow();
}

TEST_F(MainWindowTest, TabAndShiftTabVisitEveryStopInOrderAndWrapFromEitherListBox) {
  const std::vector<HWND> stops = {
      form->Button1.Handle,       form->RadioButton1.Handle, form->Edit2.Handle,
      form->CheckBox1.Handle,     form->CheckBox2.Handle,    form->CheckBox3.Handle,
      form->CheckBox4.Handle,     form->CheckBox5.Handle,    form->CheckBox7.Handle,
      form->Memo2.Handle,         form->RadioButton5.Handle, form->Edit3.Handle,
      form->Button2.Handle,       form->CheckBox6.Handle,    form->CheckBox8.Handle,
      form->RadioButton17.Handle, form->Edit4.Handle,        form->Memo1.Handle};
  const size_t n = stops.size();
  form->Memo2.SetText("ab");
  form->Memo1.SetText("list");
  for (TControl* start : {&form->Memo2, &form->Memo1}) {
    const size_t at = std::find(stops.begin(), stops.end(), start->Handle) - stops.begin();
    for (bool back : {false, true}) {
      start->SetFocus();
      for (size_t i = 1; i <= n; ++i) {
        Press(VK_TAB, back);
        EXPECT_EQ(GetFocus(), stops[(at + (back ? n - i % n : i)) % n])
            << (back ? "Shift+Tab " : "Tab ") << i << " from stop " << at;
      }
    }
  }
  EXPECT_EQ(form->Memo2.Text(), "ab") << "no Tab character typed";
  EXPECT_EQ(List(), "list");
}

TEST_F(MainWindowTest, EnterStartsANewLineInAListBoxAndPressesAFocusedButtonAsSpaceDoes) {
  form->Memo2.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(form->Memo2.Text(), "\r\n");
  form->Button1.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(List().size(), 10u) << List();  // eight letters and a line break
  form->Button2.SetFocus();
  Press(VK_SPACE);
  EXPECT_EQ(List(), "");
}

TEST_F(MainWindowTest, ArrowsMoveWithinARadioGroupAndTabEntersItAtTheCheckedButton) {
  form->RadioButton1.SetFocus();
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), form->RadioButton4.Handle);
  EXPECT_TRUE(form->RadioButton4.Checked());
  EXPECT_FALSE(form->RadioButton1.Checked());
  form->Button1.SetFocus();
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), form->RadioButton4.Handle);
  form->CheckBox1.SetFocus();
  Press(VK_TAB, true);
  Press(VK_TAB, true);
  EXPECT_EQ(GetFocus(), form->RadioButton4.Handle);
}

TEST_F(MainWindowTest, EscInEitherListBoxLeavesTheWindowOpen) {
  for (TControl* box : {&form->Memo2, &form->Memo1}) {
    box->SetText("kept");
    box->SetFocus();
    Press(VK_ESCAPE);
    Pump();
    ASSERT_TRUE(IsWindow(form->Handle));
    EXPECT_EQ(box->Text(), "kept");
  }
}

TEST_F(MainWindowTest, AtTheSmallestSizeThePanelGenerateAndThreeListLinesStayVisible) {
  form->SetBounds(200, 100, 50, 50);
  const RECT r = form->BoundsRect();
  const SIZE minimum = form->MinTrackSize();
  EXPECT_EQ(r.right - r.left, minimum.cx);
  EXPECT_EQ(r.bottom - r.top, minimum.cy);
  RECT client;
  GetClientRect(form->Handle, &client);
  const auto inClient = [&](const TControl& c) {
    RECT b;
    GetWindowRect(c.Handle, &b);
    MapWindowPoints(HWND_DESKTOP, form->Handle, reinterpret_cast<POINT*>(&b), 2);
    return b;
  };
  EXPECT_LE(inClient(form->GroupBox4).right, client.right);
  EXPECT_LE(inClient(form->Button1).bottom, inClient(form->Memo1).top);
  RECT status;
  GetWindowRect(form->StatusBar.Handle, &status);
  MapWindowPoints(HWND_DESKTOP, form->Handle, reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(inClient(form->Memo1).bottom, status.top);
  // The third line's last pixel row is inside the list.
  form->Memo1.SetText("one\r\ntwo\r\nthree\r\nfour\r\nfive");
  const auto lineTop = [&](int line) {
    const LRESULT at = SendMessageA(form->Memo1.Handle, EM_LINEINDEX, line, 0);
    return static_cast<int>(HIWORD(SendMessageA(form->Memo1.Handle, EM_POSFROMCHAR, at, 0)));
  };
  RECT list;
  GetClientRect(form->Memo1.Handle, &list);
  EXPECT_LE(lineTop(2) + (lineTop(1) - lineTop(0)), list.bottom);
}

TEST_F(MainWindowTest, NoSizeGripIsLeftBehindWhenTheWindowGrows) {
  form->SetBounds(100, 100, 760, 560);
  UpdateWindow(form->Handle);
  RECT before;
  GetClientRect(form->StatusBar.Handle, &before);
  form->SetBounds(100, 100, 900, 600);
  RedrawWindow(form->Handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Where the grip was, the empty bar shows only its face colour.
  HDC dc = GetDC(form->StatusBar.Handle);
  const auto release = WindowDcGuard(form->StatusBar.Handle, dc);
  int marks = 0;
  for (int x = before.right - 16; x < before.right; ++x)
    for (int y = before.bottom - 16; y < before.bottom; ++y)
      if (GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE)) ++marks;
  EXPECT_EQ(marks, 0);
}

namespace {

// The room text takes in the control's own font: one line, or lines broken within a width.
RECT TextRect(HWND control, const std::string& text, UINT format, int width = 0) {
  HDC dc = GetDC(control);
  const auto release = WindowDcGuard(control, dc);
  const auto font =
      SelectedFor(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | format);
  return r;
}

int TextWidth(HWND control, const std::string& text) {
  return TextRect(control, text, DT_SINGLELINE).right;
}

int Width(const TControl& c) {
  const RECT r = c.BoundsRect();
  return r.right - r.left;
}

// What a control's caption or value needs beyond the room the control gives it; "" when it fits.
std::string Overflow(TControl& c) {
  const std::string text = c.Text();
  if (auto* spinner = dynamic_cast<TUpDown*>(&c)) {
    // The widest values its field shows: the largest ("1,000") and the widest position a settings
    // file can hand over (16 bits, signed). An edit field draws inside its formatting rectangle.
    const int was = spinner->Position();
    TEdit& field = *spinner->Associate;
    std::string overflow;
    for (int value : {spinner->Max, -32768}) {
      spinner->SetPosition(value);
      RECT format{};
      SendMessageA(field.Handle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      const int need = TextWidth(field.Handle, field.Text()), room = format.right - format.left;
      if (need > room)
        overflow += field.Text() + " needs " + std::to_string(need) + " of " + std::to_string(room);
    }
    spinner->SetPosition(was);
    return overflow;
  }
  if (text.empty()) return "";
  const int dpi = WindowDpi(c.Handle);
  int need = 0;
  if (dynamic_cast<TCheckable*>(&c)) {
    // The box or circle, a gap, the caption.
    need = GetSystemMetrics(SM_CXMENUCHECK) + ScaleForDpi(4, dpi) + TextWidth(c.Handle, text);
  } else if (dynamic_cast<TButton*>(&c)) {
    need = TextWidth(c.Handle, text) + ScaleForDpi(12, dpi);
  } else if (dynamic_cast<TGroupBox*>(&c)) {
    need = TextWidth(c.Handle, text) + ScaleForDpi(16, dpi);
  } else if (dynamic_cast<TLabel*>(&c)) {
    const RECT r = TextRect(c.Handle, text, DT_WORDBREAK, Width(c));
    const RECT box = c.BoundsRect();
    if (r.bottom > box.bottom - box.top)
      return text + " needs " + std::to_string(r.bottom) + " high";
    need = r.right;
  }
  return need > Width(c)
             ? text + " needs " + std::to_string(need) + " of " + std::to_string(Width(c))
             : "";
}

// The window's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Named(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string(name) + " \"" + WindowText(window) + "\"";
}

// Where a shown control breaks the layout: not inside its parent (below a group box's caption),
// or overlapping a shown sibling; "" when it keeps to its place.
std::string Misplaced(HWND control) {
  if (!IsWindowVisible(control)) return "";
  HWND parent = GetParent(control);
  RECT room, both;
  GetClientRect(parent, &room);
  if (dynamic_cast<TGroupBox*>(TControl::FromHandle(parent)))
    room.top = TextRect(parent, WindowText(parent), DT_SINGLELINE).bottom;
  const RECT r = InParent(control);
  if (r.left < room.left || r.top < room.top || r.right > room.right || r.bottom > room.bottom)
    return Named(control) + " leaves " + Named(parent);
  for (HWND other = GetWindow(control, GW_HWNDNEXT); other; other = GetWindow(other, GW_HWNDNEXT)) {
    const RECT o = InParent(other);
    if (IsWindowVisible(other) && IntersectRect(&both, &r, &o))
      return Named(control) + " overlaps " + Named(other);
  }
  return "";
}

}  // namespace

// Run at 96 DPI with the suite and again at 144 and 192 DPI (ui_layout_144dpi, ui_layout_192dpi):
// the main window, the About box and the two option boxes.
TEST_F(MainWindowTest, EveryControlFitsItsGroupOverlapsNoOtherAndSizesFollowTheDpi) {
  const int dpi = WindowDpi(form->Handle);
  EXPECT_EQ(Width(form->Button1), ScaleForDpi(75, dpi));
  // The panel right under the tool bar, the list right under the panel.
  EXPECT_EQ(InParent(form->Panel1.Handle).top, InParent(form->ToolBar1.Handle).bottom);
  EXPECT_EQ(InParent(form->Memo1.Handle).top, InParent(form->Panel1.Handle).bottom);
  TAboutBox about;
  about.Create();
  TLeaveOutForm leaveOut;
  leaveOut.Create();
  TPassphraseForm passphrases;
  passphrases.Create();
  for (HWND window : {form->Handle, about.Handle, leaveOut.Handle, passphrases.Handle})
    for (HWND child : FindControls(window, nullptr)) {
      if (TControl* c = TControl::FromHandle(child)) {
        EXPECT_EQ(Overflow(*c), "") << dpi << " DPI";
      }
      EXPECT_EQ(Misplaced(child), "") << dpi << " DPI";
    }
}

TEST_F(MainWindowTest, OptionsMenuOffersTheNewOptionsAfterTheSchemesBehindASeparator) {
  const auto captions = [](HMENU menu) {
    std::string all;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      all += std::string(text) + (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED ? "*|" : "|");
    }
    return all;
  };
  HMENU options = GetSubMenu(GetMenu(form->Handle), 2);
  EXPECT_EQ(captions(options),
            "Color scheme||At least one of each chosen set|"
            "Leave out characters...|Clear clipboard after||Make passphrases...|");
  EXPECT_EQ(captions(GetSubMenu(options, 4)), "Never*|10 seconds|30 seconds|1 minute|5 minutes|");
  SendMessageA(form->Handle, WM_COMMAND, form->mniAtLeastOneOfEach.Id, 0);
  SendMessageA(form->Handle, WM_COMMAND, form->mniClear1m.Id, 0);
  EXPECT_EQ(captions(GetSubMenu(options, 4)), "Never|10 seconds|30 seconds|1 minute*|5 minutes|");
  // The status bar follows: 8 of 94 characters with one of each class, not 8 x log2 94 = 52.4.
  form->CheckBox2.SetChecked(true);
  form->CheckBox3.SetChecked(true);
  form->CheckBox4.SetChecked(true);
  form->IdleUpdate();
  EXPECT_EQ(Status(), "Each password: 51 bits (fair)");
  // A length of 81 is measured anew, not taken for 8 and the flags after it: 81 of 62 characters,
  // holding an x, a capital and a digit.
  form->Memo2.SetText("1x");
  form->IdleUpdate();
  form->CheckBox4.SetChecked(false);
  form->CheckBox7.SetChecked(true);
  form->Memo2.SetText("x");
  form->RadioButton9.SetChecked(true);
  form->UpDown1.SetPosition(81);
  form->IdleUpdate();
  EXPECT_EQ(Status(), "Each password: 482 bits (very strong)");
}

// Plays the user in the "Leave out characters" box once it shows: types the text, then the key.
void AnswerLeaveOutBox(const wchar_t* text, WPARAM key) {
  static const wchar_t* typed;
  static WPARAM pressed;
  typed = text, pressed = key;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND field = FindWindowExA(FindWindowA("TLeaveOutForm", "Leave out characters"), nullptr,
                               "Edit", nullptr);
    SetWindowTextW(field, typed);
    PostMessageA(field, WM_KEYDOWN, pressed, 1);
  });
}

TEST_F(MainWindowTest, TheLeaveOutBoxTakesItsTextOnEnterAndKeepsTheOldOnEscape) {
  // Characters the code page lacks are dropped, never read as "?" or a look-alike.
  AnswerLeaveOutBox(L" \"\\'abcdefghijk\u0142mnopqrstuvw\U0001F600", VK_RETURN);
  SendMessageA(form->Handle, WM_COMMAND, form->mniLeaveOut.Id, 0);
  EXPECT_EQ(form->LeaveOutCharacters, " \"\\'abcdefghijkmnopqrstuvw");
  AnswerLeaveOutBox(L"", VK_ESCAPE);
  form->mniLeaveOutClick();
  EXPECT_EQ(form->LeaveOutCharacters, " \"\\'abcdefghijkmnopqrstuvw");
  // Over a control without a hint the status bar shows the strength: 8 x log2 4 (l, x, y, z).
  PostMessageA(form->Button1.Handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(Status(), "Each password: 16 bits (weak)");
}
