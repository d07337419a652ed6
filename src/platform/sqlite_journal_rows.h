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

// The ids of the entries a filter takes, newest first (by moment, then by
// id), skipping `offset` of them and giving at most `limit`.
std::vector<std::int64_t> ListIds(const SqliteDatabase& db, const JournalFilter& filter,
                                  std::size_t offset, std::size_t limit);
// How many entries a filter takes. The rows of words, tags and positions
// are there exactly while their entry is (one transaction writes them all),
// so an entry is counted where those rows are.
std::size_t CountEntries(const SqliteDatabase& db, const JournalFilter& filter);

}  // namespace vaticor
