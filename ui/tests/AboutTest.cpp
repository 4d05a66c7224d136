// The About box: its layout and texts, the link label, and how Help > About... shows it.
#include "ui/About.h"

#include <commctrl.h>

#include "framework/Owned.h"
#include "tests/support/GdiCount.h"
#include "ui/tests/MainWindowFixture.h"

namespace {

class AboutTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    about = std::make_unique<TAboutBox>();
    AboutBox = about.get();
    about->Create();
  }
  void TearDown() override {
    AboutBox = nullptr;
    about.reset();
    MainWindowTest::TearDown();
  }
  // Runs `check` from inside the modal loop of the next showing, then presses OK.
  void WhileShown(std::function<void()> check) {
    pending = std::move(check);
    current = this;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      current->pending();
      SendMessageA(current->about->OKButton.Handle, BM_CLICK, 0, 0);
    });
  }
  std::unique_ptr<TAboutBox> about;
  std::function<void()> pending;
  static AboutTest* current;
};
AboutTest* AboutTest::current = nullptr;

// Where its controls sit is checked with every window's at each DPI (WindowTest.cpp).
TEST_F(AboutTest, HasItsCaptionAndAFrameThatDoesNotResize) {
  char caption[32] = {};
  GetWindowTextA(about->Handle, caption, sizeof caption);
  EXPECT_STREQ(caption, "About");
  const LONG style = GetWindowLongA(about->Handle, GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_CAPTION, 0);
}

TEST_F(AboutTest, ShowsTheNewVersionAndTheFixedTexts) {
  EXPECT_EQ(about->lbVersion.Text(), "Version 1.3.0");
  EXPECT_EQ(about->ProductName.Text(), "Tallowmere");
  EXPECT_EQ(about->Comments.Text(), "Store your passwords in secure place!");
  EXPECT_EQ(about->Copyright.Text().rfind("Copyright", 0), 0u);
  EXPECT_EQ(about->Label1.Text().rfind("https://", 0), 0u);
}

TEST_F(AboutTest, TheLinkIsBlueBoldUnderlinedWithAHandCursor) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(about->Label1.Handle, WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
  EXPECT_GE(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(lf.lfHeight, -11);

  HDC dc = GetDC(about->Label1.Handle);
  const auto release = WindowDcGuard(about->Label1.Handle, dc);
  SendMessageA(about->Panel1.Handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(about->Label1.Handle));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));

  SendMessageA(about->Label1.Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(about->Label1.Handle),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(AboutTest, OkIsTheDefaultButtonAndEnterClosesWithOk) {
  EXPECT_NE(SendMessageA(about->OKButton.Handle, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
  WhileShown([this] {
    EXPECT_EQ(GetFocus(), about->OKButton.Handle);
    MSG enter{};
    enter.hwnd = about->OKButton.Handle;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_TRUE(about->PreTranslate(enter));
    EXPECT_EQ(about->ModalResultValue, mrOk);
  });
  EXPECT_EQ(about->ShowModal(), mrOk);
  EXPECT_FALSE(IsWindowVisible(about->Handle));
}

TEST_F(AboutTest, HelpAboutShowsItModallyCentredFirstThenWhereItWasLeft) {
  RECT first{};
  WhileShown([&] {
    EXPECT_TRUE(IsWindowVisible(about->Handle));
    EXPECT_FALSE(IsWindowEnabled(form->Handle));
    GetWindowRect(about->Handle, &first);
    SetWindowPos(about->Handle, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  });
  form->HelpAbout1.Execute();
  EXPECT_TRUE(IsWindowEnabled(form->Handle));
  EXPECT_FALSE(IsWindowVisible(about->Handle));
  EXPECT_TRUE(IsWindow(about->Handle));  // hidden, not destroyed
  EXPECT_NEAR((first.left + first.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR((first.top + first.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

  RECT second{};
  WhileShown([&] {
    GetWindowRect(about->Handle, &second);
    EXPECT_EQ(about->lbVersion.Text(), "Version 1.3.0");
  });
  form->HelpAbout1Execute();
  EXPECT_EQ(second.left, 20);
  EXPECT_EQ(second.top, 30);
}

TEST_F(AboutTest, OpeningAndClosingItTenTimesLeavesNoGdiObjectBehind) {
  const auto openAndClose = [this] {
    about = std::make_unique<TAboutBox>();
    about->Create();
    WhileShown([] {});
    about->ShowModal();
    about.reset();
  };
  openAndClose();  // the first showing loads what the system then keeps for the process
  const size_t before = GdiObjectCount();
  for (int i = 0; i < 10; ++i) openAndClose();
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_EQ(Application.Forms.size(), 1u);  // the main window's hooks alone
}

}  // namespace
