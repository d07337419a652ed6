#include "platform/sqlite_journal.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/file_io.h"
#include "core/user_failure.h"
#include "support/run_unprivileged.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

JournalEntry Entry(std::string question) {
  JournalEntry entry;
  entry.moment = "2024-03-14T09:30:05";
  entry.question = std::move(question);
  entry.positions = {{1, "", 4, true, "Император"}};
  return entry;
}

// Runs SQL on a file with a connection of its own, as another program would.
void RunSql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

TEST(SqliteJournalTest, EntriesOutliveTheConnectionAndAreFoundAgain) {
  TempDir dir;
  const std::string path = dir.Path("sub/" + std::string(kJournalFileName));
  std::int64_t id = 0;
  {
    SqliteJournal journal(path);
    EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kNone);
    id = journal.Add(Entry("first"));
  }
  SqliteJournal journal(path);
  EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kNone);
  EXPECT_EQ(journal.Get(id)->question, "first");
  EXPECT_EQ(journal.Count({.text = "императ"}), 1u);
  EXPECT_GT(journal.Add(Entry("second")), id);
}

// Two copies of the program write the one journal in turn; each sees the
// other's entries, and ids are never given twice.
TEST(SqliteJournalTest, TwoConnectionsWriteInTurnAndSeeEachOthersEntries) {
  TempDir dir;
  SqliteJournal first(dir.Path(kJournalFileName));
  SqliteJournal second(dir.Path(kJournalFileName));
  const std::int64_t a = first.Add(Entry("from the first"));
  const std::int64_t b = second.Add(Entry("from the second"));
  EXPECT_NE(a, b);
  EXPECT_EQ(first.Count({}), 2u);
  EXPECT_EQ(second.Get(a)->question, "from the first");
  ASSERT_TRUE(first.Remove(b));
  EXPECT_EQ(second.Count({.text = "second"}), 0u);
}

// Words are compared without case and accents, as SQLite's unicode61 word
// rules with remove_diacritics 2 compare them: "Й" and "Ё" keep their marks.
TEST(SqliteJournalTest, SearchIgnoresCaseAndAccentsInLatinAndCyrillic) {
  TempDir dir;
  SqliteJournal journal(dir.Path(kJournalFileName));
  journal.Add(Entry("Café RÉSUMÉ naïve"));
  journal.Add(Entry("ПРИВЕТ Ёлка Йогурт"));
  EXPECT_EQ(journal.Count({.text = "cafe"}), 1u);
  EXPECT_EQ(journal.Count({.text = "résumé"}), 1u);
  EXPECT_EQ(journal.Count({.text = "resume naive"}), 1u);
  EXPECT_EQ(journal.Count({.text = "CAFÉ"}), 1u);
  EXPECT_EQ(journal.Count({.text = "привет"}), 1u);
  EXPECT_EQ(journal.Count({.text = "ёлк йог"}), 1u);
  EXPECT_EQ(journal.Count({.text = "елка"}), 0u);
  EXPECT_EQ(journal.Count({.text = "иогурт"}), 0u);
}

// Signs between words in the search text ("№", "+") are no words: they
// would otherwise make the search find nothing.
TEST(SqliteJournalTest, SignsInTheSearchTextAreNoWords) {
  TempDir dir;
  SqliteJournal journal(dir.Path(kJournalFileName));
  journal.Add(Entry("Расклад №5: работа + деньги"));
  EXPECT_EQ(journal.Count({.text = "расклад № 5 + деньги"}), 1u);
  EXPECT_EQ(journal.Count({.text = "№5"}), 1u);
  EXPECT_EQ(journal.Count({.text = "№ +"}), 1u);  // no word: every entry
}

// An empty file (as a crash at its making leaves) becomes a journal of
// this version, marked as the program's.
TEST(SqliteJournalTest, AnEmptyFileIsMadeAJournalOfThisVersion) {
  TempDir dir;
  const std::string path = dir.Write(kJournalFileName, "");
  {
    SqliteJournal journal(path);
    EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kNone);
    journal.Add(Entry("kept"));
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM pragma_user_version, pragma_application_id", -1, &statement,
                     nullptr);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(statement, 0), kJournalSchemaVersion);
  EXPECT_EQ(sqlite3_column_int(statement, 1), kJournalApplicationId);
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

