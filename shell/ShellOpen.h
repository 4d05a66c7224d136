// Opening a file, folder or web address with the program the system associates with it.
#pragma once
#include <windows.h>

#include <string>

// ShellExecute "open" with SW_SHOW; failure is not reported (the shell may show its own message).
void OpenWithShell(HWND owner, const std::string& target, const char* parameters = nullptr);
