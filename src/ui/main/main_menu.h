#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace vaticor {

class TLanguageTable;

// The settings submenu's option items.
enum class MainOption {
  kReversedCards,    // N12
  kOnlyMajorArcana,  // N27
  kRandomDecks,      // N17
  kTaskbarButton,    // N9
  kAutoSize,         // N10
  kQuestionWindow,   // N28
  kSaveLog,          // N22
};

// What the main menu's commands do; the main window fills them in. Each is
// run as a command (a failure shows its message and the program goes on).
struct MainMenuCommands {
  std::function<void(int cardsAcross)> chooseMode;  // "&1 карта", "&3 карты"
  std::function<void()> addDeck;                    // "Добавить колоду..."
  std::function<void()> randomDeck;          // "Случайный выбор колоды ..."
  std::function<void(int deck)> chooseDeck;  // a deck item
  std::function<void()> addDescriptionSet;   // "Добавить описание..."
  std::function<void(int set)> chooseDescriptionSet;            // a set item
  std::function<void()> showLog;                                // "Расклады ..."
  std::function<void(MainOption option, bool checked)> option;  // a settings item
  std::function<void(const char* url)> open;                    // the program submenu
  std::function<void(int position)> chooseLanguage;             // 0: "[rus] Русский"
  std::function<void()> exit;                                   // "Выход"
  std::function<void()> aboutToShow;                            // the main menu opens
  std::function<void()> describeCard;                           // "Описание карты"
  std::function<void()> newReading;                             // "Новый расклад"
  std::function<void()> copyReading;         // "Копировать расклад"
  std::function<void()> saveReadingPicture;  // "Сохранить расклад как картинку"
};

// The main window's two popup menus, item by item as the window's layout
// gives them (each item named as in the layout: N11, N31, ...), with the
// decks and description sets added at run time. The menu holds its items by
// name; positions matter only for building it and for the check marks'
// remembered positions.
class TMainMenu : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kWebPage = "https://vaticor.org";
  static constexpr const char* kMailLink = "mailto:developers@vaticor.org";

  TMainMenu(QWidget* window, MainMenuCommands commands);

  QMenu* Popup() const { return popupMenu1_; }      // PopupMenu1, the main menu
  QMenu* CardPopup() const { return popupMenu2_; }  // PopupMenu2, on the card images
  QMenu* Decks() const { return deckMenu_; }
  QMenu* Descriptions() const { return descriptionMenu_; }
  QMenu* Settings() const { return settingsMenu_; }
  QMenu* Program() const { return programMenu_; }
  QMenu* Languages() const { return languageMenu_; }

  // The item of that layout name anywhere in the two menus; nullptr when
  // there is none.
  QAction* Item(const char* name) const;
  // A menu's item by position, separators counted.
  static QAction* ItemAt(QMenu* menu, int position);

  // Check marks and availability.
  void SetThreeCardMode(bool threeCards);
  void SetOption(MainOption option, bool checked);
  bool Option(MainOption option) const;
  void EnableOption(MainOption option, bool enabled);
  void EnableRandomDeck(bool enabled);

  // Run-time items: one per deck and description set, in list order.
  void SetDecks(const std::vector<std::string>& names);
  void SetDescriptionSets(const std::vector<std::string>& names);
  // Exactly one deck checked (-1: none).
  void CheckDeck(int deck);
  int CheckedDeck() const { return checkedDeck_; }
  // The description set checked; the mark moves only when it changed.
  void CheckDescriptionSet(int set);
  int CheckedDescriptionSet() const { return checkedSet_; }
  // The language submenu: "[rus] Русский" and one item per language file
  // (position i + 1), exactly one checked.
  void SetLanguages(const std::vector<std::string>& captions);
  void CheckLanguage(int position);
  // The items' texts from the interface language (their own until one is
  // applied).
  void ApplyLanguage(const TLanguageTable& languages);

  // The card menu's first item: its text (which holds a card name from the
  // deck file, so it is shown as a name is: see ui/chrome/menu_captions.h)
  // and whether it can be chosen; "Новый расклад" availability.
  void SetDescribeItem(const QString& text, bool enabled);
  void EnableNewReading(bool enabled);
  // The reading's entries after "Новый расклад" (N37 copies its text, N38
  // saves its picture).
  void EnableSharing(bool enabled);

 private:
  QAction* OptionItem(MainOption option) const;
  // Replaces the run-time items of a menu: one checkable item per name,
  // choosing runs `choose` with its position.
  void FillItems(QMenu* menu, const std::vector<std::string>& names, std::vector<QAction*>& items,
                 void (TMainMenu::*choose)(int));
  void ChooseDeck(int deck);
  void ChooseDescriptionSet(int set);
  void ChooseLanguage(int file);

  MainMenuCommands commands_;
  QMenu* popupMenu1_ = nullptr;
  QMenu* popupMenu2_ = nullptr;
  QMenu* deckMenu_ = nullptr;
  QMenu* descriptionMenu_ = nullptr;
  QMenu* settingsMenu_ = nullptr;
  QMenu* programMenu_ = nullptr;
  QMenu* languageMenu_ = nullptr;
  QAction* oneCard_ = nullptr;
  QAction* threeCards_ = nullptr;
  QAction* randomDeck_ = nullptr;
  QAction* russian_ = nullptr;
  QAction* describe_ = nullptr;
  QAction* newReading_ = nullptr;
  QAction* copyReading_ = nullptr;
  QAction* saveReadingPicture_ = nullptr;
  std::vector<QAction*> options_;  // by MainOption
  std::vector<QAction*> deckItems_;
  std::vector<QAction*> setItems_;
  std::vector<QAction*> languageItems_;  // after "[rus] Русский"
  int checkedDeck_ = -1;
  int checkedSet_ = -1;
};

}  // namespace vaticor
