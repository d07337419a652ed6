// Finding the cards of an open-format deck from its picture folders.
#include <toml++/toml.h>

#include <algorithm>
#include <limits>
#include <map>

#include "core/file_io.h"
#include "core/indexed_folder.h"
#include "core/text_utils.h"
#include "library/card_identity.h"
#include "library/open_deck.h"
#include "library/open_deck_names.h"
#include "library/open_deck_toml.h"

namespace vaticor {

namespace {

// The height a top-level folder stands for: "h1200" gives 1200, "scalable"
// 0; nullopt for any other folder (not a picture folder).
std::optional<std::int32_t> PictureFolderHeight(std::string_view name) {
  const std::string lower = AsciiLower(name);
  if (lower == "scalable") return 0;
  if (lower.size() < 2 || lower.size() > 7 || lower[0] != 'h' || lower[1] == '0') {
    return std::nullopt;
  }
  std::int32_t height = 0;
  for (char c : std::string_view(lower).substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    height = height * 10 + (c - '0');
  }
  return height;
}

// Where a file stands in the order formats are preferred in one folder;
// nullopt for a file that is not a card picture there.
std::optional<int> FormatRank(std::string_view extension, bool scalable) {
  const std::string lower = AsciiLower(extension);
  if (scalable) return lower == "svg" ? std::optional<int>(0) : std::nullopt;
  if (lower == "png") return 0;
  if (lower == "webp") return 1;
  if (lower == "jpg" || lower == "jpeg") return 3;
  return std::nullopt;
}

// The entry of `folder` whose name is `name` without regard to case.
std::optional<std::string> EntryNamed(const std::string& folder, std::string_view name) {
  for (const std::string& entry : ListDirectory(folder)) {
    if (AsciiLower(entry) == name) return entry;
  }
  return std::nullopt;
}

struct Candidate {
  std::string path;
  int formatRank = 0;
};

struct FoundCard {
  std::string major;  // the major key, or empty for a minor card
  std::string suit;
  std::string rank;
  // variant key ("" the unsuffixed file) -> height -> best file
  std::map<std::string, std::map<std::int32_t, Candidate>> variants;
};

class Discovery {
 public:
  Discovery(const std::string& root) : root_(root), folder_(root) {}

  void ScanPictureFolders() {
    for (const std::string& entry : ListDirectory(root_)) {
      const std::optional<std::int32_t> height = PictureFolderHeight(entry);
      if (!height || !DirectoryExists(JoinPath(root_, entry))) continue;
      ScanKind(entry, *height);
    }
  }

  // A card named by an explicit path (the older version's own cards).
  void AddExplicit(const std::string& id, std::string major, std::string suit, std::string rank,
                   const std::string& path) {
    if (!IsSafeDeckPath(path)) return;
    std::int32_t height = 0;
    const std::size_t slash = path.find('/');
    if (slash != std::string::npos) height = PictureFolderHeight(path.substr(0, slash)).value_or(0);
    FoundCard& card = cards_[id];
    card.major = std::move(major);
    card.suit = std::move(suit);
    card.rank = std::move(rank);
    card.variants[""][height] = Candidate{path, 0};
  }

  std::map<std::string, FoundCard>& Cards() { return cards_; }
  IndexedFolder& Folder() { return folder_; }

 private:
  void ScanKind(const std::string& kind, std::int32_t height) {
    const std::string base = JoinPath(root_, kind);
    if (std::optional<std::string> major = EntryNamed(base, "major_arcana")) {
      ScanFiles(kind + "/" + *major, height, "", "");
    }
    std::optional<std::string> minor = EntryNamed(base, "minor_arcana");
    if (!minor) return;
    for (const std::string& suit : ListDirectory(JoinPath(base, *minor))) {
      const std::string suitKey = AsciiLower(suit);
      if (SuitIndex(suitKey) < 0 && !IsCustomName(suitKey)) continue;
      ScanFiles(kind + "/" + *minor + "/" + suit, height, suitKey, "minor");
    }
  }

