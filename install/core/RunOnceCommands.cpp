// Texts of the run-once command.
#include "install/core/RunOnceCommands.h"

#include <cstdio>

#include "framework/core/Product.h"
#include "framework/core/Text.h"

const char* const RunOnceProgramValue = "Delete " TALLOWMERE_PRODUCT;

std::string RunOnceFileValue(unsigned n) {
  return "Delete " TALLOWMERE_PRODUCT " file " + std::to_string(n);
}

std::string CommandProcessor(const std::string& systemFolder) {
  const std::string path = systemFolder + "\\cmd.exe";
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

bool CmdWouldReinterpret(const std::string& path) {
  if (path.find_first_of("%!^&\"") != std::string::npos) return true;
  // cmd drops a blank or dot that ends a name: "C:\\Tools\\tr " would name "C:\\Tools\\tr".
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    const size_t at = end == std::string::npos ? path.size() : end;
    if (at > 0 && (path[at - 1] == ' ' || path[at - 1] == '.')) return true;
    if (end == std::string::npos) return false;
  }
}

std::string RetiredExecutableName(unsigned long long random) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", random);
  return std::string("~tlm") + digits + ".del";
}

bool IsRetiredExecutableName(const std::string& name) {
  const std::string lower = LowerAscii(name);
  return lower.size() == 24 && lower.compare(0, 4, "~tlm") == 0 &&
         lower.compare(20, 4, ".del") == 0 && lower.find_first_not_of("0123456789abcdef", 4) == 20;
}

namespace {

// Quoted, so that a short path that still holds a blank (no 8.3 names on the volume) stays whole.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool IsDriveRoot(const std::string& folder) { return !folder.empty() && folder.back() == ':'; }

}  // namespace

std::string ProgramCommand(const std::string& cmd, const std::string& shortFolder,
                           const std::string& retiredName,
                           const std::vector<std::string>& shortParents) {
  if (retiredName.empty() || shortFolder.empty() || CmdWouldReinterpret(shortFolder))
    return cmd + " /c rem";
  // With a wildcard, del deletes matching files only: a folder or a link to one that has taken
  // the name is passed over, never emptied.
  const std::string pattern =
      Quoted(shortFolder + "\\" + retiredName.substr(0, retiredName.size() - 1) + "?");
  std::string steps = "del /f /q " + pattern;
  if (!IsDriveRoot(shortFolder)) {
    steps += " & rmdir " + Quoted(shortFolder);
    // rmdir without /s fails on a folder that still holds anything, and so on every one above it.
    for (const std::string& parent : shortParents) {
      if (parent.empty() || IsDriveRoot(parent) || CmdWouldReinterpret(parent)) break;
      steps += " & rmdir " + Quoted(parent);
    }
  }
  return cmd + " /c if exist " + pattern + " (" + steps + ")";
}

namespace {

// The file a run-once command deletes: the path after "if exist" (this version's command) or after
// "del" (earlier versions'), without its quotes; "" for any other command.
std::string DeletedPath(const std::string& command) {
  const std::string text = LowerAscii(command);
  for (const std::string word : {" /c if exist ", " /c del "}) {
    const size_t found = text.find(word);
    if (found == std::string::npos) continue;
    const size_t at = found + word.size();
    const bool quoted = at < command.size() && command[at] == '"';
    const size_t end = command.find(quoted ? '"' : ' ', at + 1);
    return command.substr(at + quoted, end == std::string::npos ? end : end - at - quoted);
  }
  return "";
}

}  // namespace

bool CommandNamesFolder(const std::string& command, const std::string& folder) {
  return !folder.empty() &&
         LowerAscii(FolderOfPath(DeletedPath(command))) == LowerAscii(folder) + "\\";
}
