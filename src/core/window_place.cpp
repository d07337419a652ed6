#include "core/window_place.h"

#include <algorithm>

namespace vaticor {

void WindowPlace::Moved(Point place) {
  place_ = place;
  if (asked_.size() == kRemembered) asked_.erase(asked_.begin());
  asked_.push_back(place);
}

void WindowPlace::Shown(std::int64_t nowMs) {
  settling_ = true;
  shownAt_ = nowMs;
}

bool WindowPlace::Reported(Point place, std::int64_t nowMs) {
  if (place == place_) {
    asked_.clear();  // confirmed: the earlier moves are behind it
    return false;
  }
  if (std::find(asked_.begin(), asked_.end(), place) != asked_.end()) return false;
  if (settling_ && nowMs - shownAt_ <= kSettleMs) {
    // Once: a window manager that keeps a window elsewhere (inside its work
    // area, say) reports that again, and is then followed.
    settling_ = false;
    return true;
  }
  place_ = place;
  asked_.clear();
  return false;
}

}  // namespace vaticor
