// Card names and meanings for one language, read from content/texts/cards.*.txt.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace sample_content {

inline constexpr int kCardCount = 78;

struct CardText {
  std::string name;      // as shown in the deck and as the document heading
  std::string upright;   // meaning when the card lies upright
  std::string reversed;  // meaning when the card lies reversed
};

// Everything one language contributes: folder and display names of the deck
// and the description set, the headings of the two positions, and the cards.
struct LanguageTexts {
  std::string language;  // "ru" or "en": picks the RTF code page
  std::string deck_folder;
  std::string deck_name;
  std::string set_folder;
  std::string set_name;
  std::string upright_label;
  std::string reversed_label;
  std::array<CardText, kCardCount> cards;
};

// Reads and checks one texts file (UTF-8). Throws std::runtime_error naming
// the file and line when something is missing, repeated or malformed.
LanguageTexts read_language_texts(const std::filesystem::path& file);

}  // namespace sample_content
