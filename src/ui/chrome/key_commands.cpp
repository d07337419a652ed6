#include "ui/chrome/key_commands.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include "platform/virtual_keys.h"
#include "ui/chrome/commands.h"

namespace vaticor {
namespace {

class KeyReleaseHandler : public QObject {
 public:
  KeyReleaseHandler(QWidget* target, QWidget* window, KeyCommand command)
      : QObject(target), target_(target), window_(window), command_(std::move(command)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != target_ || event->type() != QEvent::KeyRelease) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.isAutoRepeat()) return true;
    const int code = VirtualKeyCode(key);
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    RunCommand(window_, [this, code, modifiers] { command_(code, modifiers); });
    return true;
  }

 private:
  QWidget* target_;
  QWidget* window_;
  KeyCommand command_;
};

class ControlKeyPressHandler : public QObject {
 public:
  ControlKeyPressHandler(QWidget* target, QWidget* window, KeyCommand command)
      : QObject(target), target_(target), window_(window), command_(std::move(command)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != target_ || event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const Qt::KeyboardModifiers held = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                          Qt::AltModifier | Qt::MetaModifier);
    if (held != Qt::ControlModifier) return false;
    if (key.isAutoRepeat()) return true;
    const int code = VirtualKeyCode(key);
    RunCommand(window_, [this, code] { command_(code, Qt::ControlModifier); });
    return false;
  }

 private:
  QWidget* target_;
  QWidget* window_;
  KeyCommand command_;
};

}  // namespace

void OnControlKeyPress(QWidget* target, QWidget* window, KeyCommand command) {
  new ControlKeyPressHandler(target, window, std::move(command));
}

void OnKeyRelease(QWidget* target, QWidget* window, KeyCommand command) {
  new KeyReleaseHandler(target, window, std::move(command));
}

}  // namespace vaticor
