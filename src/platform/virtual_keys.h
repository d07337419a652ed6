#pragma once

#include <qnamespace.h>

#include <QtGlobal>
#include <optional>

#include "core/spread_geometry.h"

class QKeyEvent;

namespace vaticor {

// Windows virtual-key codes of the keys the windows react to.
namespace vk {
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Delete = 0x2E;
constexpr int Digit0 = 0x30;
constexpr int Digit1 = 0x31;
constexpr int Digit3 = 0x33;
constexpr int C = 0x43;
constexpr int D = 0x44;
constexpr int E = 0x45;
constexpr int G = 0x47;
constexpr int J = 0x4A;
constexpr int P = 0x50;
constexpr int R = 0x52;
constexpr int Z = 0x5A;
constexpr int Numpad0 = 0x60;
constexpr int Add = 0x6B;       // keypad plus
constexpr int Subtract = 0x6D;  // keypad minus
constexpr int F1 = 0x70;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int F10 = 0x79;
constexpr int OemPlus = 0xBB;   // equals/plus of the main keyboard
constexpr int OemMinus = 0xBD;  // minus of the main keyboard
constexpr int OemBackslash = 0xDC;
}  // namespace vk

// The arrow a virtual key is; none for any other key.
std::optional<ArrowKey> ArrowOf(int virtualKey);

// The virtual-key code of the key in a key event: the code the key has on a
// US keyboard layout, so the same physical key gives the same code on any
// layout (the Russian "К" key is R). 0 for a key without a code.
int VirtualKeyCode(const QKeyEvent& event);

// The two ways there: from the XKB keycode that X11 and Wayland report as the
// native scan code (the evdev code + 8), and from Qt's key with the keypad
// flag for events without a usable scan code. Both give 0 for keys they do
// not know.
int VirtualKeyFromXkbKeycode(quint32 keycode);
int VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace vaticor
