#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/indexed_folder.h"
#include "core/ini_file.h"
#include "core/program_folders.h"
#include "library/card_identity.h"
#include "library/open_deck.h"
#include "library/picture.h"
#include "library/picture_loader.h"

namespace vaticor {

// The key of card number `number` in deck.ini's "Files" and "Names":
// "Card00", "Card07", "Card42", "Card100".
std::string DeckCardKey(std::int32_t number);

// The installed decks. A deck is a sub-folder of the decks folder holding a
// "deck.ini" that names each card's picture file ("Files") and name
// ("Names") under keys "Card00", "Card01", ...
//
// Card number: the number in the card keys. Card position: a card's rank
// among the deck's cards whose picture file exists. Draws, pictures and
// names go by position; picture paths and descriptions go by number.
//
// deck.ini is read when an answer is asked, so an edit to it counts at once.
// The deck's folder is listed when the deck is selected (SelectDeck,
// LoadDecks), and each sub-folder its values pass through when first needed;
// the listings are kept until the next selection. Whether a picture file
// exists is answered from them, so a file added or removed meanwhile counts
// from the next selection. Kept besides: the number of "Files" entries and
// the picture size.
//
// deck.ini may come from anywhere: a "Files" value that leads out of the
// deck's folder (see IndexedFolder) names no file.
//
// After the decks of the decks folder come those of the open deck format
// shared by the desktop's tarot programs (library/open_deck.h), from the
// roots SetOpenDeckRoots gives: their entries of Folders are full paths,
// and each is read as the deck.ini MakeDeckIni makes of OpenDeckIniCards, in the
// language SetLanguage gives, with a card's pictures of every size offered
// through PictureFile::sizes. Listing them reads each deck.toml only;
// a deck's names files and picture folders are read when it is selected.
class TTaroDecks {
 public:
  TTaroDecks(std::string decksFolder, PictureLoader& loader);

  std::int32_t Index = 0;      // position of the current deck in Folders
  std::int32_t CardWidth = 0;  // pixel size of the current deck's card 0
  std::int32_t CardHeight = 0;
  std::vector<std::string> Folders;       // folder names, in listing order
  std::vector<std::string> DisplayNames;  // parallel to Folders
  // Parallel to Folders: each one's kContentLanguageKey, empty when unset.
  std::vector<std::string> Languages;
  std::int32_t Count = 0;
  std::int32_t FilesCount = 0;  // keys in the current deck's "Files" section

  // Decks of the open format that cannot be used, after LoadDecks: listed
  // for the user with the reason, never selected.
  std::vector<ListedOpenDeck> Unusable;

  // The installed program's own decks, read only: listed with the decks
  // folder's by name, a deck of the same folder name in the decks folder
  // standing in for the shared one. None by default; counts from the next
  // LoadDecks.
  void SetSharedDecksFolder(std::string folder) { folders_.SetShared(std::move(folder)); }
  // Where decks of the open format are looked for (OpenDeckLibraryRoots);
  // counts from the next LoadDecks. None by default.
  void SetOpenDeckRoots(std::vector<std::string> roots) { openRoots_ = std::move(roots); }
  // The interface language ("ru", "en", "pt_BR") open-format decks name
  // their cards in; counts from the next selection.
  void SetLanguage(std::string language) { language_ = std::move(language); }
  const std::string& Language() const { return language_; }

  // Rebuilds the list from the decks folder and the shared one (sorted by
  // name, so positions are stable from run to run), then the open-format
  // decks, and selects
  // the first deck.
  void LoadDecks();
  // Selects a deck; a position beyond the last selects the last, one below
  // 0 selects the first; with no decks nothing changes.
  void SelectDeck(std::int32_t index);
  std::int32_t CurrentDeck() const { return Index; }

