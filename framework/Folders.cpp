// Folders on disk.
#include "framework/Folders.h"

#include <windows.h>

#include "framework/core/Text.h"
#include "framework/WideText.h"

bool TryCreateFolderWithParents(const std::wstring& folder) {
  // Both separators are stripped, so that the parent is always shorter than the folder.
  std::wstring dir = folder;
  if (!dir.empty() && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  if (dir.size() < 3) return true;
  const DWORD attributes = GetFileAttributesW(dir.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  return TryCreateFolderWithParents(FolderOfPath(dir)) && CreateDirectoryW(dir.c_str(), nullptr);
}

bool TryCreateFolderWithParents(const std::string& folder) {
  return TryCreateFolderWithParents(AnsiToWide(folder));
}
