#pragma once

// The reading journal of a busy reader over thirty years, for the journal's
// benchmarks: 100,000 entries from 1996 on, about nine a day - draws of one
// or three cards, some spreads of ten positions - with Russian and English
// questions, notes on about a quarter, a few follow-ups, tags from a
// vocabulary of some forty words, and card names in Russian or English as
// the deck names them.
#include <cstddef>
#include <string>
#include <vector>

#include "library/journal.h"

namespace vaticor::bench {

inline constexpr std::size_t kBigJournalEntries = 100'000;

// The entries, oldest first, the same every time (their ids 0).
std::vector<JournalEntry> BigJournalEntries(std::size_t count = kBigJournalEntries);

// A journal file of BigJournalEntries, each added as the program records a
// reading (one Add each), made once and kept in the system's temporary
// folder for the next runs (a few minutes to make). Its path; raises what
// the store raises when it cannot be made.
const std::string& BigJournalFile();

// A card's name as the entries name it (a 78-card deck in the common
// order), in Russian or English.
std::string BigJournalCardName(int card, bool russian);

// A common word of the entries in both languages, for searches: it is in
// questions, notes and tags.
inline constexpr const char* kBigJournalRussianWord = "работа";
inline constexpr const char* kBigJournalLatinWord = "love";
// A tag of about a tenth of the entries.
inline constexpr const char* kBigJournalTag = "семья";

}  // namespace vaticor::bench
