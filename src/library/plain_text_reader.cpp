// ReadPlainTextDocument and ReadDescriptionDocument (declared in
// rtf_reader.h): a description file that is not RTF, and the choice.
#include <string>

#include "core/text_encoding.h"
#include "library/rtf_reader.h"

namespace vaticor {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

RichDocument ReadPlainTextDocument(std::string_view bytes) {
  bytes = bytes.substr(0, kMaxDescriptionBytes);
  const std::string text = DecodeText(bytes).utf8;
  RichDocument document;
  std::size_t budget = ElementBudget(bytes.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    std::string line;
    line.reserve(end - pos);
    for (std::size_t i = pos; i < end; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c >= 0x20 || c == '\t') line.push_back(text[i]);
    }
    if (budget > 0) {
      --budget;
      Paragraph paragraph;
      if (!line.empty()) {
        paragraph.runs.emplace_back();
        paragraph.runs.back().text = std::move(line);
      }
      document.paragraphs.push_back(std::move(paragraph));
    } else {
      // Out of allowance: the rest joins the last paragraph, line by line.
      Paragraph& last = document.paragraphs.back();
      if (last.runs.empty()) last.runs.emplace_back();
      last.runs.back().text += '\n';
      last.runs.back().text += line;
    }
    pos = end;
    if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
  }
  return document;
}

RichDocument ReadDescriptionDocument(std::string_view bytes) {
  std::string_view rest = bytes;
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r' ||
                           rest.front() == '\n')) {
    rest.remove_prefix(1);
  }
  if (rest.starts_with("{\\rtf")) return ReadRtf(bytes);
  return ReadPlainTextDocument(bytes);
}

}  // namespace vaticor
