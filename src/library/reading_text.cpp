#include "library/reading_text.h"

#include "core/text_layout.h"

namespace vaticor {

std::string ReadingText(std::string_view moment, std::string_view question,
                        const std::vector<ReadingPosition>& positions, const ReadingWords& words) {
  std::string text = OneLine(moment) + "\n";
  const std::string asked = OneLine(question);
  if (!asked.empty()) text += words.question + ": " + asked + "\n";
  for (const ReadingPosition& position : positions) {
    text += std::to_string(position.number) + ". ";
    const std::string meaning = OneLine(position.meaning);
    if (!meaning.empty()) text += meaning + ": ";
    if (position.card) {
      text += OneLine(*position.card) + " (" +
              (position.reversed ? words.reversed : words.upright) + ")";
    } else {
      text += words.noCard;
    }
    text += "\n";
  }
  return text;
}

bool ReadingPictureFits(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxReadingPictureSide &&
         height <= kMaxReadingPictureSide && width * height <= kMaxReadingPicturePixels;
}

std::string ReadingPictureFileName(std::string_view moment) {
  std::string name = "Vaticor " + std::string(moment);
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F ||
        std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      c = '-';
    }
  }
  return name + ".png";
}

}  // namespace vaticor
