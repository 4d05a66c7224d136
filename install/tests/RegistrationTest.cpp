// The installed-programs entry and the clean-up of scheduled deletions, in the real registry.
#include <gtest/gtest.h>

#include "framework/Registry.h"
#include "framework/ExecutablePath.h"
#include "install/Install.h"
#include "install/core/RestartDeletes.h"
#include "framework/core/Text.h"
#include "install/tests/WinFixtures.h"
#include "tests/support/KeptRegistry.h"
#include "tests/support/ProgramRegistry.h"
#include "tests/support/TempFolder.h"

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;
const char* const DevFolder = "C:\\Projects\\Tallowmere\\";

// A copy inside Program Files, where it lists itself; a blank in the folder's name.
class Registration : public testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& exe : {installed_, x86_}) {
      CreateDirectoryA(FolderOfPath(exe).c_str(), nullptr);
      ASSERT_TRUE(CopyFileA(ExecutablePath().c_str(), exe.c_str(), FALSE)) << exe;
    }
  }
  void TearDown() override {
    for (const std::string& exe : {installed_, x86_})
      RemoveTree(StripTrailingSlash(FolderOfPath(exe)));
  }
  ProgramRegistryState state_;
  const std::string installed_ = "C:\\Program Files\\Brindle cast\\Tallowmere.exe";
  const std::string x86_ = "C:\\Program Files (x86)\\Brindle cast\\Tallowmere.exe";
};

Values ProgramRunOnceValues() {
  Values ours;
  for (const auto& v : ValuesOf(RunOnceKey))
    if (v.first.rfind("Delete Brindlecast", 0) == 0) ours.push_back(v);
  return ours;
}

void ScheduleDeletions(std::initializer_list<const char*> names) {
  for (const char* name : names) SetMachineValue(RunOnceKey, name, "cmd.exe /c del C:\\Apps\\x");
}

}  // namespace

// Started through a user's link into Program Files, which could be pointed elsewhere afterwards.
TEST_F(Registration, FirstStartWritesExactlyTheNameAndTheQuotedUninstallCommand) {
  const TempFolder temp("reglink");
  ASSERT_TRUE(
      MakeFollowedFolderLink(temp.Path() + "\\L", StripTrailingSlash(FolderOfPath(installed_))));
  RegisterUninstallEntry(temp.Path() + "\\L\\Tallowmere.exe", DevFolder);
  EXPECT_EQ(ValuesOf(UninstallEntryKey),
            (Values{{"DisplayName", "Brindlecast"},
                    {"QuietUninstallString", "\"" + installed_ + "\" /uninstall /S"},
                    {"UninstallString", "\"" + installed_ + "\" /uninstall"}}));
}

TEST_F(Registration, PathWithBlanksStaysOneWordOfTheUninstallCommand) {
  RegisterUninstallEntry(x86_, DevFolder);
  const Values values = ValuesOf(UninstallEntryKey);
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[2].second, "\"" + x86_ + "\" /uninstall");
}

// A copy outside Program Files (this test's own, in the build folder) is portable: an
// administrator's start of it must not let it name itself to the next administrator.
TEST_F(Registration, WithoutArgumentsTheRunningExecutableOutsideProgramFilesListsNothing) {
  RegisterUninstallEntry();
  EXPECT_FALSE(MachineKeyExists(UninstallEntryKey));
}

TEST_F(Registration, UnknownExecutablePathTouchesNothing) {
  ScheduleDeletions({"Delete Brindlecast"});
  RegisterUninstallEntry("", DevFolder);
  EXPECT_FALSE(MachineKeyExists(UninstallEntryKey));
  EXPECT_EQ(ProgramRunOnceValues().size(), 1u);
}

TEST_F(Registration, ExistingEntryIsLeftAsItIsEvenWhenItNamesAnotherCopy) {
  SetMachineValue(UninstallEntryKey, "UninstallString", "D:\\Other\\Tallowmere.exe /uninstall");
  RegisterUninstallEntry("C:\\Apps\\Tallowmere.exe", DevFolder);
  EXPECT_EQ(ValuesOf(UninstallEntryKey),
            (Values{{"UninstallString", "D:\\Other\\Tallowmere.exe /uninstall"}}));
}

