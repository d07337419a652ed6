#include "app/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QWidget>
#include <chrono>
#include <filesystem>

#include "core/file_io.h"
#include "program_fixture.h"
#include "support/deck_writer.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_messages.h"
#include "support/temp_dir.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/skin_image.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_form.h"
#include "ui/questions/question_log_form.h"

namespace vaticor {
namespace {

using testing::Click;
using testing::ProgramTest;
using testing::ReadAll;
using testing::TempDir;

TEST_F(ProgramTest, StartsWithTheSavedDeckAndSizedPicker) {
  MakeDeck("a", 22);
  MakeDeck("b", 78);
  MakeDeck("c", 30);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDeck.Index=1\r\n");
  Program program(dir.Path("vaticor"), system);
  EXPECT_EQ(program.INIData().AppFolder, dir.path());
  EXPECT_EQ(program.SystemLanguage(), "0x0419");

  program.CreateWindows();
  EXPECT_EQ(registrar.calls, 1);
  EXPECT_EQ(program.TaroDecks().Count, 3);
  EXPECT_EQ(program.TaroDecks().CurrentDeck(), 1);
  EXPECT_EQ(program.SpreadPicker().Count, 78);
  EXPECT_EQ(program.SpreadPicker().Remaining, 78);
}

// A deck imported reaches every window that shows the decks: the main
// window's deck submenu, the viewer's card list, the spreads' picker.
TEST_F(ProgramTest, AnImportedDeckReachesEveryWindowThatShowsDecks) {
  MakeDeck("b", 22);
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  MakeDeck("a", 78);  // sorts before the deck in use
  program.RebuildDeckMenu();
  QMenu* decks = program.VaticorForm()->findChild<QAction*>("N2")->menu();
  EXPECT_EQ(decks->actions().size(), 4 + 2);
  EXPECT_TRUE(decks->actions().at(5)->isChecked()) << "the deck in use stays checked";

  program.State().Content.SelectDeck(0);
  QWidget* viewer = program.Windows().at(1);
  EXPECT_EQ(viewer->findChild<QListWidget*>("ListBox1")->count(), 78);
  EXPECT_EQ(program.SpreadPicker().Count, 78);
}

TEST_F(ProgramTest, StartingRemovesTheTemporaryFileOfAKilledSave) {
  const std::string stale = dir.Write(".Quorlin.ini.0123456789abcdef.tmp", "[Vaticor]\r\n");
  std::filesystem::last_write_time(
      stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  Program program(dir.Path("vaticor"), system);
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{});
}

TEST_F(ProgramTest, ASavedDeckBeyondTheListSelectsTheLast) {
  MakeDeck("a", 22);
  MakeDeck("b", 30);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDeck.Index=9\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_EQ(program.TaroDecks().CurrentDeck(), 1);
  EXPECT_EQ(program.INIData().DeckIndex, 1);
}

TEST_F(ProgramTest, CreatesEveryWindowInOrderAllHidden) {
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  std::vector<std::string> names;
  for (QWidget* window : program.Windows()) {
    names.push_back(window->objectName().toStdString());
    EXPECT_FALSE(window->isVisible()) << names.back();
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"VaticorForm", "AboutForm", "QuestionLogForm", "QuestionForm",
                                      "FolderSelectForm", "SpreadsForm", "DeckGroupsForm"}));
}

TEST_F(ProgramTest, TheOtherWindowsAreMadeJustAfterTheMainWindowFirstShows) {
  MakeDeck("a", 22);
  Program program(dir.Path("vaticor"), system);
  program.CreateMainWindow();
  EXPECT_EQ(program.Windows().size(), 1u);
  program.ShowMainWindow();
  EXPECT_EQ(program.QuestionLogForm(), nullptr) << "made before the window is painted";
  // Well before the latest moment (a second), which is for a window never
  // painted.
  ASSERT_TRUE(
      testing::ProcessEventsUntil([&] { return program.QuestionLogForm() != nullptr; }, 600));
  EXPECT_EQ(program.Windows().size(), 7u);
  EXPECT_TRUE(program.VaticorForm()->isVisible());
  program.CreateOtherWindows();  // nothing more to make
  EXPECT_EQ(program.Windows().size(), 7u);
}

