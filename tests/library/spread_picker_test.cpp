#include "library/spread_picker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vaticor {
namespace {

class PickerTest : public ::testing::Test {
 protected:
  FixedClock clock{4242};
  RandomGenerator random{clock};
  TCardsSpreadGenerator picker{random};
};

TEST_F(PickerTest, DrawsEverySlotOnceThenNamesNoCard) {
  picker.InitGenerator(3);
  EXPECT_EQ(random.Seed(), 4242u);  // seeded from the clock
  std::vector<int> drawn;
  for (int i = 0; i < 3; ++i) drawn.push_back(picker.NextCard());
  std::sort(drawn.begin(), drawn.end());
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(picker.Remaining, 0);
  EXPECT_EQ(picker.NextCard(), kNoCard);
  EXPECT_EQ(picker.Remaining, 0);
}

TEST_F(PickerTest, ResetGathersTheDeck) {
  picker.InitGenerator(78);
  picker.NextCard();
  picker.ResetGenerator();
  EXPECT_EQ(picker.Remaining, 78);
  EXPECT_EQ(std::count(picker.Used.begin(), picker.Used.end(), true), 0);
}

TEST_F(PickerTest, TheKthFreeSlotIsDrawn) {
  picker.InitGenerator(4);
  picker.Used = {true, false, true, false};
  picker.Remaining = 2;
  // 16 x 134775813 + 1 = 2156413009, past 2^31: a draw over 2 gives k = 1,
  // the second free slot.
  random.SetSeed(16);
  EXPECT_EQ(picker.NextCard(), 3);
  EXPECT_EQ(picker.Remaining, 1);
}

TEST_F(PickerTest, SeedsOnlyOnceAndNeverRepeatsWithinADeal) {
  picker.InitGenerator(78);
  for (int round = 0; round < 3; ++round) {
    std::vector<bool> seen(78, false);
    for (int i = 0; i < 78; ++i) {
      const int slot = picker.NextCard();
      ASSERT_GE(slot, 0);
      ASSERT_LT(slot, 78);
      ASSERT_FALSE(seen[static_cast<std::size_t>(slot)]) << "slot " << slot << " twice";
      seen[static_cast<std::size_t>(slot)] = true;
    }
    picker.ResetGenerator();
  }
}

TEST_F(PickerTest, AnEmptyPickerIsAlwaysExhausted) {
  picker.InitGenerator(0);
  EXPECT_EQ(picker.NextCard(), kNoCard);
  picker.InitGenerator(-5);
  EXPECT_EQ(picker.Count, 0);
  EXPECT_EQ(picker.NextCard(), kNoCard);
  TCardsSpreadGenerator fresh(random);
  EXPECT_EQ(fresh.NextCard(), kNoCard);
}

}  // namespace
}  // namespace vaticor
