#include "platform/sqlite_journal.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include "core/file_io.h"
#include "core/user_failure.h"
#include "platform/sqlite_database.h"
#include "platform/sqlite_journal_counts.h"
#include "platform/sqlite_journal_rows.h"

namespace vaticor {

namespace {

// The steps that bring a journal from one version to the next: step i
// makes version i + 1 of version i (0: an empty database).
constexpr const char* kMigrations[] = {
    R"sql(
CREATE TABLE entry(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  moment TEXT NOT NULL,
  kind INTEGER NOT NULL,
  question TEXT NOT NULL,
  spread_file TEXT NOT NULL,
  deck_folder TEXT NOT NULL,
  description_folder TEXT NOT NULL,
  notes TEXT NOT NULL,
  spread_table TEXT NOT NULL);
CREATE INDEX entry_by_moment ON entry(moment, id);
CREATE TABLE position(
  entry INTEGER NOT NULL, ord INTEGER NOT NULL, number INTEGER NOT NULL,
  meaning TEXT NOT NULL, card INTEGER NOT NULL, reversed INTEGER NOT NULL,
  card_name TEXT NOT NULL, PRIMARY KEY(entry, ord)) WITHOUT ROWID;
CREATE INDEX position_by_card ON position(card, entry);
CREATE TABLE follow_up(
  entry INTEGER NOT NULL, ord INTEGER NOT NULL, moment TEXT NOT NULL, text TEXT NOT NULL,
  PRIMARY KEY(entry, ord)) WITHOUT ROWID;
CREATE TABLE tag(
  entry INTEGER NOT NULL, ord INTEGER NOT NULL, name TEXT NOT NULL,
  PRIMARY KEY(entry, ord)) WITHOUT ROWID;
CREATE INDEX tag_by_name ON tag(name, entry);
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
-- The searched words only: the texts themselves are in the tables above.
CREATE VIRTUAL TABLE entry_words USING fts5(
  question, notes, follow_ups, tags, spread, cards,
  content='', tokenize='unicode61 remove_diacritics 2');
)sql",
    R"sql(
ALTER TABLE entry ADD COLUMN physical INTEGER NOT NULL DEFAULT 0;
CREATE TABLE reader_meaning(
  identity INTEGER PRIMARY KEY,
  upright_keywords TEXT NOT NULL, upright_notes TEXT NOT NULL,
  reversed_keywords TEXT NOT NULL, reversed_notes TEXT NOT NULL);
)sql",
};
static_assert(std::size(kMigrations) == kJournalSchemaVersion);

// `stem` followed by the first number from 1 that names no file.
std::string FirstFreeName(const std::string& stem) {
  for (int n = 1;; ++n) {
    std::string name = stem + std::to_string(n);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(name, error))) return name;
  }
}

// Moves a file aside under `aside` when it is there; false when it is
// there and cannot be moved.
bool MoveAside(const std::string& path, const std::string& aside) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return true;
  std::filesystem::rename(path, aside, error);
  return !error;
}

}  // namespace

// ---------------------------------------------------------------------------
// Opening

namespace {

// The first bytes of every SQLite database file.
constexpr std::string_view kDatabaseHeader{"SQLite format 3\0", 16};

bool IsDamaged(int code) { return code == SQLITE_NOTADB || code == SQLITE_CORRUPT; }

// The file's schema version. Its first reads tell a file that is no
// database (SQLITE_NOTADB); a database with tables and another program's
// application_id, or a version below 0, is no journal either.
std::int64_t ProbeVersion(const SqliteDatabase& db) {
  const std::int64_t tables = QueryInteger(db, "SELECT count(*) FROM sqlite_master");
  const std::int64_t application = QueryInteger(db, "PRAGMA application_id");
  const std::int64_t version = QueryInteger(db, "PRAGMA user_version");
  if ((tables > 0 && application != kJournalApplicationId) || version < 0) {
    throw SqliteFault(SQLITE_NOTADB, "not a journal");
  }
  return version;
}

// A connection that reads the journal. A journal in WAL mode is read
// through its shared-memory file; where that file cannot be made (a
// folder that cannot be written), the journal is read as a file that
// nobody changes, which nobody else can then either.
std::unique_ptr<SqliteDatabase> OpenForReading(const std::string& path) {
  try {
    auto db =
        std::make_unique<SqliteDatabase>(path, SqliteDatabase::Mode::kReadOnly, kJournalBusyWaitMs);
    QueryInteger(*db, "SELECT count(*) FROM sqlite_master");
    return db;
  } catch (const SqliteFault& fault) {
    if (fault.code() != SQLITE_CANTOPEN && fault.code() != SQLITE_READONLY) throw;
  }
  return std::make_unique<SqliteDatabase>(path, SqliteDatabase::Mode::kImmutable,
                                          kJournalBusyWaitMs);
}

// Brings the journal to this version, each step in one transaction; the
// version is read again inside it, as another program may have made the
// same steps meanwhile.
void Migrate(const SqliteDatabase& db) {
  for (;;) {
    db.Execute("BEGIN IMMEDIATE");
    try {
      const std::int64_t version = QueryInteger(db, "PRAGMA user_version");
      if (version >= kJournalSchemaVersion) {
        db.Execute("COMMIT");
        return;
      }
      db.Execute(kMigrations[version]);
      const std::string mark = "PRAGMA application_id = " + std::to_string(kJournalApplicationId) +
                               "; PRAGMA user_version = " + std::to_string(version + 1);
      db.Execute(mark.c_str());
      db.Execute("COMMIT");
    } catch (...) {
      db.RollBack();
      throw;
    }
  }
}

}  // namespace