TEST_F(ProgramTest, WhatNeedsAnotherWindowSoonerHasThemMadeAtOnce) {
  MakeDeck("a", 22);
  Program program(dir.Path("vaticor"), system);
  program.CreateMainWindow();
  // A draw goes into the reading log.
  Click(program.VaticorForm()->findChild<QWidget*>("Label2"));
  ASSERT_NE(program.QuestionLogForm(), nullptr);
  program.QuestionLogForm()->FinishReading();
  EXPECT_EQ(program.Windows().size(), 7u);
  // The day's date line, then the reading.
  EXPECT_EQ(program.QuestionLogForm()->findChild<QListView*>("ListBox1")->model()->rowCount(), 2);
}

TEST_F(ProgramTest, AQuestionWindowShownAtStartIsMadeBeforeTheMainWindowShows) {
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nQuestionForm.Enabled=1\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateMainWindow();
  program.ShowMainWindow();
  ASSERT_NE(program.QuestionForm(), nullptr);
  EXPECT_TRUE(program.QuestionForm()->isVisible());
}

TEST_F(ProgramTest, EveryWindowShowsItsHintsWhileAnotherIsActive) {
  MakeDeck("a", 22);
  const std::string file =
      dir.Write("reading.spread", "[Position00]\r\nValue=3\r\n[Position01]\r\nValue=4\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  ASSERT_FALSE(program.HandleCommandLine({file}));
  std::vector<QWidget*> windows = program.Windows();
  int cards = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "CardForm") {
      windows.push_back(window);
      ++cards;
    }
  }
  ASSERT_EQ(cards, 2);
  for (QWidget* window : windows) {
    EXPECT_TRUE(window->testAttribute(Qt::WA_AlwaysShowToolTips))
        << window->objectName().toStdString();
  }
}

TEST_F(ProgramTest, ASpreadFileArgumentOpensTheSpreadsWindowInstead) {
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_TRUE(program.HandleCommandLine({}));
  EXPECT_TRUE(program.HandleCommandLine({"/home/u/reading.txt"}));
  EXPECT_FALSE(program.SpreadsForm()->isVisible());
  EXPECT_FALSE(program.HandleCommandLine({"/home/u/READIN~1.SPR", "ignored"}));
  EXPECT_TRUE(program.SpreadsForm()->isVisible());
  // A file manager without short names passes the long name.
  program.SpreadsForm()->hide();
  EXPECT_FALSE(program.HandleCommandLine({"/home/u/reading.spread"}));
  EXPECT_TRUE(program.SpreadsForm()->isVisible());
}

TEST_F(ProgramTest, ClosingTheSpreadsWindowByTheDesktopBringsTheMainWindowBack) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nQuestionForm.Enabled=1\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  TVaticorForm* main = program.VaticorForm();
  main->show();
  Click(main->findChild<TSkinImage*>("Image7"));
  ASSERT_FALSE(main->isVisible());
  ASSERT_TRUE(program.SpreadsForm()->isVisible());
  program.SpreadsForm()->close();
  EXPECT_FALSE(program.SpreadsForm()->isVisible());
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(program.Windows()[3]->isVisible());  // the question window, as it was

  // Started with a spread file, the main window was never shown: the same.
  main->hide();
  EXPECT_FALSE(program.HandleCommandLine({"/home/u/READIN~1.SPR"}));
  program.SpreadsForm()->close();
  EXPECT_TRUE(main->isVisible());
}

// The question window in use shows itself as it is made, and a start with a
// spread file leaves it on show beside the spreads window; only the main
// window's spreads button hides it with the main window.
TEST_F(ProgramTest, AStartWithASpreadFileLeavesTheQuestionWindowInUseOnShow) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nQuestionForm.Enabled=1\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_FALSE(program.HandleCommandLine({"/home/u/READIN~1.SPR"}));
  EXPECT_TRUE(program.SpreadsForm()->isVisible());
  EXPECT_TRUE(program.QuestionForm()->isVisible());
}

TEST_F(ProgramTest, ASpreadFileArgumentOpensItsPositionsAsCardWindows) {
  MakeDeck("a", 22);
  const std::string file =
      dir.Write("reading.spread",
                "[Spread]\r\nCard.Width=100\r\nCard.Height=160\r\n"
                "[Position00]\r\nLeft=10\r\nTop=20\r\nValue=3\r\nDescription=Past\r\n"
                "[Position01]\r\nLeft=200\r\nTop=20\r\nValue=255\r\nDescription=Future\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_FALSE(program.HandleCommandLine({file}));
  EXPECT_TRUE(program.SpreadsForm()->isVisible());
  EXPECT_FALSE(program.VaticorForm()->isVisible());
  int cards = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "CardForm" && window->isVisible()) ++cards;
  }
  EXPECT_EQ(cards, 2);
}

