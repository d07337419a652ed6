#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "languages/language_table.h"
#include "languages/locale_info.h"

namespace vaticor {

// The address the message about a missing language asks users to write to.
inline constexpr std::string_view kDeveloperMailAddress = "developers@vaticor.org";

// The "Language" setting that a language file's name gives: its leading
// word. Leading characters with codes 32 to 47 or 58 to 64 (blank,
// punctuation and symbols, digits excepted) are skipped, and the word ends
// before the next such character: "0x0409.ini" gives "0x0409",
// "English.ini" gives "English", " -Deutsch (AT).ini" gives "Deutsch".
std::string LanguageSettingFor(std::string_view fileName);

// The locale identifier a language file's name stands for, when the name is
// "0x" + hexadecimal digits + ".ini" (letters in either case): "0x0409.ini"
// gives 0x0409; "English.ini", "0x0409.txt" or "0x0409 old.ini" give none.
std::optional<std::uint32_t> LanguageIdOfFileName(std::string_view fileName);

// The message shown when the user's own language has no file; it ends with
// the user's language identifier.
std::string MissingLanguageMessage(std::string_view userLanguageId);

// The message shown when a language file chosen from the menu turned out
// not to be one (LanguageFile::IsLanguageFile); it names the file.
std::string NotALanguageFileMessage(std::string_view fileName);

// One item of the language submenu after "[rus] Русский".
struct LanguageMenuEntry {
  // The file's "Language"/"Name", or the file name when that is missing or
  // empty: an item is never blank.
  std::string caption;
  std::string fileName;  // the name in the language folder
};

// What a window has to do after a call.
struct LanguageOutcome {
  // Plain message boxes to show, in order (UTF-8); mostly none.
  std::vector<std::string> messages;
  // The table was loaded: put the table's texts into every caption and hint
  // and make Title() the application's display name.
  bool textsChanged = false;
};

// The interface languages: the table of texts, the language files of one
// folder, the language submenu and the "Language" setting, without any
// window. The windows call it and show what it returns:
//
//   LanguageSupport languages(table, settings.Language,
//                             settings.LanguagesFolder, UserLanguageId(locale));
//   show(languages.StartUp());            // after every window exists
//   menu: "[rus] Русский", then MenuEntries() captions; check CheckedPosition()
//   item i clicked:  show(languages.Choose(i));
//   Russian clicked: show(languages.ChooseRussian());
//
// The folder is listed at BuildLanguageMenu only (start-up): a file added
// later appears at the next start. Every language file of the folder is a
// menu item, whatever its extension; sub-folders are not, nor are files that
// are no language file (LanguageFile::IsLanguageFile: garbage, a picture,
// UTF-16 without a byte-order mark). The order is the folder listing's
// (sorted by name, byte-wise). A missing folder lists nothing.
// Files are untrusted: each is read up to kMaxLanguageFileBytes, a value is
// cut at 2,047 characters, and a language file missing some keys empties
// those texts. A file that is no language file is never loaded, so the
// captions never all go blank and the "Language" setting never comes to
// name one; only one chosen from the menu is reported. Nothing here raises.
class LanguageSupport {
 public:
  // `table` is the program's one table that the windows read; `setting` is
  // the "Language" setting, read and changed here (saved with the other
  // settings); `folder` is the language folder; `userLanguageId` is
  // UserLanguageId() of the user's locale ("0x0409").
  LanguageSupport(TLanguageTable& table, std::string& setting, std::string folder,
                  std::string userLanguageId);

  // Start-up, once all windows exist: ApplyUserLanguage, then
  // BuildLanguageMenu; the messages of both.
  LanguageOutcome StartUp();

