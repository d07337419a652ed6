#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// The reading journal: every reading kept with its question, cards, notes,
// follow-ups and tags, for years, and found again by words, tag, card and
// date. This is its model and the interface of its store; the SQLite store
// is platform/sqlite_journal.h, the in-memory one library/journal_fake.h.

// The journal's file, beside the settings file.
inline constexpr const char* kJournalFileName = "Vaticor.Journal";

// Where the journal lives: in the program's folder when that folder can be
// written, otherwise in "<XDG_DATA_HOME>/vaticor" (XDG_DATA_HOME empty or
// not absolute: "<home>/.local/share"). Empty when neither is known.
std::string JournalFilePath(const std::string& appFolder, bool appFolderWritable,
                            const std::string& xdgDataHome, const std::string& home);

enum class JournalKind {
  kDraw = 0,     // a main-window draw: one or three cards
  kSpread = 1,   // the card windows of a spread
  kDayCard = 2,  // the card of the day: one card, one entry a local day
};

// One card of an entry.
struct JournalPosition {
  int number = 0;         // the position's number in its reading, from 1
  std::string meaning;    // the position's description; empty for a draw
  std::int32_t card = 0;  // the card's place in its deck, from 0
  bool reversed = false;  // turned upside down
  std::string cardName;   // the card's name in its deck when recorded, for search
  bool operator==(const JournalPosition&) const = default;
};

// A note added later, stamped with its moment.
struct JournalFollowUp {
  std::string moment;  // as JournalEntry::moment
  std::string text;
  bool operator==(const JournalFollowUp&) const = default;
};

// One reading. Every text is plain UTF-8 kept as given (markup is
// characters); no length is limited here beyond what memory holds.
struct JournalEntry {
  std::int64_t id = 0;  // given by the store; 0 for an entry not yet stored
  // Local time as ISO 8601 text without a zone, "2024-03-14T09:30:05":
  // entries sort by this text, so the form is to be kept exactly.
  std::string moment;
  JournalKind kind = JournalKind::kDraw;
  std::string question;
  std::string spreadFile;  // the spread file's name; empty when none
  // A spread's table as the text of a spread file holding the reading
  // (the card windows' places and size, each position's card), so that it
  // can be laid out again when its file has gone; empty for a draw.
  std::string spreadTable;
  std::string deckFolder;         // the deck's folder name; empty when not known
  std::string descriptionFolder;  // the description set's folder name; empty when not known
  std::vector<JournalPosition> positions;
  std::string notes;  // multi-line plain text
  std::vector<JournalFollowUp> followUps;
  std::vector<std::string> tags;  // as NormaliseTags leaves them
  // Laid out with a physical deck and entered by hand, its cards named by
  // the reader rather than drawn by the program.
  bool physical = false;
  bool operator==(const JournalEntry&) const = default;
};

// A moment as the journal writes it ("2024-03-14T09:30:05"); values are
// written as given, zero-padded (a year of four digits).
std::string JournalMoment(int year, int month, int day, int hour, int minute, int second);

// How the moments of a month begin: "2024-03-" for March 2024; empty for a
// month outside 1 - 12.
std::string JournalMonthPrefix(int year, int month);

// Tags as stored: blanks around each cut, line breaks and tabs made blanks,
// empty ones dropped, a tag equal to an earlier one (as EqualsIgnoreCase
// compares) dropped; the order otherwise kept.
std::vector<std::string> NormaliseTags(std::span<const std::string> tags);

// The words of a text: runs of characters between blanks and punctuation
// (ASCII's, and outside ASCII the common ones: «», dashes, typographic
// quotes, the ellipsis, no-break spaces, ...). Other characters count as
// letters here; the SQLite store's own word rules decide the rest there. A
// search word made of punctuation only would find nothing in that store.
std::vector<std::string> TextWords(std::string_view text);
// The words of a search text, each to match the start of a word of an
// entry: the first kMaxSearchWords of TextWords.
inline constexpr std::size_t kMaxSearchWords = 16;
std::vector<std::string> SearchWords(std::string_view text);

// What List returns: every condition given must hold. Each member has an
// initializer, so a filter names only what it sets: {.tag = "work"}.
struct JournalFilter {
  // Each word (SearchWords) begins a word of the question, notes,
  // follow-ups, tags, spread file name or card names, letters compared
  // without case (and, in the SQLite store, without accents). Empty: any.
  std::string text{};
  std::string tag{};                   // an exact tag (as stored); empty: any
  std::optional<std::int32_t> card{};  // a card number in any position, either turn
  // Moments compared as text: from <= moment, and the moment's first
  // to.size() characters <= to; so "2024-03-14" as `to` takes that whole
  // day. Empty: no bound.
  std::string from{};
  std::string to{};
};

// --- What the store counts for the statistics ---
// Each is counted by the store itself from the columns it needs (the SQLite
// store: one pass along its index of moments), never by reading whole
// entries, so that 100,000 entries are counted in a tenth of a second.

// The entries of one local day and their cards.
struct JournalDayTally {
  std::string day;            // "2024-03-14": the first ten characters of the moments
  std::int64_t readings = 0;  // entries
  std::int64_t cards = 0;     // their positions
  std::int64_t reversed = 0;  // of which reversed
  bool operator==(const JournalDayTally&) const = default;
};

// How often one card of one deck was recorded, in each turn.
struct JournalCardTally {
  std::string deckFolder;  // as JournalEntry::deckFolder
  std::int32_t card = 0;   // as JournalPosition::card
  std::int64_t upright = 0;
  std::int64_t reversed = 0;
  // One name the card was recorded under in that deck (the greatest by
  // its bytes, so that the count is the same whatever the order); may be
  // empty.
  std::string cardName;
  bool operator==(const JournalCardTally&) const = default;
};