// The question window's draw adds the question to the reading it drew;
// a draw that fails (a deck whose pictures are of no known type) logs no
// reading, and the reading before keeps its own line.
TEST_F(ProgramTest, AFailedDrawForAQuestionAddsItToNoEarlierReading) {
  MakeDeck("a", 22);
  std::string files;
  for (int n = 0; n < 22; ++n) {
    const std::string key = (n < 10 ? "Card0" : "Card") + std::to_string(n);
    files += key + "=" + std::to_string(n) + ".xyz\r\n";
    dir.Write("Pictures Folder/Decks/b/" + std::to_string(n) + ".xyz", "?");
  }
  dir.Write("Pictures Folder/Decks/b/deck.ini",
            "[Deck]\r\nName=b\r\nCards.Count=21\r\n[Files]\r\n" + files);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nQuestionForm.Enabled=1\r\n");
  testing::RecordedMessages messages;
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  program.QuestionLogForm()->FinishReading();
  ReadingLogLink& log = *program.QuestionLogForm();
  program.VaticorForm()->Draw();
  ASSERT_EQ(log.LineCount(), 2);
  const std::string drawn = log.LineText(1);

  program.State().Content.SelectDeck(1);
  messages.messages.clear();
  program.QuestionForm()->findChild<QLineEdit*>("Memo1")->setText("Rain?");
  Click(program.QuestionForm()->findChild<QWidget*>("Image2"));
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(log.LineCount(), 2);
  EXPECT_EQ(log.LineText(1), drawn);
}

TEST_F(ProgramTest, ClosingTheMainWindowWritesTheSettings) {
  MakeDeck("a", 22);
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  program.VaticorForm()->show();
  program.VaticorForm()->close();
  const std::string written = ReadAll(dir.Path("Quorlin.ini"));
  EXPECT_NE(written.find("[Vaticor Settings]\r\nThreeCardsMode.Enabled=0\r\n"), std::string::npos);
  EXPECT_NE(written.find("Screen.Width=1024\r\nScreen.Height=768\r\n"), std::string::npos);
  EXPECT_NE(written.find("[Form Settings]\r\n"), std::string::npos);
  EXPECT_NE(written.find("QuestionForm.Left=701\r\nQuestionForm.Top=698\r\n"), std::string::npos);
}

// The interface language at start-up and from the language submenu, as the
// windows show it.
class ProgramLanguageTest : public ProgramTest {
 protected:
  void SetUp() override {
    previous_ = SetFailureReporter([this](QWidget*, MessageKind, const QString& message) {
      messages.push_back(message.toStdString());
    });
    dir.Write("Multi Language Support/0x0409.ini",
              "[Language]\r\nName=[eng] English\r\n[IDs]\r\n1000=Vaticor EN\r\n[ID]\r\n"
              "1003=Exit\r\n1004=Draw a card...\r\n1011=Options EN\r\n1028=Show...\r\n");
  }
  void TearDown() override { SetFailureReporter(previous_); }

  static std::string Item(Program& program, const char* name) {
    return program.VaticorForm()->findChild<QAction*>(name)->text().toStdString();
  }
  static std::string Text(QWidget* window, const char* label) {
    return window->findChild<QLabel*>(label)->text().toStdString();
  }

  std::vector<std::string> messages;

 private:
  FailureReporter previous_;
};

TEST_F(ProgramLanguageTest, AnEnglishSystemStartsInEnglishInEveryWindow) {
  FixedLocale english(0x0409);
  SystemServices services{screen, pictures, english, registrar, clock, shell};
  Program program(dir.Path("vaticor"), services);
  program.CreateWindows();
  EXPECT_EQ(program.INIData().Language, "0x0409");
  EXPECT_EQ(Item(program, "N4"), "Exit");
  EXPECT_EQ(Item(program, "N8"), "Options EN");
  EXPECT_EQ(Item(program, "N11"), "");  // a text the file lacks is empty
  EXPECT_EQ(Text(program.VaticorForm(), "Label2"), "Draw a card...");
  EXPECT_EQ(Text(program.QuestionLogForm(), "Label2"), "Show...");
  EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Vaticor EN");
  EXPECT_TRUE(program.VaticorForm()->findChild<QAction*>("N30") != nullptr);
  EXPECT_TRUE(messages.empty());

  // "[rus] Русский" from the submenu: the built-in texts everywhere.
  program.ChooseLanguage(0);
  EXPECT_EQ(program.INIData().Language, "0x0419");
  EXPECT_EQ(Item(program, "N8"), "Настройки") << "a caption left in English";
  EXPECT_EQ(Item(program, "N4"), "Выход");
  EXPECT_EQ(Text(program.QuestionLogForm(), "Label2"), "Показать...");
  EXPECT_TRUE(program.VaticorForm()->findChild<QAction*>("N30")->isChecked());

  // And the file again, by its item (position 1).
  program.ChooseLanguage(1);
  EXPECT_EQ(Item(program, "N4"), "Exit");
  EXPECT_FALSE(program.VaticorForm()->findChild<QAction*>("N30")->isChecked());
}

