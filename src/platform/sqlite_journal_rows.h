#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/journal.h"

namespace vaticor {

class SqliteDatabase;
class SqliteStatement;

// A journal entry as rows of the journal's tables (platform/sqlite_journal.cpp
// holds the schema): the entry row, its positions, follow-ups and tags in
// their order, and its words in the full-text index. Each raises SqliteFault;
// the caller holds the transaction.

// A stored kind; a number no kind has (written by a newer program) is a draw.
JournalKind KindOf(std::int64_t stored);
// The entry of `id` with all its rows; nothing when there is none.
// `physicalColumn`: the entry table has the column "physical" (a journal
// of version 2 or later; an older one open for reading only has not).
std::optional<JournalEntry> ReadEntry(const SqliteDatabase& db, std::int64_t id,
                                      bool physicalColumn = true);
// Adds the entry (its id ignored, its tags normalised) and returns its id.
// The reader's meanings that are kept, by identity; one card's (an empty
// one when none is kept); one kept in place of the card's, or removed when
// it is empty. For a journal of version 2 or later.
std::vector<ReaderMeaning> ReadReaderMeanings(const SqliteDatabase& db);
ReaderMeaning ReadReaderMeaning(const SqliteDatabase& db, std::int32_t identity);
void WriteReaderMeaning(const SqliteDatabase& db, const ReaderMeaning& meaning);

std::int64_t InsertEntry(const SqliteDatabase& db, const JournalEntry& entry);
// Writes the entry's rows under `id`, the entry row apart.
void WriteParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& entry);
// Removes the rows under `id`, the entry row apart; `old` is the entry as
// stored, whose words are taken out of the index.
void RemoveParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& old);

// A filter as SQL: conditions on the moment, which the index of moments
// answers, and sets of entry ids (each a SELECT of a column "id") that a
// taken entry is in every one of; the values of each, to be bound in order.
struct Condition {
  std::string range = "1";
  std::vector<std::string> rangeValues;
  std::vector<std::string> sets;
  std::vector<std::string> setValues;
  bool setsRepeat = false;  // a set may give an id more than once
};
Condition FilterCondition(const JournalFilter& filter);
// "FROM entry ... WHERE ...": the entries of the moments' range that are in
// every set, read along the index of moments, with `join` (a JOIN clause
// on entry.id; its tables have no column "moment" or "id") after the
// entry. Each set is made once, each entry of the range looked up in them,
// and a list stops at the page's end instead of sorting every entry the
// sets hold (29,000 for a search of one letter in 100,000).
std::string AlongMoments(const Condition& condition, std::string_view join = {});
// Binds `first` then `then` from parameter 1; returns the next parameter.
int BindAll(SqliteStatement& statement, const std::vector<std::string>& first,
            const std::vector<std::string>& then);
// A count as SQLite's LIMIT takes it (at most INT64_MAX).
std::int64_t SqlCount(std::size_t count);

// The ids of the entries a filter takes, newest first (by moment, then by
// id), skipping `offset` of them and giving at most `limit`.
std::vector<std::int64_t> ListIds(const SqliteDatabase& db, const JournalFilter& filter,
                                  std::size_t offset, std::size_t limit);
// How many entries a filter takes. The rows of words, tags and positions
// are there exactly while their entry is (one transaction writes them all),
// so an entry is counted where those rows are.
std::size_t CountEntries(const SqliteDatabase& db, const JournalFilter& filter);

}  // namespace vaticor
