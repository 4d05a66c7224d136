// Deleting listed entries through handles whose real place has been checked.
#include "install/ProgramFolder.h"

#include <windows.h>

#include "install/FolderTree.h"
#include "framework/Text.h"

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (Valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

// Opens a file or folder itself, never what a link at the end of the path points to. Others may
// keep using it meanwhile; the delete then happens when the last of them lets go.
HANDLE OpenEntry(const std::string& path, DWORD access) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING,
                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME;
}

// The path the system has for an open handle, with every link on the way resolved.
std::string RealPath(HANDLE h) {
  std::string path(MAX_PATH, '\0');
  DWORD n = GetFinalPathNameByHandleA(h, &path[0], static_cast<DWORD>(path.size()), 0);
  if (n >= path.size()) {  // too small: n is the size it needs
    path.assign(n, '\0');
    n = GetFinalPathNameByHandleA(h, &path[0], static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) return "";
  }
  return path.substr(0, n);
}

bool DeleteThrough(HANDLE h) {
  FILE_DISPOSITION_INFO dispose{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

// What an entry's handle says before anything is deleted through it.
enum class Place { Inside, Elsewhere, Unknown };

Place PlaceOf(HANDLE h, const std::string& realFolder, DWORD& attributes) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (realFolder.empty() || !GetFileInformationByHandle(h, &info)) return Place::Unknown;
  attributes = info.dwFileAttributes;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Place::Elsewhere;  // a link itself
  const std::string real = RealPath(h);
  if (real.empty()) return Place::Unknown;
  // Both names come from the same system call, so the folder's part is spelt the same.
  const std::string prefix = realFolder + "\\";
  return real.size() > prefix.size() && real.compare(0, prefix.size(), prefix) == 0
             ? Place::Inside
             : Place::Elsewhere;
}

}  // namespace

ProgramFolder::ProgramFolder(const std::string& folder) : folder_(folder) {
  // Links above the executable folder are the system's or the user's choice, not an entry's.
  Handle h(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (h.Valid()) realFolder_ = StripTrailingSlash(RealPath(h.Get()));
}

Removal ProgramFolder::DeleteListedFile(const std::string& entry) const {
  const std::string path = folder_ + entry;
  Handle deletable(OpenEntry(path, DELETE | FILE_READ_ATTRIBUTES));
  if (!deletable.Valid() && IsMissing(GetLastError())) return Removal::Gone;
  // In use without delete sharing: where it is can still be seen, which needs no sharing.
  Handle lookOnly(deletable.Valid() ? INVALID_HANDLE_VALUE : OpenEntry(path, FILE_READ_ATTRIBUTES));
  const HANDLE entryHandle = deletable.Valid() ? deletable.Get() : lookOnly.Get();
  if (entryHandle == INVALID_HANDLE_VALUE) return Removal::Kept;
  DWORD attributes = 0;
  switch (PlaceOf(entryHandle, realFolder_, attributes)) {
    case Place::Elsewhere: return Removal::PassedOver;
    case Place::Unknown: return Removal::Kept;
    case Place::Inside: break;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Removal::PassedOver;
  return deletable.Valid() && DeleteThrough(entryHandle) ? Removal::Gone : Removal::Failed;
}

Removal ProgramFolder::RemoveListedFolder(const std::string& entry) const {
  const std::string path = folder_ + StripTrailingSlash(entry);
  Handle h(OpenEntry(path, DELETE | FILE_READ_ATTRIBUTES));
  if (!h.Valid()) return IsMissing(GetLastError()) ? Removal::Failed : Removal::Kept;
  DWORD attributes = 0;
  switch (PlaceOf(h.Get(), realFolder_, attributes)) {
    case Place::Elsewhere: return Removal::PassedOver;
    case Place::Unknown: return Removal::Kept;
    case Place::Inside: break;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Removal::Failed;
  if (!IsFolderEmpty(path)) return Removal::Kept;
  if (DeleteThrough(h.Get())) return Removal::Gone;
  return GetLastError() == ERROR_DIR_NOT_EMPTY ? Removal::Kept : Removal::Failed;
}
