#include "library/rich_text.h"

#include <algorithm>

#include "core/text_layout.h"

namespace vaticor {

bool TextRun::SameFormat(const TextRun& other) const {
  return font == other.font && pointSize == other.pointSize && bold == other.bold &&
         italic == other.italic && underline == other.underline && strike == other.strike &&
         script == other.script && colour == other.colour && highlight == other.highlight &&
         picture == other.picture;
}

std::string PlainText(const Paragraph& paragraph) {
  std::string text;
  for (const TextRun& run : paragraph.runs) {
    text += run.picture ? std::string("\xEF\xBF\xBC") : run.text;
  }
  return text;
}

std::string PlainText(const RichDocument& document) {
  std::string text;
  for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
    if (i > 0) text.push_back('\n');
    text += PlainText(document.paragraphs[i]);
  }
  return text;
}

std::size_t ElementBudget(std::size_t inputSize) {
  constexpr std::size_t kBaseElementBudget = 10'000;
  constexpr std::size_t kBytesPerElement = 16;
  return kBaseElementBudget + inputSize / kBytesPerElement;
}

void SetAllPointSizes(RichDocument& document, double points) {
  for (Paragraph& paragraph : document.paragraphs) {
    for (TextRun& run : paragraph.runs) run.pointSize = points;
  }
}

double TextSizeChoicePoints(int choice) { return 2.0 * std::clamp(choice, 0, 4) + 8.0; }

void PrependPositionMeaning(RichDocument& document, std::string_view label,
                            std::string_view meaning) {
  const std::string text = OneLine(meaning);
  if (text.empty()) return;
  Paragraph paragraph;
  TextRun caption;
  caption.text = OneLine(label) + ": ";
  caption.bold = true;
  TextRun body;
  body.text = text;
  paragraph.runs = {std::move(caption), std::move(body)};
  paragraph.spaceAfter = 240;
  document.paragraphs.insert(document.paragraphs.begin(), std::move(paragraph));
}

}  // namespace vaticor
