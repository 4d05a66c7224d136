// Small text rules of the framework.
#include "framework/Text.h"

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
  const auto slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  // The platform's lower-casing of the ANSI code page would also fold accented letters; the
  // executable's name is ours and plain ASCII, so A-Z is all that matters.
  if (name.size() > 1) name = name.substr(0, 1) + LowerAscii(name.substr(1));
  return name;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}
