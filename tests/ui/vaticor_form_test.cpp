// The main window; its draw decodes on the picture workers.
// Test labels: threads
#include "ui/main/vaticor_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QSystemTrayIcon>
#include <set>

#include "library/journal_fake.h"
#include "support/fake_picture_loader.h"
#include "support/qt/clipboard.h"
#include "support/qt/hint_text.h"
#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_messages.h"
#include "support/qt/tray_icon.h"
#include "support/temp_dir.h"
#include "support/ui/fake_picture_dialog.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/skin_image.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"
#include "ui/main/main_menu.h"

namespace vaticor {
namespace {

using testing::Click;
using testing::Control;
using testing::FakeLinks;
using testing::FakePictureLoader;
using testing::ReleaseKey;

class MainWindowTest : public ::testing::Test, protected testing::ProgramStateFixture {
 protected:
  std::unique_ptr<TVaticorForm> Open(int screenWidth = 1024, int screenHeight = 768,
                                     int taskBarTop = 738) {
    ReadSettingsFile(screenWidth, screenHeight, taskBarTop);
    auto dialog = std::make_unique<testing::FakeReadingPictureDialog>();
    pictureDialog = dialog.get();
    state.Content.Load();
    auto form = std::make_unique<TVaticorForm>(state, std::move(dialog));
    FollowContent(state.ContentChanges, form.get(), *form);
    form->ConnectWindows(links.Links());
    return form;
  }

  static TCardImage* Card(const TVaticorForm& form, int n) {
    return Control<TCardImage>(form, ("CardImage0" + std::to_string(n)).c_str());
  }
  static QFrame* Panel(const TVaticorForm& form, int n) {
    return Control<QFrame>(form, ("Panel0" + std::to_string(n)).c_str());
  }
  static TCaptionLabel* Label(const TVaticorForm& form, int n) {
    return Control<TCaptionLabel>(form, ("Label" + std::to_string(n)).c_str());
  }
  static TSkinImage* Image(const TVaticorForm& form, const char* name) {
    return Control<TSkinImage>(form, name);
  }
  static std::vector<int> Numbers(const TVaticorForm& form) {
    return {Card(form, 1)->Number(), Card(form, 2)->Number(), Card(form, 3)->Number()};
  }
  // The menus and their items, by their layout names.
  static QAction* Item(const TVaticorForm& form, const char* name) {
    return Control<QAction>(form, name);
  }
  static QMenu* MainMenu(const TVaticorForm& form) { return Control<QMenu>(form, "PopupMenu1"); }
  static QMenu* CardMenu(const TVaticorForm& form) { return Control<QMenu>(form, "PopupMenu2"); }
  static QMenu* Submenu(const TVaticorForm& form, const char* name) {
    return Item(form, name)->menu();
  }
  static QMenu* Decks(const TVaticorForm& form) { return Submenu(form, "N2"); }
  static QMenu* Settings(const TVaticorForm& form) { return Submenu(form, "N8"); }
  // The draw, by a click on the caption.
  static void Draw(const TVaticorForm& form) { Click(Label(form, 2)); }
  // The main menu opened by its image, then closed again.
  static void OpenMainMenu(const TVaticorForm& form) {
    Click(Image(form, "Image1"));
    MainMenu(form)->hide();
  }
  // The card menu opened on a card image, then closed again.
  static void OpenCardMenu(const TVaticorForm& form, int n) {
    TCardImage* card = Card(form, n);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3),
                            card->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(card, &event);
    CardMenu(form)->hide();
  }
  static void ClickTrayIcon(const TVaticorForm& form) {
    QSystemTrayIcon* tray = testing::WaitForTrayIcon(form);
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::Trigger);
  }
  // Activated, as the window system does it when the user clicks it.
  static void Activate(TVaticorForm& form) {
    form.activateWindow();
    QApplication::processEvents();
  }
  // The cards across: the panels on show.
  static int CardsShown(const TVaticorForm& form) {
    int shown = 0;
    for (int n : {1, 2, 3}) shown += Panel(form, n)->isVisibleTo(&form);
    return shown;
  }

  FakeLinks links;
  testing::FakeReadingPictureDialog* pictureDialog = nullptr;
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
  EXPECT_EQ(Panel(*form, 1)->width(), 165);
  EXPECT_FALSE(Panel(*form, 3)->isVisibleTo(form.get()));
  EXPECT_EQ(Label(*form, 2)->text().toStdString(), "Вытянуть карту ...");
  EXPECT_TRUE(TMainMenu::ItemAt(MainMenu(*form), 0)->isChecked());
  EXPECT_FALSE(TMainMenu::ItemAt(MainMenu(*form), 1)->isChecked());
  for (TCardImage* image : {Card(*form, 1), Card(*form, 2), Card(*form, 3)}) {
    EXPECT_FALSE(image->HasPicture());
  }
  // Exactly the current deck's item is checked.
  EXPECT_FALSE(TMainMenu::ItemAt(Decks(*form), 4)->isChecked());
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 5)->isChecked());
  int checked = 0;
  for (QAction* action : Decks(*form)->actions()) checked += action->isChecked();
  EXPECT_EQ(checked, 1);
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

