#include "library/reading_draw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"

namespace vaticor {
namespace {

// A deck listing 22 cards of which 14 pictures existed gave an empty card
// in half the draws, each logged as a real card.
TEST(ReadingDraw, OnlyCardsWhosePictureIsPresentAreEligible) {
  testing::TempDir dir;
  testing::FakePictureLoader loader;
  TTaroDecks decks(dir.Path("Decks"), loader);
  const std::string small = testing::WriteDeck(dir, "Decks", "a-small");
  for (int card = 14; card < 22; ++card) {
    std::filesystem::remove(small + "/" + std::to_string(card) + ".jpg");
  }
  const std::string full = testing::WriteDeck(dir, "Decks", "b-full", {.cards = 78});
  std::filesystem::remove(full + "/3.jpg");
  std::filesystem::remove(full + "/40.jpg");
  decks.LoadDecks();

  EXPECT_EQ(EligibleCards(decks, false), 14);
  EXPECT_EQ(EligibleCards(decks, true), 14);
  for (std::int32_t position = 0; position < 14; ++position) {
    EXPECT_TRUE(decks.GetCardPictureFile(position)) << position;
  }
  decks.SelectDeck(1);
  EXPECT_EQ(EligibleCards(decks, false), 76);
  EXPECT_EQ(EligibleCards(decks, true), 21);
  EXPECT_TRUE(decks.GetCardPictureFile(75));
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
