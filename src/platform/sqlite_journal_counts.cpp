#include "platform/sqlite_journal_counts.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "platform/sqlite_database.h"
#include "platform/sqlite_journal_rows.h"

namespace vaticor {

namespace {

// A day as JournalDayTally names it: the moment's first ten characters.
std::string_view DayOf(std::string_view moment) { return moment.substr(0, 10); }

// The positions joined to each entry of AlongMoments, by their key (the
// entry's id, then their order): one seek an entry.
constexpr std::string_view kWithPositions = "LEFT JOIN position AS p ON p.entry = entry.id";

// The counts of JournalTally, made as the rows of the taken entries come,
// oldest first.
class TallyCounter {
 public:
  // An entry's first row.
  void Entry(std::string_view moment, JournalKind kind, std::string_view deck,
             std::string_view descriptions, std::string_view spread) {
    ++tally_.readings;
    const std::string_view day = DayOf(moment);
    if (tally_.days.empty() || tally_.days.back().day != day) tally_.days.emplace_back().day = day;
    ++tally_.days.back().readings;
    if (!deck_ || deck_->first != deck) {
      deck_ = &*decks_.try_emplace(std::string(deck)).first;
    }
    // Found by views of the row's texts: copied only for a use not met yet.
    const auto key = std::make_tuple(kind, deck, descriptions, spread);
    auto use = uses_.find(key);
    if (use == uses_.end()) {
      use = uses_
                .try_emplace(
                    Use{kind, std::string(deck), std::string(descriptions), std::string(spread)})
                .first;
    }
    ++use->second;
  }

  // One of its positions.
  void Position(std::int32_t number, bool reversed, std::string_view name) {
    JournalDayTally& day = tally_.days.back();
    ++day.cards;
    day.reversed += reversed ? 1 : 0;
    JournalCardTally& card = deck_->second[number];
    ++(reversed ? card.reversed : card.upright);
    if (name > card.cardName) card.cardName = name;
  }

  JournalTally Result() && {
    for (auto& [deck, cards] : decks_) {
      const std::size_t first = tally_.cards.size();
      for (auto& [number, card] : cards) {
        card.deckFolder = deck;
        card.card = number;
        tally_.cards.push_back(std::move(card));
      }
      std::sort(
          tally_.cards.begin() + static_cast<std::ptrdiff_t>(first), tally_.cards.end(),
          [](const JournalCardTally& a, const JournalCardTally& b) { return a.card < b.card; });
    }
    // By kind and names, as the map holds them.
    for (const auto& [use, readings] : uses_) {
      const auto& [kind, deck, descriptions, spread] = use;
      tally_.uses.push_back({kind, deck, descriptions, spread, readings});
    }
    return std::move(tally_);
  }

 private:
  JournalTally tally_;
  // By deck (in the order of JournalTally::cards), the cards by number.
  using DeckCards = std::map<std::string, std::unordered_map<std::int32_t, JournalCardTally>>;
  DeckCards decks_;
  DeckCards::value_type* deck_ = nullptr;  // the current entry's
  using Use = std::tuple<JournalKind, std::string, std::string, std::string>;
  std::map<Use, std::int64_t, std::less<>> uses_;
};

}  // namespace

JournalTally TallyEntries(const SqliteDatabase& db, const JournalFilter& filter) {
  const Condition condition = FilterCondition(filter);
  // Oldest first, so that the rows of a day, and of an entry, come
  // together. A reversed turn of -1: an entry without positions.
  const std::string sql =
      "SELECT id, moment, kind, deck_folder, description_folder, spread_file, p.card, "
      "ifnull(p.reversed, -1), p.card_name " +
      AlongMoments(condition, kWithPositions) + " ORDER BY moment, id";
  SqliteStatement statement(db, sql.c_str());
  BindAll(statement, condition.rangeValues, condition.setValues);
  TallyCounter counter;
  std::int64_t entry = 0;  // ids are from 1
  while (statement.Step()) {
    if (const std::int64_t id = statement.Integer(0); id != entry) {
      entry = id;
      counter.Entry(statement.TextView(1), KindOf(statement.Integer(2)), statement.TextView(3),
                    statement.TextView(4), statement.TextView(5));
    }
    const std::int64_t reversed = statement.Integer(7);
    if (reversed >= 0) {
      counter.Position(static_cast<std::int32_t>(statement.Integer(6)), reversed != 0,
                       statement.TextView(8));
    }
  }
  return std::move(counter).Result();
}

std::vector<JournalRecentCard> RecentPositions(const SqliteDatabase& db,
                                               const JournalFilter& filter, std::size_t readings) {
  if (readings == 0) return {};
  const Condition condition = FilterCondition(filter);
  const std::string sql =
      "SELECT e.id, e.moment, e.deck_folder, p.card, p.reversed, p.card_name FROM (SELECT id, "
      "moment, deck_folder " +
      AlongMoments(condition) +
      " ORDER BY moment DESC, id DESC LIMIT ?) AS e JOIN position AS p ON p.entry = e.id "
      "ORDER BY e.moment DESC, e.id DESC, p.ord";
  SqliteStatement statement(db, sql.c_str());
  const int next = BindAll(statement, condition.rangeValues, condition.setValues);
  statement.Bind(next, SqlCount(readings));
  std::vector<JournalRecentCard> cards;
  while (statement.Step()) {
    cards.push_back({statement.Integer(0), statement.Text(1),
                     static_cast<std::int32_t>(statement.Integer(3)), statement.Integer(4) != 0,
                     statement.Text(2), statement.Text(5)});
  }
  return cards;
}

std::vector<JournalMonthDay> MonthDays(const SqliteDatabase& db, int year, int month) {
  const std::string prefix = JournalMonthPrefix(year, month);
  if (prefix.empty()) return {};
  // The moments that begin with the prefix, along their index.
  const Condition condition = FilterCondition({.from = prefix, .to = prefix});
  const std::string sql = "SELECT id, moment, kind, p.card, p.reversed, deck_folder " +
                          AlongMoments(condition, std::string(kWithPositions) + " AND p.ord = 0") +
                          " ORDER BY moment, id";
  SqliteStatement statement(db, sql.c_str());
  BindAll(statement, condition.rangeValues, condition.setValues);
  std::vector<JournalMonthDay> days;
  while (statement.Step()) {
    const std::string_view day = DayOf(statement.TextView(1));
    if (days.empty() || days.back().day != day) days.emplace_back().day = day;
    JournalMonthDay& counted = days.back();
    if (KindOf(statement.Integer(2)) != JournalKind::kDayCard) {
      ++counted.otherReadings;
    } else if (!statement.Null(3)) {
      // Oldest first: a later card of the day replaces an earlier one.
      counted.dayCardEntry = statement.Integer(0);
      counted.dayCard = static_cast<std::int32_t>(statement.Integer(3));
      counted.dayCardReversed = statement.Integer(4) != 0;
      counted.dayCardDeck = statement.Text(5);
    }
  }
  return days;
}

}  // namespace vaticor
