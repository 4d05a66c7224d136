// The "/uninstall" switch and the uninstaller.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/ExecutablePath.h"
#include "framework/FileStream.h"
#include "framework/Owned.h"
#include "framework/core/Product.h"
#include "framework/Registry.h"
#include "framework/SystemError.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "generator/RandomSource.h"
#include "install/core/CommandLine.h"
#include "install/FolderTree.h"
#include "install/Install.h"
#include "install/core/InstallList.h"
#include "install/ProgramFolder.h"
#include "install/core/RunOnceCommands.h"
#include "install/core/UninstallMessages.h"
#include "shell/Confirm.h"
#include "shell/ShellFolders.h"
#include "shell/ShellOpen.h"

namespace {

// Runs one clean-up step whose failure must not stop the uninstall.
template <typename Step>
void Guarded(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// Ends the uninstall before anything changed, with its exit code; silent for the error reports.
class UninstallStopped : public EAbort {
 public:
  explicit UninstallStopped(UninstallExit code) : code_(code) {}
  UninstallExit Code() const { return code_; }

 private:
  UninstallExit code_;
};

// Shows why the uninstall stops, unless it is silent, and stops it.
[[noreturn]] void Refuse(const std::string& text, UninstallExit code, bool silent) {
  if (!silent) ShowMessage(text);
  throw UninstallStopped(code);
}

// Opened before anything is deleted: without it nothing could be scheduled, and a half-removed
// program is worse than an untouched one.
RegistryKey OpenRunOnceForWriting(bool silent) {
  RegistryKey runOnce;
  // Never created here: a system without the key has no one to run the commands.
  if (runOnce.Open(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS)) return runOnce;
  const DWORD error = GetLastError();
  const bool denied = error == ERROR_ACCESS_DENIED;
  Refuse(RunOnceRefusedText(SystemErrorDescription(error), denied),
         denied ? UninstallExit::NeedsAdministrator : UninstallExit::NotStarted, silent);
}

// The system's own command processor, so that no other cmd.exe is found by search.
std::string SystemCommandProcessor() {
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) RaiseLastOSError();
  std::string exact;
  if (!WideToAnsiExact(std::wstring(folder, n), exact)) throw Exception(PathUnknownText);
  return CommandProcessor(exact);
}

// COM, for the shell's shortcut object, for the length of the uninstall.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

// The program a shortcut starts, with what it stores as environment variables expanded (setup's
// shortcuts may say "%ProgramFiles%"), and nothing else reinterpreted; "" when it cannot be read.
std::wstring ShortcutTarget(const std::wstring& link) {
  ComObject<IShellLinkW> shell;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              shell.OutVoid())))
    return L"";
  std::wstring target;
  ComObject<IPersistFile> file;
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.OutVoid()))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
        shell->GetPath(path, MAX_PATH, nullptr, 0) == S_OK)
      target = path;
  }
  return target;
}

