// The running executable's full path, fetched into a buffer that grows until the path fits.
#include "framework/ExecutablePath.h"

#include <windows.h>

#include "framework/WideText.h"

namespace {

// The system's own (UTF-16) path; "" when it cannot be had whole.
std::wstring WidePath() {
  for (DWORD size = MAX_PATH; size <= 0x10000; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, &path[0], size);
    if (n == 0) return L"";
    // A cut path fills the buffer (n == size); only a shorter answer is known to be whole.
    if (n < size) return path.substr(0, n);
  }
  return L"";
}

}  // namespace

std::string ExecutablePath() {
  // A character the ANSI code page lacks would come out as "?" or as a look-alike ("Ｂ" as "B"),
  // naming another folder: then the path is not known, rather than wrong.
  std::string path;
  return WideToAnsiExact(WidePath(), path) ? path : "";
}

std::wstring ExecutableWidePath() { return WidePath(); }

std::string ExecutableDisplayPath() { return WideToAnsi(WidePath()); }
