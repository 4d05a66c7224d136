// Errors that carry the system's error code and its description.
#pragma once
#include <string>

// The system's description of an error code, without the trailing line break.
std::string SystemErrorDescription(unsigned long code);

// "System Error.  Code: N.\r\n" followed by the system's description of the code.
std::string SystemErrorText(unsigned long code);

// Raises an Exception with SystemErrorText of the calling thread's last error.
[[noreturn]] void RaiseLastOSError();