TEST_F(ProgramLanguageTest, WindowsMadeAfterTheStartTakeTheLanguageShown) {
  FixedLocale english(0x0409);
  SystemServices services{screen, pictures, english, registrar, clock, shell};
  {
    Program program(dir.Path("vaticor"), services);
    program.CreateMainWindow();
    EXPECT_EQ(Text(program.VaticorForm(), "Label2"), "Draw a card...");
    program.CreateOtherWindows();
    EXPECT_EQ(Text(program.QuestionLogForm(), "Label2"), "Show...");
  }
  // Chosen before the other windows are there, a language reaches them too.
  Program program(dir.Path("vaticor"), services);
  program.CreateMainWindow();
  program.ChooseLanguage(0);
  program.CreateOtherWindows();
  EXPECT_EQ(Text(program.QuestionLogForm(), "Label2"), "Показать...");
}

TEST_F(ProgramLanguageTest, ARussianSystemKeepsTheLayoutsCaptions) {
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_EQ(Item(program, "N8"), "Настройки");
  EXPECT_EQ(Text(program.VaticorForm(), "Label2"), "Вытянуть карту ...");
  EXPECT_TRUE(program.VaticorForm()->findChild<QAction*>("N30")->isChecked());
  EXPECT_TRUE(messages.empty());
}

// Qt's own texts: the buttons of message boxes and dialogs, the file dialog.
std::string QtCancel() {
  return QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString();
}
std::string QtSaveAs() {
  return QCoreApplication::translate("QFileDialog", "Save As").toStdString();
}

TEST_F(ProgramLanguageTest, QtsOwnTextsFollowTheInterfaceFromTheStart) {
  dir.Write("Multi Language Support/English.ini",
            "[Language]\r\nName=[eng] Named English\r\n[ID]\r\n1003=Exit\r\n");
  {
    Program program(dir.Path("vaticor"), system);  // a Russian system, nothing loaded
    program.CreateWindows();
    EXPECT_EQ(QtCancel(), "Отмена");
    EXPECT_EQ(QtSaveAs(), "Сохранить как");
    // A file whose name is no language identifier: Qt cannot tell its
    // language, and its texts stay English.
    program.ChooseLanguage(2);
    ASSERT_EQ(Item(program, "N4"), "Exit");
    EXPECT_EQ(QtCancel(), "Cancel");
    program.ChooseLanguage(0);
    EXPECT_EQ(QtCancel(), "Отмена");
  }
  EXPECT_EQ(QtCancel(), "Cancel");  // the program's translation goes with it

  // A system whose language has no file keeps the Russian interface, Qt's
  // texts included.
  FixedLocale french(0x040C);
  SystemServices services{screen, pictures, french, registrar, clock, shell};
  Program program(dir.Path("vaticor"), services);
  program.CreateWindows();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(QtCancel(), "Отмена");
}

TEST_F(ProgramLanguageTest, AFileThatIsNoLanguageFileIsNotListedAndNeverBlanksTheCaptions) {
  dir.Write("Multi Language Support/Broken.ini", std::string("\xff\x00\x01garbage\x00", 11));
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nLanguage=Broken\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  EXPECT_EQ(Item(program, "N8"), "Настройки");
  EXPECT_TRUE(messages.empty());
  // "[rus] Русский" and the English file alone.
  QMenu* languages = program.VaticorForm()->findChild<QAction*>("Interfacelanguage1")->menu();
  ASSERT_EQ(languages->actions().size(), 2);
  EXPECT_EQ(languages->actions()[1]->text().toStdString(), "[eng] English");
  EXPECT_TRUE(languages->actions()[0]->isChecked());

  // Garbled after the listing, the English file changes nothing and says so.
  dir.Write("Multi Language Support/0x0409.ini", std::string("\x00\x01\x02", 3));
  program.ChooseLanguage(1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("\"0x0409.ini\""), std::string::npos);
  EXPECT_EQ(Item(program, "N8"), "Настройки");
  EXPECT_TRUE(languages->actions()[0]->isChecked());
  EXPECT_FALSE(languages->actions()[1]->isChecked());
}

