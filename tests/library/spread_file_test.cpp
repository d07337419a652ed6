#include "library/spread_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text_encoding.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

// The screen the program is on in these tests: 1024 x 768, taskbar at 738.
const FixedScreen kScreen(1024, 768, 738);

std::vector<SpreadPosition> Positions(const std::optional<SpreadLayout>& layout) {
  return layout ? layout->Positions : std::vector<SpreadPosition>{};
}

TEST(SpreadFileNames, PositionSectionsAreNamedAndRecognised) {
  EXPECT_EQ(SpreadPositionSection(0), "Position00");
  EXPECT_EQ(SpreadPositionSection(2), "Position02");
  EXPECT_EQ(SpreadPositionSection(11), "Position11");
  EXPECT_EQ(SpreadPositionSection(99), "Position99");
  EXPECT_EQ(SpreadPositionSection(100), "Position100");
  for (const char* name : {"Position1", "position_a", "POSITIONS", "pOsItIoN"}) {
    EXPECT_TRUE(IsSpreadPositionSection(name)) << name;
  }
  for (const char* name : {"Positio", "Spread", " Position1", "XPosition", "Позиция1"}) {
    EXPECT_FALSE(IsSpreadPositionSection(name)) << name;
  }
}

TEST(SpreadFileHints, NameThePositionAndTheCard) {
  EXPECT_EQ(SpreadPositionHint(3, 255, "", ""), "Позиция 3");
  EXPECT_EQ(SpreadPositionHint(3, -255, "Шут", "x"), "Позиция 3");
  EXPECT_EQ(SpreadPositionHint(1, -5, "Иерофант", "Прошлое"), "Позиция 1 - 5 - Иерофант - Прошлое");
  EXPECT_EQ(SpreadPositionHint(12, 0, "Шут", ""), "Позиция 12 - 0 - Шут - ");
  // A card the deck lacks still has its number named.
  EXPECT_EQ(SpreadPositionHint(2, 300, "", "d"), "Позиция 2 - 300 -  - d");
  EXPECT_EQ(SpreadPositionHint(1, INT_MIN, "", ""), "Позиция 1 - 2147483648 -  - ");
}

TEST(SpreadFileValues, ReversedCardsFollowTheOption) {
  EXPECT_EQ(ShowCardValue(-5, true, 78), (ShownCard{-5, 5, true}));
  EXPECT_EQ(ShowCardValue(-5, false, 78), (ShownCard{5, 5, false}));
  EXPECT_EQ(ShowCardValue(0, true, 78), (ShownCard{0, 0, false}));
  EXPECT_EQ(ShowCardValue(77, true, 78), (ShownCard{77, 77, false}));
  EXPECT_EQ(ShowCardValue(78, true, 78), (ShownCard{78, std::nullopt, false}));
  EXPECT_EQ(ShowCardValue(-78, true, 78), (ShownCard{-78, std::nullopt, true}));
  EXPECT_EQ(ShowCardValue(255, true, 300), (ShownCard{255, std::nullopt, false}));
  EXPECT_EQ(ShowCardValue(-255, false, 300), (ShownCard{255, std::nullopt, false}));
  EXPECT_EQ(ShowCardValue(INT_MIN, false, 78), (ShownCard{255, std::nullopt, false}));
  EXPECT_EQ(SavedCardValue(-7, false), 255);  // face down after a shuffle
  EXPECT_EQ(SavedCardValue(-7, true), -7);
}

class SpreadFileTest : public ::testing::Test {
 protected:
  std::string Write(std::string_view bytes) { return dir.Write("s.spread", bytes); }
  std::optional<SpreadLayout> Read(const std::string& path, const ScreenInfo& screen = kScreen) {
    return ReadSpreadFile(path, 100, 150, screen);
  }
  TempDir dir;
};

