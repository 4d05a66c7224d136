// Which drawn codes each class and the custom set accept, and the look-alike veto.
#include <gtest/gtest.h>

#include "generator/tests/TestSources.h"

namespace {
// Scripts `code` once, then an unacceptable filler: true when the code came out as the password,
// false when the generator could not draw it.
bool Accepts(PasswordRequest r, int code, int filler = 32 + 224) {
  r.PasswordLength = 1;
  r.PasswordCount = 1;
  ScriptedSource source({DrawFor(code)}, DrawFor(filler));
  std::string out;
  try {
    out = Generate(r, source);
  } catch (const NoAcceptableCode&) {
    return false;
  }
  EXPECT_EQ(out, std::string(1, static_cast<char>(code & 0xFF))) << "code " << code;
  EXPECT_EQ(source.Draws, 1u) << "code " << code;
  return true;
}

PasswordRequest Only(bool PasswordRequest::*flag) {
  PasswordRequest r = Request(1, 1);
  r.*flag = true;
  return r;
}

struct Edge {
  int Code;
  bool Digit, Upper, Lower, Special;
};
// The code 256 filler must never be acceptable here, so it is left out of these rows.
const Edge Edges[] = {
    {33, 0, 0, 0, 1},  {47, 0, 0, 0, 1},  {48, 1, 0, 0, 0},  {57, 1, 0, 0, 0},  {58, 0, 0, 0, 1},
    {64, 0, 0, 0, 1},  {65, 0, 1, 0, 0},  {90, 0, 1, 0, 0},  {91, 0, 0, 0, 1},  {96, 0, 0, 0, 1},
    {97, 0, 0, 1, 0},  {122, 0, 0, 1, 0}, {123, 0, 0, 0, 1}, {126, 0, 0, 0, 1}, {127, 0, 0, 0, 0},
    {128, 0, 0, 0, 0}, {255, 0, 0, 0, 0},
};
}  // namespace

TEST(CharacterClasses, EachClassAcceptsExactlyItsCodesAtTheEdges) {
  for (const Edge& e : Edges) {
    EXPECT_EQ(Accepts(Only(&PasswordRequest::UseDigits), e.Code), e.Digit) << e.Code;
    EXPECT_EQ(Accepts(Only(&PasswordRequest::UseUppercase), e.Code), e.Upper) << e.Code;
    EXPECT_EQ(Accepts(Only(&PasswordRequest::UseLowercase), e.Code), e.Lower) << e.Code;
    EXPECT_EQ(Accepts(Only(&PasswordRequest::UseSpecial), e.Code), e.Special) << e.Code;
  }
}

TEST(CharacterClasses, DeleteAndCode256BelongToNoClass) {
  PasswordRequest all = Request(1, 1);
  all.UseDigits = all.UseUppercase = all.UseLowercase = all.UseSpecial = true;
  EXPECT_FALSE(Accepts(all, 127));
  EXPECT_FALSE(Accepts(all, 256, 127));
  EXPECT_EQ(BuildCodeTable(all).Count, 94u);
}

TEST(CharacterClasses, Code256IsCharacterZeroAndComesOnlyFromACustomZero) {
  PasswordRequest r = Only(&PasswordRequest::UseCustom);
  r.CustomCharacters = std::string("x\0", 2);
  EXPECT_TRUE(Accepts(r, 256, 127));
  r.CustomCharacters = "x";
  EXPECT_FALSE(Accepts(r, 256, 127));
}

TEST(CustomCharacters, MatchByExactByteSoCaseCounts) {
  PasswordRequest r = Only(&PasswordRequest::UseCustom);
  r.CustomCharacters = "A";
  EXPECT_TRUE(Accepts(r, 'A'));
  EXPECT_FALSE(Accepts(r, 'a'));
  r.CustomCharacters = "a";
  EXPECT_FALSE(Accepts(r, 'A'));
}

