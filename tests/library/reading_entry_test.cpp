#include "library/reading_entry.h"

#include <gtest/gtest.h>

#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"

namespace vaticor {
namespace {

// The names two installed decks give a few cards, in English and Russian.
const std::vector<CardName> kInstalled = {
    {8, "Strength"},        {11, "Justice"},       {16, "The Tower"},     {8, "Сила"},
    {11, "Справедливость"}, {38, "Three of Cups"}, {38, "Тройка Кубков"}, {77, "King of Pentacles"},
};

// A current deck of 78 cards of the given identities, named "Card N".
EntryDeck DeckOf(std::vector<std::int32_t> identities) {
  EntryDeck deck;
  deck.identities = std::move(identities);
  for (std::size_t card = 0; card < deck.identities.size(); ++card) {
    deck.names.push_back("Card " + std::to_string(card));
  }
  return deck;
}

std::optional<std::int32_t> Typed(std::string_view typed, const EntryDeck& deck) {
  return TypedCard(typed, TypedCardCandidates(typed, kInstalled, deck), deck);
}

// A typed card gave the card of its identity's number rather than the
// current deck's card of that identity, or a short form named a card of a
// deck that has no such card.
TEST(ReadingEntryTest, TypedCardsAreTheCurrentDecksCardsOfTheirIdentity) {
  const EntryDeck common = DeckOf(DeckCardIdentities(78, ""));
  EXPECT_EQ(Typed("3oC", common), 38);
  EXPECT_EQ(Typed("Тройка Кубков", common), 38);
  EXPECT_EQ(Typed("three of cups", common), 38);
  EXPECT_EQ(Typed("KP", common), 77);
  EXPECT_EQ(Typed("K", common), std::nullopt);  // four kings: the reader picks
  EXPECT_EQ(Typed("15oC", common), std::nullopt);

  // Justice and Strength the other way round, and the minor arcana begin
  // with the pentacles: the typed card is this deck's card of it.
  std::string declared = "0,1,2,3,4,5,6,7,11,9,10,8";
  for (int identity = 12; identity < 22; ++identity) declared += "," + std::to_string(identity);
  for (int identity = 64; identity < 78; ++identity) declared += "," + std::to_string(identity);
  for (int identity = 22; identity < 64; ++identity) declared += "," + std::to_string(identity);
  const EntryDeck other = DeckOf(DeckCardIdentities(78, declared));
  EXPECT_EQ(Typed("XI", other), 8);
  EXPECT_EQ(Typed("Strength", other), 11);
  EXPECT_EQ(Typed("Сила", other), 11);
  EXPECT_EQ(Typed("3oC", other), 52);
  EXPECT_EQ(Typed("KP", other), 35);

  // The current deck's own name, typed whole, is that card even where the
  // text would mean others too.
  EntryDeck named = common;
  named.names[49] = "King";
  EXPECT_EQ(Typed("king", named), 49);

  // A deck of another composition: its own names only.
  EntryDeck small = DeckOf({-1, -1, -1});
  small.names = {"Sun", "Moon", "Star of the Sea"};
  EXPECT_EQ(Typed("3oC", small), std::nullopt);
  EXPECT_EQ(Typed("0", small), std::nullopt);
  EXPECT_EQ(Typed("sea", small), 2);
  EXPECT_EQ(TypedCardCandidates("s", kInstalled, small), (std::vector<std::int32_t>{0, 2}));
}

class EnteredReadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDeck(dir, "Decks", "Full", {.cards = 78});
    decks.LoadDecks();
    decks.SelectDeck(0);
  }

  testing::TempDir dir;
  testing::FakePictureLoader loader;
  TTaroDecks decks{dir.Path("Decks"), loader};
  TTaroDescriptions descriptions{dir.Path("Descriptions")};
  FixedScreen screen{1024, 768, 738};
};

// A spread's positions without a meaning were left out of the entry (or of
// its table), the entry was not marked physical, or turns were lost.
TEST_F(EnteredReadingTest, ASpreadIsRecordedWithEveryPositionAndItsTable) {
  EntryLayout layout;
  layout.kind = EntryLayoutKind::kSpreadFile;
  layout.spreadFile = "Cross.spread";
  layout.spread.CardWidth = 90;
  layout.spread.CardHeight = 150;
  layout.spread.Positions = {
      {10, 20, kNoCard, "Прошлое"}, {110, 20, kNoCard, ""}, {210, 20, kNoCard, "Будущее"}};
  const std::vector<EntryPosition> positions = EntryPositions(layout);
  ASSERT_EQ(positions.size(), 3u);
  EXPECT_EQ(positions[1].number, 2);
  EXPECT_EQ(positions[1].meaning, "");

  const EnteredCard cards[] = {{38, true}, {0, false}, {77, false}};
  const JournalEntry entry = EnteredReadingEntry("2024-03-14T09:30:05", layout, cards, "Вопрос?",
                                                 decks, descriptions, screen, "14.03.2024 09:30");
  EXPECT_TRUE(entry.physical);
  EXPECT_EQ(entry.kind, JournalKind::kSpread);
  EXPECT_EQ(entry.spreadFile, "Cross.spread");
  EXPECT_EQ(entry.question, "Вопрос?");
  EXPECT_EQ(entry.deckFolder, "Full");
  ASSERT_EQ(entry.positions.size(), 3u);
  EXPECT_EQ(entry.positions[0], (JournalPosition{1, "Прошлое", 38, true, "Card 38"}));
  EXPECT_EQ(entry.positions[1], (JournalPosition{2, "", 0, false, "Card 0"}));
  EXPECT_EQ(entry.positions[2], (JournalPosition{3, "Будущее", 77, false, "Card 77"}));

  // The table lays the reading out again where the layout put it.
  const SpreadLayout table = ReadSpreadLayout(IniDocument(entry.spreadTable), 50, 80, screen);
  EXPECT_EQ(table.CardWidth, 90);
  ASSERT_EQ(table.Positions.size(), 3u);
  EXPECT_EQ(table.Positions[0], (SpreadPosition{10, 20, -38, "Прошлое"}));
  EXPECT_EQ(table.Positions[1], (SpreadPosition{110, 20, 0, ""}));
  EXPECT_EQ(table.Positions[2], (SpreadPosition{210, 20, 77, "Будущее"}));
}

TEST_F(EnteredReadingTest, ThreeCardsAreAPhysicalDrawWithoutATable) {
  const EntryLayout layout{.kind = EntryLayoutKind::kThreeCards};
  const EnteredCard cards[] = {{5, false}, {0, true}, {21, true}};
  const JournalEntry entry = EnteredReadingEntry("2024-03-14T09:30:05", layout, cards, "", decks,
                                                 descriptions, screen, {});
  EXPECT_TRUE(entry.physical);
  EXPECT_EQ(entry.kind, JournalKind::kDraw);
  EXPECT_TRUE(entry.spreadTable.empty());
  ASSERT_EQ(entry.positions.size(), 3u);
  // Card 0 reversed stays reversed, as the reader laid it.
  EXPECT_EQ(entry.positions[1], (JournalPosition{2, "", 0, true, "Card 0"}));
  EXPECT_EQ(entry.positions[2], (JournalPosition{3, "", 21, true, "Card 21"}));
}

}  // namespace
}  // namespace vaticor
