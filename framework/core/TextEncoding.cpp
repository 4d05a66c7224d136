// Byte-order marks, UTF-8 and UTF-16; see TextEncoding.h.
#include "framework/core/TextEncoding.h"

#include <algorithm>

namespace {

const std::string_view kUtf8Mark("\xEF\xBB\xBF", 3), kUtf16LeMark("\xFF\xFE", 2),
    kUtf16BeMark("\xFE\xFF", 2);

std::string_view MarkOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return kUtf8Mark;
    case TextEncoding::Utf16Le: return kUtf16LeMark;
    case TextEncoding::Utf16Be: return kUtf16BeMark;
    default: break;  // ANSI and the unmarked ones
  }
  return {};
}

bool IsUtf8(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8NoMark;
}

bool IsBigEndian(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Be || encoding == TextEncoding::Utf16BeNoMark;
}

bool DecodeUtf8(std::string_view bytes, std::u16string& text, size_t& badLine) {
  text.reserve(bytes.size());  // never more units than bytes: no copies left behind by growth
  size_t line = 1;
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const size_t length = b < 0x80         ? 1
                          : (b >> 5) == 6  ? 2
                          : (b >> 4) == 14 ? 3
                          : (b >> 3) == 30 ? 4
                                           : 0;
    char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    bool ok = length > 0 && i + length <= bytes.size();
    for (size_t k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      ok = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    ok = ok && c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    if (!ok) {
      badLine = line;
      return false;
    }
    if (c == U'\n') ++line;
    if (c < 0x10000) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    i += length;
  }
  return true;
}

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& text, size_t& badLine) {
  size_t line = 1;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
    const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
    const auto unit = static_cast<char16_t>(hi << 8 | lo);
    // A high surrogate takes the low one that must follow; any other surrogate stands alone.
    const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
    const bool paired = !text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF;
    if ((low && !paired) || (!low && paired)) break;
    text += unit;
    if (unit == u'\n') ++line;
    if (high && i + 3 >= bytes.size()) break;
  }
  const bool whole = text.size() * 2 == bytes.size() &&
                     !(text.size() && text.back() >= 0xD800 && text.back() <= 0xDBFF);
  if (!whole) badLine = line;
  return whole;
}

}  // namespace

TextEncoding EncodingOfBytes(std::string_view bytes) {
  for (const TextEncoding encoding :
       {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
    if (bytes.substr(0, MarkOf(encoding).size()) == MarkOf(encoding)) return encoding;
  }
  return TextEncoding::Ansi;
}

bool DecodeMarkedText(std::string_view bytes, TextEncoding encoding, std::u16string& text,
                      size_t& badLine) {
  text.clear();
  badLine = 0;
  bytes.remove_prefix(std::min(bytes.size(), MarkOf(encoding).size()));
  if (IsUtf8(encoding)) return DecodeUtf8(bytes, text, badLine);
  text.reserve(bytes.size() / 2);
  return DecodeUtf16(bytes, IsBigEndian(encoding), text, badLine);
}

std::string EncodeMarkedText(const std::u16string& text, TextEncoding encoding) {
  std::string bytes(MarkOf(encoding));
  if (IsUtf8(encoding)) {
    bytes.reserve(bytes.size() + 3 * text.size());  // at most three bytes a unit
    for (size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size())
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
      if (c < 0x80) {
        bytes += static_cast<char>(c);
      } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | c >> 6);
        bytes += static_cast<char>(0x80 | (c & 0x3F));
      } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | c >> 12);
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
      } else {
        bytes += static_cast<char>(0xF0 | c >> 18);
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return bytes;
  }
  const bool bigEndian = IsBigEndian(encoding);
  bytes.reserve(bytes.size() + 2 * text.size());
  for (const char16_t unit : text) {
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}
