#include "framework/core/Text.h"
#include "framework/core/Wipe.h"

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
  EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");            // compared as unsigned bytes
  EXPECT_EQ(ErrorBoxText(L"mega \u03A9"), L"mega \u03A9.");  // wide text: the same rule
  EXPECT_EQ(ErrorBoxText(L"\u03A9mega-"), L"\u03A9mega-");
}

TEST(FormatText, ReplacesTheFirstPlaceholder) {
  EXPECT_EQ(FormatText("Unable to write to %s", "C:\\a.ini"), "Unable to write to C:\\a.ini");
  EXPECT_EQ(FormatText("Invalid data type for '%s'", "AppData"), "Invalid data type for 'AppData'");
  EXPECT_EQ(FormatText("none", "x"), "none");
}

TEST(WholeNumberInRange, ANumberBeyondTheRangeGivesItsEndOtherTextNothing) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"7", 7},    {"1,000", 1000}, {" 12 ", 12},   {"+5", 5},
      {"0", 1},    {"-3", 1},       {"1001", 1000}, {"99999999999999999999", 1000},
      {"", {}},    {"12x", {}},     {"-", {}},      {",5", {}},
      {"1 2", {}}, {"--1", {}},     {"0x10", {}}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(WholeNumberInRange(text, ",", 1, 1000), value) << text;
  EXPECT_EQ(WholeNumberInRange("1.000", ".", 1, 5000), 1000);
}

TEST(StripTrailingSlash, RemovesExactlyOneBackslashOrSlash) {
  EXPECT_EQ(StripTrailingSlash("sub\\"), "sub");
  EXPECT_EQ(StripTrailingSlash("sub/"), "sub");
  EXPECT_EQ(StripTrailingSlash("sub\\\\"), "sub\\");
  EXPECT_EQ(StripTrailingSlash("sub"), "sub");
  EXPECT_EQ(StripTrailingSlash(""), "");
  EXPECT_EQ(StripTrailingSlash("\\"), "");
}

TEST(PathParts, FolderKeepsItsLastBackslashSlashOrLeadingDrive) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\Program Files\\B\\Tallowmere.exe", "C:\\Program Files\\B\\", "Tallowmere.exe"},
      {"C:x.exe", "C:", "x.exe"},  // drive-relative
      {"x.exe", "", "x.exe"},
      {"C:\\a/b.txt", "C:\\a/", "b.txt"},
      {"C:\\a\\b.txt:s", "C:\\a\\", "b.txt:s"},  // a later colon names a stream of the file
      {"\\\\server\\share\\", "\\\\server\\share\\", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNameOfPath(c.path), c.name) << c.path;
  }
  EXPECT_EQ(FolderOfPath(std::wstring(L"C:\\a/b.txt:s")), L"C:\\a/");
}

TEST(IsFolderBelowRoot, OnlyAFolderUnderADriveRootOrOnAShareCounts) {
  for (const wchar_t* yes : {L"C:\\Users\\x\\AppData\\Roaming", L"d:/x", L"\\\\server\\share"})
    EXPECT_TRUE(IsFolderBelowRoot(yes)) << yes;
  for (const wchar_t* no :
       {L"", L"C:", L"C:\\", L"C:\\\\x", L"C:x", L"Roaming", L"\\Roaming", L"\\\\server",
        L"\\\\server\\", L"\\\\\\share", L"1:\\x", L"\\\\?\\C:\\", L"\\\\.\\C:\\x"})
    EXPECT_FALSE(IsFolderBelowRoot(no)) << no;
}

// A text that was shortened still holds its old characters past its end: those go too.
TEST(Wipe, ClearsTheWholeBufferNotOnlyTheText) {
  std::string text(64, 'p');
  text.resize(3);
  Wipe(text);
  EXPECT_EQ(text.size(), 3u);
  EXPECT_EQ(std::string(text.data(), text.capacity()), std::string(text.capacity(), '\0'));
}
