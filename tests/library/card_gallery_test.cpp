#include "library/card_gallery.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace vaticor {
namespace {

// A Russian 78-card deck's names in the common order: the major arcana,
// then ace to king of wands, cups, swords and pentacles.
std::vector<std::string> RussianNames() {
  const char* ranks[] = {"Туз",      "Двойка",  "Тройка",    "Четвёрка", "Пятёрка",
                         "Шестёрка", "Семёрка", "Восьмёрка", "Девятка",  "Десятка",
                         "Паж",      "Рыцарь",  "Королева",  "Король"};
  const char* suits[] = {"Жезлов", "Кубков", "Мечей", "Пентаклей"};
  std::vector<std::string> names;
  for (int major = 0; major < 22; ++major) names.push_back("Аркан " + std::to_string(major));
  names[8] = "Сила";
  names[11] = "Справедливость";
  for (const char* suit : suits) {
    for (const char* rank : ranks) names.push_back(std::string(rank) + " " + suit);
  }
  return names;
}

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t count) {
  std::vector<std::int32_t> range(static_cast<std::size_t>(count));
  std::iota(range.begin(), range.end(), first);
  return range;
}

// Every name of a Russian deck and a few of an English one, by identity.
std::vector<CardName> Installed(const std::vector<std::string>& russian) {
  std::vector<CardName> names;
  for (std::size_t i = 0; i < russian.size(); ++i) {
    names.push_back({static_cast<std::int32_t>(i), russian[i]});
  }
  names.push_back({8, "Strength"});
  names.push_back({11, "Justice"});
  names.push_back({38, "Three of Cups"});
  return names;
}

TEST(GalleryPositions, TypedWordsAndGroupsKeepTheCardsOfTheDeckInUse) {
  const std::vector<std::string> russian = RussianNames();
  const std::vector<CardName> installed = Installed(russian);
  const std::vector<std::int32_t> common = Range(0, 78);

  // Each typed word begins a word of the name: every cup and nothing else.
  EXPECT_EQ(GalleryPositions("кубк", GalleryGroup::kAll, common, russian, installed),
            Range(36, 14));
  // Another deck's language names the card of this one.
  EXPECT_EQ(GalleryPositions("Three of Cups", GalleryGroup::kAll, common, russian, installed),
            std::vector<std::int32_t>{38});
  EXPECT_EQ(GalleryPositions("3oC", GalleryGroup::kAll, common, russian, installed),
            std::vector<std::int32_t>{38});
  // A group alone, and a group narrowing what was typed.
  EXPECT_EQ(GalleryPositions("", GalleryGroup::kSwords, common, russian, installed), Range(50, 14));
  EXPECT_EQ(GalleryPositions(" ", GalleryGroup::kMajorArcana, common, russian, installed),
            Range(0, 22));
  EXPECT_EQ(GalleryPositions("король", GalleryGroup::kPentacles, common, russian, installed),
            std::vector<std::int32_t>{77});
  EXPECT_TRUE(GalleryPositions("кубк", GalleryGroup::kWands, common, russian, installed).empty());
}

TEST(GalleryPositions, ADeckInAnotherOrderShowsItsOwnPlaceOfEachCard) {
  // Strength is card 11 of this deck and Justice card 8.
  std::vector<std::int32_t> identities = Range(0, 78);
  std::swap(identities[8], identities[11]);
  std::vector<std::string> own = RussianNames();
  std::swap(own[8], own[11]);
  const std::vector<CardName> installed = Installed(RussianNames());

  EXPECT_EQ(GalleryPositions("Strength", GalleryGroup::kAll, identities, own, installed),
            std::vector<std::int32_t>{11});
  EXPECT_EQ(GalleryPositions("XI", GalleryGroup::kAll, identities, own, installed),
            std::vector<std::int32_t>{8});
  EXPECT_EQ(GalleryPositions("", GalleryGroup::kMajorArcana, identities, own, installed),
            Range(0, 22));
}

TEST(GalleryPositions, CardsWithoutIdentityAreFoundByTheirOwnNamesOnly) {
  // A deck of another composition: 100 cards, none with an identity.
  std::vector<std::string> own;
  for (int n = 0; n < 100; ++n) own.push_back("Bell " + std::to_string(n));
  own[90] = "Acorn King";
  own[3] = "Acorn Three";
  const std::vector<std::int32_t> none(100, -1);
  const std::vector<CardName> installed = Installed(RussianNames());

  EXPECT_EQ(GalleryPositions("acorn", GalleryGroup::kAll, none, own, installed),
            (std::vector<std::int32_t>{3, 90}));
  EXPECT_EQ(GalleryPositions("bell 9", GalleryGroup::kAll, none, own, installed).size(), 10u);
  // What means a card of the common order means none of these.
  EXPECT_TRUE(GalleryPositions("3C", GalleryGroup::kAll, none, own, installed).empty());
  EXPECT_TRUE(GalleryPositions("Strength", GalleryGroup::kAll, none, own, installed).empty());
  EXPECT_TRUE(GalleryPositions("", GalleryGroup::kCups, none, own, installed).empty());
  EXPECT_EQ(GalleryPositions("", GalleryGroup::kAll, none, own, installed).size(), 100u);
}

}  // namespace
}  // namespace vaticor
