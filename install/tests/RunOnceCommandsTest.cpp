// Texts of the run-once deletions, and the restart list's deletions the start-up takes back.
#include "install/RunOnceCommands.h"
#include "install/RestartDeletes.h"

#include <gtest/gtest.h>

namespace {

const std::string Cmd = "C:\\Windows\\system32\\cmd.exe";

}  // namespace

TEST(RunOnceNames, NumberedInDecimalWithoutPadding) {
  EXPECT_STREQ(RunOnceProgramValue, "Delete Brindlecast");
  EXPECT_EQ(RunOnceFileValue(0), "Delete Brindlecast file 0");
  EXPECT_EQ(RunOnceFileValue(12), "Delete Brindlecast file 12");
  EXPECT_EQ(RunOnceFileValue(2147483647u), "Delete Brindlecast file 2147483647");
}

TEST(RunOnceCommands, TheSystemsCmdIsNamedInFullAndQuotedOnlyWithABlank) {
  EXPECT_EQ(CommandProcessor("C:\\Windows\\system32"), Cmd);
  EXPECT_EQ(CommandProcessor("D:\\My Windows\\system32"), "\"D:\\My Windows\\system32\\cmd.exe\"");
}

TEST(RunOnceCommands, DeleteForcesReadOnlyFilesQuietlyAndQuotesTheShortPath) {
  EXPECT_EQ(DeleteFileCommand(Cmd, "C:\\PROGRA~1\\B\\TALLOW~1.EXE"),
            Cmd + " /c del /f /q \"C:\\PROGRA~1\\B\\TALLOW~1.EXE\"");
  EXPECT_EQ(RemoveFolderCommand(Cmd, "C:\\B\\SUB"), Cmd + " /c rmdir \"C:\\B\\SUB\"");
  EXPECT_EQ(DeleteFileCommand(Cmd, ""), Cmd + " /c del /f /q \"\"");
}

TEST(RunOnceCommands, FolderEntriesAreRemovedAndOthersDeleted) {
  EXPECT_EQ(LeftOverCommand(Cmd, "sub\\", "C:\\B\\SUB"), Cmd + " /c rmdir \"C:\\B\\SUB\"");
  EXPECT_EQ(LeftOverCommand(Cmd, "sub\\x.txt", "C:\\B\\SUB\\X.TXT"),
            Cmd + " /c del /f /q \"C:\\B\\SUB\\X.TXT\"");
  EXPECT_EQ(LeftOverCommand(Cmd, "sub/", "C:\\B\\SUB"), Cmd + " /c del /f /q \"C:\\B\\SUB\"");
}

TEST(RunOnceCommands, PathsCmdWouldMisreadEvenInQuotesAreRecognised) {
  for (const char* path :
       {"C:\\B\\%X%.TXT", "C:\\B\\!X!.TXT", "C:\\B^\\X", "C:\\A&B\\X", "C:\\\"X"})
    EXPECT_TRUE(CmdWouldReinterpret(path)) << path;
  for (const char* path :
       {"C:\\PROGRA~1\\B\\X.TXT", "C:\\Program Files\\B (2)\\x;y,z=1@#$~.txt", ""})
    EXPECT_FALSE(CmdWouldReinterpret(path)) << path;
}

TEST(ProgramCommand, DeletesTheExecutableThenRemovesItsFolderWhenEmpty) {
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\PROGRA~1\\BRINDL~1\\TALLOW~1.EXE", "C:\\PROGRA~1\\BRINDL~1"),
            Cmd +
                " /c del /f /q \"C:\\PROGRA~1\\BRINDL~1\\TALLOW~1.EXE\" & rmdir "
                "\"C:\\PROGRA~1\\BRINDL~1\"");
}

TEST(ProgramCommand, NeverRemovesADriveRootOrAnUnknownFolder) {
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\TALLOW~1.EXE", "C:"),
            Cmd + " /c del /f /q \"C:\\TALLOW~1.EXE\"");
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\B\\T.EXE", ""), Cmd + " /c del /f /q \"C:\\B\\T.EXE\"");
}

TEST(ProgramCommand, LeavesOutWhatCmdWouldMisreadButKeepsTheValueRunnable) {
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\B\\%X%.EXE", "C:\\B"), Cmd + " /c rmdir \"C:\\B\"");
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\A&B\\T.EXE", "C:\\A&B"), Cmd + " /c rem");
  // Over the path limit the executable has no short form: it is reported, never `del ""`.
  EXPECT_EQ(ProgramCommand(Cmd, "", "C:\\B"), Cmd + " /c rmdir \"C:\\B\"");
}

TEST(ThenRemoveFolder, EveryLeftOverCommandEndsByTakingTheEmptiedFolder) {
  const std::string del = DeleteFileCommand(Cmd, "C:\\B\\X.TXT");
  EXPECT_EQ(ThenRemoveFolder(del, "C:\\B"), del + " & rmdir \"C:\\B\"");
  for (const char* folder : {"", "C:", "C:\\A&B"}) EXPECT_EQ(ThenRemoveFolder(del, folder), del);
}

TEST(RestartDeletes, OnlyDeletionsOfTheFolderAndWithinAreTakenTheRestStaysByteForByte) {
  using namespace std::string_literals;
  const std::string other =
      "\\??\\C:\\Tools & Utils\\Brindlecast2\\a\0\0"              // a sibling
      "\\??\\C:\\Tools & Utils\\Brindlecast\\b\0\\??\\D:\\b\0"s;  // a rename
  const RestartDeletes split =
      TakeRestartDeletes("\\??\\c:\\tools & utils\\brindlecast\\Tallowmere.exe\0\0"s + other +
                             "\\??\\C:\\Tools & Utils\\Brindlecast\0\0\0"s,
                         "C:\\Tools & Utils\\Brindlecast\\");
  EXPECT_EQ(split.taken, (std::vector<std::string>{"c:\\tools & utils\\brindlecast\\Tallowmere.exe",
                                                   "C:\\Tools & Utils\\Brindlecast"}));
  EXPECT_EQ(split.kept, other);
  EXPECT_EQ(TakeRestartDeletes(other, "").kept, other);
}
