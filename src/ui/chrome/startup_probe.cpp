#include "ui/chrome/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vaticor {

namespace {

long long SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Watches every object's events: the window's native window (QWindow),
// which receives the expose, exists only once the window is shown.
class ExposeProbe : public QObject {
 public:
  ExposeProbe(QWidget& window, std::function<void()> settle)
      : QObject(&window), window_(window), settle_(std::move(settle)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!reported_ && event->type() == QEvent::Expose && watched == window_.windowHandle() &&
        window_.windowHandle()->isExposed()) {
      reported_ = true;
      exposed_ = SteadyNanoseconds();
      QMetaObject::invokeMethod(
          this, [this] { Finish(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Finish() {
    if (settle_) settle_();
    std::printf("%lld %lld %d %d\n", exposed_, SteadyNanoseconds(), window_.width(),
                window_.height());
    std::fflush(stdout);
    // Nothing of the run is to be saved, and the benchmark waits for no
    // clean-up.
    std::_Exit(0);
  }

  QWidget& window_;
  std::function<void()> settle_;
  bool reported_ = false;
  long long exposed_ = 0;
};

}  // namespace

void ProbeStartup(QWidget& window, std::function<void()> settle) {
  if (std::getenv("VATICOR_STARTUP_PROBE") == nullptr) return;
  QCoreApplication::instance()->installEventFilter(new ExposeProbe(window, std::move(settle)));
}

}  // namespace vaticor
