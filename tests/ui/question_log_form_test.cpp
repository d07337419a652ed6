#include "ui/questions/question_log_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>

#include "core/file_io.h"
#include "platform/locale_date_time.h"
#include "question_windows_fixture.h"
#include "support/qt/hint_text.h"

namespace vaticor {
namespace {

using testing::Click;
using testing::Control;
using testing::QuestionWindowsTest;
using testing::ReadAll;
using testing::ReleaseKey;

class QuestionLogFormTest : public QuestionWindowsTest {
 protected:
  void SetUp() override { MakeDeck("a", 22); }
  void WriteLog(const std::string& text) { dir.Write("Vaticor.Log", text); }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int line = 0; line < log->LineCount(); ++line) lines.push_back(log->LineText(line));
    return lines;
  }
  // A click on a line, as the user makes it.
  void ClickLine(int line) {
    QListView* list = LogList();
    list->selectionModel()->setCurrentIndex(list->model()->index(line, 0),
                                            QItemSelectionModel::ClearAndSelect);
  }
};

TEST_F(QuestionLogFormTest, StartsFromTheFileWithTodaysDateLineAndHidden) {
  Open();
  EXPECT_FALSE(log->isVisible());
  EXPECT_EQ(Lines(), std::vector<std::string>{"[14.03.2024]"});
  EXPECT_EQ(log->geometry(), QRect((1024 - 138) / 2, (768 - 235) / 2, 130, 208));
  EXPECT_EQ(LogList()->geometry(), QRect(2, 19, 126, 170));
  CloseAll();

  WriteLog("[13.03.2024]\r\n10:00:00 [4]\r\n");
  Open();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"[13.03.2024]", "10:00:00 [4]", "[14.03.2024]"}));
  CloseAll();

  WriteLog("[14.03.2024]\n10:00:00 [4]");
  Open();
  EXPECT_EQ(log->LineCount(), 2);
}

TEST_F(QuestionLogFormTest, ADrawAddsAReadingLineAndSelectsIt) {
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  Open();
  Draw();
  const std::vector<int> cards = Numbers();
  ASSERT_EQ(log->LineCount(), 2);
  EXPECT_EQ(log->LineText(1), "09:30:05 [" + std::to_string(cards[0]) + "] [" +
                                  std::to_string(cards[1]) + "] [" + std::to_string(cards[2]) +
                                  "]");
  EXPECT_EQ(log->SelectedLine(), 1);
}

TEST_F(QuestionLogFormTest, ShowingAReadingSwitchesTheModeAndTurnsNegativeCards) {
  // Reversed cards are off for drawing; a logged reversed card is still
  // shown turned.
  ApplySettings = [](TINIData& d) { d.ThreeCardsModeEnabled = true; };
  WriteLog("[14.03.2024]\r\n10:00:00 [-5]\r\n10:01:00 [3] [-17] [0] q\r\n10:02:00 [9] [8]\r\n");
  Open();
  log->SelectLine(1);
  log->ShowSelectedReading();
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
  EXPECT_EQ(Card(*main, 1)->Number(), -5);
  EXPECT_EQ(TagOf(Card(*main, 1)), -5);

  log->SelectLine(2);
  log->ShowSelectedReading();
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);
  EXPECT_EQ(Numbers(), (std::vector<int>{3, -17, 0}));
  EXPECT_EQ(TagOf(Card(*main, 2)), -17);
  EXPECT_EQ(TagOf(Card(*main, 3)), 0);

  // A line with two cards shown in three-card mode leaves the third image
  // as it was.
  log->SelectLine(3);
  log->ShowSelectedReading();
  EXPECT_EQ(Numbers(), (std::vector<int>{9, 8, 0}));
  EXPECT_EQ(TagOf(Card(*main, 3)), 0);
  EXPECT_TRUE(Card(*main, 3)->HasPicture());
}

TEST_F(QuestionLogFormTest, CardsTheDeckLacksLeaveTheImageEmpty) {
  WriteLog("10:00:00 [40]\r\n10:00:00 [-2147483648]\r\n");
  Open();
  log->SelectLine(0);
  log->ShowSelectedReading();
  EXPECT_EQ(Card(*main, 1)->Number(), 40);
  EXPECT_FALSE(Card(*main, 1)->HasPicture());
  log->SelectLine(1);
  log->ShowSelectedReading();
  EXPECT_FALSE(Card(*main, 1)->HasPicture());
}

