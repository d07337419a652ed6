#include "core/settings.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <optional>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

class SettingsTest : public ::testing::Test {
 protected:
  TINIData Open(const ScreenInfo& screen) {
    TINIData data;
    SetApplicationFolders(data, dir.Path("vaticor"));
    OpenSettings(data, dir.Path("Quorlin.ini"), screen);
    return data;
  }
  TempDir dir;
};

TEST_F(SettingsTest, TheJournalWindowFirstFitsASmallScreenAboveItsTaskbar) {
  FixedScreen screen(640, 480, 450);
  const TINIData d = Open(screen);
  EXPECT_EQ(d.JournalFormLeft, 0);
  EXPECT_EQ(d.JournalFormTop, 0);
  EXPECT_EQ(d.JournalFormWidth, 640);
  EXPECT_EQ(d.JournalFormHeight, 450);
}

TEST_F(SettingsTest, FirstRunOnA1024By768ScreenWithATaskbar) {
  FixedScreen screen(1024, 768, 738);
  TINIData d = Open(screen);
  EXPECT_EQ(d.VaticorFormHeight, 333);
  EXPECT_EQ(d.VaticorFormCardWidth, 165);
  EXPECT_EQ(d.VaticorFormLeft, 859);
  EXPECT_EQ(d.VaticorFormTop, 405);
  EXPECT_EQ(d.AboutFormLeft, 275);
  EXPECT_EQ(d.AboutFormTop, 262);
  EXPECT_EQ(d.AboutFormWidth, 473);
  EXPECT_EQ(d.AboutFormHeight, 243);
  EXPECT_EQ(d.QuestionLogFormLeft, 443);
  EXPECT_EQ(d.QuestionLogFormTop, 266);
  EXPECT_EQ(d.QuestionLogFormWidth, 130);
  EXPECT_EQ(d.QuestionLogFormHeight, 208);
  EXPECT_EQ(d.QuestionFormLeft, 701);
  EXPECT_EQ(d.QuestionFormTop, 698);
  EXPECT_EQ(d.SpreadsFormLeft, 382);  // centred on the taskbar
  EXPECT_EQ(d.SpreadsFormTop, 685);
  EXPECT_EQ(d.SpreadCardWidth, 124);
  EXPECT_EQ(d.SpreadCardHeight, 197);
  EXPECT_EQ(d.JournalFormLeft, 152);  // 720 x 540 in the middle above the taskbar
  EXPECT_EQ(d.JournalFormTop, 99);
  EXPECT_EQ(d.JournalFormWidth, 720);
  EXPECT_EQ(d.JournalFormHeight, 540);
  EXPECT_FALSE(d.JournalFormPlaceStored);
  EXPECT_EQ(d.DeckGroupsFormLeft, 0);
  EXPECT_EQ(d.DeckGroupsFormTop, 229);
  EXPECT_EQ(d.TaskBarTop(), 738);

  EXPECT_FALSE(d.ThreeCardsModeEnabled);
  EXPECT_TRUE(d.ApplicationShowButtonInTaskBar);
  EXPECT_TRUE(d.OnlyMajorArcanaEnabled);
  EXPECT_FALSE(d.DeckGroupsOpen);
  EXPECT_EQ(d.AboutFormFontSizeIndex, -1);
  EXPECT_EQ(d.AboutFormCardSelectionPanelWidth, 121);
  EXPECT_EQ(d.Language, "0x0419");
  EXPECT_EQ(d.ScreenWidth, 1024);
  EXPECT_EQ(d.ScreenHeight, 768);
}

TEST_F(SettingsTest, FoldersHangOffTheProgramFolder) {
  TINIData d;
  SetApplicationFolders(d, "/opt/Cards/vaticor");
  EXPECT_EQ(d.AppFolder, "/opt/Cards");
  EXPECT_EQ(d.DecksFolder, "/opt/Cards/Pictures Folder/Decks");
  EXPECT_EQ(d.DescriptionsFolder, "/opt/Cards/Texts Folder/Descriptions");
  EXPECT_EQ(d.SpreadsFolder, "/opt/Cards/Spreads Folder");
  EXPECT_EQ(d.LanguagesFolder, "/opt/Cards/Multi Language Support");
}

