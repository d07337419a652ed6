#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vaticor {

// How a text file's bytes stand for its characters.
enum class TextEncoding {
  Utf8,         // no byte-order mark
  Utf8Bom,      // UTF-8 with a byte-order mark
  Utf16LE,      // with byte-order mark
  Utf16BE,      // with byte-order mark
  Windows1251,  // 8-bit, the code page of the Russian interface
};

// How its lines end.
enum class LineEnding { CrLf, Lf, Cr };

struct DecodedText {
  std::string utf8;  // without the byte-order mark
  TextEncoding encoding = TextEncoding::Utf8;
};

// U+FFFD, what bytes or units that stand for no character read as.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// UTF-16 surrogates: the two halves of a character beyond U+FFFF, high half
// first. On their own they are no character.
constexpr bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }
constexpr bool IsHighSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t cp) { return cp >= 0xDC00 && cp <= 0xDFFF; }
// The character of a high and a low surrogate (U+10000-U+10FFFF); only
// meaningful when IsHighSurrogate(high) and IsLowSurrogate(low).
constexpr char32_t CombineSurrogates(char32_t high, char32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

bool IsValidUtf8(std::string_view bytes);
// Whether every byte is below 0x80. Both look at eight bytes at a time where
// the text is ASCII, as nearly every INI file and name is.
bool IsAscii(std::string_view text);

// Appends one character (a Unicode code point) to UTF-8 text.
void AppendUtf8(std::string& out, char32_t cp);

// Byte-order mark first; otherwise UTF-8 when the bytes are valid UTF-8,
// Windows-1251 when they are not.
DecodedText DecodeText(std::string_view bytes);
// The inverse: the mark (if any) and the text in that encoding. Characters
// that Windows-1251 cannot hold become "?".
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

std::string Windows1251ToUtf8(std::string_view bytes);
std::string Utf8ToWindows1251(std::string_view utf8);
// The Windows-1251 byte of one character; none when the code page lacks it
// (U+FFFD, which byte 0x98 reads as, included).
std::optional<unsigned char> CodePointToWindows1251(char32_t cp);
// The characters of UTF-8 text; none when the bytes are not valid UTF-8
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);

// The first line end found in the text; CrLf when it has none.
LineEnding DetectLineEnding(std::string_view text);
std::string_view LineEndingText(LineEnding ending);

// Case-insensitive equality of two UTF-8 texts, as Windows compares section
// and key names and file names: ASCII, Latin-1, Greek and Cyrillic letters
// fold to one case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Whether `text` begins with `prefix`, letters compared as EqualsIgnoreCase
// compares them.
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Upper case of the same letters.
std::string ToUpperText(std::string_view utf8);

}  // namespace vaticor
