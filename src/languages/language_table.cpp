#include "languages/language_table.h"

#include "core/text_encoding.h"
#include "languages/language_file.h"

namespace vaticor {

namespace {

// Russian throughout: once Russian is chosen again after a language file,
// every caption reads as the windows' own Russian ones do (the settings
// submenu was once left as "Options").
constexpr std::array<std::string_view, kInterfaceTextCount> kRussianTexts = {
    "Vaticor",                                 // 1000: program title
    "Меню F10",                                // 1001: menu F10
    "Свернуть",                                // 1002: minimise
    "Выход",                                   // 1003: exit
    "Вытянуть карту...",                       // 1004: draw a card
    "Вытянуть карты...",                       // 1005: draw cards
    "1 карта",                                 // 1006: 1 card
    "3 карты",                                 // 1007: 3 cards
    "Выбрать колоду",                          // 1008: choose deck
    "Выбрать описание",                        // 1009: choose description
    "Расклады...",                             // 1010: readings
    "Настройки",                               // 1011: options
    "Программа",                               // 1012: program
    "Язык интерфейса",                         // 1013: interface language
    "Случайный выбор колоды",                  // 1014: random choice of deck
    "Использовать перевернутые карты",         // 1015: use reversed cards
    "Использовать только старшие арканы",      // 1016: use only the major arcana
    "Гадать на случайных колодах",             // 1017: read with random decks
    "Показывать кнопку на панели задач",       // 1018: show the button on the taskbar
    "Автоматически настраивать размер карты",  // 1019: adjust the card size automatically
    "Использовать окно вопроса",               // 1020: use the question window
    "Сохранять журнал вопросов",               // 1021: save the question log
    "Посетить сайт программы",                 // 1022: visit the program's web site
    "Письмо разработчику",                     // 1023: letter to the developer
    "Выбрать описание",                        // 1024: choose description
    "Размер шрифта",                           // 1025: font size
    "Описание карты",                          // 1026: card description
    "Новый расклад",                           // 1027: new reading
    "Показать...",                             // 1028: show
    "Показать главное окно программы",         // 1029: show the program's main window
    "Закрыть",                                 // 1030: close
    "Очистить список",                         // 1031: clear the list
    "По умолчанию",                            // 1032: default
    "Самый маленький",                         // 1033: smallest
    "Маленький",                               // 1034: small
    "Средний",                                 // 1035: medium
    "Крупный",                                 // 1036: large
    "Самый крупный",                           // 1037: largest
    "Выбор карты",                             // 1038: card choice
    "Добавить колоду...",                      // 1039: add deck
    "Добавить описание...",                    // 1040: add description
    "Выбрать каталог с колодой",               // 1041: choose the folder with the deck
    "Выбрать каталог с описанием",             // 1042: choose the folder with the description
    "Колода добавлена",                        // 1043: deck added
    "Описание добавлено",                      // 1044: description added
};

constexpr bool InRange(int id) { return id >= kFirstInterfaceText && id <= kLastInterfaceText; }

}  // namespace

std::string_view BuiltInRussianText(int id) {
  return InRange(id) ? kRussianTexts[id - kFirstInterfaceText] : std::string_view();
}

std::string TLanguageTable::Entry(int id) const {
  return InRange(id) ? entries_[id - kFirstInterfaceText] : std::string();
}

void TLanguageTable::SetEntry(int id, std::string text) {
  if (InRange(id)) entries_[id - kFirstInterfaceText] = std::move(text);
}

void TLanguageTable::Clear() { *this = TLanguageTable(); }

void TLanguageTable::LoadFile(const std::string& path) { LoadFile(LanguageFile::Read(path), path); }

void TLanguageTable::LoadFile(const LanguageFile& file, const std::string& path) {
  for (int id = kFirstInterfaceText; id <= kLastInterfaceText; ++id) {
    entries_[id - kFirstInterfaceText] = file.Text(id);
  }
  readerTexts_ = file.ReaderTexts();
  journalTexts_ = file.JournalTexts();
  cardsTexts_ = file.CardsTexts();
  languageFilePath_ = path;
  title_ = file.Title();
  applied_ = true;
}

namespace {

std::string TextOfKey(const std::vector<std::pair<std::string, std::string>>& texts,
                      std::string_view key) {
  for (const auto& [name, text] : texts) {
    if (EqualsIgnoreCase(name, key)) return text;
  }
  return {};
}

}  // namespace

std::string TLanguageTable::ReaderText(std::string_view key) const {
  return TextOfKey(readerTexts_, key);
}

std::string TLanguageTable::JournalText(std::string_view key) const {
  return TextOfKey(journalTexts_, key);
}

std::string TLanguageTable::CardsText(std::string_view key) const {
  return TextOfKey(cardsTexts_, key);
}

void TLanguageTable::LoadRussian() {
  for (int id = kFirstInterfaceText; id <= kLastInterfaceText; ++id) {
    entries_[id - kFirstInterfaceText] = std::string(kRussianTexts[id - kFirstInterfaceText]);
  }
  readerTexts_.clear();
  journalTexts_.clear();
  cardsTexts_.clear();
  // The title is looked up again: the file may have changed or gone since.
  title_ = languageFilePath_.empty() ? std::string(kDefaultApplicationTitle)
                                     : LanguageFile::Read(languageFilePath_).Title();
  applied_ = true;
}

std::string TLanguageTable::Caption(int id, std::string_view layoutText) const {
  return applied_ ? Entry(id) : std::string(layoutText);
}

}  // namespace vaticor
