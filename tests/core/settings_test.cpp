#include "core/settings.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(d.SpreadsFormLeft, 415);
  EXPECT_EQ(d.SpreadsFormTop, 229);
  EXPECT_EQ(d.SpreadCardWidth, 124);
  EXPECT_EQ(d.SpreadCardHeight, 197);
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
  EXPECT_EQ(d.VaticorFormCardWidth, 206);
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

  const std::string text = ReadAll(dir.Path("Quorlin.ini"));
  const std::string expectedStart =
      "[Vaticor Settings]\r\nThreeCardsMode.Enabled=1\r\nDeck.Index=0\r\n"
      "Description.Index=0\r\nUpSideDownCards.Enabled=0\r\nRandomDecks.Enabled=0\r\n"
      "Application.ShowButtonInTaskBar=1\r\nApplication.AutoSize.Enabled=0\r\n"
      "QuestionsLog.Save.Enabled=0\r\nQuestionForm.Enabled=0\r\nQuestionForm.Shifted=0\r\n"
      "OnlyMajorArcana.Enabled=1\r\nAboutForm.Font.SizeIndex=-1\r\nScreen.Width=1280\r\n"
      "Screen.Height=1024\r\nLanguage=0x0409\r\n[Form Settings]\r\nVaticorForm.Left=859\r\n"
      "VaticorForm.Top=405\r\nVaticorForm.Height=333\r\nVaticorForm.Card.Width=165\r\n";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(text.find("DeckGroupsForm.Top=229\r\n"), std::string::npos);
  EXPECT_EQ(text.find("DeckGroupsOpen"), std::string::npos);
  const std::string lastKey = "DeckGroupsForm.Top=229\r\n";
  EXPECT_EQ(text.substr(text.size() - lastKey.size()), lastKey);
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
  WriteSettings(first, screen);

  TINIData second = Open(screen);
  EXPECT_EQ(second.VaticorFormLeft, 17);
  EXPECT_EQ(second.VaticorFormCardWidth, 140);
  EXPECT_TRUE(second.AboutFormCardSelectionPanelVisible);
  EXPECT_TRUE(second.QuestionsLogSaveEnabled);
  EXPECT_EQ(second.SpreadCardHeight, 250);
  EXPECT_EQ(second.Language, "0x0409");
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
