// Validation, counts, the draw with its cap, grouping and joining.
#include "generator/tests/LcgSource.h"
#include "generator/PasswordGenerator.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <sstream>
#include <tuple>

#include "generator/tests/TestSources.h"

namespace {
const char* const NoClass = "Please select one or several items in Password characters options";
const char* const NoCustom = "No custom characters selected";
const char* const NothingLeft = "All custom characters are excluded as similar characters";

// Counts the draws the deterministic generator makes, by replaying them one at a time.
struct Replay {
  std::string Chars;
  uint32_t StateAfter;
};
Replay ReplayDraws(uint32_t start, const std::string& acceptable, int positions) {
  Replay r{"", 0};
  RandomState = start;
  for (int p = 0; p < positions; ++p) {
    for (;;) {
      const int code = 33 + static_cast<int>(RandomBelow(224));
      if (code < 256 && acceptable.find(static_cast<char>(code)) != std::string::npos) {
        r.Chars += static_cast<char>(code);
        break;
      }
    }
  }
  r.StateAfter = RandomState;
  return r;
}
}  // namespace

TEST(Validation, NothingEnabledShowsTheClassMessageAndChangesNothing) {
  PasswordRequest r = Request(8, 3);
  r.ExcludeSimilar = true;
  r.UseGroups = true;
  r.GroupSize = 4;
  r.CustomCharacters = "abc";  // present but not enabled
  RandomState = 42;
  LcgSource lcg;
  NoticeRecorder notices;
  std::string out = "previous text";
  GeneratePasswords(r, out, notices.Handler(), lcg);
  EXPECT_EQ(notices.Shown, std::vector<std::string>{NoClass});
  EXPECT_EQ(out, "previous text");
  EXPECT_EQ(RandomState, 42u);
}

TEST(Validation, AnEnabledBlankCustomSetFailsTheWholeRequest) {
  for (const std::string& blank :
       {std::string(), std::string(" \r\n\t "), std::string("\0\x01 ", 3)}) {
    for (bool lower : {false, true}) {
      PasswordRequest r = Request(8, 3);
      r.UseCustom = true;
      r.UseLowercase = lower;  // lower-case alone could serve, yet the request fails
      r.CustomCharacters = blank;
      ScriptedSource source;
      NoticeRecorder notices;
      std::string out = "kept";
      GeneratePasswords(r, out, notices.Handler(), source);
      EXPECT_EQ(notices.Shown, std::vector<std::string>{NoCustom});
      EXPECT_EQ(out, "kept");
      EXPECT_EQ(source.Draws, 0u);
    }
  }
}

TEST(Validation, OneCharacterAboveCode32PassesTheCustomCheck) {
  PasswordRequest r = Request(5, 1);
  r.UseCustom = true;
  r.CustomCharacters = " \r\n x \r\n";
  ScriptedSource source({}, DrawFor('x'));
  EXPECT_EQ(Generate(r, source), "xxxxx");
}

TEST(Validation, TheClassCheckComesBeforeTheCustomCheck) {
  PasswordRequest r = Request(8, 1);
  r.UseCustom = true;
  r.CustomCharacters = "";
  ScriptedSource source;
  NoticeRecorder notices;
  std::string out;
  GeneratePasswords(r, out, notices.Handler(), source);
  ASSERT_EQ(notices.Shown.size(), 1u);  // UseCustom counts as a class, so only the custom message
  EXPECT_EQ(notices.Shown[0], NoCustom);
}

TEST(Validation, AFailingRandomSourceLeavesTheOutputUntouched) {
  struct Failing : RandomSource {
    int Left = 5;
    uint32_t Below(uint32_t) override {
      if (--Left < 0) throw std::runtime_error("no randomness");
      return 7;
    }
  } failing;
  PasswordRequest r = Request(4, 3);
  r.UseDigits = true;
  std::string out = "before";
  EXPECT_THROW(Generate(r, failing), std::runtime_error);
  EXPECT_THROW(GeneratePasswords(
                   r, out, [](const std::string&) {}, failing),
               std::runtime_error);
  EXPECT_EQ(out, "before");
}

TEST(PasswordCount, ZeroOrNegativeGivesEmptyTextWithoutAMessageOrDraws) {
  for (int count : {0, -1, -1000}) {
    PasswordRequest r = Request(8, count);
    r.UseDigits = true;
    ScriptedSource source;
    std::string out = "old";
    GeneratePasswords(
        r, out, [](const std::string& t) { FAIL() << t; }, source);
    EXPECT_EQ(out, "") << count;
    EXPECT_EQ(source.Draws, 0u);
  }
}

