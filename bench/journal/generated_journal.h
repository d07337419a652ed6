#pragma once

// A journal of years for the benchmarks: `count` readings, newest about
// now and the oldest some thirty years back (ten a day), draws of one or
// three cards and spreads of ten, questions, notes and tags from small word
// lists, so that a search word finds some thousands of them.
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "library/journal.h"

namespace vaticor::bench {

inline constexpr std::array<const char*, 24> kJournalWords = {
    "work",   "love",   "money",  "travel", "house",  "family", "friend", "health",
    "study",  "move",   "change", "choice", "letter", "garden", "river",  "falcon",
    "winter", "summer", "music",  "city",   "school", "doctor", "garage", "promise"};

inline std::string JournalCardName(std::int32_t card) {
  static const std::array<const char*, 22> kMajor = {
      "Fool",       "Magician", "High Priestess", "Empress", "Emperor", "Hierophant",
      "Lovers",     "Chariot",  "Strength",       "Hermit",  "Wheel",   "Justice",
      "Hanged Man", "Death",    "Temperance",     "Devil",   "Tower",   "Star",
      "Moon",       "Sun",      "Judgement",      "World"};
  if (card < 22) return kMajor[static_cast<std::size_t>(card)];
  return "Minor " + std::to_string(card);
}

// The entries oldest first, each moment six minutes apart from 9 o'clock on.
inline std::vector<JournalEntry> GeneratedJournal(int count, std::uint32_t seed = 29) {
  std::mt19937 random(seed);
  auto pick = [&random](int below) {
    return static_cast<int>(random() % static_cast<std::uint32_t>(below));
  };
  auto words = [&](int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
      if (i > 0) text += ' ';
      text += kJournalWords[static_cast<std::size_t>(pick(kJournalWords.size()))];
    }
    return text;
  };
  std::vector<JournalEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int day = i / 10;  // ten a day from 1996 on
    const int year = 1996 + day / 336;
    const int month = 1 + (day % 336) / 28;
    const int minutes = 9 * 60 + (i % 10) * 6 + pick(5);
    JournalEntry entry;
    entry.moment = JournalMoment(year, month, 1 + day % 28, minutes / 60, minutes % 60, pick(60));
    const bool spread = pick(5) == 0;
    entry.kind = spread ? JournalKind::kSpread : JournalKind::kDraw;
    entry.question = pick(3) == 0 ? std::string() : "Will the " + words(3) + " come?";
    if (spread) entry.spreadFile = "Celtic cross " + std::to_string(pick(7)) + ".spread";
    entry.deckFolder = "Rider";
    const int cards = spread ? 10 : (pick(2) == 0 ? 1 : 3);
    for (int p = 0; p < cards; ++p) {
      JournalPosition position;
      position.number = p + 1;
      if (spread) position.meaning = "Position " + std::to_string(p + 1);
      position.card = pick(78);
      position.reversed = pick(4) == 0;
      position.cardName = JournalCardName(position.card);
      entry.positions.push_back(std::move(position));
    }
    if (pick(3) == 0) entry.notes = words(12) + "\n" + words(8);
    if (pick(4) == 0) entry.followUps.push_back({entry.moment, words(6)});
    for (int t = pick(3); t > 0; --t) entry.tags.push_back(words(1));
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace vaticor::bench
