#include "library/card_identity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaticor {
namespace {

// Names as two installed decks give them, one Russian, one English.
const std::vector<CardName> kNames = {
    {0, "Шут"},
    {16, "Башня"},
    {38, "Тройка Кубков"},
    {48, "Королева Кубков"},
    {49, "Король Кубков"},
    {0, "The Fool"},
    {16, "The Tower"},
    {38, "Three of Cups"},
    {35, "King of Wands"},
    {33, "Knight of Wands"},
    {74, "Queen of Pentacles"},
};

std::int32_t First(const std::string& typed) {
  const std::vector<std::int32_t> found = MatchCards(typed, kNames);
  return found.empty() ? -1 : found.front();
}

TEST(MatchCards, NumbersRomanNumeralsAndShortFormsNameOneCard) {
  struct Case {
    const char* typed;
    std::int32_t card;
  };
  const Case cases[] = {
      {"0", 0},
      {"16", 16},
      {"77", 77},
      {"XVI", 16},
      {"xxi", 21},
      {"IV", 4},
      {"3C", 38},
      {"3oC", 38},
      {"3 o c", 38},
      {"3 of Cups", 38},
      {"three of cups", 38},
      {"KW", 35},
      {"QoS", 62},
      {"Ace P", 64},
      {"AP", 64},
      {"PP", 74},
      {"KnS", 61},
      {"10W", 31},
      {"page of swords", 60},
      {"  kw  ", 35},
  };
  for (const Case& c : cases) EXPECT_EQ(First(c.typed), c.card) << c.typed;
}

TEST(MatchCards, NamesInAnyInstalledLanguageByTheirWords) {
  EXPECT_EQ(First("Тройка Кубков"), 38);
  EXPECT_EQ(First("башн"), 16);
  EXPECT_EQ(First("tower"), 16);
  // Every card of cups the decks name, in the order of the names.
  EXPECT_EQ(MatchCards("кубк", kNames), (std::vector<std::int32_t>{38, 48, 49}));
  EXPECT_EQ(MatchCards("кор куб", kNames), (std::vector<std::int32_t>{48, 49}));
}

TEST(MatchCards, AmbiguousAndImpossibleTexts) {
  // A rank alone: the four kings first, then the names beginning with it.
  const std::vector<std::int32_t> k = MatchCards("K", kNames);
  ASSERT_GE(k.size(), 5u);
  EXPECT_EQ(std::vector<std::int32_t>(k.begin(), k.begin() + 4),
            (std::vector<std::int32_t>{35, 49, 63, 77}));
  EXPECT_NE(std::find(k.begin(), k.end(), 33), k.end());  // Knight of Wands
  EXPECT_EQ(MatchCards("K", kNames, 2).size(), 2u);
  for (const char* none : {"15oC", "XXIII", "78", "IIII", "Z", "", "   ", "3X", "-1"}) {
    EXPECT_TRUE(MatchCards(none, kNames).empty()) << none;
  }
}

TEST(DeckCardIdentities, FromTheDecksOwnListElseItsComposition) {
  std::vector<std::int32_t> common(78);
  for (std::int32_t i = 0; i < 78; ++i) common[static_cast<std::size_t>(i)] = i;
  EXPECT_EQ(DeckCardIdentities(78, ""), common);
  EXPECT_EQ(DeckCardIdentities(22, ""),
            std::vector<std::int32_t>(common.begin(), common.begin() + 22));
  EXPECT_EQ(DeckCardIdentities(40, ""), std::vector<std::int32_t>(40, -1));
  // Justice and Strength the other way round; the last card has none.
  EXPECT_EQ(DeckCardIdentities(4, " 8 , 11,-"), (std::vector<std::int32_t>{8, 11, -1, -1}));
  // A 40-card deck names its cards' identities itself.
  EXPECT_EQ(DeckCardIdentities(40, "22,23")[1], 23);
  // A list that cannot be right is ignored whole.
  for (const char* broken : {"1,1", "78", "a", "1,,x", "-3", "0,1,2,3,4"}) {
    EXPECT_EQ(DeckCardIdentities(4, broken), (std::vector<std::int32_t>{0, 1, 2, 3})) << broken;
  }
}

}  // namespace
}  // namespace vaticor
