// Test helper: another program's window, on a thread of its own, that puts something on the
// clipboard or holds the clipboard open until told to let go; and the clipboard's text read back.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "framework/Owned.h"

class OtherProgram {
 public:
  ~OtherProgram() { Release(); }
  // Puts the text on the clipboard as CF_TEXT; with holdOpen the clipboard stays open until
  // Release.
  void PutText(const char* text, bool holdOpen = false);
  // Puts data of a private format on the clipboard and stays alive as its owner.
  void PutPrivateData(const char* formatName);
  void HoldOpen();
  // Ends the other program (closing the clipboard when it held it open).
  void Release();

 private:
  void Start(const std::function<void(HWND)>& action, bool closeAtEnd);
  KernelHandle ready_, release_;
  std::thread thread_;
};

// The clipboard's CF_TEXT block as stored: its bytes up to and including the first zero, or
// "(none)" when there is no text, "(cannot open)" when the clipboard is held.
std::string RawClipboardBytes();
// The clipboard's text without its zero: "" when there is none or the clipboard stays held.
std::string ClipboardGetText();
bool ClipboardHasText();
