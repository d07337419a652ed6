#include "library/journal_import.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "library/journal_fake.h"

namespace vaticor {
namespace {

std::vector<std::string_view> Lines(const std::vector<std::string>& lines) {
  return {lines.begin(), lines.end()};
}

TEST(JournalImportTest, ReadsMomentsCardsTurnsAndQuestions) {
  const std::vector<std::string> log = {
      "[14.03.2024]", "09:30:05 [2]",          "", "21:05:00 [7] [-10] [0] Что будет? [не карта]",
      "[01.04.2025]", "00:00:01 [-21] Вопрос",
  };
  const LogReadings readings = ReadLogReadings(Lines(log), DayMonthYearFormat());
  EXPECT_EQ(readings.unreadable, 0);
  ASSERT_EQ(readings.entries.size(), 3u);
  EXPECT_EQ(readings.entries[0].moment, "2024-03-14T09:30:05");
  EXPECT_EQ(readings.entries[0].positions, (std::vector<JournalPosition>{{1, "", 2, false, ""}}));
  EXPECT_EQ(readings.entries[0].question, "");
  EXPECT_EQ(readings.entries[1].moment, "2024-03-14T21:05:00");
  EXPECT_EQ(readings.entries[1].positions,
            (std::vector<JournalPosition>{
                {1, "", 7, false, ""}, {2, "", 10, true, ""}, {3, "", 0, false, ""}}));
  EXPECT_EQ(readings.entries[1].question, "Что будет? [не карта]");
  EXPECT_EQ(readings.entries[2].moment, "2025-04-01T00:00:01");
  EXPECT_EQ(readings.entries[2].positions[0].card, 21);
  EXPECT_TRUE(readings.entries[2].positions[0].reversed);
}

TEST(JournalImportTest, LinesThatCannotBeReadAreCountedAndSkipped) {
  const std::vector<std::string> log = {
      "09:00:00 [1]",  // no date above it
      "[14.03.2024]",
      "09:00:00 [x]",            // a token without a number
      "09:00:00 [2] [3]",        // three cards by its form, two there
      "9 o'clock [4]",           // no time
      "25:00:00 [5]",            // no such hour
      "question without cards",  // no card token
      "09:00:00 [99999999999]",  // beyond any card number
      "10:00:00 [6]",            // the one readable line
      "[31.02.2024x99]",         // no date: the lines below it are not taken
      "11:00:00 [7]",
  };
  const LogReadings readings = ReadLogReadings(Lines(log), DayMonthYearFormat());
  ASSERT_EQ(readings.entries.size(), 1u);
  EXPECT_EQ(readings.entries[0].moment, "2024-03-14T10:00:00");
  EXPECT_EQ(readings.unreadable, 8);
}

// A user whose formats put the month first and count twelve hours.
class UsFormat : public DateTimeFormat {
 public:
  std::string Date(const LocalDateTime& m) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", m.month, m.day, m.year);
    return text;
  }
  std::string Time(const LocalDateTime& m) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", m.hour % 12 == 0 ? 12 : m.hour % 12,
                  m.minute, m.second, m.hour < 12 ? "AM" : "PM");
    return text;
  }
};

TEST(JournalImportTest, TheUsersOrderOfDateAndTwelveHourTimesAreLearnedFromTheFormat) {
  const std::vector<std::string> log = {
      "[03/04/2024]", "12:15:00 AM [1]", "12:15:00 PM [2]", "1:02:03 PM [3]",
      "1:02:03 [4]",  // morning or evening: not known
  };
  const LogReadings readings = ReadLogReadings(Lines(log), UsFormat());
  ASSERT_EQ(readings.entries.size(), 3u);
  EXPECT_EQ(readings.entries[0].moment, "2024-03-04T00:15:00");
  EXPECT_EQ(readings.entries[1].moment, "2024-03-04T12:15:00");
  EXPECT_EQ(readings.entries[2].moment, "2024-03-04T13:02:03");
  EXPECT_EQ(readings.unreadable, 1);
}

TEST(JournalImportTest, AShortDatesTwoDigitYearIsOfItsCentury) {
  const std::vector<std::string> log = {"[12/10/26]", "9:30:05 AM [2]", "[01/02/97]",
                                        "9:30:05 PM [3]"};
  const LogReadings readings = ReadLogReadings(Lines(log), UsFormat());
  ASSERT_EQ(readings.entries.size(), 2u);
  EXPECT_EQ(readings.entries[0].moment, "2026-12-10T09:30:05");
  EXPECT_EQ(readings.entries[1].moment, "1997-01-02T21:30:05");
}

TEST(JournalImportTest, TheLogIsImportedOnce) {
  FakeJournalStore store;
  const std::vector<std::string> log = {"[14.03.2024]", "09:30:05 [2]", "bad"};
  EXPECT_EQ(ImportReadingLog(store, Lines(log), DayMonthYearFormat()), 1);
  EXPECT_TRUE(store.LogImported());
  EXPECT_EQ(ImportReadingLog(store, Lines(log), DayMonthYearFormat()), 0);
  EXPECT_EQ(store.Count({}), 1u);
}

}  // namespace
}  // namespace vaticor
