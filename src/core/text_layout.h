#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// How texts from files (card names, spread positions, language files) are
// laid out so that no hint or menu item grows wider than the screen.

// Hints wrap at this many characters: a readable line in any font.
inline constexpr std::size_t kHintLineLength = 60;

// `text` (UTF-8) with line breaks ("\n") added so that no line is longer than
// `lineLength` characters (code points; a stray continuation byte counts with
// the character before it, so a character is never split). A line breaks at
// its last blank (" ") that leaves it at most `lineLength` long, that blank
// giving way to the break; a word longer than a line is cut after
// `lineLength` characters. Existing line breaks are kept, and a text without
// over-long lines comes back as it was. A `lineLength` of 0 is taken as 1.
std::string WrapLines(std::string_view text, std::size_t lineLength = kHintLineLength);

// A menu item showing a name from a file is cut to about this many average
// characters.
inline constexpr int kMenuCaptionLength = 50;

// The widest a menu caption from a file may be, in pixels: kMenuCaptionLength
// characters of `averageCharWidth` pixels, but no more than a third of a
// screen `screenWidth` pixels wide, so a submenu beside the main menu still
// fits; at least one character. A width of 0 or less (unknown) sets no
// limit of its own: an unknown character width counts as 1 pixel, an
// unknown screen as no screen limit.
int MenuCaptionWidth(int averageCharWidth, int screenWidth);

// `text` (UTF-8) as one line: every control character (line breaks and tabs
// included) becomes a blank, runs of blanks one blank, none at either end.
// For texts from files and the user shown or copied in a line of their own.
std::string OneLine(std::string_view text);

// The width in pixels a line of UTF-8 text takes in the font it is drawn in.
using TextWidthMeasure = std::function<int(std::string_view line)>;

// The ellipsis that ends a text cut short ("…", U+2026).
inline constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// The first words of `text` (UTF-8; blanks and control characters separate
// words) laid out in a box `width` x `height` pixels with lines `lineHeight`
// pixels high: each line takes words as long as `measure` says the line
// fits `width`; a word wider than a line is cut after the characters that
// fit (a character is never split) and goes on on the next line. At most
// height / lineHeight lines. When the text does not all fit, the last line
// ends in kEllipsis, its last characters giving way for it. No line for a
// box that holds none (a size or line height of 0 or less) or for a text
// without words; a line too narrow for even the ellipsis is left out.
std::vector<std::string> FitTextLines(std::string_view text, int width, int height, int lineHeight,
                                      const TextWidthMeasure& measure);

// What the face of a card window without a picture shows: the position's
// number (counted from 1) on the first line, then the first words of what
// the position means (FitTextLines in the room left). Nothing when the box
// holds no line or the number does not fit its width.
std::vector<std::string> PositionFaceLines(std::int64_t number, std::string_view meaning, int width,
                                           int height, int lineHeight,
                                           const TextWidthMeasure& measure);

}  // namespace vaticor