TEST_F(ProgramLanguageTest, ALongLanguageNameIsCutInTheMenuAndWholeInItsHint) {
  std::string name;
  for (int i = 0; i < 400; ++i) name += "Name ";  // 2,000 characters, "&" to end
  dir.Write("Multi Language Support/Long.ini",
            "[Language]\r\nName=" + name + "&\r\n[ID]\r\n1003=Exit\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  QMenu* languages = program.VaticorForm()->findChild<QAction*>("Interfacelanguage1")->menu();
  ASSERT_EQ(languages->actions().size(), 3);
  QAction* item = languages->actions()[2];
  EXPECT_LT(item->text().size(), 100);
  EXPECT_TRUE(item->text().startsWith("Name Name"));
  EXPECT_TRUE(languages->toolTipsVisible());
  EXPECT_EQ(testing::ShownHint(item->toolTip()).replace('\n', ' ').toStdString(), name + "&");
}

TEST_F(ProgramLanguageTest, ALanguageWithoutAFileIsToldOnceNotAtTheNextStart) {
  FixedLocale french(0x040C);
  SystemServices services{screen, pictures, french, registrar, clock, shell};
  {
    Program program(dir.Path("vaticor"), services);
    program.CreateWindows();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("0x040C"), std::string::npos);
    EXPECT_EQ(Item(program, "N8"), "Настройки");
    program.VaticorForm()->close();  // saves the settings
  }
  messages.clear();
  Program again(dir.Path("vaticor"), services);
  again.CreateWindows();
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vaticor

namespace vaticor::testing {
namespace {

// The content a first start shows: the deck and the description set in the
// interface language, where the settings hold no choice yet.
class ProgramContentLanguageTest : public ProgramLanguageTest {
 protected:
  void Deck(const std::string& folder, const std::string& language) {
    MakeDeck(folder, 22);
    if (language.empty()) return;
    const std::string ini = dir.Path("Pictures Folder/Decks/" + folder + "/deck.ini");
    std::string text = ReadAll(ini);
    text.insert(text.find("\r\n") + 2, "Language=" + language + "\r\n");
    dir.Write("Pictures Folder/Decks/" + folder + "/deck.ini", text);
  }
  void Set(const std::string& folder, const std::string& language) {
    dir.Write("Texts Folder/Descriptions/" + folder + "/description.ini",
              "[Description]\r\nName=" + folder +
                  (language.empty() ? "" : "\r\nLanguage=" + language) + "\r\n");
  }
  struct Chosen {
    int deck;
    int set;
  };
  Chosen FirstStart(std::uint32_t localeId) {
    FixedLocale user(localeId);
    SystemServices services{screen, pictures, user, registrar, clock, shell};
    Program program(dir.Path("vaticor"), services);
    program.CreateWindows();
    EXPECT_EQ(program.INIData().DeckIndex, program.TaroDecks().CurrentDeck());
    return {program.INIData().DeckIndex, program.INIData().DescriptionIndex};
  }
};

TEST_F(ProgramContentLanguageTest, AFirstStartShowsTheContentOfTheInterfaceLanguage) {
  Deck("Celestial Vault", "ru");
  Deck("Celestial Vault (English)", "en");
  Set("Classic Meanings", "ru");
  Set("Classic Meanings (English)", "en-GB");
  // English (United States, and United Kingdom by its primary language).
  EXPECT_EQ(FirstStart(0x0409).deck, 1);
  EXPECT_EQ(FirstStart(0x0809).set, 1);
  // Russian, the built-in language.
  EXPECT_EQ(FirstStart(0x0419).deck, 0);
  EXPECT_EQ(FirstStart(0x0419).set, 0);
  // French: no content in French, so the first of each, as always.
  const Chosen french = FirstStart(0x040C);
  EXPECT_EQ(french.deck, 0);
  EXPECT_EQ(french.set, 0);
}

TEST_F(ProgramContentLanguageTest, ContentWithoutALanguageOrAStoredChoiceStaysAsItWas) {
  Deck("a", "");  // written before the key existed
  Deck("b", "EN");
  Set("a", "");
  Set("b", "");
  EXPECT_EQ(FirstStart(0x0409).deck, 1);
  EXPECT_EQ(FirstStart(0x0409).set, 0) << "no set says it is English";
  // A choice stored once is the user's, whatever the language.
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDeck.Index=0\r\n");
  EXPECT_EQ(FirstStart(0x0409).deck, 0);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDescription.Index=0\r\n");
  EXPECT_EQ(FirstStart(0x0409).deck, 1) << "only the set was stored";
}

}  // namespace
}  // namespace vaticor::testing
