// Showing a window normal, and the place a window stands at.
#include "ui/chrome/window_showing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>
#include <vector>

#include "support/qt/recorded_messages.h"

namespace vaticor {
namespace {

TEST(WindowShowing, AWindowHiddenWhileMinimisedComesBackAsAWindow) {
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setGeometry(100, 100, 200, 100);
  window.show();
  window.showMinimized();
  window.hide();
  ShowNormal(&window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());
  // Minimised and still shown: restored.
  window.showMinimized();
  ShowNormal(&window);
  EXPECT_FALSE(window.isMinimized());
  SetShown(&window, false);
  EXPECT_FALSE(window.isVisible());
}

// The windows shown, in order (a show may be told twice).
struct ShowRecorder : QObject {
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && (windows.empty() || windows.back() != watched)) {
      windows.push_back(watched);
    }
    return false;
  }
  std::vector<QObject*> windows;
};

// The viewer, the log and the folder window used to stay up, each with a
// taskbar button of its own, while the main window alone was minimised.
TEST(WindowShowing, TheOtherWindowsHideWhileTheLeaderIsMinimisedAndComeBackWithIt) {
  QWidget leader(nullptr, Qt::Window | Qt::FramelessWindowHint);
  QWidget viewer(nullptr, Qt::Window | Qt::FramelessWindowHint);
  QWidget card(nullptr, Qt::Tool | Qt::FramelessWindowHint);
  QWidget closed(nullptr, Qt::Window);
  QWidget wayBack(nullptr, Qt::Tool);
  // As Qt's tray icon is on X11.
  QWidget trayIcon(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
  MinimisedTogether* together = MinimisedTogether::Install(&leader);
  for (QWidget* window : {&leader, &viewer, &card, &wayBack, &trayIcon}) window->show();

  // The window last used comes back last, on top.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&card, &activate);
  QApplication::sendEvent(&viewer, &activate);
  leader.showMinimized();
  EXPECT_FALSE(viewer.isVisible());
  EXPECT_FALSE(card.isVisible());
  EXPECT_TRUE(trayIcon.isVisible()) << "the way back went with the rest";
  ShowRecorder shown;
  viewer.installEventFilter(&shown);
  card.installEventFilter(&shown);
  leader.showNormal();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(card.isVisible());
  EXPECT_EQ(shown.windows, (std::vector<QObject*>{&card, &viewer}));
  viewer.removeEventFilter(&shown);
  card.removeEventFilter(&shown);
  EXPECT_FALSE(closed.isVisible()) << "a window closed before came back";

  // Hidden into the tray, with a window left as the way back.
  together->HideOthers(&wayBack);
  leader.hide();
  EXPECT_FALSE(viewer.isVisible());
  EXPECT_TRUE(wayBack.isVisible());
  ShowNormal(&leader);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(card.isVisible());

  // A hidden leader shown again without a minimise (the spreads window
  // giving way to the main window) takes nothing down with it.
  leader.hide();
  ShowNormal(&leader);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(card.isVisible());
}

TEST(WindowShowing, AMaximisedWindowStaysMaximised) {
  QWidget window(nullptr, Qt::Window);
  window.showMaximized();
  window.hide();
  ShowNormal(&window);
  EXPECT_TRUE(window.isMaximized());
  EXPECT_FALSE(window.isMinimized());
}

TEST(WindowShowing, TheKeeperFollowsTheProgramAndPutsBackAWrongReportAfterAShow) {
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  WindowPlaceKeeper* keeper = WindowPlaceKeeper::Install(&window);
  window.resize(120, 200);
  keeper->MoveTo({604, 270});
  window.show();
  EXPECT_EQ(keeper->Place(), QPoint(604, 270));
  keeper->WindowSystemMoved({0, 0});
  EXPECT_EQ(window.pos(), QPoint(604, 270));
  EXPECT_EQ(keeper->Place(), QPoint(604, 270));
  // The program's own moves, by any call, are the place.
  window.move(300, 310);
  EXPECT_EQ(keeper->Place(), QPoint(300, 310));
  window.setGeometry(320, 330, 120, 200);
  EXPECT_EQ(keeper->Place(), QPoint(320, 330));
  // A second disagreeing report is the user's move.
  keeper->WindowSystemMoved({500, 90});
  EXPECT_EQ(keeper->Place(), QPoint(500, 90));
}

TEST(WindowShowing, WorkAfterTheFirstPaintRunsOnceAfterItAndNeverForAWindowGone) {
  QWidget window;
  window.resize(50, 40);
  int runs = 0;
  AfterFirstPaint(
      &window, [&runs] { ++runs; }, 5000);
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 0) << "not shown, not painted";
  window.show();
  ASSERT_TRUE(testing::ProcessEventsUntil([&runs] { return runs == 1; }, 2000));
  window.update();
  window.repaint();
  testing::ProcessEventsUntil([] { return false; }, 50);
  EXPECT_EQ(runs, 1) << "the next paints run nothing";

  // Never painted: at the latest moment. Gone by then: never.
  int late = 0;
  QWidget hidden;
  AfterFirstPaint(
      &hidden, [&late] { ++late; }, 30);
  ASSERT_TRUE(testing::ProcessEventsUntil([&late] { return late == 1; }, 2000));
  int gone = 0;
  {
    QWidget shortLived;
    AfterFirstPaint(
        &shortLived, [&gone] { ++gone; }, 30);
  }
  testing::ProcessEventsUntil([] { return false; }, 100);
  EXPECT_EQ(gone, 0);
}

}  // namespace
}  // namespace vaticor