TEST(PasswordCount, PasswordsAreJoinedByCrLfWithNoneAfterTheLast) {
  PasswordRequest r = Request(2, 1);
  r.UseDigits = true;
  ScriptedSource one({DrawFor('1'), DrawFor('2')});
  EXPECT_EQ(Generate(r, one), "12");
  r.PasswordCount = 3;
  ScriptedSource three(
      {DrawFor('1'), DrawFor('2'), DrawFor('3'), DrawFor('4'), DrawFor('5'), DrawFor('6')});
  EXPECT_EQ(Generate(r, three), "12\r\n34\r\n56");
}

TEST(PasswordCount, MadeInSlicesThePasswordsAreThoseOfOneGo) {
  PasswordRequest r = Request(2, 3);
  r.UseDigits = true;
  ScriptedSource draws({1, 2, 3, 4, 5, 6}, 0, true);  // straight from the digits
  PasswordMaker maker(r, {});
  for (int32_t slice : {1, 0, 5}) maker.MakeMore(slice, draws);
  std::string text;
  maker.TakeText(text);
  EXPECT_EQ(text, "12\r\n34\r\n56");
}

TEST(PasswordLength, ZeroOrNegativeGivesEmptyPasswordsBetweenLineBreaks) {
  for (int length : {0, -5}) {
    PasswordRequest r = Request(length, 4);
    r.UseLowercase = true;
    r.UseGroups = true;
    r.GroupSize = 1;
    ScriptedSource source;
    EXPECT_EQ(Generate(r, source), "\r\n\r\n\r\n") << length;
    EXPECT_EQ(source.Draws, 0u);
  }
}

TEST(Draw, FromStateZeroTheDeterministicGeneratorGivesTheKnownSymbols) {
  // Draws 0, 7, 192, 45, 61 are the codes '!', '(', 225, 'N', '^': three symbols in five draws.
  PasswordRequest r = Request(3, 1);
  r.UseSpecial = true;
  RandomState = 0;
  LcgSource lcg;
  EXPECT_EQ(Generate(r, lcg), "!(^");
  EXPECT_EQ(RandomState, 1172187917u);
}

TEST(Draw, EveryDrawAdvancesTheDeterministicStateOnce) {
  PasswordRequest r = Request(40, 5);
  r.UseDigits = true;
  r.UseCustom = true;
  r.CustomCharacters = "Kk\xE9";
  const Replay expected = ReplayDraws(987654321, "0123456789Kk\xE9", 200);
  RandomState = 987654321;
  LcgSource lcg;
  const std::string out = Generate(r, lcg);
  std::string chars;
  for (char c : out)
    if (c != '\r' && c != '\n') chars += c;
  EXPECT_EQ(chars, expected.Chars);
  EXPECT_EQ(RandomState, expected.StateAfter);
}

TEST(Validation, ACustomSetOfOnlyLookAlikesIsRefusedWithItsOwnMessage) {
  PasswordRequest r = Request(3, 4);
  r.UseCustom = true;
  r.CustomCharacters = "i l\r\n1";
  r.ExcludeSimilar = true;
  RandomState = 5551212;
  LcgSource lcg;
  NoticeRecorder notices;
  std::string out = "kept";
  EXPECT_EQ(GeneratePasswords(r, out, notices.Handler(), lcg), GenerateOutcome::NothingAcceptable);
  EXPECT_EQ(notices.Shown, std::vector<std::string>{NothingLeft});
  EXPECT_EQ(out, "kept");
  EXPECT_EQ(RandomState, 5551212u);
}

TEST(Draw, AnUnbiasedSourceDrawsStraightFromTheAcceptableCodesOncePerCharacter) {
  PasswordRequest r = Request(4, 1);
  r.UseLowercase = true;
  r.ExcludeSimilar = true;  // 23 letters: a..h, j, k, m, n, p..z
  ScriptedSource direct({0, 8, 10, 22}, 0, true);
  EXPECT_EQ(Generate(r, direct), "ajmz");
  EXPECT_EQ(direct.Ranges, std::vector<uint32_t>(4, 23));
}

