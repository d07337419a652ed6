#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "library/journal.h"
#include "ui/program_state.h"

class QGridLayout;
class QLabel;

namespace vaticor {

class TCardImage;
class TTaroDecks;

// The cards of the entry shown: each position's card as a small picture,
// with its number, its meaning and the card's name under it (reversed ones
// marked), as plain text. The pictures come from the entry's own deck,
// decoded on the picture workers; a deck removed since the reading, a
// picture missing or a card beyond the deck shows the card's name as it
// was recorded in the picture's place. A click on a card signals its index
// among the entry's positions.
class JournalCards : public QWidget {
  Q_OBJECT
 public:
  JournalCards(ProgramState& state, QWidget* parent);
  ~JournalCards() override;

  // Shows the entry's cards (none for nullptr); `reversedMark` follows a
  // reversed card's name.
  void Show(const JournalEntry* entry, const QString& reversedMark);
  // The picture images, for tests: one per position.
  std::vector<TCardImage*> Images() const;
  // Whether the entry's deck is installed (its pictures can be shown).
  bool DeckFound() const { return deckFound_; }

  static constexpr int kCardWidth = 60;
  static constexpr int kCardHeight = 100;

 signals:
  void cardClicked(int index);

 private:
  // The deck of that folder selected in the window's own deck list; false
  // when it is not installed.
  bool SelectDeck(const std::string& folder);

  ProgramState& state_;
  QGridLayout* grid_ = nullptr;
  std::vector<QWidget*> cells_;
  std::unique_ptr<PictureLoader> noDecoding_;
  std::unique_ptr<TTaroDecks> deck_;  // the entry's deck, apart from the current one
  std::string deckFolder_;
  bool deckFound_ = false;
};

}  // namespace vaticor
