#pragma once

// Keys for widget tests, sent straight to a widget as the window system
// would deliver them.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vaticor::testing {

// A key released in `widget` (the windows act on releases), by its Qt key.
inline void ReleaseKey(QWidget* widget, int qtKey,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers);
  QApplication::sendEvent(widget, &release);
}

// A key pressed in `widget` (a command of Ctrl and a key acts on the press).
inline void PressKey(QWidget* widget, int qtKey, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
  QApplication::sendEvent(widget, &press);
}

// Text typed into `widget` as the user types it, a key press and release
// per character (a field then signals each edit).
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}
// A key pressed in another window, gone since (the message box that the key
// closed): its release then reaches the window that had the box.
inline void PressKeyInAnotherWindow(int qtKey) {
  QWidget box(nullptr, Qt::Dialog);
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(&box, &press);
}

}  // namespace vaticor::testing
