#include "sample_spreads.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "core/screen.h"
#include "library/spread_file.h"

namespace sample_content {
namespace {

struct Place {
  int left;
  int top;
  const char* ru;
  const char* en;
};

struct Spread {
  const char* file_ru;
  const char* file_en;
  std::vector<Place> places;
  int card_width = kSpreadCardWidth;
  int card_height = kSpreadCardHeight;
};

// Three columns 30 pixels apart around the screen's middle; rows for the
// cross 20 pixels apart inside the work area. Nothing lies where the spreads
// toolbar stands at first, centred on the taskbar (its 53 pixels above the
// work area's foot, on this screen and, scaled, on wider ones), and no card
// covers the top half of another, where an empty position shows its number
// and meaning.
const std::vector<Spread>& spreads() {
  static const std::vector<Spread> all = {
      {"Прошлое, настоящее, будущее.spread",
       "Past, Present, Future.spread",
       {
           {296, 270, "Прошлое: что привело к нынешнему положению",
            "The past: what has led to the present situation"},
           {450, 270, "Настоящее: положение дел сейчас", "The present: the situation as it stands"},
           {604, 270, "Будущее: куда ведёт нынешний путь",
            "The future: where the present path leads"},
       }},
      {"Крест.spread",
       "Cross.spread",
       {
           {450, 257, "Суть вопроса: положение дел сейчас",
            "The heart of the matter: the situation now"},
           {296, 257, "Прошлое: что уходит", "The past: what is passing away"},
           {604, 257, "Будущее: что приближается", "The future: what is coming"},
           {450, 40, "Что помогает: силы на вашей стороне", "What helps: the forces on your side"},
           {450, 474, "Что мешает: препятствие или скрытое влияние",
            "What hinders: the obstacle or a hidden influence"},
       }},
      // A horseshoe hung for luck: the ends up, the fourth card at the bend;
      // the cards 12 pixels apart across, so that they stay apart on a
      // screen narrower than this one, where cards are wider for their
      // places.
      {"Подкова.spread",
       "Horseshoe.spread",
       {
           {42, 40, "Прошлое: события, что повлияли на вопрос",
            "The past: events that shaped the question"},
           {178, 165, "Настоящее: положение дел сейчас", "The present: the situation as it stands"},
           {314, 290, "Скрытые влияния: то, чего вы пока не видите",
            "Hidden influences: what you cannot see yet"},
           {450, 415, "Препятствия: что стоит на пути", "Obstacles: what stands in the way"},
           {586, 290, "Окружение: отношение и влияние других людей",
            "Surroundings: the attitudes and influence of others"},
           {722, 165, "Совет: что лучше всего сделать", "Advice: the best course to take"},
           {858, 40, "Итог: вероятный исход", "Outcome: the likely result"},
       }},
      // The cross on the left, the crossing card laid over the lower half
      // of the first (card windows do not turn), clear of its number and
      // meaning, written at the top of an empty position; the staff of four
      // on the right. Its cards are a little smaller than the others' so
      // that all four fit the work area whole.
      {"Кельтский крест.spread",
       "Celtic Cross.spread",
       {
           {260, 255, "Суть: положение дел сейчас", "The present: the heart of the matter"},
           {322, 350, "Препятствие: что пересекает путь", "The challenge: what crosses the way"},
           {260, 532, "Основание: корни вопроса", "The foundation: the root of the question"},
           {70, 255, "Недавнее прошлое: что уходит", "The recent past: what is passing away"},
           {260, 40, "Венец: цель или лучшее, что может выйти",
            "The crown: the aim, or the best that can come of it"},
           {490, 255, "Ближайшее будущее: что приближается", "The near future: what is coming"},
           {860, 550, "Вы сами: ваше отношение к вопросу",
            "Yourself: your own attitude to the question"},
           {860, 368, "Окружение: люди и обстоятельства вокруг вас",
            "Surroundings: the people and circumstances around you"},
           {860, 186, "Надежды и опасения", "Hopes and fears"},
           {860, 4, "Итог: к чему всё придёт", "The outcome: where it all leads"},
       },
       113,
       180},
  };
  return all;
}

vaticor::SpreadLayout layout_of(const Spread& spread, bool russian) {
  vaticor::SpreadLayout layout;
  layout.CardWidth = spread.card_width;
  layout.CardHeight = spread.card_height;
  layout.Screen = vaticor::SpreadScreen{kSpreadScreenWidth, kSpreadScreenHeight};
  for (const Place& place : spread.places) {
    if (place.left < 0 || place.top < 0 || place.left + spread.card_width > kSpreadScreenWidth ||
        place.top + spread.card_height > kSpreadWorkAreaHeight)
      throw std::runtime_error(std::string("a position of ") + spread.file_en +
                               " is off the work area");
    layout.Positions.push_back(
        {place.left, place.top, vaticor::kNoCard, russian ? place.ru : place.en});
  }
  return layout;
}

void write_and_check(const std::filesystem::path& file, const vaticor::SpreadLayout& layout) {
  const std::string path = file.string();
  vaticor::WriteSpreadTemplate(path, layout);
  // Read back as the program reads it on the screen the spread is laid out for.
  const vaticor::FixedScreen screen(kSpreadScreenWidth, kSpreadScreenHeight, kSpreadWorkAreaHeight);
  const std::optional<vaticor::SpreadLayout> read = vaticor::ReadSpreadFile(path, 1, 1, screen);
  if (!read || read->Positions != layout.Positions || read->CardWidth != layout.CardWidth ||
      read->CardHeight != layout.CardHeight || read->Screen != layout.Screen)
    throw std::runtime_error(path + " does not read back as written");
}

}  // namespace

int write_sample_spreads(const std::filesystem::path& folder) {
  int written = 0;
  for (const Spread& spread : spreads()) {
    const std::string ru = spread.file_ru;
    write_and_check(folder / std::filesystem::path(std::u8string(ru.begin(), ru.end())),
                    layout_of(spread, true));
    write_and_check(folder / spread.file_en, layout_of(spread, false));
    written += 2;
  }
  return written;
}

}  // namespace sample_content