  // The picture of the card at a position, decoded for display at `target`
  // when given; nullptr when there is no such card or its file is missing or
  // unreadable. Raises UnknownPictureExtensionError for a picture file of an
  // unknown kind.
  std::unique_ptr<Picture> GetCardPicture(std::int32_t position, PictureSize target = {});
  // The picture file of the card at a position, for decoding elsewhere
  // (another thread): nullopt when there is no such card or its file is
  // missing. Raises UnknownPictureExtensionError as GetCardPicture does.
  std::optional<PictureFile> GetCardPictureFile(std::int32_t position);
  // How many cards numbered below `below` have their picture file present:
  // the cards at positions 0 .. that count - 1, the ones a draw can show.
  // Walks the card numbers the picture lookups walk.
  std::int32_t PresentCards(std::int32_t below = std::numeric_limits<std::int32_t>::max());
  // The present cards' picture files in position order, those of unknown
  // kinds left out.
  std::vector<PictureFile> GetCardPictureFiles();
  // Called at the end of every selection (LoadDecks included) that selected
  // a deck; one listener.
  void OnDeckSelected(std::function<void()> listener) { selected_ = std::move(listener); }

  // The card's name; empty when not found.
  std::string GetCardName(std::int32_t position);
  // One name per present card among card numbers 0 .. "Cards.Count", in
  // position order.
  std::vector<std::string> GetCardNames();
  // One identity per present card, in position order, as
  // DeckCardIdentities gives them by card number 0 .. "Cards.Count"
  // (library/card_identity.h); -1 for a card that has none.
  std::vector<std::int32_t> GetCardIdentities();
  // Full path of a card number's picture file; existence is not tested. The
  // deck's folder with a trailing separator when the value is empty or leads
  // out of the folder; empty when there are no decks.
  std::string GetCardFileName(std::int32_t number);

  // Full path of the current deck's folder; empty when there are no decks.
  std::string CurrentDeckFolder() const;
  // Full path of the folder of the deck listed at `folder` (an entry of
  // Folders): a full path already for an open-format deck.
  std::string DeckFolderPath(const std::string& folder) const;
  // Whether an entry of Folders is a deck of the open format.
  static bool IsOpenDeck(const std::string& folder);
  // The folder the decks are listed from, as given.
  const std::string& DecksFolder() const { return folders_.Own(); }

 private:
  friend std::unique_ptr<TTaroDecks> RecordedDeck(const TTaroDecks&, const std::string&,
                                                  PictureLoader&);
  // Each lookup reads deck.ini through one snapshot, taken as it starts: a
  // walk reads up to thousands of card keys and so asks the disk once.
  //
  // Full path of the card number's picture file when it is present (its
  // "Files" value names a regular file inside the deck's folder).
  std::optional<std::string> PresentCardPath(const IniDocument& ini, std::int32_t number);
  // Walks card numbers 0 .. last and returns the number and path of the
  // card at `position` among those whose picture file exists.
  struct FoundCard {
    std::int32_t number;
    std::string path;
  };
  std::optional<FoundCard> FindCard(const IniDocument& ini, std::int32_t position,
                                    std::int32_t last);

  // The current deck's deck.ini as it is now, or the one made for an
  // open-format deck.
  std::shared_ptr<const IniDocument> Snapshot() const;

  LayeredFolders folders_;  // the decks folder and the shared one
  PictureLoader* loader_;
  std::vector<std::string> openRoots_;
  std::string language_;
  IniFile currentIni_;
  // Set while an open-format deck is current: its deck.ini and each card
  // number's pictures (full paths).
  std::shared_ptr<const IniDocument> openIni_;
  std::vector<std::vector<SizedPicture>> openSizes_;
  IndexedFolder cardFolder_;  // the current deck's folder, listed at selection
  std::function<void()> selected_;
};

// The installed deck of `folder` as a list of that one deck, apart from the
// program's choice (the deck a journal entry was recorded with), not yet
// selected; nullptr when no deck of `installed` has that folder.
std::unique_ptr<TTaroDecks> RecordedDeck(const TTaroDecks& installed, const std::string& folder,
                                         PictureLoader& loader);

// Every name the installed decks give their cards that have an identity,
// deck by deck in listing order, each deck's in card-number order: what
// MatchCards matches a typed card against. Reads each deck's deck.ini (a
// few milliseconds for ten decks: a caller keeps the list until the decks
// change); a deck.ini that cannot be read gives no names.
std::vector<CardName> InstalledCardNames(const TTaroDecks& decks);

}  // namespace vaticor
