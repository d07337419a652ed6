#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace vaticor {

void DesktopShell::Open(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void SetTaskbarButtonVisible(QWidget* window, bool visible) {
  const bool isTool = window->windowFlags().testFlag(Qt::Tool);
  if (isTool == !visible) return;
  const bool wasVisible = window->isVisible();
  const QRect geometry = window->geometry();
  window->setWindowFlag(Qt::Tool, !visible);
  if (wasVisible) {
    window->setGeometry(geometry);
    window->show();
  }
}

}  // namespace vaticor
