#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// Decks of the open tarot deck format that other tarot programs and deck
// artists share: a folder (the deck root) holding "deck.toml", the card
// pictures found by their places (h<height>/major_arcana/00.png,
// h<height>/minor_arcana/cups/ace.webp, scalable/... for SVG), and the
// card names in names/<language>.toml. Versions 1.x and 2.x are read, each
// by its own rules; any other major version is refused with a reason.
//
// Everything in such a folder comes from anywhere: deck.toml and the names
// files are read only up to kMaxOpenDeckTomlBytes, a path in them that is
// absolute or holds a ".." part is refused, and pictures are found through
// IndexedFolder, so a link leading out of the deck names nothing.

// A deck.toml or names file larger than this is not read (real ones are a
// few kilobytes; alt text for 78 cards is about 15 KB).
inline constexpr std::size_t kMaxOpenDeckTomlBytes = 1 << 20;

// Why a folder holding deck.toml cannot be used; the interface says it.
enum class OpenDeckProblem : std::uint8_t {
  kNone,
  kCannotRead,          // deck.toml cannot be read
  kTooLarge,            // deck.toml is larger than kMaxOpenDeckTomlBytes
  kMalformed,           // not TOML; detail: the parser's message and line
  kNoVersion,           // no [deck] schema_version, or not "<major>.<minor>"
  kUnsupportedVersion,  // a major version other than 1 and 2; detail: the version
  kNoName,              // no [deck] name
};

// What deck.toml says, as far as this program uses it.
struct OpenDeckHeader {
  OpenDeckProblem problem = OpenDeckProblem::kNone;
  std::string detail;       // for kMalformed and kUnsupportedVersion
  std::int32_t major = 0;   // 1 or 2 when usable
  std::string name;         // [deck] name, verbatim
  std::string defaultLanguage = "en";
  // The default card back's picture, relative to the deck root with "/";
  // empty when none is given or its path is refused.
  std::string cardBack;
  // Canonical ids left out on purpose ([excluded_cards], in 1.x
  // [deck.excluded_cards]).
  std::vector<std::string> excluded;
  // 1.x only: display names of suits and court ranks ([aliases.suits],
  // [aliases.courts]), keyed by canonical key.
  std::vector<std::pair<std::string, std::string>> suitAliases;
  std::vector<std::pair<std::string, std::string>> courtAliases;
  // 1.x only: [remap_major_arcana], the identity of the card each major
  // arcana place 0 - 21 holds (-1 where the table says nothing).
  std::vector<std::int32_t> majorRemap;
};

// Reads deck.toml's text (UTF-8; a leading byte-order mark skipped). Never
// raises: a text that is not usable gives its problem.
OpenDeckHeader ParseOpenDeckToml(std::string_view text);
// Reads `root`/deck.toml from disk, refusing one larger than
// kMaxOpenDeckTomlBytes without reading it.
OpenDeckHeader ReadOpenDeckHeader(const std::string& root);

// One picture of a card: its path relative to the deck root, "/" between
// parts, and the height of its size folder in pixels, 0 for scalable/.
struct SizedPicture {
  std::string path;
  std::int32_t height = 0;
};

// The file to show a card at `targetHeight` pixels from the pictures it
// has: the smallest raster at or above the target; else the SVG; else the
// largest raster below. Null when `pictures` is empty.
const SizedPicture* ChoosePictureForHeight(const std::vector<SizedPicture>& pictures,
                                           std::int32_t targetHeight);

struct OpenDeckCard {
  std::int32_t identity = -1;  // 0 - 77; -1 for a card of the deck's own
  std::string id;              // "major_arcana.00", "minor_arcana.cups.ace", ...
  std::string name;            // in the language asked for, as resolved
  std::vector<SizedPicture> pictures;  // one per size folder that has the card
};

struct OpenDeck {
  OpenDeckHeader header;
  // The cards that have a picture, canonical ones in identity order, then
  // the deck's own cards by their declared place, then by id.
  std::vector<OpenDeckCard> cards;
};

// Reads a deck root: deck.toml, the names files for `language` (a language
// code, "ru", "pt-BR", "uk_UA"), and the pictures. With a header problem
// the cards are empty.
OpenDeck ReadOpenDeck(const std::string& root, std::string_view language);

// The picture of a card an import copies and names in the deck.ini it
// writes: the one ChoosePictureForHeight gives for kImportedCardHeight.
inline constexpr std::int32_t kImportedCardHeight = 1200;

}  // namespace vaticor