  // The pictures of one folder: majors when `suit` is empty.
  void ScanFiles(const std::string& relative, std::int32_t height, const std::string& suit,
                 std::string_view) {
    for (const std::string& file : ListDirectory(JoinPath(root_, relative))) {
      const std::size_t lastDot = file.rfind('.');
      if (lastDot == std::string::npos || lastDot == 0) continue;
      const std::optional<int> rank = FormatRank(file.substr(lastDot + 1), height == 0);
      if (!rank) continue;
      const std::string stem = AsciiLower(file.substr(0, lastDot));
      const std::size_t firstDot = stem.find('.');
      const std::string key = stem.substr(0, firstDot);
      const std::string variant = firstDot == std::string::npos ? "" : stem.substr(firstDot + 1);
      std::string id;
      if (suit.empty()) {
        if (MajorKeyIdentity(key) < 0 && (!IsCustomName(key) || key.size() == 2)) continue;
        id = "major_arcana." + key;
      } else {
        if (RankIndex(key) < 0 && !IsCustomName(key)) continue;
        id = "minor_arcana." + suit + "." + key;
      }
      const std::string path = relative + "/" + file;
      FoundCard& card = cards_[id];
      if (suit.empty()) {
        card.major = key;
      } else {
        card.suit = suit;
        card.rank = key;
      }
      auto& best = card.variants[variant];
      const auto held = best.find(height);
      if (held == best.end() || *rank < held->second.formatRank) best[height] = {path, *rank};
    }
  }

