#pragma once

#include <QTimer>
#include <functional>
#include <vector>

#include "library/spread_table.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_links.h"

class QWidget;

namespace vaticor {

// The pictures of an opened spread, left for later: its card windows stand
// at once and their pictures are decoded afterwards on the picture workers,
// nearest the middle of the screen first (a 15-megapixel JPEG takes tens of
// milliseconds), each showing as it arrives.
class SpreadPictureQueue {
 public:
  // `windowOf` finds a card's window; nullptr once the card is gone.
  using WindowOf = std::function<CardWindowLink*(SpreadTable::CardId)>;
  // Requests made from the event loop run over `window`, which shows a
  // failure.
  SpreadPictureQueue(ProgramState& state, QWidget* window, WindowOf windowOf);

  // A card whose picture its window left for later.
  void Add(SpreadTable::CardId card);
  // Hands the pictures left for later to the workers, nearest first.
  void RequestNow();
  // The same once the events waiting now are handled.
  void RequestSoon() { timer_.start(); }
  // True while some are still to come.
  bool Pending() const;
  // Waits for every picture still to come and shows it, now.
  void Finish();

 private:
  ProgramState& state_;
  WindowOf windowOf_;
  std::vector<SpreadTable::CardId> pending_;  // requested or not yet
  QTimer timer_;
};

}  // namespace vaticor
