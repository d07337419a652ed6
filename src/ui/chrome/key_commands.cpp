#include "ui/chrome/key_commands.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include "platform/virtual_keys.h"
#include "ui/chrome/commands.h"

namespace vaticor {
namespace {

// Runs a window's command for its keys: every release, or the presses made
// with Ctrl alone.
class KeyHandler : public QObject {
 public:
  enum class Kind { kRelease, kControlPress };

  KeyHandler(QWidget* target, QWidget* window, KeyCommand command, Kind kind)
      : QObject(target),
        target_(target),
        window_(window),
        command_(std::move(command)),
        kind_(kind) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != target_) return false;
    const QEvent::Type type = kind_ == Kind::kRelease ? QEvent::KeyRelease : QEvent::KeyPress;
    if (event->type() != type) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (kind_ == Kind::kControlPress &&
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                      Qt::MetaModifier)) != Qt::ControlModifier) {
      return false;
    }
    if (key.isAutoRepeat()) return true;
    const int code = VirtualKeyCode(key);
    RunCommand(window_, [this, code, modifiers] { command_(code, modifiers); });
    // A release goes no further; a press goes on to what else it does.
    return kind_ == Kind::kRelease;
  }

 private:
  QWidget* target_;
  QWidget* window_;
  KeyCommand command_;
  Kind kind_;
};

}  // namespace

void OnControlKeyPress(QWidget* target, QWidget* window, KeyCommand command) {
  new KeyHandler(target, window, std::move(command), KeyHandler::Kind::kControlPress);
}

void OnKeyRelease(QWidget* target, QWidget* window, KeyCommand command) {
  new KeyHandler(target, window, std::move(command), KeyHandler::Kind::kRelease);
}

}  // namespace vaticor
