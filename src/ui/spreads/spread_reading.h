#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/screen.h"
#include "library/journal.h"
#include "library/spread_file.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

class JournalKeeper;

// The reading on the spreads window's table, as a reading: when it was
// made, and the journal entry it was recorded as. An opened spread file or
// a draw of every card begins a new reading; a card dealt onto the table
// adds to the one there (onto an empty table, begins one). Recording the
// same reading again updates its entry instead of making a second.
class SpreadReading {
 public:
  // A spread file opened: made now, or at `savedMoment` (a saved reading's,
  // as the reading log writes it); `path` is the file's path (its name is
  // what the journal records).
  void Begin(std::string path, const std::string& savedMoment = {});
  // Every card drawn anew, on the same spread.
  void Redraw() { Begin(std::move(path_)); }
  // A card dealt: onto an empty table a new reading without a file,
  // otherwise the same one, made now.
  void Deal(bool tableWasEmpty);
  // The reading of a journal entry laid on the table again: recording it
  // updates that entry.
  void Resume(const JournalEntry& entry);
  // When the reading was made, as the reading log writes it; empty before
  // any.
  const std::string& LogMoment() const { return logMoment_; }
  // The spread file the reading was laid out from; empty for none or not
  // known (a reading of the journal laid again).
  const std::string& FilePath() const { return path_; }

  // Records the cards in scope (as a save of the spread writes them, with
  // the card size and screen) in the journal: a new entry, or the one this
  // reading was recorded as when it is still there. Raises what the journal
  // raises.
  void Record(JournalKeeper& journal, const std::vector<SavedSpreadCard>& cards,
              std::int32_t cardWidth, std::int32_t cardHeight, const ScreenInfo& screen,
              TTaroDecks& decks, const TTaroDescriptions& descriptions);

 private:
  std::string logMoment_;
  std::string journalMoment_;
  std::string fileName_;
  std::string path_;
  std::int64_t entry_ = 0;  // 0: not recorded yet
};

// The table of a recorded spread as a layout on `screen` (see
// ReadSpreadLayout); nullopt when the entry holds none.
std::optional<SpreadLayout> RecordedSpreadLayout(const JournalEntry& entry, std::int32_t cardWidth,
                                                 std::int32_t cardHeight, const ScreenInfo& screen);

}  // namespace vaticor
