#include "ui/stand_in_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {

StandInWindow::StandInWindow(const QString& objectName, const QString& title) {
  setObjectName(objectName);
  setWindowTitle(title);
  UseSkinFont(this);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(title, this);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
}

void StandInWindow::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
}

FolderSelectStandIn::FolderSelectStandIn()
    : StandInWindow(QStringLiteral("FolderSelectForm"), QString::fromUtf8("Выбор папки")) {}

void FolderSelectStandIn::ShowForMode(FolderMode) { ShowNormal(this); }

}  // namespace vaticor
