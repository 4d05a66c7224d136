// Code page conversions; see WideText.h.
#include "framework/WideText.h"

#include <windows.h>

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), n, nullptr, nullptr);
  return ansi;
}

bool WideToAnsiExact(const std::wstring& text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  // UTF-8 spells every character; the other code pages say when they had to stand one in.
  const UINT codePage = GetACP();
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const lossyOut = codePage == CP_UTF8 ? nullptr : &lossy;
  const int size = static_cast<int>(text.size());
  const int n =
      WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, lossyOut);
  if (n <= 0 || lossy) return false;
  ansi.assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, &ansi[0], n, nullptr, nullptr);
  return true;
}