TEST(Draw, AnUnbiasedSourcesPasswordsAreGroupedToo) {
  PasswordRequest r = Request(5, 2);
  r.UseLowercase = true;
  r.UseGroups = true;
  r.GroupSize = 2;
  ScriptedSource direct({0, 1, 2, 3, 4, 25, 24, 23, 22, 21}, 0, true);
  EXPECT_EQ(Generate(r, direct), "ab-cd-e\r\nzy-xw-v");
}

TEST(Validation, AnImpossibleSetIsRefusedBeforeTheSystemIsAskedEvenForNoPasswords) {
  PasswordRequest r = Request(100, 0);
  r.UseCustom = true;
  r.CustomCharacters = "o0";
  r.ExcludeSimilar = true;
  SystemSource unreadable([](unsigned char*, size_t) { return false; });
  NoticeRecorder notices;
  std::string out;
  EXPECT_EQ(GeneratePasswords(r, out, notices.Handler(), unreadable),
            GenerateOutcome::NothingAcceptable);
  EXPECT_EQ(notices.Shown, std::vector<std::string>{NothingLeft});
}

TEST(Grouping, PutsADashAfterEveryGroupButNeverAtTheEnds) {
  struct Case {
    int Length, Size;
    bool Use;
    const char* Expected;
  };
  const Case cases[] = {
      {8, 4, true, "abcd-efgh"}, {9, 4, true, "abcd-efgh-i"}, {4, 1, true, "a-b-c-d"},
      {5, 5, true, "abcde"},     {5, 6, true, "abcde"},       {5, 0, true, "abcde"},
      {5, -2, true, "abcde"},    {8, 4, false, "abcdefgh"},   {1, 1, true, "a"},
      {0, 3, true, ""},          {7, 3, true, "abc-def-g"},   {6, 3, true, "abc-def"},
  };
  for (const Case& c : cases) {
    PasswordRequest r = Request(c.Length, 2);
    r.UseLowercase = true;
    r.UseGroups = c.Use;
    r.GroupSize = c.Size;
    std::vector<uint32_t> script;
    for (int pass = 0; pass < 2; ++pass)
      for (int i = 0; i < c.Length; ++i) script.push_back(DrawFor('a' + i));
    ScriptedSource source(script);
    EXPECT_EQ(Generate(r, source), std::string(c.Expected) + "\r\n" + c.Expected)
        << c.Length << "/" << c.Size;
  }
}

TEST(Grouping, ADrawnHyphenStaysBesideTheSeparator) {
  PasswordRequest r = Request(4, 1);
  r.UseSpecial = true;
  r.UseGroups = true;
  r.GroupSize = 2;
  ScriptedSource source({DrawFor('#'), DrawFor('-'), DrawFor('-'), DrawFor('+')});
  EXPECT_EQ(Generate(r, source), "#---+");
}

// A stand-in double-byte code page: bytes 0x81 and up lead a character of two bytes.
size_t DoubleByte(const char* text, size_t left) {
  if (static_cast<unsigned char>(text[0]) < 0x81) return 1;
  return left >= 2 ? 2 : 0;
}

TEST(MultiByteCharacters, ACustomCharacterIsDrawnWholeAndItsTrailByteNeverAlone) {
  // "\x95\x5C" ends in the byte of a backslash, which is not in the set by itself.
  PasswordRequest r = Request(4, 1);
  r.UseCustom = true;
  r.CustomCharacters = "\x95\x5C\x82\xA0\x95\x5C\x82";  // the last lead byte has no trail
  r.UseGroups = true;
  r.GroupSize = 2;
  EXPECT_EQ(BuildCodeTable(r, DoubleByte).Count, 0u);
  ScriptedSource source({0, 1, 0, 1}, 0, true);
  std::string out;
  GeneratePasswords(
      r, out, [](const std::string& t) { FAIL() << t; }, source, DoubleByte);
  EXPECT_EQ(out, "\x95\x5C\x82\xA0-\x95\x5C\x82\xA0");
  EXPECT_EQ(source.Ranges, std::vector<uint32_t>(4, 2));
}

// This test binary's allocations, through malloc, so that a freed block can be searched for four
// bytes the passwords hold (two characters; the set holds each once) while `FreedMarker` is set.
static const char* FreedMarker = nullptr;
static int MarkedFrees = 0;
void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  const char* block = static_cast<const char*>(p);
  const size_t size = p ? malloc_usable_size(p) : 0;
  if (FreedMarker && std::search(block, block + size, FreedMarker, FreedMarker + 4) != block + size)
    ++MarkedFrees;
  std::free(p);
}

