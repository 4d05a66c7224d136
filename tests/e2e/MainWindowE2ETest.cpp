// The real program started as a user starts it: the window, a Generate, a close.
#include <gtest/gtest.h>

#include "tests/e2e/AppDriver.h"

namespace {

// The password list is the only multi-line edit that is a direct child of the main window.
HWND PasswordList(HWND main) {
  for (HWND edit : FindControls(main, "Edit"))
    if (GetParent(edit) == main) return edit;
  return nullptr;
}

}  // namespace

TEST(MainWindowE2E, GenerateAppendsPasswordsAndClosingEndsWithExitCodeZero) {
  AppDriver app;
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  HWND list = PasswordList(main);
  ASSERT_NE(list, nullptr);

  ClickButton(FindControl(main, "Button", "3"));
  ClickButton(FindControl(main, "Button", "UPPERcase letters (A..Z)"));
  ClickButton(FindControl(main, "Button", "Generate"));
  const std::string text = WindowText(list);
  ASSERT_EQ(text.size(), 3 * (8 + 2)) << text;
  bool sawUpper = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << text;
    sawUpper |= c >= 'A' && c <= 'Z';
  }
  EXPECT_TRUE(sawUpper) << "24 letters from 52 without one capital: " << text;

  ClickButton(FindControl(main, "Button", "Clear"));
  EXPECT_EQ(WindowText(list), "");

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}

TEST(MainWindowE2E, AnyOtherFirstArgumentStartsNormally) {
  AppDriver app("/install extra");
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
}
