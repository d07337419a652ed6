// libFuzzer target: the spread-file reader on any bytes, as opening a
// downloaded spread does it: read the layout, record the screen, and save
// what was read into a new file. Checks that no file gets more card windows
// than the section list holds, that every value shows as no card or a card
// of the deck, that recording the screen changes nothing laid out, and that
// what is saved reads back as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "core/ini_file.h"
#include "core/text_encoding.h"
#include "library/spread_file.h"
#include "work_folder.h"

namespace {

using namespace vaticor;

constexpr std::int32_t kDeckCards = 78;

void Check(bool condition) {
  if (!condition) std::abort();
}

const std::string& WorkFolder() { return fuzz::WorkFolder("spread_fuzz"); }

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Check(static_cast<bool>(out));
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
  const std::string input = WorkFolder() + "/in.spread";
  const std::string saved = WorkFolder() + "/out.spread";
  WriteBytes(input, data, size);

  const std::optional<SpreadLayout> read = ReadSpreadFile(input, 124, 197, screen);
  Check(read.has_value());
  const SpreadLayout& layout = *read;
  Check(layout.Positions.size() <= kMaxSpreadPositions);
  Check(layout.Positions.size() * 9 <= kSpreadSectionListBytes);
  Check(layout.CardWidth >= 16 && layout.CardWidth <= 1024);
  Check(layout.CardHeight >= 16 && layout.CardHeight <= 768);
  Check(!layout.Scaled || layout.Screen.has_value());
  if (layout.Positions.empty()) Check(layout.CardWidth == 124 && layout.CardHeight == 197);
  CheckValues(layout);

  // Opening records the screen; the file then lays out as it did.
  RecordSpreadScreen(input, layout, screen);
  const std::optional<SpreadLayout> again = ReadSpreadFile(input, 124, 197, screen);
  Check(again.has_value());
  Check(again->Positions == layout.Positions);
  Check(again->CardWidth == layout.CardWidth && again->CardHeight == layout.CardHeight);

  // Saved into a new file, the positions read back as they were. Saved
  // names grow with their numbers (Position1000 takes 13 bytes of the
  // section list), so a save of more than 1,344 cards holds positions that
  // the list cannot show; the first 256 stand for them all.
  std::remove(saved.c_str());
  std::vector<SavedSpreadCard> cards;
  for (std::size_t i = 0; i < layout.Positions.size() && i < 256; ++i) {
    const SpreadPosition& p = layout.Positions[i];
    cards.push_back({static_cast<std::int64_t>(i), p.Left, p.Top, p.Value});
  }
  SaveSpreadFile(saved, layout.CardWidth, layout.CardHeight, cards, screen);
  const std::optional<SpreadLayout> reread = ReadSpreadFile(saved, 124, 197, screen);
  Check(reread.has_value());
  Check(!reread->Screen && !reread->Scaled);
  Check(SamePlaces(reread->Positions, layout.Positions, cards.size()));
  Check(reread->Positions.size() == cards.size());
  if (!cards.empty()) {
    Check(reread->CardWidth == layout.CardWidth && reread->CardHeight == layout.CardHeight);
  }
  return 0;
}