TEST_F(QuestionLogFormTest, ABadCardTokenStopsWithTheMessage) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  WriteLog("10:00:00 [x] [4] Why?\r\n");
  Open();
  log->SelectLine(0);
  try {
    log->ShowSelectedReading();
    ADD_FAILURE() << "no error";
  } catch (const InvalidIntegerError& error) {
    EXPECT_STREQ(error.what(), "'' is not a valid integer value");
  }
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);  // the mode was set first
  EXPECT_TRUE(Memo1()->text().isEmpty());
}

TEST_F(QuestionLogFormTest, TheQuestionGoesToTheQuestionWindowOnlyWhileItIsOn) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  WriteLog("[14.03.2024]\r\n10:00:00 [2] Что меня ждёт? [скоро]\r\n10:01:00 [3]\r\n");
  Open();
  ClickLine(1);  // selecting shows the question, not the cards
  EXPECT_EQ(Memo1()->text().toStdString(), "Что меня ждёт? [скоро]");
  EXPECT_TRUE(Memo1()->isReadOnly());
  EXPECT_FALSE(Card(*main, 1)->HasPicture());
  EXPECT_TRUE(LogList()->toolTip().contains(QString::fromUtf8("Что меня ждёт?")));
  ClickLine(0);  // a date line empties the field
  EXPECT_TRUE(Memo1()->text().toStdString().empty());

  log->SelectLine(1);
  log->ShowSelectedReading();
  EXPECT_EQ(Memo1()->text().toStdString(), "Что меня ждёт? [скоро]");
  EXPECT_EQ(Card(*main, 1)->Number(), 2);

  ini.QuestionFormEnabled = false;
  ClickLine(2);
  EXPECT_TRUE(Memo1()->text().toStdString().empty());
  log->SelectLine(1);
  log->ShowSelectedReading();
  EXPECT_TRUE(Memo1()->text().toStdString().empty());
}

TEST_F(QuestionLogFormTest, EnterDoubleClickAndTheCaptionShowTheReading) {
  WriteLog("10:00:00 [6]\r\n10:00:00 [7]\r\n10:00:00 [8]\r\n");
  Open();
  log->SelectLine(1);
  ReleaseKey(LogList(), Qt::Key_Return);
  EXPECT_EQ(Card(*main, 1)->Number(), 7);

  log->SelectLine(2);
  Click(Control<TCaptionLabel>(*log, "Label2"));
  EXPECT_EQ(Card(*main, 1)->Number(), 8);

  log->show();
  QListView* list = LogList();
  const QPointF at = list->visualRect(list->model()->index(0, 0)).center();
  const QPointF global = list->viewport()->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const bool down = type != QEvent::MouseButtonRelease;
    QMouseEvent event(type, at, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  EXPECT_EQ(log->SelectedLine(), 0);
  EXPECT_EQ(Card(*main, 1)->Number(), 6);
}

TEST_F(QuestionLogFormTest, UpAndDownInTheMainWindowStepThroughTheLog) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n10:00:00 [7]\r\n");
  Open();                              // + today's date line
  ReleaseKey(main.get(), Qt::Key_Up);  // no line selected: nothing
  EXPECT_EQ(log->SelectedLine(), -1);
  ReleaseKey(main.get(), Qt::Key_Down);
  EXPECT_EQ(log->SelectedLine(), 0);
  EXPECT_FALSE(Card(*main, 1)->HasPicture());  // a date line
  ReleaseKey(main.get(), Qt::Key_Down);
  EXPECT_EQ(Card(*main, 1)->Number(), 6);
  ReleaseKey(main.get(), Qt::Key_Down);
  EXPECT_EQ(Card(*main, 1)->Number(), 7);
  ReleaseKey(main.get(), Qt::Key_Down);  // onto today's date line: the cards stay
  EXPECT_EQ(log->SelectedLine(), 3);
  EXPECT_EQ(Card(*main, 1)->Number(), 7);
  ReleaseKey(main.get(), Qt::Key_Down);
  EXPECT_EQ(log->SelectedLine(), 3);
  ReleaseKey(main.get(), Qt::Key_Up);
  ReleaseKey(main.get(), Qt::Key_Up);
  EXPECT_EQ(Card(*main, 1)->Number(), 6);
}

TEST_F(QuestionLogFormTest, F3InTheMainWindowSelectsTheLastLineOnlyWhenNoneIs) {
  WriteLog("10:00:00 [6]\r\n");
  Open();
  ReleaseKey(main.get(), Qt::Key_F3);
  EXPECT_TRUE(log->isVisible());
  EXPECT_EQ(log->SelectedLine(), 1);
  log->SelectLine(0);
  ReleaseKey(main.get(), Qt::Key_F3);
  EXPECT_EQ(log->SelectedLine(), 0);

  ReleaseKey(LogList(), Qt::Key_F3);  // F3 in the log window closes it
  EXPECT_FALSE(log->isVisible());
  ReleaseKey(main.get(), Qt::Key_F3);
  Click(Control<TSkinImage>(*log, "ButtonCloseImage"));
  EXPECT_FALSE(log->isVisible());
}

