#include "core/random.h"

#include <gtest/gtest.h>

#include <set>

namespace vaticor {
namespace {

class StoppedClock : public Clock {
 public:
  explicit StoppedClock(std::uint32_t ms) : ms_(ms) {}
  std::uint32_t MillisecondsSinceMidnight() const override { return ms_; }

 private:
  std::uint32_t ms_;
};

TEST(RandomGenerator, IsTheLinearCongruentialSequence) {
  StoppedClock clock(0);
  RandomGenerator random(clock);
  random.SetSeed(0);
  // seed 1: 1 * 22 >> 32 = 0; seed 134775814: upper bits of 134775814 * 22
  EXPECT_EQ(random.Random(22), 0);
  EXPECT_EQ(random.Seed(), 1u);
  EXPECT_EQ(random.Random(22), static_cast<std::int32_t>((134775814ull * 22) >> 32));
  EXPECT_EQ(random.Seed(), 134775814u);
}

TEST(RandomGenerator, SeedsFromTheClockAndStaysInRange) {
  StoppedClock clock(12 * 3600 * 1000 + 345);
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
