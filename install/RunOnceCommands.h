// The commands the uninstaller leaves in the run-once list. They run through cmd.exe: the shell
// that runs del and rmdir on every current Windows, 64-bit included.
#pragma once
#include <string>

// Run-once value names.
extern const char* const RunOnceProgramValue;  // "Delete " + the product name
std::string RunOnceFileValue(unsigned n);      // "Delete " + the product name + " file " + n

// "cmd.exe /c del " + the short path in double quotes.
std::string DeleteFileCommand(const std::string& shortPath);

// "cmd.exe /c rmdir " + the short path in double quotes.
std::string RemoveFolderCommand(const std::string& shortPath);

// The command for a left-over entry: rmdir for a folder entry, del for any other.
std::string LeftOverCommand(const std::string& entry, const std::string& shortPath);
