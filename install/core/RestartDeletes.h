// The system's list of renames at the next restart, as the uninstaller leaves deletions in it.
#pragma once
#include <functional>
#include <string>
#include <vector>

// The registry value holding the list: a multi-string of pairs, "\??\" + source and target, the
// target empty for a deletion; an empty source ends the list. It belongs to every program on the
// machine, so it is handled in UTF-16 exactly as stored.
extern const char* const RestartListKey;    // under HKEY_LOCAL_MACHINE
extern const char* const RestartListValue;  // "PendingFileRenameOperations"

struct RestartDeletes {
  std::vector<std::wstring> taken;  // source paths without "\??\", in the list's order
  std::wstring kept;                // the other pairs character for character, each ending in 0
};

// Takes the deletions whose path (without "\??\") `ours` accepts; renames and everything else stay.
// A list that cannot be read as whole pairs of strings gives nothing to take.
RestartDeletes TakeRestartDeletes(const std::wstring& list,
                                  const std::function<bool(const std::wstring& path)>& ours);

// True when two paths are the same text once "A" to "Z" are lower-cased (the program's text rule).
bool SamePathText(const std::wstring& a, const std::wstring& b);
