// Wiping through the C library's memset, called by way of a volatile pointer: the compiler cannot
// know what it calls, so it cannot drop the stores into memory about to be freed. (The system's
// own wiping calls are not there on every platform this is built for.)
#include "framework/core/Wipe.h"

#include <algorithm>
#include <cstring>

namespace {

void* (*const volatile kFill)(void*, int, size_t) = std::memset;

}  // namespace

void WipeMemory(void* data, size_t size) {
  if (size > 0) kFill(data, 0, size);
}

void Wipe(std::string& text) { WipeToCapacity(text); }

void Wipe(std::vector<char>& bytes) { WipeToCapacity(bytes); }

void Wipe(std::vector<std::string>& lines) {
  for (auto& line : lines) Wipe(line);
}

void AppendWiped(std::string& text, std::string_view piece) {
  if (piece.size() > text.capacity() - text.size()) {
    std::string grown;
    grown.reserve(std::max(text.size() + piece.size(), 2 * text.capacity()));
    grown.append(text);
    Wipe(text);
    text.swap(grown);
  }
  text.append(piece);
}
