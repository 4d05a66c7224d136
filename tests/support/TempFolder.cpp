// Test helper: a scratch folder removed with everything in it.
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <stdexcept>

#include "framework/Owned.h"
#include "tests/support/AnsiText.h"

namespace {

// The "\\?\" form reaches past MAX_PATH; it takes only absolute paths with backslashes.
std::wstring LongForm(const std::wstring& path) {
  const bool absolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  return absolute ? L"\\\\?\\" + path : path;
}

void RemoveLongForm(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attrs & FILE_ATTRIBUTE_DIRECTORY));
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW entry;
    const FindHandle find(FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (find.Valid()) {
      do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") RemoveLongForm(path + L"\\" + name);
      } while (FindNextFileW(find.Get(), &entry));
    }
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::string& name) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  widePath_ = temp + (L"tallowmere-" + std::to_wstring(GetCurrentProcessId()) + L"-" + Widen(name));
  path_ = Narrow(widePath_);
  RemoveTree(widePath_);
  if (!CreateDirectoryW(widePath_.c_str(), nullptr))
    throw std::runtime_error("cannot make the temporary folder " + path_);
}

TempFolder::~TempFolder() {
  // A file dialog makes the folder of the file chosen the process's current folder, and the current
  // folder cannot be removed: step out of ours first.
  wchar_t current[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH + 1, current);
  const std::wstring inside = std::wstring(current) + L"\\";
  if (lstrcmpiW(inside.substr(0, widePath_.size() + 1).c_str(), (widePath_ + L"\\").c_str()) == 0)
    SetCurrentDirectoryW(widePath_.substr(0, widePath_.rfind(L'\\') + 1).c_str());
  RemoveTree(widePath_);
}

void RemoveTree(const std::wstring& path) {
  std::wstring trimmed = path;
  while (trimmed.size() > 3 && trimmed.back() == L'\\') trimmed.pop_back();
  RemoveLongForm(LongForm(trimmed));
}

void RemoveTree(const std::string& path) { RemoveTree(Widen(path)); }
