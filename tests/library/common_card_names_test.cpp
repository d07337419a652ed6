#include "library/common_card_names.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(CommonCardNames, Russian) {
  EXPECT_EQ(CommonCardName(0, "ru"), "Шут");
  EXPECT_EQ(CommonCardName(38, "ru_RU"), "Тройка Кубков");
  EXPECT_EQ(CommonCardName(77, "RU"), "Король Пентаклей");
}

TEST(CommonCardNames, English) {
  EXPECT_EQ(CommonCardName(20, "en"), "Judgement");
  EXPECT_EQ(CommonCardName(52, "en-GB"), "Three of Swords");
  EXPECT_EQ(CommonCardName(22, "EN_us"), "Ace of Wands");
}

TEST(CommonCardNames, German) {
  EXPECT_EQ(CommonCardName(11, "de"), "Die Gerechtigkeit");
  EXPECT_EQ(CommonCardName(60, "de_AT"), "Bube der Schwerter");
  EXPECT_EQ(CommonCardName(22, "de"), "Ass der Stäbe");
}

TEST(CommonCardNames, French) {
  EXPECT_EQ(CommonCardName(17, "fr"), "L'Étoile");
  // "de" before a vowel is "d'".
  EXPECT_EQ(CommonCardName(52, "fr_CA"), "Trois d'Épées");
  EXPECT_EQ(CommonCardName(36, "fr"), "As de Coupes");
}

TEST(CommonCardNames, Ukrainian) {
  EXPECT_EQ(CommonCardName(12, "uk"), "Повішений");
  EXPECT_EQ(CommonCardName(26, "uk_UA"), "П'ятірка Жезлів");
  EXPECT_EQ(CommonCardName(49, "uk"), "Король Кубків");
}

TEST(CommonCardNames, Spanish) {
  EXPECT_EQ(CommonCardName(10, "es"), "La Rueda de la Fortuna");
  EXPECT_EQ(CommonCardName(64, "es-MX"), "As de Oros");
  EXPECT_EQ(CommonCardName(35, "es"), "Rey de Bastos");
}

TEST(CommonCardNames, NoneOutsideTheCardsAndTheLanguagesHeld) {
  EXPECT_EQ(CommonCardName(78, "en"), "");
  EXPECT_EQ(CommonCardName(-1, "en"), "");
  EXPECT_EQ(CommonCardName(0, "it"), "");
  EXPECT_EQ(CommonCardName(0, ""), "");
  // "english" is no code: its primary subtag is not "en".
  EXPECT_EQ(CommonCardName(0, "english"), "");
}

}  // namespace
}  // namespace vaticor
