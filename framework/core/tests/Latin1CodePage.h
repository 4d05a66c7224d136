// Latin-1 for the list-file rules off Windows: its bytes are the first 256 characters, so what it
// cannot spell is plain to see.
#pragma once
#include <algorithm>

#include "framework/core/ListFile.h"

inline AnsiCodePage Latin1CodePage() {
  return {[](const std::u16string& text, std::string& ansi) {
            ansi.assign(text.begin(), text.end());
            return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
          },
          [](const std::string& text, std::u16string& units) {
            units.assign(text.begin(), text.end());
            for (char16_t& unit : units) unit &= 0xFF;  // the bytes are unsigned
          }};
}
