#include "generator/tests/LcgSource.h"
#include "generator/RandomSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>

TEST(RandomBelow, FollowsTheKnownSequenceFromStateZero) {
  RandomState = 0;
  const uint32_t draws[] = {0, 7, 192, 45, 61, 150};
  const uint32_t states[] = {1, 134775814, 3698175007u, 870078620, 1172187917, 2884733762u};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(RandomBelow(224), draws[i]) << "draw " << i;
    EXPECT_EQ(RandomState, states[i]) << "draw " << i;
  }
}

TEST(RandomBelow, TakesTheHighHalfOfStateTimesRange) {
  RandomState = 0xFFFFFFFE;  // steps to 0xFFFFFFFE * 134775813 + 1
  const uint32_t next = 0xFFFFFFFEu * 134775813u + 1u;
  EXPECT_EQ(RandomBelow(1000), static_cast<uint32_t>((uint64_t(next) * 1000) >> 32));
  RandomState = 0;
  EXPECT_EQ(RandomBelow(0xFFFFFFFF), 0u);  // state 1: 1 * (2^32-1) >> 32
}

TEST(RandomBelow, ZeroRangeGivesZeroAndStillAdvances) {
  RandomState = 0;
  EXPECT_EQ(RandomBelow(0), 0u);
  EXPECT_EQ(RandomState, 1u);
  EXPECT_EQ(RandomBelow(0), 0u);
  EXPECT_EQ(RandomState, 134775814u);
}

TEST(AdvanceRandomState, LandsWhereTheSameNumberOfSingleStepsLands) {
  for (uint32_t start : {0u, 1u, 12345u, 0xDEADBEEFu}) {
    for (uint64_t steps : {0ull, 1ull, 2ull, 3ull, 224ull, 100001ull, 300003ull, 1000000ull}) {
      RandomState = start;
      for (uint64_t i = 0; i < steps; ++i) RandomBelow(224);
      const uint32_t expected = RandomState;
      RandomState = start;
      AdvanceRandomState(steps);
      EXPECT_EQ(RandomState, expected) << start << " + " << steps;
    }
  }
}

TEST(AdvanceRandomState, WrapsWithThePeriodOfTwoToThe32) {
  RandomState = 777;
  AdvanceRandomState(uint64_t(1) << 32);
  EXPECT_EQ(RandomState, 777u);
  AdvanceRandomState((uint64_t(5) << 32) + 3);
  const uint32_t viaLongJump = RandomState;
  RandomState = 777;
  AdvanceRandomState(3);
  EXPECT_EQ(viaLongJump, RandomState);
}

TEST(LcgSource, DrawsAndSkipsThroughTheProcessWideState) {
  LcgSource lcg;
  RandomState = 0;
  EXPECT_EQ(lcg.Below(224), 0u);
  EXPECT_EQ(lcg.Below(224), 7u);
  lcg.Skip(2);  // the third and fourth draws
  EXPECT_EQ(RandomState, 870078620u);
}

namespace {
int fills = 0;
// Every block holds the byte values 0..255 in turn, so each cycle of 256 bytes holds each once.
bool FillWithCycle(unsigned char* data, size_t size) {
  ++fills;
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<unsigned char>(i);
  return true;
}
bool FillFails(unsigned char*, size_t) { return false; }
}  // namespace

// Over whole cycles of byte values, an unbiased mapping hits every result equally often.
TEST(SystemSource, MapsEveryByteCycleToEachResultEquallyOften) {
  for (uint32_t n = 1; n <= 256; ++n) {
    SystemSource source(FillWithCycle);
    const uint32_t perCycle = 256 - 256 % n;  // the bytes that are kept
    std::vector<int> hits(n);
    for (uint32_t i = 0; i < perCycle * 16; ++i) {  // 16 cycles: one block
      const uint32_t v = source.Below(n);
      ASSERT_LT(v, n);
      ++hits[v];
    }
    for (uint32_t v = 0; v < n; ++v)
      ASSERT_EQ(hits[v], int(perCycle / n * 16)) << "range " << n << ", value " << v;
  }
}

TEST(SystemSource, ReadsTheSystemInBlocksOf4KiB) {
  fills = 0;
  SystemSource source(FillWithCycle);
  EXPECT_EQ(fills, 0);
  for (int i = 0; i < 4096; ++i) source.Below(256);
  EXPECT_EQ(fills, 1);
  source.Below(256);
  EXPECT_EQ(fills, 2);
}

TEST(SystemSource, WideRangesStayInRange) {
  SystemSource source;
  for (uint32_t n : {257u, 1000u, 65536u, 3000000000u, 0xFFFFFFFFu})
    for (int i = 0; i < 1000; ++i) ASSERT_LT(source.Below(n), n);
  EXPECT_EQ(source.Below(0), 0u);
  EXPECT_EQ(source.Below(1), 0u);
}

TEST(SystemSource, AFailingSystemGeneratorRaisesAnErrorAndIsNotReplaced) {
  SystemSource source(FillFails);
  try {
    source.Below(224);
    FAIL() << "no error raised";
  } catch (const RandomSourceError& e) {
    EXPECT_STREQ(e.what(), "The system's random number generator failed");
  }
  EXPECT_THROW(source.Below(224), RandomSourceError);  // and again: nothing weaker takes over
}

TEST(SystemSource, PickingManyMapsTheBytesExactlyAsSingleDrawsDo) {
  unsigned char choices[300];
  for (int i = 0; i < 300; ++i) choices[i] = static_cast<unsigned char>(i * 7);
  for (uint32_t n : {1u, 2u, 23u, 94u, 129u, 224u, 256u, 300u}) {
    SystemSource single(FillWithCycle), many(FillWithCycle);
    std::string expected, picked(10000, '?');
    for (char& c : expected.assign(10000, '?')) c = static_cast<char>(choices[single.Below(n)]);
    many.Pick(choices, n, &picked[0], picked.size());
    EXPECT_EQ(picked, expected) << "range " << n;
  }
}

TEST(SystemSource, WipesItsBlockOfRandomBytesWhenItGoes) {
  alignas(SystemSource) unsigned char storage[sizeof(SystemSource)];
  auto* source = new (storage) SystemSource(FillWithCycle);
  source->Below(224);
  source->~SystemSource();
  // The cycle 1, 2, ..., 255 filled the block; none of it may be left.
  unsigned char cycle[255];
  for (int i = 0; i < 255; ++i) cycle[i] = static_cast<unsigned char>(i + 1);
  EXPECT_EQ(std::search(storage, storage + sizeof storage, cycle, cycle + 255),
            storage + sizeof storage);
}
