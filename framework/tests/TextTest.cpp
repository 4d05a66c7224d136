#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(ApplicationTitle, DropsFolderCutsAtFirstDotAndLowersTheRest) {
  EXPECT_EQ(TitleFromExePath("C:\\Program Files\\Tallowmere\\Tallowmere.exe"), "Tallowmere");
  EXPECT_EQ(TitleFromExePath("C:\\x\\TALLOWMERE.EXE"), "Tallowmere");
  EXPECT_EQ(TitleFromExePath("C:\\x\\my.app.v2.exe"), "my");  // the first character stays as it is
  EXPECT_EQ(TitleFromExePath("D:PwGEN.exe"), "Pwgen");
  EXPECT_EQ(TitleFromExePath("NoExt"), "Noext");
  EXPECT_EQ(TitleFromExePath("c:\\x\\.hidden.exe"), "");
}

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAboveIt) {
  EXPECT_EQ(ErrorBoxText("Cannot open clipboard"), "Cannot open clipboard.");
  EXPECT_EQ(ErrorBoxText("Code 5"), "Code 5.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Wow!"), "Wow!");
  EXPECT_EQ(ErrorBoxText("Ends in a blank "), "Ends in a blank ");
  EXPECT_EQ(ErrorBoxText("path-"), "path-");  // '-' sorts below '.'
  EXPECT_EQ(ErrorBoxText("dir/"), "dir/.");   // '/' sorts above '.'
  EXPECT_EQ(ErrorBoxText(""), "");
  EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");  // compared as unsigned bytes
}

TEST(FormatText, ReplacesTheFirstPlaceholder) {
  EXPECT_EQ(FormatText("Unable to write to %s", "C:\\a.ini"), "Unable to write to C:\\a.ini");
  EXPECT_EQ(FormatText("Invalid data type for '%s'", "AppData"), "Invalid data type for 'AppData'");
  EXPECT_EQ(FormatText("none", "x"), "none");
}
