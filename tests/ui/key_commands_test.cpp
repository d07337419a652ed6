// A window's keys: one command per released key, repeats ignored, failures
// shown at the window; Ctrl commands at the press.
#include "ui/chrome/key_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/virtual_keys.h"
#include "support/qt/recorded_messages.h"
#include "ui/chrome/commands.h"

namespace vaticor {
namespace {

void Release(QWidget* widget, int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
  QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, QString(), autoRepeat);
  QApplication::sendEvent(widget, &release);
}

TEST(KeyCommands, EachReleasedKeyRunsOnceWithItsCodeAndModifiers) {
  QWidget window;
  std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
  OnKeyRelease(&window, &window, [&](int key, Qt::KeyboardModifiers modifiers) {
    keys.push_back({key, modifiers});
  });
  Release(&window, Qt::Key_Right, Qt::ShiftModifier, /*autoRepeat=*/true);
  Release(&window, Qt::Key_Right, Qt::ShiftModifier, /*autoRepeat=*/true);
  Release(&window, Qt::Key_Right, Qt::ShiftModifier, /*autoRepeat=*/false);
  Release(&window, Qt::Key_F3, Qt::NoModifier, false);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].first, vk::Right);
  EXPECT_EQ(keys[0].second, Qt::ShiftModifier);
  EXPECT_EQ(keys[1].first, vk::F3);
}

TEST(KeyCommands, AFailingKeyIsShownOverItsWindowAndTheKeyGoesNoFurther) {
  QWidget window;
  auto* control = new QWidget(&window);
  testing::RecordedMessages recorded;
  int windowKeys = 0;
  OnKeyRelease(&window, &window, [&](int, Qt::KeyboardModifiers) { ++windowKeys; });
  OnKeyRelease(control, &window, [](int, Qt::KeyboardModifiers) {
    throw std::runtime_error("Unable to write to x");
  });
  Release(control, Qt::Key_0, Qt::NoModifier, false);
  EXPECT_EQ(recorded.Texts(), std::vector<std::string>{"Unable to write to x"});
  EXPECT_EQ(recorded.messages.at(0).window, &window);
  EXPECT_EQ(windowKeys, 0) << "the control's key reached the window too";
}

// Esc pressed in a popup menu closes it; its release, which then reaches
// the window under the menu, must not also minimise the window.
TEST(KeyCommands, AReleaseWhosePressWentToAnotherWindowIsIgnored) {
  QWidget window;
  QWidget menu(nullptr, Qt::Popup);
  int released = 0;
  OnKeyRelease(&window, &window, [&](int, Qt::KeyboardModifiers) { ++released; });
  auto press = [](QWidget* in, int qtKey) {
    QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(in, &event);
  };
  press(&menu, Qt::Key_Escape);
  Release(&window, Qt::Key_Escape, Qt::NoModifier, false);
  EXPECT_EQ(released, 0);
  {
    QWidget gone(nullptr, Qt::Popup);
    press(&gone, Qt::Key_Escape);
  }
  Release(&window, Qt::Key_Escape, Qt::NoModifier, false);
  EXPECT_EQ(released, 0) << "a press in a window since closed";
  press(&window, Qt::Key_Escape);
  Release(&window, Qt::Key_Escape, Qt::NoModifier, false);
  auto* control = new QWidget(&window);
  press(control, Qt::Key_F3);
  Release(&window, Qt::Key_F3, Qt::NoModifier, false);
  EXPECT_EQ(released, 2) << "keys pressed in the window, or a control of it, count";
}

// The user may let go of Ctrl before the key: a Ctrl command acts on the
// press, and only with Ctrl alone.
TEST(KeyCommands, ACtrlCommandRunsAtThePressOfItsKeyWithCtrlAlone) {
  QWidget window;
  std::vector<int> keys;
  OnControlKeyPress(&window, &window, [&](int key, Qt::KeyboardModifiers) { keys.push_back(key); });
  auto press = [&](int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&window, &event);
  };
  press(Qt::Key_P, Qt::ControlModifier, false);
  press(Qt::Key_P, Qt::ControlModifier, /*autoRepeat=*/true);
  press(Qt::Key_P, Qt::NoModifier, false);
  press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, false);
  press(Qt::Key_C, Qt::ControlModifier | Qt::KeypadModifier, false);
  Release(&window, Qt::Key_C, Qt::ControlModifier, false);
  EXPECT_EQ(keys, (std::vector<int>{vk::P, vk::C}));
}

}  // namespace
}  // namespace vaticor
