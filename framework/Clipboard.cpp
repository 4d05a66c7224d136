// The clipboard as plain text. The content is owned by a hidden window of ours, since content put
// there without an owner window is not guaranteed to stay; it also gives an offered text when a
// program asks for it. The text goes in both plain-text formats: left to convert ANSI text to
// Unicode, the system would use the code page of the keyboard language active at the copy, which
// need not be the system's, and a program would paste other characters than the list shows.
#include "framework/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"
#include "framework/core/Wipe.h"

namespace {

// The formats the text goes in, Unicode first: a program takes the first it understands.
constexpr UINT kTextFormats[] = {CF_UNICODETEXT, CF_TEXT};

// The text ClipboardOfferText put on the clipboard, and the formats nobody has asked for yet.
struct Offer {
  WipedText text;
  bool pending[2] = {};  // by kTextFormats
  bool Pending() const { return pending[0] || pending[1]; }
};
Offer& Offered() {
  static Offer offer;
  return offer;
}

void Forget() {
  Wipe(Offered().text.Get());
  Offered().text.Get().clear();
  Offered().pending[0] = Offered().pending[1] = false;
}

unsigned long copies = 0;  // our copies so far: the last one's number

bool TryPutText(size_t format, const std::string& text);

LRESULT CALLBACK OwnerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_RENDERFORMAT:
      // A program asks for the text while it holds the clipboard open: it is placed there in the
      // format asked for, and once in both, our copy is no longer needed.
      for (size_t f = 0; f < 2; ++f)
        if (wParam == kTextFormats[f] && Offered().pending[f] &&
            TryPutText(f, Offered().text.Get()))
          Offered().pending[f] = false;
      if (!Offered().Pending()) Forget();
      return 0;
    case WM_DESTROYCLIPBOARD:  // emptied, by us or another program: the offer is gone
      Forget();
      return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND CreateOwnerWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TallowmereClipboardOwner";
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
  const HWND window = CreateWindowExA(0, wc.lpszClassName, "Tallowmere clipboard owner", 0, 0, 0, 0,
                                      0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
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

// Frees the block, wiped, keeping the system's error code of the step that failed.
bool Failed(GlobalMemory& block, size_t size) {
  const DWORD error = GetLastError();
  if (void* p = GlobalLock(block.Get())) {
    WipeBytes(p, size);
    GlobalUnlock(block.Get());
  }
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
  if (!p) return Failed(block, 0);
  if (size) std::memcpy(p, bytes, size);
  GlobalUnlock(block.Get());
  if (!SetClipboardData(format, block.Get())) return Failed(block, size);
  block.Release();  // the clipboard's now
  return true;
}

// The text in kTextFormats[format]; false (with the system's last error set) as TryPutData.
bool TryPutText(size_t format, const std::string& text) {
  if (kTextFormats[format] == CF_TEXT) return TryPutData(CF_TEXT, text.c_str(), text.size() + 1);
  std::wstring wide = AnsiToWide(text);
  const bool put = TryPutData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  Wipe(wide);
  return put;
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

// Puts the text on the clipboard, or with `offer` only the promise of it; the marks come first.
void PutText(const std::string& text, bool keepOutOfHistory, bool offer) {
  if (!TryOpenClipboard()) throw Exception("Cannot open clipboard");
  const ScopeGuard close([] { CloseClipboard(); });
  EmptyClipboard();  // an earlier offer of ours is wiped here
  // Text that was to be kept out of history and cannot be is not put there at all, and whatever
  // was placed is taken off again.
  if (!keepOutOfHistory || TryMarkKeptOutOfHistory()) {
    if (!offer && TryPutText(0, text) && TryPutText(1, text)) return;
    if (offer) {
      // A promise answers no handle to test: whether the format is listed tells.
      for (UINT format : kTextFormats) SetClipboardData(format, nullptr);
      if (IsClipboardFormatAvailable(CF_UNICODETEXT) && IsClipboardFormatAvailable(CF_TEXT)) {
        Offered().text.Get() = text;
        Offered().pending[0] = Offered().pending[1] = true;
        return;
      }
    }
  }
  const DWORD error = GetLastError();
  EmptyClipboard();
  SetLastError(error);
  RaiseLastOSError();
}
}  // namespace

unsigned long ClipboardSetText(const std::string& text, bool keepOutOfHistory) {
  PutText(text, keepOutOfHistory, false);
  return ++copies;
}

unsigned long ClipboardOfferText(const std::string& text) {
  PutText(text, true, true);
  return ++copies;
}

bool TryPlaceOfferedText() {
  if (!Offered().Pending()) return true;
  if (!TryOpenClipboard()) return false;
  const ScopeGuard close([] { CloseClipboard(); });
  // Opened without emptying, each promise is kept in place of its listed format.
  if (GetClipboardOwner() == OwnerWindow())
    for (size_t f = 0; f < 2; ++f)
      if (Offered().pending[f] && !TryPutText(f, Offered().text.Get())) return false;
  Forget();
  return true;
}

void ForgetOfferedText() { Forget(); }

bool TryEmptyClipboardIfUnchanged(unsigned long copy) {
  if (!TryOpenClipboard()) return false;
  const ScopeGuard close([] { CloseClipboard(); });
  // Whoever empties the clipboard becomes its owner; a program asking for an offered text does not.
  if (GetClipboardOwner() == OwnerWindow() && copy == copies) EmptyClipboard();
  return true;
}
