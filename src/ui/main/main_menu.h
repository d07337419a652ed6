#pragma once

#include <QObject>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QString;
class QWidget;

namespace vaticor {

class CommandSet;
class TLanguageTable;
class TTaroDecks;

// The main window's two popup menus as the window's layout gives them, item
// by item (each named as in the layout: N11, N31, ...). The fixed items are
// the window's commands (ui/chrome/command_set.h), shown here; the decks,
// description sets and languages are items of the menu's own, added at run
// time, whose choice it signals.
class TMainMenu : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kWebPage = "https://vaticor.org";
  static constexpr const char* kMailLink = "mailto:developers@vaticor.org";

  // Builds both menus in `window` from `commands`, which holds every fixed
  // item's command by its layout name.
  TMainMenu(QWidget* window, const CommandSet& commands);

  QMenu* Popup() const { return popupMenu1_; }      // PopupMenu1, the main menu
  QMenu* CardPopup() const { return popupMenu2_; }  // PopupMenu2, on the card images

  // A menu's item by position, separators counted; nullptr past the end.
  static QAction* ItemAt(QMenu* menu, int position);

  // Run-time items: one per deck and description set, in list order; the
  // language submenu's "[rus] Русский" and one item per language file
  // (position i + 1). The decks' items are followed by one disabled item
  // per deck that cannot be used, saying why.
  void SetDecks(const TTaroDecks& decks, const TLanguageTable& languages);
  void SetDescriptionSets(const std::vector<std::string>& names);
  void SetLanguages(const std::vector<std::string>& captions);
  // The items that depend on the current deck: "Использовать только
  // старшие арканы" (a deck of the major arcana alone has nothing else to
  // leave out: greyed and checked), choosing at random (needs two decks).
  void FollowDeck(const TTaroDecks& decks, bool onlyMajorArcana);
  // Exactly one checked (-1: none).
  void CheckDeck(int deck);
  void CheckDescriptionSet(int set);
  void CheckLanguage(int position);
  // The items' texts from the interface language (their own until one is
  // applied).
  void ApplyLanguage(const TLanguageTable& languages);
  // The card menu's first item: its text, which holds a card name from the
  // deck file and so is shown as a name is (ui/chrome/menu_captions.h), and
  // whether it can be chosen.
  void SetDescribeItem(const QString& text, bool enabled);

 signals:
  void deckChosen(int deck);
  void descriptionSetChosen(int set);
  // Position 0 is "[rus] Русский".
  void languageChosen(int position);

 private:
  // Replaces the run-time items of a menu: one checkable item per name;
  // choosing one emits `chosen` with its position plus `offset`.
  void FillItems(QMenu* menu, const std::vector<std::string>& names, std::vector<QAction*>& items,
                 void (TMainMenu::*chosen)(int), int offset);
  static void Check(const std::vector<QAction*>& items, int position);

  QWidget* window_;
  const CommandSet& commands_;
  QMenu* popupMenu1_ = nullptr;
  QMenu* popupMenu2_ = nullptr;
  QMenu* deckMenu_ = nullptr;
  std::vector<QAction*> unusableDeckItems_;
  QMenu* descriptionMenu_ = nullptr;
  QMenu* languageMenu_ = nullptr;
  QAction* describe_ = nullptr;
  QAction* russian_ = nullptr;
  std::vector<QAction*> deckItems_;
  std::vector<QAction*> setItems_;
  std::vector<QAction*> languageItems_;  // after "[rus] Русский"
  std::vector<std::string> languageCaptions_;
};

}  // namespace vaticor
