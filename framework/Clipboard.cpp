// The clipboard as plain text. The content is owned by a hidden window of ours, since content put
// there without an owner window is not guaranteed to stay.
#include "framework/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "framework/Exceptions.h"
#include "framework/SystemError.h"

namespace {

HWND CreateOwnerWindow() {
  const HWND window = CreateWindowExA(0, "STATIC", "Tallowmere clipboard owner", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) RaiseLastOSError();
  return window;
}

// Made once; when making it fails, the next use tries again.
HWND OwnerWindow() {
  static const HWND window = CreateOwnerWindow();
  return window;
}

// Open for the lifetime of the object. Clipboard viewers and history tools hold the clipboard open
// for a moment after each change, so a few short retries spare the user a needless error.
class OpenedClipboard {
 public:
  OpenedClipboard() {
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      if (attempt) Sleep(10);
      open_ = OpenClipboard(OwnerWindow()) != FALSE;
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Hands a block of global memory holding the bytes to the clipboard; false (with the system's
// last error set) when the block could not be made or the clipboard refused it.
bool TryPutData(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!block) return false;
  void* p = GlobalLock(block);
  if (!p) {
    const DWORD error = GetLastError();
    GlobalFree(block);
    SetLastError(error);
    return false;
  }
  if (size) std::memcpy(p, bytes, size);
  GlobalUnlock(block);
  if (SetClipboardData(format, block)) return true;
  const DWORD error = GetLastError();
  GlobalFree(block);
  SetLastError(error);
  return false;
}

// False (with the system's last error set) when a mark could not be placed.
bool TryMarkKeptOutOfHistory() {
  const DWORD no = 0;
  const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  const UINT cloud = RegisterClipboardFormatA("CanUploadToCloudClipboard");
  return exclude && history && cloud && TryPutData(exclude, "", 0) &&
         TryPutData(history, &no, sizeof no) && TryPutData(cloud, &no, sizeof no);
}

}  // namespace

void ClipboardSetText(const std::string& text, bool keepOutOfHistory) {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) throw Exception("Cannot open clipboard");
  EmptyClipboard();
  // The marks go first: text that was to be kept out of history and cannot be is not put there
  // at all, and whatever was placed is taken off again.
  if ((!keepOutOfHistory || TryMarkKeptOutOfHistory()) &&
      TryPutData(CF_TEXT, text.c_str(), text.size() + 1))
    return;
  const DWORD error = GetLastError();
  EmptyClipboard();
  SetLastError(error);
  RaiseLastOSError();
}

std::string ClipboardGetText() {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return std::string();
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::string();
  const char* p = static_cast<const char*>(GlobalLock(data));
  if (!p) return std::string();
  // The block may be larger than the text; the text ends at its zero byte, if within the block.
  const size_t size = GlobalSize(data);
  std::string text(p, strnlen(p, size));
  GlobalUnlock(data);
  return text;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

unsigned long ClipboardSequence() { return GetClipboardSequenceNumber(); }

bool TryEmptyClipboardIfUnchanged(unsigned long sequence) {
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return false;
  if (GetClipboardSequenceNumber() == sequence) EmptyClipboard();
  return true;
}
