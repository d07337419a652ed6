#include "library/rtf_paragraphs.h"

#include <iterator>
#include <string>
#include <utility>

namespace vaticor::rtf {

void ParagraphBuilder::AppendText(Flow& flow, TextRun format, std::string_view utf8,
                                  const ParaFormat& para) {
  std::vector<TextRun>& runs = flow.current.runs;
  const bool canJoin = !runs.empty() && !runs.back().picture;
  if (canJoin && (budget_ == 0 || runs.back().SameFormat(format))) {
    runs.back().text += utf8;
  } else {
    if (budget_ > 0) --budget_;
    format.text = std::string(utf8);
    runs.push_back(std::move(format));
  }
  flow.lastFormat = para;
}

void ParagraphBuilder::AppendPicture(Flow& flow, TextRun format, std::size_t index,
                                     const ParaFormat& para) {
  format.picture = index;
  flow.current.runs.push_back(std::move(format));
  flow.lastFormat = para;
}

void ParagraphBuilder::EndParagraph(Flow& flow, const ParaFormat& format, bool last) {
  Paragraph& paragraph = flow.current;
  if (budget_ == 0 && !last) {
    // Out of allowance: the break stays as a line break.
    if (paragraph.runs.empty()) return;
    if (paragraph.runs.back().picture) {
      TextRun run = paragraph.runs.back();
      run.picture.reset();
      run.text.assign(1, '\n');
      paragraph.runs.push_back(std::move(run));
    } else {
      paragraph.runs.back().text.push_back('\n');
    }
    return;
  }
  if (budget_ > 0) --budget_;
  paragraph.align = format.align;
  paragraph.leftIndent = format.leftIndent;
  paragraph.rightIndent = format.rightIndent;
  paragraph.firstLineIndent = format.firstLineIndent;
  paragraph.spaceBefore = format.spaceBefore;
  paragraph.spaceAfter = format.spaceAfter;
  flow.done.push_back(std::move(paragraph));
  paragraph = Paragraph{};
}

bool ParagraphBuilder::TrimRowEnd(Flow& flow) {
  std::vector<TextRun>& runs = flow.current.runs;
  if (!runs.empty() && !runs.back().picture && !runs.back().text.empty() &&
      runs.back().text.back() == '\t') {
    runs.back().text.pop_back();
    if (runs.back().text.empty()) runs.pop_back();
  }
  return !runs.empty();
}

std::vector<Paragraph> ParagraphBuilder::Take() {
  std::vector<Paragraph> paragraphs = std::move(body_.done);
  paragraphs.insert(paragraphs.end(), std::make_move_iterator(notes_.done.begin()),
                    std::make_move_iterator(notes_.done.end()));
  return paragraphs;
}

}  // namespace vaticor::rtf
