#include "library/day_card.h"

#include <utility>
#include <vector>

namespace vaticor {

std::string JournalMomentOf(const LocalDateTime& moment) {
  return JournalMoment(moment.year, moment.month, moment.day, moment.hour, moment.minute,
                       moment.second);
}

std::string JournalDayOf(std::string_view moment) {
  constexpr std::size_t kDayLength = 10;  // "2024-03-14"
  return std::string(moment.substr(0, kDayLength));
}

std::optional<JournalEntry> StoredDayCard(const JournalStore& store, const std::string& day) {
  // The day's entries, newest first; a day holds few.
  constexpr std::size_t kPage = 64;
  const JournalFilter filter{.from = day, .to = day};
  for (std::size_t offset = 0;; offset += kPage) {
    const std::vector<JournalEntry> page = store.List(filter, offset, kPage);
    for (const JournalEntry& entry : page) {
      if (entry.kind == JournalKind::kDayCard) return entry;
    }
    if (page.size() < kPage) return std::nullopt;
  }
}

std::string DayCards::Today() const { return JournalDayOf(JournalMomentOf(clock_->Now())); }

std::optional<JournalEntry> DayCards::Card(const JournalStore* store, const Draw& draw,
                                           const Record& record) {
  const std::string moment = JournalMomentOf(clock_->Now());
  const std::string day = JournalDayOf(moment);
  if (store) {
    if (std::optional<JournalEntry> stored = StoredDayCard(*store, day)) {
      kept_ = std::move(stored);
      return kept_;
    }
  }
  if (!kept_ || JournalDayOf(kept_->moment) != day) {
    JournalEntry drawn = draw(moment);
    if (drawn.positions.empty()) return std::nullopt;
    kept_ = std::move(drawn);
  }
  if (kept_->id == 0 && store && !store->ReadOnly()) kept_->id = record(*kept_);
  return kept_;
}

}  // namespace vaticor
