#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "library/journal.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

// Journal entries of what is on the table, with the current deck's card
// names (for search) and the folders of the deck and description set in use.

// One card as a position of an entry: `value` is a signed card value as the
// log and the card windows hold it (negative: reversed); the name is the
// current deck's, empty for a card it lacks.
JournalPosition JournalPositionOf(int number, std::int32_t value, std::string meaning,
                                  TTaroDecks& decks);

// A main-window draw: the values as logged, one or three; a value of
// kNoCard (an exhausted picker) is no card and gives no position.
JournalEntry DrawJournalEntry(std::string moment, std::span<const int> values, std::string question,
                              TTaroDecks& decks, const TTaroDescriptions& descriptions);

// The card of the day (a kDayCard entry): one card as DrawJournalEntry
// takes it (kNoCard gives no position), tagged `tag`.
JournalEntry DayCardJournalEntry(std::string moment, std::int32_t value, std::string tag,
                                 TTaroDecks& decks, const TTaroDescriptions& descriptions);

// The folders of the deck and description set in use into `entry` (empty
// for none).
void SetJournalContent(JournalEntry& entry, const TTaroDecks& decks,
                       const TTaroDescriptions& descriptions);

// Imported readings (no deck known) given the current deck's card names,
// so that a search by a card's name finds them as it finds new ones.
void NameJournalCards(std::span<JournalEntry> entries, TTaroDecks& decks);

}  // namespace vaticor
