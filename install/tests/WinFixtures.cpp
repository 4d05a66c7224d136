// Shared fixtures of the install tests.
#include "install/tests/WinFixtures.h"

#include "framework/Registry.h"
#include "install/Install.h"

TempFolder::TempFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "tallowmere-" + std::to_string(GetCurrentProcessId()) + "-" + name;
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteFileText(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attrs & FILE_ATTRIBUTE_DIRECTORY));
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileA(path.c_str());
    return;
  }
  if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &e);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = e.cFileName;
        if (name != "." && name != "..") RemoveTree(path + "\\" + name);
      } while (FindNextFileA(h, &e));
      FindClose(h);
    }
  }
  RemoveDirectoryA(path.c_str());
}

std::string ShortPathOf(const std::string& path) {
  char buf[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  return std::string(buf, n < MAX_PATH ? n : 0);
}

std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key) {
  std::vector<std::pair<std::string, std::string>> values;
  RegistryKey k;
  if (!k.Open(HKEY_LOCAL_MACHINE, key, KEY_READ)) return values;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD size = sizeof name;
    if (RegEnumValueA(k.Handle(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    values.emplace_back(name, k.ReadString(name));
  }
  return values;
}

void SetMachineValue(const std::string& key, const std::string& name, const std::string& data) {
  RegistryKey k;
  k.OpenOrCreate(HKEY_LOCAL_MACHINE, key);
  k.WriteString(name, data);
}

bool MachineKeyExists(const std::string& key) {
  RegistryKey k;
  return k.Open(HKEY_LOCAL_MACHINE, key, KEY_READ);
}

void ProgramRegistryState::Clear() {
  DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallEntryKey);
  RegistryKey runOnce;
  if (!runOnce.OpenOrCreate(HKEY_LOCAL_MACHINE, RunOnceKey)) return;
  for (const auto& value : ValuesOf(RunOnceKey))
    if (value.first.rfind("Delete Brindlecast", 0) == 0) runOnce.DeleteValue(value.first);
}

bool MakeFolderLink(const std::string& link, const std::string& target) {
  CreateSymbolicLinkA(link.c_str(), target.c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* no privilege needed */);
  const DWORD attrs = GetFileAttributesA(link.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT);
}
