#pragma once

#include <Qt>
#include <functional>

class QWidget;

namespace vaticor {

// A window's keys. The program acts on a key when it is released, once per
// key: a held key repeats its press and its release, and the repeats are
// ignored. Keys are told by their virtual-key codes (platform/virtual_keys.h:
// the key's place on a US keyboard, whatever the layout), with the modifiers
// held at the release. A release whose press went to another window is not
// the window's: the Esc that closes a popup menu is pressed in the menu and
// released in the window under it.
using KeyCommand = std::function<void(int virtualKey, Qt::KeyboardModifiers modifiers)>;

// Every key released in `target` (a window, or a control of it that takes
// the keys itself; a window also sees the keys its controls pass on) runs
// `command` through RunCommand over `window`, which shows its failure. The
// release goes no further. The handler is a child of `target`.
void OnKeyRelease(QWidget* target, QWidget* window, KeyCommand command);

// A key pressed in `target` with Ctrl and no other modifier held runs
// `command` (virtual-key code, modifiers held) through RunCommand over
// `window` at the press, not the release: the user may let go of Ctrl
// before the key, and the release then comes without it. Repeats of a held
// key are ignored. Other presses go on as they were. The handler is a child
// of `target`.
void OnControlKeyPress(QWidget* target, QWidget* window, KeyCommand command);

}  // namespace vaticor
