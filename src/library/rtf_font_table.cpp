#include "library/rtf_font_table.h"

#include "library/rtf_code_pages.h"

namespace vaticor::rtf {
namespace {

constexpr std::size_t kMaxColours = 65536;

std::string_view TrimBlanks(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return name;
}

}  // namespace

bool FontTable::DocumentWord(WordAction action, std::int64_t param) {
  switch (action) {
    case WordAction::Ansi:
      charsetCodePage_ = 1252;
      return true;
    case WordAction::Mac:
      charsetCodePage_ = 10000;
      return true;
    case WordAction::Pc:
      charsetCodePage_ = 437;
      return true;
    case WordAction::Pca:
      charsetCodePage_ = 850;
      return true;
    case WordAction::AnsiCpg:
      if (IsKnownCodePage(ClampParam(param, 0, INT32_MAX)))
        ansiCodePage_ = ClampParam(param, 0, INT32_MAX);
      return true;
    case WordAction::Deff:
      defaultFont_ = ClampParam(param, INT32_MIN, INT32_MAX);
      return true;
    default:
      return false;
  }
}

void FontTable::Start() {
  currentFont_.reset();
  entryName_.clear();
}

void FontTable::EntryWord(WordAction action, std::int64_t param, std::size_t& budget) {
  switch (action) {
    case WordAction::F: {
      if (!entryName_.empty()) EndEntry();
      const int id = ClampParam(param, INT32_MIN, INT32_MAX);
      currentFont_.reset();
      if (fonts_.find(id) == fonts_.end()) {
        if (budget == 0) return;
        --budget;
        fonts_[id] = FontInfo{};
      }
      currentFont_ = id;
      break;
    }
    case WordAction::FCharset:
      if (currentFont_) fonts_[*currentFont_].charset = ClampParam(param, -1, 1000);
      break;
    case WordAction::Cpg:
      if (currentFont_) fonts_[*currentFont_].codePage = ClampParam(param, 0, INT32_MAX);
      break;
    default:
      break;
  }
}

void FontTable::AddToName(std::string_view utf8) {
  // Room for the blanks trimmed at the entry's end.
  if (entryName_.size() < 4 * kMaxFontNameBytes) entryName_ += utf8;
}

void FontTable::EndEntry() {
  if (currentFont_) {
    std::string_view name = TrimBlanks(entryName_);
    if (name.size() > kMaxFontNameBytes) {
      std::size_t cut = kMaxFontNameBytes;
      while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
      name = name.substr(0, cut);
    }
    if (!name.empty()) fonts_[*currentFont_].name = std::string(name);
  }
  Start();
}

const FontTable::FontInfo* FontTable::Find(std::optional<int> font) const {
  const std::optional<int> id = font ? font : defaultFont_;
  if (!id) return nullptr;
  const auto found = fonts_.find(*id);
  return found == fonts_.end() ? nullptr : &found->second;
}

int FontTable::FontCodePage(const FontInfo& font) const {
  if (font.codePage != 0 && IsKnownCodePage(font.codePage)) return font.codePage;
  // Text in a symbol font is glyph numbers, not characters.
  if (rtf::SymbolFontOf(font.name, font.charset) != SymbolFont::None) return kSymbolCodePage;
  const int cp = CharsetCodePage(font.charset, DocumentCodePage());
  return cp != 0 ? cp : DocumentCodePage();
}

int FontTable::CodePageOf(std::optional<int> font) const {
  const FontInfo* info = Find(font);
  return info ? FontCodePage(*info) : DocumentCodePage();
}

int FontTable::EntryCodePage() const {
  if (currentFont_) {
    const auto found = fonts_.find(*currentFont_);
    if (found != fonts_.end() && found->second.charset != kSymbolCharset)
      return FontCodePage(found->second);
  }
  return DocumentCodePage();
}

SymbolFont FontTable::SymbolFontOf(std::optional<int> font) const {
  const FontInfo* info = Find(font);
  return info ? rtf::SymbolFontOf(info->name, info->charset) : SymbolFont::None;
}

std::string FontTable::NameOf(std::optional<int> font) const {
  const FontInfo* info = Find(font);
  return info ? info->name : std::string();
}

void ColourTable::Start() {
  colours_.clear();
  colourSet_ = false;
  red_ = green_ = blue_ = 0;
}

void ColourTable::Word(WordAction action, std::int64_t param) {
  const int value = ClampParam(param, 0, 255);
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

void ColourTable::EndColour() {
  if (colours_.size() < kMaxColours) {
    colours_.push_back(colourSet_ ? std::optional<std::uint32_t>((std::uint32_t(red_) << 16) |
                                                                 (std::uint32_t(green_) << 8) |
                                                                 std::uint32_t(blue_))
                                  : std::nullopt);
  }
  colourSet_ = false;
  red_ = green_ = blue_ = 0;
}

std::optional<std::uint32_t> ColourTable::At(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= colours_.size()) return std::nullopt;
  return colours_[static_cast<std::size_t>(index)];
}

TextRun RunFormat(const CharFormat& chr, const FontTable& fonts, const ColourTable& colours) {
  TextRun run;
  run.font = fonts.NameOf(chr.font);
  run.pointSize = chr.halfPoints / 2.0;
  run.bold = chr.bold;
  run.italic = chr.italic;
  run.underline = chr.underline;
  run.strike = chr.strike;
  run.script = chr.script;
  run.colour = colours.At(chr.colour);
  run.highlight = colours.At(chr.highlight);
  if (!run.highlight) run.highlight = colours.At(chr.background);
  return run;
}

}  // namespace vaticor::rtf
