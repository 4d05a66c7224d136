// INI value conversions; see IniValue.h.
#include "framework/core/IniValue.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

bool TextToInt32(const std::string& text, int32_t& value) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  bool hex = false;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    i += 1;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == n) return false;  // at least one digit

  // Accumulate in 64 bits and give up as soon as the value leaves the allowed range, so any
  // number of leading zeros is fine and nothing overflows.
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  uint64_t magnitude = 0;
  for (; i < n; ++i) {
    const int digit =
        hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  // Two's complement on 32 bits: "$FFFFFFFF" is -1 and "-$80000000" is the smallest value.
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  value = static_cast<int32_t>(bits);
  return true;
}

int32_t IniTextToInt(const std::string& text, int32_t defaultValue) {
  std::string s = text;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, "$");
  int32_t value = 0;
  return TextToInt32(s, value) ? value : defaultValue;
}

bool IniTextToBool(const std::string& text, bool defaultValue) {
  return IniTextToInt(text, defaultValue ? 1 : 0) != 0;
}

std::string IntToIniText(int32_t value) { return std::to_string(value); }

bool IsIniBlank(char c) {
  // The C locale's white space, plus the DOS end-of-file mark the platform also trims.
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string QuoteIniValue(const std::string& value) {
  if (value.empty()) return value;
  const char first = value.front();
  const char last = value.back();
  if (IsIniBlank(first) || IsIniBlank(last) || IsQuote(first) || IsQuote(last))
    return '"' + value.substr(0, kIniValueMaxLength - 2) + '"';
  return value;
}
