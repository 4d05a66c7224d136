// The running executable's full path, fetched into a buffer that grows until the path fits.
#include "framework/ExecutablePath.h"

#include <windows.h>

std::string ExecutablePath() {
  // 32767 UTF-16 units at most, each up to two bytes in an ANSI code page.
  for (DWORD size = MAX_PATH; size <= 0x20000; size *= 2) {
    std::string path(size, '\0');
    const DWORD n = GetModuleFileNameA(nullptr, &path[0], size);
    if (n == 0) return "";
    // A cut path fills the buffer (n == size); only a shorter answer is known to be whole.
    if (n < size) return path.substr(0, n);
  }
  return "";
}
