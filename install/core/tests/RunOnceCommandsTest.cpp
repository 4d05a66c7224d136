// Texts of the run-once deletions, and the restart list's deletions the start-up takes back.
#include "install/core/RunOnceCommands.h"
#include "install/core/RestartDeletes.h"

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

TEST(RunOnceCommands, PathsCmdWouldMisreadEvenInQuotesAreRecognised) {
  for (const char* path : {"C:\\B\\%X%.TXT", "C:\\B\\!X!.TXT", "C:\\B^\\X", "C:\\A&B\\X", "C:\\\"X",
                           "C:\\Tools\\tr ", "C:\\Tools\\tr.", "C:\\a.\\b"})
    EXPECT_TRUE(CmdWouldReinterpret(path)) << path;
  for (const char* path :
       {"C:\\PROGRA~1\\B\\X.TXT", "C:\\Program Files\\B (2)\\x;y,z=1@#$~.txt", ""})
    EXPECT_FALSE(CmdWouldReinterpret(path)) << path;
}

TEST(ProgramCommand, DeletesOnlyTheRetiredFileByPatternThenItsFolderWhenEmpty) {
  const std::string name = RetiredExecutableName(0x0123456789abcdefull);
  EXPECT_EQ(name, "~tlm0123456789abcdef.del");
  EXPECT_TRUE(IsRetiredExecutableName("~TLM0123456789ABCDEF.DEL"));
  for (const char* other : {"~tlm0123456789abcdeg.del", "~tlm0123456789abcde.del", "x~tlm.del"})
    EXPECT_FALSE(IsRetiredExecutableName(other)) << other;
  const std::string pattern = "\"C:\\PROGRA~1\\BRINDL~1\\~tlm0123456789abcdef.de?\"";
  EXPECT_EQ(ProgramCommand(Cmd, "C:\\PROGRA~1\\BRINDL~1", name),
            Cmd + " /c if exist " + pattern + " (del /f /q " + pattern +
                " & rmdir \"C:\\PROGRA~1\\BRINDL~1\")");
  // A drive root is never removed.
  EXPECT_EQ(ProgramCommand(Cmd, "C:", name), Cmd + " /c if exist \"C:\\" + name.substr(0, 23) +
                                                 "?\" (del /f /q \"C:\\" + name.substr(0, 23) +
                                                 "?\")");
}

TEST(ProgramCommand, FoldersMadeAboveGoInnermostFirstUpToOneCmdCannotName) {
  const std::string name = RetiredExecutableName(1), folder = "C:\\TOOLS\\PASSWO~1";
  const std::string base = ProgramCommand(Cmd, folder, name);
  const std::string made = base.substr(0, base.size() - 1) + " & rmdir \"C:\\TOOLS\")";
  EXPECT_EQ(ProgramCommand(Cmd, folder, name, {"C:\\TOOLS"}), made);
  for (const char* stop : {"", "C:", "C:\\A&B"})
    EXPECT_EQ(ProgramCommand(Cmd, folder, name, {"C:\\TOOLS", stop, "C:\\X"}), made) << stop;
}

TEST(ProgramCommand, WithoutARetiredFileOrWithAFolderCmdWouldMisreadItDoesNothing) {
  for (const auto& [folder, name] : {std::pair<std::string, std::string>{"C:\\B", ""},
                                     {"", "~tlm0000000000000001.del"},
                                     {"C:\\A&B", "~tlm0000000000000001.del"}})
    EXPECT_EQ(ProgramCommand(Cmd, folder, name), Cmd + " /c rem") << folder;
}

// A start cancels only the deletion of its own copy's folder.
TEST(CommandNamesFolder, OnlyTheFileDeletedRightInsideTheFolderCounts) {
  const std::string folder = "C:\\PROGRA~1\\BRINDL~1", name = RetiredExecutableName(1);
  for (const auto& [command, names] : std::initializer_list<std::pair<std::string, bool>>{
           {ProgramCommand(Cmd, "c:\\progra~1\\brindl~1", name), true},
           {"command.com /c del C:\\PROGRA~1\\BRINDL~1\\TALLOW~1.EXE", true},
           {ProgramCommand(Cmd, folder + "\\SUB", name), false},
           {ProgramCommand(Cmd, "C:\\PROGRA~1", name), false},
           {ProgramCommand(Cmd, "C:\\PROGRA~1\\BRINDL", name), false},
           {ProgramCommand(Cmd, folder, ""), false},
           {"", false}})
    EXPECT_EQ(CommandNamesFolder(command, folder), names) << command;
}

TEST(RestartDeletes, OnlyAcceptedDeletionsAreTakenTheRestStaysCharacterForCharacter) {
  using namespace std::string_literals;
  // Another program's entries the code page cannot spell, a rename and a sibling folder's file.
  const std::wstring other =
      L"\\??\\C:\\T\\\uFF22ig.tmp\0\0"
      L"\\??\\C:\\T\\\u0414\u0430\u0442.tmp\0\0"
      L"\\??\\C:\\T\\Brindlecast\\b\0\\??\\D:\\\u03A9mega.dll\0"
      L"\\??\\C:\\T\\Brindlecast2\\a\0\0"s;
  const std::vector<std::wstring> own{L"C:\\T\\Brindlecast\\Tallowmere.exe", L"C:\\T\\Brindlecast",
                                      L"C:\\T\\Brindlecast\\b"};
  const auto ours = [&](const std::wstring& path) {
    for (const std::wstring& mine : own)
      if (SamePathText(mine, path)) return true;
    return false;
  };
  const RestartDeletes split = TakeRestartDeletes(
      L"\\??\\c:\\t\\brindlecast\\Tallowmere.exe\0\0"s + other + L"\\??\\C:\\T\\Brindlecast\0\0\0"s,
      ours);
  EXPECT_EQ(split.taken, (std::vector<std::wstring>{L"c:\\t\\brindlecast\\Tallowmere.exe",
                                                    L"C:\\T\\Brindlecast"}));
  EXPECT_EQ(split.kept, other);
  EXPECT_FALSE(SamePathText(L"C:\\T\\\uFF22ig.tmp", L"C:\\T\\Big.tmp"));
}

// Empty strings are counted, not taken as the end: what follows ours stays; a list that is not
// whole pairs (a cut-off tail, an odd count) is left untouched.
TEST(RestartDeletes, EmptyStringsAreCountedAndAListNotInPairsIsLeftAlone) {
  using namespace std::string_literals;
  const auto ours = [](const std::wstring& path) { return path == L"C:\\T\\a"; };
  const std::wstring mine = L"\\??\\C:\\T\\a\0\0"s, others = L"\0\0\\??\\C:\\x\0\0"s;
  const RestartDeletes split = TakeRestartDeletes(mine + others + L'\0', ours);
  EXPECT_EQ(split.taken, std::vector<std::wstring>{L"C:\\T\\a"});
  EXPECT_EQ(split.kept, others);
  for (const std::wstring& list : {mine + L"\\??\\C:\\cut"s, mine + L"\\??\\C:\\x\0\0"s})
    EXPECT_TRUE(TakeRestartDeletes(list, ours).taken.empty());
}
