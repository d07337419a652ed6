#include "core/ini_document.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "core/byte_words.h"

namespace vaticor {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasQuotePair(std::string_view s) {
  return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.front() == s.back();
}

// Valid UTF-8 as given; otherwise each stray byte becomes U+FFFD (which is
// what decoding the bytes as BOM-marked UTF-8 does).
std::string RepairUtf8(std::string_view s) {
  if (IsValidUtf8(s)) return std::string(s);
  return DecodeText(std::string(kUtf8Bom) + std::string(s)).utf8;
}

// A name as the caller gave it, made comparable with the decoded file text;
// no copy when the name is valid UTF-8, as it nearly always is. `repaired`
// holds the text otherwise, and must outlive the result.
std::string_view CleanNameView(std::string_view name, std::string& repaired) {
  if (IsValidUtf8(name)) return Trim(name);
  repaired = RepairUtf8(name);
  return Trim(repaired);
}

// The same as a string of its own.
std::string CleanName(std::string_view name) {
  std::string repaired;
  return std::string(CleanNameView(name, repaired));
}

// Where the line starting at `pos` ends: at its CR or LF, or at the text's end.
std::size_t FindLineBreak(std::string_view text, std::size_t pos) {
  for (; pos + 8 <= text.size(); pos += 8) {
    const std::uint64_t word = LoadWord(text.data() + pos);
    if (HasByte(word, '\r') || HasByte(word, '\n')) break;
  }
  while (pos < text.size() && !IsLineBreak(text[pos])) ++pos;
  return pos;
}

// Eight ASCII bytes with the letters a-z made upper case, all at once: each
// sum's high bit tells one byte's place, and as every byte is below 0x80 no
// sum carries into the next.
std::uint64_t UpperAsciiWord(std::uint64_t word) {
  const std::uint64_t fromA = word + kByteOnes * (0x80 - 'a');      // high bit: byte >= 'a'
  const std::uint64_t pastZ = word + kByteOnes * (0x80 - 'z' - 1);  // high bit: byte > 'z'
  const std::uint64_t lower = fromA & ~pastZ & kByteHighBits;
  return word - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

// The same for every spelling EqualsIgnoreCase takes as equal: ASCII names,
// nearly all of them, are folded on the fly eight bytes at a time; others
// are folded by ToUpperText first (which leaves no lower-case ASCII letter).
std::size_t NameHash(std::string_view name) {
  const bool ascii = IsAscii(name);
  std::string upper;
  if (!ascii) {
    upper = ToUpperText(name);
    name = upper;
  }
  std::uint64_t hash = 14695981039346656037ull ^ name.size();
  auto mix = [&hash, ascii](std::uint64_t word) {
    hash = (hash ^ (ascii ? UpperAsciiWord(word) : word)) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 29;
  };
  // Whole words loaded as one (a fixed-size copy compiles to one load).
  std::size_t pos = 0;
  for (; pos + 8 <= name.size(); pos += 8) mix(LoadWord(name.data() + pos));
  if (pos < name.size()) mix(LoadWord(name.data() + pos, name.size() - pos));
  return static_cast<std::size_t>(hash);
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

bool FitsWindows1251(std::string_view utf8) {
  return IsAscii(utf8) || Windows1251ToUtf8(Utf8ToWindows1251(utf8)) == utf8;
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

IniDocument::RawLine IniDocument::LocateLine(std::size_t line) const {
  std::map<std::size_t, RawLine> one{{line, RawLine{}}};
  LocateLines(one);
  return one.begin()->second;
}

std::size_t IniDocument::UnitSize() const {
  return encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE ? 2 : 1;
}

unsigned IniDocument::UnitAt(std::size_t pos) const {
  const unsigned a = static_cast<unsigned char>(bytes_[pos]);
  if (UnitSize() == 1) return a;
  const unsigned b = static_cast<unsigned char>(bytes_[pos + 1]);
  return encoding_ == TextEncoding::Utf16BE ? (a << 8) | b : (b << 8) | a;
}

void IniDocument::LocateLines(std::map<std::size_t, RawLine>& lines) const {
  // Lines are counted in the bytes as they were counted in the decoded text:
  // CR, LF and CR LF end a line in every encoding, one code unit wide each.
  if (lines.empty()) return;
  const std::size_t unit = UnitSize();
  const std::size_t size = TextEnd();
  auto wanted = lines.begin();
  std::size_t pos = BomSize();
  for (std::size_t current = 0; wanted != lines.end(); ++current) {
    RawLine raw;
    raw.begin = pos;
    while (pos + unit <= size && UnitAt(pos) != '\r' && UnitAt(pos) != '\n') pos += unit;
    if (pos + unit > size) {  // the last line, with no line end
      raw.contentEnd = raw.next = size;
      for (; wanted != lines.end(); ++wanted) wanted->second = raw;
      return;
    }
    raw.contentEnd = pos;
    const bool crlf = UnitAt(pos) == '\r' && pos + 2 * unit <= size && UnitAt(pos + unit) == '\n';
    raw.next = pos + (crlf ? 2 : 1) * unit;
    if (current == wanted->first) (wanted++)->second = raw;
    pos = raw.next;
  }
}

std::string IniDocument::Edited(const std::string& section, const std::string& key,
                                const std::string& value) const {
  const std::string eol(LineEndingText(lineEnd_));
  std::size_t at = TextEnd();
  std::size_t erase = 0;
  std::string insert;
  if (const Section* s = FindSection(section)) {
    if (const Key* k = FindKey(*s, key)) {
      const RawLine raw = LocateLine(k->line);
      at = raw.begin;
      erase = raw.contentEnd - raw.begin;
      insert = std::string(Piece(k->name)) + "=" + value;
    } else {
      const std::size_t anchor = s->keyCount ? keys_[s->firstKey + s->keyCount - 1].line : s->line;
      const RawLine raw = LocateLine(anchor);
      at = raw.next;
      insert = (raw.next == raw.contentEnd ? eol : std::string()) + key + "=" + value + eol;
    }
  } else {
    const bool needsBreak = !Text().empty() && !endsWithLineEnd_;
    insert =
        (needsBreak ? eol : std::string()) + "[" + section + "]" + eol + key + "=" + value + eol;
  }

  std::string encoded = EncodeText(insert, encoding_);
  encoded.erase(0, BomSize());  // the mark is already at the file's start
  std::string result;
  result.reserve(bytes_.size() - erase + encoded.size());
  result.append(bytes_, 0, at);
  result.append(encoded);
  result.append(bytes_, at + erase, std::string::npos);
  return result;
}

void IniDocument::ConvertToUtf8WithBom() {
  std::string converted(kUtf8Bom);
  converted.append(Text());
  bytes_ = std::move(converted);
  Parse();
}

namespace {

// A write's names and value as SetValue writes them; nullopt when a name
// cannot be written.
std::optional<IniKeyWrite> CleanWrite(std::string_view section, std::string_view key,
                                      std::string_view value) {
  IniKeyWrite clean{CleanName(section), CleanName(key), RepairUtf8(value)};
  if (clean.section.find_first_of("]\r\n") != std::string::npos) return std::nullopt;
  if (clean.key.empty() || clean.key.front() == '[' || clean.key.front() == ';' ||
      clean.key.find_first_of("=\r\n") != std::string::npos) {
    return std::nullopt;
  }
  std::string& text = clean.value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') text.erase(i, 1);
    if (IsLineBreak(text[i])) text[i] = ' ';
  }
  if (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || HasQuotePair(text))) {
    text = '"' + text + '"';
  }
  return clean;
}

}  // namespace

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::optional<IniKeyWrite> clean = CleanWrite(section, key, value);
  if (!clean) return false;
  SetCleanValue(clean->section, clean->key, clean->value);
  return true;
}

void IniDocument::SetCleanValue(const std::string& sectionName, const std::string& keyName,
                                const std::string& text) {
  if (encoding_ == TextEncoding::Windows1251 &&
      !(FitsWindows1251(sectionName) && FitsWindows1251(keyName) && FitsWindows1251(text))) {
    ConvertToUtf8WithBom();
  }
  std::string result = Edited(sectionName, keyName, text);
  // Windows-1251 bytes that happen to form valid UTF-8 would be read back as
  // UTF-8 and change meaning; such a file is marked as UTF-8 instead.
  if (encoding_ == TextEncoding::Windows1251 && !IsAscii(result) && IsValidUtf8(result)) {
    ConvertToUtf8WithBom();
    result = Edited(sectionName, keyName, text);
  }
  bytes_ = std::move(result);
  Parse();
}

bool IniDocument::SetValues(const std::vector<IniKeyWrite>& writes) {
  std::vector<IniKeyWrite> clean;
  clean.reserve(writes.size());
  for (const IniKeyWrite& write : writes) {
    std::optional<IniKeyWrite> one = CleanWrite(write.section, write.key, write.value);
    if (!one) return false;
    clean.push_back(std::move(*one));
  }
  if (SetValuesAtOnce(clean)) return true;
  for (const IniKeyWrite& write : clean) SetCleanValue(write.section, write.key, write.value);
  return true;
}

bool IniDocument::SetValuesAtOnce(const std::vector<IniKeyWrite>& writes) {
  // A Windows-1251 file can turn into UTF-8 part way through the writes (see
  // SetCleanValue). With ASCII writes it only does when the bytes end up
  // valid UTF-8 (they only lose non-ASCII lines), which is checked at the end.
  const bool narrow = encoding_ == TextEncoding::Windows1251;
  if (narrow) {
    for (const IniKeyWrite& write : writes) {
      if (!IsAscii(write.section) || !IsAscii(write.key) || !IsAscii(write.value)) return false;
    }
  }

  // Keys added by the writes, found again as a parsed file would find them.
  struct AddedKeys {
    std::vector<std::pair<std::string, std::string>> keys;  // name, value
    std::unordered_multimap<std::size_t, std::size_t> index;
    void Set(const std::string& name, const std::string& value) {
      const std::size_t hash = NameHash(name);
      for (auto [it, end] = index.equal_range(hash); it != end; ++it) {
        if (EqualsIgnoreCase(keys[it->second].first, name)) {
          keys[it->second].second = value;
          return;
        }
      }
      index.emplace(hash, keys.size());
      keys.emplace_back(name, value);
    }
  };
  struct NewSection {
    std::string name;
    AddedKeys added;
  };
  std::map<std::size_t, std::string> replaced;  // key line -> its new content
  std::map<std::size_t, AddedKeys> addedTo;     // section of the file -> keys
  std::vector<NewSection> newSections;          // in the order made
  std::unordered_multimap<std::size_t, std::size_t> newSectionIndex;

  for (const IniKeyWrite& write : writes) {
    if (const Section* s = FindSection(write.section)) {
      if (const Key* k = FindKey(*s, write.key)) {
        replaced[k->line] = std::string(Piece(k->name)) + "=" + write.value;
      } else {
        addedTo[static_cast<std::size_t>(s - sections_.data())].Set(write.key, write.value);
      }
      continue;
    }
    const std::size_t hash = NameHash(write.section);
    NewSection* target = nullptr;
    for (auto [it, end] = newSectionIndex.equal_range(hash); it != end && !target; ++it) {
      if (EqualsIgnoreCase(newSections[it->second].name, write.section)) {
        target = &newSections[it->second];
      }
    }
    if (!target) {
      newSectionIndex.emplace(hash, newSections.size());
      target = &newSections.emplace_back(NewSection{write.section, {}});
    }
    target->added.Set(write.key, write.value);
  }

  // Where the touched lines lie, found in one pass.
  std::map<std::size_t, RawLine> lines;
  for (const auto& [line, content] : replaced) lines[line];
  std::vector<std::pair<std::size_t, const AddedKeys*>> anchors;  // anchor line, keys
  for (const auto& [section, added] : addedTo) {
    const Section& s = sections_[section];
    const std::size_t anchor = s.keyCount ? keys_[s.firstKey + s.keyCount - 1].line : s.line;
    anchors.emplace_back(anchor, &added);
    lines[anchor];
  }
  LocateLines(lines);

  const std::string eol(LineEndingText(lineEnd_));
  auto encode = [this](const std::string& text) {
    std::string encoded = EncodeText(text, encoding_);
    encoded.erase(0, BomSize());  // the mark is already at the file's start
    return encoded;
  };
  struct Edit {
    std::size_t at = 0;
    bool insertion = false;  // keys inserted before a line replaced at the same place
    std::size_t erase = 0;
    std::string text;
  };
  std::vector<Edit> edits;
  for (const auto& [line, content] : replaced) {
    const RawLine& raw = lines[line];
    edits.push_back(Edit{raw.begin, false, raw.contentEnd - raw.begin, content});
  }
  bool addedAtTheEnd = false;
  for (const auto& [anchor, added] : anchors) {
    const RawLine& raw = lines[anchor];
    std::string text;
    if (raw.next == raw.contentEnd) {  // the last line, with no line end
      text = eol;
      addedAtTheEnd = true;
    }
    for (const auto& [name, value] : added->keys) text += name + "=" + value + eol;
    edits.push_back(Edit{raw.next, true, 0, std::move(text)});
  }
  // Lines added in a file whose lines end in CR alone, right before a line
  // that begins with LF (an empty line of a file with mixed line ends), end
  // in a CR that joins that LF: the line they end is CR LF, and the writes
  // that follow, one by one, see the file's lines as the joining left them.
  if (lineEnd_ == LineEnding::Cr) {
    for (const Edit& edit : edits) {
      if (edit.insertion && edit.at + UnitSize() <= TextEnd() && UnitAt(edit.at) == '\n') {
        return false;
      }
    }
  }
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
    return a.at != b.at ? a.at < b.at : a.insertion > b.insertion;
  });

  std::string result;
  result.reserve(bytes_.size() + 64 * writes.size());
  std::size_t copied = 0;
  for (const Edit& edit : edits) {
    result.append(bytes_, copied, edit.at - copied);
    result.append(encode(edit.text));
    copied = edit.at + edit.erase;
  }
  const std::size_t textEnd = TextEnd();
  result.append(bytes_, copied, textEnd - copied);
  std::string appended;
  if (!newSections.empty() && !Text().empty() && !endsWithLineEnd_ && !addedAtTheEnd) {
    appended = eol;
  }
  for (const NewSection& section : newSections) {
    appended += "[" + section.name + "]" + eol;
    for (const auto& [name, value] : section.added.keys) appended += name + "=" + value + eol;
  }
  result.append(encode(appended));
  result.append(bytes_, textEnd, std::string::npos);

  if (narrow && IsValidUtf8(result)) return false;
  bytes_ = std::move(result);
  Parse();
  return true;
}

}  // namespace vaticor
