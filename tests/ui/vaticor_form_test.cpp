#include "ui/main/vaticor_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QSystemTrayIcon>
#include <set>

#include "library/fake_picture_loader.h"
#include "platform/virtual_keys.h"
#include "support/temp_dir.h"
#include "ui/main/caption_label.h"
#include "ui/main/card_image.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::TempDir;

class StoppedClock : public Clock {
 public:
  std::uint32_t MillisecondsSinceMidnight() const override { return 777; }
};

class RecordingShell : public ShellOpener {
 public:
  void Open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

// The windows around the main window, as plain records.
class FakeLinks : public CardViewerLink,
                  public ReadingLogLink,
                  public QuestionWindowLink,
                  public SpreadsWindowLink,
                  public FolderSelectLink {
 public:
  WindowLinks Links() { return {*this, *this, *this, *this, *this}; }

  void ShowCardDescription(const std::string& title, int card, int section) override {
    described.push_back({title, card, section});
  }
  void ShowViewer() override { viewerVisible = true; }
  bool IsViewerVisible() const override { return viewerVisible; }
  void ShowCurrentCardAgain() override { ++reshown; }

  void AddReading(const std::vector<int>& cards) override {
    readings.push_back(cards);
    lines.push_back("reading");
  }
  int LineCount() const override { return static_cast<int>(lines.size()); }
  int SelectedLine() const override { return selected; }
  void SelectLine(int line) override { selected = line; }
  std::string LineText(int line) const override { return lines[static_cast<std::size_t>(line)]; }
  void ShowSelectedReading() override { putBack.push_back(selected); }
  void ShowLogWindow() override { logShown = true; }
  void SaveLog() override {}

  bool IsQuestionVisible() const override { return questionVisible; }
  void SetQuestionVisible(bool visible) override { questionVisible = visible; }
  int QuestionTop() const override { return questionTop; }
  int QuestionHeight() const override { return 40; }

  void ShowSpreads() override { spreadsVisible = true; }
  void SetSpreadVisible() override { spreadsVisible = !spreadsVisible; }
  void ShowForMode(int mode) override { folderModes.push_back(mode); }

  struct Described {
    std::string title;
    int card;
    int section;
  };
  std::vector<Described> described;
  bool viewerVisible = false;
  int reshown = 0;
  std::vector<std::vector<int>> readings;
  std::vector<std::string> lines;
  int selected = -1;
  std::vector<int> putBack;
  bool logShown = false;
  bool questionVisible = false;
  int questionTop = 698;
  bool spreadsVisible = false;
  std::vector<int> folderModes;
};

class MainWindowTest : public ::testing::Test {
 protected:
  // A deck of `count` card files, each picture w x h, named "Card N".
  void MakeDeck(const std::string& folder, int count, int w = 200, int h = 350) {
    std::string ini = "[Deck]\r\nName=" + folder + "\r\nCards.Count=" +
                      std::to_string(count - 1) + "\r\n[Files]\r\n";
    std::string names = "[Names]\r\n";
    for (int n = 0; n < count; ++n) {
      const std::string key = (n < 10 ? "Card0" : "Card") + std::to_string(n);
      ini += key + "=" + std::to_string(n) + ".jpg\r\n";
      names += key + "=Card " + std::to_string(n) + "\r\n";
      dir.Write("Decks/" + folder + "/" + std::to_string(n) + ".jpg",
                FakePictureLoader::Content(w, h, n));
    }
    dir.Write("Decks/" + folder + "/deck.ini", ini + names);
  }

  std::unique_ptr<TVaticorForm> Open(int screenWidth = 1024, int screenHeight = 768,
                                     int taskBarTop = 738) {
    screen.Resize(screenWidth, screenHeight, taskBarTop);
    OpenSettings(ini, dir.Path("Quorlin.ini"), screen);
    ApplySettings(ini);
    auto form = std::make_unique<TVaticorForm>(state, links.Links());
    return form;
  }
  // Lets a test change settings before the window is created.
  std::function<void(TINIData&)> ApplySettings = [](TINIData&) {};

  std::vector<int> Numbers(const TVaticorForm& form) const {
    return {form.CardImage01->Number(), form.CardImage02->Number(), form.CardImage03->Number()};
  }

