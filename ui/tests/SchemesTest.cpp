// Colour schemes: the checked menu item, the panel and window colours, and what the screen shows.
#include <algorithm>

#include "framework/Owned.h"
#include "ui/Options.h"
#include "ui/tests/MainWindowFixture.h"

namespace {

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const auto release = WindowDcGuard(window, dc);
  return GetPixel(dc, x, y);
}

COLORREF PixelAt(const TControl& control, int x, int y) { return PixelAt(control.Handle, x, y); }

// The schemes' rows, by their place in the menu.
const ColorScheme& kYellow = kColorSchemes[3];
const ColorScheme& kBlue = kColorSchemes[4];

class SchemesTest : public MainWindowTest {
 protected:
  std::vector<bool> CheckedItems() const {
    return {form->mniDefault.Checked(), form->mniWhite.Checked(), form->mniGray.Checked(),
            form->mniYellow.Checked(), form->mniBlue.Checked()};
  }
  void ChooseMenuItem(const TMenuItem& item) { SendMessageA(form->Handle, WM_COMMAND, item.Id, 0); }
  void Repaint() {
    RedrawWindow(form->Handle, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
};

TEST_F(SchemesTest, EachMenuItemChecksItselfAndColoursThePanelAndWindow) {
  // Default last, so that each item is chosen from another scheme.
  for (int scheme : {1, 2, 3, 4, 0}) {
    const TMenuItem& item = form.get()->*kColorSchemes[scheme].item;
    ChooseMenuItem(item);
    EXPECT_TRUE(item.Checked()) << item.Caption;
    const std::vector<bool> checked = CheckedItems();
    EXPECT_EQ(std::count(checked.begin(), checked.end(), true), 1) << item.Caption;
    EXPECT_EQ(form->Panel1.Color, kColorSchemes[scheme].color) << item.Caption;
    EXPECT_EQ(form->Color, kColorSchemes[scheme].color) << item.Caption;
  }
}

TEST_F(SchemesTest, TheToolBarStripShowsEachSchemesColour) {
  for (const TMenuItem* item :
       {&form->mniWhite, &form->mniGray, &form->mniYellow, &form->mniBlue, &form->mniDefault}) {
    ChooseMenuItem(*item);
    UpdateWindow(form->ToolBar1.Handle);
    EXPECT_EQ(PixelAt(form->ToolBar1.Handle, 600, 20), ColorToRGB(form->Color)) << item->Caption;
  }
}

TEST_F(SchemesTest, YellowTwiceChangesNothingAndDefaultAfterBlueRestoresButtonFace) {
  form->mniYellowClick();
  form->mniYellowClick();
  EXPECT_EQ(CheckedItems(), (std::vector<bool>{false, false, false, true, false}));
  EXPECT_EQ(form->Panel1.Color, kYellow.color);
  form->mniBlueClick();
  EXPECT_EQ(form->Panel1.Color, kBlue.color);
  form->mniDefaultClick();
  EXPECT_EQ(CheckedItems(), (std::vector<bool>{true, false, false, false, false}));
  EXPECT_EQ(ColorToRGB(form->Panel1.Color), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SchemesTest, NumbersOutsideZeroToFourChangeNothing) {
  form->SetScheme(4);
  for (int scheme : {5, -1, 7, 1000}) {
    form->SetScheme(scheme);
    EXPECT_EQ(CheckedItems(), (std::vector<bool>{false, false, false, false, true})) << scheme;
    EXPECT_EQ(form->Panel1.Color, kBlue.color) << scheme;
    EXPECT_EQ(form->Color, kBlue.color) << scheme;
  }
}

TEST_F(SchemesTest, GroupBoxesCheckBoxesAndRadioButtonsShowThePanelColourTextFieldsDoNot) {
  form->mniYellowClick();
  Repaint();
  const COLORREF yellow = ColorToRGB(kYellow.color);
  EXPECT_EQ(PixelAt(form->Panel1, 740, 200), yellow);      // bare panel
  EXPECT_EQ(PixelAt(form->GroupBox2, 215, 200), yellow);   // inside a group box, by the memo
  EXPECT_EQ(PixelAt(form->CheckBox5, 205, 8), yellow);     // right end of a check box
  EXPECT_EQ(PixelAt(form->RadioButton3, 100, 8), yellow);  // right of a radio caption
  EXPECT_EQ(PixelAt(form->CheckBox6, 220, 8), yellow);     // check box right on the panel
  EXPECT_EQ(PixelAt(form->Memo2, 100, 25), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelAt(form->Edit3, 20, 10), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelAt(form->Memo1, 300, 50), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelAt(form->Button1, 6, 20), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