TEST_F(QuestionLogFormTest, ClearingWithSavingOffDeletesTheFileAtOnce) {
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  log->SelectLine(1);
  Control<QAction>(*log, "N1")->trigger();
  EXPECT_EQ(Lines(), std::vector<std::string>{"[14.03.2024]"});
  EXPECT_EQ(log->SelectedLine(), -1);
  EXPECT_FALSE(FileExists(LogPath()));
  CloseAll();

  Open();
  EXPECT_EQ(Lines(), std::vector<std::string>{"[14.03.2024]"});
}

TEST_F(QuestionLogFormTest, ClearingWithSavingOnKeepsTheFileUntilTheEnd) {
  ApplySettings = [](TINIData& d) { d.QuestionsLogSaveEnabled = true; };
  WriteLog("[13.03.2024]\r\n10:00:00 [6]\r\n");
  Open();
  Control<QAction>(*log, "N1")->trigger();
  EXPECT_EQ(ReadAll(LogPath()), "[13.03.2024]\r\n10:00:00 [6]\r\n");
  CloseAll();
  EXPECT_EQ(ReadAll(LogPath()), "[14.03.2024]\r\n");
}

TEST_F(QuestionLogFormTest, AReadingWithItsQuestionSurvivesARestartAndComesBack) {
  ApplySettings = [](TINIData& d) {
    d.QuestionFormEnabled = true;
    d.QuestionsLogSaveEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  Open();
  Memo1()->setText(QString::fromUtf8("Что меня ждёт?"));
  Click(Control<TSkinImage>(*question, "Image2"));
  const int card = Card(*main, 1)->Number();
  CloseAll();
  EXPECT_EQ(ReadAll(LogPath()),
            "[14.03.2024]\r\n09:30:05 [" + std::to_string(card) + "] Что меня ждёт?\r\n");

  localClock.now = {2024, 3, 15, 8, 0, 0};
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
  };  // also reads the saved options
  Open();
  ASSERT_EQ(log->LineCount(), 3);
  EXPECT_EQ(log->LineText(2), "[15.03.2024]");
  Memo1()->setText("typed");
  log->SelectLine(1);
  log->ShowSelectedReading();
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
  EXPECT_EQ(Card(*main, 1)->Number(), card);
  EXPECT_EQ(TagOf(Card(*main, 1)), card);
  EXPECT_EQ(Memo1()->text().toStdString(), "Что меня ждёт?");
}

TEST_F(QuestionLogFormTest, WithSavingOffTheRunsReadingsAreLostButTheOldFileStays) {
  WriteLog("[13.03.2024]\r\n");
  Open();
  Draw();
  CloseAll();
  EXPECT_EQ(ReadAll(LogPath()), "[13.03.2024]\r\n");
}

TEST_F(QuestionLogFormTest, EdgesResizeAndOnlyTheTopEdgeLeavesTheTopUnstored) {
  Open();
  log->show();
  const QRect start = log->geometry();
  auto drag = [](QWidget* edge, QPoint by) {
    const QPoint from(1, 1);
    const QPointF global = edge->mapToGlobal(QPointF(from));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(from), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edge, &press);
    const QPointF to = global + QPointF(by);
    QMouseEvent move(QEvent::MouseMove, edge->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(edge, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, edge->mapFromGlobal(to), to, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edge, &release);
  };
  drag(Control<TSkinImage>(*log, "Image26"), {0, -10});  // top edge up: taller, bottom kept
  EXPECT_EQ(log->geometry(), start.adjusted(0, -10, 0, 0));
  EXPECT_EQ(ini.QuestionLogFormHeight, start.height() + 10);
  EXPECT_EQ(ini.QuestionLogFormTop, start.top());
  drag(Control<TSkinImage>(*log, "Image4"), {-20, 0});  // left edge: wider, right kept, left stored
  EXPECT_EQ(ini.QuestionLogFormLeft, start.left() - 20);
  EXPECT_EQ(ini.QuestionLogFormWidth, start.width() + 20);
  drag(Control<TSkinImage>(*log, "Image2"), {5, 0});
  drag(Control<TSkinImage>(*log, "Image3"), {0, 7});
  EXPECT_EQ(ini.QuestionLogFormWidth, start.width() + 25);
  EXPECT_EQ(ini.QuestionLogFormHeight, start.height() + 17);
  drag(Control<TSkinImage>(*log, "Image5"), {3, 4});
  EXPECT_EQ(ini.QuestionLogFormTop, start.top() - 10 + 4);
  // The frame follows: close button flush right, caption centred.
  EXPECT_EQ(Control<TSkinImage>(*log, "ButtonCloseImage")->x(), log->width() - 17);
  EXPECT_EQ(Control<TCaptionLabel>(*log, "Label2")->x(),
            (log->width() - Control<TCaptionLabel>(*log, "Label2")->width()) / 2);
  EXPECT_EQ(LogList()->geometry(), QRect(2, 19, log->width() - 4, log->height() - 38));
}

