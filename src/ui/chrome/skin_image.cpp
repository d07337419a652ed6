#include "ui/chrome/skin_image.h"

#include <QBitmap>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

#include "platform/png_image.h"
#include "ui/chrome/accessible_controls.h"

namespace vaticor {
namespace {

// One decode per picture for the program's run: the same strips and
// buttons stand in every window.
QPixmap CachedPicture(const QString& resource) {
  QPixmap picture;
  if (QPixmapCache::find(resource, &picture)) return picture;
  picture = QPixmap::fromImage(ReadPngResource(resource));
  if (!picture.isNull()) QPixmapCache::insert(resource, picture);
  return picture;
}

// Makes the colour of the lower-left pixel see-through.
QPixmap ApplyColourKey(QPixmap picture) {
  if (picture.isNull()) return picture;
  const QImage image = picture.toImage();
  const QColor key = image.pixelColor(0, image.height() - 1);
  picture.setMask(picture.createMaskFromColor(key, Qt::MaskInColor));
  return picture;
}

}  // namespace

QPixmap SkinPicture(const QString& resource) {
  if (resource.isEmpty()) return {};
  if (qApp != nullptr && qApp->devicePixelRatio() > 1.0) {
    const int dot = resource.lastIndexOf(QLatin1Char('.'));
    const int slash = resource.lastIndexOf(QLatin1Char('/'));
    if (dot > slash) {
      const QString sharp = resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
      if (QFileInfo::exists(sharp)) {
        QPixmap picture = CachedPicture(sharp);
        if (!picture.isNull()) {
          picture.setDevicePixelRatio(2.0);
          return picture;
        }
      }
    }
  }
  return CachedPicture(resource);
}

TSkinImage::TSkinImage(QWidget* parent, const QString& resource, bool colourKey, Drawing drawing)
    : QWidget(parent), drawing_(drawing), colourKey_(colourKey) {
  setPicture(SkinPicture(resource));
}

void TSkinImage::setPicture(const QPixmap& picture) {
  picture_ = colourKey_ ? ApplyColourKey(picture) : picture;
  update();
}

void TSkinImage::paintEvent(QPaintEvent* /*event*/) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (drawing_ == Drawing::Stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
  } else {
    painter.drawPixmap(QPoint(0, 0), picture_);
  }
}

void TSkinImage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void TSkinImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  // The handler may close or destroy the window; nothing is touched after it.
  if (click) emit clicked();
}

void TSkinImage::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is not a click of its own.
  pressed_ = false;
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void TSkinImage::connectNotify(const QMetaMethod& signal) {
  // Whatever the window connects a click to, the keyboard and a screen
  // reader reach it too; the title strips' pictures and frames, followed by
  // none, stay out of the way.
  if (signal == QMetaMethod::fromSignal(&TSkinImage::clicked)) {
    MakeAccessibleButton(this, [this] { emit clicked(); });
  }
}

TSkinImage* MakeSkinImage(QWidget* parent, const char* objectName, const QString& resource, int tag,
                          bool colourKey, TSkinImage::Drawing drawing) {
  auto* image = new TSkinImage(parent, resource, colourKey, drawing);
  image->setObjectName(objectName);
  image->setTag(tag);
  return image;
}

}  // namespace vaticor
