#include "platform/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>

namespace vaticor {

namespace {
QRect ScreenGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}
QRect AvailableGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : ScreenGeometry();
}
}  // namespace

int QtScreen::Width() const { return ScreenGeometry().width(); }
int QtScreen::Height() const { return ScreenGeometry().height(); }

ScreenRect QtScreen::TaskBarRect() const {
  const QRect all = ScreenGeometry();
  const QRect usable = AvailableGeometry();
  return {all.left(), usable.top() + usable.height(), all.left() + all.width(),
          all.top() + all.height()};
}

bool QtScreen::HasTray() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace vaticor
