// The arguments of a process command line, split as the platform splits parameters for
// programs: blanks and control characters separate arguments, a pair of double quotes groups
// blanks into one argument and the quotes themselves are dropped. The first token is the
// program's own path (often quoted), so the first argument is the second token.
#pragma once
#include <string>

// The n-th argument after the program's path (from 1), or "" when there is none.
std::string Argument(const std::string& commandLine, int n);

// The argument after the program's path, or "" when there is none.
std::string FirstArgument(const std::string& commandLine);

// True when the first argument is "/uninstall", ignoring the case of "A" to "Z".
bool HasUninstallSwitch(const std::string& commandLine);

// True when "/uninstall" is followed by "/S" (any letter case) as the second argument: the
// uninstall then asks and shows nothing. Further arguments are ignored.
bool HasSilentSwitch(const std::string& commandLine);
