// The clipboard as plain text. The content is owned by a hidden window of ours, since content put
// there without an owner window is not guaranteed to stay.
#include "framework/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
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

// Clipboard viewers and history tools hold the clipboard open for a moment after each change, so
// a few short retries spare the user a needless error.
bool TryOpenClipboard() {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (attempt) Sleep(10);
    if (OpenClipboard(OwnerWindow())) return true;
  }
  return false;
}

// Frees the block, keeping the system's error code of the step that failed.
bool Failed(GlobalMemory& block) {
  const DWORD error = GetLastError();
  block.Reset();
  SetLastError(error);
  return false;
}

// Hands a block of global memory holding the bytes to the clipboard; false (with the system's
// last error set) when the block could not be made or the clipboard refused it.
bool TryPutData(UINT format, const void* bytes, size_t size) {
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, size ? size : 1));
  if (!block.Valid()) return false;
  void* p = GlobalLock(block.Get());
  if (!p) return Failed(block);
  if (size) std::memcpy(p, bytes, size);
  GlobalUnlock(block.Get());
  if (!SetClipboardData(format, block.Get())) return Failed(block);
  block.Release();  // the clipboard's now
  return true;
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

// ClipboardSetText's work.
void PutText(const std::string& text, bool keepOutOfHistory) {
  if (!TryOpenClipboard()) throw Exception("Cannot open clipboard");
  const ScopeGuard close([] { CloseClipboard(); });
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
}  // namespace

unsigned long ClipboardSetText(const std::string& text, bool keepOutOfHistory) {
  PutText(text, keepOutOfHistory);
  // Some systems count our change only as the clipboard is closed (Wine by two), so the count is
  // read after that; another program's copy takes the ownership from our window, so an owner
  // still ours after the reading means the count was ours. Otherwise the answer is one below it,
  // which the count, only ever growing, can no longer match.
  const unsigned long sequence = GetClipboardSequenceNumber();
  return GetClipboardOwner() == OwnerWindow() ? sequence : sequence - 1;
}

bool TryEmptyClipboardIfUnchanged(unsigned long sequence) {
  if (!TryOpenClipboard()) return false;
  const ScopeGuard close([] { CloseClipboard(); });
  if (GetClipboardSequenceNumber() == sequence) EmptyClipboard();
  return true;
}
