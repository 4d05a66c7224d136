// File reading and safe saving on top of CreateFileA, with the system's error texts.
#include "framework/FileStream.h"

#include <windows.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/SystemError.h"
#include "framework/Text.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  void Close() {
    if (Valid()) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

// Deletes the temporary file unless the save went through; closes it first, since an open file
// without delete sharing cannot be deleted.
class TempFileGuard {
 public:
  TempFileGuard(FileHandle& file, std::string path) : file_(file), path_(std::move(path)) {}
  ~TempFileGuard() {
    if (path_.empty()) return;
    file_.Close();
    DeleteFileA(path_.c_str());
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  void Release() { path_.clear(); }

 private:
  FileHandle& file_;
  std::string path_;
};

[[noreturn]] void ThrowCannotOpen(const std::string& fullPath, DWORD code) {
  throw Exception("Cannot open file \"" + fullPath + "\". " + SystemErrorDescription(code));
}

[[noreturn]] void ThrowCannotCreate(const std::string& fullPath, DWORD code) {
  throw Exception("Cannot create file \"" + fullPath + "\". " + SystemErrorDescription(code));
}

// A new file beside the target that nobody else may open while we write it.
HANDLE CreateTempBeside(const std::string& fullPath, std::string& tempPath) {
  static unsigned counter = 0;
  const std::string folder = FolderOfPath(fullPath);
  for (int attempt = 0; attempt < 32; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~tlm%04lx%04x.tmp", GetCurrentProcessId() & 0xFFFF,
                  static_cast<unsigned>((++counter + GetTickCount()) & 0xFFFF));
    tempPath = folder + name;
    HANDLE h = CreateFileA(tempPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

struct ReplaceResult {
  DWORD error = ERROR_SUCCESS;
  bool keepTemp = false;  // the temporary file may hold the only copy of the text
};

// Puts the finished temporary file in the target's place in one step.
ReplaceResult ReplaceTarget(const std::string& target, const std::string& temp,
                            DWORD oldAttributes) {
  const auto move = [&] {
    return MoveFileExA(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  };
  const auto keepAttributes = [&] {
    // The replaced file's attributes are the ones to keep, whether or not the system carried them.
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesA(target.c_str()) != oldAttributes)
      SetFileAttributesA(target.c_str(), oldAttributes);
  };
  if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
      ReplaceFileA(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
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

}  // namespace

std::string FullPathOf(const std::string& path) {
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::string full(size, '\0');
  const DWORD n = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
  if (n == 0 || n >= size) return path;
  full.resize(n);
  return full;
}

void ReadFilePieces(const std::string& path, const std::function<bool(std::string_view)>& take) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowCannotOpen(FullPathOf(path), GetLastError());
  // The bytes may be passwords: the buffer is wiped on every way out.
  struct WipedBuffer : std::vector<char> {
    using std::vector<char>::vector;
    ~WipedBuffer() { SecureZeroMemory(data(), size()); }
  } buffer(1 << 20);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
      throw Exception("Stream read error");
    if (got == 0 || !take(std::string_view(buffer.data(), got))) return;
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  ReadFilePieces(path, [&](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  return bytes;
}

void SaveFileSafely(const std::string& path, const std::string& text) {
  const std::string target = FullPathOf(path);
  const DWORD attributes = GetFileAttributesA(target.c_str());
  // Checked up front: the replace step would not refuse them everywhere (an administrator may
  // write read-only files under some systems), while creating the file in place always would.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    ThrowCannotCreate(target, ERROR_ACCESS_DENIED);

  std::string tempPath;
  FileHandle temp(CreateTempBeside(target, tempPath));
  if (!temp.Valid()) ThrowCannotCreate(target, GetLastError());
  TempFileGuard guard(temp, tempPath);

  if (!text.empty()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size());
    if (text.size() > MAXDWORD || !WriteFile(temp.Get(), text.data(), size, &written, nullptr) ||
        written != size)
      throw Exception("Stream write error");
  }
  if (!FlushFileBuffers(temp.Get())) throw Exception("Stream write error");
  temp.Close();

  const ReplaceResult result = ReplaceTarget(target, tempPath, attributes);
  if (result.keepTemp || result.error == ERROR_SUCCESS) guard.Release();
  if (result.error == ERROR_SUCCESS) return;
  if (!result.keepTemp) ThrowCannotCreate(target, result.error);
  // The user must learn where the only copy of the text now is.
  throw Exception("Cannot create file \"" + target + "\". " + SystemErrorDescription(result.error) +
                  "\r\nThe text is kept in \"" + tempPath + "\".");
}
