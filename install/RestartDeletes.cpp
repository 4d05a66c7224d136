// The system's list of renames at the next restart, as the uninstaller leaves deletions in it.
#include "install/RestartDeletes.h"

#include <algorithm>

#include "install/InstallText.h"

const char* const RestartListKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const RestartListValue = "PendingFileRenameOperations";

RestartDeletes TakeRestartDeletes(const std::string& list, const std::string& folder) {
  RestartDeletes result;
  size_t at = 0;
  const auto next = [&] {
    const size_t end = std::min(list.find('\0', at), list.size());
    std::string text = list.substr(at, end - at);
    at = end + 1;
    return text;
  };
  while (at < list.size()) {
    const std::string source = next();
    if (source.empty()) break;
    const std::string target = next();
    const std::string path = source.substr(source.rfind("\\??\\", 0) == 0 ? 4 : 0);
    // The trailing backslash lets the folder itself match, and no sibling that shares its name;
    // no folder must not mean every path.
    if (target.empty() && !folder.empty() && StartsWithText(folder, path + "\\"))
      result.taken.push_back(path);
    else
      result.kept += source + '\0' + target + '\0';
  }
  return result;
}