  TempDir dir;
  FixedScreen screen{1024, 768, 738};
  FakePictureLoader loader;
  StoppedClock clock;
  RandomGenerator random{clock};
  TINIData ini;
  TTaroDecks decks{dir.Path("Decks"), loader};
  TTaroDescriptions descriptions{dir.Path("Descriptions")};
  TCardsSpreadGenerator picker{random};
  TLanguageTable languages;
  RecordingShell shell;
  ProgramState state{ini, decks, descriptions, picker, random, screen, languages, shell, "0x0419"};
  FakeLinks links;
};

TEST_F(MainWindowTest, StartsOnTheSavedDeckInOneCardModeAtTheFirstRunPlace) {
  MakeDeck("a", 22);
  MakeDeck("b", 78);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDeck.Index=1\r\n");
  auto form = Open();
  EXPECT_EQ(decks.CurrentDeck(), 1);
  EXPECT_EQ(picker.Count, 78);
  // The default left (screen width - card width) leaves the one-card window
  // 4 px beyond the screen: creation pulls it back flush.
  EXPECT_EQ(form->geometry(), QRect(855, 405, 169, 333));
  EXPECT_EQ(form->Panel01->width(), 165);
  EXPECT_FALSE(form->Panel03->isVisibleTo(form.get()));
  EXPECT_EQ(form->Label2->text().toStdString(), "Вытянуть карту ...");
  EXPECT_TRUE(TVaticorForm::ItemAt(form->PopupMenu1, 0)->isChecked());
  EXPECT_FALSE(TVaticorForm::ItemAt(form->PopupMenu1, 1)->isChecked());
  for (TCardImage* image : {form->CardImage01, form->CardImage02, form->CardImage03}) {
    EXPECT_FALSE(image->HasPicture());
  }
  // Exactly the current deck's item is checked.
  EXPECT_FALSE(TVaticorForm::ItemAt(form->DeckMenu, 4)->isChecked());
  EXPECT_TRUE(TVaticorForm::ItemAt(form->DeckMenu, 5)->isChecked());
  EXPECT_EQ(form->CheckedDeckPosition, 5);
}

TEST_F(MainWindowTest, AWindowBelowTheScreenComesBackAboveTheTaskbar) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini",
            "[Vaticor Settings]\r\nScreen.Width=1024\r\nScreen.Height=768\r\n"
            "[Form Settings]\r\nVaticorForm.Left=1000\r\nVaticorForm.Top=700\r\n");
  auto form = Open();
  EXPECT_EQ(form->y(), 738 - 333);
  EXPECT_EQ(form->x(), 1024 - 169);
  EXPECT_EQ(ini.VaticorFormTop, 405);
  EXPECT_EQ(ini.VaticorFormLeft, 855);
}

TEST_F(MainWindowTest, MenusStandItemByItem) {
  MakeDeck("a", 22);
  auto form = Open();
  auto names = [](QMenu* menu) {
    std::vector<std::string> result;
    for (QAction* action : menu->actions()) result.push_back(action->objectName().toStdString());
    return result;
  };
  EXPECT_EQ(names(form->PopupMenu1),
            (std::vector<std::string>{"N11", "N31", "N1", "N2", "N14", "N3", "N5", "N6", "N8",
                                      "N7", "N24", "Interfacelanguage1", "N23", "N4"}));
  EXPECT_EQ(names(form->SettingsMenu),
            (std::vector<std::string>{"N12", "N27", "N17", "N13", "N9", "N10", "N21", "N28",
                                      "N22"}));
  EXPECT_EQ(TVaticorForm::ItemAt(form->PopupMenu1, 13)->text().toStdString(), "Выход");
  EXPECT_EQ(TVaticorForm::ItemAt(form->DeckMenu, 2)->text().toStdString(),
            "Случайный выбор колоды ...");
  EXPECT_EQ(TVaticorForm::ItemAt(form->DeckMenu, 4)->text().toStdString(), "a");
  EXPECT_TRUE(TVaticorForm::ItemAt(form->SettingsMenu, 1)->isChecked());
  EXPECT_TRUE(TVaticorForm::ItemAt(form->SettingsMenu, 4)->isChecked());
  EXPECT_FALSE(TVaticorForm::ItemAt(form->SettingsMenu, 0)->isChecked());

  TVaticorForm::ItemAt(form->ProgramMenu, 0)->trigger();
  TVaticorForm::ItemAt(form->ProgramMenu, 1)->trigger();
  EXPECT_EQ(shell.opened, (std::vector<std::string>{TVaticorForm::kWebPage, TVaticorForm::kMailLink}));
  TVaticorForm::ItemAt(form->DeckMenu, 0)->trigger();
  TVaticorForm::ItemAt(form->DescriptionMenu, 0)->trigger();
  EXPECT_EQ(links.folderModes, (std::vector<int>{1, 2}));
}

