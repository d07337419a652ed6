#include "ui/chrome/press_effect.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace vaticor {
namespace {

class PressEffect : public QObject {
 public:
  explicit PressEffect(QWidget* image) : QObject(image), image_(image) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != image_ || forwarding_) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (mouse.button() == Qt::LeftButton && !down_) {
        down_ = true;
        image_->move(image_->pos() + QPoint(1, 1));
      }
      return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && down_) {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (mouse.button() != Qt::LeftButton) return false;
      down_ = false;
      // The image's own release (and so its click) first; the command may
      // hide the window or take the image away.
      QPointer<QWidget> image = image_;
      QPointer<PressEffect> self = this;
      forwarding_ = true;
      QCoreApplication::sendEvent(image_, event);
      if (self) forwarding_ = false;
      if (image) image->move(image->pos() - QPoint(1, 1));
      return true;
    }
    return false;
  }

 private:
  QWidget* image_;  // the effect is the image's child
  bool down_ = false;
  bool forwarding_ = false;
};

}  // namespace

void AddPressEffect(QWidget* image) { image->installEventFilter(new PressEffect(image)); }

}  // namespace vaticor
