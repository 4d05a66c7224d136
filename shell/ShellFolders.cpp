// Reading a shell folder path from the current user's registry.
#include "shell/ShellFolders.h"

#include "framework/Registry.h"

std::wstring GetShellFolder(const std::string& name) {
  RegistryKey key;
  // Only read: a failure to open just means no path.
  key.Open(HKEY_CURRENT_USER,
           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", KEY_READ);
  return key.ReadWideString(name);
}
