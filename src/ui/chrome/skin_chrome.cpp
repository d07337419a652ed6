#include "ui/chrome/skin_chrome.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>
#include <algorithm>

#include "ui/chrome/window_showing.h"

namespace vaticor {

SkinChrome::SkinChrome(QWidget* window, Hooks hooks)
    : QObject(window), window_(window), hooks_(std::move(hooks)) {
  window_->installEventFilter(this);
  // Drags and stored places start from where the window stands, also after
  // it was hidden and shown again (a window that keeps its place itself
  // already has its keeper).
  if (window_->findChild<WindowPlaceKeeper*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
    WindowPlaceKeeper::Install(window_);
  }
}

void SkinChrome::AddTitle(QWidget* title) {
  if (title == nullptr) return;
  elements_.push_back({title, Role::Title, 0, {}});
  title->installEventFilter(this);
}

void SkinChrome::AddVerticalEdge(QWidget* edge, int tag) {
  if (edge == nullptr) return;
  elements_.push_back({edge, Role::VerticalEdge, tag, {}});
  edge->setCursor(Qt::SizeVerCursor);
  edge->installEventFilter(this);
}

void SkinChrome::AddHorizontalEdge(QWidget* edge, int tag) {
  if (edge == nullptr) return;
  elements_.push_back({edge, Role::HorizontalEdge, tag, {}});
  edge->setCursor(Qt::SizeHorCursor);
  edge->installEventFilter(this);
}

void SkinChrome::AddDragSteps(QWidget* handle, Qt::Orientation direction,
                              std::function<void(int)> step) {
  if (handle == nullptr) return;
  const Role role = direction == Qt::Horizontal ? Role::HorizontalSteps : Role::VerticalSteps;
  elements_.push_back({handle, role, 0, std::move(step)});
  handle->installEventFilter(this);
}

void SkinChrome::SetButtons(QWidget* close, QWidget* minimise) {
  close_ = close;
  minimise_ = minimise;
}

void SkinChrome::SetCaption(QLabel* label2, QLabel* label1, QWidget* bottomBar) {
  label2_ = label2;
  label1_ = label1;
  bottomBar_ = bottomBar;
  // Label1 is Label2's shadow and lies beneath it.
  if (label1 != nullptr && label2 != nullptr && label1->parentWidget() == label2->parentWidget())
    label1->stackUnder(label2);
}

bool SkinChrome::IsLeftButtonAlone(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return buttons == Qt::LeftButton &&
         !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

void SkinChrome::KeepInShape() {
  const int closeWidth = close_ ? close_->width() : 0;
  const int minimiseWidth = minimise_ ? minimise_->width() : 0;
  const int label2Width = label2_ ? label2_->width() : 0;
  int barTop = 0;
  if (bottomBar_)
    barTop = PositionInWindow(bottomBar_).y();
  else if (label2_)
    barTop = PositionInWindow(label2_).y();  // no bar: the caption keeps its height
  const FramePlacement place =
      PlaceFrame(window_->width(), closeWidth, minimiseWidth, label2Width, barTop);

  if (close_) PlaceInWindow(close_, {place.closeLeft, PositionInWindow(close_).y()});
  if (minimise_) PlaceInWindow(minimise_, {place.minimiseLeft, PositionInWindow(minimise_).y()});
  if (label2_) PlaceInWindow(label2_, {place.label2Left, place.label2Top});
  if (label1_) PlaceInWindow(label1_, {place.label1Left, place.label1Top});
  if (hooks_.sizeChanged) hooks_.sizeChanged();
}

bool SkinChrome::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Resize) {
    KeepInShape();
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      break;
    default:
      return false;
  }
  const Element* element = FindElement(watched);
  if (element == nullptr) return false;
  const auto& mouse = static_cast<const QMouseEvent&>(*event);
  if (event->type() == QEvent::MouseMove) {
    if (pressed_ == element->widget) Drag(*element, mouse);
  } else if (event->type() == QEvent::MouseButtonRelease) {
    if (!(mouse.buttons() & Qt::LeftButton)) pressed_ = nullptr;
  } else {
    Press(*element, mouse);
  }
  // The element still sees its own events (clicks, double clicks).
  return false;
}

const SkinChrome::Element* SkinChrome::FindElement(const QObject* watched) const {
  for (const Element& element : elements_)
    if (element.widget != nullptr && element.widget == watched) return &element;
  return nullptr;
}

void SkinChrome::Press(const Element& element, const QMouseEvent& event) {
  if (!IsLeftButtonAlone(event.buttons(), event.modifiers())) {
    pressed_ = nullptr;
    return;
  }
  // A Wayland window cannot place itself: the compositor moves it.
  if (element.role == Role::Title && QGuiApplication::platformName().startsWith("wayland")) {
    if (QWindow* handle = window_->windowHandle()) {
      pressed_ = nullptr;
      handle->startSystemMove();
      return;
    }
  }
  pressed_ = element.widget;
  const QPoint global = event.globalPosition().toPoint();
  titlePress_ = element.widget->mapFromGlobal(global);
  lastScreenX_ = global.x();
  lastScreenY_ = global.y();
}

