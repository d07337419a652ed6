#include "library/rtf_code_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace vaticor::rtf {
namespace {

std::u32string Decode(int codePage, std::string_view bytes) {
  CodePageDecoder decoder;
  std::u32string out;
  decoder.Decode(codePage, bytes, out);
  return out;
}

TEST(RtfCodePageDecoder, CharactersBeyondTheBasicPlaneComeWhole) {
  // U+1F0CF in UTF-8: one character, not two surrogate halves.
  EXPECT_EQ(Decode(65001,
                   "a\xF0\x9F\x83\x8F"
                   "b"),
            U"a\U0001F0CF"
            "b");
  // Cut off at the end, and a byte that starts nothing.
  EXPECT_EQ(Decode(65001, "a\xF0\x9F"), U"a\uFFFD");
  EXPECT_EQ(Decode(65001,
                   "\xFF"
                   "a"),
            U"\uFFFD"
            "a");
}

TEST(RtfCodePageDecoder, UnknownCodePagesReadAsWindows1252) {
  // EBCDIC 37 would make 0xC1 "A"; Windows-1252 has "Á" there.
  EXPECT_EQ(Decode(37, "A\xC1\x80"), U"AÁ€");
  EXPECT_EQ(Decode(12345, "\x81"), U"\uFFFD");  // unassigned in Windows-1252
}

TEST(RtfCodePageDecoder, SymbolFontBytesAreGlyphNumbers) {
  EXPECT_EQ(Decode(kSymbolCodePage, "a\xB7\t"), U"\uF061\uF0B7\t");
}

TEST(RtfCodePageDecoder, TellsWhereTextMayBeCut) {
  CodePageDecoder decoder;
  EXPECT_TRUE(decoder.IsSingleByte(1251));
  EXPECT_TRUE(decoder.IsSingleByte(kSymbolCodePage));
  EXPECT_FALSE(decoder.IsSingleByte(932));
  EXPECT_FALSE(decoder.IsSingleByte(65001));
}

TEST(RtfCodePages, WhichCodePagesDocumentsUse) {
  for (int known : {437, 866, 874, 1250, 1258, 10000, 10007, 65001})
    EXPECT_TRUE(IsKnownCodePage(known)) << known;
  for (int unknown : {0, 37, 500, 1249, 1259, 20127, -2})
    EXPECT_FALSE(IsKnownCodePage(unknown)) << unknown;
  // Mac character set: the document's Mac code page, else Mac Roman.
  EXPECT_EQ(CharsetCodePage(77, 10007), 10007);
  EXPECT_EQ(CharsetCodePage(77, 1251), 10000);
  EXPECT_EQ(CharsetCodePage(1, 1251), 0);  // DEFAULT_CHARSET follows the document
  EXPECT_EQ(CharsetCodePage(300, 1251), 0);
}

}  // namespace
}  // namespace vaticor::rtf
