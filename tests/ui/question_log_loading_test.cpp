// The reading log read on a thread of its own while the main window comes up.
// Test labels: threads
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QListView>

#include "core/file_io.h"
#include "question_windows_fixture.h"
#include "support/qt/recorded_messages.h"

namespace vaticor {
namespace {

using testing::ProcessEventsUntil;
using testing::QuestionWindowsTest;
using testing::ReadAll;

class QuestionLogLoadingTest : public QuestionWindowsTest {
 protected:
  void SetUp() override {
    MakeDeck("a", 22);
    readLogInBackground = true;
  }
  void WriteLog(const std::string& text) { dir.Write("Vaticor.Log", text); }
  // The rows the list shows, without waiting for the file.
  int Rows() const { return LogList()->model()->rowCount(); }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    for (int line = 0; line < log->LineCount(); ++line) lines.push_back(log->LineText(line));
    return lines;
  }
};

using Lines = std::vector<std::string>;

TEST_F(QuestionLogLoadingTest, TheFileArrivesAfterTheMainWindowShows) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  EXPECT_FALSE(log->LogLoaded());
  main->show();
  // Nothing from the file until the loop hands it over.
  EXPECT_EQ(Rows(), 0);
  ASSERT_TRUE(ProcessEventsUntil([this] { return log->LogLoaded(); }));
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(LogLines(), (Lines{"[13.03.2024]", "10:00:00 [6]", "[14.03.2024]"}));
  EXPECT_FALSE(log->isVisible());
}

TEST_F(QuestionLogLoadingTest, DrawsBeforeTheFileArrivesFollowItsLinesInOrder) {
  // The file ends on today: no second date line for the day.
  WriteLog("[14.03.2024]\r\n08:00:00 [6]\r\n");
  Open();
  log->AddReading({3});
  localClock.now.second = 9;
  log->AddReading({1, -2, 4});
  EXPECT_FALSE(log->LogLoaded());
  EXPECT_EQ(LogLines(),
            (Lines{"[14.03.2024]", "08:00:00 [6]", "09:30:05 [3]", "09:30:09 [1] [-2] [4]"}));
  // The late delivery changes nothing more.
  QCoreApplication::processEvents();
  EXPECT_EQ(log->LineCount(), 4);
}

TEST_F(QuestionLogLoadingTest, ADrawFromTheMainWindowIsSelectedAfterTheFilesLines) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  main->show();
  Draw();
  ASSERT_EQ(log->LineCount(), 4);
  EXPECT_EQ(log->LineText(2), "[14.03.2024]");
  EXPECT_EQ(log->LineText(3), "09:30:05 [" + std::to_string(Card(*main, 1)->Number()) + "]");
  EXPECT_EQ(log->SelectedLine(), 3);
  EXPECT_EQ(LogList()->currentIndex().row(), 3);
}

TEST_F(QuestionLogLoadingTest, SavingBeforeTheFileArrivesKeepsItsLines) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  log->AddReading({5});
  log->SaveLog();
  EXPECT_EQ(ReadAll(LogPath()), "[13.03.2024]\r\n10:00:00 [6]\r\n[14.03.2024]\r\n09:30:05 [5]\r\n");

  // And as the program ends, closing the main window at once.
  CloseAll();
  ApplySettings = [](TINIData& d) { d.QuestionsLogSaveEnabled = true; };
  Open();
  CloseAll();
  EXPECT_EQ(ReadAll(LogPath()), "[13.03.2024]\r\n10:00:00 [6]\r\n[14.03.2024]\r\n09:30:05 [5]\r\n");
}

TEST_F(QuestionLogLoadingTest, ShowingTheWindowOrClosingTheProgramSoonAfterStartIsSafe) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  log->show();
  EXPECT_EQ(Rows(), 3);
  CloseAll();

  // Gone before the text arrives: the reader's answer finds nothing.
  Open();
  CloseAll();
  QCoreApplication::processEvents();
  EXPECT_EQ(ReadAll(LogPath()), "[13.03.2024]\r\n10:00:00 [6]\r\n");
}

TEST_F(QuestionLogLoadingTest, AMissingOrUnreadableFileIsAnEmptyLog) {
  Open();
  EXPECT_EQ(LogLines(), Lines{"[14.03.2024]"});
  log->SaveLog();
  EXPECT_EQ(ReadAll(LogPath()), "[14.03.2024]\r\n");
  CloseAll();

  // A folder where the file should be reads as nothing and is never
  // replaced: saving says so.
  std::remove(LogPath().c_str());
  ASSERT_EQ(::mkdir(LogPath().c_str(), 0755), 0);
  Open();
  EXPECT_EQ(LogLines(), Lines{"[14.03.2024]"});
  EXPECT_THROW(log->SaveLog(), LogWriteError);
  EXPECT_TRUE(DirectoryExists(LogPath()));
  CloseAll();
}

}  // namespace
}  // namespace vaticor
