#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "languages/language_file.h"

namespace vaticor {

// The built-in Russian text of that number (UTF-8); empty for a number
// outside 1000 to 1044. They differ in places from the captions the windows
// start with (1018, 1021), but are all Russian.
std::string_view BuiltInRussianText(int id);

// The interface texts of the current language, numbered 1000 to 1044, and
// where they came from.
//
// At program start every text is empty, nothing is applied and no language
// file is loaded: the windows show the captions of their layouts. Once a
// language has been applied (a file, or the built-in Russian texts) the
// texts are the captions, an empty one included: a file that lacks a key
// empties that caption.
class TLanguageTable {
 public:
  // The text of that number; empty when unset or outside 1000 to 1044.
  std::string Entry(int id) const;
  // Sets one text; a number outside 1000 to 1044 is ignored. Does not mark
  // the table applied.
  void SetEntry(int id, std::string text);
  // Back to the state of program start.
  void Clear();

  // Every text from the language file at `path` (read at most
  // kMaxLanguageFileBytes; a missing key, or a missing file, gives an empty
  // text); the file becomes the one last loaded and the title is its own.
  void LoadFile(const std::string& path);
  // The same for a file already read from `path`.
  void LoadFile(const LanguageFile& file, const std::string& path);
  // Every text from the built-in Russian ones. The file last loaded stays
  // the one last loaded, so the title is still read from it.
  void LoadRussian();

  // True once LoadFile or LoadRussian has run.
  bool Applied() const { return applied_; }
  // What a caption that shows text `id` reads: the table's text once a
  // language is applied (empty too), else the layout's own text.
  std::string Caption(int id, std::string_view layoutText) const;
  // The path of the language file last loaded; empty when none was.
  const std::string& LanguageFilePath() const { return languageFilePath_; }
  // The text of key `key` of the language file's "Reader" section, as of
  // the last LoadFile (compared without regard to case); empty when it has
  // none, after LoadRussian and before any language was applied: the
  // caller then shows its built-in Russian text.
  std::string ReaderText(std::string_view key) const;
  // The same of the "Journal" section (the reading journal's captions).
  std::string JournalText(std::string_view key) const;
  // The same of the "Cards" section (the gallery, readings entered by hand,
  // the reader's own meanings).
  std::string CardsText(std::string_view key) const;
  // The application title as of the last LoadFile or LoadRussian: "IDs"/
  // "1000" of the file last loaded, "Vaticor" when it has none or no file
  // was loaded.
  const std::string& Title() const { return title_; }

 private:
  std::array<std::string, kInterfaceTextCount> entries_;
  std::vector<std::pair<std::string, std::string>> readerTexts_;
  std::vector<std::pair<std::string, std::string>> journalTexts_;
  std::vector<std::pair<std::string, std::string>> cardsTexts_;
  bool applied_ = false;
  std::string languageFilePath_;
  std::string title_{kDefaultApplicationTitle};
  void ReadTitle();
};

}  // namespace vaticor