TEST_F(MainWindowTest, DeckItemsShowTheirNamesAsTheyAreAndCutLongOnes) {
  MakeDeck("Sun & Moon", 22);
  const std::string longName(200, 'x');
  MakeDeck(longName, 22);
  auto form = Open();
  QAction* sun = TMainMenu::ItemAt(Decks(*form), 4);
  QAction* x = TMainMenu::ItemAt(Decks(*form), 5);
  EXPECT_EQ(sun->text().toStdString(), "Sun && Moon");  // "&" shown, no shortcut
  EXPECT_LT(x->text().size(), 100);
  EXPECT_TRUE(x->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(testing::ShownHint(x->toolTip()).remove('\n').toStdString(), longName);
  EXPECT_TRUE(Decks(*form)->toolTipsVisible());
}

TEST_F(MainWindowTest, MenusStandItemByItem) {
  MakeDeck("a", 22);
  auto form = Open();
  auto names = [](QMenu* menu) {
    std::vector<std::string> result;
    for (QAction* action : menu->actions()) result.push_back(action->objectName().toStdString());
    return result;
  };
  EXPECT_EQ(names(MainMenu(*form)),
            (std::vector<std::string>{"N11", "N31", "N1", "N2", "N14", "N3", "N5", "N6", "N8", "N7",
                                      "N24", "Interfacelanguage1", "N23", "N4", "JournalSeparator",
                                      "ShowJournal", "DayCard", "EnterReading", "ShowGallery"}));
  EXPECT_EQ(names(Settings(*form)),
            (std::vector<std::string>{"N12", "N27", "N17", "N13", "N9", "N10", "N21", "N28", "N22",
                                      "DayCardSeparator", "DayCardAtStart"}));
  EXPECT_EQ(TMainMenu::ItemAt(MainMenu(*form), 13)->text().toStdString(), "Выход");
  EXPECT_EQ(TMainMenu::ItemAt(Decks(*form), 2)->text().toStdString(), "Случайный выбор колоды ...");
  EXPECT_EQ(TMainMenu::ItemAt(Decks(*form), 4)->text().toStdString(), "a");
  EXPECT_TRUE(TMainMenu::ItemAt(Settings(*form), 1)->isChecked());
  EXPECT_TRUE(TMainMenu::ItemAt(Settings(*form), 4)->isChecked());
  EXPECT_FALSE(TMainMenu::ItemAt(Settings(*form), 0)->isChecked());

  TMainMenu::ItemAt(Submenu(*form, "N24"), 0)->trigger();
  TMainMenu::ItemAt(Submenu(*form, "N24"), 1)->trigger();
  EXPECT_EQ(shell.opened,
            (std::vector<std::string>{"https://vaticor.org", "mailto:developers@vaticor.org"}));
  TMainMenu::ItemAt(Decks(*form), 0)->trigger();
  TMainMenu::ItemAt(Submenu(*form, "N14"), 0)->trigger();
  EXPECT_EQ(links.folderModes,
            (std::vector<FolderMode>{FolderMode::kAddDeck, FolderMode::kAddDescriptionSet}));
  TMainMenu::ItemAt(MainMenu(*form), 15)->trigger();
  EXPECT_EQ(links.journalShown, 1);
  // The card of the day: its entry, its key, its option.
  TMainMenu::ItemAt(MainMenu(*form), 16)->trigger();
  ReleaseKey(form.get(), Qt::Key_D);
  EXPECT_EQ(links.dayCardShown, 2);
  // The card gallery: its entry, its key.
  TMainMenu::ItemAt(MainMenu(*form), 18)->trigger();
  ReleaseKey(form.get(), Qt::Key_G);
  EXPECT_EQ(links.galleryShown, 2);
  TMainMenu::ItemAt(Settings(*form), 10)->trigger();
  EXPECT_TRUE(ini.DayCardShowAtStart);
  // A reading laid with a physical deck: its entry and its key, no spread chosen.
  TMainMenu::ItemAt(MainMenu(*form), 17)->trigger();
  ReleaseKey(form.get(), Qt::Key_E);
  EXPECT_EQ(links.readingsEntered, (std::vector<std::string>{"", ""}));
}

TEST_F(MainWindowTest, OnlyMajorArcanaIsOfferedForDecksWithMoreThan22Files) {
  MakeDeck("a-major", 22);
  MakeDeck("b-full", 78);
  ApplySettings = [](TINIData& d) { d.OnlyMajorArcanaEnabled = false; };
  auto form = Open();
  QAction* item = TMainMenu::ItemAt(Settings(*form), 1);
  EXPECT_FALSE(item->isEnabled());
  EXPECT_TRUE(item->isChecked());  // shown checked, setting untouched
  EXPECT_FALSE(ini.OnlyMajorArcanaEnabled);

  TMainMenu::ItemAt(Decks(*form), 5)->trigger();
  EXPECT_EQ(decks.CurrentDeck(), 1);
  EXPECT_TRUE(item->isEnabled());
  EXPECT_FALSE(item->isChecked());
  // Random choices stay open with two decks.
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 2)->isEnabled());

  // A deck stepped to by a key, or drawn at random, leaves the item as it was.
  ReleaseKey(form.get(), Qt::Key_Right);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_TRUE(item->isEnabled());
  ReleaseKey(form.get(), Qt::Key_R);
  EXPECT_TRUE(item->isEnabled());
}

