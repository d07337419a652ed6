#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/journal.h"

namespace vaticor {

// A card description as the description viewer draws it: paragraphs of
// uniformly formatted runs, read from an RTF document or from plain text.
// Lengths are in twips (1/1440 inch, 20 per point), as RTF gives them.

enum class Alignment { Left, Right, Centre, Justify };

// Raised or lowered text (RTF \super and \sub, footnote marks).
enum class Script { Normal, Super, Sub };

// A picture stored inside the document.
struct EmbeddedPicture {
  enum class Format { Png, Jpeg };
  Format format = Format::Png;
  std::string bytes;   // the whole PNG or JPEG file
  int widthTwips = 0;  // the size the document asks for; 0 = the picture's own
  int heightTwips = 0;
  bool operator==(const EmbeddedPicture&) const = default;
};

// Text in one format. A run stands either for text or for a picture.
struct TextRun {
  // UTF-8. "\t" is a tab, "\n" a line break inside the paragraph (RTF
  // \line; QTextDocument wants it as U+2028). No other control characters.
  std::string text;
  std::string font;      // family name; empty = the viewer's default
  double pointSize = 0;  // 0 = the viewer's default
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  Script script = Script::Normal;
  std::optional<std::uint32_t> colour;     // 0xRRGGBB; none = the viewer's text colour
  std::optional<std::uint32_t> highlight;  // 0xRRGGBB background; none = no background
  // Set when the run is a picture: an index into RichDocument::pictures.
  // Such a run has no text; its format fields are those around it.
  std::optional<std::size_t> picture;

  // Equal in everything but the text.
  bool SameFormat(const TextRun& other) const;
  bool operator==(const TextRun&) const = default;
};

struct Paragraph {
  std::vector<TextRun> runs;  // empty for a blank line
  Alignment align = Alignment::Left;
  int leftIndent = 0;       // twips
  int rightIndent = 0;      // twips
  int firstLineIndent = 0;  // twips, relative to leftIndent; negative hangs
  int spaceBefore = 0;      // twips
  int spaceAfter = 0;       // twips
  bool operator==(const Paragraph&) const = default;
};

struct RichDocument {
  // In reading order. Footnotes follow the body, each opening with its
  // number as a superscript run (the same number marks its place in the body).
  std::vector<Paragraph> paragraphs;
  std::vector<EmbeddedPicture> pictures;  // referred to by TextRun::picture
  bool fromRtf = false;
};

// The document's text: paragraphs joined with "\n", a picture as U+FFFC.
std::string PlainText(const RichDocument& document);
std::string PlainText(const Paragraph& paragraph);

// Paragraphs, runs, pictures and fonts a document read from `inputSize`
// bytes may make: a fixed allowance of 10,000 plus one for every 16 bytes of
// input. Past it the readers still let text through but join it to the last
// run (paragraph breaks become line breaks), so the result stays within a
// small multiple of the input.
std::size_t ElementBudget(std::size_t inputSize);

// Sets every run to one size, as the viewer does for a chosen text size.
void SetAllPointSizes(RichDocument& document, double points);

// Puts what the card's position in a spread means before a description:
// a first paragraph of `label` in bold, ": " and `meaning`, each on one
// line (OneLine, core/text_layout.h), with a blank line's space (240 twips)
// after it. Plain text: nothing in `meaning` is markup. Nothing is added for
// a meaning without text.
void PrependPositionMeaning(RichDocument& document, std::string_view label,
                            std::string_view meaning);

// The words that mark the reader's own meaning of a card in the viewer.
struct ReaderMeaningWords {
  std::string heading;   // over it all ("Мои значения")
  std::string upright;   // before the upright keywords
  std::string reversed;  // before the reversed keywords
};
// The colour of the heading, so the reader's words stand apart from the
// description set's: a deep violet, 0xRRGGBB.
inline constexpr std::uint32_t kReaderMeaningColour = 0x5B2A86;

// Puts the reader's own meaning of a card after a description: the heading
// in bold and kReaderMeaningColour, a blank line's space (240 twips) before
// it; then for each turn that has text, a paragraph of its word in bold,
// ": " and its keywords on one line, and its notes, a paragraph a line.
// Plain text: nothing in the meaning is markup; control characters other
// than line breaks and tabs become blanks. Nothing is added for an empty
// meaning.
void AppendReaderMeaning(RichDocument& document, const ReaderMeaningWords& words,
                         const ReaderMeaning& meaning);

// The viewer's text-size choices 0 (smallest) to 4 (largest): 2 * n + 8
// points. Choices outside 0-4 are taken as the nearest one.
double TextSizeChoicePoints(int choice);

}  // namespace vaticor
