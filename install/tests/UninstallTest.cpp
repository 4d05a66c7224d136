// The uninstaller against real folders, the user's real shell folders and the real registry.
#include <gtest/gtest.h>

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "install/Install.h"
#include "install/core/UninstallMessages.h"
#include "install/tests/WinFixtures.h"
#include "shell/ShellFolders.h"
#include "tests/support/BoxWatcher.h"
#include "tests/support/KeptRegistry.h"
#include "tests/support/ProgramRegistry.h"
#include "tests/support/TempFolder.h"

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

class Uninstall : public testing::Test {
 protected:
  void SetUp() override {
    exeFolder_ = temp_.Path() + "\\App Folder\\";
    CreateDirectoryA(exeFolder_.c_str(), nullptr);
    exe_ = exeFolder_ + "Tallowmere.exe";
    WriteFileText(exe_, "MZ");
    SetMachineValue(UninstallEntryKey, "DisplayName", "Brindlecast");
    SetMachineValue(UninstallEntryKey, "UninstallString", "\"" + exe_ + "\" /uninstall");
  }

  void List(const std::string& text) { WriteFileText(exeFolder_ + "install.txt", text); }
  void Make(const std::string& entry) {
    if (entry.back() == '\\')
      CreateDirectoryA((exeFolder_ + entry).c_str(), nullptr);
    else
      WriteFileText(exeFolder_ + entry, "x");
  }
  bool Exists(const std::string& entry) { return PathExists(exeFolder_ + entry); }
  // The Start-menu folder with this copy's shortcut and a file another program holds open.
  FileHandle StartMenuWithAHeldFile(const std::string& menu) {
    CreateDirectoryA(menu.c_str(), nullptr);
    EXPECT_TRUE(MakeShortcut(menu + "\\Brindlecast.lnk", exe_));
    WriteFileText(menu + "\\held.txt", "x");
    return FileHandle(CreateFileA((menu + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  }
  FileHandle Lock(const std::string& entry) {
    return FileHandle(CreateFileA((exeFolder_ + entry).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  }

  void Run() {
    UninstallProgram(exe_, [this](const std::string& folder) { opened_.push_back(folder); });
  }
  static Values RunOnceValues() {
    Values ours;
    for (const auto& v : ValuesOf(RunOnceKey))
      if (v.first.rfind("Delete Brindlecast", 0) == 0) ours.push_back(v);
    return ours;
  }
  static std::string Cmd() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\cmd.exe";
  }
  // The name the executable was given before its deletion was scheduled; "" when none.
  std::string Retired() const {
    WIN32_FIND_DATAA found{};
    const FindHandle h(FindFirstFileA((exeFolder_ + "~tlm*.del").c_str(), &found));
    return h.Valid() ? found.cFileName : "";
  }
  std::string ExeCommand() const {
    const std::string folder = ShortPathOf(StripTrailingSlash(exeFolder_));
    const std::string name = Retired();
    const std::string pattern = "\"" + folder + "\\" + name.substr(0, name.size() - 1) + "?\"";
    return Cmd() + " /c if exist " + pattern + " (del /f /q " + pattern + " & rmdir \"" + folder +
           "\")";
  }
  std::string MakeDesktopShortcut() {
    const std::string desktop = WideToAnsi(GetShellFolder("Desktop"));
    CreateDirectoryA(desktop.c_str(), nullptr);
    EXPECT_TRUE(MakeShortcut(desktop + "\\Brindlecast.lnk", exe_));
    return desktop + "\\Brindlecast.lnk";
  }

  ProgramRegistryState registry_;
  TempFolder temp_{"uninstall"};
  std::string exeFolder_, exe_;
  std::vector<std::string> opened_;
  BoxWatcher watcher_;
};

void ExpectOnlyBox(BoxWatcher& watcher, const std::string& text) {
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(seen[0].text, text);
  EXPECT_FALSE(seen[0].hasIcon);
}

}  // namespace

TEST_F(Uninstall, WithoutTheListShortcutsGoAndTheUserIsToldAndShownTheFolder) {
  const std::string desktop = WideToAnsi(GetShellFolder("Desktop")),
                    programs = WideToAnsi(GetShellFolder("Programs"));
  ASSERT_FALSE(desktop.empty());
  ASSERT_FALSE(programs.empty());
  CreateDirectoryA(programs.c_str(), nullptr);
  CreateDirectoryA((programs + "\\Brindlecast").c_str(), nullptr);
  ASSERT_TRUE(MakeShortcut(programs + "\\Brindlecast\\Brindlecast.lnk", exe_));
  ASSERT_TRUE(MakeShortcut(programs + "\\Brindlecast.lnk", exe_));
  MakeDesktopShortcut();
  Make("data.txt");

  Run();

  EXPECT_FALSE(PathExists(programs + "\\Brindlecast"));
  EXPECT_FALSE(PathExists(programs + "\\Brindlecast.lnk"));
  EXPECT_FALSE(PathExists(desktop + "\\Brindlecast.lnk"));
  ExpectOnlyBox(watcher_, "Can't find install.txt\r\n\r\nYou need to delete the files manually");
  EXPECT_EQ(opened_, std::vector<std::string>{exeFolder_});
  EXPECT_TRUE(Exists("data.txt"));
  EXPECT_TRUE(MachineKeyExists(UninstallEntryKey));
  EXPECT_TRUE(RunOnceValues().empty());
}

// The entry and the shortcuts share their names with every copy: a portable copy's uninstall must
// not take the installed copy's.
TEST_F(Uninstall, AnotherCopysEntryAndShortcutsStay) {
  const std::string other = temp_.Path() + "\\Tallowmere.exe";
  WriteFileText(other, "MZ");
  SetMachineValue(UninstallEntryKey, "UninstallString", "\"" + other + "\" /uninstall");
  const std::string desktop = MakeDesktopShortcut();
  ASSERT_TRUE(MakeShortcut(desktop, other));
  List("");
  Run();
  EXPECT_TRUE(PathExists(desktop));
  DeleteFileA(desktop.c_str());
  EXPECT_TRUE(MachineKeyExists(UninstallEntryKey));
}

TEST_F(Uninstall, EmptyListSchedulesOnlyTheExecutableAndRemovesTheEntry) {
  List("");
  Run();
  EXPECT_FALSE(PathExists(exe_));
  EXPECT_EQ(Retired().size(), 24u);
  EXPECT_EQ(RunOnceValues(), (Values{{"Delete Brindlecast", ExeCommand()}}));
  EXPECT_FALSE(MachineKeyExists(UninstallEntryKey));
  ExpectOnlyBox(watcher_, "Uninstall complete.");
  EXPECT_TRUE(opened_.empty());
}

TEST_F(Uninstall, ListedFilesGoButTheExecutableAndTheUnlistedListStay) {
  Make("readme.txt");
  Make("sub\\");
  Make("sub\\help.txt");
  List("TALLOWMERE.EXE\r\nreadme.txt\r\nsub\\help.txt\r\nsub\\\r\n\r\nmissing.txt\r\n");
  Run();
  EXPECT_TRUE(Exists(Retired()));
  EXPECT_TRUE(Exists("install.txt"));
  EXPECT_FALSE(Exists("readme.txt"));
  EXPECT_FALSE(Exists("sub"));
  EXPECT_EQ(RunOnceValues(), (Values{{"Delete Brindlecast", ExeCommand()}}));
}

TEST_F(Uninstall, AFileInUseIsReportedNotScheduled) {
  Make("Locked Data File.dat");
  List("Locked Data File.dat");
  FileHandle held = Lock("Locked Data File.dat");
  ASSERT_TRUE(held.Valid());
  Run();
  held.Close();
  EXPECT_EQ(RunOnceValues(), (Values{{"Delete Brindlecast", ExeCommand()}}));
  ExpectOnlyBox(watcher_, CompletionText({exeFolder_ + "Locked Data File.dat"}));
}

// Between the uninstall and the next logon a user who may write to the folder swaps names for
// links; the command then runs with an administrator's rights. (A Unix link stands in for a
// junction under Wine.)
TEST_F(Uninstall, TheScheduledCommandDeletesNothingThroughALinkPutInPlaceAfterwards) {
  List("");
  Run();
  const std::string victim = temp_.Path() + "\\victim";
  CreateDirectoryA(victim.c_str(), nullptr);
  WriteFileText(victim + "\\keep.txt", "x");
  // The retired file becomes a link to the victim folder.
  const std::string command = RunOnceValues()[0].second;
  const std::string retired = Retired();
  ASSERT_TRUE(DeleteFileA((exeFolder_ + retired).c_str()));
  ASSERT_TRUE(MakeFollowedFolderLink(exeFolder_ + retired, victim));
  ASSERT_TRUE(RunAsNextLogon(command));
  EXPECT_TRUE(PathExists(victim + "\\keep.txt"));
}

TEST_F(Uninstall, FolderStillHoldingAnUnlistedFileStaysAndIsNotScheduled) {
  Make("sub\\");
  Make("sub\\mine.txt");
  Make("sub\\yours.txt");
  List("sub\\\r\nsub\\mine.txt\r\n");
  Run();
  EXPECT_FALSE(Exists("sub\\mine.txt"));
  EXPECT_TRUE(Exists("sub\\yours.txt"));
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_, CompletionText({exeFolder_ + "sub\\"}));
}

TEST_F(Uninstall, EmptyFolderInUseIsReported) {
  Make("busy\\");
  List("busy\\\r\n");
  FileHandle held(CreateFileA((exeFolder_ + "busy").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  ASSERT_TRUE(held.Valid());
  Run();
  held.Close();
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_, CompletionText({exeFolder_ + "busy\\"}));
}

TEST_F(Uninstall, NestedFoldersListedParentFirstAreRemovedChildFirst) {
  Make("a\\");
  Make("a\\b\\");
  Make("a\\b\\c\\");
  Make("a\\b\\c\\x.txt");
  List("a\\\na\\b\\\ra\\b\\c\\\r\na\\b\\c\\x.txt");
  Run();
  EXPECT_FALSE(Exists("a"));
  EXPECT_EQ(RunOnceValues().size(), 1u);
}

TEST_F(Uninstall, FolderAlreadyGoneIsNeitherScheduledNorReported) {
  List("gone\\\r\n");
  Run();
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_, "Uninstall complete.");
}

TEST_F(Uninstall, EntryEndingInASlashIsAFileEntryAndPassesOverAFolder) {
  Make("data\\");
  List("data/\r\n");
  Run();
  EXPECT_TRUE(Exists("data"));
  EXPECT_EQ(RunOnceValues().size(), 1u);
}

TEST_F(Uninstall, LeftOversAreReportedInTheUsersOrderIgnoringCase) {
  Make("B.txt");
  Make("a.txt");
  Make("c.txt");
  List("c.txt\r\nB.txt\r\na.txt\r\n");
  FileHandle locks[] = {Lock("c.txt"), Lock("B.txt"), Lock("a.txt")};
  Run();
  for (FileHandle& h : locks) h.Close();
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_,
                CompletionText({exeFolder_ + "a.txt", exeFolder_ + "B.txt", exeFolder_ + "c.txt"}));
}

TEST(LeftOverOrder, AFolderEntrySortsBeforeWhatItHoldsAndAfterAnEarlierName) {
  // Collected in this order: the file pass first, then the folder pass.
  std::vector<std::string> leftOver{"sub\\x.txt", "Abc.txt", "sub\\"};
  SortLeftOvers(leftOver);
  EXPECT_EQ(leftOver, (std::vector<std::string>{"Abc.txt", "sub\\", "sub\\x.txt"}));
  std::vector<std::string> mixed{"b", "A", "a", "B"};
  SortLeftOvers(mixed);
  EXPECT_EQ(mixed, (std::vector<std::string>{"A", "a", "b", "B"}));
}

TEST_F(Uninstall, EntriesReachingOutsideTheFolderAreLeftAloneWithWhatTheyName) {
  const std::string outside = temp_.Path() + "\\outside.txt";
  WriteFileText(outside, "x");
  CreateDirectoryA((temp_.Path() + "\\outdir").c_str(), nullptr);
  const std::string rooted = outside.substr(2);  // "\..." on the same drive
  List("..\\outside.txt\r\n" + outside + "\r\n" + rooted +
       "\r\n..\\outdir\\\r\nsub\\..\\..\\outside.txt\r\n");
  Run();
  EXPECT_TRUE(PathExists(outside));
  EXPECT_TRUE(PathExists(temp_.Path() + "\\outdir"));
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_, "Uninstall complete.");
}

