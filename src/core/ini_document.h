#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_encoding.h"

namespace vaticor {

// The longest value a read returns, in characters.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// The buffer in which the Windows profile functions hand over a list of
// names (a section's key names, a file's section names), in bytes: each name
// takes its UTF-8 bytes and one terminating byte, and names that do not fit
// are not seen.
inline constexpr std::size_t kIniNameListBytes = 16384;

// The leading names of `names` that fit in kIniNameListBytes, as a reader of
// that list sees them.
std::vector<std::string> FitIniNameList(std::vector<std::string> names);

// An INI value as an integer: decimal with an optional sign, or hexadecimal
// after "0x"/"0X" (when the text is longer than two characters) or after "$".
// Hexadecimal of up to eight digits wraps to a signed 32-bit value
// (0xFFFFFFFF is -1). Text that is not wholly such a number, or a number out
// of 32-bit range, gives nullopt.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// One key to set: what IniDocument::SetValue takes, kept for a batch.
struct IniKeyWrite {
  std::string section;
  std::string key;
  std::string value;
};

// The parsed content of one INI file, kept together with the file's bytes so
// that a change rewrites only the line it touches and leaves every other byte
// as it was.
//
// Reading rules are those of the Windows private-profile functions: section
// and key names compare without regard to letter case; a header's name ends
// at the first "]" (a header without one takes the rest of its line); only a
// line whose first non-blank character is ";" is a comment; a line without
// "=", or with nothing before it, is no key; lines before the first header
// belong to no section; and of several sections or keys of the same name a
// lookup sees the first.
//
// Memory stays proportional to the file: only headers and key lines are
// recorded, as offsets into the decoded text, and lookups go through sorted
// hash indexes, so even a file of millions of lines is parsed in one pass.
// Parsed and read in ini_document.cpp, changed in ini_document_edit.cpp.
class IniDocument {
 public:
  // An empty file: UTF-8 without a byte-order mark, CRLF line ends.
  IniDocument();
  // The file's bytes in any encoding DecodeText recognises.
  explicit IniDocument(std::string bytes);

  const std::string& Bytes() const { return bytes_; }
  TextEncoding Encoding() const { return encoding_; }
  LineEnding LineEnd() const { return lineEnd_; }

  // The value trimmed of blanks and of one matching outer pair of quotes,
  // cut to kMaxIniValueLength characters; nullopt when the section or key is
  // missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Several keys of one section, each as Value reads it, in the order given:
  // the section is looked up once, not once a key.
  std::vector<std::optional<std::string>> Values(std::string_view section,
                                                 std::span<const std::string_view> keys) const;
  // All section names in file order, duplicates included.
  std::vector<std::string> SectionNames() const;
  // The key names of the first section of that name, duplicates included.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Sets a key as WritePrivateProfileString would: the first matching key's
  // line is rewritten in place with the key spelled as in the file; a new key
  // goes right after its section's last key line (or its header); a new
  // section goes at the end of the file. Everything else keeps its bytes, and
  // the file keeps its encoding and line ends.
  //
  // So that what is written reads back as it was given: invalid UTF-8 becomes
  // U+FFFD, a line break in the value becomes a space, and a value with outer
  // blanks or a matching outer pair of quotes is written inside quotes. A
  // Windows-1251 file that cannot hold the new text is converted to UTF-8
  // with a byte-order mark rather than losing characters.
  //
  // Returns false, changing nothing, when the names cannot be written: an
  // empty key, a key holding "=" or beginning with "[" or ";", a section name
  // holding "]", or a line break in either.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  // The writes made in order, leaving the bytes SetValue one by one would
  // leave, but with one pass over the file instead of one a write: a save of
  // thousands of keys into a file of thousands of sections takes time in
  // proportion to the file and the writes, not to their product. Returns
  // false, changing nothing, when any of the names cannot be written.
  bool SetValues(const std::vector<IniKeyWrite>& writes);

 private:
  struct Span {
    std::size_t begin = 0;
    std::size_t size = 0;
  };
  struct Section {
    Span name;
    std::size_t line = 0;
    std::size_t firstKey = 0;  // index into keys_
    std::size_t keyCount = 0;
  };
  struct Key {
    Span name;
    Span value;
    std::size_t line = 0;
  };
  struct IndexEntry {
    std::size_t hash = 0;
    std::size_t index = 0;
    bool operator<(const IndexEntry& other) const {
      return hash != other.hash ? hash < other.hash : index < other.index;
    }
  };
  // Where one line lies in bytes_.
  struct RawLine {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // where its line end starts
    std::size_t next = 0;        // where the next line starts
  };

  std::string_view Text() const;
  std::string_view Piece(Span span) const { return Text().substr(span.begin, span.size); }
  void Parse();
  const Section* FindSection(std::string_view name) const;
  const Key* FindKey(const Section& section, std::string_view name) const;
  std::optional<std::string> ValueOf(const Section& section, std::string_view key) const;
  RawLine LocateLine(std::size_t line) const;
  // The bytes of one code unit of the file (2 in UTF-16), and the unit at a
  // byte offset (which must leave a whole unit before TextEnd()).
  std::size_t UnitSize() const;
  unsigned UnitAt(std::size_t pos) const;
  // Fills in where each of the lines asked for lies, in one pass.
  void LocateLines(std::map<std::size_t, RawLine>& lines) const;
  std::size_t BomSize() const;
  // Where the text ends in bytes_: a UTF-16 file cut after half a code unit
  // keeps that byte last, outside the text, so nothing added is misaligned.
  std::size_t TextEnd() const;
  // The bytes with one change made; section and key are already clean.
  std::string Edited(const std::string& section, const std::string& key,
                     const std::string& value) const;
  void ConvertToUtf8WithBom();
  // A write as SetValue makes it, its names and value already cleaned.
  void SetCleanValue(const std::string& section, const std::string& key, const std::string& text);
  // SetValues in one pass; false when it cannot promise SetValue's bytes
  // (nothing is changed then).
  bool SetValuesAtOnce(const std::vector<IniKeyWrite>& clean);

  std::string bytes_;
  std::string decoded_;      // the text, unless it is bytes_ itself
  bool textIsBytes_ = true;  // valid UTF-8 bytes are used as they are
  TextEncoding encoding_ = TextEncoding::Utf8;
  LineEnding lineEnd_ = LineEnding::CrLf;
  bool endsWithLineEnd_ = false;
  std::vector<Section> sections_;
  std::vector<Key> keys_;                 // in file order, grouped by section
  std::vector<IndexEntry> sectionIndex_;  // over sections_
  std::vector<IndexEntry> keyIndex_;      // per section, same ranges as keys_
};

}  // namespace vaticor
