#include "ui/chrome/card_image.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/picture_image.h"
#include "ui/chrome/commands.h"

namespace vaticor {

TCardImage::TCardImage(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setContextMenuPolicy(Qt::CustomContextMenu);
  sharpen_.setSingleShot(true);
  sharpen_.setInterval(kSharpenDelayMs);
  ConnectCommand(&sharpen_, &QTimer::timeout, this, [this] {
    if (shown_ && HasPicture() && picture_.size() != DisplaySize()) Decode(true);
  });
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

void TCardImage::ShowCard(std::int32_t card, bool turned, bool decodeLater) {
  shown_ = ShownCard{card, turned};
  pending_ = decodeLater;
  if (!decodeLater) Decode(false);
}

bool TCardImage::DecodePendingPicture() {
  if (!pending_) return false;
  pending_ = false;
  Decode(false);
  return true;
}

void TCardImage::ForgetCard() {
  sharpen_.stop();
  pending_ = false;
  shown_.reset();
  ClearPicture();
}

void TCardImage::Decode(bool keepWhenMissing) {
  std::unique_ptr<vaticor::Picture> picture;
  if (shown_ && source_) {
    const QSize size = DisplaySize();
    picture = source_(shown_->card, {size.width(), size.height()});
  }
  if (!picture) {
    if (!keepWhenMissing) ClearPicture();
    return;
  }
  SetPicture(ToQImage(shown_->turned ? *MakeReversedPicture(*picture) : *picture));
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
  // What is held is stretched meanwhile; a sharp one when the size rests.
  if (shown_ && HasPicture() && picture_.size() != DisplaySize()) sharpen_.start();
}

}  // namespace vaticor
