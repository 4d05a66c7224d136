// Installation upkeep run at start-up: the installed-programs entry, the run-once clean-up, the
// "/uninstall" switch and the uninstaller.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "install/core/UninstallMessages.h"

// Registers the program in the installed-programs list when its entry is missing and cancels the
// run-once deletions an earlier uninstall left, and this copy's deletions at the next restart
// (OwnRestartDeletes). Skipped when the executable runs from the
// development folder or its path is unknown (""). Silent, except that a failed value write raises
// "Failed to set data for '%s'".
void RegisterUninstallEntry();
void RegisterUninstallEntry(const std::string& exePath, const std::string& developmentFolder);

// True when the file or folder really (links resolved) lies inside one of the system's Program
// Files folders, which only administrators can change.
bool IsInProgramFiles(const std::wstring& path);

// True when the run-once `command` deletes the file an uninstall of the copy at `exePath` left.
bool RunOnceCommandIsOwn(const std::string& command, const std::wstring& exePath);

// Cancels the run-once deletion that an uninstall of the copy at `exePath` left, with the numbered
// values that go with it; another copy's deletion stays.
void CancelOwnRunOnceDeletions(const std::wstring& exePath);

// On "/uninstall" as the first argument: requests termination, asks for confirmation and
// uninstalls on Yes; with "/S" after it, uninstalls without asking or showing anything. Returns
// the process's exit code: the uninstall's (UninstallExit), 0 when not asked to uninstall or
// answered No.
int CheckUninstallSwitch();
// True when this process was started with "/uninstall /S": it then shows nothing at all.
bool IsSilentUninstall();
int CheckUninstallSwitch(const std::string& commandLine,
                         const std::function<UninstallExit(bool silent)>& uninstall);

// Removes the shortcuts, the start-menu folder and the files and folders that "install.txt" names,
// schedules the deletion of the executable and of what is left, removes the installed-programs
// entry and reports completion, naming what stayed behind. `openFolder` shows the executable
// folder when the list is missing. When the run-once list cannot be opened for writing, or the
// executable's path is unknown (""), it says why and raises EAbort before changing anything. The
// folder may have any name; the list's entries are ANSI names relative to it. Silent, it shows
// nothing, opens no folder and leaves a file in the start-menu folder that will not go (Ignore);
// the result says how it ended (a refusal is raised as EAbort all the same).
UninstallExit UninstallProgram(bool silent);
UninstallExit UninstallProgram(const std::wstring& exePath,
                               const std::function<void(const std::wstring& folder)>& openFolder,
                               bool silent);
void UninstallProgram(const std::wstring& exePath,
                      const std::function<void(const std::wstring& folder)>& openFolder);
void UninstallProgram(const std::string& exePath,
                      const std::function<void(const std::string& folder)>& openFolder);

// Takes the deletions that `ours` accepts off the system's restart list, where the uninstaller
// puts what cmd would misread, and returns their paths; every other entry stays as it was.
std::vector<std::wstring> TakeBackRestartDeletes(
    const std::function<bool(const std::wstring& path)>& ours);

// The restart-time deletions that belong to the copy at `exePath`, which a start or a reinstall
// before the restart takes back: the executable, its folder, and the files and folders its
// "install.txt" lists. Nothing else, also inside the folder: a drive root or a downloads folder
// holds other programs' files.
std::function<bool(const std::wstring& path)> OwnRestartDeletes(const std::wstring& exePath);

// Orders the uninstaller's left-over entries by the user's locale, ignoring case.
void SortLeftOvers(std::vector<std::string>& entries);

// Registry paths under HKEY_LOCAL_MACHINE.
extern const char* const UninstallEntryKey;
extern const char* const RunOnceKey;
// The entry's value that names the outermost folder setup made above the install folder.
extern const char* const FoldersMadeFromValue;
