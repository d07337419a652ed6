#include "library/reading_hint.h"

#include <cstdint>
#include <optional>

#include "library/reading_log.h"

namespace vaticor {

std::string ReadingLineHint(std::string_view line, const std::vector<std::string>& names,
                            const ReadingHintTexts& texts) {
  if (!IsReadingLine(line)) return {};
  std::string hint;
  for (const std::string& token : ParseCardPart(line).tokens) {
    const std::optional<std::int32_t> value = NumberOfCardToken(token);
    if (!value) continue;
    // The magnitude of the lowest integer does not fit: no deck has it.
    const std::int64_t position = *value < 0 ? -static_cast<std::int64_t>(*value) : *value;
    if (!hint.empty()) hint += '\n';
    hint += std::to_string(position) + " - ";
    if (position >= static_cast<std::int64_t>(names.size())) {
      hint += texts.beyondDeck;
      continue;
    }
    hint += names[static_cast<std::size_t>(position)];
    if (*value < 0) hint += " (" + texts.reversed + ")";
  }
  if (hint.empty() || texts.deckUnknown.empty()) return hint;
  std::string heading = texts.deckUnknown;
  if (!texts.currentDeck.empty()) heading += ": " + texts.currentDeck;
  return heading + '\n' + hint;
}

}  // namespace vaticor
