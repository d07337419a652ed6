#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ini_document.h"
#include "core/ini_file.h"
#include "core/screen.h"
#include "library/spread_picker.h"  // kNoCard

namespace vaticor {

// A spread file (".spread"): an INI file with a "Spread" section for the
// card size and the screen it was last opened on, and one section per card
// position. A position section is any section whose name begins with
// "POSITION" in any letter case; they are taken in file order and the rest
// of their names means nothing. A position holds the screen place of its
// card window ("Left", "Top", default 0), its signed card value ("Value",
// default 255 = no card; a negative value is the card reversed) and what the
// position means ("Description": written by hand in a ready-made spread,
// and kept by a save of the reading laid out on it). A saved reading also
// says when it was made ("Reading.Moment" in "Spread").
//
// The file comes from anywhere, so only the first 16,384 bytes of its list
// of section names are looked at (each name counted in UTF-8 with one
// terminating byte): a hostile file gets at most kMaxSpreadPositions card
// windows, however many sections it holds.

inline constexpr const char* kSpreadSection = "Spread";
inline constexpr const char* kSpreadFileSuffix = "spread";
inline constexpr std::size_t kSpreadSectionListBytes = 16384;
// The farthest a card's place is taken from the screen's origin, either way.
// Window systems hold window coordinates in 16 bits (X11 wraps a larger one
// round onto the screen), and no arrangement of screens reaches this far, so
// a place beyond it lies off every screen as it does at the limit; and
// moving a card from there by drags or keys cannot overflow its coordinates.
inline constexpr std::int32_t kFarthestSpreadPlace = 32767;
// Every position's name is at least "POSITION" and its terminating byte.
inline constexpr std::size_t kMaxSpreadPositions = kSpreadSectionListBytes / 9;  // 1,820

// Whether a section is a card position: its first eight characters are
// "POSITION" compared without regard to letter case.
bool IsSpreadPositionSection(std::string_view name);
// The section a save gives the card window at list place `place`: "Position"
// and the place in decimal, at least two digits (Position00, Position100).
std::string SpreadPositionSection(std::int64_t place);
// The position sections of a file in file order, duplicates included,
// among the names the first kSpreadSectionListBytes of its list hold: the
// ones a layout is read from.
std::vector<std::string> SpreadPositionSections(const IniDocument& file);

struct SpreadPosition {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Value = kNoCard;
  std::string Description;
  bool operator==(const SpreadPosition&) const = default;
};

struct SpreadScreen {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  bool operator==(const SpreadScreen&) const = default;
};

struct SpreadLayout {
  // The size of every card window, in pixels.
  std::int32_t CardWidth = 0;
  std::int32_t CardHeight = 0;
  // In file order.
  std::vector<SpreadPosition> Positions;
  // The screen the file's places are for, when it holds both sizes.
  std::optional<SpreadScreen> Screen;
  // Whether places and card size were scaled from Screen to this screen.
  bool Scaled = false;
  // When the reading the file holds was made, as its text gives it (the
  // reading log's form); empty when the file says nothing.
  std::string Moment;
};

// Reads a spread file for laying out on `screen`; nothing when no regular
// file has that name (the table is then left as it is). `cardWidth` and
// `cardHeight` are the current card size, the defaults of the file's.
//
// With no position section the layout has no positions and keeps the given
// card size: the table is cleared and nothing created. Otherwise, when the
// file holds a plausible screen size other than `screen`'s, it is scaled to
// this screen, rounded half to even: places by the ratio of each side (a
// layout keeps its shape across the screen), the card by the ratio of the
// heights alone, both sides (a card keeps its proportions on a screen of
// other proportions). It reopens unchanged on the screen it was saved on.
// A card size no card has (a side below kSmallestSpreadCard or past the
// screen's, or one side over four times the other: a hostile or broken
// file) gives way to the current one, held to [kSmallestSpreadCard, screen
// side]. Places are not held to the screen, only to
// [-kFarthestSpreadPlace, kFarthestSpreadPlace].
std::optional<SpreadLayout> ReadSpreadFile(const std::string& path, std::int32_t cardWidth,
                                           std::int32_t cardHeight, const ScreenInfo& screen);
// The same for a file already parsed.
SpreadLayout ReadSpreadLayout(const IniDocument& file, std::int32_t cardWidth,
                              std::int32_t cardHeight, const ScreenInfo& screen);

// After the file's layout has been laid out on `screen`: stores the
// screen's size as the one the file was opened on, both keys in one
// replacement of the file, and no write at all when they are there already.
// Nothing is stored for a layout without positions, nor for one that was
// scaled: the file's places are still those of the screen it names, and
// naming this one instead would have them scaled wrongly next time (so a
// sample in a read-only folder is never written to). Raises IniWriteError
// ("Unable to write to <file>") when the file cannot be written; it is then
// unchanged.
void RecordSpreadScreen(const std::string& path, const SpreadLayout& layout,
                        const ScreenInfo& screen);
// The keys that records: none for a layout without positions or scaled.
IniWriteBatch SpreadScreenWrites(const SpreadLayout& layout, const ScreenInfo& screen);

// A card window as a save writes it.
struct SavedSpreadCard {
  // A card without a description needs none given.
  SavedSpreadCard(std::int64_t place, std::int32_t left, std::int32_t top, std::int32_t value,
                  std::string description = {})
      : Place(place), Left(left), Top(top), Value(value), Description(std::move(description)) {}