TEST_F(MainWindowTest, WithOneDeckTheRandomDeckChoicesAreOffButAddingStaysOpen) {
  MakeDeck("a", 22);
  auto form = Open();
  EXPECT_FALSE(TMainMenu::ItemAt(Decks(*form), 2)->isEnabled());
  EXPECT_FALSE(TMainMenu::ItemAt(Settings(*form), 2)->isEnabled());
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 0)->isEnabled());
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
    Draw(*form);
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
  EXPECT_TRUE(Card(*form, 3)->HasPicture());
}

TEST_F(MainWindowTest, ADrawIsPinnedByTheSeed) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  auto form = Open();
  random.SetSeed(12345);
  Draw(*form);
  const std::vector<int> first = Numbers(*form);
  random.SetSeed(12345);
  Draw(*form);
  EXPECT_EQ(Numbers(*form), first);

  // Seed 12345, worked out on paper: coin 0, k = 6 of 22 (card 6); coin 0,
  // k = 11 of 21 (card 12, 6 being taken); coin 1, k = 6 of 20 (card 7,
  // reversed).
  EXPECT_EQ(first, (std::vector<int>{6, 12, -7}));
}

TEST_F(MainWindowTest, EveryDrawIsRecordedWithTheQuestionOnlyWhenTheQuestionWindowDrew) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) {
    d.ThreeCardsModeEnabled = true;
    d.UpSideDownCardsEnabled = true;
  };
  auto owned = std::make_unique<FakeJournalStore>();
  FakeJournalStore& store = *owned;
  state.Journal.Attach(std::move(owned));
  auto form = Open();
  links.question = "Что ждёт?";
  random.SetSeed(12345);
  Draw(*form);  // the caption's draw: no question, though one is typed
  const std::vector<JournalEntry> first = store.List({}, 0, 10);
  ASSERT_EQ(first.size(), 1U);
  EXPECT_EQ(first[0].question, "");
  EXPECT_EQ(first[0].deckFolder, "a");
  ASSERT_EQ(first[0].positions.size(), 3U);
  EXPECT_EQ(first[0].positions[2].number, 3);
  EXPECT_EQ(first[0].positions[2].card, 7);
  EXPECT_TRUE(first[0].positions[2].reversed);
  EXPECT_FALSE(first[0].positions[0].reversed);
  EXPECT_EQ(first[0].positions[2].cardName, decks.GetCardName(7));

  form->Draw();  // the question window's draw
  EXPECT_EQ(store.List({}, 0, 10).at(0).question, "Что ждёт?");
  EXPECT_EQ(store.Count({}), 2U);
}

TEST_F(MainWindowTest, ReversedPicturesAreTurnedAndCardZeroIsNeverReversed) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.UpSideDownCardsEnabled = true; };
  auto form = Open();
  for (int draw = 0; draw < 300; ++draw) {
    Draw(*form);
    const int card = Card(*form, 1)->Number();
    if (card == 0) {
      const QImage& picture = Card(*form, 1)->Picture();
      // The fake picture's tag sits at the top-left: upright.
      ASSERT_EQ(picture.pixel(0, 0) & 0xFFFFFFu, 0u);
    }
    if (card < 0) {
      const QImage& picture = Card(*form, 1)->Picture();
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
    Draw(*form);
    for (int card : links.readings.back()) ASSERT_GE(card, 0);
  }
}

TEST_F(MainWindowTest, TheMajorArcanaLimitAndA30FileDeck) {
  MakeDeck("a", 30);
  auto form = Open();
  std::set<int> seen;
  for (int draw = 0; draw < 400; ++draw) {
    Draw(*form);
    seen.insert(std::abs(Card(*form, 1)->Number()));
  }
  EXPECT_EQ(*seen.rbegin(), 21);  // only the major arcana

  ini.OnlyMajorArcanaEnabled = false;
  seen.clear();
  for (int draw = 0; draw < 600; ++draw) {
    Draw(*form);
    seen.insert(std::abs(Card(*form, 1)->Number()));
  }
  EXPECT_EQ(*seen.rbegin(), 29);
  EXPECT_EQ(seen.size(), 30u);
}

TEST_F(MainWindowTest, WithoutDecksADrawIsStillLoggedAndShowsNothing) {
  auto form = Open();
  Draw(*form);
  ASSERT_EQ(links.readings.size(), 1u);
  EXPECT_FALSE(Card(*form, 1)->HasPicture());
}

TEST_F(MainWindowTest, ModeSwitchesKeepTheRightEdgeAndEmptyTheCards) {
  MakeDeck("a", 22);
  auto form = Open();
  Draw(*form);
  const int right = form->x() + form->width();
  Item(*form, "N31")->trigger();
  EXPECT_EQ(form->x() + form->width(), right);
  EXPECT_EQ(form->width(), 3 * 165 + 4);  // the card width kept
  EXPECT_FALSE(Card(*form, 1)->HasPicture());
  EXPECT_EQ(Card(*form, 1)->Number(), -1);
  EXPECT_EQ(Label(*form, 2)->text().toStdString(), "Вытянуть карты ...");
  EXPECT_TRUE(TMainMenu::ItemAt(MainMenu(*form), 1)->isChecked());
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);

  Draw(*form);
  Item(*form, "N11")->trigger();
  EXPECT_EQ(form->x() + form->width(), right);
  EXPECT_EQ(form->width(), 169);
  EXPECT_EQ(Numbers(*form), (std::vector<int>{-1, -1, -1}));
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
}

TEST_F(MainWindowTest, ScreenCardSizeFollowsThe1280By960Screen) {
  MakeDeck("a", 22);
  auto form = Open(1280, 960, 930);
  ReleaseKey(form.get(), Qt::Key_Backslash);  // screen card size
  EXPECT_EQ(form->height(), 416);
  EXPECT_EQ(Panel(*form, 1)->width(), 206);
  EXPECT_EQ(ini.VaticorFormCardWidth, 206);
  Item(*form, "N31")->trigger();
  ReleaseKey(form.get(), Qt::Key_Backslash);  // screen card size
  EXPECT_EQ(form->width(), 622);              // Round(1280 / 640 * 309) + 4
}

TEST_F(MainWindowTest, AutoCardSizeFollowsThePictureProportions) {
  MakeDeck("a", 22, 200, 350);
  ApplySettings = [](TINIData& d) { d.ApplicationAutoSizeEnabled = true; };
  auto form = Open();
  // The bottom edge dragged down to a height of 350.
  testing::Drag(Image(*form, "Image3"), {5, 1}, {0, 350 - form->height()});
  EXPECT_EQ(form->height(), 350);
  EXPECT_EQ(Panel(*form, 1)->width(), 176);  // (350 - 42) * 200 / 350
  EXPECT_EQ(form->width(), 180);

  ReleaseKey(form.get(), Qt::Key_Equal);  // automatic card size
  EXPECT_EQ(form->height(), 333);
  EXPECT_EQ(Panel(*form, 1)->width(), 166);  // (333 - 42) * 200 / 350, truncated
}

TEST_F(MainWindowTest, AWindowRightOfCentreGrowsToTheLeft) {
  MakeDeck("a", 22, 200, 350);
  auto form = Open();  // at the right edge
  const int right = form->x() + form->width();
  ReleaseKey(form.get(), Qt::Key_Equal);  // automatic card size
  EXPECT_EQ(form->x() + form->width(), right);

  form->move(10, 100);
  const int left = form->x();
  ReleaseKey(form.get(), Qt::Key_Backslash);  // screen card size
  EXPECT_EQ(form->x(), left);
}

TEST_F(MainWindowTest, ChoosingADeckReshowsTheSameCardsFromIt) {
  MakeDeck("a", 22);
  MakeDeck("b", 22, 300, 500);
  ApplySettings = [](TINIData& d) {
    d.UpSideDownCardsEnabled = true;
    d.ThreeCardsModeEnabled = true;
  };
  auto form = Open();
  Draw(*form);
  const std::vector<int> before = Numbers(*form);
  TMainMenu::ItemAt(Decks(*form), 5)->trigger();
  EXPECT_EQ(Numbers(*form), before);
  EXPECT_EQ(decks.CurrentDeck(), 1);
  // Automatic card size takes the new deck's proportions.
  ReleaseKey(form.get(), Qt::Key_Equal);
  EXPECT_EQ(Panel(*form, 1)->width(), 174);  // (333 - 42) * 300 / 500, truncated
  int checked = 0;
  for (QAction* action : Decks(*form)->actions()) checked += action->isChecked();
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
    Draw(*form);
    decksUsed.insert(decks.CurrentDeck());
    int checked = 0;
    for (QAction* action : Decks(*form)->actions()) checked += action->isChecked();
    ASSERT_EQ(checked, 1);
    ASSERT_TRUE(TMainMenu::ItemAt(Decks(*form), 4 + decks.CurrentDeck())->isChecked());
    ASSERT_EQ(ini.DeckIndex, decks.CurrentDeck());
  }
  EXPECT_EQ(decksUsed.size(), 3u);
}

TEST_F(MainWindowTest, ACardClickOpensTheViewerOnThatCard) {
  MakeDeck("a", 22);
  auto form = Open();
  Click(Card(*form, 1));
  EXPECT_TRUE(links.described.empty());
  EXPECT_TRUE(links.viewerVisible);

  Draw(*form);
  const int card = std::abs(Card(*form, 1)->Number());
  Click(Card(*form, 1));
  ASSERT_EQ(links.described.size(), 1u);
  EXPECT_EQ(links.described[0].title, "Card " + std::to_string(card));
  EXPECT_EQ(links.described[0].card, card);
  EXPECT_EQ(links.described[0].section, 0);
}

TEST_F(MainWindowTest, TheCardMenuNamesTheCardAndNewReadingNeedsACard) {
  MakeDeck("a", 22);
  auto form = Open();
  OpenCardMenu(*form, 1);
  QAction* describe = TMainMenu::ItemAt(CardMenu(*form), 0);
  EXPECT_FALSE(describe->isEnabled());
  EXPECT_EQ(describe->text().toStdString(), "Описание карты");
  EXPECT_FALSE(TMainMenu::ItemAt(CardMenu(*form), 2)->isEnabled());

  Draw(*form);
  OpenCardMenu(*form, 1);
  const int card = std::abs(Card(*form, 1)->Number());
  EXPECT_TRUE(describe->isEnabled());
  EXPECT_EQ(describe->text().toStdString(), "Card " + std::to_string(card) + " - Описание карты");
  EXPECT_TRUE(TMainMenu::ItemAt(CardMenu(*form), 2)->isEnabled());
  TMainMenu::ItemAt(CardMenu(*form), 2)->trigger();
  EXPECT_FALSE(Card(*form, 1)->HasPicture());
}

