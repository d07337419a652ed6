#include "ui/questions/question_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>

#include "question_windows_fixture.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"
#include "support/qt/tray_icon.h"

namespace vaticor {
namespace {

using testing::Click;
using testing::Control;
using testing::QuestionWindowsTest;
using testing::ReleaseKey;

constexpr int kQuestionWindowItem = 7;

// A left-button drag of `widget` by `by`.
void Drag(QWidget* widget, QPoint by) { testing::Drag(widget, QPoint(5, 5), by); }

class QuestionFormTest : public QuestionWindowsTest {
 protected:
  void SetUp() override { MakeDeck("a", 22); }
  QAction* QuestionItem() const { return Control<QAction>(*main, "N28"); }
};

TEST_F(QuestionFormTest, StartsAtItsPlaceAndWithTheOptionOnShowsItselfAboveWithoutRecording) {
  Open();
  EXPECT_EQ(question->geometry(), QRect(1024 - 323, 738 - 40, 323, 40));
  EXPECT_FALSE(question->isVisible());
  EXPECT_EQ(main->y() + main->height(), 738);
  CloseAll();

  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  EXPECT_TRUE(question->isVisible());
  // Moved up so that the two meet, but neither recorded nor flagged.
  EXPECT_EQ(main->y() + main->height(), question->y());
  EXPECT_EQ(ini.VaticorFormTop, 405);
  EXPECT_FALSE(ini.QuestionFormShifted);
}

TEST_F(QuestionFormTest, TheStartUpShiftIsNotRecordedWhenTheMainWindowIsShown) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  main->show();
  QApplication::processEvents();
  EXPECT_EQ(main->y() + main->height(), question->y());
  EXPECT_EQ(ini.VaticorFormTop, 405);
  // Closing saves the place the user left it at, run after run.
  CloseAll();
  ini = TINIData();
  Open();
  main->show();
  QApplication::processEvents();
  EXPECT_EQ(ini.VaticorFormTop, 405);
}

TEST_F(QuestionFormTest, AQuestionWindowHighOnTheScreenShiftsTheMainWindowOnlyToTheTop) {
  dir.Write("Quorlin.ini", "[Form Settings]\r\nQuestionForm.Top=100\r\n");
  Open();
  main->show();
  ReleaseKey(main.get(), Qt::Key_F4);
  ASSERT_TRUE(question->isVisible());
  EXPECT_EQ(main->y(), 0);
  EXPECT_EQ(ini.VaticorFormTop, 0);
  EXPECT_TRUE(ini.QuestionFormShifted);
  ReleaseKey(main.get(), Qt::Key_F4);
  EXPECT_EQ(main->y(), 40);

  // At start-up too.
  CloseAll();
  ini = TINIData();
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  EXPECT_EQ(main->y(), 0);
}

// The three ways of turning the window off that undo the shift.
enum class TurnOff { CloseButton, F4InQuestionWindow, F4InMainWindow };

class QuestionFormTurnOffTest : public QuestionFormTest,
                                public ::testing::WithParamInterface<TurnOff> {
 protected:
  void TurnItOff() {
    switch (GetParam()) {
      case TurnOff::CloseButton:
        Click(Control<TSkinImage>(*question, "ButtonCloseImage"));
        break;
      case TurnOff::F4InQuestionWindow:
        ReleaseKey(Memo1(), Qt::Key_F4);
        break;
      case TurnOff::F4InMainWindow:
        ReleaseKey(main.get(), Qt::Key_F4);
        break;
    }
  }
};

TEST_P(QuestionFormTurnOffTest, MovesTheMainWindowBackDownByTheQuestionWindowsHeight) {
  Open();
  ReleaseKey(main.get(), Qt::Key_F4);  // on: the main window's bottom was at 738
  ASSERT_TRUE(question->isVisible());
  ASSERT_TRUE(ini.QuestionFormShifted);
  EXPECT_EQ(main->y(), 698 - 333);
  EXPECT_EQ(ini.VaticorFormTop, 698 - 333);

  TurnItOff();
  EXPECT_FALSE(question->isVisible());
  EXPECT_FALSE(ini.QuestionFormEnabled);
  EXPECT_FALSE(ini.QuestionFormShifted);
  // Down by 40, whatever distance it went up.
  EXPECT_EQ(main->y(), 698 - 333 + 40);
  EXPECT_EQ(ini.VaticorFormTop, 698 - 333 + 40);
  OpenMainMenu();
  EXPECT_FALSE(QuestionItem()->isChecked());
}

TEST_P(QuestionFormTurnOffTest, LeavesAMainWindowTheUserMovedWhereItWasPut) {
  Open();
  ReleaseKey(main.get(), Qt::Key_F4);
  Drag(Control<TSkinImage>(*main, "Image5"), {-100, -50});
  const QPoint dragged = main->pos();
  EXPECT_FALSE(ini.QuestionFormShifted);
  TurnItOff();
  EXPECT_EQ(main->pos(), dragged);
}

INSTANTIATE_TEST_SUITE_P(Ways, QuestionFormTurnOffTest,
                         ::testing::Values(TurnOff::CloseButton, TurnOff::F4InQuestionWindow,
                                           TurnOff::F4InMainWindow));

TEST_F(QuestionFormTest, TheMenuOptionTurnsOffWithoutMovingAndTurnsOnOnlyWhenOverlapping) {
  Open();
  QuestionItem()->trigger();  // on
  EXPECT_TRUE(question->isVisible());
  const int shiftedTop = main->y();
  QuestionItem()->trigger();  // off: stays, and the shift stays recorded
  EXPECT_FALSE(question->isVisible());
  EXPECT_EQ(main->y(), shiftedTop);
  EXPECT_TRUE(ini.QuestionFormShifted);
  CloseAll();

  // No overlap (the question window below the main window): nothing moves
  // and the flag keeps its value.
  ApplySettings = [](TINIData& d) {
    d.QuestionFormTop = 700;
    d.VaticorFormTop = 100;
    d.QuestionFormShifted = true;
  };
  Open();
  const QPoint before = main->pos();
  ReleaseKey(main.get(), Qt::Key_F4);
  EXPECT_TRUE(question->isVisible());
  EXPECT_EQ(main->pos(), before);
  EXPECT_TRUE(ini.QuestionFormShifted);
  ini.QuestionFormShifted = false;
  ReleaseKey(main.get(), Qt::Key_F4);
  ReleaseKey(main.get(), Qt::Key_F4);
  EXPECT_EQ(main->pos(), before);
  EXPECT_FALSE(ini.QuestionFormShifted);
}

TEST_F(QuestionFormTest, DraggingTheTitleMovesAndStoresWithoutTouchingTheShift) {
  ApplySettings = [](TINIData& d) {
    d.QuestionFormEnabled = true;
    d.QuestionFormShifted = true;
  };
  Open();
  Drag(Control<TSkinImage>(*question, "Image26"), {-30, -20});
  EXPECT_EQ(question->pos(), QPoint(701 - 30, 698 - 20));
  EXPECT_EQ(ini.QuestionFormLeft, 671);
  EXPECT_EQ(ini.QuestionFormTop, 678);
  Drag(Control<TSkinImage>(*question, "Image6"), {10, 0});
  EXPECT_EQ(ini.QuestionFormLeft, 681);
  EXPECT_TRUE(ini.QuestionFormShifted);
}

TEST_F(QuestionFormTest, TheDrawButtonLogsTheQuestionWithTheCards) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  main->hide();
  Memo1()->setText(QString::fromUtf8("Что меня ждёт? [скоро]"));
  Click(Control<TSkinImage>(*question, "Image2"));
  EXPECT_TRUE(main->isVisible());
  const std::string card = std::to_string(Card(*main, 1)->Number());
  ASSERT_EQ(log->LineCount(), 2);
  EXPECT_EQ(log->LineText(1), "09:30:05 [" + card + "] Что меня ждёт? [скоро]");
  EXPECT_EQ(log->SelectedLine(), 1);

