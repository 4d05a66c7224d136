// The release's setup and the program's own /uninstall together, as a user meets them: a silent
// install into a folder with blanks, an upgrade over it, the entry's uninstall command and the
// run-once commands of the next logon.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Owned.h"
#include "framework/core/Product.h"
#include "framework/Version.h"
#include "tests/e2e/AppDriver.h"
#include "tests/support/AnsiText.h"
#include "tests/support/Files.h"
#include "tests/support/KeptRegistry.h"
#include "tests/support/ProgramRegistry.h"
#include "tests/support/TempFolder.h"

namespace {

const std::string InstallFolder = "C:\\Program Files\\Brindle Cycle Test";
const std::string Exe = InstallFolder + "\\Tallowmere.exe";
const std::string InstallList =
    "Tallowmere.exe\r\ntallowmere-cli.exe\r\nNOTICE.txt\r\ninstall.txt\r\n";
const char* const SessionManager = "System\\CurrentControlSet\\Control\\Session Manager";

// NSIS takes /D= raw to the end of the command line: a folder with blanks goes unquoted.
DWORD RunSetup(const std::string& arguments) {
  AppDriver setup(CommandLine{"\"" TALLOWMERE_SETUP "\" " + arguments});
  return setup.WaitForExit(60000);
}

std::string UserShellFolder(const char* name) {
  char buf[MAX_PATH] = {};
  DWORD size = sizeof buf;
  RegGetValueA(HKEY_CURRENT_USER,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
               RRF_RT_REG_SZ, nullptr, buf, &size);
  return buf;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Bytes(const std::string& path) { return FileBytes(path, "(missing)"); }

// The executable's version resource as Explorer shows it: the file version numbers, then the
// product, company, file version and original file name texts.
std::string VersionResource(const std::string& exe) {
  std::vector<char> data(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (data.empty() || !GetFileVersionInfoA(exe.c_str(), 0, data.size(), data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &size))
    return "(none)";
  std::string text;
  for (DWORD part : {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                     HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)})
    text += (text.empty() ? "" : ".") + std::to_string(part);
  for (const char* name : {"ProductName", "CompanyName", "FileVersion", "OriginalFilename"}) {
    char* value = nullptr;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    text += VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &size)
                ? "|" + std::string(value)
                : "|(none)";
  }
  return text;
}

DWORD MachineNumber(const char* key, const char* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return 0xFFFFFFFF;
  return value;
}

// Installed-programs entries that call themselves "Brindlecast", whatever their key.
int EntriesNamedBrindlecast() {
  KeyHandle list;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                    0, KEY_READ, list.Out()) != ERROR_SUCCESS)
    return 0;
  int count = 0;
  char name[256];
  for (DWORD i = 0, n = sizeof name;
       RegEnumKeyExA(list.Get(), i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, n = sizeof name) {
    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::string(name);
    count += MachineValue(key.c_str(), "DisplayName") == "Brindlecast";
  }
  return count;
}

// The program's run-once commands, in the order the registry lists them (as the logon runs them).
std::vector<std::string> ProgramRunOnceCommands() {
  std::vector<std::string> commands;
  KeyHandle key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunOnce, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
    return commands;
  char name[256], data[1024];
  for (DWORD i = 0, n = sizeof name, size = sizeof data;
       RegEnumValueA(key.Get(), i, name, &n, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                     &size) == ERROR_SUCCESS;
       ++i, n = sizeof name, size = sizeof data)
    if (std::string(name).rfind("Delete Brindlecast", 0) == 0) commands.push_back(data);
  return commands;
}

struct Link {
  std::string target, arguments, folder;
};

Link ResolveLink(const std::string& path) {
  Link link{"(unreadable)", "", ""};
  ComObject<IShellLinkA> shell;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              shell.OutVoid())))
    return link;
  ComObject<IPersistFile> file;
  const std::wstring wide(path.begin(), path.end());
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.OutVoid())) &&
      SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
    char text[MAX_PATH] = {};
    shell->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.target = text;
    shell->GetArguments(text, MAX_PATH);
    link.arguments = text;
    shell->GetWorkingDirectory(text, MAX_PATH);
    link.folder = text;
  }
  return link;
}

