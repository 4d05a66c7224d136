// Folders on disk: creating one together with the parents it is missing.
#pragma once
#include <string>

// Creates a folder after its missing parents. One trailing "\" or "/" is ignored; a path shorter
// than three characters (a drive or the root) counts as existing. True when the folder exists.
bool CreateFolderWithParents(const std::wstring& folder);
bool CreateFolderWithParents(const std::string& folder);
