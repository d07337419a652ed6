#include "library/card_identity.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "core/text_encoding.h"
#include "library/journal.h"

namespace vaticor {

namespace {

struct Token {
  std::string_view text;  // in upper case
  std::int32_t value;
};

// Ranks from the ace (0) to the king (13).
constexpr std::array<Token, 30> kRanks = {{
    {"A", 0},       {"ACE", 0}, {"1", 0},      {"2", 1},  {"TWO", 1},   {"3", 2},
    {"THREE", 2},   {"4", 3},   {"FOUR", 3},   {"5", 4},  {"FIVE", 4},  {"6", 5},
    {"SIX", 5},     {"7", 6},   {"SEVEN", 6},  {"8", 7},  {"EIGHT", 7}, {"9", 8},
    {"NINE", 8},    {"10", 9},  {"TEN", 9},    {"P", 10}, {"PAGE", 10}, {"KN", 11},
    {"KNIGHT", 11}, {"Q", 12},  {"QUEEN", 12}, {"K", 13}, {"KING", 13}, {"N", 11},
}};

constexpr std::array<Token, 12> kSuits = {{
    {"W", 0},
    {"WAND", 0},
    {"WANDS", 0},
    {"C", 1},
    {"CUP", 1},
    {"CUPS", 1},
    {"S", 2},
    {"SWORD", 2},
    {"SWORDS", 2},
    {"P", 3},
    {"PENTACLE", 3},
    {"PENTACLES", 3},
}};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Upper case, blanks (and tabs) made one blank each run, trimmed.
std::string Normalised(std::string_view typed) {
  std::string upper = ToUpperText(typed);
  std::string out;
  for (char c : upper) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  return std::string(Trimmed(out));
}

std::optional<std::int32_t> WholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value >= kCardIdentities) return std::nullopt;
  return value;
}

std::string RomanOf(std::int32_t value) {
  static constexpr std::array<std::pair<std::int32_t, const char*>, 6> kDigits = {
      {{10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}, {0, ""}}};
  std::string roman;
  for (const auto& [step, digits] : kDigits) {
    while (step > 0 && value >= step) {
      roman += digits;
      value -= step;
    }
  }
  return roman;
}

std::optional<std::int32_t> RomanNumeral(std::string_view text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  for (std::int32_t value = 1; value < kMajorArcanaCount; ++value) {
    if (RomanOf(value) == text) return value;
  }
  return std::nullopt;
}

// Rank and suit with what may stand between: nothing, blanks, "O", "OF".
void ShortForms(std::string_view text, std::vector<std::int32_t>& found) {
  for (const Token& rank : kRanks) {
    if (!text.starts_with(rank.text)) continue;
    std::string_view rest = Trimmed(text.substr(rank.text.size()));
    std::vector<std::string_view> suits = {rest};
    for (const std::string_view between : {"OF ", "O "}) {
      if (rest.starts_with(between)) suits.push_back(Trimmed(rest.substr(between.size())));
    }
    // "3OC": the "o" written against the suit.
    if (rest.size() > 1 && rest.front() == 'O') suits.push_back(rest.substr(1));
    for (const std::string_view suit : suits) {
      for (const Token& known : kSuits) {
        if (suit == known.text) {
          found.push_back(MinorIdentity(static_cast<CardSuit>(known.value), rank.value));
        }
      }
    }
  }
}

void RankAlone(std::string_view text, std::vector<std::int32_t>& found) {
  for (const Token& rank : kRanks) {
    // A digit alone is a card's number, not a rank.
    if (text != rank.text || (rank.text.front() >= '0' && rank.text.front() <= '9')) continue;
    for (std::int32_t suit = 0; suit < 4; ++suit) {
      found.push_back(MinorIdentity(static_cast<CardSuit>(suit), rank.value));
    }
  }
}

bool EachWordBeginsAWord(const std::vector<std::string>& typedWords, std::string_view name) {
  const std::vector<std::string> words = TextWords(name);
  return std::all_of(typedWords.begin(), typedWords.end(), [&](const std::string& typed) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& word) { return StartsWithIgnoreCase(word, typed); });
  });
}

}  // namespace

std::vector<std::int32_t> MatchCards(std::string_view typed, std::span<const CardName> names,
                                     std::size_t most) {
  const std::string text = Normalised(typed);
  std::vector<std::int32_t> found;
  if (text.empty()) return found;
  if (const std::optional<std::int32_t> number = WholeNumber(text)) found.push_back(*number);
  if (const std::optional<std::int32_t> roman = RomanNumeral(text)) found.push_back(*roman);
  ShortForms(text, found);
  RankAlone(text, found);
  const std::string_view plain = Trimmed(typed);
  for (const CardName& name : names) {
    if (StartsWithIgnoreCase(name.name, plain)) found.push_back(name.identity);
  }
  const std::vector<std::string> typedWords = TextWords(typed);
  if (!typedWords.empty()) {
    for (const CardName& name : names) {
      if (EachWordBeginsAWord(typedWords, name.name)) found.push_back(name.identity);
    }
  }
  // Each once, where it came first; only identities of the common order.
  std::vector<std::int32_t> unique;
  for (const std::int32_t identity : found) {
    if (identity < 0 || identity >= kCardIdentities) continue;
    if (std::find(unique.begin(), unique.end(), identity) != unique.end()) continue;
    unique.push_back(identity);
    if (unique.size() == most) break;
  }
  return unique;
}

bool CardNameMatches(std::string_view typed, std::string_view name) {
  const std::string_view plain = Trimmed(typed);
  if (plain.empty()) return false;
  if (StartsWithIgnoreCase(name, plain)) return true;
  const std::vector<std::string> typedWords = TextWords(typed);
  return !typedWords.empty() && EachWordBeginsAWord(typedWords, name);
}

std::vector<std::int32_t> DeckCardIdentities(std::int32_t cardNumbers, std::string_view declared) {
  const std::size_t count = static_cast<std::size_t>(std::max(cardNumbers, 0));
  std::vector<std::int32_t> identities(count, -1);
  if (!declared.empty()) {
    std::vector<std::int32_t> listed;
    std::array<bool, kCardIdentities> seen{};
    bool usable = true;
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = declared.find(',', start);
      std::string_view entry = declared.substr(start, comma - start);
      while (!entry.empty() && (entry.front() == ' ' || entry.front() == '\t'))
        entry.remove_prefix(1);
      while (!entry.empty() && (entry.back() == ' ' || entry.back() == '\t'))
        entry.remove_suffix(1);
      std::int32_t identity = -1;
      if (!entry.empty() && entry != "-") {
        const bool digits =
            entry.size() <= 2 &&
            std::all_of(entry.begin(), entry.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) identity = std::stoi(std::string(entry));
        if (!digits || identity >= kCardIdentities || seen[static_cast<std::size_t>(identity)]) {
          usable = false;
          break;
        }
        seen[static_cast<std::size_t>(identity)] = true;
      }
      listed.push_back(identity);
      if (listed.size() > count) {
        usable = false;
        break;
      }
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    if (usable) {
      std::copy(listed.begin(), listed.end(), identities.begin());
      return identities;
    }
  }
  if (cardNumbers == kCardIdentities || (cardNumbers > 0 && cardNumbers <= kMajorArcanaCount)) {
    for (std::size_t number = 0; number < count; ++number) {
      identities[number] = static_cast<std::int32_t>(number);
    }
  }
  return identities;
}

}  // namespace vaticor