class InstallCycleE2E : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    Remove();
    settingsBefore_ = Bytes(settings_);
  }
  void TearDown() override {
    Remove();
    if (settingsBefore_ == "(missing)")
      DeleteFileA(settings_.c_str());
    else
      WriteFileText(settings_, settingsBefore_);
    CoUninitialize();
  }
  void Remove() {
    for (const char* name :
         {"\\Tallowmere.exe", "\\tallowmere-cli.exe", "\\NOTICE.txt", "\\install.txt"})
      DeleteFileA((InstallFolder + name).c_str());
    RemoveDirectoryA(InstallFolder.c_str());
    DeleteFileA((desktop_ + "\\Brindlecast.lnk").c_str());
    for (const char* name : {"\\Brindlecast.lnk", "\\Uninstall Brindlecast.lnk"})
      DeleteFileA((menu_ + name).c_str());
    RemoveDirectoryA(menu_.c_str());
  }
  // Answers the uninstaller's question with Yes and its report with OK.
  void UninstallAnsweringYes() {
    AppDriver uninstall(CommandLine{MachineValue(EntryKey, "UninstallString")});
    bool sawWindow = false;
    EXPECT_EQ(Answer(uninstall, IDOK, sawWindow).text, "Are you sure to remove Brindlecast?");
    EXPECT_EQ(Answer(uninstall, IDOK, sawWindow).text, "Uninstall complete.");
    EXPECT_EQ(uninstall.WaitForExit(), 0u);
  }

  ProgramRegistryState registry_;
  const std::string desktop_ = UserShellFolder("Desktop");
  const std::string menu_ = UserShellFolder("Programs") + "\\Brindlecast";
  const std::string settings_ = SettingsFilePath();
  std::string settingsBefore_;
};

}  // namespace

