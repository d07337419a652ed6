#pragma once

#include <string_view>

namespace vaticor::rtf {

// Fonts whose bytes are glyph numbers rather than characters. Their text
// comes out of CodePageDecoder as U+F020-U+F0FF (kSymbolCodePage); this turns
// the glyphs it knows into the characters they show: all of Adobe Symbol, and
// the Wingdings glyphs documents use as bullets and marks. Other glyphs keep
// their private-use code points. Nothing here fails or allocates.

enum class SymbolFont {
  None,       // an ordinary font: its text is characters
  Symbol,     // Adobe Symbol
  Wingdings,  // any "Wingdings..." face
  Other,      // another symbol font (\fcharset2): glyphs stay as they are
};

// What a font table entry is. `name`: its face name (UTF-8, compared ignoring
// case); `charset`: its \fcharset, or -1 when it has none. A font named
// "Symbol" is one without a character set too, or with the default one (1),
// as Windows treats it.
SymbolFont SymbolFontOf(std::string_view name, int charset);

// The character of code point `cp` in text of `font`; characters other than
// U+F020-U+F0FF pass unchanged. `listText`: the text is a list's bullet or
// number (\pntext, \listtext); a bullet this reader cannot show (private use,
// or U+FFFD from a code page it could not decode) reads as "•" there.
char32_t MapSymbolFont(char32_t cp, SymbolFont font, bool listText);

}  // namespace vaticor::rtf