// True when `path` names this executable: the same text, or the same file once links are resolved.
bool IsThisExecutable(const std::wstring& path, const std::wstring& exe) {
  if (path.empty()) return false;
  if (CompareStringOrdinal(path.c_str(), -1, exe.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
  const std::wstring real = RealPath(path), realExe = RealPath(exe);
  return !real.empty() && !realExe.empty() &&
         CompareStringOrdinal(real.c_str(), -1, realExe.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The entry and the shortcuts share their names with every other copy: they go only when they
// start this executable, so that a portable copy's uninstall leaves the installed copy's alone.
// `madeFrom` gets the outermost folder setup made above this copy's, as the entry records it.
bool EntryIsThisCopys(const std::wstring& exe, std::wstring& madeFrom) {
  RegistryKey entry;
  if (!entry.Open(HKEY_LOCAL_MACHINE, UninstallEntryKey, KEY_READ)) return false;
  madeFrom = entry.ReadWideString(FoldersMadeFromValue);
  // Read wide: the folder may have a name the code page cannot spell. The program is the quoted
  // part, or the text up to the first blank.
  const std::wstring command = entry.ReadWideString("UninstallString");
  const size_t start = !command.empty() && command[0] == L'"' ? 1 : 0;
  const size_t end = command.find(start ? L'"' : L' ', start);
  const bool ours =
      IsThisExecutable(command.substr(start, end == std::wstring::npos ? end : end - start), exe);
  if (!ours) madeFrom.clear();
  return ours;
}

// The folders setup made above the executable's folder (which ends in "\"), innermost first, in
// short form: from its parent up to `madeFrom`, and none when that is not above it.
std::vector<std::string> MadeParents(const std::wstring& exeFolder, const std::wstring& madeFrom) {
  std::vector<std::string> parents;
  if (madeFrom.size() <= 3) return parents;  // never a drive's root
  std::wstring folder = exeFolder.substr(0, exeFolder.size() - 1);
  while (IsInsideFolder(folder, madeFrom)) {
    folder.erase(folder.rfind(L'\\'));
    parents.push_back(StripTrailingSlash(ShortPath(folder)));
  }
  return parents;
}

// A step whose shell folder is unknown ("") does nothing rather than touch the drive's root.
void RemoveShortcutsAndStartMenu(const std::wstring& exe, bool silent) {
  const std::wstring name = AnsiToWide(TALLOWMERE_PRODUCT);
  const auto ours = [&](const std::wstring& link) {
    return IsThisExecutable(ShortcutTarget(link), exe);
  };
  Guarded([&] {
    const std::wstring desktop = GetShellFolder("Desktop");
    const std::wstring link = desktop + L"\\" + name + L".lnk";
    if (!desktop.empty() && ours(link)) DeleteFileW(link.c_str());
  });
  // The start-menu folder is this copy's when its shortcut of the program's name is.
  bool menuIsOurs = false;
  Guarded([&] {
    const std::wstring programs = GetShellFolder("Programs");
    const std::wstring menu = programs + L"\\" + name;
    menuIsOurs = !programs.empty() && ours(menu + L"\\" + name + L".lnk");
    if (menuIsOurs) DeleteFolderTree(menu, silent ? OnLockedFile::Ignore : OnLockedFile::Ask);
  });
  Guarded([&] {
    const std::wstring programs = GetShellFolder("Programs");
    if (!programs.empty() && menuIsOurs) RemoveDirectoryW((programs + L"\\" + name).c_str());
  });
  Guarded([&] {
    const std::wstring programs = GetShellFolder("Programs");
    const std::wstring link = programs + L"\\" + name + L".lnk";
    if (!programs.empty() && ours(link)) DeleteFileW(link.c_str());
  });
}

struct Removed {
  std::vector<std::string> inUse;       // entries that would not go
  std::vector<std::string> leftBehind;  // full paths the user is told about
};

// Deletes the listed files and folders. The folder is wide: the list's entries are ANSI names
// relative to it, but the folder itself may have any name.
Removed RemoveListed(const std::vector<std::string>& entries, const std::wstring& exeFolder,
                     const std::string& exeName) {
  const ProgramFolder folder(exeFolder);
  Removed result;
  const auto note = [&](Removal removal, const std::string& entry) {
    if (removal == Removal::Failed) result.inUse.push_back(entry);
    if (removal == Removal::Kept) result.leftBehind.push_back(WideToAnsi(exeFolder) + entry);
  };
  for (const std::string& entry : entries) {
    if (IsFolderEntry(entry) || IsUnsafeEntry(entry) || entry.empty()) continue;
    // The running executable goes with its own run-once command.
    if (LowerAscii(entry) == LowerAscii(exeName)) continue;
    note(folder.DeleteListedFile(entry), entry);
  }
  // Reverse order, so that folders listed before their contents go child first.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (IsFolderEntry(*it) && !IsUnsafeEntry(*it)) note(folder.RemoveListedFolder(*it), *it);
  return result;
}

}  // namespace

void SortLeftOvers(std::vector<std::string>& texts) {
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
}

namespace {

bool IsDriveRootFolder(const std::wstring& folder) {
  return folder.size() <= 3 && folder.size() >= 2 && folder[1] == L':';
}

// Renames the executable, in its folder, to a name no one can guess, so that the deletion
// scheduled for it can name nothing else wherever its path leads by then. "" when it cannot be
// renamed.
std::string RetireExecutable(const std::wstring& exePath, const std::wstring& exeFolder) {
  unsigned long long random = 0;
  if (!FillFromSystem(reinterpret_cast<unsigned char*>(&random), sizeof random)) return "";
  const std::string name = RetiredExecutableName(random);
  return MoveFileExW(exePath.c_str(), (exeFolder + AnsiToWide(name)).c_str(), 0) ? name : "";
}

// Schedules the deletion of the retired executable and then of its emptied folder: by the
// run-once command, or, where cmd would misread the folder's path or another copy's command
// holds the value, by the system at the next restart. Nothing else is scheduled: a left-over file
// could be swapped for a link before the command runs, with an administrator's rights, so the user
// is told about it instead. False when neither could be scheduled.
bool ScheduleDeletion(const RegistryKey& runOnce, const std::string& cmd,
                      const std::wstring& exePath, const std::wstring& exeFolder,
                      const std::string& retiredName, const std::vector<std::string>& madeParents) {
  const std::string shortFolder = StripTrailingSlash(ShortPath(exeFolder));
  // Every copy's command has the one value's name: another copy's still waiting for the next logon
  // stays, and this copy's deletion waits for the restart instead.
  const bool anothers = runOnce.ValueExists(RunOnceProgramValue) &&
                        !RunOnceCommandIsOwn(runOnce.ReadString(RunOnceProgramValue), exePath);
  if (!anothers)
    runOnce.WriteString(RunOnceProgramValue,
                        ProgramCommand(cmd, shortFolder, retiredName, madeParents));
  if (retiredName.empty()) return false;
  // The command must survive a power cut before the next logon.
  if (!anothers && !shortFolder.empty() && !CmdWouldReinterpret(shortFolder))
    return runOnce.TryFlush();
  // The system deletes in the list's order: the file, then its folder if it is empty by then. (Also
  // for a folder the code page cannot spell, which has no command's spelling.)
  const std::wstring folder = exeFolder.substr(0, exeFolder.size() - 1);
  if (!MoveFileExW((folder + L"\\" + AnsiToWide(retiredName)).c_str(), nullptr,
                   MOVEFILE_DELAY_UNTIL_REBOOT))
    return false;
  if (!IsDriveRootFolder(exeFolder))
    MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return true;
}

bool MachineKeyExists(const std::string& key) {
  RegistryKey k;
  return k.Open(HKEY_LOCAL_MACHINE, key, KEY_READ);
}

}  // namespace

UninstallExit UninstallProgram(const std::wstring& exePath,
                               const std::function<void(const std::wstring& folder)>& openFolder,
                               bool silent) {
  // A cut path would name another folder, and with it another list.
  if (exePath.empty()) Refuse(PathUnknownText, UninstallExit::NotStarted, silent);
  const RegistryKey runOnce = OpenRunOnceForWriting(silent);
  const std::string cmd = SystemCommandProcessor();
  const std::wstring exeFolder = FolderOfPath(exePath);
  const ComScope com;
  // Judged before the executable is renamed.
  std::wstring madeFrom;
  const bool entryIsOurs = EntryIsThisCopys(exePath, madeFrom);
  RemoveShortcutsAndStartMenu(exePath, silent);

  std::string bytes;
  try {
    bytes = ReadWholeFile(exeFolder + L"install.txt");
  } catch (const std::exception&) {
    if (!silent) {
      ShowMessage("Can't find install.txt\r\n\r\nYou need to delete the files manually");
      openFolder(exeFolder);
    }
    return UninstallExit::ListMissing;
  }
  const std::string shownFolder = WideToAnsi(exeFolder);  // for the report only
  Removed removed = RemoveListed(ParseInstallList(bytes), exeFolder,
                                 WideToAnsi(exePath.substr(exeFolder.size())));
  SortLeftOvers(removed.inUse);
  for (const std::string& entry : removed.inUse) removed.leftBehind.push_back(shownFolder + entry);
  const std::string retired = RetireExecutable(exePath, exeFolder);
  if (!ScheduleDeletion(runOnce, cmd, exePath, exeFolder, retired,
                        MadeParents(exeFolder, madeFrom)))
    removed.leftBehind.push_back(retired.empty() ? WideToAnsi(exePath) : shownFolder + retired);
  if (entryIsOurs && !TryDeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallEntryKey) &&
      MachineKeyExists(UninstallEntryKey))
    removed.leftBehind.push_back(std::string("HKEY_LOCAL_MACHINE\\") + UninstallEntryKey);
  if (!silent) ShowMessage(CompletionText(removed.leftBehind));
  return removed.leftBehind.empty() ? UninstallExit::Removed : UninstallExit::LeftBehind;
}

void UninstallProgram(const std::wstring& exePath,
                      const std::function<void(const std::wstring& folder)>& openFolder) {
  UninstallProgram(exePath, openFolder, false);
}

void UninstallProgram(const std::string& exePath,
                      const std::function<void(const std::string& folder)>& openFolder) {
  UninstallProgram(AnsiToWide(exePath),
                   [&](const std::wstring& folder) { openFolder(WideToAnsi(folder)); });
}

UninstallExit UninstallProgram(bool silent) {
  return UninstallProgram(
      ExecutableWidePath(),
      [](const std::wstring& folder) {
        // The shell's open takes the code page's spelling: a folder it cannot spell is not shown.
        std::string spelt;
        if (WideToAnsiExact(folder, spelt)) OpenWithShell(nullptr, spelt);
      },
      silent);
}

int CheckUninstallSwitch(const std::string& commandLine,
                         const std::function<UninstallExit(bool silent)>& uninstall) {
  if (!HasUninstallSwitch(commandLine)) return 0;
  TerminateRequested = true;
  const bool silent = HasSilentSwitch(commandLine);
  UninstallExit code = UninstallExit::Removed;
  if (silent || ConfirmYesNo("Are you sure to remove " TALLOWMERE_PRODUCT "?")) {
    try {
      code = uninstall(silent);
    } catch (const UninstallStopped& stopped) {
      code = stopped.Code();
    } catch (const std::exception&) {
      if (!silent) throw;  // the last-chance report shows it
      code = UninstallExit::Failed;
    }
  }
  Application.Terminate();
  return static_cast<int>(code);
}

bool IsSilentUninstall() { return HasSilentSwitch(GetCommandLineA()); }

int CheckUninstallSwitch() {
  return CheckUninstallSwitch(GetCommandLineA(),
                              [](bool silent) { return UninstallProgram(silent); });
}
