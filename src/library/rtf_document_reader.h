#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "library/rich_text.h"
#include "library/rtf_control_words.h"
#include "library/rtf_font_table.h"
#include "library/rtf_group_state.h"
#include "library/rtf_paragraphs.h"
#include "library/rtf_picture.h"
#include "library/rtf_text_decoder.h"

namespace vaticor::rtf {

// One read of an RTF document (ReadRtf). rtf_reader.cpp keeps the group
// stack and reads the tokens; rtf_destinations.cpp does what a word or a
// byte of text means in the current destination, through the parts that
// know each kind: fonts and colours, pictures, the text decoder and the
// paragraphs. One element budget (ElementBudget) is shared by all of them.
class DocumentReader {
 public:
  explicit DocumentReader(std::string_view input)
      : in_(input), budget_(ElementBudget(input.size())) {}

  RichDocument Read();

 private:
  // groups and tokens (rtf_reader.cpp)
  void Step();
  // Plain text of the shown kind taken a stretch at a time rather than byte
  // by byte; false when the next byte needs TextByte's care.
  bool TextSpan();
  GroupState& Top() { return stack_.back(); }
  // "\*" followed by anything but the name of a destination read even so.
  bool EndStar();
  void OpenGroup();
  void CloseGroup();
  void Finish();
  void ReadControl();
  void Symbol(char c);
  void ReadWord();
  // `info`: nullptr for a word this reader ignores.
  void Word(const WordInfo* info, bool hasParam, std::int64_t param);
  // A word that stands for one fallback character of a \u, or that follows
  // "\*" without naming a destination read even so (the group is then
  // skipped): nothing but the bytes of a \bin is read of it.
  bool SkippedWord(const WordInfo* info, std::int64_t param);
  // \bin: raw bytes follow, as many as the parameter says (or as remain).
  void SkipBinary(std::int64_t count, bool intoPicture);

  // destinations and text (rtf_destinations.cpp)
  void EnterDestination(WordAction action, GroupState& top);
  // A word that is not a destination, \bin or \u: what it means depends on
  // the destination it is read in.
  void DestinationWord(const WordInfo& info, bool hasParam, std::int64_t param);
  void BreakOrCharacter(const WordInfo& info);
  void FootnoteMark(const GroupState& top);
  void EndPicture(const GroupState& group);
  void EndFontEntry();
  // A byte of text: a literal character (`literal`) or an escaped one.
  void TextByte(unsigned char b, bool literal);
  void HoldBytes(std::string_view bytes);
  void FlushBytes();
  int CurrentCodePage() const;
  void UnicodeCharacter(std::int64_t param);
  void EmitCodePoint(char32_t cp) { EmitCodePoints(std::u32string_view(&cp, 1)); }
  void EmitCodePoints(std::u32string_view cps);
  void Deliver(std::string_view utf8);
  Flow& FlowOf(const GroupState& state) { return paragraphs_.Of(state.target); }
  // `last`: the end of the document, which always closes the paragraph.
  void EndParagraph(Flow& flow, const ParaFormat& format, bool last = false);
  // A paragraph the file leaves without \par keeps the formatting its text
  // was written in.
  void EndOpenParagraph(Flow& flow);

  std::string_view in_;
  std::size_t pos_ = 0;
  std::size_t budget_;  // elements left (ElementBudget), shared by all the parts
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;  // groups opened beyond kMaxGroupDepth and not yet closed
  bool finished_ = false;

  FontTable fonts_;
  ColourTable colours_;
  TextDecoder text_;
  PictureReader picture_;
  std::vector<EmbeddedPicture> pictures_;
  std::size_t footnoteCount_ = 0;
  ParagraphBuilder paragraphs_{budget_};
};

}  // namespace vaticor::rtf
