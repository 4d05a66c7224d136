// Text tests of the start-up and uninstall code, and the uninstaller's reports.
#include "install/core/InstallText.h"

#include <gtest/gtest.h>

#include "install/core/UninstallMessages.h"

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

// The uninstaller's reports.

TEST(CompletionText, NothingLeftIsTheBareReport) {
  EXPECT_EQ(CompletionText({}), "Uninstall complete.");
}

TEST(CompletionText, WhatStayedIsListedUnderTheReport) {
  EXPECT_EQ(CompletionText({"C:\\B\\sub\\", "C:\\B\\x.txt"}),
            "Uninstall complete.\r\n\r\nLeft behind; you can remove these yourself:"
            "\r\nC:\\B\\sub\\\r\nC:\\B\\x.txt");
}

TEST(CompletionText, AtMostTenPathsThenHowManyMore) {
  std::vector<std::string> left;
  for (char c = 'a'; c <= 'l'; ++c) left.push_back(std::string(1, c));
  const std::string text = CompletionText(left);
  EXPECT_NE(text.find("\r\nj\r\nand 2 more"), std::string::npos) << text;
  EXPECT_EQ(text.find("\r\nk"), std::string::npos) << text;
  left.pop_back();
  left.pop_back();
  EXPECT_EQ(CompletionText(left).find("more"), std::string::npos);
}

TEST(RunOnceRefusedText, GivesTheSystemsReasonAndAsksForAdministratorRightsOnlyWhenRefused) {
  const std::string missing = RunOnceRefusedText("File not found.", false);
  EXPECT_EQ(missing.rfind("Brindlecast cannot be uninstalled", 0), 0u);
  EXPECT_NE(missing.find("\r\n\r\nFile not found.\r\n\r\nNothing has been removed."),
            std::string::npos);
  EXPECT_EQ(missing.find("administrator"), std::string::npos);
  EXPECT_NE(RunOnceRefusedText("Access denied.", true)
                .find("Access denied.\r\n\r\nUninstalling needs administrator rights: right-click"),
            std::string::npos);
}
