// The journal against crashes: a writer process (crash_writer/) adds,
// updates and removes entries in a loop and is killed with SIGKILL at
// random moments, 200 times, each time reopening the journal. Afterwards
// (and every 20 kills) the database passes SQLite's integrity check, and
// every entry holds what the writer last told as written, or what a write
// it had begun and never saw return would have made: whole, never torn,
// and found in the word index exactly while it is there.
//
// The delays come from a seed printed at the start; VATICOR_JOURNAL_CRASH_SEED
// replays them (the moments of the kills still vary with the machine's
// load). VATICOR_JOURNAL_CRASH_RUNS sets how many kills (200).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "platform/crash_writer/crash_entry.h"
#include "platform/sqlite_journal.h"
#include "support/temp_dir.h"

extern char** environ;

namespace vaticor {
namespace {

using Clock = std::chrono::steady_clock;
using testing::CrashEntry;
using testing::TempDir;

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t otherwise) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtoull(value, nullptr, 10) : otherwise;
}

// What the journal may hold of each entry the writer told of: the versions
// it may be at, 0 for none (not added yet, or removed).
struct Written {
  std::int64_t id = 0;  // 0 until told
  std::set<int> possible;
};

class Journal {
 public:
  // Takes one line of the writer; a failure when it contradicts what was
  // told before (an entry found at a version it cannot hold).
  void Take(const std::string& line) {
    std::istringstream fields(line);
    std::vector<std::string> words;
    for (std::string word; fields >> word;) words.push_back(word);
    if (words == std::vector<std::string>{"ready"}) return;
    // "<what> <key> [<id>] <version>", <what> being "begin <verb>" or a verb
    // in the past.
    const bool begin = !words.empty() && words[0] == "begin";
    const std::size_t first = begin ? 2 : 1;
    ASSERT_TRUE(words.size() == first + 2 || words.size() == first + 3)
        << "a line not understood: " << line;
    const std::string verb = begin ? words[1] : "";
    const std::string& what = words[0];
    const std::string& key = words[first];
    const std::int64_t id = words.size() == first + 3 ? std::stoll(words[first + 1]) : 0;
    const int version = std::stoi(words.back());
    Written& entry = written_[key];
    if (id != 0) {
      ASSERT_TRUE(entry.id == 0 || entry.id == id) << line << ": the entry had id " << entry.id;
      entry.id = id;
    }
    if (verb == "add") {
      ASSERT_TRUE(entry.possible.empty()) << line << ": the key was used before";
      entry.possible = {0, 1};
    } else if (verb == "update" || verb == "remove") {
      // The writer read the entry at the version before the update, or at
      // the removed one: it must be one the journal could hold.
      const int read = verb == "update" ? version - 1 : version;
      ASSERT_TRUE(entry.possible.count(read) == 1 && read > 0)
          << line << ": the journal held version " << read << " of an entry that could only be at "
          << Versions(entry);
      entry.possible = {read, verb == "update" ? version : 0};
    } else {
      entry.possible = {what == "removed" ? 0 : version};
      ++returned_;
    }
  }

  // Checks the journal's file against what the writer told.
  void Check(const std::string& path) const {
    {
      SqliteJournal journal(path);
      ASSERT_EQ(journal.Notice().kind, JournalNotice::Kind::kNone) << journal.Notice().message;
      ASSERT_FALSE(journal.ReadOnly());
      const std::vector<JournalEntry> entries = journal.List({}, 0, SIZE_MAX);
      ASSERT_EQ(journal.Count({}), entries.size());
      std::set<std::string> present;
      for (const JournalEntry& entry : entries) {
        std::string key;
        int version = 0;
        ASSERT_TRUE(testing::ParseCrashEntry(entry, key, version)) << entry.question;
        const auto told = written_.find(key);
        ASSERT_NE(told, written_.end()) << "an entry never written: " << key;
        ASSERT_EQ(told->second.possible.count(version), 1u)
            << key << " is at version " << version << ", told " << Versions(told->second);
        JournalEntry expected = CrashEntry(key, version);
        expected.id = told->second.id == 0 ? entry.id : told->second.id;
        ASSERT_TRUE(entry == expected) << key << " version " << version << " is not whole";
        present.insert(key);
      }
      for (const auto& [key, entry] : written_) {
        ASSERT_TRUE(present.count(key) == 1 || entry.possible.count(0) == 1)
            << key << " (id " << entry.id << ") is lost; it was told at " << Versions(entry);
      }
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    EXPECT_EQ(Rows(db, "PRAGMA integrity_check", {}), std::vector<std::string>{"ok"});
    Rows(db, "INSERT INTO entry_words(entry_words) VALUES('integrity-check')", {});
    // The word index holds an entry's key exactly while the entry is there.
    for (const auto& [key, entry] : written_) {
      if (entry.id == 0) continue;
      const std::vector<std::string> rows =
          Rows(db, "SELECT rowid FROM entry_words WHERE entry_words MATCH ?", '"' + key + '"');
      const bool there =
          Rows(db, "SELECT id FROM entry WHERE id = ?", std::to_string(entry.id)).size() == 1;
      EXPECT_EQ(rows, there ? std::vector<std::string>{std::to_string(entry.id)}
                            : std::vector<std::string>{})
          << "the word index for " << key;
    }
    sqlite3_close(db);
  }

  int Returned() const { return returned_; }

 private:
  static std::string Versions(const Written& entry) {
    std::string text;
    for (const int version : entry.possible) text += " " + std::to_string(version);
    return "{" + text + " }";
  }

  // The first column of the rows of one statement; `value` bound when not
  // empty. A failure is the test's.
  static std::vector<std::string> Rows(sqlite3* db, const char* sql, const std::string& value) {
    sqlite3_stmt* statement = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
      return rows;
    }
    if (!value.empty()) sqlite3_bind_text(statement, 1, value.c_str(), -1, SQLITE_TRANSIENT);
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      rows.emplace_back(text ? text : "");
    }
    if (code != SQLITE_DONE) ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    return rows;
  }

  std::map<std::string, Written> written_;
  int returned_ = 0;
};

