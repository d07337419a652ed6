#include "ui/day_card_keeper.h"

#include <gtest/gtest.h>

#include "library/journal_fake.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/journal_keeper.h"

namespace vaticor {
namespace {

using testing::FakeMainWindow;

class DayCardKeeperTest : public ::testing::Test, public testing::ProgramStateFixture {
 protected:
  void SetUp() override {
    MakeDeck("a", 22);
    ReadSettingsFile();
    instances.content.Load();
  }
  FakeJournalStore& OpenJournal() {
    auto store = std::make_unique<FakeJournalStore>();
    FakeJournalStore& journal = *store;
    instances.journal.Attach(std::move(store));
    return journal;
  }

  FixedLocalClock localClock{{2024, 3, 14, 9, 30, 5}};
  FakeMainWindow main;
};

TEST_F(DayCardKeeperTest, TheDaysCardAloneInTheMainWindowRecordedOnceWithItsTag) {
  FakeJournalStore& journal = OpenJournal();
  ini.ThreeCardsModeEnabled = true;
  DayCardKeeper keeper(state, localClock);
  keeper.Show(main, nullptr);
  localClock.now.hour = 18;
  keeper.Show(main, nullptr);

  ASSERT_EQ(journal.Count({}), 1u);
  const JournalEntry entry = journal.List({}, 0, 1).front();
  EXPECT_EQ(entry.kind, JournalKind::kDayCard);
  EXPECT_EQ(entry.tags, std::vector<std::string>{"карта дня"});
  EXPECT_EQ(entry.deckFolder, "a");
  const std::int32_t value = entry.positions.at(0).card;
  EXPECT_FALSE(main.threeCards);
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, value}, {0, value}}));
  EXPECT_EQ(main.shown, 2);
}

// Shown at the first start of the day only: a second start that day (the
// settings as the first one left them) shows nothing and finds the card.
TEST_F(DayCardKeeperTest, ShownAtTheFirstStartOfADayWhenAskedAndNotAgainThatDay) {
  FakeJournalStore& journal = OpenJournal();
  DayCardKeeper off(state, localClock);
  EXPECT_FALSE(off.ShowAtStart(main, nullptr));
  EXPECT_EQ(journal.Count({}), 0u);

  ini.DayCardShowAtStart = true;
  DayCardKeeper first(state, localClock);
  EXPECT_TRUE(first.ShowAtStart(main, nullptr));
  EXPECT_EQ(ini.DayCardLastShownDay, "2024-03-14");
  DayCardKeeper second(state, localClock);
  EXPECT_FALSE(second.ShowAtStart(main, nullptr));
  EXPECT_EQ(second.Today(nullptr)->positions, first.Today(nullptr)->positions);
  EXPECT_EQ(main.shown, 1);
  EXPECT_EQ(journal.Count({}), 1u);

  localClock.now = {2024, 3, 15, 0, 0, 0};
  EXPECT_TRUE(second.ShowAtStart(main, nullptr));
  EXPECT_EQ(journal.Count({}), 2u);
}

TEST_F(DayCardKeeperTest, AReadOnlyJournalRecordsNothingAndTheCardStaysAllDay) {
  FakeJournalStore& journal = OpenJournal();
  journal.readOnly = true;
  DayCardKeeper keeper(state, localClock);
  const std::optional<JournalEntry> morning = keeper.Today(nullptr);
  ASSERT_TRUE(morning);
  for (int hour = 10; hour < 24; ++hour) {
    localClock.now.hour = hour;
    EXPECT_EQ(keeper.Today(nullptr), morning);
  }
  EXPECT_EQ(journal.Count({}), 0u);
}

}  // namespace
}  // namespace vaticor