TEST_F(MainWindowTest, OnlyMajorArcanaIsOfferedForDecksWithMoreThan22Files) {
  MakeDeck("a-major", 22);
  MakeDeck("b-full", 78);
  ApplySettings = [](TINIData& d) { d.OnlyMajorArcanaEnabled = false; };
  auto form = Open();
  QAction* item = TVaticorForm::ItemAt(form->SettingsMenu, 1);
  EXPECT_FALSE(item->isEnabled());
  EXPECT_TRUE(item->isChecked());  // shown checked, setting untouched
  EXPECT_FALSE(ini.OnlyMajorArcanaEnabled);

  TVaticorForm::ItemAt(form->DeckMenu, 5)->trigger();
  EXPECT_EQ(decks.CurrentDeck(), 1);
  EXPECT_TRUE(item->isEnabled());
  EXPECT_FALSE(item->isChecked());
  // Random choices stay open with two decks.
  EXPECT_TRUE(TVaticorForm::ItemAt(form->DeckMenu, 2)->isEnabled());
}

TEST_F(MainWindowTest, WithOneDeckTheRandomDeckChoicesAreOffButAddingStaysOpen) {
  MakeDeck("a", 22);
  auto form = Open();
  EXPECT_FALSE(TVaticorForm::ItemAt(form->DeckMenu, 2)->isEnabled());
  EXPECT_FALSE(TVaticorForm::ItemAt(form->SettingsMenu, 2)->isEnabled());
  EXPECT_TRUE(TVaticorForm::ItemAt(form->DeckMenu, 0)->isEnabled());
}

TEST_F(MainWindowTest, ThreeCardDrawGivesDistinctCardsAndLogsThem) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  auto form = Open();
  bool sawReversed = false;
  for (int draw = 0; draw < 200; ++draw) {
    form->Label1Click();
    const std::vector<int> cards = Numbers(*form);
    std::set<int> positions;
    for (int card : cards) {
      ASSERT_LT(std::abs(card), 22);
      positions.insert(std::abs(card));
      sawReversed |= card < 0;
    }
    ASSERT_EQ(positions.size(), 3u) << "a card drawn twice in one draw";
    ASSERT_EQ(links.readings.back(), cards);
  }
  EXPECT_TRUE(sawReversed);
  EXPECT_EQ(links.selected, links.LineCount() - 1);
  EXPECT_TRUE(form->CardImage03->HasPicture());
}

TEST_F(MainWindowTest, ADrawIsPinnedByTheSeed) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  auto form = Open();
  random.SetSeed(12345);
  form->Label1Click();
  const std::vector<int> first = Numbers(*form);
  random.SetSeed(12345);
  form->Label1Click();
  EXPECT_EQ(Numbers(*form), first);

  // Work the same draw out by hand: coin, then the k-th unused card.
  RandomGenerator expected(clock);
  expected.SetSeed(12345);
  std::vector<bool> used(22, false);
  std::vector<int> cards;
  for (int i = 0; i < 3; ++i) {
    const int coin = expected.Random(2);
    const int a = expected.Random(22 - i);
    int unused = 0;
    int card = -1;
    for (int index = 0; index < 22 && card < 0; ++index) {
      if (!used[static_cast<std::size_t>(index)] && unused++ == a) card = index;
    }
    used[static_cast<std::size_t>(card)] = true;
    cards.push_back(coin == 0 ? card : -card);
  }
  EXPECT_EQ(first, cards);
}

