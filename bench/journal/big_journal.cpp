#include "big_journal.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>

#include "library/common_card_names.h"
#include "platform/sqlite_journal.h"

namespace vaticor::bench {

std::string BigJournalCardName(int card, bool russian) {
  return vaticor::CommonCardName(card, russian ? "ru" : "en");
}

namespace {

constexpr std::array<const char*, 24> kQuestionsRu = {"Что меня ждёт на работе на этой неделе?",
                                                      "Стоит ли менять работу?",
                                                      "Как сложатся отношения с мужем?",
                                                      "Что он ко мне чувствует?",
                                                      "Будет ли удачной поездка в июле?",
                                                      "Чего ожидать от переезда?",
                                                      "Как поправить здоровье мамы?",
                                                      "Получу ли я эту работу?",
                                                      "Что мне нужно знать сегодня?",
                                                      "Совет на день",
                                                      "Как пройдёт экзамен?",
                                                      "Стоит ли вкладывать деньги в этот проект?",
                                                      "Как помириться с сестрой?",
                                                      "Что мешает мне двигаться дальше?",
                                                      "Какая работа мне подходит?",
                                                      "Вернётся ли он?",
                                                      "Как сложится новый год?",
                                                      "Что скрыто в этой ситуации?",
                                                      "Покупать ли квартиру сейчас?",
                                                      "Как поддержать сына в школе?",
                                                      "Чему меня учит эта любовь?",
                                                      "Будет ли повышение на работе?",
                                                      "Как найти общий язык с начальником?",
                                                      "Что ждёт нашу семью?"};
constexpr std::array<const char*, 16> kQuestionsEn = {
    "What do I need to know today?",
    "Will the new job work out?",
    "How will my love life develop this month?",
    "Should I move to another city?",
    "What is blocking my career?",
    "Card of the day",
    "How can I heal this friendship?",
    "Is this the right time to invest money?",
    "What does he really think of me?",
    "Will my exam go well?",
    "What lesson does this love hold for me?",
    "How will the trip in August go?",
    "What should I focus on at work?",
    "Where is my relationship heading?",
    "How do I find balance between work and family?",
    "What is coming next year?"};
constexpr std::array<const char*, 20> kNoteSentences = {
    "Карты точно описали то, что случилось на работе через неделю.",
    "Башня снова выпала - третий раз за месяц.",
    "Не поняла смысл позиции, вернуться позже.",
    "Разговор с мамой прошёл спокойнее, чем я думала.",
    "Перевёрнутая карта, скорее всего, говорит о задержке.",
    "Работа над собой важнее, чем кажется.",
    "Сбылось почти дословно.",
    "Спросить ещё раз после праздников.",
    "Любовь и деньги в одном раскладе - интересно.",
    "Записала сон накануне: лестница и вода.",
    "The reading was spot on about the job offer.",
    "The Tower again. Something has to give.",
    "I keep drawing Cups whenever I ask about love.",
    "Came true within two weeks.",
    "Not sure about the third card, revisit later.",
    "Felt calm after this reading.",
    "Work has been stressful; the cards agree.",
    "Ask again after the move.",
    "Interesting: all major arcana.",
    "Talked to a friend about this spread, she saw it differently."};
constexpr std::array<const char*, 40> kTags = {
    "работа",    "любовь",  "семья",     "здоровье",  "деньги",      "учёба",     "переезд",
    "отношения", "карьера", "совет дня", "сон",       "путешествие", "дом",       "друзья",
    "мама",      "дети",    "важно",     "сбылось",   "не сбылось",  "проверить", "work",
    "love",      "family",  "health",    "money",     "career",      "travel",    "friends",
    "daily",     "dream",   "important", "came true", "check",       "moon",      "new year",
    "birthday",  "exam",    "home",      "spirit",    "shadow work"};
constexpr std::array<const char*, 10> kCelticRu = {
    "Суть ситуации",     "Препятствие",      "Основа",    "Прошлое",          "Возможное будущее",
    "Ближайшее будущее", "Сам спрашивающий", "Окружение", "Надежды и страхи", "Итог"};
constexpr std::array<const char*, 10> kCelticEn = {
    "The present",     "The challenge", "The foundation",      "The past",        "The crown",
    "The near future", "Yourself",      "External influences", "Hopes and fears", "The outcome"};
constexpr std::array<const char*, 4> kSpreadFiles = {"Кельтский крест.spread",
                                                     "Celtic Cross.spread", "Подкова.spread", ""};

struct Numbers {
  std::mt19937_64 engine{19960101};
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(engine() % n); }
  bool Percent(std::size_t p) { return Below(100) < p; }
};

JournalEntry MakeEntry(Numbers& numbers, int dayNumber, int secondOfDay) {
  JournalEntry entry;
  using namespace std::chrono;
  const year_month_day date{sys_days{1996y / January / 1} + days{dayNumber}};
  const int year = static_cast<int>(date.year());
  const int month = static_cast<int>(static_cast<unsigned>(date.month()));
  entry.moment = JournalMoment(year, month, static_cast<int>(static_cast<unsigned>(date.day())),
                               secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  const bool russian = numbers.Percent(65);
  entry.deckFolder = russian ? "Таро Уэйта" : (numbers.Percent(50) ? "Rider-Waite" : "Marseille");
  entry.descriptionFolder = russian ? "Классические" : "Classic";
  const bool spread = numbers.Percent(8);
  const std::size_t cards = spread ? 10 : numbers.Percent(60) ? 1 : 3;
  entry.kind = spread ? JournalKind::kSpread : JournalKind::kDraw;
  if (spread) entry.spreadFile = kSpreadFiles[numbers.Below(kSpreadFiles.size())];
  if (spread) {
    // The table as a spread file holds it: the cards' size and screen, and
    // each position's place, card and meaning.
    entry.spreadTable =
        "[Spread]\r\nCard.Width=124\r\nCard.Height=197\r\nScreen.Width=1024\r\n"
        "Screen.Height=768\r\nMoment=" +
        entry.moment + "\r\n";
  }
  if (spread || numbers.Percent(70)) {
    entry.question = russian ? kQuestionsRu[numbers.Below(kQuestionsRu.size())]
                             : kQuestionsEn[numbers.Below(kQuestionsEn.size())];
  }
  for (std::size_t n = 0; n < cards; ++n) {
    const int card = static_cast<int>(numbers.Below(78));
    entry.positions.push_back(
        {static_cast<int>(n + 1), spread ? (russian ? kCelticRu[n] : kCelticEn[n]) : "",
         static_cast<std::int32_t>(card), numbers.Percent(30), BigJournalCardName(card, russian)});
  }
  if (numbers.Percent(25)) {
    // Mostly a sentence or three; once in fifty a page or two.
    const std::size_t sentences =
        numbers.Percent(2) ? 20 + numbers.Below(40) : 1 + numbers.Below(3);
    for (std::size_t n = 0; n < sentences; ++n) {
      if (!entry.notes.empty()) entry.notes += numbers.Percent(20) ? "\n" : " ";
      entry.notes += kNoteSentences[numbers.Below(kNoteSentences.size())];
    }
  }
  if (numbers.Percent(5)) {
    for (std::size_t n = 1 + numbers.Below(2); n > 0; --n) {
      entry.followUps.push_back({JournalMoment(year + 1, month, 1, 9, 0, 0),
                                 kNoteSentences[numbers.Below(kNoteSentences.size())]});
    }
  }
  if (numbers.Percent(40)) {
    for (std::size_t n = 1 + numbers.Below(3); n > 0; --n) {
      // The family tag on about a tenth of the entries.
      entry.tags.push_back(numbers.Percent(20) ? kBigJournalTag
                                               : kTags[numbers.Below(kTags.size())]);
    }
    entry.tags = NormaliseTags(entry.tags);
  }
  return entry;
}

}  // namespace

std::vector<JournalEntry> BigJournalEntries(std::size_t count) {
  Numbers numbers;
  std::vector<JournalEntry> entries;
  entries.reserve(count);
  // About nine readings a day over thirty years: 0 to 18 each day, spread
  // from morning to night.
  for (int day = 0; entries.size() < count; ++day) {
    const std::size_t today = std::min(count - entries.size(), numbers.Below(19));
    int second = 7 * 3600;
    for (std::size_t n = 0; n < today; ++n) {
      second += 1 + static_cast<int>(numbers.Below(16 * 3600 / (today + 1)));
      entries.push_back(MakeEntry(numbers, day, std::min(second, 86399)));
    }
  }
  return entries;
}

namespace {

// Whether the file holds a whole big journal this program can read.
bool Usable(const std::string& path) {
  try {
    SqliteJournal journal(path);
    return journal.Notice().kind == JournalNotice::Kind::kNone &&
           journal.Count({}) == kBigJournalEntries && journal.List({}, 0, 1).size() == 1;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

const std::string& BigJournalFile() {
  namespace fs = std::filesystem;
  static const std::string path = [] {
    // The number changes with what is generated.
    const fs::path folder = fs::temp_directory_path() / "vaticor-bench-journal-2";
    const std::string file = (folder / kJournalFileName).string();
    if (fs::exists(file) && Usable(file)) return file;
    const fs::path making = folder / "making";
    fs::remove_all(folder);
    {
      SqliteJournal journal((making / kJournalFileName).string());
      for (const JournalEntry& entry : BigJournalEntries()) journal.Add(entry);
    }
    // Closed, the journal has no log beside it: the file alone is whole.
    fs::rename(making / kJournalFileName, file);
    fs::remove_all(making);
    return file;
  }();
  return path;
}

}  // namespace vaticor::bench
