// Shared fixtures of the install tests: files, folder links, drive roots and registry values.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Files.h"

bool PathExists(const std::string& path);
std::string ShortPathOf(const std::string& path);

// A shell shortcut at `link` that starts `target`.
bool MakeShortcut(const std::string& link, const std::string& target);

// Names and data of the values of an HKEY_LOCAL_MACHINE key ({} when the key does not open).
std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key);
void SetMachineValue(const std::string& key, const std::string& name, const std::string& data);

// Makes a folder link at `link` to `target`. False when the system makes none: Wine 8 reports
// success for CreateSymbolicLinkA yet leaves no link behind, and refuses mount points (error 50).
bool MakeFolderLink(const std::string& link, const std::string& target);

// Creates a file and its folders where the ANSI functions cannot reach (beyond MAX_PATH).
bool MakeLongPathFile(const std::string& path);

// Removes from the system's list of deletions at the next restart those under `folder`, and
// returns their paths in the list's order.
std::vector<std::string> TakePendingDeletes(const std::string& folder);

// Wine only (false or "" elsewhere): the Unix side of the prefix, reached through Wine's own
// export and the Unix tools it can start. Wine resolves Unix symbolic links like folder links.
std::string UnixPathOf(const std::string& path);
// A folder link the system follows: a Windows one, or under Wine a Unix symbolic link.
bool MakeFollowedFolderLink(const std::string& link, const std::string& target);

// Under Wine, a drive letter whose root is the folder: a root lists no "." or ".." entries.
// Letter() is "" when none could be made.
class DriveRoot {
 public:
  explicit DriveRoot(const std::string& folder);
  ~DriveRoot();
  DriveRoot(const DriveRoot&) = delete;
  DriveRoot& operator=(const DriveRoot&) = delete;
  const std::string& Letter() const { return letter_; }  // "Y:"

 private:
  std::string letter_, unixLink_;
};
