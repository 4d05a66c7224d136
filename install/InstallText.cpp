// Text tests of the start-up and uninstall code.
#include "install/InstallText.h"

#include "framework/Text.h"

bool StartsWithText(const std::string& prefix, const std::string& text) {
  if (text.size() < prefix.size()) return false;
  return LowerAscii(text.substr(0, prefix.size())) == LowerAscii(prefix);
}

bool EndsWithText(const std::string& suffix, const std::string& text) {
  if (text.size() < suffix.size()) return false;
  return LowerAscii(text.substr(text.size() - suffix.size())) == LowerAscii(suffix);
}

std::string StripTrailingSlash(const std::string& text) {
  if (!text.empty() && (text.back() == '\\' || text.back() == '/'))
    return text.substr(0, text.size() - 1);
  return text;
}

std::string FolderOfPath(const std::string& path) {
  const auto at = path.find_last_of("\\:");
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string FileNameOfPath(const std::string& path) {
  return path.substr(FolderOfPath(path).size());
}
