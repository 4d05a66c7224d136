// Installation upkeep run at start-up: the installed-programs entry, the run-once clean-up, the
// "/uninstall" switch and the uninstaller.
#pragma once
#include <functional>
#include <string>
#include <vector>

// Registers the program in the installed-programs list when its entry is missing and cancels the
// run-once deletions an earlier uninstall left, and the deletions at the next restart of the
// executable's folder and everything in it. Skipped when the executable runs from the
// development folder or its path is unknown (""). Silent, except that a failed value write raises
// "Failed to set data for '%s'".
void RegisterUninstallEntry();
void RegisterUninstallEntry(const std::string& exePath, const std::string& developmentFolder);

// On "/uninstall" as the first argument: requests termination, asks for confirmation and
// uninstalls on Yes. Any other command line does nothing.
void CheckUninstallSwitch();
void CheckUninstallSwitch(const std::string& commandLine, const std::function<void()>& uninstall);

// Removes the shortcuts, the start-menu folder and the files and folders that "install.txt" names,
// schedules the deletion of the executable and of what is left, removes the installed-programs
// entry and reports completion, naming what stayed behind. `openFolder` shows the executable
// folder when the list is missing. When the run-once list cannot be opened for writing, or the
// executable's path is unknown (""), it says why and raises EAbort before changing anything.
void UninstallProgram();
void UninstallProgram(const std::string& exePath,
                      const std::function<void(const std::string& folder)>& openFolder);

// Takes the deletions of `folder` (ending in a backslash) and of what it holds off the system's
// restart list, where the uninstaller put the paths cmd would misread; returns their paths.
std::vector<std::string> TakeBackRestartDeletes(const std::string& folder);

// Orders the uninstaller's left-over entries by the user's locale, ignoring case.
void SortLeftOvers(std::vector<std::string>& entries);

// Registry paths under HKEY_LOCAL_MACHINE.
extern const char* const UninstallEntryKey;
extern const char* const RunOnceKey;
