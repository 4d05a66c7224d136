// Opening a file, folder or web address with the program the system associates with it.
#pragma once
#include <windows.h>

#include <string>

// ShellExecute "open" with SW_SHOW. When the shell cannot open the target, a plain message says
// so with the system's error text, and the caller carries on.
void OpenWithShell(HWND owner, const std::string& target, const char* parameters = nullptr);