// A journal as the first version of the program wrote it.
void MakeFirstVersionJournal(const std::string& path) {
  {
    SqliteJournal journal(path);
    journal.Add(Entry("from the first version"));
  }
  RunSql(path,
         "ALTER TABLE entry DROP COLUMN physical; DROP TABLE reader_meaning; "
         "PRAGMA user_version = 1");
}

TEST(SqliteJournalTest, AFirstVersionJournalIsBroughtForwardKeepingItsEntries) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  MakeFirstVersionJournal(path);
  SqliteJournal journal(path);
  EXPECT_FALSE(journal.ReadOnly());
  const std::vector<JournalEntry> entries = journal.List({}, 0, 10);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].question, "from the first version");
  EXPECT_FALSE(entries[0].physical);
  JournalEntry physical = Entry("laid by hand");
  physical.physical = true;
  EXPECT_TRUE(journal.Get(journal.Add(physical))->physical);
  journal.SetReaderMeaning({.identity = 16, .uprightNotes = "перемены"});
  EXPECT_EQ(journal.GetReaderMeaning(16).uprightNotes, "перемены");
}

// A first-version journal that cannot be written is read as it is: its
// entries listed, no meanings, none physical.
TEST(SqliteJournalTest, AFirstVersionJournalThatCannotBeWrittenIsStillRead) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  const std::string path = dir.Path(kJournalFileName);
  MakeFirstVersionJournal(path);
  ::chmod(path.c_str(), 0444);
  const int result = testing::RunUnprivileged([&] {
    SqliteJournal journal(path);
    if (!journal.ReadOnly()) return 1;
    const std::vector<JournalEntry> entries = journal.List({}, 0, 10);
    if (entries.size() != 1 || entries[0].question != "from the first version") return 2;
    if (!journal.ReaderMeanings().empty() || !journal.GetReaderMeaning(3).Empty()) return 3;
    return 0;
  });
  EXPECT_EQ(result, 0);
}

TEST(SqliteJournalTest, AJournalOfANewerVersionIsReadButNeverAltered) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  std::int64_t id = 0;
  {
    SqliteJournal journal(path);
    id = journal.Add(Entry("from the newer program"));
  }
  RunSql(path, "PRAGMA user_version = 99");
  const std::string before = ReadAll(path);

  SqliteJournal journal(path);
  EXPECT_TRUE(journal.ReadOnly());
  EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kNewerVersion);
  EXPECT_EQ(journal.Notice().subject, path);
  EXPECT_EQ(journal.Get(id)->question, "from the newer program");
  EXPECT_THROW(journal.Add(Entry("new")), WriteFailure);
  JournalEntry changed = *journal.Get(id);
  changed.notes = "x";
  EXPECT_THROW(journal.Update(changed), WriteFailure);
  EXPECT_THROW(journal.Remove(id), WriteFailure);
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_FALSE(FileExists(path + "-wal") && !ReadAll(path + "-wal").empty());
}

// A journal its user may not write (on a read-only disk, or another's) is
// read, and says so; nothing is written beside it.
TEST(SqliteJournalTest, AJournalThatCannotBeWrittenIsOpenForReading) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  const std::string path = dir.Path(kJournalFileName);
  {
    SqliteJournal journal(path);
    journal.Add(Entry("kept"));
  }
  ::chmod(path.c_str(), 0444);

  const int result = testing::RunUnprivileged([&] {
    SqliteJournal journal(path);
    if (journal.Notice().kind != JournalNotice::Kind::kReadOnlyFile || !journal.ReadOnly())
      return 1;
    if (journal.Count({.text = "kept"}) != 1) return 2;
    try {
      journal.Add(Entry("new"));
      return 3;
    } catch (const WriteFailure&) {
    }
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{kJournalFileName});
}

