// The writer the journal's crash test kills: it opens the journal, then adds,
// updates and removes entries until it is killed, telling each write on its
// standard output before it is called and after it returned (crash_entry.h
// gives the lines).
//
// Usage: journal_crash_writer <journal> <seed> <run>
//   <seed> picks the writes; <run> makes the keys of this run's entries.
// Exit codes: 2 bad arguments, 3 a write or read failed, 4 the journal was
// not found as left (set aside or read-only), 5 an entry read is not one
// this test wrote, whole.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "crash_entry.h"
#include "platform/sqlite_journal.h"

namespace {

using namespace vaticor;

// One line to the test, in one write so that it is never torn.
void Say(const std::string& line) {
  const std::string text = line + "\n";
  if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    std::_Exit(3);
  }
}

[[noreturn]] void Fail(int code, const std::string& why) {
  std::fprintf(stderr, "journal_crash_writer: %s\n", why.c_str());
  std::_Exit(code);
}

int Write(const std::string& path, std::uint64_t seed, const std::string& run) {
  SqliteJournal journal(path);
  if (journal.Notice().kind != JournalNotice::Kind::kNone) Fail(4, journal.Notice().message);
  Say("ready");
  testing::crash_entry_detail::Numbers numbers{seed | 1};
  for (int made = 0;;) {
    const std::size_t count = journal.Count({});
    const std::size_t pick = numbers.Below(20);
    if (count == 0 || pick < 9) {
      const std::string key = "k" + run + "n" + std::to_string(made++);
      Say("begin add " + key + " 1");
      const std::int64_t id = journal.Add(testing::CrashEntry(key, 1));
      Say("added " + key + " " + std::to_string(id) + " 1");
      continue;
    }
    const std::vector<JournalEntry> found = journal.List({}, numbers.Below(count), 1);
    if (found.size() != 1) Fail(5, "no entry where Count says there is one");
    std::string key;
    int version = 0;
    JournalEntry expected;
    if (testing::ParseCrashEntry(found[0], key, version)) {
      expected = testing::CrashEntry(key, version);
      expected.id = found[0].id;
    }
    if (found[0] != expected) Fail(5, "a torn or foreign entry: " + found[0].question);
    const std::string id = std::to_string(expected.id);
    if (pick < 18) {
      JournalEntry next = testing::CrashEntry(key, version + 1);
      next.id = expected.id;
      const std::string line = key + " " + id + " " + std::to_string(version + 1);
      Say("begin update " + line);
      if (!journal.Update(next)) Fail(5, "Update found no entry " + id);
      Say("updated " + line);
    } else {
      Say("begin remove " + key + " " + id + " " + std::to_string(version));
      if (!journal.Remove(expected.id)) Fail(5, "Remove found no entry " + id);
      Say("removed " + key + " " + id + " 0");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) Fail(2, "usage: journal_crash_writer <journal> <seed> <run>");
  try {
    return Write(argv[1], std::strtoull(argv[2], nullptr, 10), argv[3]);
  } catch (const std::exception& failure) {
    Fail(3, failure.what());
  }
}
