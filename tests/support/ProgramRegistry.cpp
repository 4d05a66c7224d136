// Test helper: the program's machine-wide registry entries.
#include "tests/support/ProgramRegistry.h"

#include <windows.h>

#include <vector>

#include "framework/Owned.h"

const char* const EntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brindlecast";
const char* const RunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string MachineValue(const std::string& key, const std::string& name) {
  char buf[1024] = {};
  DWORD size = sizeof buf;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buf,
                   &size) != ERROR_SUCCESS)
    return "(none)";
  return buf;
}

bool RunAsNextLogon(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION logon{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &logon))
    return false;
  const KernelHandle process(logon.hProcess), thread(logon.hThread);
  WaitForSingleObject(process.Get(), 15000);
  return true;
}

bool MachineKeyExists(const std::string& key) {
  KeyHandle k;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, k.Out()) == ERROR_SUCCESS;
}

void ProgramRegistryState::Clear() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, EntryKey);
  KeyHandle k;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunOnce, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.Out(),
                      nullptr) != ERROR_SUCCESS)
    return;
  // Collected first: deleting while listing would skip the value after each one deleted.
  std::vector<std::string> ours;
  char name[512];
  for (DWORD i = 0, size = sizeof name;
       RegEnumValueA(k.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof name)
    if (std::string(name).rfind("Delete Brindlecast", 0) == 0) ours.push_back(name);
  for (const std::string& value : ours) RegDeleteValueA(k.Get(), value.c_str());
}
