// Texts of the run-once deletions.
#include "install/RunOnceCommands.h"

#include <gtest/gtest.h>

TEST(RunOnceNames, NumberedInDecimalWithoutPadding) {
  EXPECT_STREQ(RunOnceProgramValue, "Delete Brindlecast");
  EXPECT_EQ(RunOnceFileValue(0), "Delete Brindlecast file 0");
  EXPECT_EQ(RunOnceFileValue(12), "Delete Brindlecast file 12");
  EXPECT_EQ(RunOnceFileValue(2147483647u), "Delete Brindlecast file 2147483647");
}

TEST(RunOnceCommands, QuoteTheShortPath) {
  EXPECT_EQ(DeleteFileCommand("C:\\PROGRA~1\\B\\TALLOW~1.EXE"),
            "cmd.exe /c del \"C:\\PROGRA~1\\B\\TALLOW~1.EXE\"");
  EXPECT_EQ(RemoveFolderCommand("C:\\B\\SUB"), "cmd.exe /c rmdir \"C:\\B\\SUB\"");
  EXPECT_EQ(DeleteFileCommand(""), "cmd.exe /c del \"\"");
}

TEST(RunOnceCommands, FolderEntriesAreRemovedAndOthersDeleted) {
  EXPECT_EQ(LeftOverCommand("sub\\", "C:\\B\\SUB"), "cmd.exe /c rmdir \"C:\\B\\SUB\"");
  EXPECT_EQ(LeftOverCommand("sub\\x.txt", "C:\\B\\SUB\\X.TXT"),
            "cmd.exe /c del \"C:\\B\\SUB\\X.TXT\"");
  EXPECT_EQ(LeftOverCommand("sub/", "C:\\B\\SUB"), "cmd.exe /c del \"C:\\B\\SUB\"");
}