TEST_F(SettingsTest, MainWindowGeometryFollowsAChangedScreen) {
  dir.Write("Quorlin.ini",
            "[Vaticor Settings]\r\nScreen.Width=800\r\nScreen.Height=600\r\n"
            "[Form Settings]\r\nVaticorForm.Left=700\r\nVaticorForm.Top=400\r\n"
            "VaticorForm.Height=260\r\nVaticorForm.Card.Width=129\r\n"
            "AboutForm.Left=10\r\nQuestionForm.Top=20\r\nSpread.Card.Width=90\r\n");
  FixedScreen screen(1280, 1024, 994);
  TINIData d = Open(screen);
  EXPECT_EQ(d.VaticorFormLeft, 1120);
  EXPECT_EQ(d.VaticorFormTop, 683);
  EXPECT_EQ(d.VaticorFormHeight, 444);
  // From 4:3 to 5:4 the card keeps its shape: its width follows the height.
  EXPECT_EQ(d.VaticorFormCardWidth, 220);
  EXPECT_EQ(d.AboutFormLeft, 10);
  EXPECT_EQ(d.QuestionFormTop, 20);
  EXPECT_EQ(d.SpreadCardWidth, 90);
}

TEST_F(SettingsTest, AStoredScreenSizeOfZeroIsTakenAsTheCurrentOne) {
  dir.Write("Quorlin.ini",
            "[Vaticor Settings]\r\nScreen.Width=0\r\nScreen.Height=-5\r\n"
            "[Form Settings]\r\nVaticorForm.Left=700\r\nVaticorForm.Height=260\r\n");
  FixedScreen screen(1280, 1024, 994);
  TINIData d = Open(screen);
  EXPECT_EQ(d.VaticorFormLeft, 700);
  EXPECT_EQ(d.VaticorFormHeight, 260);
}

TEST_F(SettingsTest, ValuesReadByTheIniRules) {
  dir.Write("Quorlin.ini",
            "[Vaticor Settings]\r\nOnlyMajorArcana.Enabled=0\r\nDeck.Index=0x1\r\n"
            "Description.Index=abc\r\nUpSideDownCards.Enabled=7\r\nLanguage=0x0409\r\n");
  FixedScreen screen(1024, 768, 738);
  TINIData d = Open(screen);
  EXPECT_FALSE(d.OnlyMajorArcanaEnabled);
  EXPECT_EQ(d.DeckIndex, 1);
  EXPECT_EQ(d.DescriptionIndex, 0);
  EXPECT_TRUE(d.UpSideDownCardsEnabled);
  EXPECT_EQ(d.Language, "0x0409");
}

TEST_F(SettingsTest, ANarrowScreenCentresTheViewerTruncatingTowardZero) {
  FixedScreen screen(400, 300, 300);
  TINIData d = Open(screen);
  EXPECT_EQ(d.AboutFormLeft, -36);
}

