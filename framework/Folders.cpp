// Folders on disk.
#include "framework/Folders.h"

#include <windows.h>

#include "framework/Text.h"

bool CreateFolderWithParents(const std::string& folder) {
  // Both separators are stripped, so that the parent is always shorter than the folder.
  const std::string dir = StripTrailingSlash(folder);
  if (dir.size() < 3) return true;
  const DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  return CreateFolderWithParents(FolderOfPath(dir)) && CreateDirectoryA(dir.c_str(), nullptr);
}