TEST_F(InstallCycleE2E, InstallUpgradeUninstallAndTheNextLogonLeaveNothingBehind) {
  ASSERT_EQ(RunSetup("/S /D=" + InstallFolder), 0u);
  const std::string built = Bytes(TallowmereExe());
  EXPECT_TRUE(Bytes(Exe) == built) << "not the built Tallowmere.exe";
  EXPECT_EQ(Bytes(InstallFolder + "\\install.txt"), InstallList);
  EXPECT_NE(Bytes(InstallFolder + "\\NOTICE.txt").find("(CC BY 3.0 US):\r\n"), std::string::npos);
  const Link start = ResolveLink(menu_ + "\\Brindlecast.lnk");
  EXPECT_EQ(start.target, Exe);
  EXPECT_EQ(start.arguments, "");
  EXPECT_EQ(start.folder, UserShellFolder("Personal"));
  const Link remove = ResolveLink(menu_ + "\\Uninstall Brindlecast.lnk");
  EXPECT_EQ(remove.target, Exe);
  EXPECT_EQ(remove.arguments, "/uninstall");
  EXPECT_EQ(ResolveLink(desktop_ + "\\Brindlecast.lnk").target, Exe);
  EXPECT_EQ(MachineValue(EntryKey, "DisplayName"), "Brindlecast");
  EXPECT_EQ(MachineValue(EntryKey, "UninstallString"), "\"" + Exe + "\" /uninstall");
  EXPECT_EQ(MachineValue(EntryKey, "QuietUninstallString"), "\"" + Exe + "\" /uninstall /S");
  EXPECT_EQ(MachineValue(EntryKey, "DisplayIcon"), Exe);
  EXPECT_EQ(MachineValue(EntryKey, "DisplayVersion"), TALLOWMERE_VERSION);
  EXPECT_EQ(MachineValue(EntryKey, "Publisher"), TALLOWMERE_PUBLISHER);
  EXPECT_EQ(VersionResource(Exe), TALLOWMERE_VERSION ".0|" TALLOWMERE_TITLE "|" TALLOWMERE_PUBLISHER
                                                     "|" TALLOWMERE_VERSION "|Tallowmere.exe");
  EXPECT_EQ(MachineValue(EntryKey, "InstallLocation"), InstallFolder);
  EXPECT_GE(MachineNumber(EntryKey, "EstimatedSize"), built.size() / 1024);
  EXPECT_EQ(MachineNumber(EntryKey, "NoModify"), 1u);
  EXPECT_EQ(MachineNumber(EntryKey, "NoRepair"), 1u);

  {  // Started from its shortcut; meanwhile a silent setup stops before it writes anything.
    AppDriver app("", start.target);
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    ASSERT_NE(main, nullptr);
    WriteFileText(InstallFolder + "\\install.txt", "left as it was");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, EntryKey, "DisplayVersion");
    EXPECT_EQ(RunSetup("/S"), 3u);
    EXPECT_EQ(Bytes(InstallFolder + "\\install.txt"), "left as it was");
    EXPECT_EQ(MachineValue(EntryKey, "DisplayVersion"), "(none)");
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(app.WaitForExit(), 0u);
  }
  const std::string settings = Bytes(settings_);
  ASSERT_NE(settings, "(missing)");

  // The upgrade finds the folder through the entry, replaces the files and keeps the settings;
  // but not for a quoted /D=, which setup would drop, upgrading the entry's folder with exit 0.
  WriteFileText(Exe, built + "changed");
  EXPECT_EQ(RunSetup("/S /D=\"" + InstallFolder + "\""), 2u);
  EXPECT_TRUE(Bytes(Exe) == built + "changed") << "upgraded anyway";
  ASSERT_EQ(RunSetup("/S"), 0u);
  EXPECT_TRUE(Bytes(Exe) == built) << "not the built Tallowmere.exe";
  EXPECT_EQ(Bytes(InstallFolder + "\\install.txt"), InstallList);
  EXPECT_EQ(MachineValue(EntryKey, "DisplayVersion"), TALLOWMERE_VERSION);
  EXPECT_EQ(MachineValue(EntryKey, "InstallLocation"), InstallFolder);
  EXPECT_EQ(EntriesNamedBrindlecast(), 1);
  EXPECT_EQ(Bytes(settings_), settings);

  UninstallAnsweringYes();
  EXPECT_FALSE(Exists(desktop_ + "\\Brindlecast.lnk"));
  EXPECT_FALSE(Exists(menu_));
  EXPECT_FALSE(MachineKeyExists(EntryKey));
  const std::vector<std::string> commands = ProgramRunOnceCommands();
  ASSERT_FALSE(commands.empty());

  // The next logon starts each command as it stands (each names the command interpreter itself).
  for (const std::string& command : commands) {
    AppDriver logon(CommandLine{command});
    EXPECT_EQ(logon.WaitForExit(), 0u) << command;
  }
  EXPECT_FALSE(Exists(Exe));
  EXPECT_FALSE(Exists(InstallFolder)) << "left by: " << commands.front();
}

// Also what an uninstall left to the next restart (the installed files and their folder), but not
// another program's deletion in the same folder.
TEST_F(InstallCycleE2E, InstallingAgainBeforeTheNextLogonCancelsTheScheduledDeletions) {
  const KeptRegistryValue restartList(HKEY_LOCAL_MACHINE, SessionManager,
                                      "PendingFileRenameOperations");
  ASSERT_EQ(RunSetup("/S /D=" + InstallFolder), 0u);
  UninstallAnsweringYes();
  ASSERT_NE(MachineValue(RunOnce, "Delete Brindlecast"), "(none)");
  const std::string other = InstallFolder + "\\other.txt";  // no file needed to name it
  for (const std::string& path : {InstallFolder + "\\install.txt", other, InstallFolder})
    ASSERT_TRUE(MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) << path;
  ASSERT_EQ(RunSetup("/S /D=" + InstallFolder), 0u);
  EXPECT_EQ(MachineValue(RunOnce, "Delete Brindlecast"), "(none)");
  EXPECT_TRUE(Exists(Exe));
  WIN32_FIND_DATAA retired{};
  EXPECT_EQ(FindFirstFileA((InstallFolder + "\\~tlm*.del").c_str(), &retired),
            INVALID_HANDLE_VALUE);
  wchar_t list[1024] = {};
  DWORD size = sizeof list;
  RegGetValueW(HKEY_LOCAL_MACHINE, Widen(SessionManager).c_str(), L"PendingFileRenameOperations",
               RRF_RT_REG_MULTI_SZ, nullptr, list, &size);
  EXPECT_EQ(std::wstring(list, size / sizeof(wchar_t)),
            std::wstring(L"\\??\\") + std::wstring(other.begin(), other.end()) +
                std::wstring(L"\0\0\0", 3));
}