TEST_F(SettingsTest, WriteSettingsLaysOutANewFileInWriteOrder) {
  FixedScreen screen(1024, 768, 738);
  TINIData d = Open(screen);
  d.ThreeCardsModeEnabled = true;
  d.Language = "0x0409";
  screen.Resize(1280, 1024, 994);
  WriteSettings(d, screen);

  // Every saved setting, in the order of its key's first write: the first
  // run's geometry (worked out in FirstRunOnA1024By768ScreenWithATaskbar)
  // with the screen it is written on. DeckGroupsOpen is not saved.
  const std::string expected =
      "[Vaticor Settings]\r\nThreeCardsMode.Enabled=1\r\nDeck.Index=0\r\n"
      "Description.Index=0\r\nUpSideDownCards.Enabled=0\r\nRandomDecks.Enabled=0\r\n"
      "Application.ShowButtonInTaskBar=1\r\nApplication.AutoSize.Enabled=0\r\n"
      "QuestionsLog.Save.Enabled=0\r\nQuestionForm.Enabled=0\r\nQuestionForm.Shifted=0\r\n"
      "OnlyMajorArcana.Enabled=1\r\nAboutForm.Font.SizeIndex=-1\r\nScreen.Width=1280\r\n"
      "Screen.Height=1024\r\nLanguage=0x0409\r\nDayCard.ShowAtStart=0\r\n"
      "DayCard.LastShownDay=\r\n[Form Settings]\r\nVaticorForm.Left=859\r\n"
      "VaticorForm.Top=405\r\nVaticorForm.Height=333\r\nVaticorForm.Card.Width=165\r\n"
      "AboutForm.Left=275\r\nAboutForm.Top=262\r\nAboutForm.Width=473\r\n"
      "AboutForm.Height=243\r\nAboutForm.CardSelectionPanel.Width=121\r\n"
      "AboutForm.CardSelectionPanel.Visible=0\r\nQuestionLogForm.Left=443\r\n"
      "QuestionLogForm.Top=266\r\nQuestionLogForm.Width=130\r\nQuestionLogForm.Height=208\r\n"
      "QuestionForm.Left=701\r\nQuestionForm.Top=698\r\nSpreadsForm.Left=382\r\n"
      "SpreadsForm.Top=685\r\nSpreadsForm.MultiDecks.Enabled=0\r\nSpread.Card.Width=124\r\n"
      "Spread.Card.Height=197\r\nDeckGroupsForm.Left=0\r\nDeckGroupsForm.Top=229\r\n"
      "JournalForm.Left=152\r\nJournalForm.Top=99\r\nJournalForm.Width=720\r\n"
      "JournalForm.Height=540\r\nGalleryForm.Left=132\r\nGalleryForm.Top=89\r\n"
      "GalleryForm.Width=760\r\nGalleryForm.Height=560\r\n";
  EXPECT_EQ(ReadAll(dir.Path("Quorlin.ini")), expected);
}

TEST_F(SettingsTest, WrittenSettingsReadBackTheSameOnTheSameScreen) {
  FixedScreen screen(1024, 768, 738);
  TINIData first = Open(screen);
  first.VaticorFormLeft = 17;
  first.VaticorFormCardWidth = 140;
  first.AboutFormCardSelectionPanelVisible = true;
  first.QuestionsLogSaveEnabled = true;
  first.SpreadCardHeight = 250;
  first.Language = "0x0409";
  first.DayCardShowAtStart = true;
  first.DayCardLastShownDay = "2024-03-14";
  WriteSettings(first, screen);

  TINIData second = Open(screen);
  EXPECT_EQ(second.VaticorFormLeft, 17);
  EXPECT_EQ(second.VaticorFormCardWidth, 140);
  EXPECT_TRUE(second.AboutFormCardSelectionPanelVisible);
  EXPECT_TRUE(second.QuestionsLogSaveEnabled);
  EXPECT_EQ(second.SpreadCardHeight, 250);
  EXPECT_EQ(second.Language, "0x0409");
  EXPECT_TRUE(second.DayCardShowAtStart);
  EXPECT_EQ(second.DayCardLastShownDay, "2024-03-14");
  EXPECT_EQ(second.VaticorFormTop, first.VaticorFormTop);
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenRaisesTheMessage) {
  dir.Write("blocker", "a file, not a folder");
  TINIData d;
  FixedScreen screen(1024, 768, 738);
  OpenSettings(d, dir.Path("blocker/Quorlin.ini"), screen);
  try {
    WriteSettings(d, screen);
    FAIL() << "expected a write error";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.Path("blocker/Quorlin.ini"));
  }
}

// Counts the renames in a folder by the names renamed from: each atomic
// replacement renames a temporary file of its own name. (Renames onto the
// one target name make identical events, which the kernel merges.)
class RenameCounter {
 public:
  explicit RenameCounter(const std::string& folder)
      : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0 && ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_FROM) < 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~RenameCounter() {
    if (fd_ >= 0) ::close(fd_);
  }
  RenameCounter(const RenameCounter&) = delete;
  RenameCounter& operator=(const RenameCounter&) = delete;

  bool Watching() const { return fd_ >= 0; }
  int Count() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->mask & IN_MOVED_FROM) ++count_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return count_;
  }

 private:
  int fd_;
  int count_ = 0;
};

