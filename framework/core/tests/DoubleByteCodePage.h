// A double-byte code page for the list-file rules off Windows, shaped as the Japanese one: bytes
// 0x81-0x9F lead a character and take the next byte with them, 0x9F spells again what 0x81 spells,
// and a lead byte with no trail (0x40 and up) becomes U+30FB, which the page cannot spell.
#pragma once
#include "framework/core/ListFile.h"

inline AnsiCodePage DoubleByteCodePage() {
  return {[](const std::u16string& text, std::string& ansi) {
            ansi.clear();
            for (const char16_t c : text) {
              const unsigned k = c - 0x4E00u;  // the two-byte characters from U+4E00
              if (c < 0x80 || c == 0xFF80 || c >= 0xFFA0)
                ansi += static_cast<char>(c & 0xFF);
              else if (k < 30 * 0xC0)
                ansi += {static_cast<char>(0x81 + k / 0xC0), static_cast<char>(0x40 + k % 0xC0)};
              else
                return false;
            }
            return true;
          },
          [](const std::string& text, std::u16string& units) {
            units.clear();
            for (size_t i = 0; i < text.size(); ++i) {
              const unsigned b = static_cast<unsigned char>(text[i]);
              const unsigned t = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
              const bool lead = b >= 0x81 && b <= 0x9F;
              i += lead ? 1 : 0;
              const unsigned pair =
                  t < 0x40 ? 0x30FB : 0x4E00 + (b == 0x9F ? 0 : b - 0x81) * 0xC0 + t - 0x40;
              units += static_cast<char16_t>(!lead ? (b < 0x80 ? b : 0xFF00 + b) : pair);
            }
          }};
}
