#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "library/journal.h"
#include "library/reading_log.h"

namespace vaticor {

// The card of the day: one card a local day, drawn the first time it is
// asked for and the same for the rest of that day however often it is
// asked, kept in the journal as an entry of kind kDayCard. The day is the
// user's local calendar date as the clock gives it now: a new card after
// local midnight, and after a change of time zone the date of the new zone
// (a day already past keeps the card it had).

// A local moment as the journal writes it ("2024-03-14T09:30:05").
std::string JournalMomentOf(const LocalDateTime& moment);

// The local day of a journal moment: its first ten characters
// ("2024-03-14"); a shorter text whole.
std::string JournalDayOf(std::string_view moment);

// The day's card of the day in the store: the newest of that day's entries
// of kind kDayCard; none when the day has none.
std::optional<JournalEntry> StoredDayCard(const JournalStore& store, const std::string& day);

// Today's card, found or drawn, with the one kept in memory for the run.
class DayCards {
 public:
  // A new card of the day stamped `moment` (a kDayCard entry of one
  // position); an entry without positions when no card can be drawn.
  using Draw = std::function<JournalEntry(const std::string& moment)>;
  // Records an entry; returns its id, 0 when it was not recorded.
  using Record = std::function<std::int64_t(const JournalEntry& entry)>;

  explicit DayCards(const LocalClock& clock) : clock_(&clock) {}

  // The local day now ("2024-03-14").
  std::string Today() const;

  // Today's card: the store's for today when it has one; else the one kept
  // for today in this run; else a new one drawn. A card not yet recorded is
  // recorded when `store` (nullptr: the journal is not open) can be written,
  // and is tried again at the next ask when that gave no id. A card kept
  // with an id is never recorded again (its entry deleted in the journal
  // stays deleted). None when no card can be drawn (no deck). What `record`
  // raises goes to the caller; the card stays kept, unrecorded.
  std::optional<JournalEntry> Card(const JournalStore* store, const Draw& draw,
                                   const Record& record);

 private:
  const LocalClock* clock_;
  std::optional<JournalEntry> kept_;
};

}  // namespace vaticor
