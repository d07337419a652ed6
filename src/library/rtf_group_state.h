#pragma once

#include <cstdint>
#include <optional>

#include "library/rich_text.h"

namespace vaticor::rtf {

// What the RTF reader keeps for each open group: the formatting in force
// and what the group's text is for. Plain data: groups are pushed and popped
// by copying it.

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

// Lengths in twips.
struct ParaFormat {
  Alignment align = Alignment::Left;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
};

struct GroupState {
  CharFormat chr;
  ParaFormat para;
  int unicodeSkip = 1;  // \uc
  Dest dest = Dest::Text;
  Target target = Target::Body;
  bool listText = false;  // \pntext, \listtext
  bool starred = false;   // "\*" read, the destination's name not yet
};

}  // namespace vaticor::rtf
