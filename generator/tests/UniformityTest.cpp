// The system source makes every acceptable character equally likely. Chi-square tests with a fixed
// sample; each threshold is the value a fair source exceeds with probability 1e-6.
#include <gtest/gtest.h>

#include <map>

#include "generator/tests/TestSources.h"

namespace {
double ChiSquare(const std::map<unsigned char, long>& counts, size_t categories, long total) {
  const double expected = double(total) / double(categories);
  double sum = 0;
  for (const auto& [c, n] : counts) sum += (n - expected) * (n - expected) / expected;
  return sum + double(categories - counts.size()) * expected;  // categories never seen
}

std::map<unsigned char, long> CountCharacters(const PasswordRequest& r) {
  SystemSource system;
  std::map<unsigned char, long> counts;
  for (char c : Generate(r, system))
    if (c != '\r' && c != '\n') ++counts[static_cast<unsigned char>(c)];
  return counts;
}
}  // namespace

TEST(Uniformity, AllFourClassesAreDrawnEvenly) {
  PasswordRequest r = Request(1000, 940);  // 10000 per character
  r.UseLowercase = r.UseUppercase = r.UseDigits = r.UseSpecial = true;
  const auto counts = CountCharacters(r);
  EXPECT_EQ(counts.size(), 94u);
  EXPECT_LT(ChiSquare(counts, 94, 940000), 172.75);  // 93 degrees of freedom
}

TEST(Uniformity, ACustomCharacterRepeatedAndAlsoInAClassIsNoMoreLikely) {
  PasswordRequest r = Request(1000, 240);  // 10000 per character
  r.UseLowercase = true;
  r.ExcludeSimilar = true;
  r.UseCustom = true;
  r.CustomCharacters = "aaaaaaaa\xE9\xE9";  // 23 letters and one byte above 127
  const auto counts = CountCharacters(r);
  EXPECT_EQ(counts.size(), 24u);
  EXPECT_LT(ChiSquare(counts, 24, 240000), 70.55);  // 23 degrees of freedom
}

TEST(Uniformity, WideRangesAreUnbiasedToo) {
  // Without rejection, 3 * 2^30 values from 2^32 would make every third value twice as likely.
  SystemSource system;
  std::map<unsigned char, long> counts;
  for (int i = 0; i < 300000; ++i) ++counts[static_cast<unsigned char>(system.Below(3u << 30) % 3)];
  EXPECT_LT(ChiSquare(counts, 3, 300000), 27.64);  // 2 degrees of freedom
}
