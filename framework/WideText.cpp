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

bool ExactAnsiText(HWND field, std::string& text) {
  std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  wide.resize(static_cast<size_t>(GetWindowTextW(field, &wide[0], static_cast<int>(wide.size()))));
  text.clear();
  bool whole = true;
  std::string one;
  for (size_t at = 0; at < wide.size();) {
    // A surrogate pair is one character; a lone surrogate is none.
    const bool pair = at + 1 < wide.size() && IS_SURROGATE_PAIR(wide[at], wide[at + 1]);
    const bool lone = !pair && (IS_HIGH_SURROGATE(wide[at]) || IS_LOW_SURROGATE(wide[at]));
    const size_t n = pair ? 2 : 1;
    if (!lone && WideToAnsiExact(wide.substr(at, n), one))
      text += one;
    else
      whole = false;
    at += n;
  }
  return whole;
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
