// The typed wipes of the list's text, over the one byte wipe.
#include "framework/core/Wipe.h"

#include <algorithm>

void Wipe(std::string& text) { WipeToCapacity(text); }

void Wipe(std::vector<char>& bytes) { WipeToCapacity(bytes); }

void Wipe(std::vector<std::string>& lines) {
  for (auto& line : lines) Wipe(line);
}

void AppendWiped(std::string& text, std::string_view piece, size_t sizeHint, size_t most) {
  if (piece.size() > text.capacity() - text.size())
    ReserveWiped(text, std::max(text.size() + piece.size(),
                                std::min(std::max(sizeHint, 2 * text.capacity()), most)));
  text.append(piece);
}
