// The "/uninstall" switch and the uninstaller.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/ExecutablePath.h"
#include "framework/FileStream.h"
#include "framework/Product.h"
#include "framework/Registry.h"
#include "framework/SystemError.h"
#include "framework/Text.h"
#include "install/CommandLine.h"
#include "install/FolderTree.h"
#include "install/Install.h"
#include "install/InstallList.h"
#include "install/ProgramFolder.h"
#include "install/RunOnceCommands.h"
#include "install/UninstallMessages.h"
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

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The 8.3 form of an existing path; "" when it has none or it does not fit in MAX_PATH.
std::string ShortPath(const std::string& path) {
  char buf[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buf, n) : std::string();
}

// Shows why the uninstall stops and ends the process with a failure, before anything changed.
[[noreturn]] void Refuse(const std::string& text) {
  ShowMessage(text);
  throw EAbort();
}

// Opened before anything is deleted: without it nothing could be scheduled, and a half-removed
// program is worse than an untouched one.
RegistryKey OpenRunOnceForWriting() {
  RegistryKey runOnce;
  // Never created here: a system without the key has no one to run the commands.
  if (runOnce.Open(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS)) return runOnce;
  const DWORD error = GetLastError();
  Refuse(RunOnceRefusedText(SystemErrorDescription(error), error == ERROR_ACCESS_DENIED));
}

// The system's own command processor, so that no other cmd.exe is found by search.
std::string SystemCommandProcessor() {
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) RaiseLastOSError();
  return CommandProcessor(std::string(folder, n));
}

// A step whose shell folder is unknown ("") does nothing rather than touch the drive's root.
void RemoveShortcutsAndStartMenu() {
  Guarded([] {
    const std::string desktop = GetShellFolder("Desktop");
    if (!desktop.empty()) DeleteFileA((desktop + "\\" TALLOWMERE_PRODUCT ".lnk").c_str());
  });
  Guarded([] {
    const std::string programs = GetShellFolder("Programs");
    if (!programs.empty()) DeleteFolderTree(programs + "\\" TALLOWMERE_PRODUCT);
  });
  Guarded([] {
    const std::string programs = GetShellFolder("Programs");
    if (!programs.empty()) RemoveDirectoryA((programs + "\\" TALLOWMERE_PRODUCT).c_str());
  });
  Guarded([] {
    const std::string programs = GetShellFolder("Programs");
    if (!programs.empty()) DeleteFileA((programs + "\\" TALLOWMERE_PRODUCT ".lnk").c_str());
  });
}

struct Removed {
  std::vector<std::string> leftOver;    // entries to schedule
  std::vector<std::string> leftBehind;  // full paths the user is told about
};

// Deletes the listed files and folders.
Removed RemoveListed(const std::vector<std::string>& entries, const std::string& exeFolder,
                     const std::string& exeName) {
  const ProgramFolder folder(exeFolder);
  Removed result;
  const auto note = [&](Removal removal, const std::string& entry) {
    if (removal == Removal::Failed) result.leftOver.push_back(entry);
    if (removal == Removal::Kept) result.leftBehind.push_back(exeFolder + entry);
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

// Writes the run-once commands; a path that cmd would misread is left to the system to delete at
// the next restart instead. Whatever cannot be scheduled either way joins leftBehind.
void ScheduleDeletions(const RegistryKey& runOnce, const std::string& cmd,
                       const std::string& exePath, const std::string& exeFolder,
                       const std::vector<std::string>& leftOver,
                       std::vector<std::string>& leftBehind) {
  std::vector<std::string> byCommand, atRestart;
  const std::string shortExe = ShortPath(exePath);
  const std::string shortFolder = StripTrailingSlash(ShortPath(exeFolder));
  runOnce.WriteString(RunOnceProgramValue, ProgramCommand(cmd, shortExe, shortFolder));
  if (shortExe.empty())
    leftBehind.push_back(exePath);  // beyond the path limit
  else
    (CmdWouldReinterpret(shortExe) ? atRestart : byCommand).push_back(exePath);

  unsigned n = 0;
  for (const std::string& entry : leftOver) {
    const std::string path = exeFolder + entry;
    const std::string shortPath = ShortPath(path);
    // A missing folder keeps its (empty) command; an existing path without a short form is over
    // the path limit.
    if (shortPath.empty() && PathExists(path)) {
      leftBehind.push_back(path);
    } else if (CmdWouldReinterpret(shortPath)) {
      atRestart.push_back(path);
    } else {
      runOnce.WriteString(RunOnceFileValue(n++),
                          ThenRemoveFolder(LeftOverCommand(cmd, entry, shortPath), shortFolder));
      byCommand.push_back(path);
    }
  }
  // The commands must survive a power cut before the next logon.
  if (!runOnce.Flush()) leftBehind.insert(leftBehind.end(), byCommand.begin(), byCommand.end());

  // The system deletes in this order: reversed, contents come before the folders that hold them
  // (the sorted list has each folder first) and the executable, put first, after all of them,
  // just before its own folder.
  std::reverse(atRestart.begin(), atRestart.end());
  if (!shortFolder.empty() && CmdWouldReinterpret(shortFolder))
    atRestart.push_back(StripTrailingSlash(exeFolder));
  for (const std::string& path : atRestart)
    if (!MoveFileExA(StripTrailingSlash(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
      leftBehind.push_back(path);
}

bool MachineKeyExists(const std::string& key) {
  RegistryKey k;
  return k.Open(HKEY_LOCAL_MACHINE, key, KEY_READ);
}

}  // namespace

void UninstallProgram(const std::string& exePath,
                      const std::function<void(const std::string& folder)>& openFolder) {
  // A cut path would name another folder, and with it another list.
  if (exePath.empty()) Refuse(PathUnknownText);
  const RegistryKey runOnce = OpenRunOnceForWriting();
  const std::string cmd = SystemCommandProcessor();
  const std::string exeFolder = FolderOfPath(exePath);
  RemoveShortcutsAndStartMenu();

  std::string bytes;
  try {
    bytes = ReadWholeFile(exeFolder + "install.txt");
  } catch (const std::exception&) {
    ShowMessage("Can't find install.txt\r\n\r\nYou need to delete the files manually");
    openFolder(exeFolder);
    return;
  }
  Removed removed = RemoveListed(ParseInstallList(bytes), exeFolder, FileNameOfPath(exePath));
  SortLeftOvers(removed.leftOver);
  ScheduleDeletions(runOnce, cmd, exePath, exeFolder, removed.leftOver, removed.leftBehind);
  if (!DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallEntryKey) && MachineKeyExists(UninstallEntryKey))
    removed.leftBehind.push_back(std::string("HKEY_LOCAL_MACHINE\\") + UninstallEntryKey);
  ShowMessage(CompletionText(removed.leftBehind));
}

void UninstallProgram() {
  UninstallProgram(ExecutablePath(),
                   [](const std::string& folder) { OpenWithShell(nullptr, folder); });
}

void CheckUninstallSwitch(const std::string& commandLine, const std::function<void()>& uninstall) {
  if (!HasUninstallSwitch(commandLine)) return;
  TerminateRequested = true;
  if (ConfirmYesNo("Are you sure to remove " TALLOWMERE_PRODUCT "?")) uninstall();
  Application.Terminate();
}

void CheckUninstallSwitch() {
  CheckUninstallSwitch(GetCommandLineA(), [] { UninstallProgram(); });
}