void SkinChrome::Drag(const Element& element, const QMouseEvent& event) {
  if (!IsLeftButtonAlone(event.buttons(), event.modifiers())) return;
  // A step may run the window's hooks, which may do anything with the
  // element; the role and tag are taken first.
  QWidget* const widget = element.widget;
  const Role role = element.role;
  const int tag = element.tag;
  const QPoint global = event.globalPosition().toPoint();
  switch (role) {
    case Role::HorizontalSteps: {
      const int dx = global.x() - lastScreenX_;
      lastScreenX_ = global.x();
      const std::function<void(int)> step = element.step;
      if (step) step(dx);
      return;
    }
    case Role::VerticalSteps: {
      const int dy = global.y() - lastScreenY_;
      lastScreenY_ = global.y();
      const std::function<void(int)> step = element.step;
      if (step) step(dy);
      return;
    }
    default:
      break;
  }
  switch (role) {
    case Role::Title:
      MoveStep(widget, event);
      break;
    case Role::VerticalEdge:
      VerticalStep(tag, event);
      break;
    case Role::HorizontalEdge:
      HorizontalStep(tag, event);
      break;
    case Role::HorizontalSteps:
    case Role::VerticalSteps:
      break;
  }
}

void SkinChrome::MoveStep(QWidget* title, const QMouseEvent& event) {
  if (hooks_.canMove && !hooks_.canMove()) return;
  // The pointer's place in the title image, taken from its screen position
  // against the window's current geometry: an event queued before the
  // window's last move would otherwise report a place relative to where the
  // window was, and the window would overshoot and shake.
  const QPoint now = title->mapFromGlobal(event.globalPosition().toPoint());
  SetGeometry(MoveByTitle(Geometry(), titlePress_.x(), titlePress_.y(), now.x(), now.y()));
  if (hooks_.moved) hooks_.moved(Geometry());
}

void SkinChrome::VerticalStep(int tag, const QMouseEvent& event) {
  const WindowRect before = Geometry();
  // The window never gets thinner than its minimum (at least one pixel) nor
  // taller than its maximum; the pointer's coordinate is held to what that
  // allows, so the edge stays under the pointer when it comes back.
  const int lowest = std::max(1, window_->minimumHeight());
  const int highest = std::max(lowest, window_->maximumHeight());
  int y = event.globalPosition().toPoint().y();
  if (tag == kTopOrLeftEdge)
    y = qBound(lastScreenY_ + before.height - highest, y, lastScreenY_ + before.height - lowest);
  else
    y = qBound(lastScreenY_ + lowest - before.height, y, lastScreenY_ + highest - before.height);
  SetGeometry(ResizeVertically(before, tag, lastScreenY_, y));
  lastScreenY_ = y;
  if (hooks_.resizedVertically) hooks_.resizedVertically(Geometry(), tag);
}

void SkinChrome::HorizontalStep(int tag, const QMouseEvent& event) {
  if (hooks_.canResizeHorizontally && !hooks_.canResizeHorizontally()) return;
  const WindowRect before = Geometry();
  const int lowest = std::max(1, window_->minimumWidth());
  const int highest = std::max(lowest, window_->maximumWidth());
  int x = event.globalPosition().toPoint().x();
  if (tag == kTopOrLeftEdge)
    x = qBound(lastScreenX_ + before.width - highest, x, lastScreenX_ + before.width - lowest);
  else
    x = qBound(lastScreenX_ + lowest - before.width, x, lastScreenX_ + highest - before.width);
  SetGeometry(ResizeHorizontally(before, tag, lastScreenX_, x));
  lastScreenX_ = x;
  if (hooks_.resizedHorizontally) hooks_.resizedHorizontally(Geometry(), tag);
}

WindowRect SkinChrome::Geometry() const {
  const QRect g = window_->geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

void SkinChrome::SetGeometry(const WindowRect& rect) {
  window_->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

QPoint SkinChrome::PositionInWindow(const QWidget* part) const {
  if (part->parentWidget() == window_ || !window_->isAncestorOf(part)) return part->pos();
  return part->mapTo(window_, QPoint(0, 0));
}

void SkinChrome::PlaceInWindow(QWidget* part, QPoint position) const {
  QWidget* parent = part->parentWidget();
  if (parent == nullptr || parent == window_ || !window_->isAncestorOf(parent)) {
    part->move(position);
    return;
  }
  part->move(parent->mapFrom(window_, position));
}

}  // namespace vaticor
