#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace vaticor {
namespace {

TEST(TextEncodingTest, Utf8ValidationRejectsMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  EXPECT_TRUE(IsValidUtf8("Туз \xF0\x9F\x83\x8F"));  // Cyrillic and U+1F0CF
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));             // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));         // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));     // beyond U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xD0"));                 // cut short
  EXPECT_FALSE(IsValidUtf8("\x80"));                 // stray continuation
  EXPECT_FALSE(IsValidUtf8("\xC2\xE9"));
}

TEST(TextEncodingTest, ANonAsciiByteIsSeenWhereverItFalls) {
  // Texts up to three words long, with one character or stray byte at each
  // place: the checks that step eight bytes at a time miss none of them.
  for (std::size_t length = 0; length <= 24; ++length) {
    const std::string ascii(length, 'a');
    EXPECT_TRUE(IsAscii(ascii));
    EXPECT_TRUE(IsValidUtf8(ascii));
    for (std::size_t at = 0; at <= length; ++at) {
      const std::string before = ascii.substr(0, at);
      const std::string after = ascii.substr(at);
      const std::string cyrillic = before + "\xD0\x96" + after;  // Ж
      const std::string stray = before + "\x96" + after;
      const std::string cut = before + "\xD0";
      EXPECT_FALSE(IsAscii(cyrillic)) << at;
      EXPECT_TRUE(IsValidUtf8(cyrillic)) << at;
      EXPECT_FALSE(IsAscii(stray)) << at;
      EXPECT_FALSE(IsValidUtf8(stray)) << at;
      EXPECT_FALSE(IsValidUtf8(cut)) << at;
      EXPECT_FALSE(IsValidUtf8(before + "\xD0\x96\xD0" + after)) << at;
    }
  }
  EXPECT_TRUE(IsAscii(std::string("nul\0inside", 11)));
  EXPECT_TRUE(IsValidUtf8(std::string(17, '\x7F')));
}

TEST(TextEncodingTest, Windows1251TableRoundTripsEveryAssignedByte) {
  EXPECT_EQ(Windows1251ToUtf8("\xC0\xFF\xA8\xB8\xA5\xB4\xB9\x88"), "АяЁёҐґ№€");
  EXPECT_EQ(Windows1251ToUtf8("\x80\x8F\x9F\xA1\xAD"), "ЂЏџЎ\u00AD");
  EXPECT_EQ(Windows1251ToUtf8("\x98"), "\uFFFD");  // unassigned in the code page
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(byte)), byte) << "byte " << b;
  }
  // What the code page cannot hold, and broken UTF-8, become "?".
  EXPECT_EQ(Utf8ToWindows1251("Я日\uFFFD\xFF!"),
            "\xDF??"
            "?!");
}