TEST_F(MainWindowTest, OptionItemsSetTheirSettings) {
  MakeDeck("a", 22);
  auto form = Open();
  TMainMenu::ItemAt(Settings(*form), 0)->trigger();
  EXPECT_TRUE(ini.UpSideDownCardsEnabled);
  TMainMenu::ItemAt(Settings(*form), 8)->trigger();
  EXPECT_TRUE(ini.QuestionsLogSaveEnabled);
  TMainMenu::ItemAt(Settings(*form), 5)->trigger();
  EXPECT_TRUE(ini.ApplicationAutoSizeEnabled);
  TMainMenu::ItemAt(Settings(*form), 4)->trigger();
  EXPECT_FALSE(ini.ApplicationShowButtonInTaskBar);
  EXPECT_TRUE(form->TrayIconActive());
  TMainMenu::ItemAt(Settings(*form), 4)->trigger();
  EXPECT_FALSE(form->TrayIconActive());
}

TEST_F(MainWindowTest, TheQuestionWindowOptionMovesTheMainWindowUpButNotBack) {
  MakeDeck("a", 22);
  auto form = Open();  // bottom at 738, question window top at 698
  TMainMenu::ItemAt(Settings(*form), 7)->trigger();
  EXPECT_TRUE(ini.QuestionFormEnabled);
  EXPECT_TRUE(links.questionVisible);
  EXPECT_EQ(form->y() + form->height(), 698);
  EXPECT_TRUE(ini.QuestionFormShifted);
  EXPECT_EQ(ini.VaticorFormTop, form->y());

  TMainMenu::ItemAt(Settings(*form), 7)->trigger();
  EXPECT_FALSE(links.questionVisible);
  EXPECT_EQ(form->y() + form->height(), 698);  // stays
  EXPECT_TRUE(ini.QuestionFormShifted);

  // F4 turns the window on: the option's mark follows.
  ReleaseKey(form.get(), Qt::Key_F4);
  EXPECT_TRUE(ini.QuestionFormEnabled);
  EXPECT_TRUE(TMainMenu::ItemAt(Settings(*form), 7)->isChecked());
}

TEST_F(MainWindowTest, F4TwiceShowsTheQuestionWindowAndMovesBack) {
  MakeDeck("a", 22);
  auto form = Open();
  const int top = form->y();
  ReleaseKey(form.get(), Qt::Key_F4);
  EXPECT_TRUE(links.questionVisible);
  EXPECT_EQ(form->y(), 698 - form->height());
  ReleaseKey(form.get(), Qt::Key_F4);
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
  ReleaseKey(form.get(), Qt::Key_Left);
  EXPECT_EQ(decks.CurrentDeck(), 2);
  ReleaseKey(form.get(), Qt::Key_Right);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  ReleaseKey(form.get(), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(decks.CurrentDeck(), 1);
  ReleaseKey(form.get(), Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 4)->isChecked());
  EXPECT_FALSE(TMainMenu::ItemAt(Decks(*form), 6)->isChecked());
}

TEST_F(MainWindowTest, DeckKeysDoNothingWithoutDecks) {
  auto form = Open();
  ReleaseKey(form.get(), Qt::Key_Right);
  ReleaseKey(form.get(), Qt::Key_R);
  EXPECT_EQ(decks.Count, 0);
}

TEST_F(MainWindowTest, DigitKeysSwitchModesThenDraw) {
  MakeDeck("a", 22);
  auto form = Open();
  ReleaseKey(form.get(), Qt::Key_3);
  EXPECT_TRUE(ini.ThreeCardsModeEnabled);
  EXPECT_TRUE(links.readings.empty());
  ReleaseKey(form.get(), Qt::Key_3);
  ASSERT_EQ(links.readings.size(), 1u);
  EXPECT_EQ(links.readings[0].size(), 3u);
  ReleaseKey(form.get(), Qt::Key_0);
  EXPECT_FALSE(Card(*form, 1)->HasPicture());
  ReleaseKey(form.get(), Qt::Key_1);
  EXPECT_FALSE(ini.ThreeCardsModeEnabled);
  ReleaseKey(form.get(), Qt::Key_1);
  ASSERT_EQ(links.readings.size(), 2u);
  EXPECT_EQ(links.readings[1].size(), 1u);
}

TEST_F(MainWindowTest, AutoSizeKeysSetTheOptionAndItsMark) {
  MakeDeck("a", 22);
  auto form = Open();
  QAction* item = TMainMenu::ItemAt(Settings(*form), 5);
  ReleaseKey(form.get(), Qt::Key_Equal);
  EXPECT_TRUE(ini.ApplicationAutoSizeEnabled);
  EXPECT_TRUE(item->isChecked());
  ReleaseKey(form.get(), Qt::Key_Backslash);
  EXPECT_FALSE(ini.ApplicationAutoSizeEnabled);
  EXPECT_FALSE(item->isChecked());
}

TEST_F(MainWindowTest, LogKeysMoveTheSelectionAndPutReadingsBack) {
  MakeDeck("a", 22);
  auto form = Open();
  links.lines = {"[01.02.2026]", "10:00:00 [3]", "10:05:00 [-5]"};
  ReleaseKey(form.get(), Qt::Key_Up);  // nothing selected: nothing changes
  EXPECT_EQ(links.selected, -1);
  ReleaseKey(form.get(), Qt::Key_Down);
  EXPECT_EQ(links.selected, 0);
  EXPECT_TRUE(links.putBack.empty());  // a date line
  ReleaseKey(form.get(), Qt::Key_Down);
  ReleaseKey(form.get(), Qt::Key_Down);
  ReleaseKey(form.get(), Qt::Key_Down);  // already last
  EXPECT_EQ(links.selected, 2);
  EXPECT_EQ(links.putBack, (std::vector<int>{1, 2}));
  ReleaseKey(form.get(), Qt::Key_Up);
  EXPECT_EQ(links.selected, 1);

  links.selected = -1;
  ReleaseKey(form.get(), Qt::Key_F3);
  EXPECT_TRUE(links.logShown);
  EXPECT_EQ(links.selected, 2);
}

