// Test helper: another program using the clipboard.
#include "tests/support/OtherProgram.h"

#include <cstring>

#include "tests/support/WaitUntil.h"

namespace {

// Handles this thread's messages until the event is set.
void PumpUntil(HANDLE event) {
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
}

}  // namespace

void OtherProgram::PutText(const char* text, bool holdOpen) {
  Start(
      [text, holdOpen](HWND window) {
        if (!OpenClipboard(window)) return;
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
        if (!holdOpen) CloseClipboard();
      },
      holdOpen);
}

void OtherProgram::PutPrivateData(const char* formatName) {
  Start(
      [formatName](HWND window) {
        if (!OpenClipboard(window)) return;
        EmptyClipboard();
        SetClipboardData(RegisterClipboardFormatA(formatName), GlobalAlloc(GMEM_MOVEABLE, 4));
        CloseClipboard();
      },
      false);
}

void OtherProgram::HoldOpen() {
  Start([](HWND window) { OpenClipboard(window); }, true);
}

void OtherProgram::Release() {
  if (release_.Valid()) SetEvent(release_.Get());
  if (thread_.joinable()) thread_.join();
  ready_.Close();
  release_.Close();
}

void OtherProgram::Start(const std::function<void(HWND)>& action, bool closeAtEnd) {
  ready_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  release_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  thread_ = std::thread([this, action, closeAtEnd] {
    HWND window = CreateWindowExA(0, "STATIC", "other", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    action(window);
    SetEvent(ready_.Get());
    // Answers the clipboard's messages to the owner until told to end.
    PumpUntil(release_.Get());
    if (closeAtEnd) CloseClipboard();
    DestroyWindow(window);
  });
  // Our own clipboard window lives on this thread and must answer the other's clipboard calls.
  PumpUntil(ready_.Get());
}

std::string RawClipboardBytes() {
  // A history tool may hold it open for a moment after each change.
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 50, 10)) return "(cannot open)";
  std::string bytes = "(none)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(GlobalLock(data));
    bytes.assign(p, strnlen(p, GlobalSize(data)) + 1);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

std::string ClipboardGetText() {
  const std::string bytes = RawClipboardBytes();
  return bytes.empty() || bytes.back() != '\0' ? std::string() : bytes.substr(0, bytes.size() - 1);
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }
