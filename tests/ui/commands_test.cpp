// Commands catch their own failures and show them; nothing reaches Qt.
#include "ui/chrome/commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/qt/recorded_messages.h"

namespace vaticor {
namespace {

class CommandsTest : public ::testing::Test {
 protected:
  testing::RecordedMessages recorded;
  std::vector<testing::RecordedMessages::Message>& shown = recorded.messages;
};

TEST_F(CommandsTest, AFailureIsShownOverItsWindowAndTheCommandStopsThere) {
  QWidget window;
  std::vector<int> steps;
  RunCommand(&window, [&] {
    steps.push_back(1);
    throw std::runtime_error("Unable to write to /x/Quorlin.ini");
    steps.push_back(2);
  });
  EXPECT_EQ(steps, std::vector<int>{1});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].window, &window);
  EXPECT_EQ(shown[0].kind, MessageKind::kFailure);
  EXPECT_EQ(shown[0].text, "Unable to write to /x/Quorlin.ini");
}

TEST_F(CommandsTest, SomethingThatIsNoStandardExceptionIsAnUnexpectedFailure) {
  RunCommand(nullptr, [] { throw 42; });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, MessageKind::kFailure);
  EXPECT_EQ(shown[0].text, "Unexpected failure");
}

TEST_F(CommandsTest, ACommandThatSucceedsShowsNothingAndANoticeIsNoFailure) {
  int runs = 0;
  RunCommand(nullptr, [&] { ++runs; });
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(shown.empty());
  ShowNotice(nullptr, QStringLiteral("Колода добавлена"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, MessageKind::kNotice);
  EXPECT_EQ(shown[0].text, "Колода добавлена");
}

TEST_F(CommandsTest, AConnectedCommandGetsTheSignalsArgumentsAndItsFailureStaysWithIt) {
  QWidget window;
  QAction item(QStringLiteral("Сохранить журнал вопросов"));
  item.setCheckable(true);
  int fired = 0;
  ConnectCommand(&item, &QAction::triggered, &window, [&] {
    ++fired;
    throw std::invalid_argument("Invalid value in the log");
  });
  std::vector<bool> toggles;
  ConnectCommand(&item, &QAction::toggled, &window,
                 [&](bool checked) { toggles.push_back(checked); });
  // An exception escaping here would cross Qt's signal machinery.
  EXPECT_NO_THROW(item.trigger());
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(toggles, std::vector<bool>{true});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].window, &window);
  EXPECT_EQ(shown[0].text, "Invalid value in the log");
}

}  // namespace
}  // namespace vaticor
