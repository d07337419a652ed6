#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"

namespace vaticor {

// The signed card value that names no card (spreads and spread files).
inline constexpr std::int32_t kNoCard = 255;

// Draws card positions at random without repetition until the deck is
// gathered again: one flag per slot, a count of the slots still free.
class TCardsSpreadGenerator {
 public:
  explicit TCardsSpreadGenerator(RandomGenerator& random) : random_(&random) {}

  std::vector<bool> Used;
  std::int32_t Count = 0;
  std::int32_t Remaining = 0;

  // Seeds the program's random generator from the clock (once), sizes the
  // picker to n slots and gathers it.
  void InitGenerator(std::int32_t n);
  // Sizes the picker to n slots (none below 1) and gathers it, leaving the
  // generator's sequence as it is.
  void Resize(std::int32_t n);
  // Every slot free again.
  void ResetGenerator();
  // Draws one free slot, each with equal probability, and marks it used.
  // With no free slot, returns kNoCard and changes nothing.
  std::int32_t NextCard();

 private:
  RandomGenerator* random_;
};

}  // namespace vaticor