TEST_F(MainWindowTest, ReversedPicturesAreTurnedAndCardZeroIsNeverReversed) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.UpSideDownCardsEnabled = true; };
  auto form = Open();
  for (int draw = 0; draw < 300; ++draw) {
    form->Label1Click();
    const int card = form->CardImage01->Number();
    if (card == 0) {
      const QImage& picture = form->CardImage01->Picture();
      // The fake picture's tag sits at the top-left: upright.
      ASSERT_EQ(picture.pixel(0, 0) & 0xFFFFFFu, 0u);
    }
    if (card < 0) {
      const QImage& picture = form->CardImage01->Picture();
      ASSERT_EQ(picture.pixel(picture.width() - 1, picture.height() - 1) & 0xFFFFFFu,
                static_cast<unsigned>(-card));
    }
  }
}

TEST_F(MainWindowTest, WithReversalsOffEveryCardIsUprightAndLoggedSo) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.ThreeCardsModeEnabled = true; };
  auto form = Open();
  for (int draw = 0; draw < 100; ++draw) {
    form->Label1Click();
    for (int card : links.readings.back()) ASSERT_GE(card, 0);
  }
}

TEST_F(MainWindowTest, TheMajorArcanaLimitAndA30FileDeck) {
  MakeDeck("a", 30);
  auto form = Open();
  std::set<int> seen;
  for (int draw = 0; draw < 400; ++draw) {
    form->Label1Click();
    seen.insert(std::abs(form->CardImage01->Number()));
  }
  EXPECT_EQ(*seen.rbegin(), 21);  // only the major arcana

  ini.OnlyMajorArcanaEnabled = false;
  seen.clear();
  for (int draw = 0; draw < 600; ++draw) {
    form->Label1Click();
    seen.insert(std::abs(form->CardImage01->Number()));
  }
  EXPECT_EQ(*seen.rbegin(), 29);
  EXPECT_EQ(seen.size(), 30u);
}

TEST_F(MainWindowTest, WithoutDecksADrawIsStillLoggedAndShowsNothing) {
  auto form = Open();
  form->Label1Click();
  ASSERT_EQ(links.readings.size(), 1u);
  EXPECT_FALSE(form->CardImage01->HasPicture());
}

TEST_F(MainWindowTest, ModeSwitchesKeepTheRightEdgeAndEmptyTheCards) {
  MakeDeck("a", 22);
  auto form = Open();
  form->Label1Click();
  const int right = form->x() + form->width();
  form->SwitchToThreeCardMode();
  EXPECT_EQ(form->x() + form->width(), right);
  EXPECT_EQ(form->width(), form->ThreeCardWidth);
  EXPECT_FALSE(form->CardImage01->HasPicture());
  EXPECT_EQ(form->CardImage01->Number(), -1);
  EXPECT_EQ(form->Label2->text().toStdString(), "Вытянуть карты ...");
  EXPECT_TRUE(TVaticorForm::ItemAt(form->PopupMenu1, 1)->isChecked());
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);

  form->Label1Click();
  form->SwitchToOneCardMode();
  EXPECT_EQ(form->x() + form->width(), right);
  EXPECT_EQ(form->width(), form->OneCardWidth);
  EXPECT_EQ(Numbers(*form), (std::vector<int>{-1, -1, -1}));
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
}

TEST_F(MainWindowTest, ScreenCardSizeFollowsThe1280By960Screen) {
  MakeDeck("a", 22);
  auto form = Open(1280, 960, 930);
  form->ApplyScreenCardSize();
  EXPECT_EQ(form->height(), 416);
  EXPECT_EQ(form->Panel01->width(), 206);
  EXPECT_EQ(ini.VaticorFormCardWidth, 206);
  form->SwitchToThreeCardMode();
  form->ApplyScreenCardSize();
  EXPECT_EQ(form->width(), 622);  // Round(1280 / 640 * 309) + 4
}

