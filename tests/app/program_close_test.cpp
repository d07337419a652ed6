// Closing the main window ends the program whatever else is open, writing
// the settings once; started with a spread, the program keeps its tray icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "program_fixture.h"
#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/skin_image.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_form.h"
#include "ui/questions/question_log_form.h"
#include "ui/spreads/deck_groups_form.h"
#include "ui/spreads/spreads_form.h"
#include "ui/viewer/about_form.h"

namespace vaticor::testing {
namespace {

// Runs the event loop until the program ends it; gives up (and says so)
// after `seconds`.
int RunUntilTheProgramEnds(const std::function<void()>& userAction, int seconds = 10) {
  QTimer::singleShot(0, userAction);
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  giveUp.start(seconds * 1000);
  return QApplication::exec();
}

// The windows open when the user closes the main window.
struct OpenWindows {
  const char* name;
  bool viewer = false;
  bool log = false;
  bool question = false;
  bool spreads = false;  // the main window's spreads button, cards dealt
  bool deckGroups = false;
  bool folderSelection = false;
};

void PrintTo(const OpenWindows& open, std::ostream* out) { *out << open.name; }

class ProgramCloseTest : public ProgramTest, public ::testing::WithParamInterface<OpenWindows> {
 protected:
  void Open(Program& program, const OpenWindows& open) {
    TVaticorForm* main = program.VaticorForm();
    main->show();
    Click(Control<TCaptionLabel>(*main, "Label2"));  // a card drawn
    if (open.viewer) program.AboutForm()->ShowCardDescription("Card 1", 1, 0);
    if (open.log) program.QuestionLogForm()->ShowLogWindow();
    if (open.question) program.QuestionForm()->SetQuestionVisible(true);
    if (open.folderSelection) program.Windows()[4]->show();
    if (open.spreads) {
      Click(Control<TSkinImage>(*main, "Image7"));
      auto* spreads = static_cast<TSpreadsForm*>(program.SpreadsForm());
      ReleaseKey(spreads, Qt::Key_1);  // "Выложить карту"
      ReleaseKey(spreads, Qt::Key_1);
      if (open.deckGroups) Click(Control<TSkinImage>(*spreads, "Image3"));
    }
  }
};

TEST_P(ProgramCloseTest, ClosingTheMainWindowEndsTheProgramAndWritesTheSettingsOnce) {
  MakeDeck("a", 22);
  const OpenWindows open = GetParam();
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  Open(program, open);
  TVaticorForm* main = program.VaticorForm();
  const int exitCode = RunUntilTheProgramEnds([&] {
    if (open.spreads) {
      // The main window is hidden: the spreads window's "Выход".
      Click(Control<TSkinImage>(*program.SpreadsForm(), "ButtonCloseImage"));
    } else {
      Click(Control<TSkinImage>(*main, "ButtonCloseImage"));
    }
  });
  EXPECT_EQ(exitCode, 0) << "the event loop ran on";
  const std::string settings = dir.Path("Quorlin.ini");
  EXPECT_TRUE(FileExists(settings));
  EXPECT_NE(ReadAll(settings).find("[Form Settings]"), std::string::npos);

  // Nothing closes it twice: the desktop's close on the way out writes
  // nothing more.
  std::filesystem::remove(settings);
  main->close();
  QCoreApplication::processEvents();
  EXPECT_FALSE(FileExists(settings));
}

INSTANTIATE_TEST_SUITE_P(
    WhateverIsOpen, ProgramCloseTest,
    ::testing::Values(OpenWindows{"Nothing"}, OpenWindows{"Viewer", true},
                      OpenWindows{"Log", false, true}, OpenWindows{"Question", false, false, true},
                      OpenWindows{"ViewerAndLog", true, true},
                      OpenWindows{"ViewerAndQuestion", true, false, true},
                      OpenWindows{"SpreadsAndCards", false, false, false, true},
                      OpenWindows{"SpreadsCardsAndDeckGroups", false, false, false, true, true},
                      OpenWindows{"FolderSelection", false, false, false, false, false, true},
                      OpenWindows{"Everything", true, true, true, true, true, true}),
    [](const ::testing::TestParamInfo<OpenWindows>& info) { return info.param.name; });

// A window the program hides or a card window closed last ends nothing: the
// program ends with its main window only (where the settings are written).
TEST_F(ProgramTest, ClosingTheLastOtherWindowEndsNothing) {
  MakeDeck("a", 22);
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  TVaticorForm* main = program.VaticorForm();
  main->show();
  Click(Control<TSkinImage>(*main, "Image7"));
  auto* spreads = static_cast<TSpreadsForm*>(program.SpreadsForm());
  ReleaseKey(spreads, Qt::Key_1);  // "Выложить карту"
  const int exitCode = RunUntilTheProgramEnds(
      [&] {
        spreads->hide();
        for (QWidget* window : QApplication::topLevelWidgets()) {
          if (window->objectName() == "CardForm") window->close();
        }
        QTimer::singleShot(200, [] { QCoreApplication::exit(7); });
      },
      5);
  EXPECT_EQ(exitCode, 7) << "the program ended without its main window closing";
  EXPECT_FALSE(FileExists(dir.Path("Quorlin.ini")));
}

TEST_F(ProgramTest, StartedWithASpreadWithoutTaskbarButtonTheTrayIconIsThere) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nApplication.ShowButtonInTaskBar=0\r\n");
  const std::string spread =
      dir.Write("reading.spread", "[Position00]\r\nLeft=10\r\nTop=20\r\nValue=3\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_FALSE(program.HandleCommandLine({spread}));
  EXPECT_TRUE(program.VaticorForm()->TrayIconActive());
  EXPECT_TRUE(program.SpreadsForm()->windowFlags().testFlag(Qt::Tool))
      << "the spreads window has no taskbar button while the option is off";
  // "Свернуть" then hides the spread into the tray, and a tray click brings
  // it back.
  auto* spreads = static_cast<TSpreadsForm*>(program.SpreadsForm());
  Click(Control<TSkinImage>(*spreads, "ButtonHideImage"));
  EXPECT_FALSE(spreads->isVisible());
  emit Control<QSystemTrayIcon>(*program.VaticorForm(), "TrayIcon1")
      ->activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(spreads->isVisible());
  EXPECT_FALSE(program.VaticorForm()->isVisible());
}

TEST_F(ProgramTest, StartedWithASpreadWithTheTaskbarButtonThereIsNoTrayIcon) {
  MakeDeck("a", 22);
  const std::string spread = dir.Write("reading.spread", "[Position00]\r\nValue=3\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_FALSE(program.HandleCommandLine({spread}));
  EXPECT_FALSE(program.VaticorForm()->TrayIconActive());
  EXPECT_FALSE(program.SpreadsForm()->windowFlags().testFlag(Qt::Tool));
}

}  // namespace
}  // namespace vaticor::testing