TEST_F(MainWindowTest, EscapeHidesWithATrayIconOrQuestionWindowElseMinimises) {
  MakeDeck("a", 22);
  auto form = Open();
  form->show();
  ReleaseKey(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isMinimized());
  form->showNormal();
  links.questionVisible = true;
  ReleaseKey(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TheTrayIconIsMadeJustAfterTheWindowFirstShows) {
  MakeDeck("a", 22);
  auto form = Open();
  EXPECT_EQ(form->findChild<QSystemTrayIcon*>("TrayIcon1"), nullptr);
  EXPECT_FALSE(form->TrayIconActive());
  form->show();
  EXPECT_EQ(form->findChild<QSystemTrayIcon*>("TrayIcon1"), nullptr) << "before the first paint";
  EXPECT_NE(testing::WaitForTrayIcon(*form, 600), nullptr)
      << "well before the latest moment, a second";
}

TEST_F(MainWindowTest, TrayClicksToggleTheMainWindowOrTheSpreadsWindow) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.QuestionFormEnabled = true; };
  auto form = Open();
  form->show();
  ClickTrayIcon(*form);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(links.questionVisible);
  ClickTrayIcon(*form);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(links.questionVisible);

  Click(Image(*form, "Image7"));
  EXPECT_TRUE(form->Face().SpreadsAreFace());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(links.questionVisible);
  EXPECT_TRUE(links.spreadsVisible);
  ClickTrayIcon(*form);
  EXPECT_FALSE(links.spreadsVisible);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TheMenuOpensBelowTheMenuImage) {
  MakeDeck("a", 22);
  auto form = Open();
  form->move(100, 100);
  Click(Image(*form, "Image1"));
  EXPECT_TRUE(MainMenu(*form)->isVisible());
  EXPECT_EQ(MainMenu(*form)->pos(), QPoint(100 + 2, 100 + 17));
  MainMenu(*form)->hide();
}

TEST_F(MainWindowTest, AnotherLanguageReplacesTheCaptionOnlyOnANonRussianSystem) {
  MakeDeck("a", 22);
  languages.SetEntry(1004, "Draw a card...");
  auto form = Open();
  EXPECT_EQ(Label(*form, 2)->text().toStdString(), "Вытянуть карту ...");
  state.SystemLanguage = "0x0409";
  Item(*form, "N31")->trigger();
  Item(*form, "N11")->trigger();
  EXPECT_EQ(Label(*form, 2)->text().toStdString(), "Draw a card...");
  EXPECT_EQ(Label(*form, 1)->text(), Label(*form, 2)->text());
}

// What a user or a file did to the window before it is checked.
struct SizingCase {
  const char* name;
  const char* settings;  // the settings file, or empty
  int pictureWidth;      // card 0 of the deck
  int pictureHeight;
  std::function<void(TVaticorForm&)> act;
};

class MainWindowSizingTest : public MainWindowTest,
                             public ::testing::WithParamInterface<SizingCase> {};

