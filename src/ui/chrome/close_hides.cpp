#include "ui/chrome/close_hides.h"

#include <QCloseEvent>
#include <QObject>
#include <QWidget>

namespace vaticor {
namespace {

class CloseHides : public QObject {
 public:
  explicit CloseHides(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_ || event->type() != QEvent::Close) return false;
    event->ignore();
    window_->hide();
    return true;
  }

 private:
  QWidget* window_;
};

}  // namespace

void MakeCloseHide(QWidget* window) { window->installEventFilter(new CloseHides(window)); }

}  // namespace vaticor
