#include "platform/virtual_keys.h"

#include <QKeyEvent>
#include <array>
#include <cstdint>

namespace vaticor {
namespace {

// XKB keycode (evdev code + 8) -> virtual-key code, for the keys of a
// standard PC keyboard.
constexpr std::array<std::uint8_t, 256> MakeXkbTable() {
  std::array<std::uint8_t, 256> t{};
  t[9] = 0x1B;  // Esc
  for (int i = 0; i < 9; ++i) t[10 + i] = static_cast<std::uint8_t>('1' + i);
  t[19] = '0';
  t[20] = 0xBD;  // -
  t[21] = 0xBB;  // =
  t[22] = 0x08;  // Backspace
  t[23] = 0x09;  // Tab
  const char row1[] = "QWERTYUIOP";
  for (int i = 0; i < 10; ++i) t[24 + i] = static_cast<std::uint8_t>(row1[i]);
  t[34] = 0xDB;  // [
  t[35] = 0xDD;  // ]
  t[36] = 0x0D;  // Enter
  t[37] = 0x11;  // left Ctrl
  const char row2[] = "ASDFGHJKL";
  for (int i = 0; i < 9; ++i) t[38 + i] = static_cast<std::uint8_t>(row2[i]);
  t[47] = 0xBA;  // ;
  t[48] = 0xDE;  // '
  t[49] = 0xC0;  // `
  t[50] = 0x10;  // left Shift
  t[51] = 0xDC;  // backslash
  const char row3[] = "ZXCVBNM";
  for (int i = 0; i < 7; ++i) t[52 + i] = static_cast<std::uint8_t>(row3[i]);
  t[59] = 0xBC;                                                                  // ,
  t[60] = 0xBE;                                                                  // .
  t[61] = 0xBF;                                                                  // /
  t[62] = 0x10;                                                                  // right Shift
  t[63] = 0x6A;                                                                  // keypad *
  t[64] = 0x12;                                                                  // left Alt
  t[65] = 0x20;                                                                  // Space
  t[66] = 0x14;                                                                  // Caps Lock
  for (int i = 0; i < 10; ++i) t[67 + i] = static_cast<std::uint8_t>(0x70 + i);  // F1..F10
  t[77] = 0x90;                                                                  // Num Lock
  t[78] = 0x91;                                                                  // Scroll Lock
  t[79] = 0x67;                                                                  // keypad 7
  t[80] = 0x68;
  t[81] = 0x69;
  t[82] = 0x6D;  // keypad -
  t[83] = 0x64;  // keypad 4
  t[84] = 0x65;
  t[85] = 0x66;
  t[86] = 0x6B;  // keypad +
  t[87] = 0x61;  // keypad 1
  t[88] = 0x62;
  t[89] = 0x63;
  t[90] = 0x60;   // keypad 0
  t[91] = 0x6E;   // keypad decimal point
  t[94] = 0xE2;   // the extra key left of Z on ISO keyboards
  t[95] = 0x7A;   // F11
  t[96] = 0x7B;   // F12
  t[104] = 0x0D;  // keypad Enter
  t[105] = 0x11;  // right Ctrl
  t[106] = 0x6F;  // keypad /
  t[107] = 0x2C;  // Print Screen
  t[108] = 0x12;  // right Alt
  t[110] = 0x24;  // Home
  t[111] = 0x26;  // Up
  t[112] = 0x21;  // Page Up
  t[113] = 0x25;  // Left
  t[114] = 0x27;  // Right
  t[115] = 0x23;  // End
  t[116] = 0x28;  // Down
  t[117] = 0x22;  // Page Down
  t[118] = 0x2D;  // Insert
  t[119] = 0x2E;  // Delete
  t[127] = 0x13;  // Pause
  t[133] = 0x5B;  // left Windows key
  t[134] = 0x5C;  // right Windows key
  t[135] = 0x5D;  // Menu
  for (int i = 0; i < 12; ++i) t[191 + i] = static_cast<std::uint8_t>(0x7C + i);  // F13..F24
  return t;
}

constexpr std::array<std::uint8_t, 256> kXkbTable = MakeXkbTable();

// The keys of a Russian (ЙЦУКЕН) layout, by the US key they sit on.
struct CyrillicKey {
  char16_t letter;  // upper case
  std::uint8_t code;
};
constexpr CyrillicKey kCyrillicKeys[] = {
    {u'Й', 'Q'},  {u'Ц', 'W'},  {u'У', 'E'},  {u'К', 'R'},  {u'Е', 'T'},  {u'Н', 'Y'}, {u'Г', 'U'},
    {u'Ш', 'I'},  {u'Щ', 'O'},  {u'З', 'P'},  {u'Х', 0xDB}, {u'Ъ', 0xDD}, {u'Ф', 'A'}, {u'Ы', 'S'},
    {u'В', 'D'},  {u'А', 'F'},  {u'П', 'G'},  {u'Р', 'H'},  {u'О', 'J'},  {u'Л', 'K'}, {u'Д', 'L'},
    {u'Ж', 0xBA}, {u'Э', 0xDE}, {u'Я', 'Z'},  {u'Ч', 'X'},  {u'С', 'C'},  {u'М', 'V'}, {u'И', 'B'},
    {u'Т', 'N'},  {u'Ь', 'M'},  {u'Б', 0xBC}, {u'Ю', 0xBE}, {u'Ё', 0xC0},
};

int FromCyrillic(int key) {
  // Qt reports letters in upper case; lower case is taken as well.
  if (key >= 0x430 && key <= 0x44F) key -= 0x20;
  if (key == 0x451) key = 0x401;  // ё
  for (const CyrillicKey& entry : kCyrillicKeys)
    if (entry.letter == key) return entry.code;
  return 0;
}

// A keypad key whose meaning follows Num Lock: with Num Lock off it is a
// navigation key, and its code is that key's.
bool IsKeypadNavigationKey(quint32 keycode) {
  return (keycode >= 79 && keycode <= 81) || (keycode >= 83 && keycode <= 85) ||
         (keycode >= 87 && keycode <= 91);
}

bool IsKeypadDigitKey(int key) {
  return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period || key == Qt::Key_Comma;
}

}  // namespace

int VirtualKeyFromXkbKeycode(quint32 keycode) {
  return keycode < kXkbTable.size() ? kXkbTable[keycode] : 0;
}

int VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // same as the codes 0x41..0x5A
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? 0x60 + (key - Qt::Key_0) : key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Print:
      return 0x2C;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Shift:
      return 0x10;
    case Qt::Key_Control:
      return 0x11;
    case Qt::Key_Alt:
      return 0x12;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Meta:
      return 0x5B;
    case Qt::Key_Menu:
      return 0x5D;
    case Qt::Key_NumLock:
      return 0x90;
    case Qt::Key_ScrollLock:
      return 0x91;
    // Shifted digits of a US keyboard are their digit keys.
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return keypad ? 0x6A : '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Plus:
      return keypad ? 0x6B : 0xBB;
    case Qt::Key_Equal:
      return 0xBB;
    case Qt::Key_Minus:
      return keypad ? 0x6D : 0xBD;
    case Qt::Key_Underscore:
      return 0xBD;
    case Qt::Key_Slash:
      return keypad ? 0x6F : 0xBF;
    case Qt::Key_Question:
      return 0xBF;
    case Qt::Key_Period:
      return keypad ? 0x6E : 0xBE;
    case Qt::Key_Greater:
      return 0xBE;
    case Qt::Key_Comma:
      return keypad ? 0x6E : 0xBC;
    case Qt::Key_Less:
      return 0xBC;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 0xBA;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 0xDE;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 0xDB;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 0xDD;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 0xDC;
    default:
      return FromCyrillic(key);
  }
}

int VirtualKeyCode(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
#if defined(Q_OS_WIN)
  // Windows reports the virtual-key code itself.
  if (event.nativeVirtualKey() != 0) return static_cast<int>(event.nativeVirtualKey());
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // X11 and Wayland report XKB keycodes, which name the physical key.
  const quint32 keycode = event.nativeScanCode();
  if (const int code = VirtualKeyFromXkbKeycode(keycode); code != 0) {
    if (IsKeypadNavigationKey(keycode) && !IsKeypadDigitKey(key)) {
      if (const int navigation = VirtualKeyFromQtKey(key, modifiers); navigation != 0)
        return navigation;
    }
    return code;
  }
#endif
  return VirtualKeyFromQtKey(key, modifiers);
}

std::optional<ArrowKey> ArrowOf(int virtualKey) {
  switch (virtualKey) {
    case vk::Left:
      return ArrowKey::Left;
    case vk::Right:
      return ArrowKey::Right;
    case vk::Up:
      return ArrowKey::Up;
    case vk::Down:
      return ArrowKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace vaticor
