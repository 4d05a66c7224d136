// Deleting listed entries through handles whose real place has been checked.
#include "install/ProgramFolder.h"

#include <windows.h>

#include "framework/Owned.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "install/FolderTree.h"

namespace {

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME;
}

// A listed file or folder itself, never what a link at the end of its path points to, opened to
// be deleted; when it is in use without delete sharing, opened only to look at it (which needs no
// sharing). Others may keep using it: the delete happens when the last of them lets go.
class OpenedEntry {
 public:
  explicit OpenedEntry(const std::wstring& path) {
    handle_.Reset(Open(path, DELETE | FILE_READ_ATTRIBUTES));
    deletable_ = handle_.Valid();
    if (!deletable_) missing_ = IsMissing(GetLastError());
    if (!deletable_ && !missing_) handle_.Reset(Open(path, FILE_READ_ATTRIBUTES));
  }
  bool Missing() const { return missing_; }
  bool Valid() const { return handle_.Valid(); }
  bool Deletable() const { return deletable_; }
  HANDLE Get() const { return handle_.Get(); }

 private:
  static HANDLE Open(const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  }
  FileHandle handle_;
  bool deletable_ = false, missing_ = false;
};

// The path the system has for an open handle, with every link on the way resolved; in UTF-16, as
// the code page could turn another folder's name ("Ｐrog") into this one's ("Prog").
std::wstring RealPath(HANDLE h) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, &path[0], static_cast<DWORD>(path.size()), 0);
  if (n >= path.size()) {  // too small: n is the size it needs
    path.assign(n, L'\0');
    n = GetFinalPathNameByHandleW(h, &path[0], static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) return L"";
  }
  return path.substr(0, n);
}

bool DeleteThrough(HANDLE h) {
  FILE_DISPOSITION_INFO dispose{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

// What an entry's handle says before anything is deleted through it.
enum class Place { Inside, Elsewhere, Unknown };

Place PlaceOf(HANDLE h, const std::wstring& realFolder, DWORD& attributes) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (realFolder.empty() ||
      !GetFileInformationByHandleEx(h, FileAttributeTagInfo, &info, sizeof info))
    return Place::Unknown;
  attributes = info.FileAttributes;
  // A link itself (junction, symbolic link); other reparse points, such as deduplicated or cloud
  // files, are ordinary files to delete.
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(info.ReparseTag))
    return Place::Elsewhere;
  const std::wstring real = RealPath(h);
  if (real.empty()) return Place::Unknown;
  // Both names come from the same system call, so the folder's part is spelt the same.
  const std::wstring prefix = realFolder + L"\\";
  return real.size() > prefix.size() && real.compare(0, prefix.size(), prefix) == 0
             ? Place::Inside
             : Place::Elsewhere;
}

// An entry found elsewhere is passed over like any unsafe entry; one that cannot be placed stays.
Removal Outside(Place place) {
  return place == Place::Elsewhere ? Removal::PassedOver : Removal::Kept;
}

}  // namespace

std::wstring RealPath(const std::wstring& path) {
  FileHandle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return h.Valid() ? RealPath(h.Get()) : L"";
}

std::string ShortPath(const std::string& path) { return ShortPath(AnsiToWide(path)); }

std::string ShortPath(const std::wstring& path) {
  wchar_t buf[MAX_PATH] = {};
  const DWORD n = GetShortPathNameW(path.c_str(), buf, MAX_PATH);
  std::string exact;
  return n > 0 && n < MAX_PATH && WideToAnsiExact(std::wstring(buf, n), exact) ? exact : "";
}

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder) {
  std::wstring prefix = folder;
  if (prefix.empty()) return false;
  if (prefix.back() != L'\\') prefix += L'\\';
  return path.size() > prefix.size() &&
         CompareStringOrdinal(path.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

ProgramFolder::ProgramFolder(const std::wstring& folder) : folder_(folder) {
  // Links above the executable folder are the system's or the user's choice, not an entry's.
  FileHandle h(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.Valid()) return;
  realFolder_ = RealPath(h.Get());
  if (!realFolder_.empty() && realFolder_.back() == L'\\') realFolder_.pop_back();
}

Removal ProgramFolder::DeleteListedFile(const std::string& entry) const {
  const OpenedEntry file(folder_ + AnsiToWide(entry));
  if (file.Missing()) return Removal::Gone;
  if (!file.Valid()) return Removal::Kept;
  DWORD attributes = 0;
  if (const Place place = PlaceOf(file.Get(), realFolder_, attributes); place != Place::Inside)
    return Outside(place);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Removal::PassedOver;
  return file.Deletable() && DeleteThrough(file.Get()) ? Removal::Gone : Removal::Failed;
}

Removal ProgramFolder::RemoveListedFolder(const std::string& entry) const {
  const std::wstring path = folder_ + AnsiToWide(StripTrailingSlash(entry));
  const OpenedEntry folder(path);
  if (folder.Missing()) return Removal::Gone;
  if (!folder.Valid()) return Removal::Kept;
  DWORD attributes = 0;
  if (const Place place = PlaceOf(folder.Get(), realFolder_, attributes); place != Place::Inside)
    return Outside(place);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Removal::Failed;
  if (!IsFolderEmpty(path)) return Removal::Kept;
  if (!folder.Deletable()) return Removal::Failed;
  if (DeleteThrough(folder.Get())) return Removal::Gone;
  return GetLastError() == ERROR_DIR_NOT_EMPTY ? Removal::Kept : Removal::Failed;
}
