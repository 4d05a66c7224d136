// The commands the uninstaller leaves in the run-once list. They run through the system's own
// cmd.exe, named by its full path so that no other cmd.exe is found by search.
#pragma once
#include <string>

// Run-once value names.
extern const char* const RunOnceProgramValue;  // "Delete " + the product name
std::string RunOnceFileValue(unsigned n);      // "Delete " + the product name + " file " + n

// The command processor as a command names it: systemFolder + "\cmd.exe", quoted only when it
// holds a blank.
std::string CommandProcessor(const std::string& systemFolder);

// True for a path that cmd would read as its own syntax even inside quotes ("%VAR%", "!VAR!",
// "^", "&", a quote): such a path never goes into a command.
bool CmdWouldReinterpret(const std::string& path);

// cmd + " /c del /f /q " + the short path in double quotes.
std::string DeleteFileCommand(const std::string& cmd, const std::string& shortPath);

// cmd + " /c rmdir " + the short path in double quotes (no /s: only an empty folder goes).
std::string RemoveFolderCommand(const std::string& cmd, const std::string& shortPath);

// The command for a left-over entry: rmdir for a folder entry, del for any other.
std::string LeftOverCommand(const std::string& cmd, const std::string& entry,
                            const std::string& shortPath);

// A left-over's command followed by the removal of the executable's folder when that is then
// empty (as in ProgramCommand): whichever command the next logon runs last takes the folder.
std::string ThenRemoveFolder(const std::string& command, const std::string& shortFolder);

// The command for the executable: deletes it, then removes its folder (short form, no trailing
// backslash) when that is then empty. A path cmd would reinterpret is left out (the caller has it
// deleted at the next restart instead), and so is an empty path (over the path limit), a drive
// root or an empty folder path.
std::string ProgramCommand(const std::string& cmd, const std::string& shortExe,
                           const std::string& shortFolder);
