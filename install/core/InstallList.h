// The list file "install.txt" that an installer leaves beside the executable: one path per line,
// relative to the executable's folder; a trailing "\" marks a folder.
#pragma once
#include <string>
#include <vector>

// Splits the file's bytes into entries. A line ends at CR LF, a lone CR or a lone LF; the last line
// needs no end; the text ends at the first NUL. Entries are kept as they stand (an empty line is
// an empty entry).
std::vector<std::string> ParseInstallList(const std::string& bytes);

// True for an entry that names a folder (ends with a backslash; a trailing "/" does not count).
bool IsFolderEntry(const std::string& entry);

// True for an entry that could reach outside the executable's folder: rooted, drive-qualified,
// UNC, or with a ".." component. Such entries are passed over by the uninstaller.
bool IsUnsafeEntry(const std::string& entry);

// True when every entry of the list is one of `names` (ignoring the case of "A" to "Z"): a list
// only setup could have written, with nothing else of anyone's in it.
bool ListsOnly(const std::string& bytes, const std::vector<std::string>& names);
