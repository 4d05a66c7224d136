// Options, window bounds and colour scheme survive a restart of the real program.
#include <gtest/gtest.h>

#include "tests/e2e/AppDriver.h"
#include "tests/support/Files.h"

namespace {

std::string ReadIniValue(const char* section, const char* key) {
  char value[256] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, SettingsFilePath().c_str());
  return value;
}

}  // namespace

TEST(SettingsE2E, OptionsBoundsAndSchemeComeBackAfterARestart) {
  DeleteFileA(SettingsFilePath().c_str());
  CreateDirectoryA(SettingsFolderPath().c_str(), nullptr);  // as an earlier run leaves it
  // A scheme picked earlier (the menu is not reachable from another process under Wine).
  WritePrivateProfileStringA("Settings", "ColorScheme", "3", SettingsFilePath().c_str());
  {
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    ASSERT_NE(main, nullptr);
    ClickButton(FindControl(main, "Button", "16"));
    ClickButton(FindControl(main, "Button", "Numbers (0..9)"));
    ClickButton(FindControl(main, "Button", "Groups of"));
    SetWindowPos(main, nullptr, 100, 120, 740, 550, SWP_NOZORDER);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(app.WaitForExit(), 0u);
  }
  EXPECT_EQ(ReadIniValue("Settings", "NumChars"), "16");
  EXPECT_EQ(ReadIniValue("Form", "Left"), "100");

  AppDriver app;
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsChecked(FindControl(main, "Button", "16")));
  EXPECT_FALSE(IsChecked(FindControl(main, "Button", "8")));
  EXPECT_TRUE(IsChecked(FindControl(main, "Button", "Numbers (0..9)")));
  EXPECT_TRUE(IsChecked(FindControl(main, "Button", "lowercase letters (a..z)")));
  EXPECT_TRUE(IsChecked(FindControl(main, "Button", "Groups of")));
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 740);
  EXPECT_EQ(r.bottom - r.top, 550);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitForExit(), 0u);
  // Written back from the checked menu item: the scheme was applied at start and kept.
  EXPECT_EQ(ReadIniValue("Settings", "ColorScheme"), "3");
  DeleteFileA(SettingsFilePath().c_str());
}
