// The system's list of renames at the next restart, as the uninstaller leaves deletions in it.
#pragma once
#include <string>
#include <vector>

// The registry value holding the list: a multi-string of pairs, "\??\" + source and target, the
// target empty for a deletion; an empty source ends the list.
extern const char* const RestartListKey;    // under HKEY_LOCAL_MACHINE
extern const char* const RestartListValue;  // "PendingFileRenameOperations"

struct RestartDeletes {
  std::vector<std::string> taken;  // source paths without "\??\", in the list's order
  std::string kept;                // the other pairs byte for byte, each string NUL-ended
};

// Takes the deletions of the folder (ending in a backslash) and of everything inside it; paths
// are compared as the program compares texts (StartsWithText).
RestartDeletes TakeRestartDeletes(const std::string& list, const std::string& folder);
