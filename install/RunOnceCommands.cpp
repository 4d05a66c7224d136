// Texts of the run-once commands.
#include "install/RunOnceCommands.h"

#include "framework/Product.h"
#include "install/InstallList.h"

const char* const RunOnceProgramValue = "Delete " TALLOWMERE_PRODUCT;

std::string RunOnceFileValue(unsigned n) {
  return "Delete " TALLOWMERE_PRODUCT " file " + std::to_string(n);
}

// Quoted, so that a short path that still holds a blank (no 8.3 names on the volume) stays whole.
std::string DeleteFileCommand(const std::string& shortPath) {
  return "cmd.exe /c del \"" + shortPath + "\"";
}

std::string RemoveFolderCommand(const std::string& shortPath) {
  return "cmd.exe /c rmdir \"" + shortPath + "\"";
}

std::string LeftOverCommand(const std::string& entry, const std::string& shortPath) {
  return IsFolderEntry(entry) ? RemoveFolderCommand(shortPath) : DeleteFileCommand(shortPath);
}
