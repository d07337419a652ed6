#pragma once

// The spreads window with its card windows and deck-groups window, on a
// fixed 1024 x 768 screen (taskbar at 738) with a fake deck, fake file
// dialogs and plain records for the windows around it.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_messages.h"
#include "support/ui/fake_picture_dialog.h"
#include "support/ui/fake_windows.h"
#include "support/ui/picture_tag.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/skin_image.h"
#include "ui/spreads/card_form.h"
#include "ui/spreads/deck_groups_form.h"
#include "ui/spreads/spreads_form.h"

namespace vaticor::testing {

// The file the user "chooses" in each dialog; empty cancels.
class FakeSpreadFileDialogs : public SpreadFileDialogs {
 public:
  std::string OpenSpreadFile(QWidget*) override {
    ++opened;
    return openPath;
  }
  std::string SaveSpreadFile(QWidget*) override {
    ++saved;
    return savePath;
  }
  std::string openPath;
  std::string savePath;
  int opened = 0;
  int saved = 0;
};

// A window's menu entry by its layout name.
inline QAction* Entry(const QMenu* menu, const char* name) {
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String(name)) return action;
  }
  ADD_FAILURE() << "no entry " << name;
  return nullptr;
}
inline QMenu* CardMenu(const TCardForm* card) { return Control<QMenu>(*card, "PopupMenu1"); }
// Opens a card window's menu by a right click on its picture, and closes
// it again.
inline void OpenCardMenu(const TCardForm* card) {
  auto* picture = Control<TCardImage>(*card, "CardImage");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3),
                          picture->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(picture, &event);
  CardMenu(card)->hide();
}
// The entry of the card menu's "Выбрать карту" with the check mark; -1
// when none.
inline int CheckedChoice(const TCardForm* card) {
  const QList<QAction*> entries = Entry(CardMenu(card), "N2")->menu()->actions();
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i]->isChecked()) return i;
  }
  return -1;
}

class SpreadsTest : public ::testing::Test, protected ProgramStateFixture {
 protected:
  void TearDown() override {
    spreads.reset();
    FlushDeletes();
  }

  // A deck of `cards` pictures of 300 x 500 selected, and the window made.
  void Open(int cards = 78, int screenWidth = 1024, int screenHeight = 768, int taskBarTop = 738) {
    MakeDeck("deck", cards, 300, 500);
    ReadSettingsFile(screenWidth, screenHeight, taskBarTop);
    ini.SpreadCardWidth = 104;
    ini.SpreadCardHeight = 173;
    decks.LoadDecks();
    decks.SelectDeck(0);
    picker.InitGenerator(decks.FilesCount);
    auto owned = std::make_unique<FakeSpreadFileDialogs>();
    dialogs = owned.get();
    auto ownedPictureDialog = std::make_unique<FakeReadingPictureDialog>();
    pictureDialog = ownedPictureDialog.get();
    spreads = std::make_unique<TSpreadsForm>(
        *windowState_, SpreadsWindowLinks{main, links, links, host, host, links}, std::move(owned),
        std::move(ownedPictureDialog));
    spreads->setGeometry(100, 100, TSpreadsForm::kWidth, TSpreadsForm::kHeight);
    spreads->ShowSpreads();
  }

  // The same with the window's pictures decoded by one worker, so that the
  // order they are asked for is the order their loads begin.
  void OpenWithOneWorker() {
    oneWorker_.emplace(loader, 1);
    oneWorkerState_.emplace(ProgramState{
        ini, decks, descriptions, picker, random, screen, languages, shell, *oneWorker_,
        state.Content, state.ContentChanges, state.Journal, state.SystemLanguage});
    windowState_ = &*oneWorkerState_;
    Open();
  }

  // Windows closed by their menu or a command go when the event loop says.
  static void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The window of the card at a place in the list; nullptr past the end.
  TCardForm* Card(int place) const {
    const std::vector<QWidget*> cards = spreads->CardWindows();
    if (place < 0 || place >= static_cast<int>(cards.size())) return nullptr;
    return qobject_cast<TCardForm*>(cards[static_cast<std::size_t>(place)]);
  }
  int CardCount() const { return static_cast<int>(spreads->CardWindows().size()); }
  // True while a card window still waits for its picture.
  bool PicturesPending() const {
    for (int i = 0; i < CardCount(); ++i) {
      if (Card(i)->AwaitsPicture()) return true;
    }
    return false;
  }
  // "Сохранить расклад" with the file chosen in its dialog.
  void SaveSpread(const std::string& path) {
    dialogs->savePath = path;
    spreads->findChild<QAction*>("SaveSpreadToFile")->trigger();
  }
  std::vector<int> Tags() const {
    std::vector<int> tags;
    for (int i = 0; i < CardCount(); ++i) tags.push_back(Card(i)->Tag());
    return tags;
  }
  std::vector<int> Groups() const {
    std::vector<int> groups;
    for (int i = 0; i < CardCount(); ++i) groups.push_back(Card(i)->GroupIndex());
    return groups;
  }
  static int Shown(const TCardForm* card) {
    return PictureTag(Control<TCardImage>(*card, "CardImage")->Picture());
  }
  // "Выложить карту" by its key (a click would deal one pixel further: the
  // pressed image stands one pixel lower and to the right).
  void Deal(int times) {
    for (int i = 0; i < times; ++i) ReleaseKey(spreads.get(), Qt::Key_1);
  }
  // Clicks one of the spreads window's images by its layout name.
  void ClickSpreads(const char* name) { Click(Control<TSkinImage>(*spreads, name)); }
  TDeckGroupsForm& DeckGroups() {
    return *qobject_cast<TDeckGroupsForm*>(spreads->DeckGroupsWindow());
  }
  // A group's icon in the deck-groups window.
  TSkinImage* GroupIcon(int group) {
    return Control<TSkinImage>(DeckGroups(),
                               QStringLiteral("GroupImage%1").arg(group).toLatin1().constData());
  }

  FakeMainWindow main;
  FakeLinks links;
  FakeSpreadsHost host;
  FakeSpreadFileDialogs* dialogs = nullptr;
  FakeReadingPictureDialog* pictureDialog = nullptr;
  std::unique_ptr<TSpreadsForm> spreads;
  RecordedMessages recorded;

 private:
  std::optional<PictureWorkers> oneWorker_;
  std::optional<ProgramState> oneWorkerState_;
  ProgramState* windowState_ = &state;
};

}  // namespace vaticor::testing
