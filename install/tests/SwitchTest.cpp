// The "/uninstall" switch: when it asks, what it sets, and when it uninstalls.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "install/Install.h"
#include "tests/support/BoxWatcher.h"

namespace {

class Switch : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    TerminateRequested = false;
    Application.Terminated = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  static bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }
  int uninstalls_ = 0;
  bool silent_ = false;
  int Check(const std::string& commandLine) {
    return CheckUninstallSwitch(commandLine, [this](bool silent) {
      ++uninstalls_;
      silent_ = silent;
      return UninstallExit::LeftBehind;
    });
  }
};

}  // namespace

TEST_F(Switch, OtherFirstArgumentsAskNothingAndLeaveTheFlagClear) {
  BoxWatcher watcher;
  for (const char* line :
       {"Tallowmere.exe", "Tallowmere.exe -uninstall", "Tallowmere.exe uninstall",
        "Tallowmere.exe /uninstallx", "Tallowmere.exe /x /uninstall"}) {
    Check(line);
    EXPECT_FALSE(TerminateRequested) << line;
  }
  EXPECT_FALSE(Application.Terminated);
  EXPECT_FALSE(QuitPosted());
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_EQ(uninstalls_, 0);
}

TEST_F(Switch, AnsweredNoEndsTheStartWithoutUninstalling) {
  BoxWatcher watcher;
  watcher.Answer(BoxWatcher::PressEscape);
  Check("\"C:\\Program Files\\B\\Tallowmere.exe\" /UNINSTALL");
  EXPECT_TRUE(TerminateRequested);
  EXPECT_TRUE(Application.Terminated);
  EXPECT_TRUE(QuitPosted());
  EXPECT_EQ(uninstalls_, 0);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Confirm");
  EXPECT_EQ(seen[0].text, "Are you sure to remove Brindlecast?");
}

TEST_F(Switch, AnsweredYesUninstallsOnceAndEndsTheStart) {
  BoxWatcher watcher;
  watcher.Answer(IDOK);
  Check("Tallowmere.exe /Uninstall");
  EXPECT_EQ(uninstalls_, 1);
  EXPECT_TRUE(TerminateRequested);
  EXPECT_TRUE(Application.Terminated);
}

TEST_F(Switch, SilentUninstallsWithoutAskingAndEndsWithItsCode) {
  BoxWatcher watcher;
  EXPECT_EQ(Check("Tallowmere.exe /uninstall /S"), 5);
  EXPECT_EQ(uninstalls_, 1);
  EXPECT_TRUE(silent_);
  EXPECT_TRUE(watcher.Seen().empty());
}
