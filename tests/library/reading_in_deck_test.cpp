#include "library/reading_in_deck.h"

#include <gtest/gtest.h>

#include "core/screen.h"
#include "library/spread_file.h"

namespace vaticor {
namespace {

JournalPosition At(int number, std::int32_t card, bool reversed, std::string name = {}) {
  JournalPosition position;
  position.number = number;
  position.card = card;
  position.reversed = reversed;
  position.cardName = std::move(name);
  return position;
}

std::vector<std::int32_t> Cards(const JournalEntry& entry) {
  std::vector<std::int32_t> cards;
  for (const JournalPosition& position : entry.positions) cards.push_back(position.card);
  return cards;
}

// Justice (11) and Strength (8) the other way round, the rest in the
// common order.
std::vector<std::int32_t> SwappedDeck() {
  std::vector<std::int32_t> identities = DeckCardIdentities(78, "");
  std::swap(identities[8], identities[11]);
  return identities;
}

// A card was laid by its place in the recorded deck rather than by what it
// is, or a card without an identity was taken for the other deck's card
// without one.
TEST(ReadingInDeckTest, EachCardBecomesTheOtherDecksCardOfItsIdentityInItsTurn) {
  JournalEntry entry;
  entry.positions = {At(1, 8, true), At(2, 11, false), At(3, 40, true)};
  const ReadingInDeck swapped =
      ReadingInOtherDeck(entry, IdentitiesByPosition(DeckCardIdentities(78, "")), SwappedDeck());
  EXPECT_EQ(Cards(swapped.entry), (std::vector<std::int32_t>{11, 8, 40}));
  EXPECT_TRUE(swapped.entry.positions[0].reversed);
  EXPECT_FALSE(swapped.entry.positions[1].reversed);
  EXPECT_TRUE(swapped.unmatched.empty());

  // Card 1 of the recorded deck has no identity, nor has position 1 of the
  // other: neither stands for the other.
  const std::vector<std::int32_t> partly = {0, -1, 2};
  entry.positions = {At(1, 1, false), At(2, 2, false)};
  const ReadingInDeck none = ReadingInOtherDeck(entry, IdentitiesByPosition(partly), partly);
  EXPECT_EQ(none.unmatched, std::vector<std::int32_t>{1});
  // A card past the recorded deck's last is not known either.
  entry.positions = {At(1, 5, false)};
  EXPECT_EQ(ReadingInOtherDeck(entry, IdentitiesByPosition(partly), partly).unmatched,
            std::vector<std::int32_t>{5});
}

// A minor card laid in a deck of the major arcana alone took another card's
// place instead of being named as missing; a card missing twice was named
// twice.
TEST(ReadingInDeckTest, TheCardsTheOtherDeckLacksAreNamedOnceInOrder) {
  JournalEntry entry;
  entry.positions = {At(1, 77, false), At(2, 21, true), At(3, 40, false), At(4, 77, true)};
  const ReadingInDeck majors = ReadingInOtherDeck(
      entry, IdentitiesByPosition(DeckCardIdentities(78, "")), DeckCardIdentities(22, ""));
  EXPECT_EQ(majors.unmatched, (std::vector<std::int32_t>{40, 77}));
  EXPECT_EQ(majors.entry.positions[1].card, 21);
}

// A spread laid in the other deck showed the recorded deck's cards, lost a
// card's turn, or took the empty place (255) for a card.
TEST(ReadingInDeckTest, ASpreadsTableHoldsTheOtherDecksCardsInTheirTurns) {
  JournalEntry entry;
  entry.kind = JournalKind::kSpread;
  entry.positions = {At(1, 8, true), At(3, 11, false)};
  entry.spreadTable =
      "[Spread]\r\nCard.Width=80\r\nCard.Height=140\r\n"
      "[Position00]\r\nLeft=10\r\nTop=20\r\nValue=-8\r\nDescription=Past\r\n"
      "[Position01]\r\nLeft=110\r\nTop=20\r\nValue=255\r\n"
      "[Position02]\r\nLeft=210\r\nTop=20\r\nValue=11\r\n";
  const ReadingInDeck swapped =
      ReadingInOtherDeck(entry, IdentitiesByPosition(DeckCardIdentities(78, "")), SwappedDeck());
  ASSERT_TRUE(swapped.unmatched.empty());
  const FixedScreen screen(1024, 768, 738);
  const SpreadLayout table = ReadSpreadLayout(IniDocument(swapped.entry.spreadTable), 1, 1, screen);
  ASSERT_EQ(table.Positions.size(), 3u);
  EXPECT_EQ(table.Positions[0], (SpreadPosition{10, 20, -11, "Past"}));
  EXPECT_EQ(table.Positions[1].Value, kNoCard);
  EXPECT_EQ(table.Positions[2].Value, 8);
  EXPECT_EQ(table.CardWidth, 80);

  // A card of the table the other deck lacks keeps it from being laid.
  const ReadingInDeck majors = ReadingInOtherDeck(
      entry, IdentitiesByPosition(DeckCardIdentities(78, "")), DeckCardIdentities(8, ""));
  EXPECT_EQ(majors.unmatched, (std::vector<std::int32_t>{8, 11}));
}

// A deck gone since the reading: its cards were taken as the ones of their
// recorded names' identities without regard to case, or a name two
// identities share was taken for one of them.
TEST(ReadingInDeckTest, ADeckGoneIsKnownByTheNamesItsCardsWereRecordedUnder) {
  const std::vector<CardName> installed = {
      {8, "Strength"}, {8, "Сила"}, {11, "Justice"}, {5, "Le Pape"}, {6, "Le Pape"}};
  JournalEntry entry;
  entry.positions = {At(1, 3, true, "STRENGTH"), At(2, 4, false, "Justice"),
                     At(3, 9, false, "Le Pape"), At(4, 12, false, "")};
  const ReadingInDeck laid =
      ReadingInOtherDeck(entry, IdentitiesByRecordedNames(entry, installed), SwappedDeck());
  EXPECT_EQ(laid.entry.positions[0].card, 11);
  EXPECT_EQ(laid.entry.positions[1].card, 8);
  EXPECT_EQ(laid.unmatched, (std::vector<std::int32_t>{9, 12}));
}

}  // namespace
}  // namespace vaticor
