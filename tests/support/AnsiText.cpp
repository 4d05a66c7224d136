// Test helper: ANSI code page text to UTF-16 and back.
#include "tests/support/AnsiText.h"

#include <windows.h>

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string ansi(text.size() * 2, '\0');
  ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0],
                                  static_cast<int>(ansi.size()), nullptr, nullptr));
  return ansi;
}