  std::int64_t Place = 0;  // its place in the list of card windows
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Value = kNoCard;  // SavedCardValue
  // What its position means (from the spread it was opened from); empty
  // for none.
  std::string Description;
};

// The value a save writes for a card window: its signed card value when it
// shows a picture, 255 when it shows none (an empty or face-down card).
constexpr std::int32_t SavedCardValue(std::int32_t value, bool showsPicture) {
  return showsPicture ? value : kNoCard;
}

// Saves a spread into a file, created when missing: "Card.Width" and
// "Card.Height" in "Spread", then "Left", "Top", "Value" and (when it has
// one) "Description" of each card in section SpreadPositionSection(Place),
// in the order given. A reading is saved with its `moment` in
// "Reading.Moment", when it has one and a card to show: a file of empty
// positions holds no reading. Everything else in the file stays, positions
// beyond these included, so saving over a longer file leaves its later
// positions; a card without a description leaves the one there.
//
// The whole save is one replacement of the file, and its bytes are those the
// same keys written one by one would give: a crash or a full disk leaves the
// old file or the new one. One key more is written, and only when the file
// holds the size of a screen other than `screen`: the current screen's
// size, since the places saved are this screen's and would otherwise be
// scaled wrongly when the file is opened here again.
//
// Raises IniWriteError ("Unable to write to <file>") when the file cannot be
// written, or when a saved position would lie past the 16,384 bytes of
// section names that opening the file looks at (a save of more than 1,344
// cards, or into a file whose names fill the list already): it would open
// as something other than what was saved. Nothing is written then.
void SaveSpreadFile(const std::string& path, std::int32_t cardWidth, std::int32_t cardHeight,
                    const std::vector<SavedSpreadCard>& cards, const ScreenInfo& screen,
                    std::string_view moment = {});
// What that save does to a file that holds `current`: the keys it writes,
// in order, and the file they leave. nullopt where SaveSpreadFile refuses to
// write: a key refused, or a saved position past the list of names.
struct SpreadSave {
  IniWriteBatch writes;
  IniDocument after;
};
std::optional<SpreadSave> PlanSpreadSave(const IniDocument& current, std::int32_t cardWidth,
                                         std::int32_t cardHeight,
                                         const std::vector<SavedSpreadCard>& cards,
                                         const ScreenInfo& screen, std::string_view moment = {});

// Writes a ready-made spread: the card size, the screen it is laid out for
// (when given), and for each position in turn, as section Position00,
// Position01, ..., its place, value and (when not empty) description. One
// replacement of the file, into whatever it holds. Raises IniWriteError.
void WriteSpreadTemplate(const std::string& path, const SpreadLayout& layout);

// The hint of the card window at position `number` (counted from 1):
// "Позиция <number>" when |value| is 255, otherwise
// "Позиция <number> - <|value|> - <card name> - <description>". Plain text
// for the window to show as it is.
std::string SpreadPositionHint(std::int64_t number, std::int32_t value, std::string_view cardName,
                               std::string_view description);

// What a card window shows for a signed card value in a deck of `cardCount`
// cards. A negative value shows the card reversed when reversed cards are
// on and keeps its sign; otherwise it becomes its magnitude and the card
// shows upright. A magnitude of 255 is no card (as the hint says), whatever
// the sign, and becomes 255; so does -2^31, whose magnitude no value holds.
// A magnitude past the deck's last card is kept but shows no picture.
struct ShownCard {
  std::int32_t Value = kNoCard;      // the value the card window holds now
  std::optional<std::int32_t> Card;  // the card position shown, if any
  bool Reversed = false;
  bool operator==(const ShownCard&) const = default;
};
ShownCard ShowCardValue(std::int32_t value, bool upsideDownCards, std::int32_t cardCount);

}  // namespace vaticor