TEST_P(MainWindowSizingTest, StaysMappedOnTheScreenAndAtLeastItsMinimum) {
  const SizingCase& c = GetParam();
  MakeDeck("a", 22, c.pictureWidth, c.pictureHeight);
  if (*c.settings) dir.Write("Quorlin.ini", c.settings);
  auto form = Open();
  form->show();
  if (c.act) c.act(*form);

  EXPECT_TRUE(form->isVisible());
  const QRect g = form->geometry();
  EXPECT_GE(g.width(), 72);
  EXPECT_GE(g.height(), 82);
  EXPECT_GE(g.left(), 0);
  EXPECT_GE(g.top(), 0);
  EXPECT_LE(g.left() + g.width(), 1024);
  EXPECT_LE(g.top(), 768 - 32);
  EXPECT_LE(g.height(), 768);
  // The panels fill the window between its side edges.
  EXPECT_EQ(Panel(*form, 1)->width() * CardsShown(*form) + 4, g.width());
  // What is saved is what is seen.
  form->close();
  EXPECT_GE(ini.VaticorFormCardWidth, 68);
  EXPECT_LE(ini.VaticorFormCardWidth * CardsShown(*form) + 4, 1024);
  EXPECT_GE(ini.VaticorFormHeight, 82);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowSizingTest,
    ::testing::Values(
        SizingCase{"RightEdgeDraggedToOnePixelThenThree", "", 200, 350,
                   [](TVaticorForm& form) {
                     testing::Drag(Control<TSkinImage>(form, "Image6"), {1, 5}, {-2000, 0});
                     ReleaseKey(&form, Qt::Key_3);
                   }},
        SizingCase{"LeftEdgeDraggedPastTheRightThenThree", "", 200, 350,
                   [](TVaticorForm& form) {
                     testing::Drag(Control<TSkinImage>(form, "Image4"), {1, 5}, {2000, 0});
                     ReleaseKey(&form, Qt::Key_3);
                   }},
        SizingCase{
            "AutoSizeBottomEdgeDraggedToHeight33",
            "[Vaticor Settings]\r\nApplication.AutoSize.Enabled=1\r\n", 200, 350,
            [](TVaticorForm& form) {
              testing::Drag(Control<TSkinImage>(form, "Image3"), {5, 1}, {0, 33 - form.height()});
            }},
        SizingCase{"AutoSizeBottomEdgeDraggedFarDown",
                   "[Vaticor Settings]\r\nApplication.AutoSize.Enabled=1\r\n"
                   "ThreeCardsMode.Enabled=1\r\n",
                   200, 350,
                   [](TVaticorForm& form) {
                     testing::Drag(Control<TSkinImage>(form, "Image3"), {5, 1}, {0, 5000});
                   }},
        SizingCase{"PictureClaiming2000000000By1ThenAutoSize", "", 2000000000, 1,
                   [](TVaticorForm& form) { ReleaseKey(&form, Qt::Key_Equal); }},
        SizingCase{"PictureClaiming2000000000By1InThreeCards", "", 2000000000, 1,
                   [](TVaticorForm& form) {
                     ReleaseKey(&form, Qt::Key_Equal);
                     ReleaseKey(&form, Qt::Key_3);
                     ReleaseKey(&form, Qt::Key_Right);
                   }},
        SizingCase{"CardWidthOfIntMax", "[Form Settings]\r\nVaticorForm.Card.Width=2147483647\r\n",
                   200, 350, [](TVaticorForm& form) { ReleaseKey(&form, Qt::Key_3); }},
        SizingCase{"HeightOfIntMax", "[Form Settings]\r\nVaticorForm.Height=2147483647\r\n", 200,
                   350, nullptr},
        SizingCase{"OnePixelScreenWithAHugeCard",
                   "[Vaticor Settings]\r\nScreen.Width=1\r\n"
                   "[Form Settings]\r\nVaticorForm.Card.Width=3000000\r\n",
                   200, 350, nullptr},
        SizingCase{"OnePixelScreen",
                   "[Vaticor Settings]\r\nScreen.Width=1\r\nScreen.Height=1\r\n"
                   "[Form Settings]\r\nVaticorForm.Left=855\r\nVaticorForm.Top=405\r\n",
                   200, 350, nullptr},
        SizingCase{"FarAboveAndLeft",
                   "[Form Settings]\r\nVaticorForm.Left=-2252\r\nVaticorForm.Top=-23040\r\n", 200,
                   350, [](TVaticorForm& form) { ReleaseKey(&form, Qt::Key_Backslash); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, WithoutATrayHidingMinimisesAndTheTaskbarButtonStays) {
  MakeDeck("a", 22);
  screen.SetHasTray(false);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nApplication.ShowButtonInTaskBar=0\r\n");
  auto form = Open();
  form->show();
  Activate(*form);
  ASSERT_TRUE(form->isActiveWindow());
  EXPECT_FALSE(form->TrayIconActive());
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::Tool));  // still has its taskbar button
  ReleaseKey(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isMinimized());

  // Turning the option off again from the menu changes nothing either.
  form->showNormal();
  QAction* item = TMainMenu::ItemAt(Settings(*form), 4);
  item->trigger();  // on
  item->trigger();  // off
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::Tool));
  Click(Image(*form, "ButtonHideImage"));
  EXPECT_TRUE(form->isMinimized());
}

TEST_F(MainWindowTest, WithATrayHidingTheTaskbarButtonHidesIntoIt) {
  MakeDeck("a", 22);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nApplication.ShowButtonInTaskBar=0\r\n");
  auto form = Open();
  form->show();
  Activate(*form);
  EXPECT_TRUE(form->TrayIconActive());
  ReleaseKey(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

// After an import the lists are read again: a new deck may sort before the
// one in use, which stays in use; a program that had none takes the first.
TEST_F(MainWindowTest, AnAddedDeckJoinsTheMenuAndTheDeckInUseStays) {
  MakeDeck("b", 22);
  MakeDeck("d", 78);
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDeck.Index=1\r\n");
  auto form = Open();
  ASSERT_EQ(decks.CurrentDeck(), 1);
  MakeDeck("a", 22);
  state.Content.ReloadDecks();
  EXPECT_EQ(decks.Count, 3);
  EXPECT_EQ(decks.CurrentDeckFolder(), dir.Path("Decks/d"));
  EXPECT_EQ(ini.DeckIndex, 2);
  EXPECT_EQ(Decks(*form)->actions().size(), 4 + 3);
  EXPECT_EQ(TMainMenu::ItemAt(Decks(*form), 4)->text().toStdString(), "a");
  int checked = 0;
  for (QAction* action : Decks(*form)->actions()) checked += action->isChecked();
  EXPECT_EQ(checked, 1);
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 6)->isChecked());
  // Three decks: the random choices open up.
  EXPECT_TRUE(Item(*form, "N15")->isEnabled());
}

TEST_F(MainWindowTest, TheFirstDeckAddedIsDrawnFromAtOnce) {
  auto form = Open();
  ASSERT_EQ(decks.Count, 0);
  MakeDeck("Mine", 78, 300, 500);
  state.Content.ReloadDecks();
  EXPECT_EQ(decks.Count, 1);
  EXPECT_TRUE(TMainMenu::ItemAt(Decks(*form), 4)->isChecked());
  EXPECT_EQ(picker.Count, 78);
  EXPECT_TRUE(Item(*form, "N27")->isEnabled());  // only major arcana: 78 files
  Draw(*form);
  EXPECT_TRUE(Card(*form, 1)->HasPicture());
}

