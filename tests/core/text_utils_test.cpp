#include "core/text_utils.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(NumberText, PaddedDecimal) {
  EXPECT_EQ(IntToStr2(0), "00");
  EXPECT_EQ(IntToStr2(7), "07");
  EXPECT_EQ(IntToStr2(10), "10");
  EXPECT_EQ(IntToStr2(100), "100");
  EXPECT_EQ(IntToStrZ(5, 2), "05");
  EXPECT_EQ(IntToStrZ(123, 2), "123");
  EXPECT_EQ(IntToStrZ(7, 0), "7");
}

TEST(NumberText, HexadecimalByWholeBytes) {
  EXPECT_EQ(ByteToHex(0xA5), "A5");
  EXPECT_EQ(ByteToHex(0x0F), "0F");
  EXPECT_EQ(IntToHexZ(0x419, 0), "0419");
  EXPECT_EQ(IntToHexZ(0x419, 6), "000419");
  EXPECT_EQ(IntToHexZ(0x10409, 0), "010409");
  EXPECT_EQ(IntToHexZ(0, 0), "00");
  EXPECT_EQ(IntToHexZ(0xFFFFFFFFu, 0), "FFFFFFFF");
}

TEST(ExtractPathPart, TakesComponentsFromTheEnd) {
  std::int32_t pos = 13;
  EXPECT_EQ(ExtractPathPart("C:\\Decks\\New\\", pos), "New");
  EXPECT_EQ(pos, 9);
  EXPECT_EQ(ExtractPathPart("C:\\Decks\\New\\", pos), "Decks");
  EXPECT_EQ(pos, 3);

  pos = 6;
  EXPECT_EQ(ExtractPathPart("folder", pos), "folder");
  EXPECT_EQ(pos, 0);

  pos = 0;
  EXPECT_EQ(ExtractPathPart("abc", pos), "");
  pos = 3;
  EXPECT_EQ(ExtractPathPart("\\\\\\", pos), "");
}

TEST(ExtractNumber, TakesDigitsAndNegativeSigns) {
  std::int32_t pos = 0;
  EXPECT_EQ(ExtractNumber("[12]", pos), "12");
  EXPECT_EQ(pos, 4);
  pos = 1;
  EXPECT_EQ(ExtractNumber("x-5y", pos), "-5");
  EXPECT_EQ(pos, 4);
  pos = 1;
  EXPECT_EQ(ExtractNumber("3-4", pos), "3-4");
  pos = 1;
  EXPECT_EQ(ExtractNumber("no digits - here", pos), "");
  pos = 1;
  EXPECT_EQ(ExtractNumber("a-", pos), "");
  pos = 1;
  EXPECT_EQ(ExtractNumber("", pos), "");
  pos = 50;
  EXPECT_EQ(ExtractNumber("12", pos), "");
}

TEST(ExtractNumber, WalksThroughALogLine) {
  const std::string line = "[3] [-12] [0]";
  std::int32_t pos = 0;
  EXPECT_EQ(ExtractNumber(line, pos), "3");
  EXPECT_EQ(ExtractNumber(line, pos), "-12");
  EXPECT_EQ(ExtractNumber(line, pos), "0");
  EXPECT_EQ(ExtractNumber(line, pos), "");
}

TEST(ExtractWord, SplitsOnPunctuationUnlessTheSetsSayOtherwise) {
  std::int32_t pos = 1;
  EXPECT_EQ(ExtractWord("  hello world", pos, "", "", ""), "hello");
  EXPECT_EQ(pos, 8);
  EXPECT_EQ(ExtractWord("  hello world", pos, "", "", ""), "world");

  // The log's sets: "[" starts a word, "-" never splits one.
  pos = 1;
  const std::string log = "12:00 [12] [-5]";
  EXPECT_EQ(ExtractWord(log, pos, "[", "", "-"), "12");
  EXPECT_EQ(ExtractWord(log, pos, "[", "", "-"), "00");
  EXPECT_EQ(ExtractWord(log, pos, "[", "", "-"), "[12]");
  EXPECT_EQ(ExtractWord(log, pos, "[", "", "-"), "[-5]");
  EXPECT_EQ(ExtractWord(log, pos, "[", "", "-"), "");

  pos = 1;
  EXPECT_EQ(ExtractWord("0x0409.ini", pos, "", "", ""), "0x0409");

  // A character of B delimits even if it is a letter; sets compare upper-cased.
  pos = 1;
  EXPECT_EQ(ExtractWord("abXcd", pos, "", "x", ""), "ab");

  pos = 1;
  EXPECT_EQ(ExtractWord(" ,.", pos, "", "", ""), "");
  pos = 0;
  EXPECT_EQ(ExtractWord("", pos, "", "", ""), "");
  EXPECT_EQ(pos, 0);
}

TEST(ExtractWord, KeepsMultiByteCharactersWhole) {
  std::int32_t pos = 1;
  EXPECT_EQ(ExtractWord("Какой путь? Тот", pos, "", "", ""), "Какой");
  EXPECT_EQ(ExtractWord("Какой путь? Тот", pos, "", "", ""), "путь");
  EXPECT_EQ(ExtractWord("Какой путь? Тот", pos, "", "", ""), "Тот");
}

TEST(CollapseSpaces, ReducesRunsOfBlanks) {
  EXPECT_EQ(CollapseSpaces("  a   b  "), "a b");
  EXPECT_EQ(CollapseSpaces("   "), "");
  EXPECT_EQ(CollapseSpaces("a\tb"), "a\tb");
}

TEST(LastCharPos, FindsTheLastOccurrence) {
  EXPECT_EQ(LastCharPos("[1] [2] more words", ']'), 7);
  EXPECT_EQ(LastCharPos("abcA", 'a'), 4);
  EXPECT_EQ(LastCharPos("abc", ']'), -1);
  EXPECT_EQ(LastCharPos("", ']'), -1);
}

TEST(IsAsciiDigit, OnlyTheTenAsciiDigits) {
  for (char c : std::string_view("0123456789")) EXPECT_TRUE(IsAsciiDigit(c)) << c;
  // The characters either side, signs, a letter O, and bytes of "²" and "٠".
  for (char c : std::string_view("/:-+ O\xC2\xB2\xD9\xA0")) EXPECT_FALSE(IsAsciiDigit(c)) << c;
}

TEST(HexDigitValue, DigitsAndLettersOfEitherCase) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('c'), 12);
  // The characters either side of each range, a space and a byte of "é".
  for (char c : std::string_view("/:@G`g \xC3")) EXPECT_EQ(HexDigitValue(c), -1) << c;
}

}  // namespace
}  // namespace vaticor