SqliteJournal::SqliteJournal(const std::string& path) : path_(path) {
  std::error_code error;
  const std::string folder = ParentPath(path);
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  // A file that is no database at all is set aside before SQLite opens
  // it: SQLite would empty its "-wal" file when the connection closes.
  const std::optional<std::string> start = ReadFilePrefix(path_, kDatabaseHeader.size());
  if (start && !start->empty() && *start != kDatabaseHeader) SetAside();
  try {
    Open();
  } catch (const SqliteFault& fault) {
    db_.reset();
    if (!IsDamaged(fault.code())) throw WriteFailure(path_);
    SetAside();
    try {
      Open();
    } catch (const SqliteFault&) {
      db_.reset();
      throw WriteFailure(path_);
    }
  }
}

SqliteJournal::~SqliteJournal() = default;

void SqliteJournal::Open() {
  const FileIdentity file = IdentifyFile(path_);
  if (file.exists && file.size > 0) {
    // A journal already there is looked at for reading first: one of a
    // newer version is then never written, not even by the checkpoint a
    // writing connection makes as it closes.
    std::unique_ptr<SqliteDatabase> reading = OpenForReading(path_);
    const std::int64_t version = ProbeVersion(*reading);
    if (version > kJournalSchemaVersion) {
      db_ = std::move(reading);
      BeReadOnly(JournalNotice::Kind::kNewerVersion,
                 " was written by a newer version of the program: it is open for reading only");
      return;
    }
    try {
      db_ = std::make_unique<SqliteDatabase>(path_, SqliteDatabase::Mode::kReadWrite,
                                             kJournalBusyWaitMs);
      ProbeVersion(*db_);
    } catch (const SqliteFault& fault) {
      if (fault.code() != SQLITE_CANTOPEN && fault.code() != SQLITE_READONLY) throw;
      db_.reset();
    }
    if (!db_ || db_->ReadOnly()) {
      db_ = std::move(reading);
      BeReadOnly(JournalNotice::Kind::kReadOnlyFile,
                 " cannot be written: it is open for reading only");
      // Version 1 is read as it is, without what version 2 added.
      physicalColumn_ = meaningTable_ = version >= 2;
      return;
    }
  } else {
    db_ = std::make_unique<SqliteDatabase>(path_, SqliteDatabase::Mode::kReadWrite,
                                           kJournalBusyWaitMs);
    ProbeVersion(*db_);
  }
  db_->Execute("PRAGMA journal_mode = WAL");
  // In WAL mode a commit is safe from a crash of the program without a
  // flush to the disk each time; a power cut may lose the last moments.
  db_->Execute("PRAGMA synchronous = NORMAL");
  Migrate(*db_);
}

void SqliteJournal::BeReadOnly(JournalNotice::Kind kind, const char* why) {
  readOnly_ = true;
  notice_ = {kind, path_, "The journal " + path_ + why};
}

void SqliteJournal::SetAside() {
  const std::string aside = FirstFreeName(path_ + ".unreadable-");
  if (!MoveAside(path_, aside)) throw WriteFailure(path_);
  // The rest of its write-ahead log goes with it: left here, SQLite would
  // apply it to the new journal.
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    if (!MoveAside(path_ + suffix, aside + suffix)) throw WriteFailure(path_);
  }
  notice_ = {JournalNotice::Kind::kRenamedAside, aside,
             "The file " + path_ + " was no journal that could be read: it was renamed to " +
                 aside + " and a new journal begun"};
}

