#include "framework/core/IniValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace {
constexpr int32_t kDefault = 77;
int32_t Read(const std::string& text) { return IniTextToInt(text, kDefault); }
}  // namespace

TEST(IniInteger, ReadsSigned32BitDecimalAndHexadecimalTextAndAnythingElseGivesTheDefault) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  // clang-format off
  const std::pair<std::string, int32_t> numbers[] = {
      // Plain decimal with one optional sign after leading spaces, exactly the 32-bit range.
      {"160", 160}, {"0", 0}, {"-25536", -25536}, {"+42", 42}, {"08", 8}, {"   5", 5}, {" -5", -5},
      {"0000000000000000000012", 12}, {"65537", 65537}, {"-2147483648", kMin},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      // Every hexadecimal prefix; leading zeros do not count against 32 bits.
      {"0x10", 16}, {"0X10", 16}, {"$10", 16}, {"x10", 16}, {"X10", 16}, {"$aBcD", 0xABCD},
      {" 0x1f", 31}, {"$000000000010", 16},
      // Hexadecimal is a 32-bit pattern, which the sign negates.
      {"$FFFFFFFF", -1}, {"$80000000", kMin}, {"-$80000000", kMin}, {"-$FFFFFFFF", 1},
      {"-0x10", -16}, {"+x10", 16}};
  // clang-format on
  for (const auto& [text, value] : numbers) EXPECT_EQ(Read(text), value) << "[" << text << "]";
  // Out of range, a hexadecimal prefix without digits, and anything else (only spaces are
  // skipped, not tabs).
  // clang-format off
  const std::string others[] = {"2147483648", "-2147483649", "99999999999999999999999",
      "$100000000", "0x", "0X", "$", "x", "-$", "0x$10", "$$10", "$g", "", " ", "-", "+-5", "--5",
      "- 5", "5 ", "12x", "1,000", "1.5", "\t5", "yes", std::string("5\0", 2)};
  // clang-format on
  for (const std::string& text : others) EXPECT_EQ(Read(text), kDefault) << "[" << text << "]";
  EXPECT_EQ(IniTextToInt("abc", -3), -3);
}

TEST(IniInteger, TheLowLevelConversionReportsFailureAndLeavesTheValue) {
  int32_t value = 123;
  EXPECT_FALSE(TextToInt32("0x", value));
  EXPECT_EQ(value, 123);
  EXPECT_TRUE(TextToInt32("0x7fffffff", value));
  EXPECT_EQ(value, 0x7fffffff);
}

TEST(IniInteger, WritesPlainDecimalThatReadsBack) {
  EXPECT_EQ(IntToIniText(160), "160");
  EXPECT_EQ(IntToIniText(-25536), "-25536");
  EXPECT_EQ(IntToIniText(0), "0");
  for (int32_t v : {0, 1, -1, 326, 1000, std::numeric_limits<int32_t>::min(),
                    std::numeric_limits<int32_t>::max()})
    EXPECT_EQ(Read(IntToIniText(v)), v);
}

TEST(IniBoolean, NonZeroIsTrueZeroIsFalseOtherTextKeepsTheDefault) {
  for (bool def : {false, true}) {
    EXPECT_TRUE(IniTextToBool("1", def));
    EXPECT_TRUE(IniTextToBool("2", def));
    EXPECT_TRUE(IniTextToBool("-1", def));
    EXPECT_TRUE(IniTextToBool("$FFFFFFFF", def));
    EXPECT_FALSE(IniTextToBool("0", def));
    EXPECT_FALSE(IniTextToBool("-0", def));
    EXPECT_FALSE(IniTextToBool("0x0", def));
    EXPECT_EQ(IniTextToBool("yes", def), def);
    EXPECT_EQ(IniTextToBool("true", def), def);
    EXPECT_EQ(IniTextToBool("", def), def);
    EXPECT_EQ(IniTextToBool("0x", def), def);
  }
}

TEST(IniQuoting, LeavesOrdinaryValuesAlone) {
  EXPECT_EQ(QuoteIniValue(""), "");
  EXPECT_EQ(QuoteIniValue("abc"), "abc");
  EXPECT_EQ(QuoteIniValue("a b"), "a b");
  EXPECT_EQ(QuoteIniValue("a\"b'c"), "a\"b'c");
  EXPECT_EQ(QuoteIniValue("1,000"), "1,000");
  EXPECT_EQ(QuoteIniValue("=;[x]"), "=;[x]");
}

