#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/deck_ini_writer.h"
#include "library/picture_loader.h"

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

// The file that makes a folder a deck of this format.
inline constexpr const char* kOpenDeckFile = "deck.toml";

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
};

// What deck.toml says, as far as this program uses it.
struct OpenDeckHeader {
  OpenDeckProblem problem = OpenDeckProblem::kNone;
  std::string detail;      // for kMalformed and kUnsupportedVersion
  std::int32_t major = 0;  // 1 or 2 when usable
  std::string name;        // [deck] name, verbatim; may be empty
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

// Whether a path written in deck.toml may be followed: relative to the
// deck root, "/" between parts, no ".." part, nothing absolute ("/x", "C:",
// "\\server"), no NUL.
bool IsSafeDeckPath(std::string_view path);

struct OpenDeckCard {
  std::int32_t identity = -1;  // 0 - 77; -1 for a card of the deck's own
  std::string id;              // "major_arcana.00", "minor_arcana.cups.ace", ...
  std::string name;            // in the language asked for, as resolved
  // One per size folder that has the card, paths relative to the deck
  // root with "/" between parts.
  std::vector<SizedPicture> pictures;
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

// The deck's cards as a deck.ini describing it names them (MakeDeckIni,
// library/deck_ini_writer.h): each with the picture ChoosePictureForHeight
// picks for `height`, relative to the deck root, and its name.
std::vector<DeckIniCard> OpenDeckIniCards(const OpenDeck& deck, std::int32_t height);

// The folders decks of this format are shared in by the programs of one
// desktop, in the order they are searched: `dataHome`/tarot/decks (from
// XDG_DATA_HOME; `home`/.local/share when that is empty or not absolute),
// then <dir>/tarot/decks for each absolute dir of the colon-separated
// `dataDirs` (XDG_DATA_DIRS; "/usr/local/share:/usr/share" when empty).
std::vector<std::string> OpenDeckLibraryRoots(std::string_view dataHome, std::string_view home,
                                              std::string_view dataDirs);

// The decks of the library roots, in root order and by folder name within
// a root. A folder name met again in a later root is that deck shadowed
// and is not listed at all. A folder holding a deck.toml that cannot be
// used is listed among `unusable`, with its problem. Reads each deck.toml
// (at most kMaxOpenDeckTomlBytes), nothing else.
struct ListedOpenDeck {
  std::string folder;  // full path of the deck root
  OpenDeckHeader header;
};
struct OpenDeckListing {
  std::vector<ListedOpenDeck> usable;
  std::vector<ListedOpenDeck> unusable;
};
OpenDeckListing ListOpenDecks(const std::vector<std::string>& roots);

// The picture of a card an import copies and names in the deck.ini it
// writes: the one ChoosePictureForHeight gives for kImportedCardHeight.
inline constexpr std::int32_t kImportedCardHeight = 1200;

}  // namespace vaticor
