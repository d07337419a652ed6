#include "library/rtf_symbol_fonts.h"

#include <gtest/gtest.h>

namespace vaticor::rtf {
namespace {

TEST(RtfSymbolFonts, FontsAreToldByNameAndCharacterSet) {
  EXPECT_EQ(SymbolFontOf("SYMBOL", -1), SymbolFont::Symbol);
  EXPECT_EQ(SymbolFontOf("symbol", 1), SymbolFont::Symbol);
  EXPECT_EQ(SymbolFontOf("Symbol", 0), SymbolFont::None);  // declared ANSI: ordinary text
  EXPECT_EQ(SymbolFontOf("Symbol MT", -1), SymbolFont::None);
  EXPECT_EQ(SymbolFontOf("WINGDINGS 3", 2), SymbolFont::Wingdings);
  EXPECT_EQ(SymbolFontOf("Wingdings", 0), SymbolFont::None);
  EXPECT_EQ(SymbolFontOf("Webdings", 2), SymbolFont::Other);
}

TEST(RtfSymbolFonts, OnlyGlyphCodePointsAreMapped) {
  EXPECT_EQ(MapSymbolFont(0xF061, SymbolFont::Symbol, false), U'α');
  EXPECT_EQ(MapSymbolFont(0xF0FF, SymbolFont::Symbol, false), U'\uFFFD');  // no glyph there
  EXPECT_EQ(MapSymbolFont(U'a', SymbolFont::Symbol, false), U'a');
  EXPECT_EQ(MapSymbolFont(0xF06C, SymbolFont::Wingdings, false), U'●');
  EXPECT_EQ(MapSymbolFont(0xF041, SymbolFont::Wingdings, false),
            char32_t(0xF041));  // no counterpart
  EXPECT_EQ(MapSymbolFont(0xF061, SymbolFont::None, false), char32_t(0xF061));
  // In list text whatever cannot show is a bullet; elsewhere it stays.
  EXPECT_EQ(MapSymbolFont(0xF0FF, SymbolFont::Symbol, true), U'•');
  EXPECT_EQ(MapSymbolFont(0xF041, SymbolFont::Other, true), U'•');
  EXPECT_EQ(MapSymbolFont(U'1', SymbolFont::None, true), U'1');
}

}  // namespace
}  // namespace vaticor::rtf
