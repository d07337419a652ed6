#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/journal.h"

namespace vaticor {

class SqliteDatabase;

// A journal entry as rows of the journal's tables (platform/sqlite_journal.cpp
// holds the schema): the entry row, its positions, follow-ups and tags in
// their order, and its words in the full-text index. Each raises SqliteFault;
// the caller holds the transaction.

// The entry of `id` with all its rows; nothing when there is none.
std::optional<JournalEntry> ReadEntry(const SqliteDatabase& db, std::int64_t id);
// Adds the entry (its id ignored, its tags normalised) and returns its id.
std::int64_t InsertEntry(const SqliteDatabase& db, const JournalEntry& entry);
// Writes the entry's rows under `id`, the entry row apart.
void WriteParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& entry);
// Removes the rows under `id`, the entry row apart; `old` is the entry as
// stored, whose words are taken out of the index.
void RemoveParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& old);

// The WHERE clause of a filter ("1" when it takes everything) and its
// values, to be bound in order, all as text.
struct Condition {
  std::string sql;
  std::vector<std::string> texts;
};
Condition FilterCondition(const JournalFilter& filter);

}  // namespace vaticor