TEST_F(Registration, CleanUpRemovesTheProgramValueAndNumberedValuesUpToTheFirstGap) {
  ScheduleDeletions({"Delete Brindlecast", "Delete Brindlecast file 0", "Delete Brindlecast file 1",
                     "Delete Brindlecast file 2", "Delete Brindlecast file 3",
                     "Delete Brindlecast file 4", "Delete Brindlecast file 7"});
  const KeptRegistryValue other(HKEY_LOCAL_MACHINE, RunOnceKey, "Tallowmere Test Other");
  other.SetText(L"keep");
  RegisterUninstallEntry("C:\\Apps\\Tallowmere.exe", DevFolder);
  EXPECT_EQ(ProgramRunOnceValues(),
            (Values{{"Delete Brindlecast file 7", "cmd.exe /c del C:\\Apps\\x"}}));
  bool otherKept = false;
  for (const auto& v : ValuesOf(RunOnceKey)) otherKept |= v.first == "Tallowmere Test Other";
  EXPECT_TRUE(otherKept);
}

TEST_F(Registration, NumberedValuesWithoutTheProgramValueAreNotOurs) {
  ScheduleDeletions({"Delete Brindlecast file 0"});
  RegisterUninstallEntry("C:\\Apps\\Tallowmere.exe", DevFolder);
  EXPECT_EQ(ProgramRunOnceValues().size(), 1u);
}

TEST_F(Registration, ProgramValueAloneIsRemoved) {
  ScheduleDeletions({"Delete Brindlecast"});
  RegisterUninstallEntry("C:\\Apps\\Tallowmere.exe", DevFolder);
  EXPECT_TRUE(ProgramRunOnceValues().empty());
}

// A start of one copy must not save another copy from the deletion its uninstall scheduled.
TEST_F(Registration, AnotherCopysScheduledDeletionStays) {
  ScheduleDeletions({"Delete Brindlecast", "Delete Brindlecast file 0"});
  RegisterUninstallEntry("C:\\Apps\\Sub\\Tallowmere.exe", DevFolder);
  EXPECT_EQ(ProgramRunOnceValues().size(), 2u);
}

TEST_F(Registration, DevelopmentFolderInAnyLetterCaseTouchesNothing) {
  ScheduleDeletions({"Delete Brindlecast", "Delete Brindlecast file 0"});
  RegisterUninstallEntry("c:\\PROJECTS\\tallowmere\\build\\Tallowmere.exe", DevFolder);
  EXPECT_FALSE(MachineKeyExists(UninstallEntryKey));
  EXPECT_EQ(ProgramRunOnceValues().size(), 2u);
}

TEST_F(Registration, MissingRunOnceKeyIsNotCreated) {
  const KeptRegistryKey runOnce(HKEY_LOCAL_MACHINE, RunOnceKey);
  runOnce.Remove();
  RegisterUninstallEntry(installed_, DevFolder);
  EXPECT_FALSE(MachineKeyExists(RunOnceKey));
  EXPECT_TRUE(MachineKeyExists(UninstallEntryKey));
}

// The restart list belongs to every program: what is not ours comes back exactly as it was, also
// the characters the ANSI code page cannot spell.
TEST_F(Registration, OtherProgramsRestartEntriesStayCharacterForCharacter) {
  using namespace std::string_literals;
  const std::wstring others =
      L"\\??\\C:\\T\\\uFF22ig.tmp\0\0\\??\\C:\\T\\\u0414\u0430\u0442.tmp\0\0"
      L"\\??\\C:\\Apps\\new.dll\0!\\??\\C:\\Apps\\\u03A9mega.dll\0"s;
  const KeptRegistryValue restartList(HKEY_LOCAL_MACHINE, RestartListKey, RestartListValue);
  RegistryKey session;
  ASSERT_TRUE(session.Open(HKEY_LOCAL_MACHINE, RestartListKey, KEY_QUERY_VALUE | KEY_SET_VALUE));
  ASSERT_TRUE(session.TryWriteMultiString(
      RestartListValue, L"\\??\\C:\\Apps\\Tallowmere.exe\0\0"s + others + L"\\??\\C:\\Apps\0\0"s));
  RegisterUninstallEntry("C:\\Apps\\Tallowmere.exe", DevFolder);
  std::wstring after;
  session.TryReadMultiString(RestartListValue, after);
  EXPECT_EQ(after, others + L'\0');
}
