// The first argument of a process command line, split as the platform splits parameters for
// programs: blanks and control characters separate arguments, a pair of double quotes groups
// blanks into one argument and the quotes themselves are dropped. The first token is the
// program's own path (often quoted), so the first argument is the second token.
#pragma once
#include <string>

// The argument after the program's path, or "" when there is none.
std::string FirstArgument(const std::string& commandLine);

// True when the first argument is "/uninstall", ignoring the case of "A" to "Z".
bool HasUninstallSwitch(const std::string& commandLine);
