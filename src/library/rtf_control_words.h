#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vaticor::rtf {

// The control words the RTF reader acts on: a name ("par", "fcharset", the
// letters after the backslash, case as written) to what it does. Several
// names may do one thing ("ul", "uldb" and the other underlines). Words not
// listed are ignored, as RTF asks of readers; so is a "\*" destination not
// marked as read even so. The table is built on first use and never changes.

enum class WordAction : std::uint8_t {
  // document
  Ansi,
  Mac,
  Pc,
  Pca,
  AnsiCpg,
  Deff,
  Uc,
  U,
  Bin,
  // destinations: the rest of the group is their text
  SkipDest,
  FontTable,
  ColourTable,
  Pict,
  Footnote,
  ListText,
  Container,
  TextDest,
  // font and colour tables
  F,
  FCharset,
  Cpg,
  Red,
  Green,
  Blue,
  // pictures
  PngBlip,
  JpegBlip,
  OtherBlip,
  PicW,
  PicH,
  PicWGoal,
  PicHGoal,
  PicScaleX,
  PicScaleY,
  // character formatting
  Plain,
  B,
  I,
  Ul,
  UlNone,
  Strike,
  Fs,
  Cf,
  Highlight,
  Cb,
  Super,
  Sub,
  NoSuperSub,
  Hidden,
  // paragraph formatting
  Pard,
  Ql,
  Qr,
  Qc,
  Qj,
  Li,
  Ri,
  Fi,
  Sb,
  Sa,
  // breaks and characters
  Par,
  Line,
  Tab,
  Cell,
  Row,
  Char,
  Chftn,  // the last: tables by action are kWordActionCount long
};
inline constexpr std::size_t kWordActionCount = static_cast<std::size_t>(WordAction::Chftn) + 1;

struct WordInfo {
  WordAction action;
  char32_t character = 0;  // the character of WordAction::Char
  bool starredOk = false;  // a destination read even after "\*"
};

// Whether the word starts a destination.
bool IsDestination(WordAction action);

// A word's parameter (read as up to 10 digits) held to [low, high].
inline int ClampParam(std::int64_t param, std::int64_t low, std::int64_t high) {
  return static_cast<int>(std::clamp(param, low, high));
}

// The word of this name, or nullptr when the reader ignores it. The pointer
// stays valid for the rest of the program.
const WordInfo* FindControlWord(std::string_view name);

}  // namespace vaticor::rtf