TEST(IniQuoting, WrapsValuesWithABlankOrAQuoteAtEitherEnd) {
  EXPECT_EQ(QuoteIniValue("\"abc\""), "\"\"abc\"\"");
  EXPECT_EQ(QuoteIniValue("'abc'"), "\"'abc'\"");
  EXPECT_EQ(QuoteIniValue(" abc"), "\" abc\"");
  EXPECT_EQ(QuoteIniValue("abc "), "\"abc \"");
  EXPECT_EQ(QuoteIniValue("\tx"), "\"\tx\"");
  EXPECT_EQ(QuoteIniValue("   "), "\"   \"");
  EXPECT_EQ(QuoteIniValue("\""), "\"\"\"");
  EXPECT_EQ(QuoteIniValue("\"abc"), "\"\"abc\"");
  EXPECT_EQ(QuoteIniValue("abc'"), "\"abc'\"");
}

// A model of the platform: the writer trims blanks around the value, the reader drops one pair of
// matching quotes around what is stored. Every value must come back as it went in.
namespace {
std::string PlatformRoundTrip(const std::string& written) {
  size_t b = 0, e = written.size();
  while (b < e && IsIniBlank(written[b])) ++b;
  while (e > b && IsIniBlank(written[e - 1])) --e;
  std::string stored = written.substr(b, e - b);
  if (stored.size() >= 2 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0])
    return stored.substr(1, stored.size() - 2);
  return stored;
}
}  // namespace

TEST(IniQuoting, EveryValueSurvivesTheWriterAndTheReader) {
  const std::string samples[] = {"",      "a",     " ",     "\"",    "'",       "\"\"",
                                 "''",    "\"a\"", "'a'",   "\"a'",  " \"a\" ", "a\"",
                                 "\"a",   "  x  ", "\tx\t", "\x1a",  "x\x1a",   "-..+",
                                 "\"'\"", "'\"'",  "\" \"", "a b c", "''''",    "\"\"\"\""};
  for (const auto& s : samples)
    EXPECT_EQ(PlatformRoundTrip(QuoteIniValue(s)), s) << "[" << s << "]";
  // The model itself must show why quoting is needed.
  EXPECT_NE(PlatformRoundTrip("\"abc\""), "\"abc\"");
  EXPECT_NE(PlatformRoundTrip(" abc"), " abc");
}

// The platform's reader gives back at most kIniValueMaxLength characters of what is stored.
namespace {
std::string PlatformRoundTripCut(const std::string& written) {
  size_t b = 0, e = written.size();
  while (b < e && IsIniBlank(written[b])) ++b;
  while (e > b && IsIniBlank(written[e - 1])) --e;
  return PlatformRoundTrip(written.substr(b, std::min(e - b, kIniValueMaxLength)));
}
}  // namespace

TEST(IniQuoting, AQuotedValueNeverOutgrowsTheReadersLimit) {
  for (size_t length :
       {size_t(2044), size_t(2045), size_t(2046), size_t(2047), size_t(2048), size_t(5000)}) {
    for (const std::string& edge : {std::string(" "), std::string("\""), std::string("'")}) {
      const std::string value = edge + std::string(length - 1, 'x');
      const std::string written = QuoteIniValue(value);
      EXPECT_LE(written.size(), kIniValueMaxLength) << length;
      EXPECT_EQ(written.front(), '"');
      EXPECT_EQ(written.back(), '"');
      // What comes back is the value itself, or as much of its start as fits inside the quotes.
      EXPECT_EQ(PlatformRoundTripCut(written), value.substr(0, std::min(length, size_t(2045))))
          << length << " [" << edge << "]";
    }
  }
  // Values that need no quotes are left to the reader's own cut.
  const std::string plain(3000, 'y');
  EXPECT_EQ(QuoteIniValue(plain), plain);
  EXPECT_EQ(PlatformRoundTripCut(plain), plain.substr(0, kIniValueMaxLength));
}
