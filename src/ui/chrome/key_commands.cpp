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

}  // namespace

void OnKeyRelease(QWidget* target, QWidget* window, KeyCommand command) {
  new KeyReleaseHandler(target, window, std::move(command));
}

}  // namespace vaticor
