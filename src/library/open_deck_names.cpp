#include "library/open_deck_names.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "core/text_utils.h"
#include "library/card_identity.h"
#include "library/common_card_names.h"
#include "library/open_deck_toml.h"

namespace vaticor {

namespace {

constexpr std::array<std::string_view, 4> kSuits = {"wands", "cups", "swords", "pentacles"};
constexpr std::array<std::string_view, kSuitRanks> kRanks = {
    "ace",   "two",  "three", "four", "five",   "six",   "seven",
    "eight", "nine", "ten",   "page", "knight", "queen", "king"};

template <std::size_t N>
std::int32_t IndexIn(const std::array<std::string_view, N>& keys, std::string_view key) {
  const auto at = std::find(keys.begin(), keys.end(), key);
  return at == keys.end() ? -1 : static_cast<std::int32_t>(at - keys.begin());
}

// Letters lower case, "the " in front, blanks and "_" left out.
std::string FoldedName(std::string_view name) {
  std::string folded;
  for (char c : name) {
    if (c == ' ' || c == '_' || c == '-') continue;
    folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  if (folded.starts_with("the")) folded.erase(0, 3);
  return folded;
}

// "pt_BR" as the tag "pt-BR".
std::string LanguageTag(std::string_view code) {
  std::string tag(code);
  std::replace(tag.begin(), tag.end(), '_', '-');
  return tag;
}

std::string Composed(std::string_view pattern, std::string_view rank, std::string_view suit) {
  std::string name;
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern.substr(i).starts_with("{rank}")) {
      name += rank;
      i += 6;
    } else if (pattern.substr(i).starts_with("{suit}")) {
      name += suit;
      i += 6;
    } else {
      name += pattern[i++];
    }
  }
  return name;
}

}  // namespace

std::int32_t MajorKeyIdentity(std::string_view key) {
  if (key.size() != 2 || key[0] < '0' || key[0] > '9' || key[1] < '0' || key[1] > '9') return -1;
  const std::int32_t number = (key[0] - '0') * 10 + (key[1] - '0');
  return number < kMajorArcanaCount ? number : -1;
}

std::int32_t SuitIndex(std::string_view key) { return IndexIn(kSuits, key); }
std::int32_t RankIndex(std::string_view key) { return IndexIn(kRanks, key); }

std::int32_t MinorKeyIdentity(std::string_view suit, std::string_view rank) {
  const std::int32_t s = SuitIndex(suit);
  const std::int32_t r = RankIndex(rank);
  if (s < 0 || r < 0) return -1;
  return MinorIdentity(static_cast<CardSuit>(s), r);
}

std::string_view SuitKey(std::int32_t index) {
  return index >= 0 && index < 4 ? kSuits[static_cast<std::size_t>(index)] : std::string_view();
}

std::string_view RankKey(std::int32_t index) {
  return index >= 0 && index < kSuitRanks ? kRanks[static_cast<std::size_t>(index)]
                                          : std::string_view();
}

std::string CanonicalCardId(std::int32_t identity) {
  if (identity < 0 || identity >= kCardIdentities) return {};
  if (identity < kMajorArcanaCount) {
    return "major_arcana." + std::string(1, static_cast<char>('0' + identity / 10)) +
           static_cast<char>('0' + identity % 10);
  }
  const std::int32_t minor = identity - kMajorArcanaCount;
  return "minor_arcana." + std::string(SuitKey(minor / kSuitRanks)) + "." +
         std::string(RankKey(minor % kSuitRanks));
}

std::int32_t MajorIdentityByName(std::string_view name) {
  if (!name.empty() && name.size() <= 2 &&
      std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const std::int32_t number = std::stoi(std::string(name));
    return number < kMajorArcanaCount ? number : -1;
  }
  const std::string folded = FoldedName(name);
  if (folded == "judgment") return 20;
  for (std::int32_t identity = 0; identity < kMajorArcanaCount; ++identity) {
    if (FoldedName(CommonCardName(identity, "en")) == folded) return identity;
  }
  return -1;
}

