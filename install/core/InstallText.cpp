// Text tests of the start-up and uninstall code.
#include "install/core/InstallText.h"

#include "framework/core/Text.h"

bool StartsWithText(const std::string& prefix, const std::string& text) {
  if (text.size() < prefix.size()) return false;
  return LowerAscii(text.substr(0, prefix.size())) == LowerAscii(prefix);
}

bool EndsWithText(const std::string& suffix, const std::string& text) {
  if (text.size() < suffix.size()) return false;
  return LowerAscii(text.substr(text.size() - suffix.size())) == LowerAscii(suffix);
}