TEST(MultiByteCharacters, TheTextGrowsWithoutFreeingAnUnwipedCopy) {
  PasswordRequest r = Request(16, 1000);
  r.UseCustom = true;
  r.CustomCharacters = "\x82\xA0";  // two bytes a character: twice the room of single bytes
  SystemSource source;
  std::string out;
  FreedMarker = "\x82\xA0\x82\xA0";
  GeneratePasswords(
      r, out, [](const std::string& t) { FAIL() << t; }, source, DoubleByte);
  EXPECT_EQ(MarkedFrees, 0);
  std::string().swap(out);  // the passwords' own buffer: seen, so the search works
  FreedMarker = nullptr;
  EXPECT_EQ(MarkedFrees, 1);
}

TEST(MultiByteCharacters, AnUnbiasedSourceDrawsFromSingleBytesAndWholeCharactersAlike) {
  PasswordRequest r = Request(3, 1);
  r.UseDigits = true;
  r.UseCustom = true;
  r.CustomCharacters = "\x82\xA0";
  ScriptedSource direct({0, 10, 9}, 0, true);
  std::string out;
  GeneratePasswords(
      r, out, [](const std::string& t) { FAIL() << t; }, direct, DoubleByte);
  EXPECT_EQ(out,
            "0\x82\xA0"
            "9");
  EXPECT_EQ(direct.Ranges, std::vector<uint32_t>(3, 11));
}

// Every password of four characters from !, 0..9 and x in turn, as a direct source's draws, with
// the other symbols left out and a custom set that shares the 5: keeping exactly the qualifying
// passwords shows each once (placing one of each and shuffling would make !x55 likelier than
// !xx5); their number is the strength.
TEST(OneOfEach, EveryQualifyingPasswordIsEquallyLikelyEvenWithOverlappingSets) {
  std::vector<uint32_t> script;
  std::vector<std::string> qualifying;
  for (int tuple = 0; tuple < 12 * 12 * 12 * 12; ++tuple) {
    std::string p;
    for (int rest = tuple; p.size() < 4; rest /= 12) {
      script.push_back(static_cast<uint32_t>(rest % 12));
      p += "!0123456789x"[rest % 12];
    }
    if (p.find('!') != p.npos && p.find_first_of("x5") != p.npos &&
        p.find_first_of("0123456789") != p.npos)
      qualifying.push_back(p);
  }
  PasswordRequest r = Request(4, static_cast<int>(qualifying.size()));
  r.UseDigits = r.UseSpecial = r.UseCustom = r.AtLeastOneOfEach = true;
  r.CustomCharacters = "x5";
  r.LeaveOut = "\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
  ScriptedSource source(script, 0, true);
  std::vector<std::string> made;
  std::istringstream lines(Generate(r, source));
  for (std::string line; std::getline(lines, line);) made.push_back(line.substr(0, 4));
  EXPECT_EQ(made, qualifying);
  EXPECT_NEAR(PasswordBits(r), std::log2(double(qualifying.size())), 1e-9);
}

const char* const TooRare = "Passwords that hold one of each chosen set are too rare with these";

TEST(OneOfEach, ASourceThatNeverQualifiesStopsAtTheCapWithAMessage) {
  PasswordRequest r = Request(2, 1);
  r.UseLowercase = r.UseDigits = r.AtLeastOneOfEach = true;
  ScriptedSource zeros({}, 0, true);  // "00" for ever
  NoticeRecorder notices;
  std::string out = "kept";
  EXPECT_EQ(GeneratePasswords(r, out, notices.Handler(), zeros), GenerateOutcome::CannotMeet);
  EXPECT_EQ(zeros.Draws, 2u << 22);
  EXPECT_EQ(notices.Shown.at(0).rfind(TooRare, 0), 0u);
  EXPECT_EQ(out, "kept");
}

