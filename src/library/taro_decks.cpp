#include "library/taro_decks.h"

#include <algorithm>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "core/text_utils.h"
#include "library/content_language.h"
#include "library/deck_ini_writer.h"

namespace vaticor {

namespace {

constexpr const char* kDeckIni = "deck.ini";
constexpr std::int32_t kDefaultLastCard = 21;
// A deck.ini from anywhere may claim any "Cards.Count"; walking two billion
// card numbers would hang the program, so the walk ends here.
constexpr std::int32_t kHighestCardNumber = 9999;

// A card's value in a section of deck.ini, as IniFile::ReadString reads it.
std::string ReadCard(const IniDocument& ini, std::string_view section, std::int32_t number) {
  return ini.Value(section, DeckCardKey(number)).value_or("");
}

// The highest card number the name lookups examine.
std::int32_t LastNamedCard(const IniDocument& ini) {
  const std::optional<std::string> count = ini.Value("Deck", "Cards.Count");
  const std::int32_t last =
      count ? ParseIniInteger(*count).value_or(kDefaultLastCard) : kDefaultLastCard;
  return std::min(last, kHighestCardNumber);
}

}  // namespace

std::string DeckCardKey(std::int32_t number) { return "Card" + IntToStr2(number); }

TTaroDecks::TTaroDecks(std::string decksFolder, PictureLoader& loader)
    : folders_(std::move(decksFolder)), loader_(&loader) {}

void TTaroDecks::LoadDecks() {
  Folders.clear();
  DisplayNames.clear();
  Languages.clear();
  Count = 0;
  for (ListedFolder& deck : folders_.List(kDeckIni)) {
    const IniFile file(JoinPath(deck.path, kDeckIni));
    Folders.push_back(std::move(deck.name));
    DisplayNames.push_back(file.ReadString("Deck", "Name", ""));
    Languages.push_back(file.ReadString("Deck", kContentLanguageKey, ""));
    ++Count;
  }
  // After the program's own, so that a stored deck position keeps meaning
  // the same deck.
  OpenDeckListing open = ListOpenDecks(openRoots_);
  for (ListedOpenDeck& deck : open.usable) {
    Folders.push_back(std::move(deck.folder));
    DisplayNames.push_back(std::move(deck.header.name));
    Languages.push_back({});
    ++Count;
  }
  Unusable = std::move(open.unusable);
  SelectDeck(Count > 0 ? 0 : -1);
}

bool TTaroDecks::IsOpenDeck(const std::string& folder) {
  return !folder.empty() && folder.front() == kPathSeparator;
}

std::string TTaroDecks::DeckFolderPath(const std::string& folder) const {
  return IsOpenDeck(folder) ? folder : folders_.PathOf(folder);
}

std::shared_ptr<const IniDocument> TTaroDecks::Snapshot() const {
  return openIni_ ? openIni_ : currentIni_.Snapshot();
}

void TTaroDecks::SelectDeck(std::int32_t index) {
  if (index > Count - 1) index = Count - 1;
  if (Count == 0) return;
  if (index < 0) index = 0;

  Index = index;
  openIni_.reset();
  openSizes_.clear();
  if (IsOpenDeck(Folders[static_cast<std::size_t>(index)])) {
    currentIni_ = IniFile();
    const OpenDeck deck = ReadOpenDeck(CurrentDeckFolder(), language_);
    const std::vector<DeckIniCard> cards = OpenDeckIniCards(deck, kImportedCardHeight);
    openIni_ = std::make_shared<const IniDocument>(MakeDeckIni(deck.header.name, "", cards));
    const std::vector<std::int32_t> numbers = DeckIniCardNumbers(cards);
    for (std::size_t i = 0; i < deck.cards.size(); ++i) {
      if (numbers[i] < 0) continue;
      const auto number = static_cast<std::size_t>(numbers[i]);
      if (openSizes_.size() <= number) openSizes_.resize(number + 1);
      for (const SizedPicture& picture : deck.cards[i].pictures) {
        openSizes_[number].push_back({JoinPath(CurrentDeckFolder(), picture.path), picture.height});
      }
    }
  } else {
    currentIni_ = IniFile(JoinPath(CurrentDeckFolder(), kDeckIni));
  }
  // Listed afresh on every selection, so files added since are seen.
  cardFolder_ = IndexedFolder(CurrentDeckFolder());
  FilesCount = static_cast<std::int32_t>(Snapshot()->KeyNames("Files").size());

  // The picture size comes from the file's header; a deck without a
  // readable card 0 keeps the size it had.
  if (auto card = FindCard(*Snapshot(), 0, FilesCount)) {
    try {
      if (auto size = loader_->Measure(card->path, PictureFormatOf(card->path))) {
        CardWidth = size->width;
        CardHeight = size->height;
      }
    } catch (const UnknownPictureExtensionError&) {
      // Reported when the card is shown; selecting the deck still works.
    }
  }
  if (selected_) selected_();
}

std::string TTaroDecks::CurrentDeckFolder() const {
  if (Folders.empty() || Index < 0 || Index >= Count) return {};
  return DeckFolderPath(Folders[static_cast<std::size_t>(Index)]);
}

std::optional<std::string> TTaroDecks::PresentCardPath(const IniDocument& ini,
                                                       std::int32_t number) {
  const std::string value = ReadCard(ini, "Files", number);
  if (value.empty()) return std::nullopt;
  IndexedFolder::Entry entry = cardFolder_.Find(value);
  if (!entry.isFile) return std::nullopt;
  return std::move(entry.path);
}

std::optional<TTaroDecks::FoundCard> TTaroDecks::FindCard(const IniDocument& ini,
                                                          std::int32_t position,
                                                          std::int32_t last) {
  if (Folders.empty() || position < 0) return std::nullopt;
  std::int32_t found = -1;
  for (std::int32_t number = 0; number == 0 || number <= last; ++number) {
    std::optional<std::string> path = PresentCardPath(ini, number);
    if (!path) continue;
    if (++found == position) return FoundCard{number, std::move(*path)};
  }
  return std::nullopt;
}

std::unique_ptr<Picture> TTaroDecks::GetCardPicture(std::int32_t position, PictureSize target) {
  std::optional<PictureFile> file = GetCardPictureFile(position);
  if (!file) return nullptr;
  const PictureFile chosen = PictureForHeight(*file, target.height);
  return loader_->Load(chosen.path, chosen.format, target);
}

std::optional<PictureFile> TTaroDecks::GetCardPictureFile(std::int32_t position) {
  auto card = FindCard(*Snapshot(), position, FilesCount);
  if (!card) return std::nullopt;
  const PictureFormat format = PictureFormatOf(card->path);
  PictureFile file{std::move(card->path), format};
  if (static_cast<std::size_t>(card->number) < openSizes_.size()) {
    file.sizes = openSizes_[static_cast<std::size_t>(card->number)];
  }
  return file;
}

std::int32_t TTaroDecks::PresentCards(std::int32_t below) {
  if (Folders.empty()) return 0;
  const std::shared_ptr<const IniDocument> ini = Snapshot();
  std::int32_t present = 0;
  for (std::int32_t number = 0; (number == 0 || number <= FilesCount) && number < below; ++number) {
    if (PresentCardPath(*ini, number)) ++present;
  }
  return present;
}

std::vector<PictureFile> TTaroDecks::GetCardPictureFiles() {
  std::vector<PictureFile> files;
  if (Folders.empty()) return files;
  const std::shared_ptr<const IniDocument> ini = Snapshot();
  for (std::int32_t number = 0; number == 0 || number <= FilesCount; ++number) {
    std::optional<std::string> path = PresentCardPath(*ini, number);
    if (!path) continue;
    try {
      const PictureFormat format = PictureFormatOf(*path);
      files.push_back({std::move(*path), format});
      if (static_cast<std::size_t>(number) < openSizes_.size()) {
        files.back().sizes = openSizes_[static_cast<std::size_t>(number)];
      }
    } catch (const UnknownPictureExtensionError&) {
      // Reported when that card is shown.
    }
  }
  return files;
}

std::string TTaroDecks::GetCardName(std::int32_t position) {
  if (Folders.empty()) return {};
  const std::shared_ptr<const IniDocument> ini = Snapshot();
  auto card = FindCard(*ini, position, LastNamedCard(*ini));
  if (!card) return {};
  return ReadCard(*ini, "Names", card->number);
}

std::vector<std::string> TTaroDecks::GetCardNames() {
  std::vector<std::string> names;
  if (Folders.empty() || Count <= 0) return names;
  const std::shared_ptr<const IniDocument> ini = Snapshot();
  const std::int32_t last = LastNamedCard(*ini);
  for (std::int32_t number = 0; number <= last; ++number) {
    if (!PresentCardPath(*ini, number)) continue;
    names.push_back(ReadCard(*ini, "Names", number));
  }
  return names;
}

namespace {

// Each card number's identity, 0 .. the last card number.
std::vector<std::int32_t> IdentitiesOf(const IniDocument& ini) {
  return DeckCardIdentities(LastNamedCard(ini) + 1,
                            ini.Value("Deck", kCardIdentitiesKey).value_or(""));
}

}  // namespace

std::vector<std::int32_t> TTaroDecks::GetCardIdentities() {
  std::vector<std::int32_t> identities;
  if (Folders.empty() || Count <= 0) return identities;
  const std::shared_ptr<const IniDocument> ini = Snapshot();
  const std::vector<std::int32_t> byNumber = IdentitiesOf(*ini);
  for (std::size_t number = 0; number < byNumber.size(); ++number) {
    if (!PresentCardPath(*ini, static_cast<std::int32_t>(number))) continue;
    identities.push_back(byNumber[number]);
  }
  return identities;
}

std::vector<CardName> InstalledCardNames(const TTaroDecks& decks) {
  std::vector<CardName> names;
  for (const std::string& folder : decks.Folders) {
    std::shared_ptr<const IniDocument> ini;
    if (TTaroDecks::IsOpenDeck(folder)) {
      const OpenDeck deck = ReadOpenDeck(folder, decks.Language());
      ini = std::make_shared<const IniDocument>(
          MakeDeckIni(deck.header.name, "", OpenDeckIniCards(deck, kImportedCardHeight)));
    } else {
      ini = IniFile(JoinPath(decks.DeckFolderPath(folder), kDeckIni)).Snapshot();
    }
    const std::vector<std::int32_t> identities = IdentitiesOf(*ini);
    for (std::size_t number = 0; number < identities.size(); ++number) {
      if (identities[number] < 0) continue;
      std::string name = ReadCard(*ini, "Names", static_cast<std::int32_t>(number));
      if (!name.empty()) names.push_back({identities[number], std::move(name)});
    }
  }
  return names;
}

std::string TTaroDecks::GetCardFileName(std::int32_t number) {
  if (Folders.empty()) return {};
  const std::string value = Snapshot()->Value("Files", DeckCardKey(number)).value_or("");
  std::string path = value.empty() ? std::string() : cardFolder_.Find(value).path;
  // A value that leads out of the deck names no file, as an empty one.
  if (path.empty()) return CurrentDeckFolder() + kPathSeparator;
  return path;
}

std::unique_ptr<TTaroDecks> RecordedDeck(const TTaroDecks& installed, const std::string& folder,
                                         PictureLoader& loader) {
  const std::vector<std::string>& folders = installed.Folders;
  if (folder.empty() || std::find(folders.begin(), folders.end(), folder) == folders.end()) {
    return nullptr;
  }
  auto deck = std::make_unique<TTaroDecks>(installed.DecksFolder(), loader);
  deck->SetLanguage(installed.Language());
  deck->folders_ = installed.folders_;
  deck->Folders = {folder};
  deck->DisplayNames = {std::string()};
  deck->Languages = {std::string()};
  deck->Count = 1;
  return deck;
}

}  // namespace vaticor
