#include "app/program.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <chrono>
#include <filesystem>

#include "core/file_io.h"
#include "support/temp_dir.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

class RussianLocale : public LocaleInfo {
 public:
  std::uint32_t DefaultLocaleId() const override { return 0x0419; }
};

class NoonClock : public Clock {
 public:
  std::uint32_t MillisecondsSinceMidnight() const override { return 12 * 3600 * 1000; }
};

class CountingRegistrar : public FileTypeRegistrar {
 public:
  void RegisterSpreadFileType() override { ++calls; }
  int calls = 0;
};

class NoShell : public ShellOpener {
 public:
  void Open(const std::string&) override {}
};

// Every picture is 200 x 350.
class TextPictureLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize) override {
    return std::make_unique<Picture>(200, 350);
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return PictureSize{200, 350};
  }
};

class ProgramTest : public ::testing::Test {
 protected:
  void MakeDeck(const std::string& folder, int cards) {
    std::string ini = "[Deck]\r\nName=" + folder + "\r\n[Files]\r\n";
    for (int n = 0; n < cards; ++n) {
      const std::string file = std::to_string(n) + ".jpg";
      ini += "Card" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=" + file + "\r\n";
      dir.Write("Pictures Folder/Decks/" + folder + "/" + file, "x");
    }
    dir.Write("Pictures Folder/Decks/" + folder + "/deck.ini", ini);
  }

  TempDir dir;
  FixedScreen screen{1024, 768, 738};
  TextPictureLoader pictures;
  RussianLocale locale;
  CountingRegistrar registrar;
  NoonClock clock;
  NoShell shell;
  SystemServices system{screen, pictures, locale, registrar, clock, shell};
};

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
  EXPECT_EQ(names, (std::vector<std::string>{"VaticorForm", "AboutForm", "QuestionLogForm",
                                             "QuestionForm", "FolderSelectForm", "SpreadsForm",
                                             "DeckGroupsForm"}));
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

TEST_F(ProgramTest, ClosingTheSpreadsStandInBringsTheMainWindowBack) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nQuestionForm.Enabled=1\r\n");
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  TVaticorForm* main = program.VaticorForm();
  main->show();
  main->Image7Click();
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

}  // namespace
}  // namespace vaticor
