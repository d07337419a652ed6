#include "ui/chrome/window_showing.h"

#include <QApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <map>

#include "core/spread_geometry.h"
#include "core/window_bounds.h"
#include "ui/chrome/application_watch.h"

namespace vaticor {
namespace {

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Child of the window: gone with it, its timer and its queued call too.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget* window, std::function<void()> work, int latestMs)
      : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
    QTimer::singleShot(latestMs, this, [this] { Run(); });
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !queued_) {
      queued_ = true;
      // After the paint, once the picture is on its way to the screen.
      QMetaObject::invokeMethod(
          this, [this] { Run(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Run() {
    if (!work_) return;
    const std::function<void()> work = std::move(work_);
    work_ = nullptr;
    deleteLater();
    work();
  }

  std::function<void()> work_;
  bool queued_ = false;
};

// When each window of the program was last made the active one: windows
// shown again together come back in that order, the one last used on top.
class ActivationOrder : public QObject {
 public:
  explicit ActivationOrder(QObject* application) : QObject(application) {}
  // 0 for a window never active.
  std::uint64_t LastActive(const QWidget* window) const {
    const auto found = ticks_.find(window);
    return found == ticks_.end() ? 0 : found->second;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
      auto* window = static_cast<QWidget*>(watched);
      if (window->isWindow()) {
        // Bounded, as card windows come and go: an entry left by a window
        // since gone only puts a later one at its address out of order.
        if (ticks_.size() >= 256) ticks_.clear();
        ticks_[window] = ++tick_;
      }
    }
    return false;
  }

 private:
  std::map<const QWidget*, std::uint64_t> ticks_;
  std::uint64_t tick_ = 0;
};

}  // namespace

void AfterFirstPaint(QWidget* window, std::function<void()> work, int latestMs) {
  new FirstPaintWatch(window, std::move(work), latestMs);
}

void ShowNormal(QWidget* window) {
  const Qt::WindowStates normal = window->windowState() & ~Qt::WindowMinimized;
  if (!window->isVisible()) {
    // Asked for once more and withdrawn, the minimised state is no longer
    // what the window asks for when it is mapped.
    window->setWindowState(normal | Qt::WindowMinimized);
    window->setWindowState(normal);
  } else if (window->isMinimized()) {
    window->setWindowState(normal);
  }
  window->show();
}

void SetShown(QWidget* window, bool shown) {
  if (shown) {
    ShowNormal(window);
  } else {
    window->hide();
  }
}

void ShowAndActivate(QWidget* window) {
  ShowNormal(window);
  window->raise();
  window->activateWindow();
}

void PlaceWhollyOnScreen(QWidget* window, std::int32_t& left, std::int32_t& top, int screenWidth,
                         int taskBarTop) {
  const CardPlace place =
      HoldCardOnScreen({left, top}, {window->width(), window->height()}, screenWidth, taskBarTop);
  left = place.left;
  top = place.top;
  window->move(place.left, place.top);
}

void ClearTitleStripAtFirstShow(QWidget* window, bool& firstShown, bool stored, WindowRect strip,
                                int screenWidth, int taskBarTop, std::int32_t& left,
                                std::int32_t& top) {
  if (firstShown) return;
  firstShown = true;
  if (stored || strip.width <= 0) return;
  const WindowRect placed =
      FirstPlaceClearOf({window->x(), window->y(), window->width(), window->height()}, strip,
                        screenWidth, taskBarTop);
  if (placed.left == window->x() && placed.top == window->y()) return;
  window->move(placed.left, placed.top);
  left = placed.left;
  top = placed.top;
}

void HideOrMinimise(bool trayIconActive, const std::function<void()>& hide,
                    const std::function<void()>& minimise) {
  if (trayIconActive) {
    hide();
  } else {
    minimise();
  }
}

MinimisedTogether::MinimisedTogether(QWidget* leader) : QObject(leader), leader_(leader) {
  ApplicationWatch<ActivationOrder>();
  leader->installEventFilter(this);
}

MinimisedTogether* MinimisedTogether::Install(QWidget* leader) {
  return new MinimisedTogether(leader);
}

void MinimisedTogether::HideOthers(const QWidget* stays) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = window->windowType();
    // A window the window manager does not manage is none of the user's:
    // Qt's tray icon on X11 is one, and hiding it took the way back away.
    if (window == leader_ || window == stays || !window->isVisible() ||
        (type != Qt::Window && type != Qt::Tool) ||
        window->windowFlags().testFlag(Qt::BypassWindowManagerHint)) {
      continue;
    }
    hidden_.emplace_back(window);
    window->hide();
  }
  // Shown again in the order they were last used: the last one on top.
  const ActivationOrder& order = ApplicationWatch<ActivationOrder>();
  std::stable_sort(hidden_.begin(), hidden_.end(),
                   [&order](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
                     return order.LastActive(a) < order.LastActive(b);
                   });
}

void MinimisedTogether::ShowOthers() {
  if (hidden_.empty()) return;
  const std::vector<QPointer<QWidget>> hidden = std::move(hidden_);
  hidden_.clear();
  for (const QPointer<QWidget>& window : hidden) {
    if (window) ShowNormal(window);
  }
  // The leader stays in front of what came back with it.
  leader_->raise();
}

bool MinimisedTogether::eventFilter(QObject* watched, QEvent* event) {
  if (watched != leader_) return false;
  // A hidden leader's state changes are ShowNormal clearing what the window
  // asks for when mapped, no minimise or restore the user sees.
  if (event->type() == QEvent::WindowStateChange && leader_->isVisible()) {
    if (leader_->isMinimized()) {
      HideOthers();
    } else {
      ShowOthers();
    }
  } else if (event->type() == QEvent::Show && !leader_->isMinimized()) {
    ShowOthers();
  }
  return false;
}

WindowPlaceKeeper::WindowPlaceKeeper(QWidget* window)
    : QObject(window), window_(window), place_({window->x(), window->y()}) {
  window->installEventFilter(this);
}

WindowPlaceKeeper* WindowPlaceKeeper::Install(QWidget* window) {
  return new WindowPlaceKeeper(window);
}

QPoint WindowPlaceKeeper::Place() const {
  const WindowPlace::Point place = place_.Place();
  return {place.x, place.y};
}

void WindowPlaceKeeper::MoveTo(QPoint place) {
  const QPoint before = Place();
  place_.Moved({place.x(), place.y()});
  window_->move(place);
  Changed(before);
}

void WindowPlaceKeeper::WindowSystemMoved(QPoint place) {
  const QPoint before = Place();
  if (place_.Reported({place.x(), place.y()}, NowMs())) window_->move(Place());
  Changed(before);
}

void WindowPlaceKeeper::Changed(QPoint before) {
  if (changed_ && Place() != before) changed_(Place());
}

bool WindowPlaceKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::Show) {
    place_.Shown(NowMs());
  } else if (event->type() == QEvent::Move) {
    const QPoint at = static_cast<const QMoveEvent*>(event)->pos();
    if (event->spontaneous()) {
      WindowSystemMoved(at);
    } else {
      // The program's own move (setGeometry and move, by the chrome too).
      const QPoint before = Place();
      place_.Moved({at.x(), at.y()});
      Changed(before);
    }
  }
  return false;
}

}  // namespace vaticor