TEST_F(MainWindowTest, AnAddedDescriptionSetKeepsTheSetInUse) {
  dir.Write("Descriptions/m/description.ini", "[Sections]\r\n");
  dir.Write("Descriptions/z/description.ini", "[Sections]\r\n");
  dir.Write("Quorlin.ini", "[Vaticor Settings]\r\nDescription.Index=1\r\n");
  auto form = Open();
  ASSERT_EQ(descriptions.CurrentDescription(), 1);
  dir.Write("Descriptions/a/description.ini", "[Sections]\r\n");
  links.viewerVisible = true;
  state.Content.ReloadDescriptionSets();
  EXPECT_EQ(descriptions.Count, 3);
  EXPECT_EQ(descriptions.CurrentDescription(), 2);
  EXPECT_EQ(ini.DescriptionIndex, 2);
  EXPECT_EQ(Submenu(*form, "N14")->actions().size(), 2 + 3);
  EXPECT_TRUE(TMainMenu::ItemAt(Submenu(*form, "N14"), 4)->isChecked());
}

TEST_F(MainWindowTest, TheCardMenuCopiesTheDrawnCardsAsText) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.ThreeCardsModeEnabled = true; };
  auto form = Open();
  const QList<QAction*> entries = CardMenu(*form)->actions();
  ASSERT_EQ(entries.size(), 6);
  EXPECT_EQ(entries[4]->objectName(), "N37");
  EXPECT_EQ(entries[5]->objectName(), "N38");
  EXPECT_EQ(entries[4]->text().toStdString(), "Копировать расклад");
  // Nothing drawn yet: nothing to share.
  OpenCardMenu(*form, 1);
  EXPECT_FALSE(entries[4]->isEnabled());
  EXPECT_FALSE(entries[5]->isEnabled());

  form->ShowCard(0, 2);
  form->ShowCard(1, -5);
  form->ShowCard(2, 7);
  OpenCardMenu(*form, 2);
  EXPECT_TRUE(entries[4]->isEnabled());
  entries[4]->trigger();
  EXPECT_EQ(testing::ClipboardAfterFirstLine(),
            "1. Card 2 (прямая)\n"
            "2. Card 5 (перевёрнута)\n"
            "3. Card 7 (прямая)\n");
  // The question window's question, while it is in use.
  links.question = "Что меня ждёт?";
  ini.QuestionFormEnabled = true;
  entries[4]->trigger();
  EXPECT_EQ(testing::ClipboardAfterFirstLine(),
            "Вопрос: Что меня ждёт?\n"
            "1. Card 2 (прямая)\n"
            "2. Card 5 (перевёрнута)\n"
            "3. Card 7 (прямая)\n");
  // One card: one line.
  ini.QuestionFormEnabled = false;
  Item(*form, "N11")->trigger();
  Draw(*form);
  entries[4]->trigger();
  const std::string reading = testing::ClipboardAfterFirstLine();
  EXPECT_TRUE(reading.starts_with("1. Card ")) << reading;
  EXPECT_EQ(std::count(reading.begin(), reading.end(), '\n'), 1);
}

TEST_F(MainWindowTest, TheCardMenuSavesTheCardsSideBySideAsAPicture) {
  MakeDeck("a", 22);
  ApplySettings = [](TINIData& d) { d.ThreeCardsModeEnabled = true; };
  auto form = Open();
  const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
  for (int n = 1; n <= 3; ++n) {
    form->ShowCard(n - 1, n);
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(colours[n - 1]);
    Card(*form, n)->SetPicture(picture);
  }
  pictureDialog->path = dir.Path("draw.png");
  Item(*form, "N38")->trigger();
  const QImage saved(QString::fromStdString(dir.Path("draw.png")));
  ASSERT_FALSE(saved.isNull());
  // The images left to right, each in its raised panel.
  EXPECT_EQ(saved.size(), QSize(493, 289));
  EXPECT_EQ(saved.pixelColor(80, 140), QColor(Qt::red));
  EXPECT_EQ(saved.pixelColor(246, 140), QColor(Qt::green));
  EXPECT_EQ(saved.pixelColor(412, 140), QColor(Qt::blue));
  ASSERT_EQ(pictureDialog->offered.size(), 1u);
  EXPECT_TRUE(pictureDialog->offered[0].starts_with("Vaticor "));
}

TEST_F(MainWindowTest, AWebPageOrMailLinkTheDesktopCannotOpenIsSaidInAMessage) {
  MakeDeck("a", 22);
  auto form = Open();
  testing::RecordedMessages messages;
  shell.handlerFound = false;  // no browser, no mail program
  TMainMenu::ItemAt(Submenu(*form, "N24"), 0)->trigger();
  TMainMenu::ItemAt(Submenu(*form, "N24"), 1)->trigger();
  const std::string cannot =
      "Не удалось открыть ссылку: в системе не нашлось программы для неё.\n\n";
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{cannot + "https://vaticor.org",
                                                        cannot + "mailto:developers@vaticor.org"}));
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].window, form.get());
}

}  // namespace
}  // namespace vaticor