// ---------------------------------------------------------------------------
// Writing

template <typename Write>
auto SqliteJournal::InTransaction(Write&& write) {
  if (readOnly_) throw WriteFailure(path_);
  try {
    db_->Execute("BEGIN IMMEDIATE");
  } catch (const SqliteFault&) {
    throw WriteFailure(path_);
  }
  try {
    auto result = write();
    db_->Execute("COMMIT");
    return result;
  } catch (const SqliteFault&) {
    db_->RollBack();
    throw WriteFailure(path_);
  } catch (...) {
    db_->RollBack();
    throw;
  }
}

std::int64_t SqliteJournal::Add(const JournalEntry& entry) {
  return InTransaction([&] { return InsertEntry(*db_, entry); });
}

bool SqliteJournal::Update(const JournalEntry& given) {
  return InTransaction([&] {
    const std::optional<JournalEntry> old = ReadEntry(*db_, given.id);
    if (!old) return false;
    JournalEntry entry = given;
    entry.tags = NormaliseTags(given.tags);
    RemoveParts(*db_, entry.id, *old);
    SqliteStatement row(*db_,
                        "UPDATE entry SET moment = ?, kind = ?, question = ?, spread_file = ?, "
                        "deck_folder = ?, description_folder = ?, notes = ?, spread_table = ?, "
                        "physical = ? WHERE id = ?");
    row.Bind(1, entry.moment)
        .Bind(2, static_cast<std::int64_t>(entry.kind))
        .Bind(3, entry.question);
    row.Bind(4, entry.spreadFile).Bind(5, entry.deckFolder).Bind(6, entry.descriptionFolder);
    row.Bind(7, entry.notes).Bind(8, entry.spreadTable);
    row.Bind(9, static_cast<std::int64_t>(entry.physical ? 1 : 0)).Bind(10, entry.id).Run();
    WriteParts(*db_, entry.id, entry);
    return true;
  });
}

bool SqliteJournal::Remove(std::int64_t id) {
  return InTransaction([&] {
    const std::optional<JournalEntry> old = ReadEntry(*db_, id);
    if (!old) return false;
    RemoveParts(*db_, id, *old);
    SqliteStatement(*db_, "DELETE FROM entry WHERE id = ?").Bind(1, id).Run();
    return true;
  });
}

void SqliteJournal::AddImported(std::span<const JournalEntry> entries) {
  InTransaction([&] {
    for (const JournalEntry& entry : entries) InsertEntry(*db_, entry);
    db_->Execute("INSERT OR REPLACE INTO meta(key, value) VALUES('log_imported', '1')");
    return 0;
  });
}

// ---------------------------------------------------------------------------
// Reading

std::optional<JournalEntry> SqliteJournal::Get(std::int64_t id) const {
  return ReadEntry(*db_, id, physicalColumn_);
}

std::vector<JournalEntry> SqliteJournal::List(const JournalFilter& filter, std::size_t offset,
                                              std::size_t limit) const {
  std::vector<JournalEntry> entries;
  for (const std::int64_t id : ListIds(*db_, filter, offset, limit)) {
    // An entry another program removed meanwhile is left out.
    if (auto entry = ReadEntry(*db_, id, physicalColumn_)) entries.push_back(std::move(*entry));
  }
  return entries;
}

std::size_t SqliteJournal::Count(const JournalFilter& filter) const {
  return CountEntries(*db_, filter);
}

std::vector<std::string> SqliteJournal::AllTags() const {
  SqliteStatement statement(*db_, "SELECT DISTINCT name FROM tag ORDER BY name");
  std::vector<std::string> tags;
  while (statement.Step()) tags.push_back(statement.Text(0));
  return tags;
}

std::vector<ReaderMeaning> SqliteJournal::ReaderMeanings() const {
  return meaningTable_ ? ReadReaderMeanings(*db_) : std::vector<ReaderMeaning>{};
}

ReaderMeaning SqliteJournal::GetReaderMeaning(std::int32_t identity) const {
  if (!meaningTable_) return {.identity = identity};
  return ReadReaderMeaning(*db_, identity);
}

