#include "ui/main/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "library/reading_draw.h"
#include "library/taro_decks.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/deck_problems.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"
#include "ui/chrome/reading_share.h"

namespace vaticor {
namespace {

void AddSeparator(QMenu* menu, const char* objectName) {
  menu->addSeparator()->setObjectName(objectName);
}

QMenu* AddSubmenu(QMenu* menu, const char* objectName, const char* caption) {
  auto* submenu = new QMenu(menu);
  submenu->setTitle(QString::fromUtf8(caption));
  menu->addMenu(submenu)->setObjectName(objectName);
  return submenu;
}

// A menu's rows as the layout gives them: a command by its name with its
// layout text, a separator (no text), or a submenu's place (filled apart).
struct Row {
  const char* name;
  const char* caption;  // nullptr: a separator
};

void AddRows(QMenu* menu, const CommandSet& commands, std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    if (!row.caption) {
      AddSeparator(menu, row.name);
      continue;
    }
    QAction* command = commands[row.name];
    if (command->text().isEmpty()) command->setText(QString::fromUtf8(row.caption));
    menu->addAction(command);
  }
}

}  // namespace

TMainMenu::TMainMenu(QWidget* window, const CommandSet& commands)
    : QObject(window), window_(window), commands_(commands) {
  popupMenu1_ = new QMenu(window);
  popupMenu1_->setObjectName("PopupMenu1");
  popupMenu1_->setToolTipsVisible(true);
  AddRows(popupMenu1_, commands, {{"N11", "&1 карта"}, {"N31", "&3 карты"}, {"N1", nullptr}});

  deckMenu_ = AddSubmenu(popupMenu1_, "N2", "Выбрать колоду");
  AddRows(deckMenu_, commands,
          {{"N32", "Добавить колоду..."},
           {"N29", nullptr},
           {"N15", "Случайный выбор колоды ..."},
           {"N16", nullptr}});
  descriptionMenu_ = AddSubmenu(popupMenu1_, "N14", "Выбрать описание");
  AddRows(descriptionMenu_, commands, {{"N33", "Добавить описание..."}, {"N34", nullptr}});
  AddRows(popupMenu1_, commands, {{"N3", nullptr}, {"N5", "Расклады ..."}, {"N6", nullptr}});

  QMenu* settings = AddSubmenu(popupMenu1_, "N8", "Настройки");
  AddRows(settings, commands,
          {{"N12", "Использовать перевернутые карты"},
           {"N27", "Использовать только старшие арканы"},
           {"N17", "Гадать на случайных колодах"},
           {"N13", nullptr},
           {"N9", "Показывать кнопку на панеле задач"},
           {"N10", "Автоматическая настройка размера карты"},
           {"N21", nullptr},
           {"N28", "Использовать окно вопроса"},
           {"N22", "Сохранять журнал раскладов"},
           {"DayCardSeparator", nullptr},
           {"DayCardAtStart", "Показывать карту дня при первом запуске за день"}});

  AddSeparator(popupMenu1_, "N7");
  QMenu* program = AddSubmenu(popupMenu1_, "N24", "Программа");
  program->setToolTipsVisible(true);
  AddRows(program, commands, {{"N25", "Посетить сайт программы"}, {"N26", "Письмо разработчику"}});
  SetHint(commands["N25"], kWebPage);
  SetHint(commands["N26"], kMailLink);

  languageMenu_ = AddSubmenu(popupMenu1_, "Interfacelanguage1", "Язык интерфейса");
  russian_ = languageMenu_->addAction(QString::fromUtf8("[rus] Русский"));
  russian_->setObjectName("N30");
  russian_->setCheckable(true);
  russian_->setChecked(true);
  ConnectCommand(russian_, &QAction::triggered, window, [this] { emit languageChosen(0); });
  AddRows(popupMenu1_, commands,
          {{"N23", nullptr},
           {"N4", "Выход"},
           {"JournalSeparator", nullptr},
           {"ShowJournal", "Дневник раскладов..."},
           {"DayCard", "Карта дня"},
           {"EnterReading", "Ввести расклад с колоды..."},
           {"ShowGallery", "Галерея карт..."}});

  popupMenu2_ = new QMenu(window);
  popupMenu2_->setObjectName("PopupMenu2");
  AddRows(popupMenu2_, commands,
          {{"N19", "Описание карты"},
           {"N20", nullptr},
           {"N18", "Новый расклад"},
           {"N36", nullptr},
           {"N37", ""},
           {"N38", ""}});
  describe_ = commands["N19"];
  CaptionShareEntries(commands["N37"], commands["N38"]);
}

QAction* TMainMenu::ItemAt(QMenu* menu, int position) {
  const QList<QAction*> actions = menu->actions();
  return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

void TMainMenu::FillItems(QMenu* menu, const std::vector<std::string>& names,
                          std::vector<QAction*>& items, void (TMainMenu::*chosen)(int),
                          int offset) {
  for (QAction* item : items) delete item;
  items.clear();
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* item = AddFileItem(menu, QString::fromStdString(names[i]));
    item->setCheckable(true);
    const int position = static_cast<int>(i) + offset;
    item->setData(position);
    ConnectCommand(item, &QAction::triggered, window_,
                   [this, chosen, position] { emit(this->*chosen)(position); });
    items.push_back(item);
  }
}

