// Text tests of the start-up and uninstall code.
#include "install/InstallText.h"

#include <gtest/gtest.h>

TEST(StartsWithText, IgnoresTheCaseOfPlainLettersOnly) {
  EXPECT_TRUE(StartsWithText("C:\\Projects\\", "c:\\PROJECTS\\x.exe"));
  EXPECT_TRUE(StartsWithText("c:\\projects\\", "C:\\Projects\\"));
  EXPECT_FALSE(StartsWithText("C:\\Projects\\", "C:\\Project\\x.exe"));
  // Letters beyond A-Z are compared as bytes: "\xC9" (E acute) is not "\xE9" (e acute).
  EXPECT_FALSE(StartsWithText("\xC9", "\xE9t\xE9"));
  EXPECT_TRUE(StartsWithText("\xC9", "\xC9t\xE9"));
}

TEST(StartsWithText, ShortTextNeverStartsWithALongerPrefixAndEmptyPrefixStartsAll) {
  EXPECT_FALSE(StartsWithText("abc", "ab"));
  EXPECT_FALSE(StartsWithText("abc", ""));
  EXPECT_TRUE(StartsWithText("", ""));
  EXPECT_TRUE(StartsWithText("", "anything"));
}

TEST(EndsWithText, ComparesTheTailIgnoringCaseOfPlainLetters) {
  EXPECT_TRUE(EndsWithText("\\", "sub\\"));
  EXPECT_FALSE(EndsWithText("\\", "sub/"));
  EXPECT_TRUE(EndsWithText(".EXE", "x.exe"));
  EXPECT_FALSE(EndsWithText(".exe", "x.ex"));
  EXPECT_FALSE(EndsWithText("long suffix", "fix"));
  EXPECT_TRUE(EndsWithText("", "x"));
  EXPECT_FALSE(EndsWithText("\\", ""));
}
