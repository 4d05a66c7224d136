// Small text rules of the framework.
#include "framework/core/Text.h"

#include <algorithm>

std::string FormatText(const std::string& pattern, const std::string& arg) {
  std::string result = pattern;
  const auto at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, arg);
  return result;
}

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string TitleFromExePath(const std::string& path) {
  std::string name = FileNameOfPath(path);
  name = name.substr(0, name.find('.'));
  // The platform's lower-casing of the ANSI code page would also fold accented letters; the
  // executable's name is ours and plain ASCII, so A-Z is all that matters.
  if (name.size() > 1) name = name.substr(0, 1) + LowerAscii(name.substr(1));
  return name;
}

namespace {

// Narrow and wide paths follow the same rule.
template <typename Text>
Text FolderPart(const Text& path) {
  for (size_t i = path.size(); i > 0; --i)
    if (path[i - 1] == '\\' || path[i - 1] == '/') return path.substr(0, i);
  return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : Text();
}

}  // namespace

std::string FolderOfPath(const std::string& path) { return FolderPart(path); }

std::wstring FolderOfPath(const std::wstring& path) { return FolderPart(path); }

std::string FileNameOfPath(const std::string& path) {
  return path.substr(FolderOfPath(path).size());
}

std::string StripTrailingSlash(const std::string& text) {
  if (!text.empty() && (text.back() == '\\' || text.back() == '/'))
    return text.substr(0, text.size() - 1);
  return text;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::wstring ErrorBoxText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L".";
  return message;
}

bool IsFolderBelowRoot(const std::wstring& path) {
  const auto separator = [&](size_t i) {
    return i < path.size() && (path[i] == L'\\' || path[i] == L'/');
  };
  const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') ||
                                        (path[0] >= L'a' && path[0] <= L'z'));
  if (letter && path.size() > 3 && path[1] == L':' && separator(2)) return !separator(3);
  if (!separator(0) || !separator(1)) return false;
  // \\server\share: a server name, then a share name. "\\?\" and "\\.\" name devices, not
  // servers: "\\?\C:\" is a drive's root.
  size_t end = 2;
  while (end < path.size() && !separator(end)) ++end;
  const std::wstring server = path.substr(2, end - 2);
  return end > 2 && server != L"?" && server != L"." && end + 1 < path.size() &&
         !separator(end + 1);
}

std::optional<int> WholeNumberInRange(const std::string& text, const std::string& separator,
                                      int min, int max) {
  size_t at = text.find_first_not_of(' ');
  const size_t end = text.find_last_not_of(' ') + 1;
  if (at == std::string::npos) return std::nullopt;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  long long value = 0;
  bool digits = false;
  while (at < end) {
    if (!separator.empty() && digits && text.compare(at, separator.size(), separator) == 0) {
      at += separator.size();
      continue;
    }
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    // Past any range an int can state, more digits change nothing.
    value = std::min(value * 10 + (text[at++] - '0'), 1LL << 40);
    digits = true;
  }
  if (!digits) return std::nullopt;
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, min, max));
}
