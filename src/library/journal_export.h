#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "library/journal.h"

namespace vaticor {

// Journal entries written out for other programs: JSON for programs and
// people who keep their data, CSV for spreadsheets. Every text is written
// as UTF-8; bytes of an entry that are no valid UTF-8 are written as U+FFFD,
// so the output is always valid UTF-8 (and valid JSON).

enum class JournalExportFormat { kJson, kCsv };

// JSON: one object, one entry a line (LF line ends), keys as below:
//   {"format":"vaticor-journal","version":1,"entries":[
//   {"id":7,"moment":"2024-03-14T09:30:05","kind":"spread","question":"...",
//    "spreadFile":"Celtic.spread","spreadTable":"...","deckFolder":"...",
//    "descriptionFolder":"...",
//    "positions":[{"number":1,"meaning":"...","card":16,"cardName":"The Tower",
//                  "reversed":true}],
//    "notes":"...","followUps":[{"moment":"...","text":"..."}],"tags":["..."],
//    "physical":false}
//   ],
//   "readerMeanings":[{"identity":36,"uprightKeywords":"...","uprightNotes":"...",
//                      "reversedKeywords":"...","reversedNotes":"..."}]}
// "moment" is the entry's local time as stored, ISO 8601 without a zone;
// "kind" is "draw", "spread" or "dayCard" (the card of the day); "card" is the card's place in its
// deck from 0; "spreadTable" is the spread's table as the text of a spread file ("" for a draw),
// left out of the CSV; "physical" is true for a reading laid out with a physical deck and entered
// by hand. "readerMeanings" are the reader's own meanings of the cards by their identity (0 - 77,
// library/card_identity.h), whatever the filter; they are left out of the CSV. Every control
// character is escaped (\n, \t, ..., \u0001, and those of Latin-1, U+0080-U+009F), and so are
// U+2028 and U+2029, which JavaScript takes for line ends. A reader is to ignore keys it does not
// know: a later version may add some.
inline constexpr const char* kJournalJsonFormat = "vaticor-journal";
inline constexpr int kJournalJsonVersion = 1;

// CSV (RFC 4180): a UTF-8 byte-order mark (so spreadsheet programs take the
// text for UTF-8, Cyrillic included), a header row, then one row per entry,
// rows ended by CRLF. A field holding a comma, a quote, CR or LF is quoted,
// its quotes doubled; line breaks inside a field stay as the text has them.
// Columns: id, moment, kind (a physical reading's with its word in
// brackets: "spread (physical deck)"), question, spread file, deck, description set,
// cards ("1. The Tower (reversed); 2. Ace of Cups"; a card recorded without
// its name as its number in brackets, "[16]"), notes, follow-ups (one a
// line, "<moment> <text>"), tags (joined by ", ").
//
// A field that a spreadsheet program would take for a formula (its first
// character "=", "+", "-", "@", a tab or CR) is written with an apostrophe
// before it: spreadsheets show such a cell as the text itself, and the
// apostrophe keeps an entry's text from running as a formula when the file
// is opened. The apostrophe is then part of the cell for other readers.
inline constexpr std::size_t kJournalCsvColumns = 11;

// The CSV's words, for a caller that writes them in the interface language;
// the defaults are English.
struct JournalCsvWords {
  std::array<std::string, kJournalCsvColumns> header{
      "id",           "moment", "kind",  "question",   "spread file", "deck",
      "descriptions", "cards",  "notes", "follow-ups", "tags"};
  std::string draw = "draw";
  std::string spread = "spread";
  std::string dayCard = "day card";
  std::string reversed = "reversed";
  std::string physical = "physical deck";
};

// Any table (the journal's statistics, say) as CSV written as above: the
// mark, each row's fields quoted and guarded as the entries' fields are,
// rows ended by CRLF. Rows may differ in length.
std::string CsvTable(const std::vector<std::vector<std::string>>& rows);

// Writes entries in batches, so that a whole journal never has to be held
// at once: construction appends the head (JSON: the object's start; CSV:
// the mark and the header row) to `out`, each Add the given entries, and
// Finish the end (JSON only). The caller may take what `out` holds and clear
// it between calls. `out` must outlive the writer. Raises nothing but
// std::bad_alloc.
class JournalExportWriter {
 public:
  JournalExportWriter(JournalExportFormat format, std::string& out, JournalCsvWords words = {});
  void Add(std::span<const JournalEntry> entries);
  // JSON: ends the entries and gives the reader's meanings; CSV: nothing.
  // At most once, after the last Add and before Finish.
  void AddReaderMeanings(std::span<const ReaderMeaning> meanings);
  void Finish();
  std::size_t Written() const { return written_; }  // entries added so far

 private:
  void AddJson(const JournalEntry& entry);
  void AddCsv(const JournalEntry& entry);

  JournalExportFormat format_;
  std::string& out_;
  JournalCsvWords words_;
  std::size_t written_ = 0;
  bool meanings_ = false;  // AddReaderMeanings was called
};

// How many entries ExportJournal reads from the store at a time.
inline constexpr std::size_t kJournalExportPage = 256;

// Writes the entries `filter` takes, newest first, from `store` to the file
// at `path` in `format` (JSON: with all the reader's meanings), reading kJournalExportPage entries
// at a time, and returns how many were written. The file is replaced whole or not at all
// (WriteFileAtomically): the output is held in memory once until then, the
// entries a page at a time. Entries another program adds or removes while
// this runs may shift the pages by as many entries. 100,000 entries from
// the SQLite store take some seconds (7 s as JSON in a debug build): a
// window is to run it off its thread, on a store of its own.
//
// Failures: a file that cannot be written raises WriteFailure naming `path`
// and leaves any old file there as it was; a store that cannot be read
// raises what its List raises (JournalFault).
std::size_t ExportJournal(const JournalStore& store, const JournalFilter& filter,
                          JournalExportFormat format, const std::string& path,
                          const JournalCsvWords& words = {});

}  // namespace vaticor
