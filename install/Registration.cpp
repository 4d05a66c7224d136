// The installed-programs entry and the clean-up of deletions left by an earlier uninstall.
#include <windows.h>

#include "framework/ExecutablePath.h"
#include "framework/FileStream.h"
#include "framework/core/Product.h"
#include "framework/Registry.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "install/Install.h"
#include "install/ProgramFolder.h"
#include "install/core/InstallList.h"
#include "install/core/InstallText.h"
#include "install/core/RestartDeletes.h"
#include "install/core/RunOnceCommands.h"

const char* const UninstallEntryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" TALLOWMERE_PRODUCT;
const char* const RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char* const FoldersMadeFromValue = "FoldersMadeFrom";

namespace {

// Copies started from the developer's own build folder leave the machine's lists alone.
const char* const DevelopmentFolder = TALLOWMERE_DEVELOPMENT_FOLDER;

void EnsureUninstallEntry(const std::string& exePath) {
  RegistryKey entry;
  // An entry already there is kept as it is, whatever it says; looked for as the create opens it.
  if (entry.Open(HKEY_LOCAL_MACHINE, UninstallEntryKey, KEY_ALL_ACCESS)) return;
  if (!entry.OpenOrCreate(HKEY_LOCAL_MACHINE, UninstallEntryKey)) return;
  entry.WriteString("DisplayName", TALLOWMERE_PRODUCT);
  // Quoted: unquoted, a path with blanks may start another program ("C:\Program.exe").
  entry.WriteString("UninstallString", "\"" + exePath + "\" /uninstall");
  entry.WriteString("QuietUninstallString", "\"" + exePath + "\" /uninstall /S");
}

}  // namespace

bool IsInProgramFiles(const std::wstring& path) {
  // Both the path and the folders with their links resolved, so that neither a link in Program
  // Files nor one to it counts; the folders as the machine's settings name them, which also only
  // administrators can change.
  const std::wstring real = RealPath(path);
  RegistryKey windows;
  if (real.empty() ||
      !windows.Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ))
    return false;
  for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)"}) {
    const std::wstring folder = windows.ReadWideString(name);
    if (!folder.empty() && IsInsideFolder(real, RealPath(folder))) return true;
  }
  return false;
}

bool RunOnceCommandIsOwn(const std::string& command, const std::wstring& exePath) {
  // The uninstaller names the folder by its short form; an earlier version may have used either.
  std::wstring wideFolder = FolderOfPath(exePath);
  if (!wideFolder.empty()) wideFolder.pop_back();
  std::string folder;
  if (!WideToAnsiExact(wideFolder, folder)) folder.clear();  // then only its short form counts
  return CommandNamesFolder(command, StripTrailingSlash(ShortPath(wideFolder))) ||
         CommandNamesFolder(command, folder);
}

void CancelOwnRunOnceDeletions(const std::wstring& exePath) {
  RegistryKey runOnce;
  if (!runOnce.Open(HKEY_LOCAL_MACHINE, RunOnceKey, KEY_ALL_ACCESS)) return;
  if (!runOnce.ValueExists(RunOnceProgramValue)) return;  // numbered values alone are not ours
  if (!RunOnceCommandIsOwn(runOnce.ReadString(RunOnceProgramValue), exePath)) return;
  runOnce.TryDeleteValue(RunOnceProgramValue);
  for (unsigned n = 0; n < 0x80000000u; ++n) {
    const std::string name = RunOnceFileValue(n);
    if (!runOnce.ValueExists(name)) return;
    runOnce.TryDeleteValue(name);
  }
}

std::vector<std::wstring> TakeBackRestartDeletes(
    const std::function<bool(const std::wstring& path)>& ours) {
  RegistryKey session;
  if (!session.Open(HKEY_LOCAL_MACHINE, RestartListKey, KEY_QUERY_VALUE | KEY_SET_VALUE)) return {};
  std::wstring list;
  if (!session.TryReadMultiString(RestartListValue, list)) return {};
  const RestartDeletes split = TakeRestartDeletes(list, ours);
  if (split.taken.empty()) return {};
  if (split.kept.empty())
    session.TryDeleteValue(RestartListValue);
  else
    session.TryWriteMultiString(RestartListValue, split.kept);
  return split.taken;
}

std::function<bool(const std::wstring& path)> OwnRestartDeletes(const std::wstring& exePath) {
  const std::wstring folder = FolderOfPath(exePath);
  std::vector<std::wstring> own{exePath};
  if (!folder.empty()) own.push_back(folder.substr(0, folder.size() - 1));
  bool listed = false;
  // The list is read only when the restart list holds a deletion to judge.
  return [own, listed, folder](const std::wstring& path) mutable {
    if (!listed) {
      listed = true;
      try {
        for (const std::string& entry : ParseInstallList(ReadWholeFile(folder + L"install.txt")))
          if (!entry.empty() && !IsUnsafeEntry(entry))
            own.push_back(folder +
                          AnsiToWide(IsFolderEntry(entry) ? StripTrailingSlash(entry) : entry));
      } catch (const std::exception&) {
        // Without the list, only the executable and its folder are known to be this copy's.
      }
    }
    for (const std::wstring& mine : own)
      if (SamePathText(mine, path)) return true;
    return false;
  };
}

void RegisterUninstallEntry(const std::string& exePath, const std::string& developmentFolder) {
  // Without the whole path neither the entry nor the development-folder test can be right.
  if (exePath.empty() || StartsWithText(developmentFolder, exePath)) return;
  // The entry names an exe that administrators run to uninstall: only a copy that only they can
  // change lists itself. Any other is portable; setup writes the entry for the folder it installs.
  // It names the path with every link resolved, the one judged: a link on the way in, such as a
  // user's junction into Program Files, could be pointed elsewhere afterwards.
  const std::wstring real = RealPath(AnsiToWide(exePath));
  std::string listed;
  if (real.compare(0, 4, L"\\\\?\\") == 0 && real.compare(4, 4, L"UNC\\") != 0 &&
      WideToAnsiExact(real.substr(4), listed) && IsInProgramFiles(real))
    EnsureUninstallEntry(listed);
  CancelOwnRunOnceDeletions(AnsiToWide(exePath));
  // Cancelled whether or not the run-once values are still there: the next logon consumes those,
  // the restart list waits for the restart.
  TakeBackRestartDeletes(OwnRestartDeletes(AnsiToWide(exePath)));
}

void RegisterUninstallEntry() { RegisterUninstallEntry(ExecutablePath(), DevelopmentFolder); }
