// Reading "install.txt" and judging its entries.
#include "install/core/InstallList.h"

#include <algorithm>

#include "framework/core/Text.h"
#include "install/core/InstallText.h"

std::vector<std::string> ParseInstallList(const std::string& bytes) {
  const std::string text = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> entries;
  std::string line;
  bool open = false;  // a line has started and not yet ended
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      entries.push_back(line);
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    line += c;
    open = true;
  }
  if (open) entries.push_back(line);
  return entries;
}

bool IsFolderEntry(const std::string& entry) { return EndsWithText("\\", entry); }

namespace {

// Windows drops trailing dots and blanks of a path component, so ".. " or "..." may act as "..";
// any component of dots and blanks only, with two dots or more, is taken as one.
bool IsParentComponent(const std::string& part) {
  return part.find_first_not_of(". ") == std::string::npos &&
         std::count(part.begin(), part.end(), '.') >= 2;
}

}  // namespace

bool IsUnsafeEntry(const std::string& entry) {
  if (entry.empty()) return false;
  if (entry[0] == '\\' || entry[0] == '/') return true;  // rooted, UNC, device paths
  // A colon names a drive ("C:x") or an alternate stream; neither belongs in a relative list.
  if (entry.find(':') != std::string::npos) return true;
  size_t start = 0;
  while (start <= entry.size()) {
    const size_t end = entry.find_first_of("\\/", start);
    const std::string part =
        entry.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (IsParentComponent(part)) return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

bool ListsOnly(const std::string& bytes, const std::vector<std::string>& names) {
  for (const std::string& entry : ParseInstallList(bytes))
    if (std::none_of(names.begin(), names.end(), [&](const std::string& name) {
          return LowerAscii(name) == LowerAscii(entry);
        }))
      return false;
  return true;
}
