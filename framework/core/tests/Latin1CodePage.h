// A code page for the list-file rules off Windows: Latin-1, whose bytes are the first 256
// characters, so that what it cannot spell is plain to see.
#pragma once
#include <string>

#include "framework/core/ListFile.h"

inline AnsiCodePage Latin1CodePage() {
  return {[](const std::u16string& text, std::string& ansi) {
            ansi.clear();
            for (const char16_t unit : text) {
              if (unit > 0xFF) return ansi.clear(), false;
              ansi += static_cast<char>(unit);
            }
            return true;
          },
          [](const std::string& text, std::u16string& units) {
            units.clear();
            for (const char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
          }};
}
