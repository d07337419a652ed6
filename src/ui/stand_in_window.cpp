#include "ui/stand_in_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace vaticor {

StandInWindow::StandInWindow(const QString& objectName, const QString& title) {
  setObjectName(objectName);
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(title, this);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
}

void StandInWindow::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
}

}  // namespace vaticor
