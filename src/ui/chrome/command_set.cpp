#include "ui/chrome/command_set.h"

#include <QAction>
#include <QWidget>
#include <stdexcept>
#include <string>

#include "ui/chrome/commands.h"
#include "ui/chrome/key_commands.h"

namespace vaticor {

CommandSet::CommandSet(QWidget* window) : QObject(window), window_(window) {
  setObjectName("Commands");
}

QAction* CommandSet::NewAction(const char* name) {
  if (findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)) {
    throw std::logic_error(std::string("command added twice: ") + name);
  }
  auto* action = new QAction(this);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QAction* CommandSet::Add(const char* name, std::function<void()> run) {
  QAction* action = NewAction(name);
  ConnectCommand(action, &QAction::triggered, window_, std::move(run));
  return action;
}

QAction* CommandSet::AddOption(const char* name, std::function<void(bool checked)> run) {
  QAction* action = NewAction(name);
  action->setCheckable(true);
  ConnectCommand(action, &QAction::triggered, window_, std::move(run));
  return action;
}

QAction* CommandSet::operator[](const char* name) const {
  auto* action = findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  if (!action) throw std::logic_error(std::string("no command named ") + name);
  return action;
}

void CommandSet::SetChecked(const char* name, bool checked) const {
  (*this)[name]->setChecked(checked);
}

bool CommandSet::TriggerKey(const std::vector<KeyBinding>& keys, int virtualKey,
                            Qt::KeyboardModifiers modifiers) const {
  // The keypad's flag says where the key is, not what the user holds.
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  for (const KeyBinding& binding : keys) {
    if (binding.virtualKey != virtualKey) continue;
    if (binding.modifiers && *binding.modifiers != held) continue;
    // trigger() does nothing for a disabled action, as a click on its
    // greyed menu entry does nothing.
    (*this)[binding.command]->trigger();
    return true;
  }
  return false;
}

KeyCommand CommandSet::KeyTable(std::initializer_list<KeyBinding> keys) const {
  for (const KeyBinding& binding : keys) (*this)[binding.command];  // every name is a command
  return [this, table = std::vector<KeyBinding>(keys)](int key, Qt::KeyboardModifiers modifiers) {
    TriggerKey(table, key, modifiers);
  };
}

void CommandSet::BindKeys(QWidget* target, std::initializer_list<KeyBinding> keys) {
  OnKeyRelease(target, window_, KeyTable(keys));
}

void CommandSet::BindControlKeys(QWidget* target, std::initializer_list<KeyBinding> keys) {
  OnControlKeyPress(target, window_, KeyTable(keys));
}

}  // namespace vaticor