// --- The user's date and time formats ---

TEST(LogDateFormat, TheDateAlwaysTakesTenCharactersInTheLocalesOrder) {
  EXPECT_EQ(TenCharacterDatePattern("dd.MM.yyyy"), "dd.MM.yyyy");
  EXPECT_EQ(TenCharacterDatePattern("M/d/yy"), "MM/dd/yyyy");
  EXPECT_EQ(TenCharacterDatePattern("yyyy-MM-dd"), "yyyy-MM-dd");
  EXPECT_EQ(TenCharacterDatePattern("d.MM.yy 'г'."), "dd.MM.yyyy");
  EXPECT_EQ(TenCharacterDatePattern("yy. M. d."), "yyyy.MM.dd");
  EXPECT_EQ(TenCharacterDatePattern("d MMM"), "dd MM yyyy");

  const LocalDateTime moment{2024, 3, 4, 7, 5, 9};
  EXPECT_EQ(LocaleDateTimeFormat(QLocale(QLocale::Russian, QLocale::Russia)).Date(moment),
            "04.03.2024");
  EXPECT_EQ(LocaleDateTimeFormat(QLocale(QLocale::English, QLocale::UnitedStates)).Date(moment),
            "03/04/2024");
  for (const QLocale& locale :
       {QLocale(QLocale::German), QLocale(QLocale::Swedish), QLocale(QLocale::Japanese),
        QLocale(QLocale::Korean), QLocale(QLocale::Bulgarian), QLocale(QLocale::Hungarian)}) {
    EXPECT_EQ(QString::fromStdString(LocaleDateTimeFormat(locale).Date(moment)).size(), 10)
        << locale.name().toStdString();
  }
}

TEST(LogDateFormat, TheTimeIsTheLongFormatWithoutItsZone) {
  EXPECT_EQ(TimePatternWithoutZone("HH:mm:ss t"), "HH:mm:ss");
  EXPECT_EQ(TimePatternWithoutZone("h:mm:ss AP t"), "h:mm:ss AP");
  EXPECT_EQ(TimePatternWithoutZone("H 'h' mm 'tt' ss"), "H 'h' mm 'tt' ss");
  const LocalDateTime moment{2024, 3, 4, 14, 5, 9};
  EXPECT_EQ(LocaleDateTimeFormat(QLocale(QLocale::Russian, QLocale::Russia)).Time(moment),
            "14:05:09");
}

}  // namespace
}  // namespace vaticor

namespace vaticor {
namespace {

TEST_F(QuestionLogFormTest, AReadingLinesHintNamesItsCardsWithTheCurrentDeck) {
  WriteLog("[14.03.2024]\r\n10:01:00 [3] [-17] [41] q\r\n10:02:00 [<b>]\r\n");
  Open();
  auto hint = [this](int line) {
    const QAbstractItemModel* model = LogList()->model();
    return testing::ShownHint(model->data(model->index(line, 0), Qt::ToolTipRole).toString())
        .toStdString();
  };
  // The deck has 22 cards named "Card N"; 41 lies beyond it.
  // The line does not say which deck it was drawn from: the hint says whose
  // names it gives (the fixture's deck "a").
  EXPECT_EQ(hint(1),
            "Колода расклада не записана; названия — по текущей колоде: a"
            "\n3 - Card 3\n17 - Card 17 (перевёрнута)\n41 - нет в текущей колоде");
  // The line stays as the file has it.
  EXPECT_EQ(log->LineText(1), "10:01:00 [3] [-17] [41] q");
  // A date line, or a reading whose token holds no number, has none.
  EXPECT_EQ(hint(0), "");
  EXPECT_EQ(hint(2), "");
}

}  // namespace
}  // namespace vaticor