TEST(CustomCharacters, BytesAbove127ComeOnlyThroughTheCustomSet) {
  PasswordRequest r = Only(&PasswordRequest::UseCustom);
  r.CustomCharacters = "\x80\xE9\xFF";
  for (int code : {128, 233, 255}) EXPECT_TRUE(Accepts(r, code)) << code;
  EXPECT_FALSE(Accepts(r, 200));
  r.UseCustom = false;
  r.UseSpecial = true;
  for (int code : {128, 233, 255}) EXPECT_FALSE(Accepts(r, code)) << code;
}

TEST(CustomCharacters, UseCustomOffIgnoresTheText) {
  PasswordRequest r = Only(&PasswordRequest::UseDigits);
  r.CustomCharacters = "xyz";
  EXPECT_FALSE(Accepts(r, 'x'));
}

TEST(CustomCharacters, BlanksAndLineBreaksInsideTheTextAreHarmless) {
  PasswordRequest r = Only(&PasswordRequest::UseCustom);
  r.CustomCharacters = " \r\n\tq \r\n";
  EXPECT_TRUE(Accepts(r, 'q'));
  EXPECT_EQ(BuildCodeTable(r).Count, 1u);  // blanks and breaks are never drawn
}

TEST(CustomCharacters, RepeatsAndOverlapWithAClassAddNoWeight) {
  PasswordRequest lower = Only(&PasswordRequest::UseLowercase);
  PasswordRequest both = lower;
  both.UseCustom = true;
  both.CustomCharacters = "aaaaaaaazz";
  const CodeTable a = BuildCodeTable(lower), b = BuildCodeTable(both);
  ASSERT_EQ(a.Count, 26u);
  ASSERT_EQ(b.Count, 26u);
  EXPECT_EQ(std::string(a.Acceptable, a.Acceptable + 26), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(std::string(b.Acceptable, b.Acceptable + 26), "abcdefghijklmnopqrstuvwxyz");
}

TEST(LookAlikes, ExclusionVetoesExactlyTheSixLookAlikes) {
  PasswordRequest r = Request(1, 1);
  r.UseDigits = r.UseUppercase = r.UseLowercase = r.UseSpecial = true;
  r.ExcludeSimilar = true;
  for (int code : {'0', '1', 'I', 'i', 'l', 'o'}) EXPECT_FALSE(Accepts(r, code)) << char(code);
  for (int code : {'O', '|', '2', 'L', 'j', 'J', 'L', 'O'})
    EXPECT_TRUE(Accepts(r, code)) << char(code);
  EXPECT_EQ(BuildCodeTable(r).Count, 88u);
}

TEST(LookAlikes, ClassSizesUnderExclusion) {
  auto count = [](bool PasswordRequest::*flag) {
    PasswordRequest r = Only(flag);
    r.ExcludeSimilar = true;
    return BuildCodeTable(r).Count;
  };
  EXPECT_EQ(count(&PasswordRequest::UseLowercase), 23u);
  EXPECT_EQ(count(&PasswordRequest::UseUppercase), 25u);
  EXPECT_EQ(count(&PasswordRequest::UseDigits), 8u);
  EXPECT_EQ(count(&PasswordRequest::UseSpecial), 32u);
}

TEST(LookAlikes, ExclusionAlsoVetoesThemWhenTheyComeFromTheCustomSet) {
  PasswordRequest r = Only(&PasswordRequest::UseCustom);
  r.CustomCharacters = "il1xO";
  r.ExcludeSimilar = true;
  EXPECT_FALSE(Accepts(r, 'i'));
  EXPECT_FALSE(Accepts(r, '1'));
  EXPECT_TRUE(Accepts(r, 'x'));
  EXPECT_TRUE(Accepts(r, 'O'));
  r.ExcludeSimilar = false;
  EXPECT_TRUE(Accepts(r, 'i'));
  EXPECT_TRUE(Accepts(r, '1'));
}
