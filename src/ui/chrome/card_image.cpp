#include "ui/chrome/card_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace vaticor {

TCardImage::TCardImage(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TCardImage::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  update();
}

void TCardImage::ClearPicture() {
  picture_ = QImage();
  update();
}

QSize TCardImage::DisplaySize() const {
  const qreal ratio = devicePixelRatioF();
  return {qMax(1, qRound(width() * ratio)), qMax(1, qRound(height() * ratio))};
}

void TCardImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), picture_);
}

void TCardImage::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

void TCardImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

void TCardImage::resizeEvent(QResizeEvent*) {
  if (picture_.isNull()) return;
  const QSize want = DisplaySize();
  if (want.width() > picture_.width() || want.height() > picture_.height()) {
    emit wantsSharperPicture();
  }
}

}  // namespace vaticor
