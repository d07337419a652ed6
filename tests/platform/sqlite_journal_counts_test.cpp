// The SQLite store counts what the fake counts (its own counts are checked
// by hand in tests/library/journal_fake_test.cpp), over one generated
// journal under several filters.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "library/journal_fake.h"
#include "platform/sqlite_journal.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

// Three months of readings (February to May 2024), a few a day, some days with none: draws of one
// or three cards, spreads (some unsaved), cards of the day (some days two,
// some without a card), entries without positions, three decks (one not
// known) whose cards are named in two ways, moments shared by two entries.
std::vector<JournalEntry> MixedJournal() {
  std::mt19937 random(20240314);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* decks[] = {"Rider", "Таро Уэйта", ""};
  const char* words[] = {"работа", "love", "дом", "travel"};
  const char* tags[] = {"work", "love", "семья"};
  const char* spreads[] = {"Cross.spread", "Подкова.spread", ""};
  std::vector<JournalEntry> entries;
  for (int day = 0; day < 90; ++day) {
    const int month = 2 + day / 28;
    const int date = 1 + day % 28;
    for (int n = below(6); n > 0; --n) {
      JournalEntry entry;
      entry.moment = JournalMoment(2024, month, date, 7 + below(16), below(60), 0);
      const int kind = below(10);
      entry.kind =
          kind < 2 ? JournalKind::kSpread : (kind < 4 ? JournalKind::kDayCard : JournalKind::kDraw);
      entry.deckFolder = decks[below(3)];
      entry.descriptionFolder = below(2) ? "Classic" : "";
      if (entry.kind == JournalKind::kSpread) entry.spreadFile = spreads[below(3)];
      entry.question = std::string(words[below(4)]) + " " + words[below(4)];
      const int cards = entry.kind == JournalKind::kSpread    ? 5
                        : entry.kind == JournalKind::kDayCard ? 1
                                                              : 1 + 2 * below(2);
      if (below(12) > 0) {
        for (int c = 0; c < cards; ++c) {
          const int card = below(30);
          entry.positions.push_back({c + 1, "", card, below(10) < 3,
                                     (below(2) ? "Card " : "Карта ") + std::to_string(card)});
        }
      }
      if (below(2)) entry.tags = {tags[below(3)]};
      entries.push_back(entry);
      if (below(20) == 0) entries.push_back(entry);  // the same moment again
    }
  }
  return entries;
}

TEST(SqliteJournalCountsTest, CountsAsTheFakeDoesUnderEveryFilter) {
  TempDir dir;
  SqliteJournal sqlite(dir.Path(kJournalFileName));
  FakeJournalStore fake;
  const std::vector<JournalFilter> filters = {
      {},
      {.text = "работ"},
      {.tag = "love"},
      {.card = 7},
      {.from = "2024-03-10", .to = "2024-03-20"},
      {.text = "love", .tag = "work", .from = "2024-02-15"},
      {.text = "дом", .card = 3, .to = "2024-04"},
      {.text = "nowhere"},
  };
  const auto same = [&](const char* journal) {
    SCOPED_TRACE(journal);
    for (const JournalFilter& filter : filters) {
      SCOPED_TRACE(filter.text + " " + filter.tag + " " + filter.from + " " + filter.to);
      EXPECT_EQ(sqlite.Tally(filter), fake.Tally(filter));
      EXPECT_EQ(sqlite.RecentCards(filter, 7), fake.RecentCards(filter, 7));
      EXPECT_EQ(sqlite.RecentCards(filter, 1000), fake.RecentCards(filter, 1000));
    }
    for (int month = 0; month <= 13; ++month) {
      EXPECT_EQ(sqlite.Month(2024, month), fake.Month(2024, month)) << month;
    }
  };
  same("empty");
  EXPECT_EQ(sqlite.Tally({}), JournalTally{});
  EXPECT_TRUE(sqlite.Month(2024, 3).empty());

  for (const JournalEntry& entry : MixedJournal()) {
    ASSERT_EQ(sqlite.Add(entry), fake.Add(entry));
  }
  // Every entry read back as it was given, its kind too.
  EXPECT_EQ(sqlite.List({}, 0, 1000), fake.List({}, 0, 1000));
  same("mixed");

  // The journal is one that tells the counts apart: each filter but the
  // last takes entries, and some days have two cards of the day.
  for (std::size_t n = 0; n + 1 < filters.size(); ++n) EXPECT_GT(fake.Count(filters[n]), 0u) << n;
  std::map<std::string, int> dayCards;
  for (const JournalEntry& entry : fake.List({}, 0, 1000)) {
    if (entry.kind == JournalKind::kDayCard && !entry.positions.empty()) {
      ++dayCards[entry.moment.substr(0, 10)];
    }
  }
  EXPECT_TRUE(std::any_of(dayCards.begin(), dayCards.end(),
                          [](const auto& day) { return day.second > 1; }));
  EXPECT_TRUE(sqlite.Month(2024, 0).empty());
  EXPECT_TRUE(sqlite.Month(2024, 13).empty());
}

}  // namespace
}  // namespace vaticor
