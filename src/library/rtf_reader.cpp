#include "library/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/text_utils.h"
#include "library/rtf_control_words.h"
#include "library/rtf_font_table.h"
#include "library/rtf_formatting.h"
#include "library/rtf_group_state.h"
#include "library/rtf_paragraphs.h"
#include "library/rtf_picture.h"
#include "library/rtf_text_decoder.h"

namespace vaticor {
namespace {

using rtf::Dest;
using rtf::GroupState;
using rtf::kReplacementUtf8;
using rtf::SymbolFont;
using rtf::Target;
using rtf::WordAction;
using rtf::WordInfo;

// Limits that keep hostile documents cheap. Groups nested deeper than
// kMaxGroupDepth are read as part of the deepest group kept; control words
// with longer names or parameters are read and ignored.
constexpr std::size_t kMaxGroupDepth = 1000;
constexpr std::size_t kMaxWordLetters = 32;
constexpr std::size_t kMaxParamDigits = 10;
constexpr int kMaxUnicodeSkip = 64;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The group stack and the tokens of the file, handed to the parts that know
// what the current destination's text and words mean.
class RtfReader {
 public:
  explicit RtfReader(std::string_view input) : in_(input), budget_(ElementBudget(input.size())) {}

  RichDocument Read() {
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

 private:
  void Step() {
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

  // Plain text of the shown kind taken a stretch at a time rather than byte
  // by byte; false when the next byte needs TextByte's care.
  bool TextSpan() {
    const GroupState& top = Top();
    if (top.dest != Dest::Text || top.starred || text_.InFallback()) return false;
    std::size_t end = pos_;
    while (end < in_.size() && end - pos_ < rtf::kDecodeChunkBytes) {
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

  GroupState& Top() { return stack_.back(); }

  // "\*" followed by anything but the name of a destination read even so.
  bool EndStar() {
    GroupState& top = Top();
    if (!top.starred) return false;
    top.starred = false;
    top.dest = Dest::Skip;
    return true;
  }

  void OpenGroup() {
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

  void CloseGroup() {
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

  void Finish() {
    FlushBytes();
    if (text_.DropPendingHigh()) Deliver(kReplacementUtf8);
    while (!finished_) CloseGroup();  // a truncated file: its groups end with it
    EndOpenParagraph(paragraphs_.Of(Target::Body));
    EndOpenParagraph(paragraphs_.Of(Target::Footnote));
  }

  void ReadControl() {
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

  void Symbol(char c) {
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

  void ReadWord() {
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
    Word(valid ? rtf::FindControlWord(name) : nullptr, digits > 0, negative ? -value : value);
  }

  // `info`: nullptr for a word this reader ignores.
  void Word(const WordInfo* info, bool hasParam, std::int64_t param) {
    if (SkippedWord(info, param) || !info) return;
    GroupState& top = Top();
    if (info->action == WordAction::Bin) {
      SkipBinary(hasParam ? param : 0, top.dest == Dest::Picture);
      return;
    }
    if (top.dest == Dest::Skip) return;
    if (rtf::IsDestination(info->action)) {
      if (overflow_ == 0) EnterDestination(info->action, top);
      return;
    }
    if (info->action == WordAction::U) {
      UnicodeCharacter(param);
    } else if (info->action == WordAction::Uc) {
      top.unicodeSkip = hasParam ? rtf::ClampParam(param, 0, kMaxUnicodeSkip) : 1;
    } else {
      DestinationWord(*info, hasParam, param);
    }
  }

  // A word that stands for one fallback character of a \u, or that follows
  // "\*" without naming a destination read even so (the group is then
  // skipped): nothing but the bytes of a \bin is read of it.
  bool SkippedWord(const WordInfo* info, std::int64_t param) {
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

  void EnterDestination(WordAction action, GroupState& top) {
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

  // A word that is not a destination, \bin or \u: what it means depends on
  // the destination it is read in.
  void DestinationWord(const WordInfo& info, bool hasParam, std::int64_t param) {
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
        if (rtf::ApplyFormatting(info.action, hasParam, param, top.chr, top.para)) return;
        if (top.dest == Dest::Text) BreakOrCharacter(info);
        return;
      case Dest::Skip:
        return;
    }
  }

  void BreakOrCharacter(const WordInfo& info) {
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

  void FootnoteMark(const GroupState& top) {
    // The mark in the body comes before its footnote's group.
    const std::size_t number = top.target == Target::Footnote ? footnoteCount_ : footnoteCount_ + 1;
    std::u32string digits;
    for (char d : std::to_string(number)) digits.push_back(static_cast<char32_t>(d));
    EmitCodePoints(digits);
  }

  // \bin: raw bytes follow, as many as the parameter says (or as remain).
  void SkipBinary(std::int64_t count, bool intoPicture) {
    const std::size_t n = static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(in_.size() - pos_)));
    if (intoPicture) picture_.Binary(in_.substr(pos_, n));
    pos_ += n;
  }

  void EndPicture(const GroupState& group) {
    std::optional<EmbeddedPicture> picture = picture_.End();
    if (!picture || group.chr.hidden || budget_ == 0) return;
    --budget_;
    pictures_.push_back(std::move(*picture));
    paragraphs_.AppendPicture(FlowOf(group), rtf::RunFormat(group.chr, fonts_, colours_),
                              pictures_.size() - 1, group.para);
  }

  void EndFontEntry() {
    FlushBytes();
    fonts_.EndEntry();
  }

  // A byte of text: a literal character (`literal`) or an escaped one.
  void TextByte(unsigned char b, bool literal) {
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

  void HoldBytes(std::string_view bytes) {
    if (!text_.HoldsBytes()) text_.Begin(CurrentCodePage());
    if (text_.Hold(bytes)) FlushBytes();
  }

  void FlushBytes() {
    if (text_.HoldsBytes()) EmitCodePoints(text_.TakeCodePoints());
  }

  int CurrentCodePage() const {
    const GroupState& top = stack_.back();
    if (top.dest == Dest::FontTable) return fonts_.EntryCodePage();
    return fonts_.CodePageOf(top.chr.font);
  }

  void UnicodeCharacter(std::int64_t param) {
    EmitCodePoint(rtf::TextDecoder::UnicodeValue(param));
    text_.StartFallback(Top().unicodeSkip);
  }

  void EmitCodePoint(char32_t cp) { EmitCodePoints(std::u32string_view(&cp, 1)); }

  void EmitCodePoints(std::u32string_view cps) {
    const GroupState& top = Top();
    if (top.dest != Dest::Text && top.dest != Dest::FontTable) return;
    const SymbolFont symbol =
        top.dest == Dest::Text ? fonts_.SymbolFontOf(top.chr.font) : SymbolFont::None;
    Deliver(text_.ToUtf8(cps, symbol, top.listText));
  }

  void Deliver(std::string_view utf8) {
    if (utf8.empty()) return;
    const GroupState& top = Top();
    if (top.dest == Dest::Text) {
      if (!top.chr.hidden) {
        paragraphs_.AppendText(FlowOf(top), rtf::RunFormat(top.chr, fonts_, colours_), utf8,
                               top.para);
      }
    } else if (top.dest == Dest::FontTable) {
      fonts_.AddToName(utf8);
    }
  }

  rtf::Flow& FlowOf(const GroupState& state) { return paragraphs_.Of(state.target); }

  // `last`: the end of the document, which always closes the paragraph.
  void EndParagraph(rtf::Flow& flow, const rtf::ParaFormat& format, bool last = false) {
    if (text_.DropPendingHigh()) Deliver(kReplacementUtf8);
    paragraphs_.EndParagraph(flow, format, last);
  }

  // A paragraph the file leaves without \par keeps the formatting its text
  // was written in.
  void EndOpenParagraph(rtf::Flow& flow) {
    if (!flow.current.runs.empty()) EndParagraph(flow, flow.lastFormat, true);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::size_t budget_;  // elements left (ElementBudget), shared by all the parts
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;  // groups opened beyond kMaxGroupDepth and not yet closed
  bool finished_ = false;

  rtf::FontTable fonts_;
  rtf::ColourTable colours_;
  rtf::TextDecoder text_;
  rtf::PictureReader picture_;
  std::vector<EmbeddedPicture> pictures_;
  std::size_t footnoteCount_ = 0;
  rtf::ParagraphBuilder paragraphs_{budget_};
};

}  // namespace

RichDocument ReadRtf(std::string_view bytes) {
  return RtfReader(bytes.substr(0, kMaxDescriptionBytes)).Read();
}

}  // namespace vaticor
