#include "library/spread_picker.h"

namespace vaticor {

void TCardsSpreadGenerator::InitGenerator(std::int32_t n) {
  random_->Randomize();
  Resize(n);
}

void TCardsSpreadGenerator::Resize(std::int32_t n) {
  Count = n > 0 ? n : 0;
  ResetGenerator();
}

void TCardsSpreadGenerator::ResetGenerator() {
  Used.assign(static_cast<std::size_t>(Count), false);
  Remaining = Count;
}

std::int32_t TCardsSpreadGenerator::NextCard() {
  if (Remaining <= 0 || Count < 1) return kNoCard;
  const std::int32_t k = random_->Random(Remaining);
  std::int32_t available = 0;
  for (std::int32_t slot = 0; slot < Count; ++slot) {
    if (Used[static_cast<std::size_t>(slot)]) continue;
    if (available++ == k) {
      Used[static_cast<std::size_t>(slot)] = true;
      --Remaining;
      return slot;
    }
  }
  return kNoCard;  // unreachable while Remaining matches the free flags
}

}  // namespace vaticor
