// libFuzzer target: the spread-file reader on any bytes, as opening a
// downloaded spread does it: read the layout, record the screen, and save
// what was read into a new file. Checks that no file gets more card windows
// than the section list holds, that every value shows as no card or a card
// of the deck, that recording the screen changes nothing laid out, and that
// what is saved reads back as it was.
//
// All in memory, on the bytes the files would hold: the file functions read
// and write through the same plans (SpreadScreenWrites, PlanSpreadSave), and
// their disk side, the same for every input, is the unit tests' and
// ini_fuzz's. A run that wrote, flushed and renamed three files took most of
// its time in the kernel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "library/spread_file.h"

namespace {

using namespace vaticor;

constexpr std::int32_t kDeckCards = 78;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What a file holding the document's bytes reads as: every change to a
// document ends in a fresh parse of its new bytes, so it is read as it is
// rather than parsed once more.
SpreadLayout Read(const IniDocument& file, const ScreenInfo& screen) {
  return ReadSpreadLayout(file, 124, 197, screen);
}

void CheckValues(const SpreadLayout& layout) {
  for (std::size_t i = 0; i < layout.Positions.size(); ++i) {
    const std::int32_t value = layout.Positions[i].Value;
    for (bool upsideDown : {false, true}) {
      const ShownCard shown = ShowCardValue(value, upsideDown, kDeckCards);
      if (shown.Card) {
        Check(*shown.Card >= 0 && *shown.Card < kDeckCards && *shown.Card != kNoCard);
        Check(shown.Value == (shown.Reversed ? -*shown.Card : *shown.Card));
        Check(!shown.Reversed || (upsideDown && value < 0));
      } else {
        Check(!shown.Reversed || (upsideDown && value < 0));
        Check(shown.Value == kNoCard || shown.Value == value || shown.Value == -value);
      }
    }
    const std::string hint = SpreadPositionHint(static_cast<std::int64_t>(i) + 1, value, "Name",
                                                layout.Positions[i].Description);
    Check(hint.starts_with("Позиция " + std::to_string(i + 1)));
    Check(IsValidUtf8(hint));
  }
}

bool SamePlaces(const std::vector<SpreadPosition>& a, const std::vector<SpreadPosition>& b,
                std::size_t count) {
  if (a.size() < count || b.size() < count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i].Left != b[i].Left || a[i].Top != b[i].Top || a[i].Value != b[i].Value) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FixedScreen screen(1024, 768, 738);
  const IniDocument input(std::string(reinterpret_cast<const char*>(data), size));

  const SpreadLayout layout = ReadSpreadLayout(input, 124, 197, screen);
  Check(layout.Positions.size() <= kMaxSpreadPositions);
  Check(layout.Positions.size() * 9 <= kSpreadSectionListBytes);
  Check(layout.CardWidth >= 16 && layout.CardWidth <= 1024);
  Check(layout.CardHeight >= 16 && layout.CardHeight <= 768);
  Check(!layout.Scaled || layout.Screen.has_value());
  if (layout.Positions.empty()) Check(layout.CardWidth == 124 && layout.CardHeight == 197);
  CheckValues(layout);

  // Opening records the screen; the file then lays out as it did.
  const IniWriteBatch record = SpreadScreenWrites(layout, screen);
  if (!record.empty()) {
    IniDocument recorded(input);
    Check(recorded.SetValues(record.Writes()));
    const SpreadLayout again = Read(recorded, screen);
    Check(again.Positions == layout.Positions);
    Check(again.CardWidth == layout.CardWidth && again.CardHeight == layout.CardHeight);
  }

  // Saved into a new file, the positions read back as they were. Saved
  // names grow with their numbers (Position1000 takes 13 bytes of the
  // section list), so a save of more than 1,344 cards holds positions that
  // the list cannot show; the first 256 stand for them all.
  std::vector<SavedSpreadCard> cards;
  for (std::size_t i = 0; i < layout.Positions.size() && i < 256; ++i) {
    const SpreadPosition& p = layout.Positions[i];
    cards.push_back({static_cast<std::int64_t>(i), p.Left, p.Top, p.Value});
  }
  const std::optional<SpreadSave> save =
      PlanSpreadSave(IniDocument(), layout.CardWidth, layout.CardHeight, cards, screen);
  Check(save.has_value());
  const SpreadLayout reread = Read(save->after, screen);
  Check(!reread.Screen && !reread.Scaled);
  Check(SamePlaces(reread.Positions, layout.Positions, cards.size()));
  Check(reread.Positions.size() == cards.size());
  if (!cards.empty()) {
    Check(reread.CardWidth == layout.CardWidth && reread.CardHeight == layout.CardHeight);
  }
  return 0;
}
