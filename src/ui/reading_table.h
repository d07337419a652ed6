#pragma once

#include "library/journal.h"
#include "ui/window_links.h"

namespace vaticor {

// A recorded reading laid on the table, as the journal lays one again and
// as a reading entered by hand first stands: a spread as card windows in
// the spreads window (from the entry's table), one or three cards on the
// main window, which is shown, with the entry's question in the question
// window while that window is in use (`questionWindowInUse`).
void LayReadingOnTable(const JournalEntry& entry, MainWindowLink& main, SpreadsWindowLink& spreads,
                       QuestionWindowLink& question, bool questionWindowInUse);

}  // namespace vaticor
