#include "core/random.h"

#include <gtest/gtest.h>

#include <set>

namespace vaticor {
namespace {

TEST(RandomGenerator, IsTheLinearCongruentialSequence) {
  FixedClock clock(0);
  RandomGenerator random(clock);
  random.SetSeed(0);
  // 0 x 134775813 + 1 = 1; 1 x 134775813 + 1 = 134775814; both far below
  // 2^32 / 22, so both draws over 22 give 0.
  EXPECT_EQ(random.Random(22), 0);
  EXPECT_EQ(random.Seed(), 1u);
  EXPECT_EQ(random.Random(22), 0);
  EXPECT_EQ(random.Seed(), 134775814u);
  // 1000 x 134775813 + 1 = 134775813001 = 31 x 2^32 + 1631826825, and
  // 1631826825 x 78 / 2^32 = 29.6.
  random.SetSeed(1000);
  EXPECT_EQ(random.Random(78), 29);
  EXPECT_EQ(random.Seed(), 1631826825u);
}

TEST(RandomGenerator, SeedsFromTheClockAndStaysInRange) {
  FixedClock clock(12 * 3600 * 1000 + 345);
  RandomGenerator random(clock);
  random.Randomize();
  EXPECT_EQ(random.Seed(), 12u * 3600 * 1000 + 345);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int r = random.Random(78);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 78);
    seen.insert(r);
  }
  EXPECT_EQ(seen.size(), 78u);
  EXPECT_EQ(random.Random(0), 0);
  EXPECT_EQ(random.Random(-3), 0);
}

TEST(SystemClock, IsWithinADay) {
  EXPECT_LT(SystemClock().MillisecondsSinceMidnight(), 24u * 3600 * 1000);
}

}  // namespace
}  // namespace vaticor