  std::string root_;
  IndexedFolder folder_;
  std::map<std::string, FoundCard> cards_;
};

// The older version's own cards, named by explicit paths.
void AddDeclaredCards(Discovery& discovery, const toml::table* deck) {
  const toml::table* custom = TableAt(deck, "custom_cards");
  if (const toml::table* majors = TableAt(custom, "major_arcana")) {
    for (const auto& [key, node] : *majors) {
      const std::string name(key.str());
      const std::optional<std::string> image = StringAt(node.as_table(), "image");
      if (image && IsCustomName(name)) {
        discovery.AddExplicit("major_arcana." + name, name, "", "", *image);
      }
    }
  }
  if (const toml::table* suits = TableAt(custom, "minor_arcana")) {
    for (const auto& [key, node] : *suits) {
      const std::string suit(key.str());
      const toml::node* cards = node.as_table() ? node.as_table()->get("cards") : nullptr;
      const toml::array* list = cards ? cards->as_array() : nullptr;
      if (!list || !IsCustomName(suit)) continue;
      for (const toml::node& card : *list) {
        const std::optional<std::string> rank = StringAt(card.as_table(), "id");
        const std::optional<std::string> image = StringAt(card.as_table(), "image");
        if (!rank || !image || !IsCustomName(*rank)) continue;
        discovery.AddExplicit("minor_arcana." + suit + "." + *rank, "", suit, *rank, *image);
      }
    }
  }
}

// The variant shown: the declared default, else the unsuffixed file, else
// the first variant by key.
const std::map<std::int32_t, Candidate>* ShownVariant(const FoundCard& card, const std::string& id,
                                                      const toml::table* deck) {
  const toml::table* declared = TableAt(TableAt(deck, "card_variants"), id);
  if (std::optional<std::string> key = StringAt(declared, "default")) {
    const auto at = card.variants.find(AsciiLower(*key));
    if (at != card.variants.end()) return &at->second;
  }
  const auto plain = card.variants.find("");
  if (plain != card.variants.end()) return &plain->second;
  return card.variants.empty() ? nullptr : &card.variants.begin()->second;
}

// Where a deck's own card stands among its own cards: majors by declared
// position, then minors by suit (canonical suits first) and by the suit's
// declared ranks.
struct OwnPlace {
  int group = 0;
  std::int64_t place = 0;
  std::string key;
  bool operator<(const OwnPlace& other) const {
    return std::tie(group, place, key) < std::tie(other.group, other.place, other.key);
  }
};

OwnPlace PlaceOf(const FoundCard& card, const std::string& id, const toml::table* deck) {
  const toml::table* custom = TableAt(deck, "custom_cards");
  constexpr std::int64_t kUndeclared = std::numeric_limits<std::int64_t>::max();
  if (!card.major.empty()) {
    const toml::table* entry = TableAt(TableAt(custom, "major_arcana"), card.major);
    return {0, IntegerAt(entry, "position").value_or(kUndeclared), id};
  }
  const std::vector<std::string> ranks =
      StringsAt(TableAt(TableAt(custom, "minor_arcana"), card.suit), "ranks");
  const auto at = std::find(ranks.begin(), ranks.end(), card.rank);
  const std::int32_t suit = SuitIndex(card.suit);
  return {suit >= 0 ? 1 + suit : 5,
          at != ranks.end() ? at - ranks.begin()
                            : (RankIndex(card.rank) >= 0 ? RankIndex(card.rank) : kUndeclared),
          id};
}

}  // namespace

OpenDeck ReadOpenDeck(const std::string& root, std::string_view language) {
  OpenDeck deck;
  const TomlFile file = ReadDeckTomlFile(JoinPath(root, kOpenDeckFile), kMaxOpenDeckTomlBytes);
  if (!file.parsed.table) {
    deck.header = ReadOpenDeckHeader(root);
    if (deck.header.problem == OpenDeckProblem::kNone)
      deck.header.problem = OpenDeckProblem::kCannotRead;
    return deck;
  }
  const toml::table* table = file.parsed.table.get();
  deck.header = HeaderOf(*table);
  if (deck.header.problem != OpenDeckProblem::kNone) return deck;

  Discovery discovery(root);
  discovery.ScanPictureFolders();
  if (deck.header.major < 2) AddDeclaredCards(discovery, table);
  const OpenDeckNames names(root, deck.header, table, language);

  std::vector<std::pair<OwnPlace, OpenDeckCard>> own;
  for (auto& [id, found] : discovery.Cards()) {
    if (std::find(deck.header.excluded.begin(), deck.header.excluded.end(), id) !=
        deck.header.excluded.end()) {
      continue;
    }
    const std::map<std::int32_t, Candidate>* variant = ShownVariant(found, id, table);
    if (!variant) continue;
    OpenDeckCard card;
    card.id = id;
    for (const auto& [height, candidate] : *variant) {
      // A link leading out of the deck, or a folder named like a picture.
      if (!discovery.Folder().Find(candidate.path).isFile) continue;
      card.pictures.push_back({candidate.path, height});
    }
    if (card.pictures.empty()) continue;
    if (!found.major.empty()) {
      card.identity = MajorKeyIdentity(found.major);
      // An older deck may say which card each major place holds.
      if (card.identity >= 0 && !deck.header.majorRemap.empty() &&
          deck.header.majorRemap[static_cast<std::size_t>(card.identity)] >= 0) {
        card.identity = deck.header.majorRemap[static_cast<std::size_t>(card.identity)];
      }
      card.name = names.Major(found.major, card.identity);
    } else {
      card.identity = MinorKeyIdentity(found.suit, found.rank);
      card.name = names.Minor(found.suit, found.rank);
    }
    if (card.identity >= 0) {
      deck.cards.push_back(std::move(card));
    } else {
      own.emplace_back(PlaceOf(found, id, table), std::move(card));
    }
  }
  // A remapping that names one card for two places keeps the first.
  std::vector<bool> seen(kCardIdentities, false);
  for (OpenDeckCard& card : deck.cards) {
    if (seen[static_cast<std::size_t>(card.identity)]) {
      card.identity = -1;
    } else {
      seen[static_cast<std::size_t>(card.identity)] = true;
    }
  }
  std::stable_sort(deck.cards.begin(), deck.cards.end(),
                   [](const OpenDeckCard& a, const OpenDeckCard& b) {
                     // Cards that lost their identity go after the others.
                     const auto key = [](const OpenDeckCard& card) {
                       return card.identity < 0 ? kCardIdentities : card.identity;
                     };
                     return key(a) < key(b);
                   });
  std::sort(own.begin(), own.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [place, card] : own) deck.cards.push_back(std::move(card));
  return deck;
}

}  // namespace vaticor
