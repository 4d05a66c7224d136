// Passphrases: the draw over a small list, the strength, and the requests refused.
#include "generator/Passphrase.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator/tests/TestSources.h"

namespace {
const std::string_view Small[] = {"ant", "bee", "cat", "dog"};
const WordSpan SmallList{Small, 4};

PassphraseRequest Phrase(int words, std::string separator, std::string leaveOut = "") {
  PassphraseRequest r;
  r.Words = words;
  r.Separator = std::move(separator);
  r.LeaveOut = std::move(leaveOut);
  return r;
}

std::string Make(const PassphraseRequest& r, ScriptedSource& source) {
  NoticeRecorder notices;
  std::string out;
  GeneratePassphrases(r, out, notices.Handler(), source, SmallList);
  EXPECT_EQ(notices.Shown, std::vector<std::string>{});
  return out;
}
}  // namespace

TEST(Passphrase, EachDrawPicksOneUsableWordEachOnce) {
  // "b" left out: "bee" goes, and each of the other three answers exactly one draw value.
  for (uint32_t v = 0; v < 3; ++v) {
    ScriptedSource source({v, 2, 0});
    const std::string expected[] = {"ant", "cat", "dog"};
    EXPECT_EQ(Make(Phrase(3, ".", "b"), source), expected[v] + ".dog.ant");
    EXPECT_EQ(source.Ranges, (std::vector<uint32_t>{3, 3, 3}));
  }
}

TEST(Passphrase, TheDigitGoesAfterAnyOneWordWithAnyDigitLeft) {
  PassphraseRequest r = Phrase(3, "", "5");
  r.AddDigit = r.Capitalize = true;
  r.Count = 2;
  ScriptedSource source({0, 1, 2, 1, 4, 3, 3, 3, 2, 8});
  // Digits 0-9 without 5: the draw of 4 gives 4, that of 8 gives 9.
  EXPECT_EQ(Make(r, source), "AntBee4Cat\r\nDogDogDog9");
  EXPECT_EQ(source.Ranges, (std::vector<uint32_t>{4, 4, 4, 3, 9, 4, 4, 4, 3, 9}));
}

TEST(Passphrase, CapitalsAreJudgedAsWrittenAgainstLeftOutCharacters) {
  PassphraseRequest r = Phrase(3, " ", "A");
  r.Capitalize = true;
  ScriptedSource source({0, 0, 0});
  EXPECT_EQ(Make(r, source), "Bee Bee Bee");
  EXPECT_EQ(PassphraseBits(r, SmallList), 3 * std::log2(3.0));
}

TEST(Passphrase, StrengthCountsWordsAndTheDigitsPlaces) {
  PassphraseRequest r = Phrase(6, "-");
  EXPECT_DOUBLE_EQ(PassphraseBits(r), 6 * std::log2(7776.0));
  EXPECT_EQ(PassphraseStrengthBits(r), 78);
  r.AddDigit = true;
  EXPECT_DOUBLE_EQ(PassphraseBits(r), 6 * std::log2(7776.0) + std::log2(60.0));
  r.LeaveOut = "09";
  r.Words = 4;
  EXPECT_DOUBLE_EQ(PassphraseBits(r, SmallList), 4 * std::log2(4.0) + std::log2(32.0));
}

TEST(Passphrase, RefusalsSayWhyDrawNothingAndKeepTheOutput) {
  PassphraseRequest noDigit = Phrase(3, "-", "0123456789");
  noDigit.AddDigit = true;
  const std::pair<PassphraseRequest, const char*> cases[] = {
      {Phrase(2, "-"), "The number of words must be from 3 to 20"},
      {Phrase(21, "-"), "The number of words must be from 3 to 20"},
      {Phrase(3, "12345678901"), "The separator can hold at most 10 characters"},
      {Phrase(3, "+-", "x-"), "The separator holds a left-out character"},
      {Phrase(3, "-", "abcdg"),
       "No words are left to draw from once left-out characters are "
       "removed"},
      {noDigit, "No digit is left to add once left-out characters are removed"},
  };
  for (const auto& [request, message] : cases) {
    ScriptedSource source;
    NoticeRecorder notices;
    std::string out = "kept";
    EXPECT_NE(GeneratePassphrases(request, out, notices.Handler(), source, SmallList),
              GenerateOutcome::Done);
    EXPECT_EQ(notices.Shown, std::vector<std::string>{message});
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(source.Draws, 0u);
    EXPECT_EQ(PassphraseBits(request, SmallList), 0);
  }
}