// How many entries used one deck, description set, kind and spread file.
struct JournalUseTally {
  JournalKind kind = JournalKind::kDraw;
  std::string deckFolder;
  std::string descriptionFolder;
  std::string spreadFile;
  std::int64_t readings = 0;
  bool operator==(const JournalUseTally&) const = default;
};

// Everything a filter takes, counted. Each list is sorted by its members
// in their order (days ascending, so the first and last are the period).
struct JournalTally {
  std::int64_t readings = 0;  // entries the filter takes
  std::vector<JournalDayTally> days;
  std::vector<JournalCardTally> cards;  // by deckFolder, then card
  std::vector<JournalUseTally> uses;    // by kind, deckFolder, descriptionFolder, spreadFile
  bool operator==(const JournalTally&) const = default;
};

// One position of a recent entry.
struct JournalRecentCard {
  std::int64_t entry = 0;
  std::string moment;
  std::int32_t card = 0;
  bool reversed = false;
  std::string deckFolder;
  std::string cardName;
  bool operator==(const JournalRecentCard&) const = default;
};

// One day of a month in the calendar: the day's card of the day (the
// newest when there are several) and how many other entries it has.
struct JournalMonthDay {
  std::string day;                 // "2024-03-14"
  std::int64_t otherReadings = 0;  // entries of the day that are no card of the day
  // The card of the day's entry; 0: none that day (an entry of that kind
  // without a card is none).
  std::int64_t dayCardEntry = 0;
  std::int32_t dayCard = 0;  // its card, turn and deck when there is one
  bool dayCardReversed = false;
  std::string dayCardDeck;
  bool operator==(const JournalMonthDay&) const = default;
};

// The reader's own meaning of a card, kept by the card's identity
// (library/card_identity.h) so that it follows the reader from deck to
// deck. Plain UTF-8 texts kept as given (markup is characters).
struct ReaderMeaning {
  // Each member has an initializer, so a meaning names only what it sets.
  std::int32_t identity = 0;  // 0 - 77
  std::string uprightKeywords{};
  std::string uprightNotes{};
  std::string reversedKeywords{};
  std::string reversedNotes{};
  // No text at all: the card has no meaning of the reader's.
  bool Empty() const {
    return uprightKeywords.empty() && uprightNotes.empty() && reversedKeywords.empty() &&
           reversedNotes.empty();
  }
  bool operator==(const ReaderMeaning&) const = default;
};

// Raises std::invalid_argument for an identity outside 0 - 77: what a
// store's SetReaderMeaning checks first.
void CheckReaderMeaningIdentity(std::int32_t identity);

// The store. Writes are whole or not at all: a failure or a crash leaves
// no torn entry.
//
// Failures: a write the store cannot make (a read-only journal, a full
// disk, another copy of the program holding it past the wait) raises
// WriteFailure naming the journal's file, and nothing is changed. A store
// that cannot read its file any more raises JournalFault.
class JournalStore {
 public:
  virtual ~JournalStore() = default;

  // Stores a new entry (its id ignored, its tags normalised) and returns
  // its id, greater than every id given before.
  virtual std::int64_t Add(const JournalEntry& entry) = 0;
  // Replaces the entry of entry.id whole; false when there is none.
  virtual bool Update(const JournalEntry& entry) = 0;
  // Removes an entry; false when there is none.
  virtual bool Remove(std::int64_t id) = 0;
  virtual std::optional<JournalEntry> Get(std::int64_t id) const = 0;
  // The entries the filter takes, newest first (by moment, then by id),
  // skipping `offset` of them and returning at most `limit`.
  virtual std::vector<JournalEntry> List(const JournalFilter& filter, std::size_t offset,
                                         std::size_t limit) const = 0;
  // How many entries the filter takes.
  virtual std::size_t Count(const JournalFilter& filter) const = 0;
  // Every tag in use, once each, sorted by their bytes.
  virtual std::vector<std::string> AllTags() const = 0;

  // The entries the filter takes, counted (see JournalTally).
  virtual JournalTally Tally(const JournalFilter& filter) const = 0;
  // The positions of the newest `readings` entries the filter takes: the
  // newest entry first (as List orders them), each entry's positions in
  // their order.
  virtual std::vector<JournalRecentCard> RecentCards(const JournalFilter& filter,
                                                     std::size_t readings) const = 0;
  // The days of a month (1 - 12) that have entries, ascending; a month
  // outside the calendar gives none.
  virtual std::vector<JournalMonthDay> Month(int year, int month) const = 0;

  // The reader's meanings that are not empty, by identity ascending.
  virtual std::vector<ReaderMeaning> ReaderMeanings() const = 0;
  // One card's meaning; an empty one when the reader has none.
  virtual ReaderMeaning GetReaderMeaning(std::int32_t identity) const = 0;
  // Keeps a card's meaning in place of the one it had; an empty meaning
  // removes it. Raises std::invalid_argument for an identity outside
  // 0 - 77 (nothing is written).
  virtual void SetReaderMeaning(const ReaderMeaning& meaning) = 0;

  // The reading log's import: whether it was made, and making it - all the
  // entries and the mark, in one write, so an import cut short is made
  // again whole.
  virtual bool LogImported() const = 0;
  virtual void AddImported(std::span<const JournalEntry> entries) = 0;

  // True when the journal can only be read (see the store's notice).
  virtual bool ReadOnly() const = 0;

  // Work a store may put off from its writes to a moment the program is
  // idle (SQLite: moving its write-ahead log into the database file), so
  // that no recorded reading waits for it. Nothing by default.
  virtual void TidyWhenIdle() {}
};

// An unexpected fault of the store's file (an I/O error, a file damaged
// while open): what() is the program's English wording.
class JournalFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vaticor
