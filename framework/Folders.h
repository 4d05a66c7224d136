// Folders on disk: creating one together with the parents it is missing.
//
// Error contract of the framework's platform wrappers: a function named Open... or Try... answers
// false and leaves the system's error code as the last error; every other function raises the
// user-facing Exception with the system's text.
#pragma once
#include <string>

// Creates a folder after its missing parents. One trailing "\" or "/" is ignored; a path shorter
// than three characters (a drive or the root) counts as existing. True when the folder exists.
bool TryCreateFolderWithParents(const std::wstring& folder);
bool TryCreateFolderWithParents(const std::string& folder);
