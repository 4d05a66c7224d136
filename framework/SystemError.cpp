// The system's own description of an error code, for errors the user may see.
#include "framework/SystemError.h"

#include <windows.h>

#include "framework/Exceptions.h"

std::string SystemErrorText(unsigned long code) {
  char buf[1024] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 code, 0, buf, sizeof buf, nullptr);
  std::string description(buf, n);
  // The system ends its descriptions with a line break; the box adds its own layout.
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                  description.back() == ' '))
    description.pop_back();
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + description;
}

void RaiseLastOSError() { throw Exception(SystemErrorText(GetLastError())); }
