#include "library/open_deck.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>

#include "core/file_io.h"
#include "library/card_identity.h"
#include "library/open_deck_names.h"
#include "library/open_deck_toml.h"

namespace vaticor {

namespace {

// "<major>.<minor>", two decimal integers.
std::optional<std::int32_t> MajorVersion(std::string_view version) {
  const std::size_t dot = version.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == version.size()) return std::nullopt;
  const auto digits = [](std::string_view part) {
    return part.size() <= 9 &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string_view major = version.substr(0, dot);
  if (!digits(major) || !digits(version.substr(dot + 1))) return std::nullopt;
  std::int32_t value = 0;
  std::from_chars(major.data(), major.data() + major.size(), value);
  return value;
}

// The default card back: [card_backs] default names a design of
// [card_backs.variants] (or .designs); one design alone is the default.
std::string CardBack(const toml::table& deck) {
  const toml::table* backs = TableAt(&deck, "card_backs");
  const toml::table* designs = TableAt(backs, "variants");
  if (!designs) designs = TableAt(backs, "designs");
  if (!designs) return {};
  const toml::table* chosen = nullptr;
  if (std::optional<std::string> key = StringAt(backs, "default")) {
    chosen = TableAt(designs, *key);
  } else if (designs->size() == 1) {
    chosen = designs->begin()->second.as_table();
  }
  std::string path = StringAt(chosen, "image").value_or("");
  return IsSafeDeckPath(path) ? path : std::string();
}

void ReadAliases(const toml::table* aliases, std::string_view group,
                 std::vector<std::pair<std::string, std::string>>& into) {
  const toml::table* table = TableAt(aliases, group);
  if (!table) return;
  for (const auto& [key, node] : *table) {
    if (std::optional<std::string> name = node.value<std::string>()) {
      into.emplace_back(std::string(key.str()), *name);
    }
  }
}

// [remap_major_arcana]: place "08" = "justice", the card that place holds.
std::vector<std::int32_t> MajorRemap(const toml::table* remap) {
  std::vector<std::int32_t> identities(kMajorArcanaCount, -1);
  if (!remap) return identities;
  for (const auto& [key, node] : *remap) {
    const std::int32_t place = MajorKeyIdentity(key.str());
    const std::optional<std::string> name = node.value<std::string>();
    if (place < 0 || !name) continue;
    identities[static_cast<std::size_t>(place)] = MajorIdentityByName(*name);
  }
  return identities;
}

}  // namespace

bool IsSafeDeckPath(std::string_view path) {
  if (path.empty() || path.front() == '/' || path.find('\\') != std::string_view::npos ||
      path.find('\0') != std::string_view::npos || path.find(':') != std::string_view::npos) {
    return false;
  }
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (path.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

OpenDeckHeader HeaderOf(const toml::table& table) {
  OpenDeckHeader header;
  const toml::table* deck = TableAt(&table, "deck");
  // Read first, so that a deck refused is listed by its own name. Without
  // one the deck goes by its folder's (ListOpenDecks).
  header.name = StringAt(deck, "name").value_or("");
  const std::optional<std::string> version = StringAt(deck, "schema_version");
  const std::optional<std::int32_t> major = version ? MajorVersion(*version) : std::nullopt;
  if (!major) {
    header.problem = OpenDeckProblem::kNoVersion;
    return header;
  }
  if (*major != 1 && *major != 2) {
    header.problem = OpenDeckProblem::kUnsupportedVersion;
    header.detail = *version;
    return header;
  }
  header.major = *major;
  header.cardBack = CardBack(table);
  if (header.major >= 2) {
    if (std::optional<std::string> language = StringAt(deck, "default_language")) {
      if (!language->empty()) header.defaultLanguage = *language;
    }
    header.excluded = StringsAt(TableAt(&table, "excluded_cards"), "cards");
  } else {
    header.excluded = StringsAt(TableAt(deck, "excluded_cards"), "cards");
    const toml::table* aliases = TableAt(&table, "aliases");
    ReadAliases(aliases, "suits", header.suitAliases);
    ReadAliases(aliases, "courts", header.courtAliases);
    header.majorRemap = MajorRemap(TableAt(&table, "remap_major_arcana"));
  }
  return header;
}

OpenDeckHeader ParseOpenDeckToml(std::string_view text) {
  const ParsedToml parsed = ParseDeckToml(text);
  if (!parsed.table) {
    OpenDeckHeader header;
    header.problem = OpenDeckProblem::kMalformed;
    header.detail = parsed.error;
    return header;
  }
  return HeaderOf(*parsed.table);
}

OpenDeckHeader ReadOpenDeckHeader(const std::string& root) {
  const TomlFile file = ReadDeckTomlFile(JoinPath(root, kOpenDeckFile), kMaxOpenDeckTomlBytes);
  OpenDeckHeader header;
  switch (file.status) {
    case TomlFile::Status::kParsed:
      return HeaderOf(*file.parsed.table);
    case TomlFile::Status::kMissing:
    case TomlFile::Status::kUnreadable:
      header.problem = OpenDeckProblem::kCannotRead;
      break;
    case TomlFile::Status::kTooLarge:
      header.problem = OpenDeckProblem::kTooLarge;
      break;
    case TomlFile::Status::kMalformed:
      header.problem = OpenDeckProblem::kMalformed;
      header.detail = file.parsed.error;
      break;
  }
  return header;
}

std::vector<DeckIniCard> OpenDeckIniCards(const OpenDeck& deck, std::int32_t height) {
  std::vector<DeckIniCard> cards;
  for (const OpenDeckCard& card : deck.cards) {
    const SizedPicture* picture = ChoosePictureForHeight(card.pictures, height);
    cards.push_back({card.identity, picture ? picture->path : std::string(), card.name});
  }
  return cards;
}

std::vector<std::string> OpenDeckLibraryRoots(std::string_view dataHome, std::string_view home,
                                              std::string_view dataDirs) {
  std::vector<std::string> roots;
  const auto add = [&roots](std::string_view dir) {
    if (dir.empty() || dir.front() != '/') return;
    std::string root = JoinPath(JoinPath(dir, "tarot"), "decks");
    if (std::find(roots.begin(), roots.end(), root) == roots.end())
      roots.push_back(std::move(root));
  };
  if (!dataHome.empty() && dataHome.front() == '/') {
    add(dataHome);
  } else if (!home.empty()) {
    add(JoinPath(home, ".local/share"));
  }
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  while (!dataDirs.empty()) {
    const std::size_t colon = std::min(dataDirs.find(':'), dataDirs.size());
    add(dataDirs.substr(0, colon));
    dataDirs.remove_prefix(std::min(colon + 1, dataDirs.size()));
  }
  return roots;
}

OpenDeckListing ListOpenDecks(const std::vector<std::string>& roots) {
  OpenDeckListing listing;
  std::vector<std::string> seen;
  for (const std::string& root : roots) {
    for (const std::string& entry : ListDirectory(root)) {
      const std::string folder = JoinPath(root, entry);
      // Only a folder with a deck.toml file is a deck; hidden ones are
      // copies in the making.
      if (entry.starts_with('.') || !FileExists(JoinPath(folder, kOpenDeckFile))) continue;
      if (std::find(seen.begin(), seen.end(), entry) != seen.end()) continue;
      seen.push_back(entry);
      ListedOpenDeck deck{folder, ReadOpenDeckHeader(folder)};
      if (deck.header.name.empty()) deck.header.name = entry;
      (deck.header.problem == OpenDeckProblem::kNone ? listing.usable : listing.unusable)
          .push_back(std::move(deck));
    }
  }
  return listing;
}

}  // namespace vaticor