std::string TitleCasedKey(std::string_view key) {
  std::string name;
  bool wordStart = true;
  for (char c : key) {
    if (c == '_') {
      name += ' ';
      wordStart = true;
      continue;
    }
    name += (wordStart && c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    wordStart = false;
  }
  return name;
}

bool IsCustomName(std::string_view key) {
  if (key.empty() || (key[0] >= '0' && key[0] <= '9')) return false;
  return std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

OpenDeckNames::OpenDeckNames(const std::string& root, const OpenDeckHeader& header,
                             const toml::table* deck, std::string_view language)
    : header_(header), deck_(deck), language_(language) {
  // The names files by their tags, compared without case.
  const std::string folder = JoinPath(root, "names");
  std::vector<std::pair<std::string, std::string>> byTag;
  for (const std::string& entry : ListDirectory(folder)) {
    if (entry.size() > 5 && EqualsIgnoreCase(entry.substr(entry.size() - 5), ".toml")) {
      byTag.emplace_back(AsciiLower(entry.substr(0, entry.size() - 5)), entry);
    }
  }
  std::vector<std::string> tags;
  const auto addChain = [&tags](std::string tag) {
    while (!tag.empty()) {
      tags.push_back(AsciiLower(tag));
      const std::size_t dash = tag.rfind('-');
      tag.resize(dash == std::string::npos ? 0 : dash);
    }
  };
  addChain(LanguageTag(language));
  if (header.major >= 2) addChain(LanguageTag(header.defaultLanguage));
  std::vector<std::string> read;
  for (const std::string& tag : tags) {
    if (std::find(read.begin(), read.end(), tag) != read.end()) continue;
    read.push_back(tag);
    const auto file = std::find_if(byTag.begin(), byTag.end(),
                                   [&tag](const auto& entry) { return entry.first == tag; });
    if (file == byTag.end()) continue;
    TomlFile names = ReadDeckTomlFile(JoinPath(folder, file->second), kMaxOpenDeckTomlBytes);
    if (names.parsed.table) files_.push_back(std::move(names.parsed.table));
  }
}

OpenDeckNames::~OpenDeckNames() = default;

std::optional<std::string> OpenDeckNames::Lookup(std::string_view table,
                                                 std::string_view key) const {
  for (const auto& file : files_) {
    const toml::table* at = file.get();
    for (std::size_t start = 0; at && start <= table.size();) {
      const std::size_t dot = std::min(table.find('.', start), table.size());
      at = TableAt(at, table.substr(start, dot - start));
      start = dot + 1;
    }
    if (std::optional<std::string> value = StringAt(at, key)) return value;
  }
  return std::nullopt;
}

std::string OpenDeckNames::Major(std::string_view key, std::int32_t identity) const {
  if (std::optional<std::string> name = Lookup("major_arcana", key)) return *name;
  if (identity < 0) {
    const toml::table* custom =
        TableAt(TableAt(TableAt(deck_, "custom_cards"), "major_arcana"), key);
    if (std::optional<std::string> name = StringAt(custom, "name")) return *name;
    return TitleCasedKey(key);
  }
  std::string common = CommonCardName(identity, language_);
  return common.empty() ? CommonCardName(identity, "en") : common;
}

std::string OpenDeckNames::SuitName(std::string_view suit) const {
  if (std::optional<std::string> name = Lookup("suits", suit)) return *name;
  for (const auto& [key, alias] : header_.suitAliases) {
    if (key == suit) return alias;
  }
  if (SuitIndex(suit) < 0) {
    const toml::table* custom =
        TableAt(TableAt(TableAt(deck_, "custom_cards"), "minor_arcana"), suit);
    if (std::optional<std::string> name = StringAt(custom, "name")) return *name;
  }
  return TitleCasedKey(suit);
}

std::string OpenDeckNames::RankName(std::string_view rank) const {
  if (std::optional<std::string> name = Lookup("ranks", rank)) return *name;
  for (const auto& [key, alias] : header_.courtAliases) {
    if (key == rank) return alias;
  }
  return TitleCasedKey(rank);
}

std::string OpenDeckNames::Minor(std::string_view suit, std::string_view rank) const {
  if (std::optional<std::string> name = Lookup("minor_arcana." + std::string(suit), rank)) {
    return *name;
  }
  // A deck of the older version lists its own cards' names with them.
  if (header_.major < 2) {
    const toml::table* custom =
        TableAt(TableAt(TableAt(deck_, "custom_cards"), "minor_arcana"), suit);
    const toml::node* cards = custom ? custom->get("cards") : nullptr;
    if (const toml::array* list = cards ? cards->as_array() : nullptr) {
      for (const toml::node& card : *list) {
        const toml::table* entry = card.as_table();
        if (StringAt(entry, "id") == std::string(rank)) {
          if (std::optional<std::string> name = StringAt(entry, "name")) return *name;
        }
      }
    }
  }
  const std::optional<std::string> pattern = Lookup("minor_arcana", "name_template");
  const bool deckNamesParts = pattern || Lookup("suits", suit) || Lookup("ranks", rank) ||
                              !header_.suitAliases.empty() || !header_.courtAliases.empty();
  const std::int32_t identity = MinorKeyIdentity(suit, rank);
  if (!deckNamesParts && identity >= 0) {
    std::string common = CommonCardName(identity, language_);
    if (!common.empty()) return common;
  }
  return Composed(pattern.value_or("{rank} of {suit}"), RankName(rank), SuitName(suit));
}

}  // namespace vaticor
