#include "platform/virtual_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace vaticor {
namespace {

int Released(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 scanCode = 0,
             const QString& text = {}) {
  const QKeyEvent event(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, text);
  return VirtualKeyCode(event);
}

TEST(VirtualKeys, ScanCodesOfTheMainWindowsKeys) {
  struct Row {
    quint32 scanCode;
    int code;
  };
  const Row rows[] = {
      {9, vk::Escape},    {21, vk::OemPlus}, {51, vk::OemBackslash}, {111, vk::Up},
      {116, vk::Down},    {114, vk::Right},  {113, vk::Left},        {86, vk::Add},
      {82, vk::Subtract}, {19, vk::Digit0},  {10, vk::Digit1},       {12, vk::Digit3},
      {27, vk::R},        {69, vk::F3},      {70, vk::F4},           {76, vk::F10},
  };
  for (const Row& row : rows)
    EXPECT_EQ(VirtualKeyFromXkbKeycode(row.scanCode), row.code) << "scan code " << row.scanCode;
}

TEST(VirtualKeys, ScanCodesOfTheWholeKeyboard) {
  // Letter rows by their US positions.
  const char* const rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const quint32 firsts[] = {24, 38, 52};
  for (int r = 0; r < 3; ++r)
    for (int i = 0; rows[r][i] != '\0'; ++i)
      EXPECT_EQ(VirtualKeyFromXkbKeycode(firsts[r] + i), rows[r][i]) << rows[r][i];
  EXPECT_EQ(VirtualKeyFromXkbKeycode(20), vk::OemMinus);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(67), vk::F1);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(95), 0x7A);  // F11
  EXPECT_EQ(VirtualKeyFromXkbKeycode(96), 0x7B);  // F12
  EXPECT_EQ(VirtualKeyFromXkbKeycode(90), vk::Numpad0);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(36), vk::Return);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(104), vk::Return);  // keypad Enter
  // Unknown or out of range.
  EXPECT_EQ(VirtualKeyFromXkbKeycode(0), 0);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(8), 0);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(255), 0);
  EXPECT_EQ(VirtualKeyFromXkbKeycode(100000), 0);
}

TEST(VirtualKeys, WithoutAScanCodeTheQtKeyDecides) {
  EXPECT_EQ(Released(Qt::Key_Escape), vk::Escape);
  EXPECT_EQ(Released(Qt::Key_Backslash), vk::OemBackslash);
  EXPECT_EQ(Released(Qt::Key_Up), vk::Up);
  EXPECT_EQ(Released(Qt::Key_Down), vk::Down);
  EXPECT_EQ(Released(Qt::Key_Left), vk::Left);
  EXPECT_EQ(Released(Qt::Key_Right), vk::Right);
  EXPECT_EQ(Released(Qt::Key_R), vk::R);
  EXPECT_EQ(Released(Qt::Key_F3), vk::F3);
  EXPECT_EQ(Released(Qt::Key_F4), vk::F4);
  EXPECT_EQ(Released(Qt::Key_F10), vk::F10);
  EXPECT_EQ(Released(Qt::Key_F24), 0x87);
  // Modifiers held do not change the key.
  EXPECT_EQ(Released(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier), vk::R);
  EXPECT_EQ(Released(Qt::Key_Exclam, Qt::ShiftModifier), vk::Digit1);
  EXPECT_EQ(Released(Qt::Key_NumberSign, Qt::ShiftModifier), vk::Digit3);
  EXPECT_EQ(Released(0), 0);
  EXPECT_EQ(Released(Qt::Key_unknown), 0);
}

TEST(VirtualKeys, KeypadAndMainKeyboardAreToldApart) {
  // Without a scan code, by the keypad flag.
  EXPECT_EQ(Released(Qt::Key_Equal), vk::OemPlus);
  EXPECT_EQ(Released(Qt::Key_Plus, Qt::ShiftModifier), vk::OemPlus);
  EXPECT_EQ(Released(Qt::Key_Plus, Qt::KeypadModifier), vk::Add);
  EXPECT_EQ(Released(Qt::Key_Minus), vk::OemMinus);
  EXPECT_EQ(Released(Qt::Key_Minus, Qt::KeypadModifier), vk::Subtract);
  EXPECT_EQ(Released(Qt::Key_0), vk::Digit0);
  EXPECT_EQ(Released(Qt::Key_3), vk::Digit3);
  EXPECT_EQ(Released(Qt::Key_0, Qt::KeypadModifier), vk::Numpad0);
  EXPECT_EQ(Released(Qt::Key_9, Qt::KeypadModifier), 0x69);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // With a scan code, by the physical key.
  EXPECT_EQ(Released(Qt::Key_Plus, Qt::KeypadModifier, 86), vk::Add);
  EXPECT_EQ(Released(Qt::Key_Plus, Qt::ShiftModifier, 21), vk::OemPlus);
  EXPECT_EQ(Released(Qt::Key_1, Qt::KeypadModifier, 87), 0x61);
  // Keypad 1 with Num Lock off is End.
  EXPECT_EQ(Released(Qt::Key_End, Qt::KeypadModifier, 87), 0x23);
#endif
}

TEST(VirtualKeys, RussianLayoutGivesTheUsKeyUnderneath) {
  // Qt reports a Cyrillic letter as its upper-case code point.
  EXPECT_EQ(Released(0x041A, Qt::NoModifier, 0, QStringLiteral("к")), vk::R);  // К
  EXPECT_EQ(Released(0x0419), 'Q');                                            // Й
  EXPECT_EQ(Released(0x042F), 'Z');                                            // Я
  EXPECT_EQ(Released(0x0424), 'A');                                            // Ф
  EXPECT_EQ(Released(0x0416), 0xBA);                                           // Ж
  EXPECT_EQ(Released(0x042E), 0xBE);                                           // Ю
  EXPECT_EQ(Released(0x0401), 0xC0);                                           // Ё
  EXPECT_EQ(Released(0x043A), vk::R);  // lower-case к taken as well
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // The scan code wins over the letter.
  EXPECT_EQ(Released(0x041A, Qt::NoModifier, 27), vk::R);
  // On a German layout the key right of T gives Z; it is Y on a US keyboard.
  EXPECT_EQ(Released(Qt::Key_Z, Qt::NoModifier, 29), 'Y');
#endif
}

TEST(VirtualKeys, TheFourArrowsAndNoOtherKey) {
  EXPECT_EQ(ArrowOf(0x25), ArrowKey::Left);
  EXPECT_EQ(ArrowOf(0x26), ArrowKey::Up);
  EXPECT_EQ(ArrowOf(0x27), ArrowKey::Right);
  EXPECT_EQ(ArrowOf(0x28), ArrowKey::Down);
  for (int key : {0, 0x24, 0x29, 0x64, 0x66, 0x68}) EXPECT_EQ(ArrowOf(key), std::nullopt) << key;
}

}  // namespace
}  // namespace vaticor