void SqliteJournal::SetReaderMeaning(const ReaderMeaning& meaning) {
  CheckReaderMeaningIdentity(meaning.identity);
  InTransaction([&] {
    WriteReaderMeaning(*db_, meaning);
    return 0;
  });
}

bool SqliteJournal::LogImported() const {
  SqliteStatement statement(*db_, "SELECT 1 FROM meta WHERE key = 'log_imported'");
  return statement.Step();
}

// ---------------------------------------------------------------------------
// Backup and restore

namespace {

// Copies the whole of one database into another in one step of SQLite's
// online backup; `to` takes it in one transaction, whole or not at all.
void CopyDatabase(const SqliteDatabase& from, const SqliteDatabase& to) {
  sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
  if (!backup) to.Fail(sqlite3_errcode(to.handle()));
  const int step = sqlite3_backup_step(backup, -1);
  const int finish = sqlite3_backup_finish(backup);
  if (step != SQLITE_DONE) to.Fail(step);
  if (finish != SQLITE_OK) to.Fail(finish);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

void RemoveWithLogs(const std::string& path) {
  std::error_code error;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::filesystem::remove(path + suffix, error);
  }
}

// A journal of this program that this program can write and that SQLite
// finds whole; raises NotAJournalFailure naming `path` otherwise.
void CheckRestorable(const SqliteDatabase& db, const std::string& path) {
  if (QueryInteger(db, "PRAGMA application_id") != kJournalApplicationId) {
    throw NotAJournalFailure(path, " is not a journal of this program");
  }
  const std::int64_t version = QueryInteger(db, "PRAGMA user_version");
  if (version > kJournalSchemaVersion) {
    throw NotAJournalFailure(path, " is a journal of a newer version of the program");
  }
  SqliteStatement check(db, "PRAGMA quick_check");
  if (version < 1 || !check.Step() || check.Text(0) != "ok") {
    throw NotAJournalFailure(path, " is a damaged journal");
  }
}

}  // namespace

void SqliteJournal::BackupTo(const std::string& path) const {
  if (path.empty() || SameFile(path, path_)) throw WriteFailure(path);
  std::string name = path.substr(path.rfind(kPathSeparator) + 1);
  std::random_device random;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%08x%08x", random(), random());
  const std::string temp = JoinPath(ParentPath(path), "." + name + "." + digits + ".tmp");
  try {
    {
      SqliteDatabase copy(temp, SqliteDatabase::Mode::kReadWrite, kJournalBusyWaitMs);
      CopyDatabase(*db_, copy);
      // One file on its own, to be carried anywhere: no write-ahead log.
      copy.Execute("PRAGMA journal_mode = DELETE");
    }
    std::filesystem::rename(temp, path);
  } catch (const std::exception&) {
    RemoveWithLogs(temp);
    throw WriteFailure(path);
  }
}

std::string SqliteJournal::RestoreFrom(const std::string& path) {
  if (readOnly_) throw WriteFailure(path_);
  if (SameFile(path, path_)) return {};
  std::unique_ptr<SqliteDatabase> source;
  try {
    source = OpenForReading(path);
    CheckRestorable(*source, path);
  } catch (const SqliteFault&) {
    throw NotAJournalFailure(path, " cannot be read as a journal");
  }
  const std::string safety = FirstFreeName(path_ + ".before-restore-");
  BackupTo(safety);
  try {
    CopyDatabase(*source, *db_);
    Migrate(*db_);
  } catch (const SqliteFault&) {
    throw WriteFailure(path_);
  }
  return safety;
}

void SqliteJournal::ShareLogOnlyWhenIdle() {
  if (!readOnly_) db_->Execute("PRAGMA wal_autocheckpoint = 0");
}

void SqliteJournal::TidyWhenIdle() {
  if (readOnly_) return;
  try {
    db_->Execute("PRAGMA wal_checkpoint(PASSIVE)");
  } catch (const std::exception&) {
    // Another copy of the program writing: the next idle moment does it.
  }
}

// ---------------------------------------------------------------------------
// Counting

JournalTally SqliteJournal::Tally(const JournalFilter& filter) const {
  return TallyEntries(*db_, filter);
}

std::vector<JournalRecentCard> SqliteJournal::RecentCards(const JournalFilter& filter,
                                                          std::size_t readings) const {
  return RecentPositions(*db_, filter, readings);
}

std::vector<JournalMonthDay> SqliteJournal::Month(int year, int month) const {
  return MonthDays(*db_, year, month);
}

}  // namespace vaticor
