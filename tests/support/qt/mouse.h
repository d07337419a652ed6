#pragma once

// Mouse input for widget tests, sent straight to a widget as the window
// system would deliver it.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace vaticor::testing {

// Sends a mouse event to `widget` at `local` (which may lie outside it, as
// for a widget that holds the pointer while a button is down).
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF global = widget->mapToGlobal(QPointF(local));
  QMouseEvent event(type, QPointF(local), global, button, buttons, modifiers);
  QApplication::sendEvent(widget, &event);
}

// A drag: press at `from`, one move by `by` on the screen, release there.
inline void Drag(QWidget* widget, QPoint from, QPoint by, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  SendMouse(widget, QEvent::MouseButtonPress, from, button, button, modifiers);
  // The pointer's place in the widget after the window may have moved.
  const QPoint global = widget->mapToGlobal(from) + by;
  SendMouse(widget, QEvent::MouseMove, widget->mapFromGlobal(global), Qt::NoButton, button,
            modifiers);
  SendMouse(widget, QEvent::MouseButtonRelease, widget->mapFromGlobal(global), button, Qt::NoButton,
            modifiers);
}

// A left click at `at`: press and release there.
inline void Click(QWidget* widget, QPoint at = QPoint(3, 3)) {
  SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

}  // namespace vaticor::testing
