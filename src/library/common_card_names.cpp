#include "library/common_card_names.h"

#include <array>

#include "library/card_identity.h"
#include "library/content_language.h"

namespace vaticor {
namespace {

// One language's names: the major arcana written out, a minor card made of
// its rank and its suit (each suit with the word that joins it to the rank,
// so that French can say "d'Épées").
struct CardNameTable {
  const char* code;
  std::array<const char*, kMajorArcanaCount> major;
  std::array<const char*, kSuitRanks> ranks;  // ace, two ... ten, page, knight, queen, king
  std::array<const char*, 4> suits;           // wands, cups, swords, pentacles
};

// Russian and English as the sample decks name their cards.
constexpr CardNameTable kTables[] = {
    {"ru",
     {"Шут",
      "Маг",
      "Верховная Жрица",
      "Императрица",
      "Император",
      "Иерофант",
      "Влюблённые",
      "Колесница",
      "Сила",
      "Отшельник",
      "Колесо Фортуны",
      "Справедливость",
      "Повешенный",
      "Смерть",
      "Умеренность",
      "Дьявол",
      "Башня",
      "Звезда",
      "Луна",
      "Солнце",
      "Суд",
      "Мир"},
     {"Туз", "Двойка", "Тройка", "Четвёрка", "Пятёрка", "Шестёрка", "Семёрка", "Восьмёрка",
      "Девятка", "Десятка", "Паж", "Рыцарь", "Королева", "Король"},
     {" Жезлов", " Кубков", " Мечей", " Пентаклей"}},
    {"en",
     {"The Fool",         "The Magician", "The High Priestess", "The Empress", "The Emperor",
      "The Hierophant",   "The Lovers",   "The Chariot",        "Strength",    "The Hermit",
      "Wheel of Fortune", "Justice",      "The Hanged Man",     "Death",       "Temperance",
      "The Devil",        "The Tower",    "The Star",           "The Moon",    "The Sun",
      "Judgement",        "The World"},
     {"Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Page",
      "Knight", "Queen", "King"},
     {" of Wands", " of Cups", " of Swords", " of Pentacles"}},
    {"de",
     {"Der Narr",
      "Der Magier",
      "Die Hohepriesterin",
      "Die Herrscherin",
      "Der Herrscher",
      "Der Hierophant",
      "Die Liebenden",
      "Der Wagen",
      "Die Kraft",
      "Der Eremit",
      "Das Rad des Schicksals",
      "Die Gerechtigkeit",
      "Der Gehängte",
      "Der Tod",
      "Die Mäßigkeit",
      "Der Teufel",
      "Der Turm",
      "Der Stern",
      "Der Mond",
      "Die Sonne",
      "Das Gericht",
      "Die Welt"},
     {"Ass", "Zwei", "Drei", "Vier", "Fünf", "Sechs", "Sieben", "Acht", "Neun", "Zehn", "Bube",
      "Ritter", "Königin", "König"},
     {" der Stäbe", " der Kelche", " der Schwerter", " der Münzen"}},
    {"fr",
     {"Le Fou",
      "Le Magicien",
      "La Grande Prêtresse",
      "L'Impératrice",
      "L'Empereur",
      "Le Hiérophante",
      "Les Amoureux",
      "Le Chariot",
      "La Force",
      "L'Ermite",
      "La Roue de Fortune",
      "La Justice",
      "Le Pendu",
      "La Mort",
      "La Tempérance",
      "Le Diable",
      "La Tour",
      "L'Étoile",
      "La Lune",
      "Le Soleil",
      "Le Jugement",
      "Le Monde"},
     {"As", "Deux", "Trois", "Quatre", "Cinq", "Six", "Sept", "Huit", "Neuf", "Dix", "Valet",
      "Cavalier", "Reine", "Roi"},
     {" de Bâtons", " de Coupes", " d'Épées", " de Deniers"}},
    {"uk",
     {"Блазень",   "Маг",       "Верховна Жриця", "Імператриця",
      "Імператор", "Ієрофант",  "Закохані",       "Колісниця",
      "Сила",      "Відлюдник", "Колесо Фортуни", "Справедливість",
      "Повішений", "Смерть",    "Поміркованість", "Диявол",
      "Вежа",      "Зірка",     "Місяць",         "Сонце",
      "Суд",       "Світ"},
     {"Туз", "Двійка", "Трійка", "Четвірка", "П'ятірка", "Шістка", "Сімка", "Вісімка", "Дев'ятка",
      "Десятка", "Паж", "Лицар", "Королева", "Король"},
     {" Жезлів", " Кубків", " Мечів", " Пентаклів"}},
    {"es",
     {"El Loco",
      "El Mago",
      "La Sacerdotisa",
      "La Emperatriz",
      "El Emperador",
      "El Hierofante",
      "Los Enamorados",
      "El Carro",
      "La Fuerza",
      "El Ermitaño",
      "La Rueda de la Fortuna",
      "La Justicia",
      "El Colgado",
      "La Muerte",
      "La Templanza",
      "El Diablo",
      "La Torre",
      "La Estrella",
      "La Luna",
      "El Sol",
      "El Juicio",
      "El Mundo"},
     {"As", "Dos", "Tres", "Cuatro", "Cinco", "Seis", "Siete", "Ocho", "Nueve", "Diez", "Paje",
      "Caballero", "Reina", "Rey"},
     {" de Bastos", " de Copas", " de Espadas", " de Oros"}},
};

}  // namespace

std::string CommonCardName(std::int32_t identity, std::string_view language) {
  if (identity < 0 || identity >= kCardIdentities) return {};
  for (const CardNameTable& table : kTables) {
    if (!SameLanguage(table.code, language)) continue;
    if (identity < kMajorArcanaCount) return table.major[static_cast<std::size_t>(identity)];
    const std::int32_t minor = identity - kMajorArcanaCount;
    return std::string(table.ranks[static_cast<std::size_t>(minor % kSuitRanks)]) +
           table.suits[static_cast<std::size_t>(minor / kSuitRanks)];
  }
  return {};
}

}  // namespace vaticor
