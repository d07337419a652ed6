#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "library/rich_text.h"
#include "library/rtf_control_words.h"
#include "library/rtf_group_state.h"
#include "library/rtf_symbol_fonts.h"

namespace vaticor::rtf {

// The document's fonts (\fonttbl) and the code pages they and the document
// (\ansi, \ansicpg, ...) give text. Font ids are any int; a font's name is
// UTF-8, at most kMaxFontNameBytes.
class FontTable {
 public:
  static constexpr std::size_t kMaxFontNameBytes = 31;  // as long as a Windows face name gets

  // \ansi, \mac, \pc, \pca, \ansicpg, \deff; false for any other word.
  bool DocumentWord(WordAction action, std::int64_t param);

  // Reading \fonttbl. A new font id takes one element of `budget` (none is
  // made when it is spent); each entry ends with its ";", its group or the
  // next \f. The caller decodes the text before a word first.
  void Start();
  void EntryWord(WordAction action, std::int64_t param, std::size_t& budget);
  void AddToName(std::string_view utf8);
  void EndEntry();

  // The code page text in `font` (none: the default font) is in.
  int CodePageOf(std::optional<int> font) const;
  // The code page of the font table's own text (font names).
  int EntryCodePage() const;
  SymbolFont SymbolFontOf(std::optional<int> font) const;
  // The face name; empty for a font the table lacks.
  std::string NameOf(std::optional<int> font) const;

 private:
  struct FontInfo {
    std::string name;
    int charset = -1;  // \fcharset; -1 = none given
    int codePage = 0;  // \cpg; 0 = none given
  };

  int DocumentCodePage() const { return ansiCodePage_ != 0 ? ansiCodePage_ : charsetCodePage_; }
  const FontInfo* Find(std::optional<int> font) const;
  int FontCodePage(const FontInfo& font) const;

  int charsetCodePage_ = 1252;  // \ansi, \mac, \pc, \pca
  int ansiCodePage_ = 0;        // \ansicpg, when known
  std::optional<int> defaultFont_;
  std::unordered_map<int, FontInfo> fonts_;
  std::optional<int> currentFont_;  // the entry being read
  std::string entryName_;
};

// The document's colours (\colortbl): 0xRRGGBB, or none for an entry
// without colour words ("auto"). At most 65,536 entries are kept.
class ColourTable {
 public:
  void Start();
  void Word(WordAction action, std::int64_t param);
  // The ";" after an entry.
  void EndColour();
  std::optional<std::uint32_t> At(int index) const;

 private:
  std::vector<std::optional<std::uint32_t>> colours_;
  bool colourSet_ = false;
  int red_ = 0, green_ = 0, blue_ = 0;
};

// A run (without text) in the character formatting `chr`.
TextRun RunFormat(const CharFormat& chr, const FontTable& fonts, const ColourTable& colours);

}  // namespace vaticor::rtf
