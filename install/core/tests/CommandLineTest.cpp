// The first command-line argument and the "/uninstall" switch.
#include "install/core/CommandLine.h"

#include <gtest/gtest.h>

#include <utility>

TEST(FirstArgument, SkipsTheProgramPathAndReadsOneTokenBlanksOrControlsEndAndQuotesGroup) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      // The program's path, quoted or not; only a blank or a control character ends a token, also
      // after a closing quote.
      {"Tallowmere.exe /uninstall", "/uninstall"},
      {"\"C:\\Program Files\\B\\Tallowmere.exe\" /uninstall", "/uninstall"},
      {"\"C:\\Program Files\\B\\Tallowmere.exe\"/uninstall", ""},
      {"C:\\Pro\"gram Fi\"les\\x.exe next", "next"},
      // No argument.
      {"", ""}, {"x.exe", ""}, {"x.exe   \t ", ""}, {"\"C:\\a b\\x.exe\"", ""},
      // Blanks and control characters separate.
      {"x.exe\t/uninstall\tmore", "/uninstall"}, {"x.exe\x01/a\x1f/b", "/a"},
      {"x.exe    first second", "first"},
      // Quotes group blanks and are dropped; an empty pair before an argument separates.
      {"x.exe \"/uninstall\"", "/uninstall"}, {"x.exe \"a b\" c", "a b"},
      {"x.exe a\"b c\"d e", "ab cd"}, {"x.exe \"open to the end", "open to the end"},
      {"x.exe \"\" /uninstall", "/uninstall"}};
  // clang-format on
  for (const auto& [line, first] : cases) EXPECT_EQ(FirstArgument(line), first) << line;
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

TEST(SilentSwitch, OnlySAfterUninstallInAnyCase) {
  for (const char* line :
       {"x.exe /uninstall /S", "x.exe /UNINSTALL /s more", "x.exe /uninstall \"/S\""})
    EXPECT_TRUE(HasSilentSwitch(line)) << line;
  for (const char* line : {"x.exe /uninstall", "x.exe /S /uninstall", "x.exe /x /S",
                           "x.exe /uninstall x /S", "x.exe /uninstall /Sx"})
    EXPECT_FALSE(HasSilentSwitch(line)) << line;
}
