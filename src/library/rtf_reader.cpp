#include "library/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/text_encoding.h"
#include "core/text_utils.h"
#include "library/rtf_code_pages.h"
#include "library/rtf_control_words.h"
#include "library/rtf_symbol_fonts.h"

namespace vaticor {
namespace {

using rtf::CodePageDecoder;
using rtf::SymbolFont;
using rtf::WordAction;
using rtf::WordInfo;

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Limits that keep hostile documents cheap. Groups nested deeper than
// kMaxGroupDepth are read as part of the deepest group kept; control words
// with longer names or parameters are read and ignored.
constexpr std::size_t kMaxGroupDepth = 1000;
constexpr std::size_t kMaxWordLetters = 32;
constexpr std::size_t kMaxParamDigits = 10;
constexpr std::size_t kMaxFontNameBytes = 31;  // as long as a Windows face name gets
constexpr std::size_t kMaxColours = 65536;
constexpr int kMaxUnicodeSkip = 64;
constexpr int kMaxHalfPoints = 3276;    // 1638 points, Word's largest
constexpr int kMaxIndentTwips = 31680;  // 22 inches, Word's limit
constexpr std::int64_t kMaxPictureTwips = 1'000'000;
constexpr std::size_t kDecodeChunkBytes = 4096;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What the text of a group is for.
enum class Dest : std::uint8_t {
  Text,       // shown
  Skip,       // not shown; only braces and \bin matter
  Container,  // its own text dropped, some inner destinations shown
  FontTable,
  ColourTable,
  Picture,
};

enum class Target : std::uint8_t { Body, Footnote };

struct CharFormat {
  std::optional<int> font;  // \f; none = the document's default font (\deff)
  int halfPoints = 0;       // \fs; 0 = default
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  Script script = Script::Normal;
  int colour = -1;  // colour table indexes; -1 = none
  int highlight = -1;
  int background = -1;
};

struct ParaFormat {
  Alignment align = Alignment::Left;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
};

// Everything an RTF group saves and restores. Plain data: groups are pushed
// and popped by copying it.
struct GroupState {
  CharFormat chr;
  ParaFormat para;
  int unicodeSkip = 1;  // \uc
  Dest dest = Dest::Text;
  Target target = Target::Body;
  bool listText = false;  // \pntext, \listtext
  bool starred = false;   // "\*" read, the destination's name not yet
};

struct FontInfo {
  std::string name;
  int charset = -1;  // \fcharset; -1 = none given
  int codePage = 0;  // \cpg; 0 = none given
};

struct PictureData {
  std::optional<EmbeddedPicture::Format> format;
  std::string bytes;
  int nibble = -1;  // first hex digit of a byte, when one is waiting
  std::int64_t width = 0, height = 0, goalWidth = 0, goalHeight = 0;
  std::int64_t scaleX = 100, scaleY = 100;
};

// Paragraphs being written into: the body or the footnotes.
struct Flow {
  std::vector<Paragraph> done;
  Paragraph current;
  ParaFormat lastFormat;  // where text was last added, for a paragraph the file leaves open
};

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
    document.paragraphs = std::move(body_.done);
    document.paragraphs.insert(document.paragraphs.end(),
                               std::make_move_iterator(notes_.done.begin()),
                               std::make_move_iterator(notes_.done.end()));
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
    if (top.dest != Dest::Text || top.starred || fallbackLeft_ > 0) return false;
    std::size_t end = pos_;
    while (end < in_.size() && end - pos_ < kDecodeChunkBytes) {
      const auto b = static_cast<unsigned char>(in_[end]);
      if (b == '{' || b == '}' || b == '\\' || (b < 0x20 && b != '\t')) break;
      ++end;
    }
    if (end == pos_) return false;
    if (bytes_.empty()) bytesCodePage_ = CurrentCodePage();
    bytes_.append(in_.substr(pos_, end - pos_));
    pos_ = end;
    if (bytes_.size() >= kDecodeChunkBytes && (static_cast<unsigned char>(bytes_.back()) < 0x40 ||
                                               decoder_.IsSingleByte(bytesCodePage_))) {
      FlushBytes();
    }
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
    fallbackLeft_ = 0;
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
    fallbackLeft_ = 0;
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
      EndOpenParagraph(notes_);
    }
  }

  void Finish() {
    FlushBytes();
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      Deliver(kReplacementUtf8);
    }
    while (!finished_) CloseGroup();  // a truncated file: its groups end with it
    EndOpenParagraph(body_);
    EndOpenParagraph(notes_);
  }

  // --- tokens -------------------------------------------------------------

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
      if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
      }
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
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
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
    Word(name, digits > 0, negative ? -value : value, valid);
  }

  static int ClampInt(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(value, low, high));
  }

  void Word(std::string_view name, bool hasParam, std::int64_t param, bool valid) {
    const WordInfo* info = valid ? rtf::FindControlWord(name) : nullptr;

    if (fallbackLeft_ > 0) {  // a control word stands for one fallback character
      --fallbackLeft_;
      if (info && info->action == WordAction::Bin) SkipBinary(param, false);
      return;
    }
    GroupState& top = Top();
    if (top.starred) {
      top.starred = false;
      if (!info || !info->starredOk) {
        top.dest = Dest::Skip;
        if (info && info->action == WordAction::Bin) SkipBinary(param, false);
        return;
      }
    }
    if (!info) return;
    if (info->action == WordAction::Bin) {
      SkipBinary(hasParam ? param : 0, top.dest == Dest::Picture);
      return;
    }
    if (top.dest == Dest::Skip) return;
    if (rtf::IsDestination(info->action)) {
      if (overflow_ == 0) EnterDestination(info->action, top);
      return;
    }
    switch (info->action) {
      case WordAction::U:
        UnicodeCharacter(param);
        return;
      case WordAction::Uc:
        top.unicodeSkip = hasParam ? ClampInt(param, 0, kMaxUnicodeSkip) : 1;
        return;
      default:
        break;
    }
    switch (top.dest) {
      case Dest::FontTable:
        FontTableWord(info->action, param);
        return;
      case Dest::ColourTable:
        ColourTableWord(info->action, param);
        return;
      case Dest::Picture:
        PictureWord(info->action, param);
        return;
      case Dest::Text:
      case Dest::Container:
        TextWord(*info, hasParam, param);
        return;
      case Dest::Skip:
        return;
    }
  }

  void EnterDestination(WordAction action, GroupState& top) {
    switch (action) {
      case WordAction::SkipDest:
        top.dest = Dest::Skip;
        break;
      case WordAction::FontTable:
        top.dest = Dest::FontTable;
        currentFont_.reset();
        fontName_.clear();
        break;
      case WordAction::ColourTable:
        top.dest = Dest::ColourTable;
        colours_.clear();
        colourSet_ = false;
        red_ = green_ = blue_ = 0;
        break;
      case WordAction::Pict:
        top.dest = Dest::Picture;
        picture_ = PictureData{};
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

  void TextWord(const WordInfo& info, bool hasParam, std::int64_t param) {
    GroupState& top = Top();
    CharFormat& chr = top.chr;
    ParaFormat& para = top.para;
    const bool on = !hasParam || param != 0;
    const int index = ClampInt(param, -1, INT32_MAX);
    const int twips = ClampInt(param, -kMaxIndentTwips, kMaxIndentTwips);
    switch (info.action) {
      case WordAction::Ansi:
        charsetCodePage_ = 1252;
        break;
      case WordAction::Mac:
        charsetCodePage_ = 10000;
        break;
      case WordAction::Pc:
        charsetCodePage_ = 437;
        break;
      case WordAction::Pca:
        charsetCodePage_ = 850;
        break;
      case WordAction::AnsiCpg:
        if (rtf::IsKnownCodePage(ClampInt(param, 0, INT32_MAX)))
          ansiCodePage_ = ClampInt(param, 0, INT32_MAX);
        break;
      case WordAction::Deff:
        defaultFont_ = ClampInt(param, INT32_MIN, INT32_MAX);
        break;

      case WordAction::Plain:
        chr = CharFormat{};
        break;
      case WordAction::F:
        chr.font = ClampInt(param, INT32_MIN, INT32_MAX);
        break;
      case WordAction::B:
        chr.bold = on;
        break;
      case WordAction::I:
        chr.italic = on;
        break;
      case WordAction::Ul:
        chr.underline = on;
        break;
      case WordAction::UlNone:
        chr.underline = false;
        break;
      case WordAction::Strike:
        chr.strike = on;
        break;
      case WordAction::Fs:
        chr.halfPoints = !hasParam ? 24 : param <= 0 ? 0 : ClampInt(param, 1, kMaxHalfPoints);
        break;
      case WordAction::Cf:
        chr.colour = index;
        break;
      case WordAction::Highlight:
        chr.highlight = index;
        break;
      case WordAction::Cb:
        chr.background = index;
        break;
      case WordAction::Super:
        chr.script = on ? Script::Super : Script::Normal;
        break;
      case WordAction::Sub:
        chr.script = on ? Script::Sub : Script::Normal;
        break;
      case WordAction::NoSuperSub:
        chr.script = Script::Normal;
        break;
      case WordAction::Hidden:
        chr.hidden = on;
        break;

      case WordAction::Pard:
        para = ParaFormat{};
        break;
      case WordAction::Ql:
        para.align = Alignment::Left;
        break;
      case WordAction::Qr:
        para.align = Alignment::Right;
        break;
      case WordAction::Qc:
        para.align = Alignment::Centre;
        break;
      case WordAction::Qj:
        para.align = Alignment::Justify;
        break;
      case WordAction::Li:
        para.leftIndent = twips;
        break;
      case WordAction::Ri:
        para.rightIndent = twips;
        break;
      case WordAction::Fi:
        para.firstLineIndent = twips;
        break;
      case WordAction::Sb:
        para.spaceBefore = std::max(0, twips);
        break;
      case WordAction::Sa:
        para.spaceAfter = std::max(0, twips);
        break;

      default:
        if (top.dest == Dest::Text) BreakOrCharacter(info);
        break;
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
        EndRow(FlowOf(top), top.para);
        break;
      case WordAction::Char:
        EmitCodePoint(info.character);
        break;
      case WordAction::Chftn: {
        // The mark in the body comes before its footnote's group.
        const std::size_t number =
            top.target == Target::Footnote ? footnoteCount_ : footnoteCount_ + 1;
        std::u32string digits;
        for (char d : std::to_string(number)) digits.push_back(static_cast<char32_t>(d));
        EmitCodePoints(digits);
        break;
      }
      default:
        break;
    }
  }

  void FontTableWord(WordAction action, std::int64_t param) {
    switch (action) {
      case WordAction::F: {
        if (!fontName_.empty()) EndFontEntry();
        const int id = ClampInt(param, INT32_MIN, INT32_MAX);
        currentFont_.reset();
        if (fonts_.find(id) == fonts_.end()) {
          if (budget_ == 0) return;
          --budget_;
          fonts_[id] = FontInfo{};
        }
        currentFont_ = id;
        break;
      }
      case WordAction::FCharset:
        if (currentFont_) fonts_[*currentFont_].charset = ClampInt(param, -1, 1000);
        break;
      case WordAction::Cpg:
        if (currentFont_) fonts_[*currentFont_].codePage = ClampInt(param, 0, INT32_MAX);
        break;
      default:
        break;
    }
  }

  void EndFontEntry() {
    FlushBytes();
    if (currentFont_) {
      std::string_view name = fontName_;
      while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
      if (name.size() > kMaxFontNameBytes) {
        std::size_t cut = kMaxFontNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name = name.substr(0, cut);
      }
      if (!name.empty()) fonts_[*currentFont_].name = std::string(name);
    }
    currentFont_.reset();
    fontName_.clear();
  }

  void ColourTableWord(WordAction action, std::int64_t param) {
    const int value = ClampInt(param, 0, 255);
    switch (action) {
      case WordAction::Red:
        red_ = value;
        colourSet_ = true;
        break;
      case WordAction::Green:
        green_ = value;
        colourSet_ = true;
        break;
      case WordAction::Blue:
        blue_ = value;
        colourSet_ = true;
        break;
      default:
        break;
    }
  }

  void EndColour() {
    if (colours_.size() < kMaxColours) {
      colours_.push_back(colourSet_ ? std::optional<std::uint32_t>((std::uint32_t(red_) << 16) |
                                                                   (std::uint32_t(green_) << 8) |
                                                                   std::uint32_t(blue_))
                                    : std::nullopt);
    }
    colourSet_ = false;
    red_ = green_ = blue_ = 0;
  }

  void PictureWord(WordAction action, std::int64_t param) {
    const std::int64_t value = std::clamp<std::int64_t>(param, 0, kMaxPictureTwips);
    switch (action) {
      case WordAction::PngBlip:
        picture_.format = EmbeddedPicture::Format::Png;
        break;
      case WordAction::JpegBlip:
        picture_.format = EmbeddedPicture::Format::Jpeg;
        break;
      case WordAction::OtherBlip:
        picture_.format.reset();
        break;
      case WordAction::PicW:
        picture_.width = value;
        break;
      case WordAction::PicH:
        picture_.height = value;
        break;
      case WordAction::PicWGoal:
        picture_.goalWidth = value;
        break;
      case WordAction::PicHGoal:
        picture_.goalHeight = value;
        break;
      case WordAction::PicScaleX:
        picture_.scaleX = std::clamp<std::int64_t>(param, 1, 1000);
        break;
      case WordAction::PicScaleY:
        picture_.scaleY = std::clamp<std::int64_t>(param, 1, 1000);
        break;
      default:
        break;
    }
  }

  void PictureHexDigit(char c) {
    const int v = HexDigitValue(c);
    if (v < 0 || !picture_.format) return;
    if (picture_.nibble < 0) {
      picture_.nibble = v;
    } else {
      picture_.bytes.push_back(static_cast<char>((picture_.nibble << 4) | v));
      picture_.nibble = -1;
    }
  }

  // \bin: raw bytes follow, as many as the parameter says (or as remain).
  void SkipBinary(std::int64_t count, bool intoPicture) {
    const std::size_t n = static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(in_.size() - pos_)));
    if (intoPicture && picture_.format) {
      picture_.nibble = -1;
      picture_.bytes.append(in_.substr(pos_, n));
    }
    pos_ += n;
  }

  void EndPicture(const GroupState& group) {
    PictureData data = std::move(picture_);
    picture_ = PictureData{};
    if (!data.format || data.bytes.empty() || group.chr.hidden || budget_ == 0) return;
    // The stored bytes decide, whatever the file claims they are.
    EmbeddedPicture picture;
    if (data.bytes.starts_with("\x89PNG\r\n\x1A\n")) {
      picture.format = EmbeddedPicture::Format::Png;
    } else if (data.bytes.starts_with("\xFF\xD8\xFF")) {
      picture.format = EmbeddedPicture::Format::Jpeg;
    } else {
      return;
    }
    --budget_;
    // Goal sizes are twips; without them \picw and \pich give PNG and JPEG
    // pixels, at 96 per inch.
    auto size = [](std::int64_t goal, std::int64_t pixels, std::int64_t scale) {
      const std::int64_t twips = goal > 0 ? goal : pixels * 15;
      return static_cast<int>(std::clamp<std::int64_t>(twips * scale / 100, 0, kMaxPictureTwips));
    };
    picture.widthTwips = size(data.goalWidth, data.width, data.scaleX);
    picture.heightTwips = size(data.goalHeight, data.height, data.scaleY);
    picture.bytes = std::move(data.bytes);
    pictures_.push_back(std::move(picture));

    Flow& flow = FlowOf(group);
    TextRun run = RunFormat(group.chr);
    run.picture = pictures_.size() - 1;
    flow.current.runs.push_back(std::move(run));
    flow.lastFormat = group.para;
  }

  // --- text -----------------------------------------------------------------

  // A byte of text: a literal character (`literal`) or an escaped one.
  void TextByte(unsigned char b, bool literal) {
    if (EndStar()) return;
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    const Dest dest = Top().dest;
    switch (dest) {
      case Dest::Text:
      case Dest::FontTable:
        if (literal && b == ';' && dest == Dest::FontTable) {
          EndFontEntry();
          return;
        }
        if (b < 0x20 && b != '\t') return;  // NUL and other control bytes
        if (bytes_.empty()) bytesCodePage_ = CurrentCodePage();
        bytes_.push_back(static_cast<char>(b));
        // Long text is decoded piecewise, between characters: no multi-byte
        // code page continues a character with a byte below 0x40.
        if (bytes_.size() >= kDecodeChunkBytes &&
            (b < 0x40 || decoder_.IsSingleByte(bytesCodePage_))) {
          FlushBytes();
        }
        return;
      case Dest::ColourTable:
        if (literal && b == ';') EndColour();
        return;
      case Dest::Picture:
        if (literal) PictureHexDigit(static_cast<char>(b));
        return;
      case Dest::Skip:
      case Dest::Container:
        return;
    }
  }

  void FlushBytes() {
    if (bytes_.empty()) return;
    std::u32string cps;
    decoder_.Decode(bytesCodePage_, bytes_, cps);
    bytes_.clear();
    EmitCodePoints(cps);
  }

  void UnicodeCharacter(std::int64_t param) {
    // RTF gives UTF-16 units as signed 16-bit numbers; some writers give
    // whole code points beyond U+FFFF, taken as they are.
    std::int64_t value = param < 0 ? param + 65536 : param;
    if (value < 0 || value > 0x10FFFF) value = kReplacementCharacter;
    // C1 controls stand for what Windows-1252 has there, as in HTML.
    if (value >= 0x80 && value <= 0x9F) value = rtf::Windows1252C1(static_cast<char32_t>(value));
    EmitCodePoint(static_cast<char32_t>(value));
    fallbackLeft_ = Top().unicodeSkip;
  }

  void EmitCodePoint(char32_t cp) { EmitCodePoints(std::u32string_view(&cp, 1)); }

  void EmitCodePoints(std::u32string_view cps) {
    const GroupState& top = Top();
    if (top.dest != Dest::Text && top.dest != Dest::FontTable) return;
    const SymbolFont symbol = top.dest == Dest::Text ? SymbolFontOf(top) : SymbolFont::None;
    std::string utf8;
    for (char32_t cp : cps) {
      if (cp < 0x20 && cp != '\t' && cp != '\n') continue;  // NUL and other control characters
      if (IsHighSurrogate(cp)) {
        if (pendingHigh_ != 0) utf8 += kReplacementUtf8;
        pendingHigh_ = cp;
        continue;
      }
      if (IsLowSurrogate(cp)) {
        cp = pendingHigh_ != 0 ? CombineSurrogates(pendingHigh_, cp) : kReplacementCharacter;
        pendingHigh_ = 0;
      } else if (pendingHigh_ != 0) {
        utf8 += kReplacementUtf8;
        pendingHigh_ = 0;
      }
      AppendUtf8(utf8, rtf::MapSymbolFont(cp, symbol, top.listText));
    }
    Deliver(utf8);
  }

  void Deliver(std::string_view utf8) {
    if (utf8.empty()) return;
    const GroupState& top = Top();
    if (top.dest == Dest::Text) {
      if (!top.chr.hidden) AppendText(FlowOf(top), top, utf8);
    } else if (top.dest == Dest::FontTable) {
      if (fontName_.size() < 4 * kMaxFontNameBytes) fontName_ += utf8;
    }
  }

  Flow& FlowOf(const GroupState& state) {
    return state.target == Target::Footnote ? notes_ : body_;
  }

  // --- fonts, colours, code pages -------------------------------------------

  int DocumentCodePage() const { return ansiCodePage_ != 0 ? ansiCodePage_ : charsetCodePage_; }

  const FontInfo* FontOf(const GroupState& state) const {
    const std::optional<int> id = state.chr.font ? state.chr.font : defaultFont_;
    if (!id) return nullptr;
    const auto found = fonts_.find(*id);
    return found == fonts_.end() ? nullptr : &found->second;
  }

  int FontCodePage(const FontInfo& font) const {
    if (font.codePage != 0 && rtf::IsKnownCodePage(font.codePage)) return font.codePage;
    // Text in a symbol font is glyph numbers, not characters.
    if (rtf::SymbolFontOf(font.name, font.charset) != SymbolFont::None) return rtf::kSymbolCodePage;
    const int cp = rtf::CharsetCodePage(font.charset, DocumentCodePage());
    return cp != 0 ? cp : DocumentCodePage();
  }

  int CurrentCodePage() const {
    const GroupState& top = stack_.back();
    if (top.dest == Dest::FontTable) {
      if (currentFont_) {
        const auto found = fonts_.find(*currentFont_);
        if (found != fonts_.end() && found->second.charset != rtf::kSymbolCharset)
          return FontCodePage(found->second);
      }
      return DocumentCodePage();
    }
    const FontInfo* font = FontOf(top);
    return font ? FontCodePage(*font) : DocumentCodePage();
  }

  SymbolFont SymbolFontOf(const GroupState& state) const {
    const FontInfo* font = FontOf(state);
    return font ? rtf::SymbolFontOf(font->name, font->charset) : SymbolFont::None;
  }

  std::optional<std::uint32_t> ColourAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colours_.size()) return std::nullopt;
    return colours_[static_cast<std::size_t>(index)];
  }

  TextRun RunFormat(const CharFormat& chr) const {
    TextRun run;
    const std::optional<int> id = chr.font ? chr.font : defaultFont_;
    if (id) {
      const auto found = fonts_.find(*id);
      if (found != fonts_.end()) run.font = found->second.name;
    }
    run.pointSize = chr.halfPoints / 2.0;
    run.bold = chr.bold;
    run.italic = chr.italic;
    run.underline = chr.underline;
    run.strike = chr.strike;
    run.script = chr.script;
    run.colour = ColourAt(chr.colour);
    run.highlight = ColourAt(chr.highlight);
    if (!run.highlight) run.highlight = ColourAt(chr.background);
    return run;
  }

  // --- paragraphs -----------------------------------------------------------

  void AppendText(Flow& flow, const GroupState& state, std::string_view utf8) {
    TextRun format = RunFormat(state.chr);
    std::vector<TextRun>& runs = flow.current.runs;
    const bool canJoin = !runs.empty() && !runs.back().picture;
    if (canJoin && (budget_ == 0 || runs.back().SameFormat(format))) {
      runs.back().text += utf8;
    } else {
      if (budget_ > 0) --budget_;
      format.text = std::string(utf8);
      runs.push_back(std::move(format));
    }
    flow.lastFormat = state.para;
  }

  // `last`: the end of the document, which always closes the paragraph.
  void EndParagraph(Flow& flow, const ParaFormat& format, bool last = false) {
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      Deliver(kReplacementUtf8);
    }
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

  // The end of a table row: the tab after its last cell goes.
  void EndRow(Flow& flow, const ParaFormat& format) {
    std::vector<TextRun>& runs = flow.current.runs;
    if (!runs.empty() && !runs.back().picture && !runs.back().text.empty() &&
        runs.back().text.back() == '\t') {
      runs.back().text.pop_back();
      if (runs.back().text.empty()) runs.pop_back();
    }
    if (!runs.empty()) EndParagraph(flow, format);
  }

  // A paragraph the file leaves without \par keeps the formatting its text
  // was written in.
  void EndOpenParagraph(Flow& flow) {
    if (!flow.current.runs.empty()) EndParagraph(flow, flow.lastFormat, true);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::size_t budget_;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;  // groups opened beyond kMaxGroupDepth and not yet closed
  bool finished_ = false;

  int charsetCodePage_ = 1252;  // \ansi, \mac, \pc, \pca
  int ansiCodePage_ = 0;        // \ansicpg, when known
  std::optional<int> defaultFont_;

  std::unordered_map<int, FontInfo> fonts_;
  std::optional<int> currentFont_;  // the font table entry being read
  std::string fontName_;
  std::vector<std::optional<std::uint32_t>> colours_;
  bool colourSet_ = false;
  int red_ = 0, green_ = 0, blue_ = 0;

  CodePageDecoder decoder_;
  std::string bytes_;  // text bytes not yet decoded, all in bytesCodePage_
  int bytesCodePage_ = 1252;
  char32_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
  int fallbackLeft_ = 0;      // characters still to skip after \u

  PictureData picture_;
  std::vector<EmbeddedPicture> pictures_;
  std::size_t footnoteCount_ = 0;
  Flow body_;
  Flow notes_;
};

}  // namespace

RichDocument ReadRtf(std::string_view bytes) {
  return RtfReader(bytes.substr(0, kMaxDescriptionBytes)).Read();
}

}  // namespace vaticor
