// Settings files that once locked the user out: every window must come up
// reachable on the current screen, whatever the file holds.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/settings.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

struct HostileSettings {
  const char* name;
  const char* file;
};

class HostileSettingsTest : public ::testing::TestWithParam<HostileSettings> {
 protected:
  TempDir dir;
};

TEST_P(HostileSettingsTest, EveryWindowStaysReachableAndNoLargerThanTheScreen) {
  dir.Write("Quorlin.ini", GetParam().file);
  FixedScreen screen(1024, 768, 738);
  TINIData d;
  OpenSettings(d, dir.Path("Quorlin.ini"), screen);

  const int across = d.ThreeCardsModeEnabled ? 3 : 1;
  const int mainWidth = across * d.VaticorFormCardWidth + 4;
  EXPECT_GE(d.VaticorFormCardWidth, 68);
  EXPECT_LE(mainWidth, 1024);
  EXPECT_GE(d.VaticorFormHeight, 82);
  EXPECT_LE(d.VaticorFormHeight, 768);
  EXPECT_LE(d.AboutFormWidth, 1024);
  EXPECT_LE(d.AboutFormHeight, 768);
  EXPECT_LE(d.QuestionLogFormWidth, 1024);
  EXPECT_LE(d.QuestionLogFormHeight, 768);
  EXPECT_LE(d.JournalFormWidth, 1024);
  EXPECT_LE(d.JournalFormHeight, 768);
  EXPECT_LE(d.GalleryFormWidth, 1024);
  EXPECT_LE(d.GalleryFormHeight, 768);
  EXPECT_LE(d.SpreadCardWidth, 1024);
  EXPECT_LE(d.SpreadCardHeight, 768);
  EXPECT_GE(d.SpreadCardWidth, 16);
  EXPECT_GE(d.SpreadCardHeight, 16);

  // A corner of each title bar (32 x 32 at the least) is on the screen.
  struct Placed {
    const char* window;
    int left, top, width;
  };
  const Placed windows[] = {
      {"main", d.VaticorFormLeft, d.VaticorFormTop, mainWidth},
      {"viewer", d.AboutFormLeft, d.AboutFormTop, d.AboutFormWidth},
      {"log", d.QuestionLogFormLeft, d.QuestionLogFormTop, d.QuestionLogFormWidth},
      {"question", d.QuestionFormLeft, d.QuestionFormTop, 323},
      {"spreads", d.SpreadsFormLeft, d.SpreadsFormTop, 259},
      {"deck groups", d.DeckGroupsFormLeft, d.DeckGroupsFormTop, 228},
      {"journal", d.JournalFormLeft, d.JournalFormTop, d.JournalFormWidth},
      {"gallery", d.GalleryFormLeft, d.GalleryFormTop, d.GalleryFormWidth},
  };
  for (const Placed& w : windows) {
    SCOPED_TRACE(w.window);
    EXPECT_GE(w.top, 0);
    EXPECT_LE(w.top, 768 - 32);
    EXPECT_LE(w.left, 1024 - 32);
    EXPECT_GE(w.left + w.width, 32);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSettingsTest,
    ::testing::Values(
        HostileSettings{"ScreenOfOnePixel",
                        "[Vaticor Settings]\r\nScreen.Width=1\r\nScreen.Height=1\r\n"
                        "[Form Settings]\r\nVaticorForm.Left=855\r\nVaticorForm.Top=405\r\n"
                        "VaticorForm.Height=333\r\nVaticorForm.Card.Width=165\r\n"},
        HostileSettings{"CardWidthOfIntMax",
                        "[Form Settings]\r\nVaticorForm.Card.Width=2147483647\r\n"},
        HostileSettings{"HeightOfIntMax", "[Form Settings]\r\nVaticorForm.Height=2147483647\r\n"},
        HostileSettings{"TinyScreenAndHugeCard",
                        "[Vaticor Settings]\r\nScreen.Width=1\r\n"
                        "[Form Settings]\r\nVaticorForm.Card.Width=3000000\r\n"},
        HostileSettings{"HugeStoredScreen",
                        "[Vaticor Settings]\r\nScreen.Width=2147483647\r\nScreen.Height=1\r\n"
                        "ThreeCardsMode.Enabled=1\r\n"
                        "[Form Settings]\r\nVaticorForm.Left=-2147483648\r\n"
                        "VaticorForm.Top=-2147483648\r\nVaticorForm.Height=-2147483648\r\n"},
        HostileSettings{"CardSizesOf60000",
                        "[Form Settings]\r\nVaticorForm.Card.Width=60000\r\n"
                        "Spread.Card.Width=60000\r\nSpread.Card.Height=60000\r\n"
                        "AboutForm.Width=60000\r\nAboutForm.Height=60000\r\n"
                        "QuestionLogForm.Width=60000\r\nQuestionLogForm.Height=-60000\r\n"
                        "JournalForm.Width=60000\r\nJournalForm.Height=60000\r\n"
                        "GalleryForm.Width=60000\r\nGalleryForm.Height=60000\r\n"},
        HostileSettings{"WindowsFarAway",
                        "[Form Settings]\r\nAboutForm.Left=-2252\r\nAboutForm.Top=-23040\r\n"
                        "QuestionLogForm.Left=99999\r\nQuestionLogForm.Top=99999\r\n"
                        "QuestionForm.Left=-5000\r\nQuestionForm.Top=5000\r\n"
                        "SpreadsForm.Left=2147483647\r\nSpreadsForm.Top=-1\r\n"
                        "DeckGroupsForm.Left=-2147483648\r\nDeckGroupsForm.Top=2147483647\r\n"
                        "JournalForm.Left=-99999\r\nJournalForm.Top=99999\r\n"
                        "GalleryForm.Left=99999\r\nGalleryForm.Top=-99999\r\n"},
        HostileSettings{"ThreeCardsWiderThanTheScreen",
                        "[Vaticor Settings]\r\nThreeCardsMode.Enabled=1\r\n"
                        "[Form Settings]\r\nVaticorForm.Card.Width=600\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileSettingsValues, AScreenOfOnePixelIsTakenAsTheCurrentScreen) {
  TempDir dir;
  dir.Write("Quorlin.ini",
            "[Vaticor Settings]\r\nScreen.Width=1\r\nScreen.Height=1\r\n"
            "[Form Settings]\r\nVaticorForm.Left=855\r\nVaticorForm.Top=405\r\n"
            "VaticorForm.Height=333\r\nVaticorForm.Card.Width=165\r\n");
  FixedScreen screen(1024, 768, 738);
  TINIData d;
  OpenSettings(d, dir.Path("Quorlin.ini"), screen);
  // Nothing rescaled: the values as stored.
  EXPECT_EQ(d.ScreenWidth, 1024);
  EXPECT_EQ(d.ScreenHeight, 768);
  EXPECT_EQ(d.VaticorFormLeft, 855);
  EXPECT_EQ(d.VaticorFormTop, 405);
  EXPECT_EQ(d.VaticorFormHeight, 333);
  EXPECT_EQ(d.VaticorFormCardWidth, 165);
}

TEST(HostileSettingsValues, SaneValuesAreKeptAsTheyAre) {
  TempDir dir;
  dir.Write("Quorlin.ini",
            "[Form Settings]\r\nAboutForm.Left=-36\r\nAboutForm.Top=700\r\n"
            "Spread.Card.Width=154\r\nSpread.Card.Height=262\r\nQuestionForm.Left=900\r\n");
  FixedScreen screen(1024, 768, 738);
  TINIData d;
  OpenSettings(d, dir.Path("Quorlin.ini"), screen);
  EXPECT_EQ(d.AboutFormLeft, -36);
  EXPECT_EQ(d.AboutFormTop, 700);
  EXPECT_EQ(d.SpreadCardWidth, 154);
  EXPECT_EQ(d.SpreadCardHeight, 262);
  EXPECT_EQ(d.QuestionFormLeft, 900);
}

TEST(RoundHalfEvenSaturates, BeyondTheIntRangeAndNotANumber) {
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundHalfEven(2147483647.4), 2147483647);
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

}  // namespace
}  // namespace vaticor
