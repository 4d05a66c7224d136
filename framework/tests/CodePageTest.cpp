#include "framework/CodePage.h"

#include <gtest/gtest.h>

#include <string>

TEST(CharacterLengthIn, TellsWholeCharactersOfDoubleByteAndUtf8CodePages) {
  struct Case {
    unsigned codePage;
    std::string text;
    size_t length;
  };
  const Case cases[] = {
      {932, "a\x82", 1},          {932, "\x82\xA0", 2},  // a letter; a lead byte with its trail
      {932, "\x95\x5C", 2},                              // its trail byte is a backslash
      {932, "\x82", 0},                                  // a lead byte without its trail
      {932, "\xB1", 1},                                  // a single-byte katakana
      {65001, "\xE4\xB8\x80", 3}, {65001, "\xF0\x9F\x98\x80", 4},
      {65001, "\xC3\xA9z", 2},    {65001, "\xE4\xB8", 0},
      {65001, "\x80", 0},         {1252, "\x82\xA0", 1},  // single-byte: every byte is a character
  };
  for (const Case& c : cases)
    EXPECT_EQ(CharacterLengthIn(c.codePage, c.text.data(), c.text.size()), c.length)
        << c.codePage << " " << c.text;
}
