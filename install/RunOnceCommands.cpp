// Texts of the run-once commands.
#include "install/RunOnceCommands.h"

#include "framework/Product.h"
#include "install/InstallList.h"

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

namespace {

// Quoted, so that a short path that still holds a blank (no 8.3 names on the volume) stays whole.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string DeleteStep(const std::string& shortPath) { return "del /f /q " + Quoted(shortPath); }

std::string RemoveStep(const std::string& shortPath) { return "rmdir " + Quoted(shortPath); }

}  // namespace

std::string DeleteFileCommand(const std::string& cmd, const std::string& shortPath) {
  return cmd + " /c " + DeleteStep(shortPath);
}

std::string RemoveFolderCommand(const std::string& cmd, const std::string& shortPath) {
  return cmd + " /c " + RemoveStep(shortPath);
}

std::string LeftOverCommand(const std::string& cmd, const std::string& entry,
                            const std::string& shortPath) {
  return IsFolderEntry(entry) ? RemoveFolderCommand(cmd, shortPath)
                              : DeleteFileCommand(cmd, shortPath);
}

namespace {

// Removes the executable's folder when it is empty; nothing for a drive root, an unknown folder or
// one that cmd would misread.
std::string FolderStep(const std::string& shortFolder) {
  const bool driveRoot = !shortFolder.empty() && shortFolder.back() == ':';
  if (shortFolder.empty() || driveRoot || CmdWouldReinterpret(shortFolder)) return "";
  return RemoveStep(shortFolder);
}

}  // namespace

std::string ThenRemoveFolder(const std::string& command, const std::string& shortFolder) {
  const std::string step = FolderStep(shortFolder);
  return step.empty() ? command : command + " & " + step;
}

std::string ProgramCommand(const std::string& cmd, const std::string& shortExe,
                           const std::string& shortFolder) {
  // An executable without a short form (over the path limit) is reported, not deleted here.
  std::string steps;
  if (!shortExe.empty() && !CmdWouldReinterpret(shortExe)) steps = DeleteStep(shortExe);
  const std::string folder = FolderStep(shortFolder);
  if (!folder.empty()) steps += (steps.empty() ? "" : " & ") + folder;
  // The value stays even with nothing to run: a start before the next logon looks for it to
  // cancel the numbered ones.
  return cmd + " /c " + (steps.empty() ? "rem" : steps);
}
