#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"
#include "library/spread_picker.h"

namespace vaticor {

// The main window's draw of one card or three, apart from the window.

// The major arcana, the cards 0 to 21 of every deck.
inline constexpr std::int32_t kMajorArcanaCount = 22;

// How many cards a draw picks from: the 22 major arcana, or every card file
// of a larger deck (`filesCount`, its "Files" entries) when the draw is not
// limited to the major arcana. A smaller deck still draws from 22: its
// missing cards show no picture.
std::int32_t EligibleCards(std::int32_t filesCount, bool onlyMajorArcana);

// Draws `cards` distinct signed card values from the first `eligible`
// cards: for each, a coin first (random.Random(2), 1 = reversed), then a
// card from `picker`, which is sized to `eligible` and gathered (without
// seeding the generator: picks of one draw must continue its sequence).
// Card 0 reversed is 0. Past an exhausted picker a value is kNoCard.
std::vector<std::int32_t> DrawReading(RandomGenerator& random, TCardsSpreadGenerator& picker,
                                      std::int32_t eligible, int cards);

}  // namespace vaticor
