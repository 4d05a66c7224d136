// A double-byte code page for the list-file rules off Windows: 0x81-0x9F take the next byte along
// (below 0x40: U+30FB, which it cannot spell), and 0x9F spells again what 0x81 does.
#pragma once
#include "framework/core/ListFile.h"

inline AnsiCodePage DoubleByteCodePage() {
  return {[](const std::u16string& text, std::string& ansi) {
            ansi.clear();
            for (const unsigned c : text) {
              const unsigned k = c - 0x4E00, single = c < 0x80 || c == 0xFF80 || c >= 0xFFA0;
              if (!single && k >= 30 * 0xC0) return false;
              ansi += single ? std::string(1, char(c))
                             : std::string{char(0x81 + k / 0xC0), char(0x40 + k % 0xC0)};
            }
            return true;
          },
          [](const std::string& text, std::u16string& units) {
            units.clear();
            for (size_t i = 0; i < text.size(); ++i) {
              const unsigned b = static_cast<unsigned char>(text[i]), lead = b >= 0x81 && b <= 0x9F;
              const unsigned t =
                  lead && ++i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
              units += char16_t(!lead      ? (b < 0x80 ? b : 0xFF00 + b)
                                : t < 0x40 ? 0x30FB
                                           : 0x4E00 + (b == 0x9F ? 0 : b - 0x81) * 0xC0 + t - 0x40);
            }
          }};
}