TEST_F(MainWindowTest, AutoCardSizeFollowsThePictureProportions) {
  MakeDeck("a", 22, 200, 350);
  ApplySettings = [](TINIData& d) { d.ApplicationAutoSizeEnabled = true; };
  auto form = Open();
  form->resize(form->width(), 350);
  form->FitCardWidthToHeight();
  EXPECT_EQ(form->Panel01->width(), 176);  // (350 - 42) * 200 / 350
  EXPECT_EQ(form->width(), 180);

  form->ApplyAutoCardSize();
  EXPECT_EQ(form->height(), 333);
  EXPECT_EQ(form->Panel01->width(), (333 - 42) * 200 / 350);
}

TEST_F(MainWindowTest, AWindowRightOfCentreGrowsToTheLeft) {
  MakeDeck("a", 22, 200, 350);
  auto form = Open();  // at the right edge
  const int right = form->x() + form->width();
  form->ApplyAutoCardSize();
  EXPECT_EQ(form->x() + form->width(), right);

  form->move(10, 100);
  const int left = form->x();
  form->ApplyScreenCardSize();
  EXPECT_EQ(form->x(), left);
}

TEST_F(MainWindowTest, ChoosingADeckReshowsTheSameCardsFromIt) {
  MakeDeck("a", 22);
  MakeDeck("b", 22, 300, 500);
  ApplySettings = [](TINIData& d) { d.UpSideDownCardsEnabled = true; d.ThreeCardsModeEnabled = true; };
  auto form = Open();
  form->Label1Click();
  const std::vector<int> before = Numbers(*form);
  TVaticorForm::ItemAt(form->DeckMenu, 5)->trigger();
  EXPECT_EQ(Numbers(*form), before);
  EXPECT_EQ(decks.CurrentDeck(), 1);
  EXPECT_EQ(form->CardPictureWidth, 300);
  int checked = 0;
  for (QAction* action : form->DeckMenu->actions()) checked += action->isChecked();
  EXPECT_EQ(checked, 1);
}

TEST_F(MainWindowTest, RandomDecksSwitchDeckBeforeEachDraw) {
  MakeDeck("a", 22);
  MakeDeck("b", 22);
  MakeDeck("c", 22);
  ApplySettings = [](TINIData& d) { d.RandomDecksEnabled = true; };
  auto form = Open();
  std::set<int> decksUsed;
  for (int draw = 0; draw < 60; ++draw) {
    form->Label1Click();
    decksUsed.insert(decks.CurrentDeck());
    int checked = 0;
    for (QAction* action : form->DeckMenu->actions()) checked += action->isChecked();
    ASSERT_EQ(checked, 1);
    ASSERT_TRUE(TVaticorForm::ItemAt(form->DeckMenu, 4 + decks.CurrentDeck())->isChecked());
    ASSERT_EQ(ini.DeckIndex, decks.CurrentDeck());
  }
  EXPECT_EQ(decksUsed.size(), 3u);
}

TEST_F(MainWindowTest, ACardClickOpensTheViewerOnThatCard) {
  MakeDeck("a", 22);
  auto form = Open();
  form->CardImageClick(form->CardImage01);
  EXPECT_TRUE(links.described.empty());
  EXPECT_TRUE(links.viewerVisible);

  form->Label1Click();
  const int card = std::abs(form->CardImage01->Number());
  form->CardImageClick(form->CardImage01);
  ASSERT_EQ(links.described.size(), 1u);
  EXPECT_EQ(links.described[0].title, "Card " + std::to_string(card));
  EXPECT_EQ(links.described[0].card, card);
  EXPECT_EQ(links.described[0].section, 0);
}

TEST_F(MainWindowTest, TheCardMenuNamesTheCardAndNewReadingNeedsACard) {
  MakeDeck("a", 22);
  auto form = Open();
  form->PopupMenu2Popup(form->CardImage01);
  QAction* describe = TVaticorForm::ItemAt(form->PopupMenu2, 0);
  EXPECT_FALSE(describe->isEnabled());
  EXPECT_EQ(describe->text().toStdString(), "Описание карты");
  EXPECT_FALSE(TVaticorForm::ItemAt(form->PopupMenu2, 2)->isEnabled());

  form->Label1Click();
  form->PopupMenu2Popup(form->CardImage01);
  const int card = std::abs(form->CardImage01->Number());
  EXPECT_TRUE(describe->isEnabled());
  EXPECT_EQ(describe->text().toStdString(), "Card " + std::to_string(card) + " - Описание карты");
  EXPECT_TRUE(TVaticorForm::ItemAt(form->PopupMenu2, 2)->isEnabled());
  TVaticorForm::ItemAt(form->PopupMenu2, 2)->trigger();
  EXPECT_FALSE(form->CardImage01->HasPicture());
}

