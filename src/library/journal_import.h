#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "library/journal.h"
#include "library/reading_log.h"
#include "library/taro_decks.h"

namespace vaticor {

// The one-time import of the reading log ("Vaticor.Log") into the journal.

// The log's readings as journal entries (draws, in the log's order): the
// moment from the date line above and the reading's time, the cards with
// their turn (positions 1 - 3, no meanings, no card names: the log keeps
// no deck), the question.
//
// A reading line is read only when all of it is certain, otherwise it is
// counted in `unreadable` and skipped, never guessed: no date line above
// it that reads as a date; a time that does not read as one (its hour,
// minute and second, with the morning and evening words of the user's
// format when the format has them); no card token, a token that holds no
// number, or fewer tokens than the card count its form shows. The order
// of day, month and year in date lines and the morning and evening words
// are learned from `format` (the user's formats, which wrote the log).
struct LogReadings {
  std::vector<JournalEntry> entries;
  int unreadable = 0;
};
LogReadings ReadLogReadings(std::span<const std::string_view> lines, const DateTimeFormat& format);

// Imports the log into the store once: nothing when store.LogImported();
// otherwise every readable reading and the mark in one write
// (JournalStore::AddImported), the cards named from `names` when given
// (NameJournalCards). Returns the count of unreadable lines skipped (0 when
// nothing was done). Raises what AddImported raises.
int ImportReadingLog(JournalStore& store, std::span<const std::string_view> lines,
                     const DateTimeFormat& format, TTaroDecks* names = nullptr);

}  // namespace vaticor
