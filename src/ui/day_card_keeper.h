#pragma once

#include <optional>

#include "library/day_card.h"
#include "library/journal.h"
#include "library/reading_log.h"
#include "library/spread_picker.h"

class QWidget;

namespace vaticor {

class MainWindowLink;
struct ProgramState;

// The card of the day in the window layer: its one owner, which the
// program keeps and the windows reach through DayCardLink. A new card is
// drawn from the deck in use with the program's random generator (only the
// major arcana and reversed cards as the main window's options say),
// recorded in the journal tagged with the translated "DayCardTag" while the
// journal is open and can be written, and kept for the rest of the day in
// memory either way (library/day_card.h).
class DayCardKeeper {
 public:
  DayCardKeeper(ProgramState& state, const LocalClock& clock);

  // Today's card; none when no deck offers a card. A failure to record it
  // is shown over `window` and the card stands, unrecorded.
  std::optional<JournalEntry> Today(QWidget* window);
  // Today's card alone in the main window, in its place in the deck in use,
  // turned as it was drawn, and the window shown. It is not logged: it is
  // no draw. Raises what showing a card raises (an unknown picture
  // extension); the command catches it.
  void Show(MainWindowLink& main, QWidget* window);
  // At a start: shows it when the option "DayCard.ShowAtStart" is on and no
  // start of this local day showed it yet ("DayCard.LastShownDay", written
  // with the settings); true when shown.
  bool ShowAtStart(MainWindowLink& main, QWidget* window);

 private:
  ProgramState& state_;
  DayCards cards_;
  // The day card's own picker, apart from the draws' and the spreads'.
  TCardsSpreadGenerator picker_;
};

}  // namespace vaticor
