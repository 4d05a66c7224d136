// The shell's "open" verb.
#include "shell/ShellOpen.h"

#include <shellapi.h>

void OpenWithShell(HWND owner, const std::string& target, const char* parameters) {
  ShellExecuteA(owner, "open", target.c_str(), parameters, nullptr, SW_SHOW);
}
