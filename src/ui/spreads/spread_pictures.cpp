#include "ui/spreads/spread_pictures.h"

#include <QCoreApplication>
#include <algorithm>

#include "core/spread_geometry.h"
#include "ui/chrome/commands.h"

namespace vaticor {

SpreadPictureQueue::SpreadPictureQueue(ProgramState& state, QWidget* window, WindowOf windowOf)
    : state_(state), windowOf_(std::move(windowOf)) {
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  ConnectCommand(&timer_, &QTimer::timeout, window, [this] { RequestNow(); });
}

void SpreadPictureQueue::Add(SpreadTable::CardId card) { pending_.push_back(card); }

void SpreadPictureQueue::RequestNow() {
  timer_.stop();
  // Cards gone, or whose picture came, need nothing more.
  std::erase_if(pending_, [this](SpreadTable::CardId card) {
    const CardWindowLink* window = windowOf_(card);
    return !window || !window->AwaitsPicture();
  });
  std::vector<double> ranks;
  for (const SpreadTable::CardId card : pending_) {
    const CardWindowLink& window = *windowOf_(card);
    ranks.push_back(
        PictureRank(window.Place(), window.Size(), state_.Screen.Width(), state_.Screen.Height()));
  }
  for (const std::size_t i : PictureRequestOrder(ranks)) {
    windowOf_(pending_[i])->RequestPendingPicture(ranks[i]);
  }
}

bool SpreadPictureQueue::Pending() const {
  return std::any_of(pending_.begin(), pending_.end(), [this](SpreadTable::CardId card) {
    const CardWindowLink* window = windowOf_(card);
    return window && window->AwaitsPicture();
  });
}

void SpreadPictureQueue::Finish() {
  RequestNow();
  state_.PictureWork.WaitForDecodes();
  // The pictures wait in the event queue; they go up now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  pending_.clear();
}

}  // namespace vaticor
