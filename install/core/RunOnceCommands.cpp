// Texts of the run-once command.
#include "install/core/RunOnceCommands.h"

#include <cstdio>

#include "framework/core/Product.h"

const char* const RunOnceProgramValue = "Delete " TALLOWMERE_PRODUCT;

std::string RunOnceFileValue(unsigned n) {
  return "Delete " TALLOWMERE_PRODUCT " file " + std::to_string(n);
}

std::string CommandProcessor(const std::string& systemFolder) {
  const std::string path = systemFolder + "\\cmd.exe";
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

bool CmdWouldReinterpret(const std::string& path) {
  return path.find_first_of("%!^&\"") != std::string::npos;
}

std::string RetiredExecutableName(unsigned long long random) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", random);
  return std::string("~tlm") + digits + ".del";
}

namespace {

// Quoted, so that a short path that still holds a blank (no 8.3 names on the volume) stays whole.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool IsDriveRoot(const std::string& folder) { return !folder.empty() && folder.back() == ':'; }

}  // namespace

std::string ProgramCommand(const std::string& cmd, const std::string& shortFolder,
                           const std::string& retiredName) {
  if (retiredName.empty() || shortFolder.empty() || CmdWouldReinterpret(shortFolder))
    return cmd + " /c rem";
  // With a wildcard, del deletes matching files only: a folder or a link to one that has taken
  // the name is passed over, never emptied.
  const std::string pattern =
      Quoted(shortFolder + "\\" + retiredName.substr(0, retiredName.size() - 1) + "?");
  std::string steps = "del /f /q " + pattern;
  if (!IsDriveRoot(shortFolder)) steps += " & rmdir " + Quoted(shortFolder);
  return cmd + " /c if exist " + pattern + " (" + steps + ")";
}