TEST_F(Uninstall, StuckFileInTheStartMenuIsAskedAboutThenTheUninstallGoesOn) {
  const std::string menu = WideToAnsi(GetShellFolder("Programs")) + "\\Brindlecast";
  FileHandle held = StartMenuWithAHeldFile(menu);
  List("");
  watcher_.Answer(IDRETRY);
  watcher_.Answer(IDIGNORE);
  Run();
  held.Close();
  EXPECT_TRUE(PathExists(menu + "\\held.txt"));
  RemoveTree(menu);
  const auto seen = watcher_.Seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].caption, "Warning");
  EXPECT_EQ(seen[1].text, "Cannot delete " + menu + "\\held.txt");
  EXPECT_EQ(seen[2].text, "Uninstall complete.");
}

TEST_F(Uninstall, SilentTakesIgnoreShowsNothingAndSaysHowItEnded) {
  const std::string menu = WideToAnsi(GetShellFolder("Programs")) + "\\Brindlecast";
  FileHandle held = StartMenuWithAHeldFile(menu);
  const auto opened = [this](const std::wstring& folder) { opened_.push_back(WideToAnsi(folder)); };
  EXPECT_EQ(UninstallProgram(AnsiToWide(exe_), opened, true), UninstallExit::ListMissing);
  held.Close();
  EXPECT_TRUE(PathExists(menu + "\\held.txt"));
  RemoveTree(menu);
  EXPECT_TRUE(opened_.empty());
  EXPECT_TRUE(watcher_.Seen().empty());
}

