#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/settings.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

// How a deck became the current one: chosen by its place (a menu item, a
// list read again, the first start's language), at random, or by a step to
// the next or previous deck (the keys). A step fits the cards to the
// window's height, the others apply the automatic card size; only a deck
// chosen by its place sets up the items that depend on the deck.
enum class DeckChoice { kChosen, kRandom, kStepped };

// Hears of every change of what ContentSelection owns, after the change is
// made (the decks and sets already hold the new choice). The default
// bodies ignore a change.
class ContentListener {
 public:
  virtual ~ContentListener() = default;
  // The current deck is another one, or the same one read again (its
  // pictures may have been replaced by an import).
  virtual void DeckChanged(DeckChoice /*how*/) {}
  virtual void DescriptionSetChanged() {}
  // The list of installed decks (description sets) was read again; the
  // choice's own change, if any, follows.
  virtual void DeckListReloaded() {}
  virtual void DescriptionListReloaded() {}
};

// The one owner of the user's choice among the installed decks and
// description sets: it loads both lists, selects, steps and picks at
// random, reads a list again after an import keeping the one in use, and at
// a first start chooses by the interface language. The settings' DeckIndex
// and DescriptionIndex are written here and nowhere else. Every change is
// announced to all listeners, in the order they were added.
//
// Positions are list positions (0-based). A position outside the list is
// ignored (no change, no announcement); with an empty list every choice is
// ignored.
class ContentSelection {
 public:
  ContentSelection(TINIData& settings, TTaroDecks& decks, TTaroDescriptions& sets,
                   TCardsSpreadGenerator& spreadPicker, RandomGenerator& random);

  // Adds a listener; it must outlive the selection or be removed first.
  void AddListener(ContentListener& listener);
  void RemoveListener(ContentListener& listener);

  // Start-up: both lists read, the stored choices (held to the lists)
  // selected, the spreads' picker sized from the deck. Announces nothing:
  // the windows are made after it and read the choice as they are made.
  void Load();

  int Deck() const { return settings_.DeckIndex; }
  int DescriptionSet() const { return settings_.DescriptionIndex; }
  int DeckCount() const { return decks_.Count; }
  int DescriptionSetCount() const { return sets_.Count; }

  // Makes `deck` current (also when it already is: its pictures are read
  // again).
  void SelectDeck(int deck, DeckChoice how = DeckChoice::kChosen);
  // The next (+1) or previous (-1) deck, round the list's ends.
  void StepDeck(int step);
  // A deck drawn by the program's random generator, among all of them.
  void RandomDeck();
  void SelectDescriptionSet(int set);

  // After an import: the list read again, the one in use kept (found by its
  // folder, since a new one may sort before it), else the stored position
  // held to the list; a program that had none takes the first. The deck is
  // selected again even when it is the same one (its pictures may have
  // been replaced).
  void ReloadDecks();
  void ReloadDescriptionSets();

  // At a first start (no deck or set stored in the settings), the first
  // deck and set written in `language` (a code such as "en"); what was
  // stored stays.
  void ChooseInLanguage(const std::string& language);

 private:
  // Runs `hear` on every listener, in the order added.
  template <typename Hear>
  void Announce(const Hear& hear);

  TINIData& settings_;
  TTaroDecks& decks_;
  TTaroDescriptions& sets_;
  TCardsSpreadGenerator& spreadPicker_;
  RandomGenerator& random_;
  std::vector<ContentListener*> listeners_;
};

}  // namespace vaticor
