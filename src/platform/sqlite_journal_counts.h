#pragma once

#include <cstddef>
#include <vector>

#include "library/journal.h"

namespace vaticor {

class SqliteDatabase;

// What the journal counts for its statistics and calendar (JournalStore's
// Tally, RecentCards and Month), read from the journal's tables
// (platform/sqlite_journal.cpp holds the schema) without reading whole
// entries. Each raises SqliteFault.
//
// Tally reads the taken entries along the index of moments, each driving
// its positions by the positions' key, in one pass, and counts the rows as
// they come: SQLite groups only by sorting every row, and the three
// groupings (days, cards of each deck, uses) sorted apart took three times
// as long as the one pass (100,000 entries, 245,000 positions).
JournalTally TallyEntries(const SqliteDatabase& db, const JournalFilter& filter);
std::vector<JournalRecentCard> RecentPositions(const SqliteDatabase& db,
                                               const JournalFilter& filter, std::size_t readings);
std::vector<JournalMonthDay> MonthDays(const SqliteDatabase& db, int year, int month);

}  // namespace vaticor
