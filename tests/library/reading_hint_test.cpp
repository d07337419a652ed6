#include "library/reading_hint.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

const ReadingHintTexts kTexts{"reversed", "not in this deck", "", ""};
const std::vector<std::string> kNames = {"The Fool", "The Magician", "The High Priestess",
                                         "<b>Empress</b>"};

TEST(ReadingLineHint, NamesEachCardAndMarksTheReversed) {
  EXPECT_EQ(ReadingLineHint("09:30:05 [2] [-1] [0]", kNames, kTexts),
            "2 - The High Priestess\n1 - The Magician (reversed)\n0 - The Fool");
  EXPECT_EQ(ReadingLineHint("09:30:05 [-2] Will it rain? [1]", kNames, kTexts),
            "2 - The High Priestess (reversed)")
      << "brackets in a question add no card";
  // A name is text as it stands, markup included.
  EXPECT_EQ(ReadingLineHint("09:30:05 [3]", kNames, kTexts), "3 - <b>Empress</b>");
}

TEST(ReadingLineHint, SaysWhenAPositionLiesBeyondTheDeck) {
  EXPECT_EQ(ReadingLineHint("10:00:00 [1] [4] [-41]", kNames, kTexts),
            "1 - The Magician\n4 - not in this deck\n41 - not in this deck");
  EXPECT_EQ(ReadingLineHint("09:30:05 [-2147483648]", kNames, kTexts),
            "2147483648 - not in this deck");
  EXPECT_EQ(ReadingLineHint("09:30:05 [0]", {}, kTexts), "0 - not in this deck");
}

TEST(ReadingLineHint, SaysTheNamesAreTheCurrentDecksForTheLogKeepsNoDeck) {
  ReadingHintTexts texts = kTexts;
  texts.deckUnknown = "deck not logged; names from the current deck";
  texts.currentDeck = "Marseille";
  EXPECT_EQ(ReadingLineHint("09:30:05 [2] [-1] q", kNames, texts),
            "deck not logged; names from the current deck: Marseille\n"
            "2 - The High Priestess\n1 - The Magician (reversed)");
  texts.currentDeck.clear();  // no deck installed
  EXPECT_EQ(ReadingLineHint("09:30:05 [7]", {}, texts),
            "deck not logged; names from the current deck\n7 - not in this deck");
  // Nothing to name, nothing to explain.
  EXPECT_EQ(ReadingLineHint("[14.03.2024]", kNames, texts), "");
  EXPECT_EQ(ReadingLineHint("09:30:05 [x]", kNames, texts), "");
}

TEST(ReadingLineHint, LinesWithoutCardsHaveNoHint) {
  // A line that begins with "[" is a date line, whatever follows.
  EXPECT_EQ(ReadingLineHint("[14.03.2024]", kNames, kTexts), "");
  EXPECT_EQ(ReadingLineHint("[3] [4]", kNames, kTexts), "");
  EXPECT_EQ(ReadingLineHint("", kNames, kTexts), "");
  EXPECT_EQ(ReadingLineHint("just a note", kNames, kTexts), "");
  EXPECT_EQ(ReadingLineHint("09:30:05 [x] [99999999999]", kNames, kTexts), "");
}

}  // namespace
}  // namespace vaticor
