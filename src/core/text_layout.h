#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

}  // namespace vaticor
