#include "library/reading_text.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

const ReadingWords kRussian{"Вопрос", "прямая", "перевёрнута", "нет карты"};

TEST(ReadingText, AThreePositionSpreadWithOneReversedCard) {
  const std::vector<ReadingPosition> positions = {
      {1, "Прошлое", "Шут", false},
      {2, "Настоящее", "Маг", true},
      {3, "Будущее", "Верховная Жрица", false},
  };
  EXPECT_EQ(ReadingText("09.12.2026 17:20:05", "", positions, kRussian),
            "09.12.2026 17:20:05\n"
            "1. Прошлое: Шут (прямая)\n"
            "2. Настоящее: Маг (перевёрнута)\n"
            "3. Будущее: Верховная Жрица (прямая)\n");
}

TEST(ReadingText, TheQuestionWhenThereIsOneAndPositionsThatSayNothing) {
  const std::vector<ReadingPosition> positions = {
      {1, "", "The Fool", true},
      {2, "  ", std::nullopt, false},
  };
  const ReadingWords english{"Question", "upright", "reversed", "no card"};
  EXPECT_EQ(ReadingText("12/09/2026 5:20:05 PM", "What\nnow?", positions, english),
            "12/09/2026 5:20:05 PM\n"
            "Question: What now?\n"
            "1. The Fool (reversed)\n"
            "2. no card\n");
}

TEST(ReadingText, TextsFromFilesStayOnTheirLineAndMarkupIsText) {
  const std::vector<ReadingPosition> positions = {{7, "<b>Past</b>\r\nline", "A\tB", false}};
  EXPECT_EQ(ReadingText("now", " \n ", positions, kRussian),
            "now\n"
            "7. <b>Past</b> line: A B (прямая)\n");
}

TEST(ReadingPictureFits, ATableOfAnyScreenButNotCardsFarApart) {
  EXPECT_TRUE(ReadingPictureFits(1, 1));
  EXPECT_TRUE(ReadingPictureFits(7680, 4320));
  EXPECT_TRUE(ReadingPictureFits(16384, 4096));
  EXPECT_FALSE(ReadingPictureFits(16385, 10));
  EXPECT_FALSE(ReadingPictureFits(10, 16385));
  EXPECT_FALSE(ReadingPictureFits(16384, 4097));  // past 64 Mi pixels
  EXPECT_FALSE(ReadingPictureFits(65535, 65535));
  EXPECT_FALSE(ReadingPictureFits(0, 100));
}

TEST(ReadingPictureFileName, CharactersNoFileNameHoldsBecomeDashes) {
  EXPECT_EQ(ReadingPictureFileName("09.12.2026 17:20:05"), "Vaticor 09.12.2026 17-20-05.png");
  EXPECT_EQ(ReadingPictureFileName("12/09/2026 5:20:05 PM"), "Vaticor 12-09-2026 5-20-05 PM.png");
  EXPECT_EQ(ReadingPictureFileName("a*b?\"<>|\\\n"), "Vaticor a-b-------.png");
}

}  // namespace
}  // namespace vaticor