  // Unless the user's language is Russian, loads the file of the user's
  // language identifier ("0x040C.ini"). When that file is missing (or no
  // language file) but one of the same primary language is there
  // ("0x0409.ini" for 0x0809), that one is loaded instead; a Russian variant
  // (0x0819) keeps the built-in texts. Otherwise the message of a missing
  // file, once (see LoadLanguageFile).
  LanguageOutcome ApplyUserLanguage();
  // Lists the folder into MenuEntries(), loads the file whose name is the
  // "Language" setting + ".ini" (letters a to z compared without case) and
  // checks its item. With no such file nothing is loaded and the check mark
  // stays where it was (position 0 at start).
  LanguageOutcome BuildLanguageMenu();
  // The menu item of file `index` (0-based in MenuEntries()) was chosen: its
  // file is loaded and its item, position index + 1, checked. A file gone
  // since the listing is a missing file (LoadLanguageFile); one that is no
  // longer a language file changes nothing, the check mark included, and
  // gives NotALanguageFileMessage. An index outside the menu does nothing.
  LanguageOutcome Choose(int index);
  // "[rus] Русский" was chosen: the built-in texts, "Language" = "0x0419",
  // position 0 checked.
  LanguageOutcome ChooseRussian();

  // A file of the folder by name. When it is a language file: the table
  // takes its texts and the "Language" setting becomes
  // LanguageSettingFor(fileName). When it exists but is no language file:
  // NotALanguageFileMessage, and nothing changes. When it does not exist and
  // the setting differs from the user's identifier: the message of a missing
  // language, and the setting becomes the user's identifier, so the message
  // does not come back at the next start. When the setting already is the
  // user's identifier: nothing.
  LanguageOutcome LoadLanguageFile(const std::string& fileName);
  // The built-in Russian texts; "Language" = "0x0419".
  void LoadRussianTexts();

  const std::vector<LanguageMenuEntry>& MenuEntries() const { return entries_; }
  // 0 for "[rus] Русский", i + 1 for MenuEntries()[i].
  int CheckedPosition() const { return checkedPosition_; }

  const TLanguageTable& Table() const { return table_; }
  // Text `id` (1000 to 1044) of the table; see TLanguageTable::Caption for
  // what a caption shows before any language is applied.
  std::string Text(int id) const { return table_.Entry(id); }
  std::string Caption(int id, std::string_view layoutText) const {
    return table_.Caption(id, layoutText);
  }
  // The application title ("Vaticor" unless a language file gives one).
  const std::string& Title() const { return table_.Title(); }
  const std::string& UserLanguage() const { return userLanguageId_; }

  // The locale identifier of the language shown now, for Qt's own texts:
  // 0x0419 for the built-in Russian (also before any language is applied),
  // the identifier in the name of a file loaded as "0x0407.ini", and 0 for a
  // file named otherwise ("English.ini").
  std::uint32_t LanguageId() const;

 private:
  enum class FileKind { kMissing, kNotALanguage, kLanguage };
  FileKind KindOf(const std::string& fileName) const;
  // The file when it is a language file, read once; `kind` says what it is.
  std::optional<LanguageFile> ReadLanguageFile(const std::string& fileName, FileKind& kind) const;
  // Loads a file by name: its texts, a message that it is no language file,
  // or the missing-language rule; `kind` says which.
  LanguageOutcome Load(const std::string& fileName, FileKind& kind);
  // The texts of a language file read from `fileName`.
  LanguageOutcome Apply(const LanguageFile& file, const std::string& fileName);
  // The user's own language has no file: the message, once (see
  // LoadLanguageFile).
  LanguageOutcome NoUserLanguageFile();
  std::string PathOf(const std::string& fileName) const;
  // A language file of the user's primary language named by its identifier,
  // the exact identifier (in any letter case) first, else the first in
  // listing order.
  std::optional<std::string> FileOfUserLanguage() const;

  TLanguageTable& table_;
  std::string& setting_;
  const std::string folder_;
  const std::string userLanguageId_;
  std::vector<LanguageMenuEntry> entries_;
  int checkedPosition_ = 0;
  // The name of the file whose texts the table holds; empty while the table
  // holds the built-in ones or none.
  std::string shownFile_;
};

}  // namespace vaticor
