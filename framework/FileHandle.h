// An open file or folder handle that closes itself.
#pragma once
#include <windows.h>

class FileHandle {
 public:
  explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  // Closes the handle held and takes h in its place.
  void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
    if (Valid()) CloseHandle(h_);
    h_ = h;
  }
  void Close() { Reset(); }

 private:
  HANDLE h_;
};
