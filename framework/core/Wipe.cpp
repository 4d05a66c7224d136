// The typed wipes of the list's text, over the one byte wipe.
#include "framework/core/Wipe.h"

void Wipe(std::string& text) {
  if (!text.empty()) WipeBytes(&text[0], text.size());
}

void Wipe(std::vector<char>& bytes) { WipeBytes(bytes.data(), bytes.size()); }

void Wipe(std::vector<std::string>& lines) {
  for (auto& line : lines) Wipe(line);
}
