// The system's own description of an error code, for errors the user may see.
#include "framework/SystemError.h"

#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/Owned.h"

std::string SystemErrorDescription(unsigned long code) {
  char* buffer = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  const LocalMemory owner(buffer);
  std::string text = n ? std::string(buffer, n) : std::string();
  // The system ends its descriptions with a line break; the box adds its own layout.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  // An empty text would leave the user with a message that stops short, and nothing to look up.
  if (text.empty()) text = "No description for error code " + std::to_string(code);
  return text;
}

std::string SystemErrorText(unsigned long code) {
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + SystemErrorDescription(code);
}

void RaiseLastOSError() { throw Exception(SystemErrorText(GetLastError())); }