// How the settings were saved before they went as one batch: a single-key
// write, and a replacement of the file, per key. The keys, their values and
// their order are those WriteSettings gives a new file (pinned byte for byte
// by WriteSettingsLaysOutANewFileInWriteOrder).
void WriteSettingsKeyByKey(TINIData& d, const ScreenInfo& screen) {
  TempDir fresh;
  IniFile target = std::move(d.IniFile);
  d.IniFile = IniFile(fresh.Path("Quorlin.ini"));
  WriteSettings(d, screen);
  const IniFile written = std::move(d.IniFile);
  d.IniFile = std::move(target);
  for (const std::string& section : written.ReadSections()) {
    for (const std::string& key : written.ReadSection(section)) {
      d.IniFile.WriteString(section, key, written.ReadString(section, key, ""));
    }
  }
}

TEST(SettingsSaveTest, OneReplacementWithTheBytesOfKeyByKeyWrites) {
  struct Start {
    const char* what;
    std::optional<std::string> bytes;  // nullopt: no file yet
    std::string language;
  };
  const std::string utf16 = "[Vaticor Settings]\r\nDeck.Index=2\r\n; Колода\r\n[Form Settings]\r\n";
  // "; Настройки" in Windows-1251.
  const std::string cp1251 =
      "; \xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\r\n[Vaticor Settings]\r\nDeck.Index=1\r\n";
  const std::vector<Start> starts = {
      {"no file", std::nullopt, "0x0409"},
      {"an empty file", "", "0x0419"},
      {"other keys, comments and spellings",
       "; written by hand\r\n[vaticor settings]\r\n  deck.INDEX = 7 \r\nUnknown.Key=kept\r\n"
       "; between\r\n\r\n[Other]\r\nx=1\r\n[ FORM SETTINGS ]\r\nvaticorform.left=\"5\"\r\n"
       "[Vaticor Settings]\r\nRandomDecks.Enabled=1\r\nno line end",
       "0x0409"},
      {"lone CR line ends", "[Form Settings]\rAboutForm.Left=1\r[Vaticor Settings]\rLanguage=x\r",
       "0x0419"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF[Vaticor Settings]\nLanguage=Русский\n", "Русский"},
      {"UTF-16 LE", EncodeText(utf16, TextEncoding::Utf16LE), "Русский"},
      {"UTF-16 BE", EncodeText(utf16, TextEncoding::Utf16BE), "日本語"},
      // The first language fits the file; the second makes it UTF-8 half-way
      // through the keys.
      {"Windows-1251", cp1251, "Русский"},
      {"Windows-1251 and text it cannot hold", cp1251, "日本語"},
  };
  FixedScreen screen(1024, 768, 738);
  for (const Start& start : starts) {
    SCOPED_TRACE(start.what);
    TempDir oracleDir, dir;
    auto open = [&](const TempDir& where) {
      if (start.bytes) where.Write("Quorlin.ini", *start.bytes);
      TINIData d;
      OpenSettings(d, where.Path("Quorlin.ini"), screen);
      d.Language = start.language;
      d.ThreeCardsModeEnabled = true;
      d.DeckIndex = 4;
      d.AboutFormLeft = -20;
      return d;
    };
    TINIData oracle = open(oracleDir);
    TINIData d = open(dir);
    WriteSettingsKeyByKey(oracle, screen);
    const std::string expected = ReadAll(oracleDir.Path("Quorlin.ini"));

    RenameCounter renames(dir.path());
    ASSERT_TRUE(renames.Watching());
    WriteSettings(d, screen);
    EXPECT_EQ(ReadAll(dir.Path("Quorlin.ini")), expected);
    EXPECT_EQ(renames.Count(), 1);
    EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Quorlin.ini"});

    // Saving the same settings again leaves the file as it is.
    WriteSettings(d, screen);
    EXPECT_EQ(ReadAll(dir.Path("Quorlin.ini")), expected);
    EXPECT_EQ(renames.Count(), 1);
  }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(332.8), 333);
  EXPECT_EQ(RoundHalfEven(164.8), 165);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(123.6), 124);
}

}  // namespace
}  // namespace vaticor
