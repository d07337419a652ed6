#pragma once

#include <QSystemTrayIcon>
#include <QWidget>

#include "support/qt/recorded_messages.h"

namespace vaticor::testing {

// The main window's tray icon, which it makes once it has first shown (or at
// the first need of it); null when it is not there within `limitMs`.
inline QSystemTrayIcon* WaitForTrayIcon(const QWidget& main, int limitMs = 5000) {
  ProcessEventsUntil([&] { return main.findChild<QSystemTrayIcon*>("TrayIcon1") != nullptr; },
                     limitMs);
  return main.findChild<QSystemTrayIcon*>("TrayIcon1");
}

}  // namespace vaticor::testing
