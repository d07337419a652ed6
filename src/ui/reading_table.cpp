#include "ui/reading_table.h"

#include <cstddef>

namespace vaticor {

void LayReadingOnTable(const JournalEntry& entry, MainWindowLink& main, SpreadsWindowLink& spreads,
                       QuestionWindowLink& question, bool questionWindowInUse) {
  if (entry.kind == JournalKind::kSpread) {
    spreads.LayRecordedSpread(entry);
    return;
  }
  // The cards go on the main window: a spread on show as the face gives way.
  spreads.GiveWayToMainWindow();
  main.SetCardMode(entry.positions.size() == 3);
  for (std::size_t slot = 0; slot < entry.positions.size() && slot < 3; ++slot) {
    const JournalPosition& position = entry.positions[slot];
    main.ShowCard(static_cast<int>(slot), position.reversed ? -position.card : position.card);
  }
  // The question goes with its cards, as a reading put back from the log.
  if (questionWindowInUse) {
    if (entry.question.empty()) {
      question.ClearQuestion();
    } else {
      question.ShowLoggedQuestion(entry.question);
    }
  }
  main.ShowMainWindow();
}

}  // namespace vaticor