TEST(SqliteJournalTest, ADamagedFileIsRenamedAsideWithItsLogAndANewJournalBegun) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  const std::string garbage(4096, 'x');
  dir.Write(kJournalFileName, garbage);
  dir.Write(std::string(kJournalFileName) + "-wal", "log of the damaged file");

  {
    SqliteJournal journal(path);
    EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kRenamedAside);
    EXPECT_EQ(journal.Notice().subject, path + ".unreadable-1");
    EXPECT_FALSE(journal.ReadOnly());
    journal.Add(Entry("after"));
    EXPECT_EQ(journal.Count({}), 1u);
  }
  EXPECT_EQ(ReadAll(path + ".unreadable-1"), garbage);
  EXPECT_EQ(ReadAll(path + ".unreadable-1-wal"), "log of the damaged file");

  // Another one later takes the next free name.
  std::filesystem::remove(path);
  dir.Write(kJournalFileName, garbage + "again");
  SqliteJournal again(path);
  EXPECT_EQ(again.Notice().subject, path + ".unreadable-2");
  EXPECT_EQ(ReadAll(path + ".unreadable-1"), garbage);
}

// A SQLite database of another program is not taken for a journal (and
// nothing is added to it).
TEST(SqliteJournalTest, AnotherProgramsDatabaseIsRenamedAside) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  RunSql(path, "CREATE TABLE accounts(name TEXT); INSERT INTO accounts VALUES('theirs')");
  const std::string theirs = ReadAll(path);

  SqliteJournal journal(path);
  EXPECT_EQ(journal.Notice().kind, JournalNotice::Kind::kRenamedAside);
  EXPECT_EQ(ReadAll(path + ".unreadable-1"), theirs);
  journal.Add(Entry("ours"));
  EXPECT_EQ(journal.Count({}), 1u);
}

TEST(SqliteJournalTest, AMegabyteNoteIsKeptWholeAndFoundByItsLastWord) {
  TempDir dir;
  SqliteJournal journal(dir.Path(kJournalFileName));
  JournalEntry entry = Entry("long");
  for (int i = 0; entry.notes.size() < (1u << 20); ++i)
    entry.notes += "слово" + std::to_string(i) + " ";
  entry.notes += "последнее";
  const std::int64_t id = journal.Add(entry);
  EXPECT_EQ(journal.Get(id)->notes, entry.notes);
  EXPECT_EQ(journal.Count({.text = "последнее"}), 1u);
}

TEST(SqliteJournalTest, TenThousandTagsAreKeptInOrderAndListedOnce) {
  TempDir dir;
  SqliteJournal journal(dir.Path(kJournalFileName));
  JournalEntry entry = Entry("tagged");
  for (int i = 0; i < 10000; ++i) entry.tags.push_back("tag" + std::to_string(9999 - i));
  entry.tags.push_back("TAG5");  // the same as "tag5": dropped
  const std::int64_t id = journal.Add(entry);
  journal.Add(entry);

  const JournalEntry stored = *journal.Get(id);
  ASSERT_EQ(stored.tags.size(), 10000u);
  EXPECT_EQ(stored.tags.front(), "tag9999");
  EXPECT_EQ(journal.AllTags().size(), 10000u);
  EXPECT_EQ(journal.Count({.tag = "tag1234"}), 2u);
  EXPECT_EQ(journal.Count({.text = "tag4321"}), 2u);
}

