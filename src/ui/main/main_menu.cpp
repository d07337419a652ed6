#include "ui/main/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"
#include "ui/chrome/reading_share.h"

namespace vaticor {
namespace {

QAction* AddItem(QMenu* menu, const char* objectName, const char* caption) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(objectName);
  return action;
}

void AddSeparator(QMenu* menu, const char* objectName) {
  menu->addSeparator()->setObjectName(objectName);
}

QMenu* AddSubmenu(QMenu* menu, const char* objectName, const char* caption) {
  auto* submenu = new QMenu(menu);
  submenu->setTitle(QString::fromUtf8(caption));
  menu->addMenu(submenu)->setObjectName(objectName);
  return submenu;
}

// The settings submenu as the layout gives it: each option and the
// separators between them, in order.
struct OptionRow {
  const char* name;
  const char* caption;  // nullptr: a separator
  MainOption option;
};
constexpr OptionRow kOptionRows[] = {
    {"N12", "Использовать перевернутые карты", MainOption::kReversedCards},
    {"N27", "Использовать только старшие арканы", MainOption::kOnlyMajorArcana},
    {"N17", "Гадать на случайных колодах", MainOption::kRandomDecks},
    {"N13", nullptr, MainOption::kReversedCards},
    {"N9", "Показывать кнопку на панеле задач", MainOption::kTaskbarButton},
    {"N10", "Автоматическая настройка размера карты", MainOption::kAutoSize},
    {"N21", nullptr, MainOption::kReversedCards},
    {"N28", "Использовать окно вопроса", MainOption::kQuestionWindow},
    {"N22", "Сохранять журнал раскладов", MainOption::kSaveLog},
};

}  // namespace

TMainMenu::TMainMenu(QWidget* window, MainMenuCommands commands)
    : QObject(window), commands_(std::move(commands)) {
  popupMenu1_ = new QMenu(window);
  popupMenu1_->setObjectName("PopupMenu1");
  popupMenu1_->setToolTipsVisible(true);
  oneCard_ = AddItem(popupMenu1_, "N11", "&1 карта");
  threeCards_ = AddItem(popupMenu1_, "N31", "&3 карты");
  oneCard_->setCheckable(true);
  threeCards_->setCheckable(true);
  threeCards_->setChecked(true);
  ConnectCommand(oneCard_, &QAction::triggered, window, [this] { commands_.chooseMode(1); });
  ConnectCommand(threeCards_, &QAction::triggered, window, [this] { commands_.chooseMode(3); });
  AddSeparator(popupMenu1_, "N1");

  deckMenu_ = AddSubmenu(popupMenu1_, "N2", "Выбрать колоду");
  ConnectCommand(AddItem(deckMenu_, "N32", "Добавить колоду..."), &QAction::triggered, window,
                 [this] { commands_.addDeck(); });
  AddSeparator(deckMenu_, "N29");
  randomDeck_ = AddItem(deckMenu_, "N15", "Случайный выбор колоды ...");
  ConnectCommand(randomDeck_, &QAction::triggered, window, [this] { commands_.randomDeck(); });
  AddSeparator(deckMenu_, "N16");

  descriptionMenu_ = AddSubmenu(popupMenu1_, "N14", "Выбрать описание");
  ConnectCommand(AddItem(descriptionMenu_, "N33", "Добавить описание..."), &QAction::triggered,
                 window, [this] { commands_.addDescriptionSet(); });
  AddSeparator(descriptionMenu_, "N34");

  AddSeparator(popupMenu1_, "N3");
  ConnectCommand(AddItem(popupMenu1_, "N5", "Расклады ..."), &QAction::triggered, window,
                 [this] { commands_.showLog(); });
  AddSeparator(popupMenu1_, "N6");

  settingsMenu_ = AddSubmenu(popupMenu1_, "N8", "Настройки");
  options_.assign(7, nullptr);
  for (const OptionRow& row : kOptionRows) {
    if (!row.caption) {
      AddSeparator(settingsMenu_, row.name);
      continue;
    }
    QAction* item = AddItem(settingsMenu_, row.name, row.caption);
    item->setCheckable(true);
    options_[static_cast<std::size_t>(row.option)] = item;
    const MainOption option = row.option;
    ConnectCommand(item, &QAction::triggered, window,
                   [this, option](bool checked) { commands_.option(option, checked); });
  }
  OptionItem(MainOption::kTaskbarButton)->setChecked(true);

  AddSeparator(popupMenu1_, "N7");
  programMenu_ = AddSubmenu(popupMenu1_, "N24", "Программа");
  programMenu_->setToolTipsVisible(true);
  QAction* site = AddItem(programMenu_, "N25", "Посетить сайт программы");
  SetHint(site, kWebPage);
  ConnectCommand(site, &QAction::triggered, window, [this] { commands_.open(kWebPage); });
  QAction* mail = AddItem(programMenu_, "N26", "Письмо разработчику");
  SetHint(mail, kMailLink);
  ConnectCommand(mail, &QAction::triggered, window, [this] { commands_.open(kMailLink); });

  languageMenu_ = AddSubmenu(popupMenu1_, "Interfacelanguage1", "Язык интерфейса");
  russian_ = AddItem(languageMenu_, "N30", "[rus] Русский");
  russian_->setCheckable(true);
  russian_->setChecked(true);
  ConnectCommand(russian_, &QAction::triggered, window, [this] { commands_.chooseLanguage(0); });
  AddSeparator(popupMenu1_, "N23");
  ConnectCommand(AddItem(popupMenu1_, "N4", "Выход"), &QAction::triggered, window,
                 [this] { commands_.exit(); });
  ConnectCommand(popupMenu1_, &QMenu::aboutToShow, window, [this] { commands_.aboutToShow(); });

  popupMenu2_ = new QMenu(window);
  popupMenu2_->setObjectName("PopupMenu2");
  describe_ = AddItem(popupMenu2_, "N19", "Описание карты");
  ConnectCommand(describe_, &QAction::triggered, window, [this] { commands_.describeCard(); });
  AddSeparator(popupMenu2_, "N20");
  newReading_ = AddItem(popupMenu2_, "N18", "Новый расклад");
  ConnectCommand(newReading_, &QAction::triggered, window, [this] { commands_.newReading(); });
  AddSeparator(popupMenu2_, "N36");
  copyReading_ = AddItem(popupMenu2_, "N37", "");
  ConnectCommand(copyReading_, &QAction::triggered, window, [this] { commands_.copyReading(); });
  saveReadingPicture_ = AddItem(popupMenu2_, "N38", "");
  CaptionShareEntries(copyReading_, saveReadingPicture_);
  ConnectCommand(saveReadingPicture_, &QAction::triggered, window,
                 [this] { commands_.saveReadingPicture(); });
}

