// Passphrases: the draw over a small list, the strength, and the requests refused.
#include "generator/Passphrase.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator/tests/TestSources.h"

namespace {
const std::string_view Small[] = {"ant", "bee", "cat", "dog"};
const WordSpan SmallList{Small, 4};

PassphraseRequest Phrase(int words, std::string separator, std::string leaveOut = "",
                         bool capitalize = false, bool digit = false) {
  return {words, std::move(separator), capitalize, digit, 1, std::move(leaveOut)};
}

std::string Make(const PassphraseRequest& r, ScriptedSource& source) {
  std::string out;
  GeneratePassphrases(
      r, out, [](const std::string& m) { ADD_FAILURE() << m; }, source, SmallList);
  return out;
}
}  // namespace

TEST(Passphrase, EachDrawPicksOneUsableWordAndTheDigitAnyWordAndAnyDigitLeft) {
  // "b" left out: "bee" goes, and each other word answers exactly one draw value.
  const std::string usable[] = {"ant", "cat", "dog"};
  for (uint32_t v = 0; v < 3; ++v) {
    ScriptedSource source({v, 2, 0});
    EXPECT_EQ(Make(Phrase(3, ".", "b"), source), usable[v] + ".dog.ant");
    EXPECT_EQ(source.Ranges, (std::vector<uint32_t>{3, 3, 3}));
  }
  // Then the word that takes the digit (of 3) and the digit (of 0-9 without 5: 8 is "9").
  PassphraseRequest r = Phrase(3, "", "5", true, true);
  r.Count = 2;
  ScriptedSource source({0, 1, 2, 1, 4, 3, 3, 3, 2, 8});
  EXPECT_EQ(Make(r, source), "AntBee4Cat\r\nDogDogDog9");
  EXPECT_EQ(source.Ranges, (std::vector<uint32_t>{4, 4, 4, 3, 9, 4, 4, 4, 3, 9}));
  // A capital counts as written: "A" left out takes "ant" only when capitalised.
  ScriptedSource capitals({0, 0, 0});
  EXPECT_EQ(Make(Phrase(3, " ", "A", true), capitals), "Bee Bee Bee");
}

TEST(Passphrase, StrengthCountsTheWordsLeftAndTheDigitsPlaces) {
  PassphraseRequest r = Phrase(6, "-");
  EXPECT_DOUBLE_EQ(PassphraseBits(r), 6 * std::log2(7776.0));
  EXPECT_EQ(PassphraseStrengthBits(r), 78);
  r.AddDigit = true;
  EXPECT_DOUBLE_EQ(PassphraseBits(r), 6 * std::log2(7776.0) + std::log2(60.0));
  EXPECT_DOUBLE_EQ(PassphraseBits(Phrase(4, "-", "09c", false, true), SmallList),
                   4 * std::log2(3.0) + std::log2(32.0));
}

TEST(Passphrase, RefusalsSayWhyDrawNothingAndKeepTheOutput) {
  const std::pair<PassphraseRequest, const char*> cases[] = {
      {Phrase(2, "-"), "The number of words must be from 3 to 20"},
      {Phrase(21, "-"), "The number of words must be from 3 to 20"},
      {Phrase(3, "12345678901"), "The separator can hold at most 10 characters"},
      {Phrase(3, "+-", "x-"), "The separator holds a left-out character"},
      {Phrase(3, "-", "abcdg"),
       "No words are left to draw from once left-out characters are "
       "removed"},
      {Phrase(3, "-", "0123456789", false, true),
       "No digit is left to add once left-out characters are removed"},
  };
  for (const auto& [request, message] : cases) {
    ScriptedSource source;
    NoticeRecorder notices;
    std::string out = "kept";
    EXPECT_NE(GeneratePassphrases(request, out, notices.Handler(), source, SmallList),
              GenerateOutcome::Done);
    EXPECT_EQ(notices.Shown, std::vector<std::string>{message});
    EXPECT_EQ(out + std::to_string(source.Draws), "kept0");
    EXPECT_EQ(PassphraseBits(request, SmallList), 0);
  }
}
