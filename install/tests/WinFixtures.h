// Shared fixtures of the install tests: a scratch folder and a clean slate in the registry keys
// the program owns.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it afterwards.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name);
  ~TempFolder();
  const std::string& Path() const { return path_; }  // no trailing backslash

 private:
  std::string path_;
};

void WriteFileText(const std::string& path, const std::string& text);
bool PathExists(const std::string& path);
// Deletes a folder tree without asking, read-only files included ("" when already gone).
void RemoveTree(const std::string& path);
std::string ShortPathOf(const std::string& path);

// Names and data of the values of an HKEY_LOCAL_MACHINE key ({} when the key does not open).
std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key);
void SetMachineValue(const std::string& key, const std::string& name, const std::string& data);
bool MachineKeyExists(const std::string& key);

// Removes the installed-programs entry and every run-once value of the program, before and after.
class ProgramRegistryState {
 public:
  ProgramRegistryState() { Clear(); }
  ~ProgramRegistryState() { Clear(); }
  static void Clear();
};

// Makes a folder link at `link` to `target`. False when the system makes none: Wine 8 reports
// success for CreateSymbolicLinkA yet leaves no link behind, and refuses mount points (error 50).
bool MakeFolderLink(const std::string& link, const std::string& target);
