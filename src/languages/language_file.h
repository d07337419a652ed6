#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vaticor {

class IniDocument;

// Files in the language folder come from anyone; a real one is a few
// kilobytes. Only this many bytes from the start of a file are read, so a
// huge file cannot stall start-up; what lies beyond is ignored.
inline constexpr std::size_t kMaxLanguageFileBytes = 1 << 20;

// The interface texts that change with the language are numbered 1000 to
// 1044 (1000 is the program title, 1001 the hint of the menu image, ...).
inline constexpr int kFirstInterfaceText = 1000;
inline constexpr int kLastInterfaceText = 1044;
inline constexpr int kInterfaceTextCount = kLastInterfaceText - kFirstInterfaceText + 1;

// The application title when a language file does not give one.
inline constexpr std::string_view kDefaultApplicationTitle = "Vaticor";

// One language file: an INI text in UTF-8, UTF-16 with a byte-order mark or
// Windows-1251 (the INI engine's rules: names compare without letter case, a
// value is trimmed of blanks and outer quotes and cut to 2,047 characters).
//
//   [Language]  Name=<caption of the language's menu item>
//   [ID]        1000=... 1044=<the interface texts by number>
//   [IDs]       1000=<the application title>
//
// A missing file, section or key reads as its default; nothing here fails.
// Whether the bytes are a language file at all (not a picture or a text in
// an encoding the INI engine does not know, which read as no keys) is
// IsLanguageFile's to say.
class LanguageFile {
 public:
  // The file at `path`, read once now (at most kMaxLanguageFileBytes); a
  // missing or unreadable file, or a folder, reads as an empty file.
  static LanguageFile Read(const std::string& path);
  // The file's bytes, in any of the encodings above.
  explicit LanguageFile(std::string bytes);
  ~LanguageFile();
  LanguageFile(LanguageFile&&) noexcept;
  LanguageFile& operator=(LanguageFile&&) noexcept;

  // "Language"/"Name"; empty when missing.
  std::string Name() const;
  // "ID"/<id in decimal>; empty when missing.
  std::string Text(int id) const;
  // The texts of section "Reader": captions of what the program offers
  // besides the numbered texts (sharing a reading, a position's meaning),
  // by key name; a file written before them has none. Empty values are
  // left out: a caption never goes blank for a missing translation.
  std::vector<std::pair<std::string, std::string>> ReaderTexts() const { return Texts("Reader"); }
  // The same of section "Journal": the reading journal's captions.
  std::vector<std::pair<std::string, std::string>> JournalTexts() const { return Texts("Journal"); }
  // The same of section "Cards": the card gallery's, the readings entered
  // by hand and the reader's own meanings.
  std::vector<std::pair<std::string, std::string>> CardsTexts() const { return Texts("Cards"); }
  // The non-empty texts of a section, by key name.
  std::vector<std::pair<std::string, std::string>> Texts(const char* section) const;
  // "IDs"/"1000"; kDefaultApplicationTitle when missing.
  std::string Title() const;
  // True when section "ID" holds at least one of the keys 1000 to 1044
  // (an empty value counts). A file without any gives no text at all, so
  // choosing it would only blank every caption.
  bool IsLanguageFile() const;

 private:
  std::unique_ptr<const IniDocument> document_;
};

}  // namespace vaticor
