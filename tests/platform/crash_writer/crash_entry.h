#pragma once

// The entries of the journal's crash test (platform/sqlite_journal_crash_test.cpp)
// and of the writer it kills (journal_crash_writer.cpp). Each entry is made
// whole from its key and version, so that a journal read back after a crash
// can be checked entry by entry: every field, position, follow-up and tag.
//
// What the writer tells the test, one line per write() on its standard
// output (each line shorter than PIPE_BUF, so none is ever torn):
//   ready                            the journal is open
//   begin add <key> 1                an Add is called
//   added <key> <id> 1               ... and returned
//   begin update <key> <id> <v>      an Update to version v is called (the
//                                    journal held version v - 1)
//   updated <key> <id> <v>           ... and returned
//   begin remove <key> <id> <v>      a Remove is called (the journal held v)
//   removed <key> <id> 0             ... and returned
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/journal.h"

namespace vaticor::testing {

namespace crash_entry_detail {

// FNV-1a: the same numbers in the test and the writer, whatever the library.
inline std::uint64_t Hash(std::string_view text, std::uint64_t salt) {
  std::uint64_t hash = 14695981039346656037ull ^ salt;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

// xorshift64*: a stream of numbers from one seed.
struct Numbers {
  std::uint64_t state;
  std::uint64_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 2685821657736338717ull;
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
};

inline const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = {
      "работа", "любовь", "переезд", "деньги", "здоровье", "дорога", "выбор",  "ёлка",
      "Café",   "career", "move",    "money",  "journey",  "choice", "naïve",  "«ответ»",
      "Башня",  "Звезда", "Tower",   "Star",   "сон",      "letter", "письмо", "<b>markup</b>"};
  return words;
}

}  // namespace crash_entry_detail

// The entry of `key` (letters and digits, no blank) at `version` (from 1);
// its id 0. Sizes vary with both: one, three or ten positions, notes from
// none to a megabyte (once in a hundred), up to six follow-ups.
inline JournalEntry CrashEntry(const std::string& key, int version) {
  using namespace crash_entry_detail;
  Numbers numbers{Hash(key, static_cast<std::uint64_t>(version)) | 1};
  const auto word = [&] { return Words()[numbers.Below(Words().size())]; };
  JournalEntry entry;
  entry.moment = JournalMoment(
      1996 + static_cast<int>(numbers.Below(30)), 1 + static_cast<int>(numbers.Below(12)),
      1 + static_cast<int>(numbers.Below(28)), static_cast<int>(numbers.Below(24)),
      static_cast<int>(numbers.Below(60)), version % 60);
  entry.question = key + " v" + std::to_string(version) + " " + word() + " " + word() + "?";
  const std::size_t cards = std::vector<std::size_t>{1, 3, 10}[numbers.Below(3)];
  entry.kind = cards == 10 ? JournalKind::kSpread : JournalKind::kDraw;
  if (cards == 10) {
    entry.spreadFile = "Кельтский крест " + word() + ".spread";
    entry.spreadTable = "[Spread]\r\nCard.Width=124\r\nCard.Height=197\r\n";
  }
  entry.deckFolder = "Deck " + word();
  entry.descriptionFolder = "Описания";
  for (std::size_t n = 0; n < cards; ++n) {
    const auto card = static_cast<std::int32_t>(numbers.Below(78));
    entry.positions.push_back({static_cast<int>(n + 1), cards == 10 ? "Позиция " + word() : "",
                               card, numbers.Below(2) == 1, word() + std::to_string(card)});
  }
  const std::size_t notes = numbers.Below(100) == 0  ? 1'000'000
                            : numbers.Below(16) == 0 ? 50'000 + numbers.Below(100'000)
                                                     : numbers.Below(3000);
  while (entry.notes.size() < notes) entry.notes += word() + (numbers.Below(9) == 0 ? "\n" : " ");
  for (int n = 1; n < version && n <= 6; ++n) {
    entry.followUps.push_back({JournalMoment(2025, 1, n, 10, 0, 0), word() + " " + word()});
  }
  for (std::size_t n = numbers.Below(5); n > 0; --n) entry.tags.push_back(word() + "-tag");
  entry.tags = NormaliseTags(entry.tags);
  return entry;
}

// The key and version at the start of a CrashEntry's question; false when
// the question has no such start.
inline bool ParseCrashEntry(const JournalEntry& entry, std::string& key, int& version) {
  const std::size_t blank = entry.question.find(' ');
  if (blank == std::string::npos || entry.question.compare(blank + 1, 1, "v") != 0) return false;
  key = entry.question.substr(0, blank);
  try {
    version = std::stoi(entry.question.substr(blank + 2));
  } catch (const std::exception&) {
    return false;
  }
  return version > 0;
}

}  // namespace vaticor::testing
