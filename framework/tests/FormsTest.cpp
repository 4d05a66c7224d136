// Forms: errors in handlers are shown and the program goes on; a failing close keeps the form open.
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/SystemError.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/WaitUntil.h"

namespace {

class TestForm : public TForm {
 public:
  TestForm() : TForm("TTestForm") { Caption = "Test"; }
  bool throwOnCreate = false, throwOnClose = false, ranAfterThrow = false, noButton = false;
  TButton Button;
  int closes = 0;

 protected:
  void CreateControls() override {
    if (noButton) return;
    std::vector<ControlDef> table = {{&Button, nullptr, "Go", 8, 8, 75, 25}};
    CreateTable(table);
  }
  void FormCreate() override {
    if (throwOnCreate) throw Exception("Invalid data type for 'AppData'");
    ranAfterThrow = true;
  }
  void FormClose() override {
    ++closes;
    if (throwOnClose) throw Exception("Unable to write to C:\\x.ini");
  }
};

// Makes the system refuse this thread's windows of one class, as when it runs short.
class WindowRefusal {
 public:
  explicit WindowRefusal(const char* className) {
    className_ = className;
    hook_ = SetWindowsHookExA(WH_CBT, Refuse, nullptr, GetCurrentThreadId());
  }
  ~WindowRefusal() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const char* cls = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
      if (!IS_INTRESOURCE(cls) && lstrcmpiA(cls, className_) == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline const char* className_ = nullptr;
  HHOOK hook_;
};

struct FormsTest : testing::Test {
  void TearDown() override {
    Application.Terminated = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
};

}  // namespace

TEST_F(FormsTest, AnErrorInTheCreationHandlerIsShownAndTheWindowStillOpens) {
  BoxWatcher watcher;
  TestForm form;
  form.throwOnCreate = true;
  form.Create();
  EXPECT_TRUE(IsWindow(form.Handle));
  EXPECT_FALSE(form.ranAfterThrow);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Invalid data type for 'AppData'");  // "'" sorts below "."
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_TRUE(seen[0].hasIcon);
}

TEST_F(FormsTest, AnErrorInAClickHandlerIsShownAndNothingElseHappens) {
  BoxWatcher watcher;
  TestForm form;
  form.Create();
  form.Button.OnClick = [] { throw Exception("Cannot open clipboard"); };
  SendMessageA(form.Button.Handle, BM_CLICK, 0, 0);
  form.Button.OnClick = [] { throw EAbort(); };  // silent
  SendMessageA(form.Button.Handle, BM_CLICK, 0, 0);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Cannot open clipboard.");
}

// Any program may send the message: a DPI no screen has is taken as the largest the system knows,
// and one without the suggested rectangle is passed over.
TEST_F(FormsTest, AnImpossibleDpiIsTakenAsTheLargestTheSystemKnows) {
  TestForm form;
  form.Create();
  RECT suggested{0, 0, 400, 300};
  SendMessageA(form.Handle, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  SendMessageA(form.Handle, WM_DPICHANGED, MAKEWPARAM(20000, 20000),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi, 480);
}

// Another program asking a control for its text changes nothing: the idle updates, which read every
// option, do not run again for it. A click it sends does change something, and they follow.
TEST_F(FormsTest, QuestionsFromAnotherThreadLeaveTheIdleUpdatesAloneAClickMakesThemRun) {
  TestForm form;
  form.Create();
  form.Show(SW_SHOW);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  std::atomic<int> idles = 0, idlesAfterQuestions = -1;
  Application.AddForm({form.Handle, [&idles] { ++idles; }, [](MSG&) { return false; }});
  Application.IdleDue = true;
  std::thread other([&] {
    WaitUntil([&idles] { return idles == 1; }, 2000, 1);
    char text[16];
    for (int i = 0; i < 20; ++i) {
      SendMessageA(form.Button.Handle, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
      SendMessageA(form.Handle, WM_GETTEXTLENGTH, 0, 0);
    }
    idlesAfterQuestions = idles.load();
    SendMessageA(form.Button.Handle, BM_CLICK, 0, 0);
    WaitUntil([&idles] { return idles == 2; }, 2000, 1);
    PostMessageA(form.Handle, WM_QUIT, 0, 0);
  });
  while (Application.HandleOneMessage()) {
  }
  other.join();
  Application.RemoveForm(form.Handle);
  EXPECT_EQ(idlesAfterQuestions, 1);
  EXPECT_EQ(idles, 2);
}

TEST_F(FormsTest, AFailingCloseKeepsTheMainFormOpenAndTriesAgainNextTime) {
  BoxWatcher watcher;
  TestForm form;
  form.Create();
  Application.MainWindow = form.Handle;
  form.throwOnClose = true;
  form.Close();
  form.Close();
  EXPECT_TRUE(IsWindow(form.Handle));
  EXPECT_FALSE(Application.Terminated);
  EXPECT_EQ(watcher.CountCaption(ApplicationTitle()), 2u);
  form.throwOnClose = false;
  form.Close();
  EXPECT_FALSE(IsWindow(form.Handle));
  EXPECT_TRUE(Application.Terminated);
  EXPECT_EQ(form.closes, 3);
}

TEST_F(FormsTest, AKeyWithNoShortcutRunsNoActionThatHasNone) {
  TestForm form;
  form.Create();
  TActionList actions;
  TAction exit;  // no shortcut, as File > Exit
  int runs = 0;
  exit.OnExecute = [&runs] { ++runs; };
  actions.Add(exit);
  form.Actions = &actions;
  MSG key{};  // a key the layout maps to no virtual key, pressed without modifiers
  key.hwnd = form.Handle;
  key.message = WM_KEYDOWN;
  form.PreTranslate(key);
  EXPECT_EQ(runs, 0);
}

TEST_F(FormsTest, AFormOrControlTheSystemRefusesToMakeRaisesAndTheFormDoesNotGoOn) {
  // The form without its button first: a failing child would hide an unchecked form window.
  for (const std::string refused : {"TTestForm", "Button"}) {
    TestForm form;
    form.noButton = refused == "TTestForm";
    {
      WindowRefusal refusal(refused.c_str());
      EXPECT_THROW(form.Create(), Exception) << refused;
    }
    EXPECT_FALSE(form.ranAfterThrow) << refused;
  }
}

TEST_F(FormsTest, AClassRegisteredAlreadyIsFineButOneTheSystemRefusesRaises) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TTwiceRegistered";
  RegisterWindowClass(wc);
  EXPECT_NO_THROW(RegisterWindowClass(wc));
  wc.lpszClassName = "TRefused";
  wc.cbWndExtra = -1;
  try {
    RegisterWindowClass(wc);
    FAIL() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), SystemErrorText(ERROR_INVALID_PARAMETER));
  }
}
