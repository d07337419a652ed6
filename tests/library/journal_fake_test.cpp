#include "library/journal_fake.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

JournalEntry Entry(std::string moment, JournalKind kind, std::string deck,
                   std::vector<JournalPosition> positions) {
  JournalEntry entry;
  entry.moment = std::move(moment);
  entry.kind = kind;
  entry.deckFolder = std::move(deck);
  entry.positions = std::move(positions);
  return entry;
}

// The fake is the oracle the SQLite store's counts are checked against, so
// its own counts are checked here by hand, over a journal of two days.
class FakeJournalCountsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    JournalEntry draw = Entry("2024-03-14T09:00:00", JournalKind::kDraw, "Rider",
                              {{1, "", 5, false, "Hierophant"}, {2, "", 16, true, "Tower"}});
    draw.descriptionFolder = "Classic";
    draw.tags = {"work"};
    store_.Add(draw);
    // Of the day's two cards of the day, the later moment counts, though
    // it was recorded first.
    store_.Add(Entry("2024-03-14T20:00:00", JournalKind::kDayCard, "Marseille",
                     {{1, "", 3, true, "L'Impératrice"}}));
    store_.Add(Entry("2024-03-14T08:00:00", JournalKind::kDayCard, "Rider",
                     {{1, "", 16, false, "The Tower"}}));
    JournalEntry spread = Entry("2024-03-15T10:00:00", JournalKind::kSpread, "Rider", {});
    spread.descriptionFolder = "Classic";
    spread.spreadFile = "Cross.spread";
    store_.Add(spread);
    // A card of the day without a card shows none.
    store_.Add(Entry("2024-03-15T11:00:00", JournalKind::kDayCard, "Rider", {}));
  }
  FakeJournalStore store_;
};

TEST_F(FakeJournalCountsTest, TallyCountsDaysCardsAndUses) {
  const JournalTally all = store_.Tally({});
  EXPECT_EQ(all.readings, 5);
  EXPECT_EQ(all.days,
            (std::vector<JournalDayTally>{{"2024-03-14", 3, 4, 2}, {"2024-03-15", 2, 0, 0}}));
  EXPECT_EQ(all.cards, (std::vector<JournalCardTally>{{"Marseille", 3, 0, 1, "L'Impératrice"},
                                                      {"Rider", 5, 1, 0, "Hierophant"},
                                                      {"Rider", 16, 1, 1, "Tower"}}));
  EXPECT_EQ(all.uses, (std::vector<JournalUseTally>{
                          {JournalKind::kDraw, "Rider", "Classic", "", 1},
                          {JournalKind::kSpread, "Rider", "Classic", "Cross.spread", 1},
                          {JournalKind::kDayCard, "Marseille", "", "", 1},
                          {JournalKind::kDayCard, "Rider", "", "", 2}}));

  const JournalTally work = store_.Tally({.tag = "work"});
  EXPECT_EQ(work.readings, 1);
  EXPECT_EQ(work.days, (std::vector<JournalDayTally>{{"2024-03-14", 1, 2, 1}}));
  EXPECT_EQ(work.cards, (std::vector<JournalCardTally>{{"Rider", 5, 1, 0, "Hierophant"},
                                                       {"Rider", 16, 0, 1, "Tower"}}));
  EXPECT_EQ(work.uses,
            (std::vector<JournalUseTally>{{JournalKind::kDraw, "Rider", "Classic", "", 1}}));
}

TEST_F(FakeJournalCountsTest, RecentCardsCountReadingsNotCards) {
  // The two newest readings have no card but one.
  EXPECT_EQ(store_.RecentCards({}, 3),
            (std::vector<JournalRecentCard>{
                {2, "2024-03-14T20:00:00", 3, true, "Marseille", "L'Impératrice"}}));
  EXPECT_EQ(store_.RecentCards({}, 5),
            (std::vector<JournalRecentCard>{
                {2, "2024-03-14T20:00:00", 3, true, "Marseille", "L'Impératrice"},
                {1, "2024-03-14T09:00:00", 5, false, "Rider", "Hierophant"},
                {1, "2024-03-14T09:00:00", 16, true, "Rider", "Tower"},
                {3, "2024-03-14T08:00:00", 16, false, "Rider", "The Tower"}}));
}

TEST_F(FakeJournalCountsTest, MonthGivesEachDaysCardOfTheDayAndOtherReadings) {
  EXPECT_EQ(store_.Month(2024, 3),
            (std::vector<JournalMonthDay>{{"2024-03-14", 1, 2, 3, true, "Marseille"},
                                          {"2024-03-15", 1, 0, 0, false, ""}}));
  EXPECT_TRUE(store_.Month(2024, 4).empty());
  EXPECT_TRUE(store_.Month(2023, 3).empty());
}

}  // namespace
}  // namespace vaticor
