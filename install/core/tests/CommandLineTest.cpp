// The first command-line argument and the "/uninstall" switch.
#include "install/core/CommandLine.h"

#include <gtest/gtest.h>

TEST(FirstArgument, SkipsTheProgramPathQuotedOrNot) {
  EXPECT_EQ(FirstArgument("Tallowmere.exe /uninstall"), "/uninstall");
  EXPECT_EQ(FirstArgument("\"C:\\Program Files\\B\\Tallowmere.exe\" /uninstall"), "/uninstall");
  // Only a blank or control character ends a token, also after a closing quote.
  EXPECT_EQ(FirstArgument("\"C:\\Program Files\\B\\Tallowmere.exe\"/uninstall"), "");
  EXPECT_EQ(FirstArgument("C:\\Pro\"gram Fi\"les\\x.exe next"), "next");
}

TEST(FirstArgument, NoArgumentGivesEmptyText) {
  EXPECT_EQ(FirstArgument(""), "");
  EXPECT_EQ(FirstArgument("x.exe"), "");
  EXPECT_EQ(FirstArgument("x.exe   \t "), "");
  EXPECT_EQ(FirstArgument("\"C:\\a b\\x.exe\""), "");
}

TEST(FirstArgument, BlanksAndControlCharactersSeparate) {
  EXPECT_EQ(FirstArgument("x.exe\t/uninstall\tmore"), "/uninstall");
  EXPECT_EQ(FirstArgument("x.exe\x01/a\x1f/b"), "/a");
  EXPECT_EQ(FirstArgument("x.exe    first second"), "first");
}

TEST(FirstArgument, QuotesGroupBlanksAndAreDropped) {
  EXPECT_EQ(FirstArgument("x.exe \"/uninstall\""), "/uninstall");
  EXPECT_EQ(FirstArgument("x.exe \"a b\" c"), "a b");
  EXPECT_EQ(FirstArgument("x.exe a\"b c\"d e"), "ab cd");
  EXPECT_EQ(FirstArgument("x.exe \"open to the end"), "open to the end");
  // An empty pair before an argument counts as a separator.
  EXPECT_EQ(FirstArgument("x.exe \"\" /uninstall"), "/uninstall");
}

TEST(UninstallSwitch, MatchesInAnyLetterCase) {
  EXPECT_TRUE(HasUninstallSwitch("x.exe /uninstall"));
  EXPECT_TRUE(HasUninstallSwitch("x.exe /UNINSTALL"));
  EXPECT_TRUE(HasUninstallSwitch("x.exe /Uninstall"));
  EXPECT_TRUE(HasUninstallSwitch("\"C:\\Program Files\\x.exe\" \"/unInstall\" extra"));
}

TEST(UninstallSwitch, OtherSpellingsAndLaterPositionsDoNotCount) {
  for (const char* line : {"x.exe", "x.exe -uninstall", "x.exe uninstall", "x.exe /uninstallx",
                           "x.exe \\uninstall", "x.exe /uninstall.", "x.exe other /uninstall",
                           "/uninstall", "x.exe \"/uninstall \"", "x.exe /un install"})
    EXPECT_FALSE(HasUninstallSwitch(line)) << line;
}
