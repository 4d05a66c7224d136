// The command the uninstaller leaves in the run-once list. It runs through the system's own
// cmd.exe, named by its full path so that no other cmd.exe is found by search.
//
// It runs at the next logon with an administrator's rights, by which time a less privileged user
// may have swapped any name in its path for a link to another folder. So it names one file only:
// the executable after the uninstaller renamed it to a name no one can guess, with a wildcard in
// place of its last character, so that `del` takes only a file of that name and never lists a
// folder found there. The folder is then removed only while empty (rmdir without /s), and only when
// that file was there to be deleted.
#pragma once
#include <string>
#include <vector>

// Run-once value names. The numbered ones are only cancelled: earlier versions wrote them for
// left-over files, which are now reported to the user instead.
extern const char* const RunOnceProgramValue;  // "Delete " + the product name
std::string RunOnceFileValue(unsigned n);      // "Delete " + the product name + " file " + n

// The command processor as a command names it: systemFolder + "\cmd.exe", quoted only when it
// holds a blank.
std::string CommandProcessor(const std::string& systemFolder);

// True for a path that cmd would read as its own syntax even inside quotes ("%VAR%", "!VAR!",
// "^", "&", a quote), or whose names cmd would cut (one ending in a blank or a dot): such a path
// never goes into a command.
bool CmdWouldReinterpret(const std::string& path);

// The name the executable is renamed to before its deletion is scheduled: "~tlm" + the 16
// hexadecimal digits of `random` + ".del".
std::string RetiredExecutableName(unsigned long long random);

// True for a name RetiredExecutableName gives, in any letter case: what an uninstall of this
// folder's copy left for the next logon, which a reinstall deletes.
bool IsRetiredExecutableName(const std::string& name);

// The command for the executable: when `shortFolder` + "\" + `retiredName` (with "?" for its last
// character) exists, deletes it, then removes the folder (short form, no trailing backslash) when
// that is then empty. A drive root or an empty folder path is never removed. Without a retired
// name, or with a folder cmd would reinterpret (the caller leaves those to the next restart), the
// command does nothing ("rem"): the value is still written, as the mark that a start before the
// next logon looks for. Then the folders setup made above it, `shortParents` (innermost first,
// short forms), each removed only while empty, stopping at the first that is "", a drive root or
// one cmd would reinterpret.
std::string ProgramCommand(const std::string& cmd, const std::string& shortFolder,
                           const std::string& retiredName,
                           const std::vector<std::string>& shortParents = {});

// True when the file `command` deletes lies directly inside `folder` (no trailing backslash),
// ignoring the case of "A" to "Z": the command this version writes ("if exist" + path) or an
// earlier version's ("del" + path). Another copy's command, also one in a sub-folder, a parent or
// a folder whose name merely begins the same, does not.
bool CommandNamesFolder(const std::string& command, const std::string& folder);
