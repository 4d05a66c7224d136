// Deleting a folder tree and testing a folder for emptiness.
#include "install/FolderTree.h"

#include <windows.h>

#include "framework/Dialogs.h"
#include "framework/SystemError.h"

namespace {

// A folder listing that yields every entry (hidden, system and read-only ones included).
class FolderListing {
 public:
  explicit FolderListing(const std::string& folder)
      : handle_(FindFirstFileA((folder + "\\*.*").c_str(), &entry_)) {}
  ~FolderListing() {
    if (Started()) FindClose(handle_);
  }
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  bool Started() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next() { return FindNextFileA(handle_, &entry_) != FALSE; }
  const WIN32_FIND_DATAA& Entry() const { return entry_; }

 private:
  WIN32_FIND_DATAA entry_{};
  HANDLE handle_;
};

bool IsDotEntry(const char* name) { return std::string(name) == "." || std::string(name) == ".."; }

// Removes one entry, asking the user while that fails; Ignore leaves it in place.
void RemoveWithRetry(const std::string& path, BOOL(WINAPI* remove)(LPCSTR)) {
  while (!remove(path.c_str())) {
    if (ShowMessageBox("Cannot delete " + path, "Warning", MsgIcon::Warning,
                       MsgButtons::RetryIgnore) == MsgResult::Ignore)
      return;
  }
}

}  // namespace

void DeleteFolderTree(const std::string& folder) {
  // A folder that is itself a link goes alone: listing it would empty the folder it points to.
  const DWORD own = GetFileAttributesA(folder.c_str());
  if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (!RemoveDirectoryA(folder.c_str())) RaiseLastOSError();
    return;
  }
  {
    // Every entry is judged by its name: a drive root, and some network shares, list no "." first.
    FolderListing listing(folder);
    for (bool more = listing.Started(); more; more = listing.Next()) {
      const WIN32_FIND_DATAA& e = listing.Entry();
      if (IsDotEntry(e.cFileName)) continue;
      const std::string path = folder + "\\" + e.cFileName;
      const DWORD attrs = e.dwFileAttributes;
      if ((attrs & FILE_ATTRIBUTE_DIRECTORY) && (attrs & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveWithRetry(path, RemoveDirectoryA);  // the link goes, its target stays
      else if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        DeleteFolderTree(path);
      else
        RemoveWithRetry(path, DeleteFileA);
    }
  }
  if (!RemoveDirectoryA(folder.c_str())) RaiseLastOSError();
}

bool IsFolderEmpty(const std::string& folder) {
  FolderListing listing(folder);
  for (bool more = listing.Started(); more; more = listing.Next())
    if (!IsDotEntry(listing.Entry().cFileName)) return false;
  return true;
}
