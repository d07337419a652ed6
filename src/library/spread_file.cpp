#include "library/spread_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_set>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "core/ini_file.h"
#include "core/settings.h"
#include "core/text_encoding.h"
#include "core/window_bounds.h"

namespace vaticor {
namespace {

constexpr std::string_view kPositionPrefix = "POSITION";
constexpr const char* kMomentKey = "Reading.Moment";
// The most one side of a card may be to the other.
constexpr std::int64_t kLongestCardSideRatio = 4;

std::int32_t IntegerOr(const std::optional<std::string>& value, std::int32_t def) {
  return value ? ParseIniInteger(*value).value_or(def) : def;
}

std::int32_t ReadInteger(const IniDocument& file, std::string_view section, std::string_view key,
                         std::int32_t def) {
  return IntegerOr(file.Value(section, key), def);
}

// The stored screen, when both sides are numbers.
std::optional<SpreadScreen> StoredScreen(const IniDocument& file) {
  const std::optional<std::string> width = file.Value(kSpreadSection, "Screen.Width");
  const std::optional<std::string> height = file.Value(kSpreadSection, "Screen.Height");
  if (!width || !height) return std::nullopt;
  const std::optional<std::int32_t> w = ParseIniInteger(*width);
  const std::optional<std::int32_t> h = ParseIniInteger(*height);
  if (!w || !h) return std::nullopt;
  return SpreadScreen{*w, *h};
}

// A stored screen that places must be scaled from: a real screen's size,
// other than the current one.
bool ScalesFrom(const std::optional<SpreadScreen>& stored, const ScreenInfo& screen) {
  return stored && IsPlausibleScreenSize(stored->Width, stored->Height) &&
         (stored->Width != screen.Width() || stored->Height != screen.Height());
}

}  // namespace

std::vector<std::string> SpreadPositionSections(const IniDocument& file) {
  std::vector<std::string> positions;
  std::size_t used = 0;
  for (std::string& name : file.SectionNames()) {
    used += name.size() + 1;
    if (used > kSpreadSectionListBytes) break;
    if (IsSpreadPositionSection(name)) positions.push_back(std::move(name));
  }
  return positions;
}

namespace {

std::int32_t Scale(std::int32_t value, double ratio) { return RoundHalfEven(value * ratio); }

// Whether a file's card size is one a card has on this screen: no side
// below the smallest card or past the screen's side, no strip or sliver.
bool IsCardSize(std::int32_t width, std::int32_t height, const ScreenInfo& screen) {
  if (width < kSmallestSpreadCard || height < kSmallestSpreadCard) return false;
  if (width > screen.Width() || height > screen.Height()) return false;
  return width <= kLongestCardSideRatio * height && height <= kLongestCardSideRatio * width;
}

// Whether a read of the file sees every one of these sections: the first
// section of each name lies within the 16,384-byte list of names.
// Names are compared in one case (as EqualsIgnoreCase compares them), by
// hash: a save of thousands of positions looks each name up once.
bool SeesEverySection(const IniDocument& file, const std::vector<std::string>& wanted) {
  std::unordered_set<std::string> unseen;
  for (const std::string& name : wanted) unseen.insert(ToUpperText(name));
  std::size_t used = 0;
  for (const std::string& name : file.SectionNames()) {
    if (unseen.empty()) return true;
    used += name.size() + 1;
    if (used > kSpreadSectionListBytes) break;
    unseen.erase(ToUpperText(name));
  }
  return unseen.empty();
}

}  // namespace

bool IsSpreadPositionSection(std::string_view name) {
  return StartsWithIgnoreCase(name, kPositionPrefix);
}

std::string SpreadPositionSection(std::int64_t place) {
  std::string digits = std::to_string(place);
  if (place >= 0 && digits.size() < 2) digits.insert(0, 1, '0');
  return "Position" + digits;
}

SpreadLayout ReadSpreadLayout(const IniDocument& file, std::int32_t cardWidth,
                              std::int32_t cardHeight, const ScreenInfo& screen) {
  SpreadLayout layout;
  layout.CardWidth = cardWidth;
  layout.CardHeight = cardHeight;
  layout.Screen = StoredScreen(file);
  const std::vector<std::string> sections = SpreadPositionSections(file);
  if (sections.empty()) return layout;

  layout.Moment = file.Value(kSpreadSection, kMomentKey).value_or(std::string());

  layout.CardWidth = ReadInteger(file, kSpreadSection, "Card.Width", cardWidth);
  layout.CardHeight = ReadInteger(file, kSpreadSection, "Card.Height", cardHeight);
  layout.Positions.reserve(sections.size());
  static constexpr std::array<std::string_view, 4> kPositionKeys = {"Left", "Top", "Value",
                                                                    "Description"};
  for (const std::string& section : sections) {
    std::vector<std::optional<std::string>> values = file.Values(section, kPositionKeys);
    SpreadPosition position;
    position.Left = IntegerOr(values[0], 0);
    position.Top = IntegerOr(values[1], 0);
    position.Value = IntegerOr(values[2], kNoCard);
    position.Description = std::move(values[3]).value_or(std::string());
    layout.Positions.push_back(std::move(position));
  }

  if (ScalesFrom(layout.Screen, screen)) {
    layout.Scaled = true;
    const double x = screen.Width() / static_cast<double>(layout.Screen->Width);
    const double y = screen.Height() / static_cast<double>(layout.Screen->Height);
    // A card takes the same share of the screen's height: scaled by one
    // ratio, it keeps the proportions of its picture on a wider screen.
    layout.CardWidth = Scale(layout.CardWidth, y);
    layout.CardHeight = Scale(layout.CardHeight, y);
    for (SpreadPosition& position : layout.Positions) {
      position.Left = Scale(position.Left, x);
      position.Top = Scale(position.Top, y);
    }
  }
  for (SpreadPosition& position : layout.Positions) {
    position.Left = Bound(position.Left, -kFarthestSpreadPlace, kFarthestSpreadPlace);
    position.Top = Bound(position.Top, -kFarthestSpreadPlace, kFarthestSpreadPlace);
  }
  // A size no card has is the file's fault, not the reader's wish: the
  // cards keep the size they have. (One card window as large as the screen
  // is the most a file may ask for: every window holds a picture of that
  // size.)
  if (!IsCardSize(layout.CardWidth, layout.CardHeight, screen)) {
    layout.CardWidth = cardWidth;
    layout.CardHeight = cardHeight;
  }
  layout.CardWidth =
      Bound(layout.CardWidth, kSmallestSpreadCard, std::max(screen.Width(), kSmallestSpreadCard));
  layout.CardHeight =
      Bound(layout.CardHeight, kSmallestSpreadCard, std::max(screen.Height(), kSmallestSpreadCard));
  return layout;
}

std::optional<SpreadLayout> ReadSpreadFile(const std::string& path, std::int32_t cardWidth,
                                           std::int32_t cardHeight, const ScreenInfo& screen) {
  if (!FileExists(path)) return std::nullopt;
  // One look at the disk, so every key read agrees with the section list.
  const std::shared_ptr<const IniDocument> file = IniFile(path).Snapshot();
  return ReadSpreadLayout(*file, cardWidth, cardHeight, screen);
}

IniWriteBatch SpreadScreenWrites(const SpreadLayout& layout, const ScreenInfo& screen) {
  IniWriteBatch batch;
  if (layout.Positions.empty() || layout.Scaled) return batch;
  batch.WriteInteger(kSpreadSection, "Screen.Width", screen.Width());
  batch.WriteInteger(kSpreadSection, "Screen.Height", screen.Height());
  return batch;
}

void RecordSpreadScreen(const std::string& path, const SpreadLayout& layout,
                        const ScreenInfo& screen) {
  const IniWriteBatch batch = SpreadScreenWrites(layout, screen);
  if (!batch.empty()) IniFile(path).Write(batch);
}

std::optional<SpreadSave> PlanSpreadSave(const IniDocument& current, std::int32_t cardWidth,
                                         std::int32_t cardHeight,
                                         const std::vector<SavedSpreadCard>& cards,
                                         const ScreenInfo& screen, std::string_view moment) {
  std::optional<SpreadSave> save(std::in_place, SpreadSave{IniWriteBatch(), current});
  IniWriteBatch& batch = save->writes;
  batch.WriteInteger(kSpreadSection, "Card.Width", cardWidth);
  batch.WriteInteger(kSpreadSection, "Card.Height", cardHeight);
  const bool holdsACard = std::any_of(cards.begin(), cards.end(), [](const SavedSpreadCard& card) {
    return card.Value != kNoCard;
  });
  if (!moment.empty() && holdsACard) {
    batch.WriteString(kSpreadSection, kMomentKey, moment);
  }
  for (const SavedSpreadCard& card : cards) {
    const std::string section = SpreadPositionSection(card.Place);
    batch.WriteInteger(section, "Left", card.Left);
    batch.WriteInteger(section, "Top", card.Top);
    batch.WriteInteger(section, "Value", card.Value);
    // The positions' meanings go with the reading laid out on them.
    if (!card.Description.empty()) batch.WriteString(section, "Description", card.Description);
  }
  if (ScalesFrom(StoredScreen(current), screen)) {
    batch.WriteInteger(kSpreadSection, "Screen.Width", screen.Width());
    batch.WriteInteger(kSpreadSection, "Screen.Height", screen.Height());
  }
  // A position saved past the list of names would not open again: the file
  // would open as something else than what was saved, so nothing is saved.
  std::vector<std::string> saved;
  saved.reserve(cards.size());
  for (const SavedSpreadCard& card : cards) saved.push_back(SpreadPositionSection(card.Place));
  if (!save->after.SetValues(batch.Writes()) || !SeesEverySection(save->after, saved)) {
    return std::nullopt;
  }
  return save;
}

void SaveSpreadFile(const std::string& path, std::int32_t cardWidth, std::int32_t cardHeight,
                    const std::vector<SavedSpreadCard>& cards, const ScreenInfo& screen,
                    std::string_view moment) {
  IniFile file(path);
  const std::optional<SpreadSave> save =
      PlanSpreadSave(*file.Snapshot(), cardWidth, cardHeight, cards, screen, moment);
  if (!save) throw IniWriteError(path);
  file.Write(save->writes);
}

void WriteSpreadTemplate(const std::string& path, const SpreadLayout& layout) {
  IniWriteBatch batch;
  batch.WriteInteger(kSpreadSection, "Card.Width", layout.CardWidth);
  batch.WriteInteger(kSpreadSection, "Card.Height", layout.CardHeight);
  if (layout.Screen) {
    batch.WriteInteger(kSpreadSection, "Screen.Width", layout.Screen->Width);
    batch.WriteInteger(kSpreadSection, "Screen.Height", layout.Screen->Height);
  }
  for (std::size_t i = 0; i < layout.Positions.size(); ++i) {
    const SpreadPosition& position = layout.Positions[i];
    const std::string section = SpreadPositionSection(static_cast<std::int64_t>(i));
    batch.WriteInteger(section, "Left", position.Left);
    batch.WriteInteger(section, "Top", position.Top);
    batch.WriteInteger(section, "Value", position.Value);
    if (!position.Description.empty())
      batch.WriteString(section, "Description", position.Description);
  }
  IniFile(path).Write(batch);
}

std::string SpreadPositionHint(std::int64_t number, std::int32_t value, std::string_view cardName,
                               std::string_view description) {
  std::string hint = "Позиция " + std::to_string(number);
  const std::int64_t magnitude = value < 0 ? -std::int64_t{value} : std::int64_t{value};
  if (magnitude == kNoCard) return hint;
  hint += " - " + std::to_string(magnitude) + " - ";
  hint += cardName;
  hint += " - ";
  hint += description;
  return hint;
}

ShownCard ShowCardValue(std::int32_t value, bool upsideDownCards, std::int32_t cardCount) {
  if (value == std::numeric_limits<std::int32_t>::min()) return {};
  const std::int32_t magnitude = value < 0 ? -value : value;
  if (magnitude == kNoCard) return {};
  ShownCard shown;
  shown.Reversed = value < 0 && upsideDownCards;
  shown.Value = shown.Reversed ? value : magnitude;
  if (magnitude < cardCount) shown.Card = magnitude;
  return shown;
}

}  // namespace vaticor
