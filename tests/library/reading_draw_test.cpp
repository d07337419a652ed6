#include "library/reading_draw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace vaticor {
namespace {

TEST(ReadingDraw, EligibleCardsAreTheMajorArcanaUnlessALargerDeckIsOpen) {
  EXPECT_EQ(EligibleCards(78, false), 78);
  EXPECT_EQ(EligibleCards(78, true), 22);
  EXPECT_EQ(EligibleCards(23, false), 23);
  EXPECT_EQ(EligibleCards(22, false), 22);
  EXPECT_EQ(EligibleCards(10, false), 22);  // missing cards show nothing
  EXPECT_EQ(EligibleCards(0, false), 22);
}

TEST(ReadingDraw, ADrawIsPinnedByTheSeed) {
  FixedClock clock(0);
  RandomGenerator random(clock);
  TCardsSpreadGenerator picker(random);
  random.SetSeed(12345);
  // Worked out on paper: coin 0, k = 6 of 22 (card 6); coin 0, k = 11 of 21
  // (card 12, 6 being taken); coin 1, k = 6 of 20 (card 7, reversed).
  EXPECT_EQ(DrawReading(random, picker, 22, 3), (std::vector<std::int32_t>{6, 12, -7}));
  // The picker is gathered for every draw and the seed not taken again from
  // the clock: the same seed, the same draw.
  random.SetSeed(12345);
  EXPECT_EQ(DrawReading(random, picker, 22, 3), (std::vector<std::int32_t>{6, 12, -7}));
}

TEST(ReadingDraw, CardsOfADrawAreDistinctAndWithinTheEligible) {
  FixedClock clock(99);
  RandomGenerator random(clock);
  TCardsSpreadGenerator picker(random);
  random.SetSeed(7);
  for (int draw = 0; draw < 500; ++draw) {
    const std::vector<std::int32_t> values = DrawReading(random, picker, 22, 3);
    std::set<std::int32_t> cards;
    for (std::int32_t value : values) {
      EXPECT_LT(std::abs(value), 22);
      cards.insert(std::abs(value));
    }
    EXPECT_EQ(cards.size(), 3u);
  }
}

TEST(ReadingDraw, PastAnExhaustedPickerNoCardIsNamed) {
  FixedClock clock(5);
  RandomGenerator random(clock);
  TCardsSpreadGenerator picker(random);
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    random.SetSeed(seed);
    EXPECT_EQ(DrawReading(random, picker, 1, 3), (std::vector<std::int32_t>{0, kNoCard, kNoCard}));
  }
}

}  // namespace
}  // namespace vaticor
