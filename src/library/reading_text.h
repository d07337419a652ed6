#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// A reading as text to share (copied to the clipboard): when it was made,
// the question when there is one, then one line per position. UTF-8, plain
// text, lines ended by "\n".

// One position of a reading.
struct ReadingPosition {
  std::int64_t number = 0;  // counted from 1
  // What the position means; empty for a position that says nothing (a
  // dealt card, a card of the main window's draw).
  std::string meaning;
  // The card's name in the current deck; none for a position without a card
  // (an empty or face-down one).
  std::optional<std::string> card;
  bool reversed = false;
};

// The words a reading's text is made of, in the interface language.
struct ReadingWords {
  std::string question;  // "Вопрос"
  std::string upright;   // "прямая"
  std::string reversed;  // "перевёрнута"
  std::string noCard;    // "нет карты"
};

// "<moment>\n", then "<question word>: <question>\n" unless the question is
// empty, then for each position "<number>. <meaning>: <card> (<upright or
// reversed>)\n" ("<number>. <card> (...)" without a meaning; the no-card
// word in place of card and turn for a position without a card). Texts
// from files and the user are put on one line each (OneLine): a question
// typed over several lines is one line of the reading.
std::string ReadingText(std::string_view moment, std::string_view question,
                        const std::vector<ReadingPosition>& positions, const ReadingWords& words);

// The largest picture of a reading's cards, in pixels: a side of at most
// kMaxReadingPictureSide and at most kMaxReadingPicturePixels in all (256
// MiB at 4 bytes a pixel). A table laid out on any real screen fits many
// times over; cards opened from a spread file may lie up to 32,767 pixels
// either way, and a picture of all of them would take gigabytes.
inline constexpr std::int64_t kMaxReadingPictureSide = 16384;
inline constexpr std::int64_t kMaxReadingPicturePixels = std::int64_t{64} * 1024 * 1024;
// Whether a picture `width` x `height` pixels may be made: both sides at
// least 1 and within the limits above.
bool ReadingPictureFits(std::int64_t width, std::int64_t height);

// The file name a reading's picture is offered under: "Vaticor <moment>.png"
// with every character a file name cannot hold on a common desktop ("/",
// "\", ":", "*", "?", quotes, "<", ">", "|", control characters) made "-".
std::string ReadingPictureFileName(std::string_view moment);

}  // namespace vaticor