  // An empty question still adds the blank; a draw from the main window
  // logs no question even with the question window on show.
  Memo1()->clear();
  Click(Control<TSkinImage>(*question, "Image2"));
  EXPECT_TRUE(log->LineText(2).ends_with("] "));
  Draw();
  EXPECT_TRUE(log->LineText(3).ends_with("]"));
}

TEST_F(QuestionFormTest, NewSpreadHidesTheCardsAndStartsAnEditableQuestion) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  main->show();
  question->ShowLoggedQuestion("old question");
  EXPECT_TRUE(Memo1()->isReadOnly());
  Click(Control<TSkinImage>(*question, "Image1"));
  EXPECT_FALSE(main->isVisible());
  EXPECT_TRUE(Memo1()->text().isEmpty());
  EXPECT_FALSE(Memo1()->isReadOnly());
  Click(Control<TSkinImage>(*question, "Image3"));
  EXPECT_TRUE(main->isVisible());
}

TEST_F(QuestionFormTest, TheQuestionIsOneLineOfAtMost200Characters) {
  Open();
  Memo1()->insert(QString::fromUtf8("Будет ли\r\nдождь\nзавтра"));
  EXPECT_EQ(Memo1()->text().toStdString(), "Будет ли дождь завтра");
  Memo1()->setText(QString(250, QLatin1Char('x')));
  EXPECT_EQ(Memo1()->text().size(), 200);
  // Its hint shows it in full, as text.
  Memo1()->setText("<b>bold?</b>");
  EXPECT_EQ(testing::ShownHint(Memo1()->toolTip()), QStringLiteral("<b>bold?</b>"));
}

TEST_F(QuestionFormTest, F3ShowsTheLogAndAlwaysSelectsTheLastLine) {
  Open();
  Draw();
  Draw();
  log->SelectLine(0);
  ReleaseKey(Memo1(), Qt::Key_F3);
  EXPECT_TRUE(log->isVisible());
  EXPECT_EQ(log->SelectedLine(), 2);
}

TEST_F(QuestionFormTest, F10OpensTheMainMenuBelowTheFieldCountedFromTheMainWindow) {
  Open();
  main->move(100, 100);
  main->hide();
  ReleaseKey(Memo1(), Qt::Key_F10);
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(MainMenu()->isVisible());
  EXPECT_EQ(MainMenu()->pos(), QPoint(102, 138));
  MainMenu()->hide();
}

TEST_F(QuestionFormTest, MinimiseHidesBothWithATrayIconElseGoesWithTheMainWindow) {
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  Open();
  main->show();
  Click(Control<TSkinImage>(*question, "ButtonHideImage"));
  EXPECT_TRUE(main->isMinimized());
  EXPECT_FALSE(question->isVisible());
  main->showNormal();
  EXPECT_TRUE(question->isVisible());

  QSystemTrayIcon* tray = testing::WaitForTrayIcon(*main);
  ASSERT_NE(tray, nullptr);
  tray->show();
  Click(Control<TSkinImage>(*question, "ButtonHideImage"));
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(question->isVisible());
}

}  // namespace
}  // namespace vaticor