TEST_F(Uninstall, RunOnceKeyThatCannotBeOpenedStopsBeforeAnythingIsRemoved) {
  const KeptRegistryKey runOnce(HKEY_LOCAL_MACHINE, RunOnceKey);
  runOnce.Remove();
  const std::string shortcut = MakeDesktopShortcut();
  Make("readme.txt");
  List("readme.txt");
  bool aborted = false;
  try {
    Run();
  } catch (const EAbort&) {
    aborted = true;
  }
  EXPECT_TRUE(aborted);
  EXPECT_TRUE(Exists("readme.txt"));
  EXPECT_TRUE(PathExists(shortcut));
  DeleteFileA(shortcut.c_str());
  EXPECT_TRUE(MachineKeyExists(UninstallEntryKey));
  ExpectOnlyBox(watcher_, RunOnceRefusedText(SystemErrorDescription(ERROR_FILE_NOT_FOUND), false));
}

TEST_F(Uninstall, UnknownExecutablePathChangesNothingAndSaysWhy) {
  const std::string shortcut = MakeDesktopShortcut();
  EXPECT_THROW(UninstallProgram("", [](const std::string&) {}), EAbort);
  EXPECT_TRUE(PathExists(shortcut));
  DeleteFileA(shortcut.c_str());
  EXPECT_TRUE(MachineKeyExists(UninstallEntryKey));
  ExpectOnlyBox(watcher_, PathUnknownText);
}

