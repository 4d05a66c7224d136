// Errors that carry the system's error code and its description: every message that reports a
// system error takes its text from here.
#pragma once
#include <string>

// The system's description of an error code, without the trailing line break; "No description
// for error code N" when the system has none. Alone only where a message's fixed wording leaves
// no room for the code ("Cannot open file ...").
std::string SystemErrorDescription(unsigned long code);

// "System Error.  Code: N.\r\n" followed by SystemErrorDescription(N): for every other message.
std::string SystemErrorText(unsigned long code);

// Raises an Exception with SystemErrorText of the calling thread's last error.
[[noreturn]] void RaiseLastOSError();