TEST(Validation, RequestsThatCannotBeMetAreRefusedBeforeAnyDraw) {
  std::string high;  // 128 custom characters beside a letter of each case, a digit and 32 symbols
  for (int c = 128; c < 256; ++c) high += static_cast<char>(c);
  const std::string lower = "bcdefghjkmnpqrstuvwxyz", upper = "BCDEFGHJKLMNOPQRSTUVWXYZ";
  const std::tuple<int, bool, std::string, std::string, const char*> cases[] = {
      {2, true, "", "", "The password length is less than the number of chosen character sets"},
      {8, true, "", "il", "No custom characters are left once similar and left-out characters"},
      {8, false, "a" + lower + "A" + upper + "23456789", "",
       "No characters are left to draw from once similar and left-out characters are removed"},
      {9, false, "a" + lower + "A" + upper + "0123456789iloI", "",
       "No characters are left to draw from once left-out characters are removed"},
      {5, true, lower + upper + "3456789", high, TooRare},
      {8, false, "-", "", "Groups are joined by \"-\", which is a left-out character"},
  };
  for (const auto& [length, oneOfEach, leaveOut, custom, message] : cases) {
    PasswordRequest r = Request(length, 2);
    r.UseLowercase = r.UseUppercase = r.UseDigits = r.ExcludeSimilar = true;
    r.ExcludeSimilar = length != 9;
    r.UseSpecial = length == 5;
    r.UseCustom = !custom.empty();
    r.CustomCharacters = custom;
    r.AtLeastOneOfEach = oneOfEach;
    r.LeaveOut = leaveOut;
    r.UseGroups = true, r.GroupSize = 7;  // a dash in every password
    ScriptedSource source;
    NoticeRecorder notices;
    std::string out = "kept";
    GeneratePasswords(r, out, notices.Handler(), source);
    ASSERT_EQ(notices.Shown.size(), 1u) << message;
    EXPECT_EQ(notices.Shown[0].rfind(message, 0), 0u) << notices.Shown[0];
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(source.Draws, 0u);
    EXPECT_EQ(PasswordBits(r), 0);
  }
}

TEST(LeaveOut, RemovesCharactersFromEverySetTheCustomSetAndWholeCharactersIncluded) {
  PasswordRequest r = Request(3, 1);
  r.UseDigits = r.UseCustom = true;
  r.CustomCharacters = "xy\x82\xA0\x95\x5C";
  r.LeaveOut = "0123456789y\x82\xA0";
  ScriptedSource direct({0, 1, 0}, 0, true);
  std::string out;
  GeneratePasswords(
      r, out, [](const std::string& t) { FAIL() << t; }, direct, DoubleByte);
  EXPECT_EQ(out, "x\x95\x5Cx");
  EXPECT_EQ(direct.Ranges, std::vector<uint32_t>(3, 2));
}

TEST(Strength, CountsThePasswordsTheOptionsCanMakeInBits) {
  PasswordRequest r = Request(8, 1);
  r.UseLowercase = r.UseGroups = true;  // dashes add nothing
  r.GroupSize = 4;
  EXPECT_EQ(StrengthBits(r), 38);  // 8 x log2 26 = 37.6
  r.LeaveOut = "abc";
  EXPECT_NEAR(PasswordBits(r), 8 * std::log2(23.0), 1e-9);
  r.UseUppercase = r.UseDigits = r.UseSpecial = r.ExcludeSimilar = true;
  r.PasswordLength = 16;
  EXPECT_NEAR(PasswordBits(r), 16 * std::log2(23 + 25 + 8 + 32 - 3.0), 1e-9);
  std::string words;
  for (int bits : {39, 40, 63, 64, 79, 80}) words += StrengthWord(bits) + std::string(",");
  EXPECT_EQ(words, "weak,fair,fair,strong,strong,very strong,");
}

TEST(Request, EqualOnlyWhenEveryFieldIs) {
  std::vector<PasswordRequest> changed(13);
  changed[0].PasswordLength = 1;
  changed[1].UseLowercase = true;
  changed[2].UseUppercase = true;
  changed[3].UseDigits = true;
  changed[4].UseSpecial = true;
  changed[5].ExcludeSimilar = true;
  changed[6].PasswordCount = 1;
  changed[7].UseCustom = true;
  changed[8].CustomCharacters = "x";
  changed[9].UseGroups = true;
  changed[10].GroupSize = 1;
  changed[11].AtLeastOneOfEach = true;
  changed[12].LeaveOut = "x";
  for (size_t i = 0; i < changed.size(); ++i) EXPECT_FALSE(changed[i] == PasswordRequest()) << i;
  EXPECT_TRUE(changed[12] == changed[12]);
}