// A backup brings back what was removed after it, through the connection
// in use, which then goes on working; the journal as it was before is kept
// beside it, and is itself a journal.
TEST(SqliteJournalBackupTest, RestoreBringsBackTheBackupAndKeepsASafetyCopy) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  SqliteJournal journal(path);
  SqliteJournal other(path);  // another copy of the program
  const std::int64_t kept = journal.Add(Entry("kept"));
  const std::int64_t removed = journal.Add(Entry("removed later"));
  const std::string backup = dir.Path("backups/journal.backup");
  std::filesystem::create_directories(dir.Path("backups"));
  journal.BackupTo(backup);
  EXPECT_EQ(ListDirectory(dir.Path("backups")), std::vector<std::string>{"journal.backup"});
  ASSERT_TRUE(journal.Remove(removed));
  journal.Add(Entry("added later"));

  EXPECT_EQ(journal.RestoreFrom(backup), path + ".before-restore-1");
  EXPECT_EQ(journal.Count({}), 2u);
  EXPECT_EQ(journal.Get(removed)->question, "removed later");
  EXPECT_EQ(journal.Count({.text = "added"}), 0u);
  EXPECT_EQ(journal.Count({.text = "later"}), 1u);
  EXPECT_EQ(other.Count({.text = "removed"}), 1u);
  const std::int64_t after = journal.Add(Entry("after the restore"));
  EXPECT_GT(after, kept);
  EXPECT_EQ(other.Get(after)->question, "after the restore");

  SqliteJournal safety(path + ".before-restore-1");
  EXPECT_EQ(safety.Notice().kind, JournalNotice::Kind::kNone);
  EXPECT_EQ(safety.Count({.text = "added later"}), 1u);
  EXPECT_EQ(safety.Count({.text = "removed"}), 0u);
  // A second restore keeps the first safety copy.
  EXPECT_EQ(journal.RestoreFrom(backup), path + ".before-restore-2");
  EXPECT_EQ(safety.Count({}), 2u);

  EXPECT_THROW(journal.BackupTo(dir.Path("no folder/journal.backup")), WriteFailure);
  EXPECT_THROW(journal.BackupTo(path), WriteFailure);
}

// A file that is not a journal this program can take is refused before
// anything is done: the journal keeps its entries, no safety copy is made.
TEST(SqliteJournalBackupTest, RestoreRefusesWhatIsNoJournalOfThisProgram) {
  TempDir dir;
  const std::string path = dir.Path("live/" + std::string(kJournalFileName));
  SqliteJournal journal(path);
  for (int i = 0; i < 300; ++i) journal.Add(Entry("entry " + std::string(1000, 'x')));
  const std::string good = dir.Path("good.backup");
  journal.BackupTo(good);
  const std::string whole = ReadAll(good);
  journal.Add(Entry("the newest"));

  const std::string foreign = dir.Path("foreign.db");
  RunSql(foreign, "CREATE TABLE accounts(name TEXT); INSERT INTO accounts VALUES('theirs')");
  const std::string truncated = dir.Write("truncated.backup", whole.substr(0, whole.size() / 2));
  // Its head whole, a page in the middle overwritten.
  ASSERT_GT(whole.size(), 12u * 4096);
  const std::string damaged =
      dir.Write("damaged.backup",
                whole.substr(0, 10 * 4096) + std::string(4096, 'x') + whole.substr(11 * 4096));
  const std::string newer = dir.Write("newer.backup", whole);
  RunSql(newer, "PRAGMA user_version = 99");
  const std::string text = dir.Write("notes.txt", "not a database");
  const std::string empty = dir.Write("empty.backup", "");
  for (const std::string& file :
       {foreign, truncated, damaged, newer, text, empty, dir.Path("missing.backup")}) {
    try {
      journal.RestoreFrom(file);
      ADD_FAILURE() << file << " was taken";
    } catch (const NotAJournalFailure& failure) {
      EXPECT_EQ(failure.kind(), UserFailure::Kind::kNotAJournal);
      EXPECT_EQ(failure.subject(), file);
    }
    EXPECT_EQ(journal.Count({}), 301u) << file;
    EXPECT_EQ(journal.Count({.text = "newest"}), 1u) << file;
  }
  EXPECT_EQ(ListDirectory(dir.Path("live")).size(), 3u);  // the journal, its -wal and -shm
  EXPECT_FALSE(FileExists(path + ".before-restore-1"));
}

TEST(SqliteJournalBackupTest, AJournalOpenForReadingRefusesARestore) {
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  const std::string backup = dir.Path("journal.backup");
  {
    SqliteJournal journal(path);
    journal.Add(Entry("kept"));
    journal.BackupTo(backup);
  }
  RunSql(path, "PRAGMA user_version = 99");
  const std::string before = ReadAll(path);
  SqliteJournal journal(path);
  ASSERT_TRUE(journal.ReadOnly());
  EXPECT_THROW(journal.RestoreFrom(backup), WriteFailure);
  EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
}  // namespace vaticor
