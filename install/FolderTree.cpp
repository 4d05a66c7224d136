// Deleting a folder tree and testing a folder for emptiness.
#include "install/FolderTree.h"

#include <windows.h>

#include "framework/Dialogs.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"

namespace {

// A folder listing that yields every entry (hidden, system and read-only ones included).
class FolderListing {
 public:
  explicit FolderListing(const std::wstring& folder)
      : handle_(FindFirstFileW((folder + L"\\*.*").c_str(), &entry_)) {}

  bool Started() const { return handle_.Valid(); }
  bool Next() { return FindNextFileW(handle_.Get(), &entry_) != FALSE; }
  const WIN32_FIND_DATAW& Entry() const { return entry_; }

 private:
  WIN32_FIND_DATAW entry_{};
  FindHandle handle_;
};

bool IsDotEntry(const wchar_t* name) {
  return std::wstring(name) == L"." || std::wstring(name) == L"..";
}

// Removes one entry, asking the user while that fails; Ignore leaves it in place.
void RemoveWithRetry(const std::wstring& path, BOOL(WINAPI* remove)(LPCWSTR),
                     OnLockedFile onLocked) {
  while (!remove(path.c_str())) {
    if (onLocked == OnLockedFile::Ignore) return;
    if (ShowMessageBox(L"Cannot delete " + path, "Warning", MsgIcon::Warning,
                       MsgButtons::RetryIgnore) == MsgResult::Ignore)
      return;
  }
}

}  // namespace

void DeleteFolderTree(const std::wstring& folder, OnLockedFile onLocked) {
  // A folder that is itself a link goes alone: listing it would empty the folder it points to.
  const DWORD own = GetFileAttributesW(folder.c_str());
  if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (!RemoveDirectoryW(folder.c_str())) RaiseLastOSError();
    return;
  }
  {
    // Every entry is judged by its name: a drive root, and some network shares, list no "." first.
    FolderListing listing(folder);
    for (bool more = listing.Started(); more; more = listing.Next()) {
      const WIN32_FIND_DATAW& e = listing.Entry();
      if (IsDotEntry(e.cFileName)) continue;
      const std::wstring path = folder + L"\\" + e.cFileName;
      const DWORD attrs = e.dwFileAttributes;
      if ((attrs & FILE_ATTRIBUTE_DIRECTORY) && (attrs & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveWithRetry(path, RemoveDirectoryW, onLocked);  // the link goes, its target stays
      else if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        DeleteFolderTree(path, onLocked);
      else
        RemoveWithRetry(path, DeleteFileW, onLocked);
    }
  }
  if (!RemoveDirectoryW(folder.c_str())) RaiseLastOSError();
}

void DeleteFolderTree(const std::string& folder) { DeleteFolderTree(AnsiToWide(folder)); }

bool IsFolderEmpty(const std::wstring& folder) {
  FolderListing listing(folder);
  for (bool more = listing.Started(); more; more = listing.Next())
    if (!IsDotEntry(listing.Entry().cFileName)) return false;
  return true;
}

bool IsFolderEmpty(const std::string& folder) { return IsFolderEmpty(AnsiToWide(folder)); }
