// Changing an INI file as WritePrivateProfileString would: the lines a
// change touches found in the file's own bytes and encoding, one write or a
// batch in one pass, everything else left byte for byte. The parsing and
// lookups it relies on are in ini_document.cpp.
#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "core/ini_document.h"
#include "core/ini_names.h"

namespace vaticor {

using ini::CleanName;
using ini::HasQuotePair;
using ini::IsBlank;
using ini::IsLineBreak;
using ini::kUtf8Bom;
using ini::NameHash;
using ini::RepairUtf8;

namespace {

bool FitsWindows1251(std::string_view utf8) {
  return IsAscii(utf8) || Windows1251ToUtf8(Utf8ToWindows1251(utf8)) == utf8;
}

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
