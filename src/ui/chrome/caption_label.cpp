#include "ui/chrome/caption_label.h"

#include <QMouseEvent>
#include <algorithm>

#include "ui/chrome/accessible_controls.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"

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

void CaptionPair::SetText(const QString& text) const {
  label2->setText(text);
  label2->adjustSize();
  label1->setText(text);
  label1->adjustSize();
}

void CaptionPair::SetText(const QString& text, int width) const {
  const QString shown = label2->fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(0, width));
  SetText(shown);
  const QString hint = shown == text ? QString() : text;
  SetHint(label2, hint);
  SetHint(label1, hint);
}

void CaptionPair::Raise() const {
  label1->raise();
  label2->raise();
}

CaptionPair MakeCaptionPair(QWidget* window, const QColor& shadow, std::function<void()> clicked) {
  CaptionPair pair;
  pair.label1 = new TCaptionLabel(window, shadow);
  pair.label1->setObjectName("Label1");
  pair.label2 = new TCaptionLabel(window, Qt::white);
  pair.label2->setObjectName("Label2");
  for (TCaptionLabel* label : {pair.label1, pair.label2}) {
    ConnectCommand(label, &TCaptionLabel::clicked, window, clicked);
  }
  // The text is the button; its shadow only looks like one.
  MakeAccessibleButton(pair.label2, [label = pair.label2] { emit label->clicked(); });
  HideEchoFromScreenReaders(pair.label1);
  return pair;
}

}  // namespace vaticor
