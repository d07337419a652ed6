// Reading an INI file: the bytes' encoding told, the text parsed in one
// pass into sections and keys with their hash indexes, and the lookups;
// also the value rules of a read (integers, the name-list buffer). The
// changes are made in ini_document_edit.cpp.
#include "core/ini_document.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/byte_words.h"
#include "core/ini_names.h"

namespace vaticor {

using ini::CleanNameView;
using ini::HasQuotePair;
using ini::IsBlank;
using ini::IsLineBreak;
using ini::kUtf8Bom;
using ini::NameHash;
using ini::Trim;

namespace {

// Where the line starting at `pos` ends: at its CR or LF, or at the text's end.
std::size_t FindLineBreak(std::string_view text, std::size_t pos) {
  for (; pos + 8 <= text.size(); pos += 8) {
    const std::uint64_t word = LoadWord(text.data() + pos);
    if (HasByte(word, '\r') || HasByte(word, '\n')) break;
  }
  while (pos < text.size() && !IsLineBreak(text[pos])) ++pos;
  return pos;
}

// At most `limit` characters of valid UTF-8, never cutting a character.
std::string_view CutToCharacters(std::string_view s, std::size_t limit) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && count++ == limit)
      return s.substr(0, i);
  }
  return s;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<std::string> FitIniNameList(std::vector<std::string> names) {
  std::size_t used = 0;
  std::size_t fit = 0;
  while (fit < names.size() && (used += names[fit].size() + 1) <= kIniNameListBytes) ++fit;
  names.resize(fit);
  return names;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2));
  }
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

IniDocument::IniDocument() = default;

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

std::size_t IniDocument::BomSize() const {
  switch (encoding_) {
    case TextEncoding::Utf8Bom:
      return 3;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
      return 2;
    default:
      return 0;
  }
}

std::size_t IniDocument::TextEnd() const {
  const bool wide = encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE;
  return wide ? bytes_.size() - (bytes_.size() - BomSize()) % 2 : bytes_.size();
}

std::string_view IniDocument::Text() const {
  if (!textIsBytes_) return decoded_;
  return std::string_view(bytes_).substr(BomSize());
}

void IniDocument::Parse() {
  // The encoding is told as DecodeText tells it; valid UTF-8 (with or without
  // its mark) is used in place rather than copied.
  const std::string_view bytes = bytes_;
  if (bytes.substr(0, 3) == kUtf8Bom) {
    encoding_ = TextEncoding::Utf8Bom;
  } else if (bytes.substr(0, 2) == "\xFF\xFE") {
    encoding_ = TextEncoding::Utf16LE;
  } else if (bytes.substr(0, 2) == "\xFE\xFF") {
    encoding_ = TextEncoding::Utf16BE;
  } else {
    encoding_ = IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1251;
  }
  textIsBytes_ = (encoding_ == TextEncoding::Utf8) ||
                 (encoding_ == TextEncoding::Utf8Bom && IsValidUtf8(bytes.substr(3)));
  decoded_.clear();
  if (!textIsBytes_) decoded_ = DecodeText(bytes.substr(0, TextEnd())).utf8;

  const std::string_view text = Text();
  lineEnd_ = DetectLineEnding(text);
  endsWithLineEnd_ = !text.empty() && IsLineBreak(text.back());
  sections_.clear();
  keys_.clear();

  std::size_t line = 0;
  for (std::size_t pos = 0; pos < text.size(); ++line) {
    const std::size_t end = FindLineBreak(text, pos);
    const std::size_t lineStart = pos;
    pos = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);

    std::size_t first = lineStart;
    while (first < end && IsBlank(text[first])) ++first;
    if (first == end || text[first] == ';') continue;
    const std::string_view content = text.substr(first, end - first);

    if (content.front() == '[') {
      const std::size_t close = content.find(']');
      const std::string_view raw =
          content.substr(1, close == std::string_view::npos ? close : close - 1);
      const std::string_view name = Trim(raw);
      const std::size_t nameBegin = static_cast<std::size_t>(name.data() - text.data());
      sections_.push_back(Section{Span{nameBegin, name.size()}, line, keys_.size(), 0});
      continue;
    }
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos || sections_.empty()) continue;
    const std::string_view name = Trim(content.substr(0, eq));
    if (name.empty()) continue;
    const std::string_view value = Trim(content.substr(eq + 1));
    auto offset = [&](std::string_view piece) {
      return static_cast<std::size_t>(piece.data() - text.data());
    };
    keys_.push_back(Key{Span{offset(name), name.size()}, Span{offset(value), value.size()}, line});
    ++sections_.back().keyCount;
  }

  sectionIndex_.clear();
  sectionIndex_.reserve(sections_.size());
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sectionIndex_.push_back(IndexEntry{NameHash(Piece(sections_[i].name)), i});
  }
  std::sort(sectionIndex_.begin(), sectionIndex_.end());
  keyIndex_.clear();
  keyIndex_.reserve(keys_.size());
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    keyIndex_.push_back(IndexEntry{NameHash(Piece(keys_[i].name)), i});
  }
  for (const Section& section : sections_) {
    const auto first = keyIndex_.begin() + static_cast<std::ptrdiff_t>(section.firstKey);
    std::sort(first, first + static_cast<std::ptrdiff_t>(section.keyCount));
  }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const IndexEntry probe{NameHash(name), 0};
  auto it = std::lower_bound(sectionIndex_.begin(), sectionIndex_.end(), probe);
  for (; it != sectionIndex_.end() && it->hash == probe.hash; ++it) {
    const Section& section = sections_[it->index];
    if (EqualsIgnoreCase(Piece(section.name), name)) return &section;
  }
  return nullptr;
}

const IniDocument::Key* IniDocument::FindKey(const Section& section, std::string_view name) const {
  const auto begin = keyIndex_.begin() + static_cast<std::ptrdiff_t>(section.firstKey);
  const auto end = begin + static_cast<std::ptrdiff_t>(section.keyCount);
  const IndexEntry probe{NameHash(name), 0};
  for (auto it = std::lower_bound(begin, end, probe); it != end && it->hash == probe.hash; ++it) {
    const Key& key = keys_[it->index];
    if (EqualsIgnoreCase(Piece(key.name), name)) return &key;
  }
  return nullptr;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  std::string repaired;
  const Section* s = FindSection(CleanNameView(section, repaired));
  return s ? ValueOf(*s, key) : std::nullopt;
}

std::optional<std::string> IniDocument::ValueOf(const Section& section,
                                                std::string_view key) const {
  std::string repaired;
  const Key* k = FindKey(section, CleanNameView(key, repaired));
  if (!k) return std::nullopt;
  std::string_view value = Piece(k->value);
  if (HasQuotePair(value)) value = value.substr(1, value.size() - 2);
  return std::string(CutToCharacters(value, kMaxIniValueLength));
}

std::vector<std::optional<std::string>> IniDocument::Values(
    std::string_view section, std::span<const std::string_view> keys) const {
  std::vector<std::optional<std::string>> values(keys.size());
  std::string repaired;
  if (const Section* s = FindSection(CleanNameView(section, repaired))) {
    for (std::size_t i = 0; i < keys.size(); ++i) values[i] = ValueOf(*s, keys[i]);
  }
  return values;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.emplace_back(Piece(section.name));
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::string repaired;
  if (const Section* s = FindSection(CleanNameView(section, repaired))) {
    names.reserve(s->keyCount);
    for (std::size_t i = 0; i < s->keyCount; ++i)
      names.emplace_back(Piece(keys_[s->firstKey + i].name));
  }
  return names;
}

}  // namespace vaticor
