// File reading and safe saving on top of CreateFileW, with the system's error texts.
#include "framework/FileStream.h"

#include <windows.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"
#include "framework/core/Wipe.h"

namespace {

// The message names the file as the user sees it, whatever the ANSI code page can spell.
[[noreturn]] void ThrowNamingFile(const char* what, const std::wstring& fullPath,
                                  const std::wstring& reason) {
  const std::wstring text = AnsiToWide(what) + L"\"" + fullPath + L"\". " + reason;
  throw Exception(WideToAnsi(text), text);
}

std::wstring Described(DWORD code) { return AnsiToWide(SystemErrorDescription(code)); }

[[noreturn]] void ThrowCannotOpen(const std::wstring& fullPath, DWORD code) {
  ThrowNamingFile("Cannot open file ", fullPath, Described(code));
}

[[noreturn]] void ThrowCannotCreate(const std::wstring& fullPath, DWORD code) {
  ThrowNamingFile("Cannot create file ", fullPath, Described(code));
}

// Has the system delete the file when its last handle closes (remove), or no longer.
bool SetDeleteOnClose(HANDLE file, bool remove) {
  FILE_DISPOSITION_INFO info{static_cast<BOOLEAN>(remove)};
  return SetFileInformationByHandle(file, FileDispositionInfo, &info, sizeof info) != FALSE;
}

// A new file beside the target that nobody else may open while we write it. It is marked for
// deletion at once, so that a save killed half-way leaves no copy of the list behind: the system
// deletes the file with the dead process's handle. (marked is false where the file system
// refuses the mark; the save then goes on as before.)
HANDLE CreateTempBeside(const std::wstring& fullPath, std::wstring& tempPath, bool& marked) {
  static unsigned counter = 0;
  const std::wstring folder = FolderOfPath(fullPath);
  for (int attempt = 0; attempt < 32; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~tlm%04lx%04x.tmp", GetCurrentProcessId() & 0xFFFF,
                  static_cast<unsigned>((++counter + GetTickCount()) & 0xFFFF));
    tempPath = folder + AnsiToWide(name);
    HANDLE h = CreateFileW(tempPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      marked = SetDeleteOnClose(h, true);
      return h;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

struct ReplaceResult {
  DWORD error = ERROR_SUCCESS;
  bool keepTemp = false;  // the temporary file may hold the only copy of the text
};

// Puts the finished temporary file in the target's place in one step.
ReplaceResult ReplaceTarget(const std::wstring& target, const std::wstring& temp,
                            DWORD oldAttributes) {
  const auto move = [&] {
    return MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  };
  const auto keepAttributes = [&] {
    // The replaced file's attributes are the ones to keep, whether or not the system carried them.
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(target.c_str()) != oldAttributes)
      SetFileAttributesW(target.c_str(), oldAttributes);
  };
  if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
      ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    keepAttributes();
    return {};
  }
  const DWORD replaceError = GetLastError();
  // No target (or it vanished since we looked): a plain move does the job in one step too.
  if (oldAttributes == INVALID_FILE_ATTRIBUTES || replaceError == ERROR_FILE_NOT_FOUND) {
    if (move()) return {};
    return {GetLastError(), false};
  }
  // The replace step failed half-way: the old target may already be gone, so the temporary file
  // may be the only copy left. Try a plain move, and when that fails too leave the temporary file
  // where it is rather than lose both. (The system gives no way to provoke these two errors on
  // purpose, which is why no test covers this branch.)
  if (replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
      replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    if (move()) {
      keepAttributes();
      return {};
    }
    return {GetLastError(), true};
  }
  return {replaceError, false};
}

// Opens the file for reading (others may read it meanwhile, not write); `missing` tells whether a
// failure found nothing at the path.
FileHandle OpenForReading(const std::wstring& path, bool* missing = nullptr) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Valid()) return file;
  const DWORD error = GetLastError();
  if (missing) *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  ThrowCannotOpen(FullPathOf(path), error);
}

void ReadPieces(HANDLE file, const std::function<bool(std::string_view)>& take) {
  // The bytes may be passwords: the buffer is wiped on every way out.
  Wiped<std::vector<char>> wiped(std::vector<char>(1 << 20));
  std::vector<char>& buffer = wiped.Get();
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
      throw Exception("Stream read error");
    if (got == 0 || !take(std::string_view(buffer.data(), got))) return;
  }
}

}  // namespace

void RaiseCannotOpenFile(const std::wstring& path, const std::wstring& reason) {
  ThrowNamingFile("Cannot open file ", FullPathOf(path), reason);
}

std::wstring FullPathOf(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD n = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
  if (n == 0 || n >= size) return path;
  full.resize(n);
  return full;
}

void ReadFilePieces(const std::wstring& path, const std::function<bool(std::string_view)>& take) {
  FileHandle file = OpenForReading(path);
  ReadPieces(file.Get(), take);
}

void ReadListFile(const std::wstring& path, const AnsiCodePage& codePage, size_t maxChars,
                  ListFileContent& content) {
  FileHandle file = OpenForReading(path, &content.missing);
  LARGE_INTEGER size{};  // only a hint: the file may change while it is read
  if (!GetFileSizeEx(file.Get(), &size)) size.QuadPart = 0;
  ListFileReader reader(codePage, maxChars, static_cast<size_t>(size.QuadPart));
  ReadPieces(file.Get(), [&reader](std::string_view piece) { return reader.Feed(piece); });
  content.text.Get() = reader.Finish();
  content.encoding = reader.Encoding();
  content.refusal = reader.Refusal();
  content.refusedLine = reader.RefusedLine();
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  ReadFilePieces(path, [&](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  return bytes;
}

void SaveFileSafely(const std::wstring& path, const std::string& text) {
  const std::wstring target = FullPathOf(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  // Checked up front: the replace step would not refuse them everywhere (an administrator may
  // write read-only files under some systems), while creating the file in place always would.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    ThrowCannotCreate(target, ERROR_ACCESS_DENIED);

  std::wstring tempPath;
  bool marked = false;
  FileHandle temp(CreateTempBeside(target, tempPath, marked));
  if (!temp.Valid()) ThrowCannotCreate(target, GetLastError());
  // Deletes the temporary file unless the save went through; closes it first, since an open file
  // without delete sharing cannot be deleted (closing alone deletes it while it is still marked).
  ScopeGuard guard([&temp, &tempPath] {
    temp.Close();
    DeleteFileW(tempPath.c_str());
  });

  if (!text.empty()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size());
    if (text.size() > MAXDWORD || !WriteFile(temp.Get(), text.data(), size, &written, nullptr) ||
        written != size)
      throw Exception("Stream write error");
  }
  if (!FlushFileBuffers(temp.Get())) throw Exception("Stream write error");
  // Only now may the file outlive its handle.
  if (marked && !SetDeleteOnClose(temp.Get(), false)) ThrowCannotCreate(target, GetLastError());
  temp.Close();

  const ReplaceResult result = ReplaceTarget(target, tempPath, attributes);
  if (result.keepTemp || result.error == ERROR_SUCCESS) guard.Dismiss();
  if (result.error == ERROR_SUCCESS) return;
  if (!result.keepTemp) ThrowCannotCreate(target, result.error);
  // The user must learn where the only copy of the text now is.
  ThrowNamingFile("Cannot create file ", target,
                  Described(result.error) + L"\r\nThe text is kept in \"" + tempPath + L"\".");
}
