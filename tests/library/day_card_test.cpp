#include "library/day_card.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "library/journal_fake.h"
#include "library/journal_record.h"
#include "library/reading_draw.h"
#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"

namespace vaticor {
namespace {

class DayCardsTest : public ::testing::Test {
 protected:
  // Today's card; each draw gives the next card, so draws are told apart.
  std::optional<std::int32_t> Ask(DayCards& cards, const JournalStore* store) {
    const std::optional<JournalEntry> card = cards.Card(
        store,
        [this](const std::string& moment) {
          JournalEntry entry;
          entry.moment = moment;
          entry.kind = JournalKind::kDayCard;
          entry.positions = {{1, "", ++draws, false, ""}};
          return entry;
        },
        [this](const JournalEntry& entry) { return journal.Add(entry); });
    if (!card) return std::nullopt;
    return card->positions.front().card;
  }
  std::size_t Recorded() const { return journal.Count({}); }

  FixedLocalClock clock{{2024, 3, 14, 9, 30, 5}};
  DayCards cards{clock};
  FakeJournalStore journal;
  int draws = 0;
};

TEST_F(DayCardsTest, OneCardADayRecordedOnceAndFoundAgainByALaterStart) {
  EXPECT_EQ(Ask(cards, &journal), 1);
  clock.now = {2024, 3, 14, 23, 59, 59};
  EXPECT_EQ(Ask(cards, &journal), 1);
  EXPECT_EQ(Recorded(), 1u);
  const JournalEntry stored = journal.List({}, 0, 1).front();
  EXPECT_EQ(stored.moment, "2024-03-14T09:30:05");
  EXPECT_EQ(stored.kind, JournalKind::kDayCard);

  // A later draw of the same day is no card of the day; a second start of
  // the program finds the day's card in the journal.
  JournalEntry draw;
  draw.moment = "2024-03-14T23:00:00";
  draw.positions = {{1, "", 40, false, ""}};
  journal.Add(draw);
  DayCards secondStart(clock);
  EXPECT_EQ(Ask(secondStart, &journal), 1);
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(Recorded(), 2u);
}

TEST_F(DayCardsTest, ANewCardAtLocalMidnightAndTheLocalDateAfterATimeZoneChange) {
  clock.now = {2024, 3, 14, 23, 59, 59};
  EXPECT_EQ(Ask(cards, &journal), 1);
  clock.now = {2024, 3, 15, 0, 0, 0};
  EXPECT_EQ(cards.Today(), "2024-03-15");
  EXPECT_EQ(Ask(cards, &journal), 2);
  // Flown west: the local date is the 14th again, whose card it keeps.
  clock.now = {2024, 3, 14, 22, 0, 0};
  EXPECT_EQ(Ask(cards, &journal), 1);
  clock.now = {2024, 3, 15, 7, 0, 0};
  EXPECT_EQ(Ask(cards, &journal), 2);
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(Recorded(), 2u);
}

TEST_F(DayCardsTest, WithoutAJournalToWriteTheCardIsKeptForTheDayAndRecordedOnceItCanBe) {
  journal.readOnly = true;
  EXPECT_EQ(Ask(cards, &journal), 1);
  EXPECT_EQ(Ask(cards, &journal), 1);
  EXPECT_EQ(Ask(cards, nullptr), 1);
  EXPECT_EQ(Recorded(), 0u);
  clock.now = {2024, 3, 15, 0, 0, 1};
  EXPECT_EQ(Ask(cards, nullptr), 2);
  // The journal writable again (opened after the card was asked for).
  journal.readOnly = false;
  EXPECT_EQ(Ask(cards, &journal), 2);
  EXPECT_EQ(Ask(cards, &journal), 2);
  EXPECT_EQ(Recorded(), 1u);
  EXPECT_EQ(draws, 2);
}

// A card of the day was shown reversed while reversed cards were off, or
// taken from beyond the major arcana while only they were in use.
TEST(DayCardDrawTest, DrawnAsTheMainWindowsOptionsSay) {
  testing::TempDir dir;
  testing::FakePictureLoader loader;
  testing::WriteDeck(dir, "Decks", "Full", {.cards = 78});
  TTaroDecks decks(dir.Path("Decks"), loader);
  decks.LoadDecks();
  decks.SelectDeck(0);
  TTaroDescriptions descriptions(dir.Path("Descriptions"));
  FixedClock clock(0);
  RandomGenerator random(clock);
  TCardsSpreadGenerator picker(random);
  int reversed = 0;
  bool minorArcana = false;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    random.SetSeed(seed);
    const std::int32_t turned = DrawOneCard(random, picker, decks, false, true);
    random.SetSeed(seed);
    EXPECT_EQ(DrawOneCard(random, picker, decks, false, false), std::abs(turned));
    random.SetSeed(seed);
    EXPECT_LT(DrawOneCard(random, picker, decks, true, false), kMajorArcanaCount);
    if (turned < 0) ++reversed;
    if (std::abs(turned) >= kMajorArcanaCount) minorArcana = true;
  }
  EXPECT_GT(reversed, 0);
  EXPECT_TRUE(minorArcana);

  const JournalEntry entry =
      DayCardJournalEntry("2024-03-14T09:30:05", -16, "карта дня", decks, descriptions);
  EXPECT_EQ(entry.kind, JournalKind::kDayCard);
  ASSERT_EQ(entry.positions.size(), 1u);
  EXPECT_EQ(entry.positions[0].card, 16);
  EXPECT_TRUE(entry.positions[0].reversed);
  EXPECT_EQ(entry.deckFolder, "Full");
  EXPECT_EQ(entry.tags, std::vector<std::string>{"карта дня"});
}

}  // namespace
}  // namespace vaticor