// A setup that cannot write its list (a folder has taken the name) changes nothing: no program, no
// entry, and the deletion an uninstall of this folder left stays scheduled. Nor does one that
// cannot clear an earlier run's Tallowmere.exe.old, which is not its own to put back.
TEST_F(InstallCycleE2E, ASetupThatFailsLeavesNothing) {
  const std::string list = InstallFolder + "\\install.txt", stale = Exe + ".old";
  ASSERT_TRUE(CreateDirectoryA(InstallFolder.c_str(), nullptr));
  // An earlier install's folder, as its entry names it.
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, EntryKey, "InstallLocation", REG_SZ, InstallFolder.c_str(),
                  static_cast<DWORD>(InstallFolder.size() + 1));
  ASSERT_TRUE(CreateDirectoryA(stale.c_str(), nullptr));
  EXPECT_EQ(RunSetup("/S /D=" + InstallFolder), 6u);
  EXPECT_FALSE(Exists(Exe)) << "put back a .old it never moved";
  RemoveDirectoryA(stale.c_str());
  ASSERT_TRUE(CreateDirectoryA(list.c_str(), nullptr));
  char shortFolder[MAX_PATH] = {};
  GetShortPathNameA(InstallFolder.c_str(), shortFolder, MAX_PATH);
  const std::string command = "cmd.exe /c del " + std::string(shortFolder) + "\\x";
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, RunOnce, "Delete Brindlecast", REG_SZ, command.c_str(),
                  static_cast<DWORD>(command.size() + 1));
  EXPECT_EQ(RunSetup("/S /D=" + InstallFolder), 6u);
  EXPECT_FALSE(Exists(Exe));
  EXPECT_EQ(MachineValue(EntryKey, "DisplayName"), "(none)");
  EXPECT_EQ(MachineValue(RunOnce, "Delete Brindlecast"), command);
  RemoveDirectoryA(list.c_str());
}