TEST_F(MainWindowTest, OptionItemsSetTheirSettings) {
  MakeDeck("a", 22);
  auto form = Open();
  TVaticorForm::ItemAt(form->SettingsMenu, 0)->trigger();
  EXPECT_TRUE(ini.UpSideDownCardsEnabled);
  TVaticorForm::ItemAt(form->SettingsMenu, 8)->trigger();
  EXPECT_TRUE(ini.QuestionsLogSaveEnabled);
  TVaticorForm::ItemAt(form->SettingsMenu, 5)->trigger();
  EXPECT_TRUE(ini.ApplicationAutoSizeEnabled);
  TVaticorForm::ItemAt(form->SettingsMenu, 4)->trigger();
  EXPECT_FALSE(ini.ApplicationShowButtonInTaskBar);
  EXPECT_TRUE(form->TrayIconActive());
  TVaticorForm::ItemAt(form->SettingsMenu, 4)->trigger();
  EXPECT_FALSE(form->TrayIconActive());
}

TEST_F(MainWindowTest, TheQuestionWindowOptionMovesTheMainWindowUpButNotBack) {
  MakeDeck("a", 22);
  auto form = Open();  // bottom at 738, question window top at 698
  TVaticorForm::ItemAt(form->SettingsMenu, 7)->trigger();
  EXPECT_TRUE(ini.QuestionFormEnabled);
  EXPECT_TRUE(links.questionVisible);
  EXPECT_EQ(form->y() + form->height(), 698);
  EXPECT_TRUE(ini.QuestionFormShifted);
  EXPECT_EQ(ini.VaticorFormTop, form->y());

  TVaticorForm::ItemAt(form->SettingsMenu, 7)->trigger();
  EXPECT_FALSE(links.questionVisible);
  EXPECT_EQ(form->y() + form->height(), 698);  // stays
  EXPECT_TRUE(ini.QuestionFormShifted);

  links.questionVisible = false;
  ini.QuestionFormEnabled = true;
  form->PopupMenu1Popup();
  EXPECT_TRUE(TVaticorForm::ItemAt(form->SettingsMenu, 7)->isChecked());
}

TEST_F(MainWindowTest, F4TwiceShowsTheQuestionWindowAndMovesBack) {
  MakeDeck("a", 22);
  auto form = Open();
  const int top = form->y();
  form->FormKeyUp(vk::F4);
  EXPECT_TRUE(links.questionVisible);
  EXPECT_EQ(form->y(), 698 - form->height());
  form->FormKeyUp(vk::F4);
  EXPECT_FALSE(links.questionVisible);
  EXPECT_EQ(form->y(), 698 - form->height() + 40);
  EXPECT_FALSE(ini.QuestionFormShifted);
  EXPECT_EQ(form->y(), top);
}

TEST_F(MainWindowTest, DeckKeysWrapAround) {
  MakeDeck("a", 22);
  MakeDeck("b", 22);
  MakeDeck("c", 22);
  auto form = Open();
  form->FormKeyUp(vk::Left);
  EXPECT_EQ(decks.CurrentDeck(), 2);
  form->FormKeyUp(vk::Right);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  form->FormKeyUp(vk::Add);
  EXPECT_EQ(decks.CurrentDeck(), 1);
  form->FormKeyUp(vk::Subtract);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_TRUE(TVaticorForm::ItemAt(form->DeckMenu, 4)->isChecked());
  EXPECT_FALSE(TVaticorForm::ItemAt(form->DeckMenu, 6)->isChecked());
}

TEST_F(MainWindowTest, DeckKeysDoNothingWithoutDecks) {
  auto form = Open();
  form->FormKeyUp(vk::Right);
  form->FormKeyUp(vk::R);
  EXPECT_EQ(decks.Count, 0);
}