// The writer running, its standard output read line by line.
class Writer {
 public:
  Writer(const std::string& journal, std::uint64_t seed, int run) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    const std::string seedText = std::to_string(seed);
    const std::string runText = std::to_string(run);
    char* argv[] = {const_cast<char*>(VATICOR_JOURNAL_CRASH_WRITER),
                    const_cast<char*>(journal.c_str()), const_cast<char*>(seedText.c_str()),
                    const_cast<char*>(runText.c_str()), nullptr};
    const int failed =
        posix_spawn(&pid_, VATICOR_JOURNAL_CRASH_WRITER, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    out_ = pipe[0];
    if (failed != 0) {
      ::close(out_);
      throw std::runtime_error("the writer did not start");
    }
  }
  ~Writer() {
    if (pid_ > 0) Kill();
    ::close(out_);
  }

  // Waits until `until` for output and reads what came; every whole line
  // goes to `take`. False when the output ended (the writer is gone).
  template <typename Take>
  bool Read(Clock::time_point until, Take&& take) {
    const auto left = std::max(until - Clock::now(), Clock::duration::zero());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timespec wait{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    pollfd fd{out_, POLLIN, 0};
    if (::ppoll(&fd, 1, &wait, nullptr) <= 0) return true;
    char chunk[4096];
    const ssize_t got = ::read(out_, chunk, sizeof chunk);
    if (got <= 0) return false;
    pending_.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      take(pending_.substr(0, end));
      pending_.erase(0, end + 1);
    }
    return true;
  }
  // Reads until `until` or until `done` is true, or the output ended.
  template <typename Take, typename Done>
  void ReadUntil(Clock::time_point until, Take&& take, Done&& done) {
    while (!done() && Clock::now() < until && Read(until, take)) {
    }
  }

  // Kills the writer; its status as waitpid gives it.
  int Kill() {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = 0;
    return status;
  }

  // What is left of a line after the output ended.
  const std::string& Pending() const { return pending_; }

 private:
  pid_t pid_ = 0;
  int out_ = -1;
  std::string pending_;
};

TEST(SqliteJournalCrashTest, KilledWritersLoseNoWriteTheyToldOfAndTearNoEntry) {
  const std::uint64_t seed =
      EnvironmentNumber("VATICOR_JOURNAL_CRASH_SEED", std::random_device{}());
  const auto runs = static_cast<int>(EnvironmentNumber("VATICOR_JOURNAL_CRASH_RUNS", 200));
  std::cout << "journal crash test: seed " << seed << ", " << runs
            << " kills (VATICOR_JOURNAL_CRASH_SEED=" << seed << " replays the delays)\n";
  std::mt19937_64 random(seed);
  TempDir dir;
  const std::string path = dir.Path(kJournalFileName);
  Journal journal;
  Clock::duration startUp = std::chrono::milliseconds(20);
  int cutInWrite = 0;
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE("kill " + std::to_string(run + 1) + " of seed " + std::to_string(seed));
    Writer writer(path, random(), run);
    const Clock::time_point started = Clock::now();
    bool inWrite = false;
    bool ready = false;
    const auto take = [&](const std::string& line) {
      journal.Take(line);
      inWrite = line.rfind("begin ", 0) == 0;
      if (line == "ready") {
        ready = true;
        startUp = Clock::now() - started;
      }
    };
    // One kill in eight while the journal is being opened (a crash in its
    // making or in the recovery of its log); the others after it is open.
    const bool early = random() % 8 == 0;
    const auto never = [] { return false; };
    if (early) {
      const auto delay = std::chrono::nanoseconds(random() % (startUp.count() + 1));
      writer.ReadUntil(started + delay, take, never);
    } else {
      writer.ReadUntil(started + std::chrono::seconds(60), take, [&] { return ready; });
      ASSERT_TRUE(ready) << "the writer did not open the journal";
      writer.ReadUntil(Clock::now() + std::chrono::microseconds(random() % 25'000), take, never);
    }
    const int status = writer.Kill();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer stopped by itself with exit code " << WEXITSTATUS(status)
        << " (journal_crash_writer.cpp says why; its message is above)";
    // The rest of its output, to its end.
    writer.ReadUntil(Clock::now() + std::chrono::seconds(10), take, never);
    ASSERT_EQ(writer.Pending(), "") << "a torn line";
    if (HasFatalFailure()) return;
    cutInWrite += inWrite ? 1 : 0;
    if ((run + 1) % 20 == 0 || run + 1 == runs) {
      journal.Check(path);
      if (HasFatalFailure()) return;
    }
  }
  std::cout << "writes returned: " << journal.Returned() << ", kills in a write: " << cutInWrite
            << "\n";
  EXPECT_GT(cutInWrite, 0) << "no kill met a write: the test tried nothing";
}

}  // namespace
}  // namespace vaticor