// Outside Program Files, in an earlier install's folder (a list of setup's files only, the
// program beside it) a user could have prepared: a link put at the list's name is replaced,
// never written through. (Wine keeps no access lists: the folder's protection shows only
// on Windows.)
TEST_F(InstallCycleE2E, SetupOutsideProgramFilesWritesNothingThroughALinkInTheFolder) {
  const std::string folder = "C:\\Brindle Tools\\Link Test",
                    victim = "C:\\Brindle Tools\\victim.txt";
  CreateDirectoryA("C:\\Brindle Tools", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteFileText(victim, "TALLOWMERE.EXE\r\ninstall.txt");
  WriteFileText(folder + "\\Tallowmere.exe", "MZ");
  // A second name of the victim file, which a write through either name changes.
  ASSERT_TRUE(CreateHardLinkA((folder + "\\install.txt").c_str(), victim.c_str(), nullptr));
  EXPECT_EQ(RunSetup("/S /D=" + folder), 0u);
  EXPECT_EQ(Bytes(victim), "TALLOWMERE.EXE\r\ninstall.txt");
  EXPECT_EQ(Bytes(folder + "\\install.txt"), InstallList);
  RemoveTree("C:\\Brindle Tools");
}

// A folder of someone else's files keeps its access and its files, also in Program Files and
// also when one of them is called install.txt; Program Files itself is never the folder.
TEST_F(InstallCycleE2E, SetupRefusesAFolderOfOtherFilesAndProgramFilesItself) {
  const std::string folder = "C:\\Brindle Tools\\Papers";
  CreateDirectoryA("C:\\Brindle Tools", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteFileText(folder + "\\letter.txt", "mine");
  EXPECT_EQ(RunSetup("/S /D=" + folder), 5u);
  EXPECT_FALSE(Exists(folder + "\\install.txt"));
  WriteFileText(folder + "\\INSTALL.TXT", "Tallowmere.exe");  // no program beside it
  EXPECT_EQ(RunSetup("/S /D=" + folder), 5u);
  const std::string other = "C:\\Program Files\\Common Files\\Brindle Other",
                    portable = "C:\\Program Files\\Brindle Portable";
  const std::string zipList = "Tallowmere.exe\r\nREADME.txt\r\nNOTICE.txt\r\ninstall.txt\r\n";
  for (const auto& [place, list] :
       {std::pair{other, std::string("other.dll\r\n")}, std::pair{portable, zipList}}) {
    CreateDirectoryA(place.c_str(), nullptr);
    WriteFileText(place + "\\install.txt", list);
    WriteFileText(place + "\\Tallowmere.exe", "MZ");
    EXPECT_EQ(RunSetup("/S /D=" + place), 5u) << place;
    EXPECT_EQ(Bytes(place + "\\install.txt"), list);
    RemoveTree(place);
  }
  EXPECT_EQ(RunSetup("/S /D=C:\\Program Files"), 5u);
  EXPECT_FALSE(Exists("C:\\Program Files\\install.txt"));
  EXPECT_FALSE(MachineKeyExists(EntryKey));
  RemoveTree("C:\\Brindle Tools");
}

// In a folder the code page cannot spell, the copy installs and its /uninstall removes it.
TEST_F(InstallCycleE2E, AFolderTheCodePageCannotSpellInstallsAndUninstalls) {
  const std::wstring folder = L"C:\\Program Files\\\u65E5\u672C";
  AppDriver setup(Widen(TALLOWMERE_SETUP), L"/S /D=" + folder);
  ASSERT_EQ(setup.WaitForExit(60000), 0u);
  AppDriver uninstall(folder + L"\\Tallowmere.exe", L"/uninstall");
  bool sawWindow = false;
  Answer(uninstall, IDOK, sawWindow);
  EXPECT_EQ(Answer(uninstall, IDOK, sawWindow).text, "Uninstall complete.");
  EXPECT_EQ(uninstall.WaitForExit(), 0u);
  EXPECT_EQ(GetFileAttributesW((folder + L"\\install.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(MachineKeyExists(EntryKey));
  RemoveTree(folder);
}

// Unattended as PowerShell passes it (the whole /D= argument quoted). The silent uninstall shows
// nothing, and the next logon removes the folders setup made above the install folder, each only
// while empty.
TEST_F(InstallCycleE2E, AQuotedFolderInstallsAndTheSilentUninstallTakesTheFoldersSetupMade) {
  const std::string made = "C:\\Brindle Made", outer = made + "\\Outer",
                    folder = outer + "\\Password Maker";
  for (const bool keepOne : {false, true}) {
    ASSERT_EQ(RunSetup("/S \"/D=" + folder + "\""), 0u);
    EXPECT_EQ(MachineValue(EntryKey, "FoldersMadeFrom"), made);
    if (keepOne) WriteFileText(outer + "\\keep.txt", "x");
    AppDriver uninstall(CommandLine{MachineValue(EntryKey, "QuietUninstallString")});
    bool sawWindow = false;
    EXPECT_EQ(Answer(uninstall, IDOK, sawWindow).caption, "(no box)");
    EXPECT_EQ(uninstall.WaitForExit(), 0u);
    EXPECT_FALSE(sawWindow);
    EXPECT_FALSE(MachineKeyExists(EntryKey));
    for (const std::string& command : ProgramRunOnceCommands()) {
      AppDriver logon(CommandLine{command});
      EXPECT_EQ(logon.WaitForExit(), 0u) << command;
    }
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(Exists(made), keepOne);
  }
  RemoveTree(made);
}
