#include <optional>
#include <string>
#include <utility>

#include "library/rtf_document_reader.h"
#include "library/rtf_formatting.h"

namespace vaticor::rtf {

void DocumentReader::EnterDestination(WordAction action, GroupState& top) {
  switch (action) {
    case WordAction::SkipDest:
      top.dest = Dest::Skip;
      break;
    case WordAction::FontTable:
      top.dest = Dest::FontTable;
      fonts_.Start();
      break;
    case WordAction::ColourTable:
      top.dest = Dest::ColourTable;
      colours_.Start();
      break;
    case WordAction::Pict:
      top.dest = Dest::Picture;
      picture_.Start();
      break;
    case WordAction::Footnote:
      top.dest = Dest::Text;
      if (top.target != Target::Footnote) ++footnoteCount_;
      top.target = Target::Footnote;
      break;
    case WordAction::ListText:
      top.dest = Dest::Text;
      top.listText = true;
      break;
    case WordAction::Container:
      top.dest = Dest::Container;
      break;
    case WordAction::TextDest:
      top.dest = Dest::Text;
      break;
    default:
      break;
  }
}

void DocumentReader::DestinationWord(const WordInfo& info, bool hasParam, std::int64_t param) {
  GroupState& top = Top();
  switch (top.dest) {
    case Dest::FontTable:
      fonts_.EntryWord(info.action, param, budget_);
      return;
    case Dest::ColourTable:
      colours_.Word(info.action, param);
      return;
    case Dest::Picture:
      picture_.Word(info.action, param);
      return;
    case Dest::Text:
    case Dest::Container:
      if (fonts_.DocumentWord(info.action, param)) return;
      if (ApplyFormatting(info.action, hasParam, param, top.chr, top.para)) return;
      if (top.dest == Dest::Text) BreakOrCharacter(info);
      return;
    case Dest::Skip:
      return;
  }
}

void DocumentReader::BreakOrCharacter(const WordInfo& info) {
  GroupState& top = Top();
  switch (info.action) {
    case WordAction::Par:
      EndParagraph(FlowOf(top), top.para);
      break;
    case WordAction::Line:
      EmitCodePoint('\n');
      break;
    case WordAction::Tab:
    case WordAction::Cell:  // cells of a table row read as tab-separated text
      EmitCodePoint('\t');
      break;
    case WordAction::Row:
      if (paragraphs_.TrimRowEnd(FlowOf(top))) EndParagraph(FlowOf(top), top.para);
      break;
    case WordAction::Char:
      EmitCodePoint(info.character);
      break;
    case WordAction::Chftn:
      FootnoteMark(top);
      break;
    default:
      break;
  }
}

void DocumentReader::FootnoteMark(const GroupState& top) {
  // The mark in the body comes before its footnote's group.
  const std::size_t number = top.target == Target::Footnote ? footnoteCount_ : footnoteCount_ + 1;
  std::u32string digits;
  for (char d : std::to_string(number)) digits.push_back(static_cast<char32_t>(d));
  EmitCodePoints(digits);
}

void DocumentReader::EndPicture(const GroupState& group) {
  std::optional<EmbeddedPicture> picture = picture_.End();
  if (!picture || group.chr.hidden || budget_ == 0) return;
  --budget_;
  pictures_.push_back(std::move(*picture));
  paragraphs_.AppendPicture(FlowOf(group), RunFormat(group.chr, fonts_, colours_),
                            pictures_.size() - 1, group.para);
}

void DocumentReader::EndFontEntry() {
  FlushBytes();
  fonts_.EndEntry();
}

void DocumentReader::TextByte(unsigned char b, bool literal) {
  if (EndStar()) return;
  if (text_.SkipFallback()) return;
  const Dest dest = Top().dest;
  switch (dest) {
    case Dest::Text:
    case Dest::FontTable: {
      if (literal && b == ';' && dest == Dest::FontTable) {
        EndFontEntry();
        return;
      }
      if (b < 0x20 && b != '\t') return;  // NUL and other control bytes
      const char byte = static_cast<char>(b);
      HoldBytes(std::string_view(&byte, 1));
      return;
    }
    case Dest::ColourTable:
      if (literal && b == ';') colours_.EndColour();
      return;
    case Dest::Picture:
      if (literal) picture_.HexDigit(static_cast<char>(b));
      return;
    case Dest::Skip:
    case Dest::Container:
      return;
  }
}

void DocumentReader::HoldBytes(std::string_view bytes) {
  if (!text_.HoldsBytes()) text_.Begin(CurrentCodePage());
  if (text_.Hold(bytes)) FlushBytes();
}

void DocumentReader::FlushBytes() {
  if (text_.HoldsBytes()) EmitCodePoints(text_.TakeCodePoints());
}

int DocumentReader::CurrentCodePage() const {
  const GroupState& top = stack_.back();
  if (top.dest == Dest::FontTable) return fonts_.EntryCodePage();
  return fonts_.CodePageOf(top.chr.font);
}

void DocumentReader::UnicodeCharacter(std::int64_t param) {
  EmitCodePoint(TextDecoder::UnicodeValue(param));
  text_.StartFallback(Top().unicodeSkip);
}

void DocumentReader::EmitCodePoints(std::u32string_view cps) {
  const GroupState& top = Top();
  if (top.dest != Dest::Text && top.dest != Dest::FontTable) return;
  const SymbolFont symbol =
      top.dest == Dest::Text ? fonts_.SymbolFontOf(top.chr.font) : SymbolFont::None;
  Deliver(text_.ToUtf8(cps, symbol, top.listText));
}

void DocumentReader::Deliver(std::string_view utf8) {
  if (utf8.empty()) return;
  const GroupState& top = Top();
  if (top.dest == Dest::Text) {
    if (!top.chr.hidden) {
      paragraphs_.AppendText(FlowOf(top), RunFormat(top.chr, fonts_, colours_), utf8, top.para);
    }
  } else if (top.dest == Dest::FontTable) {
    fonts_.AddToName(utf8);
  }
}

void DocumentReader::EndParagraph(Flow& flow, const ParaFormat& format, bool last) {
  if (text_.DropPendingHigh()) Deliver(kReplacementUtf8);
  paragraphs_.EndParagraph(flow, format, last);
}

void DocumentReader::EndOpenParagraph(Flow& flow) {
  if (!flow.current.runs.empty()) EndParagraph(flow, flow.lastFormat, true);
}

}  // namespace vaticor::rtf
