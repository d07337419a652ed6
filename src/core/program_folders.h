#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vaticor {

// The user's base folders as the environment names them; empty when unset.
struct UserBaseFolders {
  std::string configHome;  // XDG_CONFIG_HOME
  std::string dataHome;    // XDG_DATA_HOME
  std::string home;        // HOME
};

// Where the program reads its content (decks, description sets, sample
// spreads, language files) and keeps what it writes. Full paths without a
// trailing separator.
struct ProgramFolders {
  // Installed by a package, its content read-only: what the user makes goes
  // to `settings` and `data`. Otherwise the portable folder, which holds
  // everything itself, and all three are the program file's folder.
  bool installed = false;
  std::string content;
  std::string settings;  // the settings file
  std::string data;      // the reading log, the journal, imported decks and sets, spreads
};

// The folders below the content and data folders, named as the portable
// folder has always named them.
inline constexpr const char* kPicturesFolderName = "Pictures Folder";
inline constexpr const char* kDecksFolderName = "Pictures Folder/Decks";
inline constexpr const char* kTextsFolderName = "Texts Folder";
inline constexpr const char* kDescriptionsFolderName = "Texts Folder/Descriptions";
inline constexpr const char* kSpreadsFolderName = "Spreads Folder";
inline constexpr const char* kLanguagesFolderName = "Multi Language Support";

// The installed content's folder below the installation prefix.
inline constexpr const char* kInstalledContentFolder = "share/vaticor";

// The folders of the program file at `programPath` (a full path). Installed
// when the program lies in a folder named "bin", has no "Pictures Folder"
// beside it, and "../share/vaticor" holds one: then settings go to
// $XDG_CONFIG_HOME/vaticor and the rest to $XDG_DATA_HOME/vaticor, each
// falling back to ~/.config and ~/.local/share when unset or relative (as
// the XDG base directory rules say). Without any home folder the installed
// program falls back to the portable layout, where writes fail and say so.
ProgramFolders FindProgramFolders(const std::string& programPath, const UserBaseFolders& user);

// Makes the folders an installed program writes into (`data`'s decks,
// description sets and spreads folders, `settings`), and copies the sample
// spreads of `content` into the spreads folder when that folder is made, so
// they lie beside the user's own and can be edited. Returns false when a
// folder could not be made; the program then goes on, and each write that
// meets it reports its own failure. Does nothing for the portable layout.
bool PrepareUserFolders(const ProgramFolders& folders);

// A sub-folder listed from two roots.
struct ListedFolder {
  std::string name;  // the sub-folder's name
  std::string path;  // its full path
};

// Sub-folders (decks, description sets) listed from the user's own folder
// and, for an installed program, its shared read-only one; a name found in
// both is the user's, whose copy stands in for the program's.
class LayeredFolders {
 public:
  explicit LayeredFolders(std::string own) : own_(std::move(own)) {}
  // None by default; counts from the next List.
  void SetShared(std::string shared) { shared_ = std::move(shared); }
  const std::string& Own() const { return own_; }

  // The sub-folders of both (either may be empty or missing) that hold a
  // file named `marker`, sorted by name bytewise. Hidden names (starting
  // with '.') are left out: an import's copy in the making, or an old one
  // going. Remembers which names lie in the shared folder.
  std::vector<ListedFolder> List(const std::string& marker);
  // The full path of the sub-folder `name`: in the shared folder for a
  // name the last List found only there, else in the own folder.
  std::string PathOf(const std::string& name) const;

 private:
  std::string own_;
  std::string shared_;
  std::vector<std::string> sharedNames_;
};

}  // namespace vaticor
