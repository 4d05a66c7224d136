// The "/uninstall" switch and the uninstaller.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/FileStream.h"
#include "framework/Product.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "install/CommandLine.h"
#include "install/FolderTree.h"
#include "install/Install.h"
#include "install/InstallList.h"
#include "install/RunOnceCommands.h"
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

bool FileExists(const std::string& path) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// The 8.3 form of an existing path; "" when it has none or it does not fit in MAX_PATH.
std::string ShortPath(const std::string& path) {
  char buf[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buf, n) : std::string();
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

// Deletes the listed files and folders; returns the entries that could not be removed.
std::vector<std::string> RemoveListed(const std::vector<std::string>& entries,
                                      const std::string& exeFolder, const std::string& exeName) {
  std::vector<std::string> leftOver;
  for (const std::string& entry : entries) {
    if (IsFolderEntry(entry) || IsUnsafeEntry(entry)) continue;
    // The running executable goes with its own run-once command.
    if (LowerAscii(entry) == LowerAscii(exeName)) continue;
    const std::string path = exeFolder + entry;
    if (FileExists(path) && !DeleteFileA(path.c_str())) leftOver.push_back(entry);
  }
  // Reverse order, so that folders listed before their contents go child first.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (!IsFolderEntry(*it) || IsUnsafeEntry(*it)) continue;
    const std::string path = exeFolder + StripTrailingSlash(*it);
    if (IsFolderEmpty(path) && !RemoveDirectoryA(path.c_str())) leftOver.push_back(*it);
  }
  return leftOver;
}

}  // namespace

void SortLeftOvers(std::vector<std::string>& texts) {
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
}

namespace {

void ScheduleDeletions(const std::string& exePath, const std::string& exeFolder,
                       const std::vector<std::string>& leftOver) {
  RegistryKey runOnce;
  // Never created here; when it does not open, the first write reports the failure.
  runOnce.Open(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS);
  runOnce.WriteString(RunOnceProgramValue, DeleteFileCommand(ShortPath(exePath)));
  for (size_t i = 0; i < leftOver.size(); ++i)
    runOnce.WriteString(RunOnceFileValue(static_cast<unsigned>(i)),
                        LeftOverCommand(leftOver[i], ShortPath(exeFolder + leftOver[i])));
  // The commands must survive a power cut before the next logon.
  runOnce.Flush();
}

}  // namespace

void UninstallProgram(const std::string& exePath,
                      const std::function<void(const std::string& folder)>& openFolder) {
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
  std::vector<std::string> leftOver =
      RemoveListed(ParseInstallList(bytes), exeFolder, FileNameOfPath(exePath));
  SortLeftOvers(leftOver);
  ScheduleDeletions(exePath, exeFolder, leftOver);
  DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallEntryKey);
  ShowMessage("Uninstall complete.");
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