TEST_F(SpreadFileTest, PositionsAreTakenInFileOrderWithTheirDefaults) {
  const std::string path = Write(
      "[Spread]\r\nCard.Width=90\r\n[position7]\r\nLeft=5\r\nDescription=Прошлое\r\n"
      "[Other]\r\nLeft=1\r\n[PositionX]\r\nTop=9\r\nValue=0x0A\r\n[Position00]\r\nValue=-5\r\n"
      "[POSITION]\r\nValue=$0B\r\nLeft=not a number\r\n");
  const std::optional<SpreadLayout> layout = Read(path);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->CardWidth, 90);
  EXPECT_EQ(layout->CardHeight, 150);  // the current one
  EXPECT_EQ(layout->Positions,
            (std::vector<SpreadPosition>{
                {5, 0, 255, "Прошлое"}, {0, 9, 10, ""}, {0, 0, -5, ""}, {0, 0, 11, ""}}));
  EXPECT_EQ(layout->Screen, std::nullopt);
}

TEST_F(SpreadFileTest, MissingFileOrNoPositionsCreateNothing) {
  EXPECT_EQ(Read(dir.Path("missing.spread")), std::nullopt);
  EXPECT_EQ(Read(dir.MakeDir("folder.spread")), std::nullopt);
  const std::optional<SpreadLayout> none = Read(Write("[Spread]\r\nCard.Width=90\r\n[Pos]\r\n"));
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->Positions.empty());
  EXPECT_EQ(none->CardWidth, 100);  // the file's size is not taken
  EXPECT_TRUE(Positions(Read(Write("\x89PNG\r\n\x1a\n not an INI file"))).empty());
}

TEST_F(SpreadFileTest, SaveWritesTheKeysInOrderAndReadsBack) {
  const std::string path = dir.Path("new.spread");
  SaveSpreadFile(path, 124, 197,
                 {{0, 10, 20, 5}, {1, -30, 900, SavedCardValue(-7, false)}, {2, 0, 0, -12}},
                 kScreen);
  EXPECT_EQ(ReadAll(path),
            "[Spread]\r\nCard.Width=124\r\nCard.Height=197\r\n"
            "[Position00]\r\nLeft=10\r\nTop=20\r\nValue=5\r\n"
            "[Position01]\r\nLeft=-30\r\nTop=900\r\nValue=255\r\n"
            "[Position02]\r\nLeft=0\r\nTop=0\r\nValue=-12\r\n");
  const std::optional<SpreadLayout> layout = Read(path);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->CardWidth, 124);
  EXPECT_EQ(layout->CardHeight, 197);
  EXPECT_EQ(layout->Positions,
            (std::vector<SpreadPosition>{{10, 20, 5, ""}, {-30, 900, 255, ""}, {0, 0, -12, ""}}));
  EXPECT_EQ(layout->Screen, std::nullopt);  // only opening records the screen

  RecordSpreadScreen(path, *layout, kScreen);
  EXPECT_EQ(Read(path)->Screen, (SpreadScreen{1024, 768}));
  EXPECT_EQ(Read(path)->Positions, layout->Positions);
}

TEST_F(SpreadFileTest, SavingOverALongerFileKeepsWhatItDoesNotWrite) {
  std::string text =
      "; my spread\r\n[Spread]\r\nCard.Width = 80\r\nScreen.Width=1024\r\n"
      "Screen.Height=768\r\n";
  for (int i = 0; i < 5; ++i) {
    text += "[Position0" + std::to_string(i) + "]\r\nDescription=d" + std::to_string(i) +
            "\r\nLeft=" + std::to_string(i) + "\r\n";
  }
  const std::string path = Write(text);
  const std::string keyByKey = dir.Write("key-by-key.spread", text);
  SaveSpreadFile(path, 124, 197, {{0, 7, 8, 1}, {1, 7, 8, -2}, {2, 7, 8, 255}}, kScreen);

  // The same bytes as the keys written one at a time.
  IniFile one(keyByKey);
  one.WriteInteger("Spread", "Card.Width", 124);
  one.WriteInteger("Spread", "Card.Height", 197);
  for (int i = 0; i < 3; ++i) {
    const std::string section = "Position0" + std::to_string(i);
    one.WriteInteger(section, "Left", 7);
    one.WriteInteger(section, "Top", 8);
    one.WriteInteger(section, "Value", i == 0 ? 1 : (i == 1 ? -2 : 255));
  }
  EXPECT_EQ(ReadAll(path), ReadAll(keyByKey));

  const std::vector<SpreadPosition> positions = Positions(Read(path));
  ASSERT_EQ(positions.size(), 5u);
  EXPECT_EQ(positions[1], (SpreadPosition{7, 8, -2, "d1"}));
  EXPECT_EQ(positions[4], (SpreadPosition{4, 0, 255, "d4"}));
}