QAction* TMainMenu::Item(const char* name) const {
  for (QMenu* menu : {popupMenu1_, popupMenu2_}) {
    if (auto* item = menu->findChild<QAction*>(QString::fromLatin1(name))) return item;
    for (QAction* action : menu->actions()) {
      if (action->objectName() == QLatin1String(name)) return action;
    }
  }
  return nullptr;
}

QAction* TMainMenu::ItemAt(QMenu* menu, int position) {
  const QList<QAction*> actions = menu->actions();
  return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

QAction* TMainMenu::OptionItem(MainOption option) const {
  return options_[static_cast<std::size_t>(option)];
}

void TMainMenu::SetThreeCardMode(bool threeCards) {
  oneCard_->setChecked(!threeCards);
  threeCards_->setChecked(threeCards);
}

void TMainMenu::SetOption(MainOption option, bool checked) {
  OptionItem(option)->setChecked(checked);
}

bool TMainMenu::Option(MainOption option) const { return OptionItem(option)->isChecked(); }

void TMainMenu::EnableOption(MainOption option, bool enabled) {
  OptionItem(option)->setEnabled(enabled);
}

void TMainMenu::EnableRandomDeck(bool enabled) { randomDeck_->setEnabled(enabled); }

void TMainMenu::FillItems(QMenu* menu, const std::vector<std::string>& names,
                          std::vector<QAction*>& items, void (TMainMenu::*choose)(int)) {
  for (QAction* item : items) delete item;
  items.clear();
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* item = AddFileItem(menu, QString::fromStdString(names[i]));
    item->setCheckable(true);
    const int position = static_cast<int>(i);
    item->setData(position);
    ConnectCommand(item, &QAction::triggered, static_cast<QWidget*>(parent()),
                   [this, choose, position] { (this->*choose)(position); });
    items.push_back(item);
  }
}

void TMainMenu::SetDecks(const std::vector<std::string>& names) {
  FillItems(deckMenu_, names, deckItems_, &TMainMenu::ChooseDeck);
  checkedDeck_ = -1;
}

void TMainMenu::SetDescriptionSets(const std::vector<std::string>& names) {
  FillItems(descriptionMenu_, names, setItems_, &TMainMenu::ChooseDescriptionSet);
  checkedSet_ = -1;
}

void TMainMenu::ChooseDeck(int deck) { commands_.chooseDeck(deck); }

void TMainMenu::ChooseDescriptionSet(int set) { commands_.chooseDescriptionSet(set); }

void TMainMenu::CheckDeck(int deck) {
  for (std::size_t i = 0; i < deckItems_.size(); ++i) {
    deckItems_[i]->setChecked(static_cast<int>(i) == deck);
  }
  checkedDeck_ = deck;
}

void TMainMenu::CheckDescriptionSet(int set) {
  if (set == checkedSet_) return;
  auto item = [this](int index) -> QAction* {
    return index >= 0 && index < static_cast<int>(setItems_.size())
               ? setItems_[static_cast<std::size_t>(index)]
               : nullptr;
  };
  if (QAction* old = item(checkedSet_)) old->setChecked(false);
  checkedSet_ = set;
  if (QAction* current = item(set)) current->setChecked(true);
}

void TMainMenu::SetLanguages(const std::vector<std::string>& captions) {
  FillItems(languageMenu_, captions, languageItems_, &TMainMenu::ChooseLanguage);
}

void TMainMenu::ChooseLanguage(int file) { commands_.chooseLanguage(file + 1); }

void TMainMenu::CheckLanguage(int position) {
  russian_->setChecked(position == 0);
  for (std::size_t i = 0; i < languageItems_.size(); ++i) {
    languageItems_[i]->setChecked(static_cast<int>(i) + 1 == position);
  }
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
    if (QAction* action = Item(item.name)) {
      action->setText(InterfaceText(languages, item.id, item.layoutText));
    }
  }
  // Beyond the numbered texts.
  CaptionShareEntries(languages, copyReading_, saveReadingPicture_);
}

void TMainMenu::SetDescribeItem(const QString& text, bool enabled) {
  SetFileCaption(popupMenu2_, describe_, text);
  describe_->setEnabled(enabled);
}

void TMainMenu::EnableNewReading(bool enabled) { newReading_->setEnabled(enabled); }

void TMainMenu::EnableSharing(bool enabled) {
  copyReading_->setEnabled(enabled);
  saveReadingPicture_->setEnabled(enabled);
}

}  // namespace vaticor
