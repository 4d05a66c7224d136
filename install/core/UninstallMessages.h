// The uninstaller's own reports, built apart from the code that shows them.
#pragma once
#include <string>
#include <vector>

// "Uninstall complete." and, when something stayed behind, the places the user can remove by
// hand: at most ten, then "and N more".
std::string CompletionText(const std::vector<std::string>& leftBehind);

// Why the uninstall stops before changing anything when the run-once list does not open for
// writing: the system's reason, and for a refused access that administrator rights are needed.
std::string RunOnceRefusedText(const std::string& systemReason, bool accessDenied);

// Why the uninstall stops when the executable's own path cannot be had in full.
extern const char* const PathUnknownText;

// How an uninstall ends, as its exit code (the README lists them).
enum class UninstallExit : int {
  Removed = 0,  // all of it; the program itself goes at the next logon
  Failed = 1,   // an unexpected error
  NeedsAdministrator =
      2,            // nothing removed: the run-once list may be written by administrators only
  NotStarted = 3,   // nothing removed: the run-once list or the program's path cannot be had
  ListMissing = 4,  // no install.txt: only the shortcuts went; the files and the entry stay
  LeftBehind = 5,   // removed, but for what the report names (in use, or not scheduled)
};