TEST_F(SpreadFileTest, RefusedSaveWritesNothing) {
  const std::string blocker = dir.Write("file", "x");
  const std::string path = blocker + "/s.spread";  // its folder is a file
  try {
    SaveSpreadFile(path, 124, 197, {{0, 1, 2, 3}}, kScreen);
    ADD_FAILURE() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  SpreadLayout opened;
  opened.Positions.resize(1);
  EXPECT_THROW(RecordSpreadScreen(path, opened, kScreen), IniWriteError);
  EXPECT_EQ(ReadAll(blocker), "x");
}

TEST_F(SpreadFileTest, ASaveThatWouldNotOpenAgainIsRefusedAndWritesNothing) {
  // "Spread" and Position00 to Position1343 take 16,379 bytes of names with
  // their terminating bytes; Position1344 would take 13 more.
  std::vector<SavedSpreadCard> cards;
  for (int i = 0; i < 1'345; ++i) cards.push_back({i, i, 2 * i, i % 78});
  const std::string path = dir.Path("all the cards.spread");
  EXPECT_THROW(SaveSpreadFile(path, 124, 197, cards, kScreen), IniWriteError);
  EXPECT_FALSE(FileExists(path));
  cards.pop_back();
  SaveSpreadFile(path, 124, 197, cards, kScreen);
  const std::vector<SpreadPosition> positions = Positions(Read(path));
  ASSERT_EQ(positions.size(), 1'344u);
  EXPECT_EQ(positions.back(), (SpreadPosition{1'343, 2'686, 17, ""}));

  // A file whose names fill the list already would take the positions
  // where no one looks for them.
  const std::string full =
      "[" + std::string(16'380, 'x') + "]\r\n[Position00]\r\nLeft=1\r\n[Position01]\r\n";
  const std::string filled = Write(full);
  EXPECT_THROW(SaveSpreadFile(filled, 124, 197, {{0, 5, 6, 7}, {1, 8, 9, 10}}, kScreen),
               IniWriteError);
  EXPECT_EQ(ReadAll(filled), full);
}

// The plans are what the file functions write, so a check of the plans on
// bytes in memory is a check of the files.
TEST_F(SpreadFileTest, ThePlansInMemoryAreWhatTheFileFunctionsWrite) {
  const std::string text =
      "[Spread]\r\nScreen.Width=800\r\nScreen.Height=600\r\n[Position00]\r\nLeft=3\r\n";
  const std::string path = Write(text);
  const std::vector<SavedSpreadCard> cards{{0, 7, 8, 1}, {1, 9, 10, -2}};
  const std::optional<SpreadSave> plan =
      PlanSpreadSave(IniDocument(text), 124, 197, cards, kScreen);
  ASSERT_TRUE(plan);
  SaveSpreadFile(path, 124, 197, cards, kScreen);
  EXPECT_EQ(plan->after.Bytes(), ReadAll(path));
  EXPECT_NE(ReadAll(path).find("Screen.Width=1024"), std::string::npos)
      << "saved on another screen, the file names this one";

  std::vector<SavedSpreadCard> tooMany;
  for (int i = 0; i < 1'345; ++i) tooMany.push_back({i, 0, 0, 1});
  EXPECT_FALSE(PlanSpreadSave(IniDocument(), 124, 197, tooMany, kScreen));

  IniDocument recorded(text);
  SpreadLayout onOldScreen = *Read(Write(text));
  ASSERT_TRUE(onOldScreen.Scaled);
  EXPECT_TRUE(SpreadScreenWrites(onOldScreen, kScreen).empty())
      << "a scaled layout records nothing";
  onOldScreen.Scaled = false;
  ASSERT_TRUE(recorded.SetValues(SpreadScreenWrites(onOldScreen, kScreen).Writes()));
  EXPECT_EQ(ReadSpreadLayout(recorded, 124, 197, kScreen).Screen, (SpreadScreen{1024, 768}));
  EXPECT_TRUE(SpreadScreenWrites(SpreadLayout(), kScreen).empty()) << "no positions, no record";
}

TEST_F(SpreadFileTest, ALayoutIsScaledFromTheScreenItWasOpenedOn) {
  const std::string body =
      "Card.Width=124\r\nCard.Height=197\r\n[Position00]\r\nLeft=512\r\nTop=384\r\n";
  const std::string path = Write("[Spread]\r\nScreen.Width=1024\r\nScreen.Height=768\r\n" + body);
  const FixedScreen larger(1280, 1024, 994);
  const std::optional<SpreadLayout> scaled = Read(path, larger);
  EXPECT_EQ(scaled->CardWidth, 165);   // 124 x 1.33, as the height: the card keeps its shape
  EXPECT_EQ(scaled->CardHeight, 263);  // 262.67
  EXPECT_EQ(scaled->Positions[0], (SpreadPosition{640, 512, 255, ""}));
  EXPECT_EQ(Read(path)->Positions[0], (SpreadPosition{512, 384, 255, ""}));
  // The places are still the first screen's: naming the larger one would
  // have them taken as its own next time.
  RecordSpreadScreen(path, *scaled, larger);
  EXPECT_EQ(Read(path, larger)->Positions[0], (SpreadPosition{640, 512, 255, ""}));

  // Only a whole, real screen size is scaled from.
  EXPECT_EQ(Read(Write("[Spread]\r\nScreen.Width=1024\r\n" + body), larger)->CardWidth, 124);
  EXPECT_EQ(Read(Write("[Spread]\r\nScreen.Width=10\r\nScreen.Height=7\r\n" + body), larger)
                ->Positions[0]
                .Left,
            512);
}

TEST_F(SpreadFileTest, CardsKeepTheirProportionsOnWiderScreensAndFilesGiveNoStrips) {
  const std::string path = Write(
      "[Spread]\r\nScreen.Width=1024\r\nScreen.Height=768\r\nCard.Width=113\r\n"
      "Card.Height=180\r\n[Position00]\r\nLeft=860\r\nTop=550\r\n");
  // 16:9: the card grows as the height does (x 1.40625), its place as
  // each side of the screen does.
  const std::optional<SpreadLayout> wide = Read(path, FixedScreen(1920, 1080, 1050));
  EXPECT_EQ(wide->CardWidth, 159);
  EXPECT_EQ(wide->CardHeight, 253);
  EXPECT_EQ(wide->Positions[0], (SpreadPosition{1612, 773, 255, ""}));  // 1612.5 to even
  // 16:10, larger.
  const std::optional<SpreadLayout> tall = Read(path, FixedScreen(2560, 1600, 1570));
  EXPECT_EQ(tall->CardWidth, 235);
  EXPECT_EQ(tall->CardHeight, 375);

  // Sizes no card has give the current card (100 x 150), scaled or not.
  const std::string card = "[Position00]\r\n[Spread]\r\n";
  EXPECT_EQ(Read(Write(card + "Card.Width=100000\r\nCard.Height=-5\r\n"))->CardWidth, 100);
  EXPECT_EQ(Read(Write(card + "Card.Width=100000\r\nCard.Height=-5\r\n"))->CardHeight, 150);
  EXPECT_EQ(Read(Write(card + "Card.Width=0\r\nCard.Height=0\r\n"))->CardHeight, 150);
  EXPECT_EQ(Read(Write(card + "Card.Width=1000\r\nCard.Height=60\r\n"))->CardWidth, 100);
  EXPECT_EQ(Read(Write(card + "Card.Width=20\r\nCard.Height=700\r\n"))->CardHeight, 150);
  EXPECT_EQ(Read(Write(card + "Screen.Width=640\r\nScreen.Height=480\r\n"
                              "Card.Width=400\r\nCard.Height=680\r\n"))
                ->CardHeight,
            150);  // 1088 high on this screen
  // A card the screen holds keeps its size.
  EXPECT_EQ(Read(Write(card + "Card.Width=400\r\nCard.Height=680\r\n"))->CardHeight, 680);
}

TEST_F(SpreadFileTest, ASavedReadingKeepsItsPositionsMeaningsAndMoment) {
  const std::string path = Write(
      "[Spread]\r\nCard.Width=124\r\nCard.Height=197\r\n"
      "[Position00]\r\nLeft=1\r\nDescription=Прошлое\r\n"
      "[Position01]\r\nLeft=2\r\nDescription=Будущее\r\n");
  const std::string copy = dir.Path("reading.spread");
  SaveSpreadFile(copy, 124, 197, {{0, 1, 0, 5, "Прошлое"}, {1, 2, 0, -7, "Будущее"}, {2, 3, 0, 9}},
                 kScreen, "01.02.2025 10:11:12");
  const std::optional<SpreadLayout> reopened = Read(copy);
  EXPECT_EQ(reopened->Positions, (std::vector<SpreadPosition>{
                                     {1, 0, 5, "Прошлое"}, {2, 0, -7, "Будущее"}, {3, 0, 9, ""}}));
  EXPECT_EQ(reopened->Moment, "01.02.2025 10:11:12");
  // A file of empty positions holds no reading, so no moment.
  SaveSpreadFile(path, 124, 197, {{0, 1, 0, 255, "Прошлое"}}, kScreen, "01.02.2025 10:11:12");
  EXPECT_EQ(Read(path)->Moment, "");
  EXPECT_EQ(Read(path)->Positions[1].Description, "Будущее");
}

TEST_F(SpreadFileTest, SavingOnAnotherScreenRecordsThisOne) {
  const std::string path = Write("[Spread]\r\nScreen.Width=1280\r\nScreen.Height=1024\r\n");
  SaveSpreadFile(path, 124, 197, {{0, 512, 384, 3}}, kScreen);
  const std::optional<SpreadLayout> layout = Read(path);
  EXPECT_EQ(layout->Screen, (SpreadScreen{1024, 768}));
  EXPECT_EQ(layout->Positions[0], (SpreadPosition{512, 384, 3, ""}));
  EXPECT_EQ(layout->CardWidth, 124);
}

TEST_F(SpreadFileTest, RecordingTheSameScreenAgainLeavesTheFileAlone) {
  const std::string path =
      Write("[Spread]\r\nScreen.Width=1024\r\nScreen.Height=768\r\n[Position00]\r\n");
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  RecordSpreadScreen(path, *Read(path), kScreen);
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);  // not replaced
}

TEST_F(SpreadFileTest, NumbersNoScreenCanShowAreHeldAndWordsReadAsTheirDefaults) {
  const std::string path = Write(
      "[Spread]\r\nCard.Width=-50\r\nCard.Height=abc\r\n"
      "[Position00]\r\nLeft=-2147483648\r\nTop=2147483647\r\nValue=-2147483648\r\n"
      "[Position01]\r\nLeft=99999999999\r\nTop=zz\r\nValue=0x7FFFFFFF\r\n"
      "[Position02]\r\nLeft=65636\r\nTop=-40000\r\nValue=$FFFFFFFF\r\n"
      "[Position03]\r\nLeft=32767\r\nTop=-32767\r\nValue=1000000\r\n"
      "[Position04]\r\nLeft= 12 \r\nTop=0x10\r\nValue=-0\r\n");
  const std::optional<SpreadLayout> layout = Read(path);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->CardWidth, 100);  // no card's size: the current one
  EXPECT_EQ(layout->CardHeight, 150);
  // Values are kept as they are: what a card shows of them is the window's.
  EXPECT_EQ(layout->Positions, (std::vector<SpreadPosition>{{-32767, 32767, INT_MIN, ""},
                                                            {0, 0, INT_MAX, ""},
                                                            {32767, -32767, -1, ""},
                                                            {32767, -32767, 1000000, ""},
                                                            {12, 16, 0, ""}}));
  // Scaled from a smaller screen, places are held after the scaling.
  const std::optional<SpreadLayout> scaled =
      Read(Write("[Spread]\r\nScreen.Width=512\r\nScreen.Height=384\r\n"
                 "[Position00]\r\nLeft=20000\r\nTop=-20000\r\n[Position01]\r\nLeft=-100\r\n"));
  EXPECT_EQ(scaled->Positions,
            (std::vector<SpreadPosition>{{32767, -32767, 255, ""}, {-200, 0, 255, ""}}));
}

TEST_F(SpreadFileTest, EncodedFilesOpenAndKeepTheirEncodingWhenTheScreenIsRecorded) {
  const std::string text =
      "[Spread]\r\nCard.Width=90\r\n[Position00]\r\nLeft=100\r\nValue=-4\r\n"
      "Description=Прошлое\r\n";
  for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE,
                                TextEncoding::Windows1251, TextEncoding::Utf8Bom}) {
    const std::string path = Write(EncodeText(text, encoding));
    const std::optional<SpreadLayout> layout = Read(path);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->CardWidth, 90) << static_cast<int>(encoding);
    EXPECT_EQ(layout->Positions, (std::vector<SpreadPosition>{{100, 0, -4, "Прошлое"}}));
    RecordSpreadScreen(path, *layout, kScreen);
    EXPECT_EQ(ReadAll(path),
              EncodeText("[Spread]\r\nCard.Width=90\r\nScreen.Width=1024\r\nScreen.Height=768\r\n"
                         "[Position00]\r\nLeft=100\r\nValue=-4\r\nDescription=Прошлое\r\n",
                         encoding));
  }
}

