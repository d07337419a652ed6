#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"

namespace vaticor {

// The main window's draw of one card or three, apart from the window.

// How many cards a draw picks from: the current deck's cards whose picture
// file is present (positions 0 .. n - 1), of the major arcana alone when the
// draw is limited to them and the deck lists more. A card whose picture is
// missing is never drawn: it would show nothing yet be logged as a card.
std::int32_t EligibleCards(TTaroDecks& decks, bool onlyMajorArcana);

// Draws `cards` distinct signed card values from the first `eligible`
// cards: for each, a coin first (random.Random(2), 1 = reversed), then a
// card from `picker`, which is sized to `eligible` and gathered (without
// seeding the generator: picks of one draw must continue its sequence).
// Card 0 reversed is 0. Past an exhausted picker a value is kNoCard.
std::vector<std::int32_t> DrawReading(RandomGenerator& random, TCardsSpreadGenerator& picker,
                                      std::int32_t eligible, int cards);

// One card of the current deck drawn as a main-window draw of one card is
// (EligibleCards, then DrawReading), its sign kept only while reversed
// cards are in use, as the main window shows it: the card of the day.
// kNoCard when the deck offers no card.
std::int32_t DrawOneCard(RandomGenerator& random, TCardsSpreadGenerator& picker, TTaroDecks& decks,
                         bool onlyMajorArcana, bool reversedCards);

}  // namespace vaticor
