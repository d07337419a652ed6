#include "platform/sqlite_journal_counts.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/sqlite_database.h"
#include "platform/sqlite_journal_rows.h"

namespace vaticor {

namespace {

// A day as JournalDayTally names it: the moment's first ten characters.
std::string_view DayOf(std::string_view moment) { return moment.substr(0, 10); }

// The positions joined to each entry of AlongMoments, by their key (the
// entry's id, then their order): one seek an entry.
constexpr std::string_view kWithPositions = "LEFT JOIN position AS p ON p.entry = entry.id";

}  // namespace

JournalTally TallyEntries(const SqliteDatabase& db, const JournalFilter& filter) {
  const Condition condition = FilterCondition(filter);
  // Oldest first, so that the rows of a day, and of an entry, come
  // together: each is counted where it ends, without a search.
  const std::string sql =
      "SELECT id, moment, kind, deck_folder, description_folder, spread_file, p.card, p.reversed, "
      "p.card_name " +
      AlongMoments(condition, kWithPositions) + " ORDER BY moment, id";
  SqliteStatement statement(db, sql.c_str());
  BindAll(statement, condition.rangeValues, condition.setValues);

  JournalTally tally;
  // By deck, then card: the order of JournalTally::cards.
  std::map<std::string, std::map<std::int32_t, JournalCardTally>, std::less<>> decks;
  std::map<std::tuple<JournalKind, std::string, std::string, std::string>, std::int64_t,
           std::less<>>
      uses;
  std::map<std::int32_t, JournalCardTally>* deckCards = nullptr;
  const std::string* deck = nullptr;
  std::int64_t entry = 0;  // ids are from 1
  while (statement.Step()) {
    if (statement.Integer(0) != entry) {
      entry = statement.Integer(0);
      ++tally.readings;
      const std::string_view day = DayOf(statement.TextView(1));
      if (tally.days.empty() || tally.days.back().day != day) tally.days.emplace_back().day = day;
      ++tally.days.back().readings;
      const std::string_view folder = statement.TextView(3);
      if (!deck || *deck != folder) {
        auto found = decks.find(folder);
        if (found == decks.end())
          found = decks.emplace(std::string(folder), decltype(found->second){}).first;
        deck = &found->first;
        deckCards = &found->second;
      }
      const auto use = std::make_tuple(KindOf(statement.Integer(2)), folder, statement.TextView(4),
                                       statement.TextView(5));
      auto counted = uses.find(use);
      if (counted == uses.end()) {
        counted = uses.emplace(std::make_tuple(std::get<0>(use), std::string(std::get<1>(use)),
                                               std::string(std::get<2>(use)),
                                               std::string(std::get<3>(use))),
                               0)
                      .first;
      }
      ++counted->second;
    }
    if (statement.Null(6)) continue;  // an entry without positions
    const auto number = static_cast<std::int32_t>(statement.Integer(6));
    const bool reversed = statement.Integer(7) != 0;
    JournalDayTally& day = tally.days.back();
    ++day.cards;
    day.reversed += reversed ? 1 : 0;
    JournalCardTally& card = (*deckCards)[number];
    card.card = number;
    ++(reversed ? card.reversed : card.upright);
    const std::string_view name = statement.TextView(8);
    if (name > card.cardName) card.cardName = name;
  }
  for (auto& [folder, cards] : decks) {
    for (auto& [number, card] : cards) {
      card.deckFolder = folder;
      tally.cards.push_back(std::move(card));
    }
  }
  for (const auto& [use, readings] : uses) {
    const auto& [kind, deckFolder, descriptionFolder, spreadFile] = use;
    tally.uses.push_back({kind, deckFolder, descriptionFolder, spreadFile, readings});
  }
  return tally;
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
