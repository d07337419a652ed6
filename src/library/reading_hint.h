#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// What a reading line of the log holds, in words: the hint of the line in
// the log window. The line itself stays as the file has it ("[2] [-10]
// [41]"); its hint names the cards with the current deck's names. The line
// does not record the deck it was drawn from (older programs read the same
// file and know no field for it), so the hint says whose names it gives.

// The words the hint is made of, in the interface language.
struct ReadingHintTexts {
  std::string reversed;    // after a reversed card's name: "перевёрнута"
  std::string beyondDeck;  // for a position the deck has no card at
  // The hint's first line, followed by ": " and `currentDeck` when that is
  // not empty: that the reading's deck is unknown and whose names follow.
  std::string deckUnknown;
  std::string currentDeck;  // the current deck's display name
};

// The heading line (deckUnknown), then one line per card token of the
// reading's card part (ParseCardPart), in order, joined by "\n":
// "<position> - <name>", then " (<reversed>)" for a negative value;
// "<position> - <beyondDeck>" when `names` (the current deck's names in
// position order, GetCardNames) has no card there; a token without a valid
// number is left out. Empty, heading included, for a line without cards (a
// date line) or when no token holds a number. Names are plain text, taken as
// they are. Without a deckUnknown text there is no heading.
std::string ReadingLineHint(std::string_view line, const std::vector<std::string>& names,
                            const ReadingHintTexts& texts);

}  // namespace vaticor