void TMainMenu::Check(const std::vector<QAction*>& items, int position) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i]->setChecked(static_cast<int>(i) == position);
  }
}

void TMainMenu::SetDecks(const TTaroDecks& decks, const TLanguageTable& languages) {
  FillItems(deckMenu_, decks.DisplayNames, deckItems_, &TMainMenu::deckChosen, 0);
  for (QAction* item : unusableDeckItems_) delete item;
  unusableDeckItems_.clear();
  for (const ListedOpenDeck& deck : decks.Unusable) {
    // Marked, and chosen it says why in full (a long reason is cut in the
    // menu) and where the deck lies, so that its author can mend it.
    const QString caption = UnusableDeckCaption(languages, deck);
    QAction* item = AddFileItem(deckMenu_, QStringLiteral("⚠ ") + caption);
    const QString message = caption + QStringLiteral("\n\n") + Utf8(deck.folder);
    ConnectCommand(item, &QAction::triggered, window_,
                   [this, message] { ShowNotice(window_, message); });
    unusableDeckItems_.push_back(item);
  }
}

void TMainMenu::SetDescriptionSets(const std::vector<std::string>& names) {
  FillItems(descriptionMenu_, names, setItems_, &TMainMenu::descriptionSetChosen, 0);
}

void TMainMenu::SetLanguages(const std::vector<std::string>& captions) {
  // The same list again (after a language was chosen from it) keeps its
  // items: the one chosen is still being triggered.
  if (captions == languageCaptions_) return;
  languageCaptions_ = captions;
  FillItems(languageMenu_, captions, languageItems_, &TMainMenu::languageChosen, 1);
}

void TMainMenu::FollowDeck(const TTaroDecks& decks, bool onlyMajorArcana) {
  if (decks.Count > 0) {
    const bool minorArcana = decks.FilesCount > kMajorArcanaCount;
    commands_["N27"]->setEnabled(minorArcana);
    commands_["N27"]->setChecked(!minorArcana || onlyMajorArcana);
  }
  const bool severalDecks = decks.Count > 1;
  commands_["N15"]->setEnabled(severalDecks);
  commands_["N17"]->setEnabled(severalDecks);
}

void TMainMenu::CheckDeck(int deck) { Check(deckItems_, deck); }

void TMainMenu::CheckDescriptionSet(int set) { Check(setItems_, set); }

void TMainMenu::CheckLanguage(int position) {
  russian_->setChecked(position == 0);
  Check(languageItems_, position - 1);
}

void TMainMenu::ApplyLanguage(const TLanguageTable& languages) {
  // The items that show an interface text, with the text they start with.
  struct Texted {
    const char* name;
    int id;
    const char* layoutText;
  };
  static constexpr Texted kItems[] = {
      {"N4", 1003, "Выход"},
      {"N11", 1006, "&1 карта"},
      {"N31", 1007, "&3 карты"},
      {"N2", 1008, "Выбрать колоду"},
      {"N14", 1009, "Выбрать описание"},
      {"N5", 1010, "Расклады ..."},
      {"N8", 1011, "Настройки"},
      {"N24", 1012, "Программа"},
      {"Interfacelanguage1", 1013, "Язык интерфейса"},
      {"N15", 1014, "Случайный выбор колоды ..."},
      {"N12", 1015, "Использовать перевернутые карты"},
      {"N27", 1016, "Использовать только старшие арканы"},
      {"N17", 1017, "Гадать на случайных колодах"},
      {"N9", 1018, "Показывать кнопку на панеле задач"},
      {"N10", 1019, "Автоматическая настройка размера карты"},
      {"N28", 1020, "Использовать окно вопроса"},
      {"N22", 1021, "Сохранять журнал раскладов"},
      {"N25", 1022, "Посетить сайт программы"},
      {"N26", 1023, "Письмо разработчику"},
      {"N19", 1026, "Описание карты"},
      {"N18", 1027, "Новый расклад"},
      {"N32", 1039, "Добавить колоду..."},
      {"N33", 1040, "Добавить описание..."},
  };
  for (const Texted& item : kItems) {
    if (auto* action = window_->findChild<QAction*>(QString::fromLatin1(item.name))) {
      action->setText(InterfaceText(languages, item.id, item.layoutText));
    }
  }
  // Beyond the numbered texts.
  CaptionShareEntries(languages, ItemAt(popupMenu2_, 4), ItemAt(popupMenu2_, 5));
  commands_["ShowJournal"]->setText(JournalText(languages, "MenuEntry", "Дневник раскладов..."));
  commands_["DayCard"]->setText(JournalText(languages, "DayCard", "Карта дня"));
  commands_["EnterReading"]->setText(
      CardsText(languages, "EnterReading", "Ввести расклад с колоды..."));
  commands_["ShowGallery"]->setText(CardsText(languages, "GalleryMenuEntry", "Галерея карт..."));
  commands_["DayCardAtStart"]->setText(
      JournalText(languages, "DayCardAtStart", "Показывать карту дня при первом запуске за день"));
}

void TMainMenu::SetDescribeItem(const QString& text, bool enabled) {
  SetFileCaption(popupMenu2_, describe_, text);
  describe_->setEnabled(enabled);
}

}  // namespace vaticor