TEST(TextEncodingTest, DecodeTellsEncodingByMarkThenByUtf8Validity) {
  DecodedText t = DecodeText("\xEF\xBB\xBFk=v");
  EXPECT_EQ(t.encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(t.utf8, "k=v");

  t = DecodeText(std::string("\xFF\xFEk\0=\0\x2F\x04\x3D\xD8\x00\xDF", 12));  // k=Я U+1F700 (LE)
  EXPECT_EQ(t.encoding, TextEncoding::Utf16LE);
  EXPECT_EQ(t.utf8, "k=Я\xF0\x9F\x9C\x80");

  t = DecodeText(std::string("\xFE\xFF\0k\x04\x2F\xD8\x00\0", 9));  // lone surrogate, odd last byte
  EXPECT_EQ(t.encoding, TextEncoding::Utf16BE);
  EXPECT_EQ(t.utf8, "kЯ\uFFFD\uFFFD");

  t = DecodeText("\xCA\xEE\xEB\xEE\xE4\xE0");  // "Колода" in Windows-1251
  EXPECT_EQ(t.encoding, TextEncoding::Windows1251);
  EXPECT_EQ(t.utf8, "Колода");

  t = DecodeText("Колода");
  EXPECT_EQ(t.encoding, TextEncoding::Utf8);
  EXPECT_EQ(t.utf8, "Колода");
}

TEST(TextEncodingTest, EncodeIsTheInverseOfDecode) {
  const std::string text = "[Колода]\r\nИмя=Таро \xF0\x9F\x83\x8F\r\n";
  for (TextEncoding e :
       {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    const DecodedText back = DecodeText(EncodeText(text, e));
    EXPECT_EQ(back.encoding, e);
    EXPECT_EQ(back.utf8, text);
  }
  const std::string cyrillic = "[Колода]\r\nИмя=Таро\r\n";
  EXPECT_EQ(DecodeText(EncodeText(cyrillic, TextEncoding::Windows1251)).utf8, cyrillic);
}

TEST(TextEncodingTest, LineEndingIsTheFirstOneFound) {
  EXPECT_EQ(DetectLineEnding("a\r\nb\nc"), LineEnding::CrLf);
  EXPECT_EQ(DetectLineEnding("a\nb\r\n"), LineEnding::Lf);
  EXPECT_EQ(DetectLineEnding("a\rb\r\n"), LineEnding::Cr);
  EXPECT_EQ(DetectLineEnding("a\r"), LineEnding::Cr);
  EXPECT_EQ(DetectLineEnding("no line end"), LineEnding::CrLf);
  EXPECT_EQ(LineEndingText(LineEnding::Cr), "\r");
}

TEST(TextEncodingTest, CaseFoldingCoversLatinGreekAndCyrillic) {
  EXPECT_TRUE(EqualsIgnoreCase("Cards.Count", "CARDS.count"));
  EXPECT_TRUE(EqualsIgnoreCase("Ёлка Ѓ Ґ", "ёЛКА ѓ ґ"));
  EXPECT_TRUE(EqualsIgnoreCase("σοφία ΆΣ", "ΣΟΦΊΑ άς"));
  EXPECT_TRUE(EqualsIgnoreCase("Ämter ÿ", "äMTER Ÿ"));
  EXPECT_FALSE(EqualsIgnoreCase("Card", "Cards"));
  EXPECT_FALSE(EqualsIgnoreCase("е", "ё"));  // different letters, not case forms
  EXPECT_FALSE(EqualsIgnoreCase("÷", "×"));  // not letters
  EXPECT_EQ(ToUpperText("жёлудь ÿ ς ß 日"), "ЖЁЛУДЬ Ÿ Σ ß 日");
  EXPECT_EQ(ToUpperText("a\xFF"
                        "b"),
            "A\xFF"
            "B");  // stray bytes stay as they are
}

TEST(TextEncodingTest, PrefixComparisonFoldsCaseAsEqualityDoes) {
  EXPECT_TRUE(StartsWithIgnoreCase("WINGDINGS 2", "Wingdings"));
  EXPECT_TRUE(StartsWithIgnoreCase("wingdings", "Wingdings"));
  EXPECT_TRUE(StartsWithIgnoreCase("anything", ""));
  EXPECT_FALSE(StartsWithIgnoreCase("Wingding", "Wingdings"));  // shorter than the prefix
  EXPECT_FALSE(StartsWithIgnoreCase(" Wingdings", "Wingdings"));
  EXPECT_FALSE(StartsWithIgnoreCase("Wingdings", "Wingdings 3"));
  EXPECT_TRUE(StartsWithIgnoreCase("ЁЛКА зелёная", "ёлка"));
  EXPECT_TRUE(StartsWithIgnoreCase("ÿes", "Ÿ"));  // ÿ's upper case lies outside Latin-1
  EXPECT_FALSE(StartsWithIgnoreCase("Ёлка", "ел"));
  EXPECT_FALSE(StartsWithIgnoreCase("Ämter", "A"));  // another letter, not a case form
}

TEST(TextEncodingTest, SurrogateHalvesAndTheirCharacter) {
  EXPECT_FALSE(IsSurrogate(0xD7FF));
  EXPECT_TRUE(IsHighSurrogate(0xD800) && IsHighSurrogate(0xDBFF));
  EXPECT_FALSE(IsHighSurrogate(0xDC00));
  EXPECT_TRUE(IsLowSurrogate(0xDC00) && IsLowSurrogate(0xDFFF));
  EXPECT_FALSE(IsLowSurrogate(0xDBFF));
  EXPECT_TRUE(IsSurrogate(0xD800) && IsSurrogate(0xDFFF));
  EXPECT_FALSE(IsSurrogate(0xE000));
  EXPECT_EQ(CombineSurrogates(0xD800, 0xDC00), char32_t(0x10000));
  EXPECT_EQ(CombineSurrogates(0xD83C, 0xDCCF), char32_t(0x1F0CF));  // a playing card
  EXPECT_EQ(CombineSurrogates(0xDBFF, 0xDFFF), char32_t(0x10FFFF));
}

TEST(TextEncoding, OneCharacterInWindows1251AndUtf8DecodedToCharacters) {
  EXPECT_EQ(CodePointToWindows1251(U'A'), 0x41);
  EXPECT_EQ(CodePointToWindows1251(U'Ё'), 0xA8);
  EXPECT_EQ(CodePointToWindows1251(U'я'), 0xFF);
  EXPECT_EQ(CodePointToWindows1251(U'€'), 0x88);
  EXPECT_EQ(CodePointToWindows1251(U'\uFFFD'), std::nullopt);  // what 0x98 reads as
  EXPECT_EQ(CodePointToWindows1251(U'ß'), std::nullopt);

  EXPECT_EQ(DecodeUtf8("\xD0\x96\xF0\x9F\x83\x8F"), std::u32string(U"Ж\U0001F0CF"));
  EXPECT_EQ(DecodeUtf8(""), std::u32string());
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), std::nullopt);      // overlong "/"
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), std::nullopt);  // a surrogate
  EXPECT_EQ(DecodeUtf8("\xD0"), std::nullopt);          // cut short
}

}  // namespace
}  // namespace vaticor
