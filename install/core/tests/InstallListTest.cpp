// Reading "install.txt" and judging its entries.
#include "install/core/InstallList.h"

#include <gtest/gtest.h>

using Entries = std::vector<std::string>;

TEST(ParseInstallList, EveryKindOfLineEndEndsALine) {
  EXPECT_EQ(ParseInstallList("a\r\nb\rc\nd"), (Entries{"a", "b", "c", "d"}));
}

TEST(ParseInstallList, LastLineNeedsNoEndAndAFinalEndAddsNoEntry) {
  EXPECT_EQ(ParseInstallList("a\r\nb"), (Entries{"a", "b"}));
  EXPECT_EQ(ParseInstallList("a\r\nb\r\n"), (Entries{"a", "b"}));
  EXPECT_EQ(ParseInstallList(""), Entries{});
}

TEST(ParseInstallList, EmptyLinesAreEntriesOfTheirOwn) {
  EXPECT_EQ(ParseInstallList("\r\n"), Entries{""});
  EXPECT_EQ(ParseInstallList("a\r\n\r\nb"), (Entries{"a", "", "b"}));
  // LF then CR are two line ends, not one.
  EXPECT_EQ(ParseInstallList("a\n\rb"), (Entries{"a", "", "b"}));
  EXPECT_EQ(ParseInstallList("\r\r\n\n"), (Entries{"", "", ""}));
}

TEST(ParseInstallList, TextEndsAtTheFirstNul) {
  EXPECT_EQ(ParseInstallList(std::string("a\r\nb\0c\r\nd", 10)), (Entries{"a", "b"}));
  EXPECT_EQ(ParseInstallList(std::string("\0a", 2)), Entries{});
}

TEST(ParseInstallList, EntriesAreKeptAsTheyStand) {
  EXPECT_EQ(ParseInstallList("  x.txt \r\n; no comment\r\nsub\\\r\nsub/"),
            (Entries{"  x.txt ", "; no comment", "sub\\", "sub/"}));
}

TEST(ParseInstallList, VeryLongLinesStayWhole) {
  const std::string longLine(200000, 'x');
  const Entries got = ParseInstallList(longLine + "\r\n" + longLine);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], longLine);
  EXPECT_EQ(got[1], longLine);
}

TEST(IsFolderEntry, OnlyATrailingBackslashMarksAFolder) {
  EXPECT_TRUE(IsFolderEntry("sub\\"));
  EXPECT_TRUE(IsFolderEntry("a\\b\\"));
  EXPECT_FALSE(IsFolderEntry("sub/"));
  EXPECT_FALSE(IsFolderEntry("sub"));
  EXPECT_FALSE(IsFolderEntry(""));
}

TEST(IsUnsafeEntry, RelativeEntriesInsideTheFolderAreSafe) {
  for (const char* entry : {"readme.txt", "sub\\", "sub\\x.txt", "a..b.txt", "sub\\..x\\",
                            ".hidden", "sub\\.\\x", "", "x.txt."})
    EXPECT_FALSE(IsUnsafeEntry(entry)) << entry;
}

TEST(IsUnsafeEntry, EntriesThatCouldLeaveTheFolderAreUnsafe) {
  for (const char* entry :
       {"..\\x.txt", "..", "..\\", "sub\\..\\..\\x", "sub/../x", "sub\\..", "\\Windows\\x",
        "/etc/x", "\\\\server\\share\\x", "\\\\?\\C:\\x", "C:\\x.txt", "c:x.txt",
        "C:", "x.txt:stream", "... \\x", ". .\\x", "sub\\.. \\x"})
    EXPECT_TRUE(IsUnsafeEntry(entry)) << entry;
}

TEST(ListsOnly, OnlyAListOfTheGivenNamesInAnyCaseCounts) {
  const Entries setup{"Tallowmere.exe", "install.txt"};
  EXPECT_TRUE(ListsOnly("Tallowmere.exe\r\ninstall.txt\r\n", setup));
  EXPECT_TRUE(ListsOnly("TALLOWMERE.EXE\ninstall.txt", setup));
  for (const char* list : {"Tallowmere.exe\r\ninstall.txt\r\nREADME.txt\r\n", "letter.doc",
                           "install.txt\r\n\r\nTallowmere.exe", "sub\\install.txt"})
    EXPECT_FALSE(ListsOnly(list, setup)) << list;
}
