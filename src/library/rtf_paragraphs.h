#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "library/rich_text.h"
#include "library/rtf_group_state.h"

namespace vaticor::rtf {

// Paragraphs being written into: the body or the footnotes.
struct Flow {
  std::vector<Paragraph> done;
  Paragraph current;
  ParaFormat lastFormat;  // where text was last added, for a paragraph the file leaves open
};

// The paragraphs of the body and of the footnotes as text, pictures and
// breaks arrive. Every run and paragraph made takes one element of the
// budget given (ElementBudget); once it is spent, text joins the last run
// and paragraph breaks become line breaks.
class ParagraphBuilder {
 public:
  explicit ParagraphBuilder(std::size_t& budget) : budget_(budget) {}

  Flow& Of(Target target) { return target == Target::Footnote ? notes_ : body_; }

  // UTF-8 text in the run format `format` (its text unused).
  void AppendText(Flow& flow, TextRun format, std::string_view utf8, const ParaFormat& para);
  // A run standing for picture `index`.
  void AppendPicture(Flow& flow, TextRun format, std::size_t index, const ParaFormat& para);
  // Ends the current paragraph in `format`. `last`: the end of the
  // document, which always closes it, budget or not.
  void EndParagraph(Flow& flow, const ParaFormat& format, bool last);
  // The end of a table row: the tab after its last cell goes. True when the
  // row left text, whose paragraph then ends.
  bool TrimRowEnd(Flow& flow);

  // The paragraphs: the body's, then the footnotes'.
  std::vector<Paragraph> Take();

 private:
  std::size_t& budget_;
  Flow body_;
  Flow notes_;
};

}  // namespace vaticor::rtf
