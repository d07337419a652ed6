#pragma once

#include <QCoreApplication>
#include <QPointer>

namespace vaticor {

// The one `Watch` of the running application: a QObject, made with the
// application as its parent, whose eventFilter sees every event the
// application delivers. Made and installed at its first use, on the
// application's thread; gone with the application.
template <typename Watch>
Watch& ApplicationWatch() {
  static QPointer<Watch> watch;
  if (!watch) {
    QCoreApplication* application = QCoreApplication::instance();
    watch = new Watch(application);
    application->installEventFilter(watch);
  }
  return *watch;
}

}  // namespace vaticor
