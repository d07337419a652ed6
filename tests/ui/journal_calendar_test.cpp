#include "ui/journal/journal_calendar.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTableView>

#include "library/journal_fake.h"
#include "support/qt/recorded_messages.h"
#include "support/ui/program_state_fixture.h"
#include "ui/journal_keeper.h"

namespace vaticor {
namespace {

using testing::ProcessEventsUntil;

// A journal whose March 2024 holds the given days, counting its reads.
class MonthJournal : public FakeJournalStore {
 public:
  std::vector<JournalMonthDay> Month(int year, int month) const override {
    ++reads;
    if (year == 2024 && month == 3) return days;
    return {};
  }
  std::vector<JournalMonthDay> days;
  mutable int reads = 0;
};

class JournalCalendarTest : public ::testing::Test, public testing::ProgramStateFixture {
 protected:
  void SetUp() override {
    MakeDeck("a", 22, 200, 350);
    MakeDeck("b", 22, 350, 200);
    ReadSettingsFile();
    instances.content.Load();
    auto store = std::make_unique<MonthJournal>();
    journal = store.get();
    journal->days = {
        {.day = "2024-03-14",
         .otherReadings = 2,
         .dayCardEntry = 1,
         .dayCard = 5,
         .dayCardReversed = true,
         .dayCardDeck = "b"},
        {.day = "2024-03-15", .dayCardEntry = 2, .dayCard = 7, .dayCardDeck = "gone"},
        {.day = "2024-03-16", .otherReadings = 1, .dayCardDeck = ""},
    };
    instances.journal.Attach(std::move(store));
  }
  MonthJournal* journal = nullptr;
};

TEST_F(JournalCalendarTest, AnEmptyMonthAndDaysWithTheirCardOfTheDayFromTheirOwnDeck) {
  JournalCalendar calendar(state);
  calendar.setCurrentPage(2024, 2);
  calendar.resize(500, 350);
  calendar.show();
  EXPECT_EQ(calendar.DayOf(QDate(2024, 2, 14)), nullptr);
  EXPECT_FALSE(calendar.grab().isNull());

  calendar.setCurrentPage(2024, 3);
  ASSERT_NE(calendar.DayOf(QDate(2024, 3, 16)), nullptr);
  EXPECT_TRUE(calendar.PictureOf(QDate(2024, 3, 16)).isNull());
  ASSERT_TRUE(ProcessEventsUntil([&] {
    return !calendar.PictureOf(QDate(2024, 3, 14)).isNull() &&
           !calendar.PictureOf(QDate(2024, 3, 15)).isNull();
  }));
  // The 14th from its own deck, turned; the 15th's deck is gone: the one
  // in use stands for it.
  const QImage own = calendar.PictureOf(QDate(2024, 3, 14));
  EXPECT_GT(own.width(), own.height());
  EXPECT_EQ(own.pixel(own.width() - 1, own.height() - 1) & 0xFFFFFFu, 5u);
  const QImage inUse = calendar.PictureOf(QDate(2024, 3, 15));
  EXPECT_LT(inUse.width(), inUse.height());
  EXPECT_EQ(inUse.pixel(0, 0) & 0xFFFFFFu, 7u);
  EXPECT_FALSE(calendar.grab().isNull());

  // A reading added is on the calendar at once while it shows; while it is
  // hidden, when it shows again.
  const int reads = journal->reads;
  JournalEntry entry;
  entry.moment = "2024-03-20T10:00:00";
  instances.journal.Add(entry);
  EXPECT_EQ(journal->reads, reads + 1);
  calendar.hide();
  instances.journal.Add(entry);
  instances.journal.Add(entry);
  EXPECT_EQ(journal->reads, reads + 1);
  calendar.show();
  EXPECT_EQ(journal->reads, reads + 2);
}

// The view kept its highlighted cell, not the date, when the language's
// week began on another day: the day before or after looked chosen.
TEST_F(JournalCalendarTest, TheChosenDayKeepsItsCellWhenTheWeekBeginsOnAnotherDay) {
  ini.Language = "0x0409";
  JournalCalendar calendar(state);
  calendar.setSelectedDate(QDate(2024, 3, 14));
  ini.Language = "0x0419";
  calendar.ApplyLanguage();
  const auto* view = calendar.findChild<QTableView*>("qt_calendar_calendarview");
  ASSERT_NE(view, nullptr);
  const QModelIndexList chosen = view->selectionModel()->selectedIndexes();
  ASSERT_EQ(chosen.size(), 1);
  EXPECT_EQ(chosen.front().data().toInt(), 14);
  EXPECT_EQ(calendar.monthShown(), 3);
}

TEST_F(JournalCalendarTest, AClickedDayIsSignalledAsTheJournalWritesIt) {
  JournalCalendar calendar(state);
  QString chosen;
  QObject::connect(&calendar, &JournalCalendar::dayChosen,
                   [&](const QString& day) { chosen = day; });
  calendar.setSelectedDate(QDate(2024, 3, 4));
  emit calendar.activated(QDate(2024, 3, 4));
  EXPECT_EQ(chosen.toStdString(), "2024-03-04");
}

}  // namespace
}  // namespace vaticor
