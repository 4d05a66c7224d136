// Test helper: the program's machine-wide registry entries (the installed-programs entry and the
// run-once deletions), spelled out here rather than taken from the program, read from outside and
// cleared around a test.
#pragma once
#include <string>

extern const char* const EntryKey;  // under HKEY_LOCAL_MACHINE
extern const char* const RunOnce;

// A string value of HKEY_LOCAL_MACHINE, or "(none)".
std::string MachineValue(const std::string& key, const std::string& name);
bool MachineKeyExists(const std::string& key);

// Runs a run-once command as the next logon would, without a window, and waits for it; false when
// it does not start.
bool RunAsNextLogon(std::string command);

// Deletes the installed-programs entry and the program's run-once values, before and after; the
// run-once key itself is there afterwards, as on every system.
class ProgramRegistryState {
 public:
  ProgramRegistryState() { Clear(); }
  ~ProgramRegistryState() { Clear(); }
  ProgramRegistryState(const ProgramRegistryState&) = delete;
  ProgramRegistryState& operator=(const ProgramRegistryState&) = delete;
  static void Clear();
};
