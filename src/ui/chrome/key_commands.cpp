#include "ui/chrome/key_commands.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/virtual_keys.h"
#include "ui/chrome/application_watch.h"
#include "ui/chrome/commands.h"

namespace vaticor {
namespace {

// Which top-level window each key was last pressed in. A popup menu takes
// the press of the Esc that closes it, and its release then reaches the
// window under the menu: that release belongs to the menu, not the window.
class KeyPressWatch : public QObject {
 public:
  explicit KeyPressWatch(QObject* application) : QObject(application) {}

  // False when the key's last press went to another window than `window`
  // (one that is gone counts as another); true when it went to `window`, or
  // when no press of it was seen (a key pressed before the program took the
  // keyboard).
  bool PressedIn(int virtualKey, const QWidget* window) const {
    const auto found = pressedIn_.find(virtualKey);
    return found == pressedIn_.end() || found->second == window;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Keys pressed while another program has the keyboard are not seen: a
    // press seen before then says nothing of a release after.
    if (event->type() == QEvent::ApplicationStateChange &&
        QGuiApplication::applicationState() != Qt::ApplicationActive) {
      pressedIn_.clear();
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!key.isAutoRepeat()) {
      pressedIn_[VirtualKeyCode(key)] = static_cast<QWidget*>(watched)->window();
    }
    return false;
  }

 private:
  std::map<int, QPointer<QWidget>> pressedIn_;
};

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
    if (kind == Kind::kRelease) ApplicationWatch<KeyPressWatch>();
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
    if (kind_ == Kind::kRelease &&
        !ApplicationWatch<KeyPressWatch>().PressedIn(code, target_->window())) {
      return true;
    }
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
