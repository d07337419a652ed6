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

namespace {

// A line of the reader's text as a run may hold it: no control characters
// but tabs.
std::string RunText(std::string_view line) {
  std::string text(line);
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) c = ' ';
  }
  return text;
}

void AppendTurn(RichDocument& document, const std::string& word, const std::string& keywords,
                const std::string& notes) {
  if (keywords.empty() && notes.empty()) return;
  Paragraph heading;
  TextRun caption;
  caption.text = OneLine(word) + ":";
  caption.bold = true;
  heading.runs.push_back(std::move(caption));
  if (!keywords.empty()) {
    TextRun body;
    body.text = " " + OneLine(keywords);
    heading.runs.push_back(std::move(body));
  }
  heading.spaceBefore = 120;
  document.paragraphs.push_back(std::move(heading));
  if (notes.empty()) return;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = notes.find('\n', start);
    std::string_view line = std::string_view(notes).substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Paragraph paragraph;
    if (!line.empty()) {
      TextRun run;
      run.text = RunText(line);
      paragraph.runs.push_back(std::move(run));
    }
    document.paragraphs.push_back(std::move(paragraph));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

}  // namespace

void AppendReaderMeaning(RichDocument& document, const ReaderMeaningWords& words,
                         const ReaderMeaning& meaning) {
  if (meaning.Empty()) return;
  Paragraph heading;
  TextRun caption;
  caption.text = OneLine(words.heading);
  caption.bold = true;
  caption.colour = kReaderMeaningColour;
  heading.runs.push_back(std::move(caption));
  heading.spaceBefore = document.paragraphs.empty() ? 0 : 240;
  document.paragraphs.push_back(std::move(heading));
  AppendTurn(document, words.upright, meaning.uprightKeywords, meaning.uprightNotes);
  AppendTurn(document, words.reversed, meaning.reversedKeywords, meaning.reversedNotes);
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
