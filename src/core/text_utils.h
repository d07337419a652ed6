#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vaticor {

// Small text and number helpers shared by the card library and the windows.
// Positions are 1-based byte positions in UTF-8 text; the scanners only ever
// stop at ASCII characters, so a multi-byte character is never split.

// '0' to '9' only: no locale, no other scripts' digits, no sign.
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
// The value of a hexadecimal digit (either case); -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal text of n with "0" put in front when n < 10 ("Card07" keys).
std::string IntToStr2(std::int32_t n);
// `text` with the ASCII letters A - Z made lower case, every other byte as
// it is (names of files and keys compared without regard to ASCII case).
std::string AsciiLower(std::string_view text);
// Decimal text of n left-padded with "0" to at least `width` characters.
std::string IntToStrZ(std::int32_t n, int width);
// Two upper-case hexadecimal digits, high digit first.
std::string ByteToHex(std::uint8_t b);
// Hexadecimal text by whole bytes, left-padded with "0" to `minWidth`:
// 0x419 gives "0419", 0x10409 gives "010409", 0 gives "00".
std::string IntToHexZ(std::uint32_t v, int minWidth);

// State of a directional scan.
struct TTextObject {
  std::int32_t position = 0;
  std::int32_t direction = 1;  // > 0 forward, <= 0 backward
  std::string_view text;
  std::function<bool(std::string_view, std::int32_t)> stopTest;
};

// Runs a directional scan and returns the token; `object.position` is left
// where the scan ended.
std::string ScanToken(TTextObject& object);

// The path component ending at `position` ("\" separates components); a
// trailing "\" is skipped first. `position` ends on the "\" before the
// component, or 0 when there is none.
std::string ExtractPathPart(std::string_view s, std::int32_t& position);
// The next run of characters at or after `position` each of which is a
// decimal digit or a "-" directly followed by one; `position` ends just after.
std::string ExtractNumber(std::string_view s, std::int32_t& position);
// The next word at or after `position`. A character is a delimiter unless it
// is in `c`; it is one when it is in `b`; it is not when it is in `a`;
// otherwise ASCII codes 32-47 and 58-64 delimit. A character of `a` also
// ends the word before it. Sets compare upper-cased.
std::string ExtractWord(std::string_view s, std::int32_t& position, std::string_view a,
                        std::string_view b, std::string_view c);
// Runs of blanks reduced to one, no leading or trailing blank.
std::string CollapseSpaces(std::string_view s);
// 1-based position of the last `ch` in s (compared upper-cased), or -1.
std::int32_t LastCharPos(std::string_view s, char ch);

}  // namespace vaticor
