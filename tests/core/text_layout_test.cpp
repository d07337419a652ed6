#include "core/text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace vaticor {
namespace {

TEST(WrapLines, ShortTextAndExistingBreaksStayAsTheyAre) {
  EXPECT_EQ(WrapLines(""), "");
  EXPECT_EQ(WrapLines("Past"), "Past");
  EXPECT_EQ(WrapLines("one two", 7), "one two");  // exactly a line
  EXPECT_EQ(WrapLines("Past\nFuture\n", 10), "Past\nFuture\n");
  EXPECT_EQ(WrapLines("a  b", 10), "a  b");  // runs of blanks are kept
}

TEST(WrapLines, BreaksAtTheLastBlankThatFits) {
  EXPECT_EQ(WrapLines("one two three", 7), "one two\nthree");
  EXPECT_EQ(WrapLines("one two three", 8), "one two\nthree");
  EXPECT_EQ(WrapLines("aa bb cc dd ee", 5), "aa bb\ncc dd\nee");
  // Each line of a text with breaks of its own is wrapped by itself.
  EXPECT_EQ(WrapLines("aa bb cc\ndd ee ff", 5), "aa bb\ncc\ndd ee\nff");
  // One blank of a run gives way; the others stay where they were.
  EXPECT_EQ(WrapLines("abc   def", 4), "abc \n def");
}

TEST(WrapLines, CutsAWordLongerThanALine) {
  EXPECT_EQ(WrapLines("abcdefghij", 4), "abcd\nefgh\nij");
  EXPECT_EQ(WrapLines("ab cdefghij", 4), "ab\ncdef\nghij");
  // A blank at the very start does not make an empty line.
  EXPECT_EQ(WrapLines(" abcdef", 3), " ab\ncde\nf");
  EXPECT_EQ(WrapLines("abc", 0), "a\nb\nc");
}

TEST(WrapLines, CountsCharactersNotBytes) {
  // Ten Cyrillic letters are twenty bytes: no break at 10.
  EXPECT_EQ(WrapLines("Прошлое до", 10), "Прошлое до");
  EXPECT_EQ(WrapLines("Прошлое и будущее", 10), "Прошлое и\nбудущее");
  // A word cut between characters, never inside one (three bytes each).
  EXPECT_EQ(WrapLines("€€€€€", 2), "€€\n€€\n€");
  // A stray continuation byte stays with the character before it.
  EXPECT_EQ(WrapLines("ab\x80"
                      "cd",
                      2),
            "ab\x80\ncd");
}

TEST(WrapLines, ADescriptionOfAFewHundredCharactersWrapsAtSixty) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word ";  // 200 characters
  const std::string wrapped = WrapLines(text);
  // "word " repeated: twelve words are 59 characters, so each line holds 12.
  const std::string line = "word word word word word word word word word word word word";
  EXPECT_EQ(wrapped, line + "\n" + line + "\n" + line + "\nword word word word ");
}

TEST(MenuCaptionWidth, FiftyCharactersOrAThirdOfTheScreen) {
  EXPECT_EQ(MenuCaptionWidth(6, 1920), 300);
  EXPECT_EQ(MenuCaptionWidth(6, 800), 266);  // 800 / 3, truncated
  EXPECT_EQ(MenuCaptionWidth(20, 640), 213);
  // Never narrower than one character.
  EXPECT_EQ(MenuCaptionWidth(20, 30), 20);
  // Unknown sizes: no screen limit, a character of one pixel.
  EXPECT_EQ(MenuCaptionWidth(6, 0), 300);
  EXPECT_EQ(MenuCaptionWidth(0, 1920), 50);
  EXPECT_EQ(MenuCaptionWidth(100000000, 0), 2147483647);
}

}  // namespace
}  // namespace vaticor

namespace vaticor {
namespace {

// Every character 10 pixels wide, the ellipsis included.
int TenPerCharacter(std::string_view line) {
  int characters = 0;
  for (char c : line) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters * 10;
}

TEST(OneLine, ControlCharactersAndRunsOfBlanksBecomeOneBlank) {
  EXPECT_EQ(OneLine("  Что\r\nменя\tждёт?\x7f "), "Что меня ждёт?");
  EXPECT_EQ(OneLine("\n\n"), "");
}

TEST(FitTextLines, FillsLinesWordByWordAndCutsAWordWiderThanALine) {
  // 8 characters to a line.
  EXPECT_EQ(FitTextLines("Прошлое и настоящее", 80, 100, 10, TenPerCharacter),
            (std::vector<std::string>{"Прошлое", "и", "настояще", "е"}));
  EXPECT_EQ(FitTextLines("one two", 70, 10, 10, TenPerCharacter),
            (std::vector<std::string>{"one two"}));
}

TEST(FitTextLines, TextCutShortEndsInAnEllipsis) {
  // Two lines: the third word does not fit.
  EXPECT_EQ(FitTextLines("один два три четыре", 80, 25, 10, TenPerCharacter),
            (std::vector<std::string>{"один два", "три…"}));
  // The ellipsis takes the place of the last character.
  EXPECT_EQ(FitTextLines("abcdefgh ij", 80, 10, 10, TenPerCharacter),
            (std::vector<std::string>{"abcdefg…"}));
  // A word cut across the last line.
  EXPECT_EQ(FitTextLines("Справедливость", 50, 10, 10, TenPerCharacter),
            (std::vector<std::string>{"Спра…"}));
}

TEST(FitTextLines, MarkupAndLineBreaksAreCharactersLikeAnyOther) {
  EXPECT_EQ(FitTextLines("<b>x</b>\nи <i>", 200, 10, 10, TenPerCharacter),
            (std::vector<std::string>{"<b>x</b> и <i>"}));
}

TEST(FitTextLines, ABoxTooSmallForALineOrACharacterHoldsNothing) {
  EXPECT_TRUE(FitTextLines("Прошлое", 80, 9, 10, TenPerCharacter).empty());
  EXPECT_TRUE(FitTextLines("Прошлое", 9, 100, 10, TenPerCharacter).empty());
  EXPECT_TRUE(FitTextLines("Прошлое", 0, 0, 0, TenPerCharacter).empty());
  EXPECT_TRUE(FitTextLines("  \n ", 80, 100, 10, TenPerCharacter).empty());
  // One character's room: the ellipsis says there is more.
  EXPECT_EQ(FitTextLines("Прошлое", 10, 100, 10, TenPerCharacter),
            (std::vector<std::string>{"П", "р", "о", "ш", "л", "о", "е"}));
  EXPECT_EQ(FitTextLines("Прошлое", 10, 30, 10, TenPerCharacter),
            (std::vector<std::string>{"П", "р", "…"}));
}

TEST(PositionFaceLines, TheNumberFirstThenWhatFitsOfTheMeaning) {
  EXPECT_EQ(PositionFaceLines(3, "Прошлое и настоящее", 80, 30, 10, TenPerCharacter),
            (std::vector<std::string>{"3", "Прошлое", "и…"}));
  EXPECT_EQ(PositionFaceLines(3, "", 80, 30, 10, TenPerCharacter), (std::vector<std::string>{"3"}));
  // A tiny window: the number alone, or nothing.
  EXPECT_EQ(PositionFaceLines(10, "Прошлое", 20, 15, 10, TenPerCharacter),
            (std::vector<std::string>{"10"}));
  EXPECT_TRUE(PositionFaceLines(10, "Прошлое", 15, 100, 10, TenPerCharacter).empty());
  EXPECT_TRUE(PositionFaceLines(1, "Прошлое", 80, 5, 10, TenPerCharacter).empty());
}

}  // namespace
}  // namespace vaticor
