#pragma once

#include <memory>
#include <string>

#include "core/user_failure.h"
#include "library/journal.h"

namespace vaticor {

class SqliteDatabase;

// What opening the journal found that the user is to hear of. `message` is
// the program's English wording; a window words it in the interface
// language from the kind and the subject.
struct JournalNotice {
  enum class Kind {
    kNone,
    // The journal was written by a newer version of the program: it is
    // open read-only and never altered. Subject: the journal's file.
    kNewerVersion,
    // The file cannot be written (its permissions, a read-only disk): it
    // is open read-only. Subject: the journal's file.
    kReadOnlyFile,
    // The file in the journal's place was no journal of ours or could not
    // be read: it was renamed aside (never deleted) and a new journal
    // started. Subject: the name it now has.
    kRenamedAside,
  };
  Kind kind = Kind::kNone;
  std::string subject;
  std::string message;
};

// The journal in a SQLite database (FTS5 full-text search, WAL journal
// mode). One object is one connection, to be used from one thread at a
// time; two programs may hold the same file: a write waits up to
// kJournalBusyWaitMs for the other's to end, then fails.
//
// The schema's version is the database's user_version; an older journal is
// brought up to this version when opened, each step in one transaction.
//
// Search: words are matched at the start of the entry's words (questions,
// notes, follow-ups, tags, spread file names, card names), letters compared
// without case and without accents ("é" finds "e" and "E"; Cyrillic letters
// fold their case, "Й" and "Ё" keep their marks: SQLite's unicode61 word
// rules with remove_diacritics 2).
class SqliteJournal : public JournalStore {
 public:
  // Opens the journal at `path`, making it (and its folder) when missing.
  // A file there that is damaged or is not a journal is renamed aside to
  // "<path>.unreadable-<n>" (the first n from 1 not taken), with its
  // "-wal" and "-shm" files, and a new journal made; Notice() says so.
  // Raises WriteFailure naming `path` when no journal can be made or the
  // file set aside cannot be renamed.
  explicit SqliteJournal(const std::string& path);
  ~SqliteJournal() override;
  SqliteJournal(const SqliteJournal&) = delete;
  SqliteJournal& operator=(const SqliteJournal&) = delete;

  const JournalNotice& Notice() const { return notice_; }
  const std::string& Path() const { return path_; }

  std::int64_t Add(const JournalEntry& entry) override;
  bool Update(const JournalEntry& entry) override;
  bool Remove(std::int64_t id) override;
  std::optional<JournalEntry> Get(std::int64_t id) const override;
  std::vector<JournalEntry> List(const JournalFilter& filter, std::size_t offset,
                                 std::size_t limit) const override;
  std::size_t Count(const JournalFilter& filter) const override;
  std::vector<std::string> AllTags() const override;
  JournalTally Tally(const JournalFilter& filter) const override;
  std::vector<JournalRecentCard> RecentCards(const JournalFilter& filter,
                                             std::size_t readings) const override;
  std::vector<JournalMonthDay> Month(int year, int month) const override;
  std::vector<ReaderMeaning> ReaderMeanings() const override;
  ReaderMeaning GetReaderMeaning(std::int32_t identity) const override;
  void SetReaderMeaning(const ReaderMeaning& meaning) override;
  bool LogImported() const override;
  void AddImported(std::span<const JournalEntry> entries) override;
  bool ReadOnly() const override { return readOnly_; }
  // Once ShareLogOnlyWhenIdle was asked for: the log moved into the file
  // now, as far as no reader of another copy of the program holds it back.
  void TidyWhenIdle() override;
  // From now on this connection's writes leave the log to grow until
  // TidyWhenIdle (otherwise every thousandth page written moves it, inside
  // the write that crossed the mark: up to tens of milliseconds).
  void ShareLogOnlyWhenIdle();

  // Writes the whole journal, as it is at this moment, to the file at
  // `path` (SQLite's online backup: the journal stays usable meanwhile and
  // other copies of the program may go on writing it). The copy is one
  // SQLite file without a write-ahead log, made as a temporary file beside
  // `path` (".<name>.<16 hex digits>.tmp") and renamed over it, so `path` is
  // the old file or the whole copy. Works on a read-only journal too.
  // Raises WriteFailure naming `path` when it cannot be written (or names
  // the journal's own file).
  void BackupTo(const std::string& path) const;

  // Replaces every entry of the journal by those of the backup at `path`,
  // through this connection, which stays usable; other copies of the
  // program see the restored journal at their next read. Before that, a
  // safety copy of the journal as it was is made beside it (BackupTo),
  // named "<journal>.before-restore-<n>" with the first n from 1 not taken;
  // its path is returned. A backup of an older version is brought up to
  // this one. `path` naming the journal's own file changes nothing and
  // returns "".
  //
  // Failures, each leaving the journal unchanged: a file that is not a
  // journal of this program (another application_id, no SQLite file, a
  // version this program cannot write, one `PRAGMA quick_check` finds
  // damaged, or no file at all) raises NotAJournalFailure naming `path`,
  // before any safety copy is made; a read-only journal, or one another
  // program holds past the wait, raises WriteFailure naming the journal's
  // file; a safety copy that cannot be made raises WriteFailure naming it.
  //
  // Both hold this connection for the whole copy (for 100,000 entries, a
  // 76 MB file: about 0.2 s to back up, 0.6 s to restore, debug build), so
  // a window may rather run them on a journal object of its own off its
  // thread.
  std::string RestoreFrom(const std::string& path);

 private:
  // Opens the file at path_; raises the SQLite fault met.
  void Open();
  void BeReadOnly(JournalNotice::Kind kind, const char* why);
  // Renames the file at path_ aside and says so in notice_.
  void SetAside();
  // Runs `write` in one transaction; any failure rolls it back and raises
  // WriteFailure naming the journal's file.
  template <typename Write>
  auto InTransaction(Write&& write);

  std::string path_;
  std::unique_ptr<SqliteDatabase> db_;
  bool readOnly_ = false;
  // What an older journal open for reading only lacks: its entries are then
  // none physical and it holds no reader's meanings.
  bool physicalColumn_ = true;
  bool meaningTable_ = true;
  JournalNotice notice_;
};

// A file that RestoreFrom refuses: kind UserFailure::Kind::kNotAJournal,
// subject the file; what() says why in the program's English wording.
class NotAJournalFailure : public UserFailure {
 public:
  NotAJournalFailure(const std::string& fileName, const std::string& why)
      : UserFailure(Kind::kNotAJournal, fileName, "The file " + fileName + why) {}
};

// How long a write waits for another program's write to end.
inline constexpr int kJournalBusyWaitMs = 5000;
// The schema version this program writes.
inline constexpr int kJournalSchemaVersion = 2;
// The database's application_id ("VTJ1"): a SQLite file with tables and
// another application_id is not a journal.
inline constexpr int kJournalApplicationId = 0x56544A31;

}  // namespace vaticor
