#include "library/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "core/text_utils.h"
#include "library/rtf_document_reader.h"

namespace vaticor {
namespace rtf {
namespace {

// Limits that keep hostile documents cheap. Groups nested deeper than
// kMaxGroupDepth are read as part of the deepest group kept; control words
// with longer names or parameters are read and ignored.
constexpr std::size_t kMaxGroupDepth = 1000;
constexpr std::size_t kMaxWordLetters = 32;
constexpr std::size_t kMaxParamDigits = 10;
constexpr int kMaxUnicodeSkip = 64;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

RichDocument DocumentReader::Read() {
  // Bytes before the first "{" are junk from whatever wrote the file; a
  // file without any is read from its start as if it had one.
  const std::size_t open = in_.find('{');
  pos_ = open == std::string_view::npos ? 0 : open + 1;
  stack_.push_back(GroupState{});
  while (pos_ < in_.size() && !finished_) Step();
  Finish();

  RichDocument document;
  document.fromRtf = true;
  document.paragraphs = paragraphs_.Take();
  document.pictures = std::move(pictures_);
  return document;
}

void DocumentReader::Step() {
  const char c = in_[pos_];
  switch (c) {
    case '{':
      ++pos_;
      OpenGroup();
      break;
    case '}':
      ++pos_;
      CloseGroup();
      break;
    case '\\':
      ReadControl();
      break;
    case '\r':
    case '\n':
      ++pos_;  // line ends in the file are not text
      break;
    default:
      if (!TextSpan()) {
        ++pos_;
        TextByte(static_cast<unsigned char>(c), true);
      }
      break;
  }
}

bool DocumentReader::TextSpan() {
  const GroupState& top = Top();
  if (top.dest != Dest::Text || top.starred || text_.InFallback()) return false;
  std::size_t end = pos_;
  while (end < in_.size() && end - pos_ < kDecodeChunkBytes) {
    const auto b = static_cast<unsigned char>(in_[end]);
    if (b == '{' || b == '}' || b == '\\' || (b < 0x20 && b != '\t')) break;
    ++end;
  }
  if (end == pos_) return false;
  const std::string_view span = in_.substr(pos_, end - pos_);
  pos_ = end;
  HoldBytes(span);
  return true;
}

bool DocumentReader::EndStar() {
  GroupState& top = Top();
  if (!top.starred) return false;
  top.starred = false;
  top.dest = Dest::Skip;
  return true;
}

void DocumentReader::OpenGroup() {
  FlushBytes();
  text_.EndFallback();
  EndStar();
  if (overflow_ > 0 || stack_.size() >= kMaxGroupDepth) {
    ++overflow_;
    return;
  }
  GroupState child = Top();
  if (child.dest == Dest::Picture) child.dest = Dest::Skip;
  stack_.push_back(child);
}

void DocumentReader::CloseGroup() {
  FlushBytes();
  text_.EndFallback();
  if (overflow_ > 0) {
    --overflow_;
    return;
  }
  const GroupState closing = Top();
  if (closing.dest == Dest::FontTable) EndFontEntry();
  if (closing.dest == Dest::Picture) EndPicture(closing);
  if (stack_.size() == 1) {
    finished_ = true;  // the document's own group; whatever follows is not part of it
    return;
  }
  stack_.pop_back();
  if (closing.target == Target::Footnote && Top().target != Target::Footnote) {
    EndOpenParagraph(paragraphs_.Of(Target::Footnote));
  }
}

void DocumentReader::Finish() {
  FlushBytes();
  if (text_.DropPendingHigh()) Deliver(kReplacementUtf8);
  while (!finished_) CloseGroup();  // a truncated file: its groups end with it
  EndOpenParagraph(paragraphs_.Of(Target::Body));
  EndOpenParagraph(paragraphs_.Of(Target::Footnote));
}

void DocumentReader::ReadControl() {
  ++pos_;  // the backslash
  if (pos_ >= in_.size()) return;
  const char c = in_[pos_];
  if (IsAsciiLetter(c)) {
    ReadWord();
    return;
  }
  ++pos_;
  if (c == '\'') {
    int value = 0;
    int digits = 0;
    while (digits < 2 && pos_ < in_.size() && HexDigitValue(in_[pos_]) >= 0) {
      value = value * 16 + HexDigitValue(in_[pos_]);
      ++digits;
      ++pos_;
    }
    if (EndStar()) return;
    if (text_.SkipFallback()) return;
    if (digits > 0) TextByte(static_cast<unsigned char>(value), false);
    return;
  }
  Symbol(c);
}

void DocumentReader::Symbol(char c) {
  if (c == '*') {
    if (overflow_ == 0) Top().starred = true;
    return;
  }
  if (c == '\\' || c == '{' || c == '}') {
    TextByte(static_cast<unsigned char>(c), false);  // may be the second byte of a DBCS character
    return;
  }
  FlushBytes();
  if (EndStar()) return;
  if (text_.SkipFallback()) return;
  switch (c) {
    case '~':
      EmitCodePoint(0x00A0);
      break;
    case '_':
      EmitCodePoint(0x2011);
      break;
    case '\t':
      EmitCodePoint('\t');
      break;
    case '\r':
    case '\n':
      if (Top().dest == Dest::Text) EndParagraph(FlowOf(Top()), Top().para);
      break;
    default:
      break;  // "\-" (optional hyphen) and symbols of indexes and formulas
  }
}

void DocumentReader::ReadWord() {
  const std::size_t start = pos_;
  while (pos_ < in_.size() && IsAsciiLetter(in_[pos_])) ++pos_;
  const std::string_view name = in_.substr(start, pos_ - start);
  bool negative = false;
  if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsAsciiDigit(in_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  std::size_t digits = 0;
  std::int64_t value = 0;
  while (pos_ < in_.size() && IsAsciiDigit(in_[pos_])) {
    if (digits < kMaxParamDigits) value = value * 10 + (in_[pos_] - '0');
    ++digits;
    ++pos_;
  }
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
  FlushBytes();
  const bool valid = name.size() <= kMaxWordLetters && digits <= kMaxParamDigits;
  Word(valid ? FindControlWord(name) : nullptr, digits > 0, negative ? -value : value);
}

void DocumentReader::Word(const WordInfo* info, bool hasParam, std::int64_t param) {
  if (SkippedWord(info, param) || !info) return;
  GroupState& top = Top();
  if (info->action == WordAction::Bin) {
    SkipBinary(hasParam ? param : 0, top.dest == Dest::Picture);
    return;
  }
  if (top.dest == Dest::Skip) return;
  if (IsDestination(info->action)) {
    if (overflow_ == 0) EnterDestination(info->action, top);
    return;
  }
  if (info->action == WordAction::U) {
    UnicodeCharacter(param);
  } else if (info->action == WordAction::Uc) {
    top.unicodeSkip = hasParam ? ClampParam(param, 0, kMaxUnicodeSkip) : 1;
  } else {
    DestinationWord(*info, hasParam, param);
  }
}

bool DocumentReader::SkippedWord(const WordInfo* info, std::int64_t param) {
  const bool binary = info && info->action == WordAction::Bin;
  if (!text_.SkipFallback()) {
    GroupState& top = Top();
    if (!top.starred) return false;
    top.starred = false;
    if (info && info->starredOk) return false;
    top.dest = Dest::Skip;
  }
  if (binary) SkipBinary(param, false);
  return true;
}

void DocumentReader::SkipBinary(std::int64_t count, bool intoPicture) {
  const std::size_t n = static_cast<std::size_t>(
      std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(in_.size() - pos_)));
  if (intoPicture) picture_.Binary(in_.substr(pos_, n));
  pos_ += n;
}

}  // namespace rtf

RichDocument ReadRtf(std::string_view bytes) {
  return rtf::DocumentReader(bytes.substr(0, kMaxDescriptionBytes)).Read();
}

}  // namespace vaticor
