// Commands catch their own failures and show them; nothing reaches Qt.
#include "ui/chrome/commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "library/picture_loader.h"
#include "support/qt/recorded_messages.h"
#include "support/temp_dir.h"
#include "ui/chrome/interface_text.h"

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

// On a Russian or German interface a failed write was still reported in
// English.
TEST_F(CommandsTest, AFailureIsWordedInTheInterfaceLanguage) {
  TLanguageTable languages;
  SetFailureWording([&languages](const UserFailure& f) { return FailureText(languages, f); });
  RunCommand(nullptr, [] { throw IniWriteError("/x/100%1.ini"); });
  RunCommand(nullptr, [] { throw UnknownPictureExtensionError("gif"); });
  RunCommand(nullptr, [] { throw std::runtime_error("other"); });
  testing::TempDir dir;
  languages.LoadFile(dir.Write("de.ini", "[Reader]\nUnableToWrite=Nicht schreibbar: %1 (Datei)\n"));
  RunCommand(nullptr, [] { throw IniWriteError("/x/y.ini"); });
  SetFailureWording(nullptr);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "Не удаётся записать файл /x/100%1.ini");
  EXPECT_EQ(shown[1].text, "Неизвестное расширение файла картинки (.gif)");
  EXPECT_EQ(shown[2].text, "other");
  EXPECT_EQ(shown[3].text, "Nicht schreibbar: /x/y.ini (Datei)");
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
