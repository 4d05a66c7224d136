// Fuzzes the INI value rules against a second, regex-based reading of the same grammar, and the
// quoting against a model of the platform's trimming and quote stripping.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "framework/core/IniValue.h"

namespace {
void Check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
  }
}

// What the grammar says the text means: true and the value when it converts.
bool Reference(std::string text, int32_t& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text = "$" + text.substr(2);
  static const std::regex decimal("^ *([+-]?)([0-9]+)$");
  static const std::regex hex("^ *([+-]?)(\\$|x|X|0x|0X)([0-9a-fA-F]+)$");
  std::smatch m;
  if (std::regex_match(text, m, decimal)) {
    std::string digits = m[2].str();
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > 10) return false;
    long long v = digits.empty() ? 0 : std::stoll(digits);
    if (m[1] == "-") v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
  }
  if (std::regex_match(text, m, hex)) {
    std::string digits = m[3].str();
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > 8) return false;
    uint32_t bits = digits.empty() ? 0 : static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
    if (m[1] == "-") bits = ~bits + 1;
    value = static_cast<int32_t>(bits);
    return true;
  }
  return false;
}

std::string PlatformRoundTrip(const std::string& written) {
  size_t b = 0, e = written.size();
  while (b < e && IsIniBlank(written[b])) ++b;
  while (e > b && IsIniBlank(written[e - 1])) --e;
  const std::string stored = written.substr(b, e - b);
  if (stored.size() >= 2 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0])
    return stored.substr(1, stored.size() - 2);
  return stored;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64) return 0;  // the regex reading recurses per character
  const std::string text(reinterpret_cast<const char*>(data), size);

  int32_t expected = 0;
  const bool converts = Reference(text, expected);
  const int32_t a = IniTextToInt(text, 11);
  const int32_t b = IniTextToInt(text, -7);
  if (converts) {
    Check(a == expected && b == expected, "value differs from the grammar's");
    Check(IniTextToInt(IntToIniText(a), 0) == a, "written integer does not read back");
    Check(IniTextToBool(text, false) == (expected != 0), "boolean of a number");
  } else {
    Check(a == 11 && b == -7, "text outside the grammar did not give the default");
    Check(IniTextToBool(text, true) && !IniTextToBool(text, false), "boolean default");
  }

  Check(PlatformRoundTrip(QuoteIniValue(text)) == text, "quoted value does not survive");
  return 0;
}
