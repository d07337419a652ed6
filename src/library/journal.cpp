#include "library/journal.h"

#include <cstdio>
#include <unordered_set>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "library/card_identity.h"

namespace vaticor {

std::string JournalFilePath(const std::string& appFolder, bool appFolderWritable,
                            const std::string& xdgDataHome, const std::string& home) {
  if (appFolderWritable && !appFolder.empty()) return JoinPath(appFolder, kJournalFileName);
  std::string data = xdgDataHome;
  // The XDG rule: a relative value is ignored.
  if (data.empty() || data.front() != '/') {
    if (home.empty()) return {};
    data = JoinPath(home, ".local/share");
  }
  return JoinPath(JoinPath(data, "vaticor"), kJournalFileName);
}

std::string JournalMoment(int year, int month, int day, int hour, int minute, int second) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour, minute,
                second);
  return text;
}

std::string JournalMonthPrefix(int year, int month) {
  if (month < 1 || month > 12) return {};
  const std::string first = JournalMoment(year, month, 1, 0, 0, 0);
  return first.substr(0, first.size() - std::string_view("01T00:00:00").size());
}

std::vector<std::string> NormaliseTags(std::span<const std::string> tags) {
  std::vector<std::string> kept;
  std::unordered_set<std::string> seen;
  for (std::string tag : tags) {
    for (char& c : tag) {
      if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    const std::size_t first = tag.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    tag = tag.substr(first, tag.find_last_not_of(' ') - first + 1);
    // Upper case folds the letters EqualsIgnoreCase folds; a set keeps
    // thousands of tags from being compared pair by pair.
    if (seen.insert(ToUpperText(tag)).second) kept.push_back(std::move(tag));
  }
  return kept;
}

namespace {

// Punctuation and blanks outside ASCII that commonly stand between words
// in Latin and Cyrillic text: Latin-1's signs (no-break space, «», ...),
// the general punctuation block (dashes, quotes, ellipsis), the
// supplemental punctuation, CJK and full-width ones.
bool IsSeparator(char32_t c) {
  if (c < 0x80) {
    return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
  }
  return (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x206F) ||
         (c >= 0x2E00 && c <= 0x2E7F) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0xFF00 && c <= 0xFF0F);
}

// The length of the UTF-8 sequence at `at` and its character; a byte that
// begins no valid sequence is one character of its own (taken as a letter).
std::size_t NextCharacter(std::string_view text, std::size_t at, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 0;
  if (length == 0 || at + length > text.size()) {
    c = 0xFFFD;
    return 1;
  }
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      c = 0xFFFD;
      return 1;
    }
    c = (c << 6) | (next & 0x3F);
  }
  return length;
}

}  // namespace

std::vector<std::string> TextWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t c = 0;
    const std::size_t length = NextCharacter(text, at, c);
    if (IsSeparator(c)) {
      if (at > start) words.emplace_back(text.substr(start, at - start));
      start = at + length;
    }
    at += length;
  }
  if (at > start) words.emplace_back(text.substr(start, at - start));
  return words;
}

std::vector<std::string> SearchWords(std::string_view text) {
  std::vector<std::string> words = TextWords(text);
  if (words.size() > kMaxSearchWords) words.resize(kMaxSearchWords);
  return words;
}

void CheckReaderMeaningIdentity(std::int32_t identity) {
  if (identity < 0 || identity >= kCardIdentities) {
    throw std::invalid_argument("a card identity outside 0 - 77");
  }
}

}  // namespace vaticor
