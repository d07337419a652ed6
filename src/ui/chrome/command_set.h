#pragma once

#include <QObject>
#include <Qt>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "ui/chrome/key_commands.h"

class QAction;
class QWidget;

namespace vaticor {

// A window's commands, one QAction each. An action is named as the window's
// layout names the menu item or control that shows it ("N28"), or, for a
// command only a key gives, by what it does ("NextDeck"). The window's menus
// show these very actions and its key table triggers them, so a key and the
// menu entry it stands for can never do different things. A command runs
// through RunCommand over the window: its failure shows in a message box.
// The actions are children of the set, itself a child of the window, so
// tests find them in the window by name.
class CommandSet : public QObject {
 public:
  explicit CommandSet(QWidget* window);

  // A command; adding a name twice is a programming error (std::logic_error).
  QAction* Add(const char* name, std::function<void()> run);
  // A command with a check mark: `run` is given the mark as the trigger left
  // it (a trigger flips it first).
  QAction* AddOption(const char* name, std::function<void(bool checked)> run);
  // The command of that name; std::logic_error when there is none (every
  // caller names a command of its own window).
  QAction* operator[](const char* name) const;
  // Sets an option's check mark without running it.
  void SetChecked(const char* name, bool checked) const;

  // A key and the command it triggers. A disabled command ignores its key,
  // as its menu entry ignores a click. With `modifiers` the binding holds
  // only while exactly those of Shift, Ctrl, Alt and Meta are held; without,
  // whatever is held.
  struct KeyBinding {
    int virtualKey;
    const char* command;
    std::optional<Qt::KeyboardModifiers> modifiers = std::nullopt;
  };
  // Releases of these keys in `target` (the window, or a control of it that
  // takes keys itself) trigger their commands: the first binding of the key
  // whose modifiers fit; other keys do nothing. Repeats of a held key are ignored
  // (ui/chrome/key_commands.h).
  void BindKeys(QWidget* target, std::initializer_list<KeyBinding> keys);
  // The same for keys pressed with Ctrl alone, acted on at the press.
  void BindControlKeys(QWidget* target, std::initializer_list<KeyBinding> keys);

  // Triggers the command bound to a key held with `modifiers` in `keys`;
  // false when none is.
  bool TriggerKey(const std::vector<KeyBinding>& keys, int virtualKey,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;

 private:
  // A new action of that name; std::logic_error when the name is taken.
  QAction* NewAction(const char* name);
  // What a key table runs; std::logic_error for a name that is no command.
  KeyCommand KeyTable(std::initializer_list<KeyBinding> keys) const;

  QWidget* window_;
};

}  // namespace vaticor
