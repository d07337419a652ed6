#include "library/content_selection.h"

#include <algorithm>
#include <optional>

#include "library/content_language.h"

namespace vaticor {

namespace {

// The position of the folder `folder` in `folders`; `otherwise` when it is
// not there any more.
int PositionOf(const std::vector<std::string>& folders, const std::string& folder, int otherwise) {
  const auto found = std::find(folders.begin(), folders.end(), folder);
  return found == folders.end() ? otherwise : static_cast<int>(found - folders.begin());
}

// The folder at a list position; empty past the list.
std::string FolderAt(const std::vector<std::string>& folders, int position) {
  return position >= 0 && position < static_cast<int>(folders.size())
             ? folders[static_cast<std::size_t>(position)]
             : std::string();
}

bool InList(int position, int count) { return position >= 0 && position < count; }

}  // namespace

ContentSelection::ContentSelection(TINIData& settings, TTaroDecks& decks, TTaroDescriptions& sets,
                                   TCardsSpreadGenerator& spreadPicker, RandomGenerator& random)
    : settings_(settings),
      decks_(decks),
      sets_(sets),
      spreadPicker_(spreadPicker),
      random_(random) {}

void ContentSelection::AddListener(ContentListener& listener) { listeners_.push_back(&listener); }

void ContentSelection::RemoveListener(ContentListener& listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
}

template <typename Hear>
void ContentSelection::Announce(const Hear& hear) {
  // A copy: a listener may add or remove listeners while it hears.
  const std::vector<ContentListener*> listeners = listeners_;
  for (ContentListener* listener : listeners) hear(*listener);
}

void ContentSelection::Load() {
  decks_.LoadDecks();
  if (decks_.Count > 0) {
    decks_.SelectDeck(std::clamp(settings_.DeckIndex, 0, decks_.Count - 1));
    settings_.DeckIndex = decks_.CurrentDeck();
    spreadPicker_.InitGenerator(decks_.PresentCards());
  }
  sets_.LoadDescriptions();
  if (sets_.Count > 0) {
    sets_.SelectDescription(std::clamp(settings_.DescriptionIndex, 0, sets_.Count - 1));
    settings_.DescriptionIndex = sets_.CurrentDescription();
  }
}

void ContentSelection::SelectDeck(int deck, DeckChoice how) {
  if (!InList(deck, decks_.Count)) return;
  settings_.DeckIndex = deck;
  decks_.SelectDeck(deck);
  Announce([how](ContentListener& l) { l.DeckChanged(how); });
}

void ContentSelection::StepDeck(int step) {
  if (decks_.Count <= 0) return;
  int deck = settings_.DeckIndex + step;
  if (deck < 0) deck = decks_.Count - 1;
  if (deck > decks_.Count - 1) deck = 0;
  SelectDeck(deck, DeckChoice::kStepped);
}

void ContentSelection::RandomDeck() {
  if (decks_.Count <= 0) return;
  SelectDeck(random_.Random(decks_.Count), DeckChoice::kRandom);
}

void ContentSelection::SelectDescriptionSet(int set) {
  if (!InList(set, sets_.Count)) return;
  settings_.DescriptionIndex = set;
  sets_.SelectDescription(set);
  Announce([](ContentListener& l) { l.DescriptionSetChanged(); });
}

void ContentSelection::ReloadDecks() {
  const bool hadDecks = decks_.Count > 0;
  const std::string inUse = FolderAt(decks_.Folders, decks_.CurrentDeck());
  decks_.LoadDecks();
  Announce([](ContentListener& l) { l.DeckListReloaded(); });
  if (decks_.Count <= 0) return;
  const int saved = std::clamp(settings_.DeckIndex, 0, decks_.Count - 1);
  SelectDeck(hadDecks ? PositionOf(decks_.Folders, inUse, saved) : saved);
  if (!hadDecks) spreadPicker_.InitGenerator(decks_.PresentCards());
}

void ContentSelection::ReloadDescriptionSets() {
  const bool hadSets = sets_.Count > 0;
  const std::string inUse = FolderAt(sets_.Folders, sets_.CurrentDescription());
  sets_.LoadDescriptions();
  Announce([](ContentListener& l) { l.DescriptionListReloaded(); });
  if (sets_.Count <= 0) return;
  const int saved = std::clamp(settings_.DescriptionIndex, 0, sets_.Count - 1);
  SelectDescriptionSet(hadSets ? PositionOf(sets_.Folders, inUse, saved) : saved);
}

void ContentSelection::ChooseInLanguage(const std::string& language) {
  if (!settings_.DeckIndexStored && decks_.Count > 0) {
    const std::optional<std::int32_t> deck = FirstInLanguage(decks_.Languages, language);
    if (deck && *deck != decks_.CurrentDeck()) SelectDeck(*deck);
  }
  if (!settings_.DescriptionIndexStored && sets_.Count > 0) {
    const std::optional<std::int32_t> set = FirstInLanguage(sets_.Languages, language);
    if (set && *set != settings_.DescriptionIndex) SelectDescriptionSet(*set);
  }
}

}  // namespace vaticor