TEST_F(MainWindowTest, DigitKeysSwitchModesThenDraw) {
  MakeDeck("a", 22);
  auto form = Open();
  form->FormKeyUp(vk::Digit3);
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);
  EXPECT_TRUE(links.readings.empty());
  form->FormKeyUp(vk::Digit3);
  ASSERT_EQ(links.readings.size(), 1u);
  EXPECT_EQ(links.readings[0].size(), 3u);
  form->FormKeyUp(vk::Digit0);
  EXPECT_FALSE(form->CardImage01->HasPicture());
  form->FormKeyUp(vk::Digit1);
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
  form->FormKeyUp(vk::Digit1);
  ASSERT_EQ(links.readings.size(), 2u);
  EXPECT_EQ(links.readings[1].size(), 1u);
}

TEST_F(MainWindowTest, AutoSizeKeysSetTheOptionAndItsMark) {
  MakeDeck("a", 22);
  auto form = Open();
  QAction* item = TVaticorForm::ItemAt(form->SettingsMenu, 5);
  form->FormKeyUp(vk::OemPlus);
  EXPECT_TRUE(ini.ApplicationAutoSizeEnabled);
  EXPECT_TRUE(item->isChecked());
  form->FormKeyUp(vk::OemBackslash);
  EXPECT_FALSE(ini.ApplicationAutoSizeEnabled);
  EXPECT_FALSE(item->isChecked());
}

TEST_F(MainWindowTest, LogKeysMoveTheSelectionAndPutReadingsBack) {
  MakeDeck("a", 22);
  auto form = Open();
  links.lines = {"[01.02.2026]", "10:00:00 [3]", "10:05:00 [-5]"};
  form->FormKeyUp(vk::Up);  // nothing selected: nothing changes
  EXPECT_EQ(links.selected, -1);
  form->FormKeyUp(vk::Down);
  EXPECT_EQ(links.selected, 0);
  EXPECT_TRUE(links.putBack.empty());  // a date line
  form->FormKeyUp(vk::Down);
  form->FormKeyUp(vk::Down);
  form->FormKeyUp(vk::Down);  // already last
  EXPECT_EQ(links.selected, 2);
  EXPECT_EQ(links.putBack, (std::vector<int>{1, 2}));
  form->FormKeyUp(vk::Up);
  EXPECT_EQ(links.selected, 1);

  links.selected = -1;
  form->FormKeyUp(vk::F3);
  EXPECT_TRUE(links.logShown);
  EXPECT_EQ(links.selected, 2);
}

TEST_F(MainWindowTest, EscapeHidesWithATrayIconOrQuestionWindowElseMinimises) {
  MakeDeck("a", 22);
  auto form = Open();
  form->show();
  form->FormKeyUp(vk::Escape);
  EXPECT_TRUE(form->isMinimized());
  form->showNormal();
  links.questionVisible = true;
  form->FormKeyUp(vk::Escape);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TrayClicksToggleTheMainWindowOrTheSpreadsWindow) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  auto form = Open();
  form->show();
  form->TrayIcon1Click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(links.questionVisible);
  form->TrayIcon1Click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(links.questionVisible);

  form->Image7Click();
  EXPECT_TRUE(state.SpreadsMode);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(links.questionVisible);
  EXPECT_TRUE(links.spreadsVisible);
  form->TrayIcon1Click();
  EXPECT_FALSE(links.spreadsVisible);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TheMenuOpensBelowTheMenuImage) {
  MakeDeck("a", 22);
  auto form = Open();
  EXPECT_EQ(form->MainMenuPoint(), QPoint(form->x() + 2, form->y() + 17));
}

TEST_F(MainWindowTest, AnotherLanguageReplacesTheCaptionOnlyOnANonRussianSystem) {
  MakeDeck("a", 22);
  languages.SetEntry(1004, "Draw a card...");
  auto form = Open();
  EXPECT_EQ(form->Label2->text().toStdString(), "Вытянуть карту ...");
  state.SystemLanguage = "0x0409";
  form->SwitchToThreeCardMode();
  form->SwitchToOneCardMode();
  EXPECT_EQ(form->Label2->text().toStdString(), "Draw a card...");
  EXPECT_EQ(form->Label1->text(), form->Label2->text());
}

}  // namespace
}  // namespace vaticor
