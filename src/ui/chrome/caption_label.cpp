#include "ui/chrome/caption_label.h"

#include <QMouseEvent>

namespace vaticor {

TCaptionLabel::TCaptionLabel(QWidget* parent, const QColor& colour) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAttribute(Qt::WA_TranslucentBackground);
  setCursor(Qt::PointingHandCursor);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour);
  setPalette(palette);
}

void TCaptionLabel::mousePressEvent(QMouseEvent* event) {
  // Taking the press keeps the release here, so the click is seen.
  event->setAccepted(event->button() == Qt::LeftButton);
}

void TCaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace vaticor