TEST_F(SpreadFileTest, AUtf16FileWithoutByteOrderMarkOpensNoPositionsAndIsNotWritten) {
  // Without its mark the file is bytes with NULs between the letters: no
  // section name begins "POSITION", so the table is cleared and nothing made.
  for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    std::string bytes =
        EncodeText("[Position00]\r\nLeft=100\r\n[Position01]\r\nValue=3\r\n", encoding);
    bytes.erase(0, 2);
    const std::string path = Write(bytes);
    const std::optional<SpreadLayout> layout = Read(path);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->Positions.empty());
    EXPECT_EQ(layout->CardWidth, 100);
    RecordSpreadScreen(path, *layout, kScreen);
    EXPECT_EQ(ReadAll(path), bytes);
  }
  // Neither an empty file nor one of ten megabytes of digits.
  EXPECT_TRUE(Positions(Read(Write(""))).empty());
  const std::optional<SpreadLayout> digits =
      Read(Write("[Spread]\r\nCard.Width=" + std::string(10'000'000, '9') +
                 "\r\n[Position00]\r\nLeft=" + std::string(10'000'000, '7') +
                 "\r\nTop=5\r\nDescription=" + std::string(5'000, 'x')));
  ASSERT_TRUE(digits);
  EXPECT_EQ(digits->CardWidth, 100);
  EXPECT_EQ(digits->Positions, (std::vector<SpreadPosition>{{0, 5, 255, std::string(2'047, 'x')}}));
}

TEST_F(SpreadFileTest, HostileFileGetsNoMoreWindowsThanTheSectionListHolds) {
  std::string text;
  text.reserve(100'000 * 12);
  for (int i = 0; i < 100'000; ++i) text += "[POSITION]\r\n";
  // Nine bytes a name: 1,820 names fill 16,380 of the 16,384 bytes.
  EXPECT_EQ(Positions(Read(Write(text))).size(), 1820u);
  EXPECT_EQ(Positions(Read(Write("[Spread]\r\n" + text))).size(), 1819u);
  // A name longer than the list hides it and everything after it.
  EXPECT_TRUE(
      Positions(Read(Write("[" + std::string(20'000, 'x') + "]\r\n[Position00]\r\n"))).empty());
  // A card size no screen can show gives the current card, not a strip.
  const std::optional<SpreadLayout> huge =
      Read(Write("[Spread]\r\nCard.Width=2147483647\r\nCard.Height=-9\r\n[Position]\r\n"));
  EXPECT_EQ(huge->CardWidth, 100);
  EXPECT_EQ(huge->CardHeight, 150);
}

}  // namespace
}  // namespace vaticor
