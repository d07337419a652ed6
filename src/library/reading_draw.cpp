#include "library/reading_draw.h"

#include <cstdlib>

namespace vaticor {

std::int32_t EligibleCards(TTaroDecks& decks, bool onlyMajorArcana) {
  // A deck of the major arcana or fewer has no others to leave out.
  if (decks.FilesCount > kMajorArcanaCount && onlyMajorArcana) {
    return decks.PresentCards(kMajorArcanaCount);
  }
  return decks.PresentCards();
}

std::vector<std::int32_t> DrawReading(RandomGenerator& random, TCardsSpreadGenerator& picker,
                                      std::int32_t eligible, int cards) {
  picker.Resize(eligible);
  std::vector<std::int32_t> values;
  for (int i = 0; i < cards; ++i) {
    const bool reversed = random.Random(2) == 1;
    const std::int32_t card = picker.NextCard();
    values.push_back(reversed && card != kNoCard ? -card : card);
  }
  return values;
}

std::int32_t DrawOneCard(RandomGenerator& random, TCardsSpreadGenerator& picker, TTaroDecks& decks,
                         bool onlyMajorArcana, bool reversedCards) {
  const std::int32_t eligible = EligibleCards(decks, onlyMajorArcana);
  if (eligible <= 0) return kNoCard;
  const std::int32_t value = DrawReading(random, picker, eligible, 1).front();
  return reversedCards ? value : std::abs(value);
}

}  // namespace vaticor
