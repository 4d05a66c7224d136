// The full path of the running executable, as the system reports the main module's file name.
#pragma once
#include <string>

// The whole path, however long (a deep folder, or a double-byte code page, can exceed MAX_PATH
// bytes); "" when the system cannot give it in full or the ANSI code page cannot spell it exactly.
// Never a shortened or approximated path: callers act on it.
std::string ExecutablePath();

// The same path in the system's own UTF-16, which spells every folder; "" when it cannot be had
// whole.
std::wstring ExecutableWidePath();

// The same path for showing only: characters the code page lacks become stand-ins.
std::string ExecutableDisplayPath();