TEST_F(Uninstall, PathsCmdWouldMisreadAreLeftToTheNextRestartInstead) {
  exeFolder_ = temp_.Path() + "\\%X%\\";  // a valid 8.3 name: its short form keeps the "%"
  CreateDirectoryA(exeFolder_.c_str(), nullptr);
  exe_ = exeFolder_ + "Tallowmere.exe";
  WriteFileText(exe_, "MZ");
  List("");
  Run();
  EXPECT_EQ(RunOnceValues(), (Values{{"Delete Brindlecast", Cmd() + " /c rem"}}));
  EXPECT_EQ(TakePendingDeletes(temp_.Path()),
            (std::vector<std::string>{exeFolder_ + Retired(), StripTrailingSlash(exeFolder_)}));
}

TEST_F(Uninstall, AnotherCopysWaitingRunOnceCommandStaysAndThisCopyWaitsForTheRestart) {
  SetMachineValue(RunOnceKey, "Delete Brindlecast", "cmd.exe /c del C:\\Other\\x");
  List("");
  Run();
  EXPECT_EQ(RunOnceValues(), (Values{{"Delete Brindlecast", "cmd.exe /c del C:\\Other\\x"}}));
  EXPECT_EQ(TakePendingDeletes(temp_.Path()),
            (std::vector<std::string>{exeFolder_ + Retired(), StripTrailingSlash(exeFolder_)}));
}

// A start or a reinstall before the restart takes back what the uninstaller of this copy left to
// the restart, and what an earlier version left for its listed files; any other deletion stays,
// inside the folder too (a copy at a drive root or in a downloads folder shares it).
TEST_F(Uninstall, StartingAgainBeforeTheRestartTakesBackOnlyThisCopysRestartDeletes) {
  exeFolder_ = temp_.Path() + "\\%X%\\";
  CreateDirectoryA(exeFolder_.c_str(), nullptr);
  exe_ = exeFolder_ + "Tallowmere.exe";
  WriteFileText(exe_, "MZ");
  List("data.txt\r\nsub\\\r\n");
  std::vector<std::string> others{temp_.Path() + "\\other.txt", exeFolder_ + "notes.txt"};
  for (const std::string& path : {others[0], others[1], exeFolder_ + "data.txt"}) {
    WriteFileText(path, "x");
    ASSERT_TRUE(MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  }
  Make("sub\\");
  ASSERT_TRUE(MoveFileExA((exeFolder_ + "sub").c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  Run();
  WriteFileText(exe_, "MZ");  // installed again
  RegisterUninstallEntry(exe_, "C:\\Projects\\Tallowmere\\");
  others.push_back(exeFolder_ + Retired());  // the old copy, still to go
  EXPECT_EQ(TakePendingDeletes(temp_.Path()), others);
}

TEST_F(Uninstall, AnInstalledFileBeyondThePathLimitIsNamedInTheReport) {
  std::string entry;
  for (char c = 'a'; c < 'e'; ++c) entry += std::string(60, c) + "\\";
  entry += "file.txt";
  ASSERT_TRUE(MakeLongPathFile(exeFolder_ + entry));
  List(entry);
  Run();
  EXPECT_EQ(RunOnceValues().size(), 1u);
  ExpectOnlyBox(watcher_, CompletionText({exeFolder_ + entry}));
}
