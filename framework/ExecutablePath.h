// The full path of the running executable, as the system reports the main module's file name.
#pragma once
#include <string>

// The whole path, however long (a deep folder, or a double-byte code page, can exceed MAX_PATH
// bytes); "" when the system cannot give it in full. Never a shortened path: callers act on it.
std::string ExecutablePath();
