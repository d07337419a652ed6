#include "platform/sqlite_journal_rows.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

#include "platform/sqlite_database.h"

namespace vaticor {

namespace {

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += '\n';
    text += part;
  }
  return text;
}

// The words of a search text as SQLite's unicode61 word rules cut an
// entry's text: letters, digits, marks and private-use characters make
// words, everything else (blanks, punctuation, "№", "+") stands between
// them. A search word of separators alone would find nothing at all.
std::vector<std::string> IndexedWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t at = 0;
  while (at < length) {
    const std::int32_t start = at;
    UChar32 c = 0;
    U8_NEXT(text.data(), at, length, c);
    const bool letter = c >= 0 && (U_GET_GC_MASK(c) &
                                   (U_GC_L_MASK | U_GC_N_MASK | U_GC_M_MASK | U_GC_CO_MASK)) != 0;
    if (letter) {
      word += text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(at - start));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// An FTS5 query for the search text: each word a quoted prefix, all
// required; empty when the text holds no word. The words of SearchWords
// are cut again as the index cuts them.
std::string MatchExpression(std::string_view text) {
  std::string expression;
  for (const std::string& searched : SearchWords(text)) {
    for (const std::string& word : IndexedWords(searched)) {
      if (!expression.empty()) expression += " AND ";
      // A quote is a separator, so none is inside the word.
      expression += '"' + word + "\"*";
    }
  }
  return expression;
}

// The searched texts of an entry, in the columns of entry_words.
std::vector<std::string> WordColumns(const JournalEntry& entry) {
  std::vector<std::string> followUps;
  for (const JournalFollowUp& followUp : entry.followUps) followUps.push_back(followUp.text);
  std::vector<std::string> cards;
  for (const JournalPosition& position : entry.positions) cards.push_back(position.cardName);
  return {entry.question,     entry.notes,      Joined(followUps),
          Joined(entry.tags), entry.spreadFile, Joined(cards)};
}

// Adds (or, with `remove`, takes out) an entry's words. Taking them out
// needs the very texts that were added: the index keeps no copy of them.
void IndexWords(const SqliteDatabase& db, std::int64_t id, const JournalEntry& entry, bool remove) {
  SqliteStatement statement(
      db, remove ? "INSERT INTO entry_words(entry_words, rowid, question, notes, "
                   "follow_ups, tags, spread, cards) VALUES('delete',?,?,?,?,?,?,?)"
                 : "INSERT INTO entry_words(rowid, question, notes, follow_ups, "
                   "tags, spread, cards) VALUES(?,?,?,?,?,?,?)");
  statement.Bind(1, id);
  int column = 2;
  for (const std::string& text : WordColumns(entry)) statement.Bind(column++, text);
  statement.Run();
}

}  // namespace

// Writes the entry's rows under `id` (the entry row itself apart).
void WriteParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& entry) {
  SqliteStatement position(
      db,
      "INSERT INTO position(entry, ord, number, meaning, card, reversed, card_name) "
      "VALUES(?,?,?,?,?,?,?)");
  std::int64_t ord = 0;
  for (const JournalPosition& p : entry.positions) {
    position.Bind(1, id).Bind(2, ord++).Bind(3, std::int64_t{p.number}).Bind(4, p.meaning);
    position.Bind(5, std::int64_t{p.card}).Bind(6, std::int64_t{p.reversed}).Bind(7, p.cardName);
    position.Run();
  }
  SqliteStatement followUp(db, "INSERT INTO follow_up(entry, ord, moment, text) VALUES(?,?,?,?)");
  ord = 0;
  for (const JournalFollowUp& f : entry.followUps) {
    followUp.Bind(1, id).Bind(2, ord++).Bind(3, f.moment).Bind(4, f.text);
    followUp.Run();
  }
  SqliteStatement tag(db, "INSERT INTO tag(entry, ord, name) VALUES(?,?,?)");
  ord = 0;
  for (const std::string& name : entry.tags) {
    tag.Bind(1, id).Bind(2, ord++).Bind(3, name);
    tag.Run();
  }
  IndexWords(db, id, entry, false);
}

void RemoveParts(const SqliteDatabase& db, std::int64_t id, const JournalEntry& old) {
  IndexWords(db, id, old, true);
  for (const char* sql :
       {"DELETE FROM position WHERE entry = ?", "DELETE FROM follow_up WHERE entry = ?",
        "DELETE FROM tag WHERE entry = ?"}) {
    SqliteStatement(db, sql).Bind(1, id).Run();
  }
}

JournalKind KindOf(std::int64_t stored) {
  switch (stored) {
    case static_cast<std::int64_t>(JournalKind::kSpread):
      return JournalKind::kSpread;
    case static_cast<std::int64_t>(JournalKind::kDayCard):
      return JournalKind::kDayCard;
    default:
      return JournalKind::kDraw;
  }
}

std::optional<JournalEntry> ReadEntry(const SqliteDatabase& db, std::int64_t id,
                                      bool physicalColumn) {
  SqliteStatement row(
      db, physicalColumn
              ? "SELECT moment, kind, question, spread_file, deck_folder, description_folder, "
                "notes, spread_table, physical FROM entry WHERE id = ?"
              : "SELECT moment, kind, question, spread_file, deck_folder, description_folder, "
                "notes, spread_table, 0 FROM entry WHERE id = ?");
  row.Bind(1, id);
  if (!row.Step()) return std::nullopt;
  JournalEntry entry;
  entry.id = id;
  entry.moment = row.Text(0);
  entry.kind = KindOf(row.Integer(1));
  entry.question = row.Text(2);
  entry.spreadFile = row.Text(3);
  entry.deckFolder = row.Text(4);
  entry.descriptionFolder = row.Text(5);
  entry.notes = row.Text(6);
  entry.spreadTable = row.Text(7);
  entry.physical = row.Integer(8) != 0;
  SqliteStatement positions(db,
                            "SELECT number, meaning, card, reversed, card_name FROM position "
                            "WHERE entry = ? ORDER BY ord");
  positions.Bind(1, id);
  while (positions.Step()) {
    entry.positions.push_back({static_cast<int>(positions.Integer(0)), positions.Text(1),
                               static_cast<std::int32_t>(positions.Integer(2)),
                               positions.Integer(3) != 0, positions.Text(4)});
  }
  SqliteStatement followUps(db, "SELECT moment, text FROM follow_up WHERE entry = ? ORDER BY ord");
  followUps.Bind(1, id);
  while (followUps.Step()) entry.followUps.push_back({followUps.Text(0), followUps.Text(1)});
  SqliteStatement tags(db, "SELECT name FROM tag WHERE entry = ? ORDER BY ord");
  tags.Bind(1, id);
  while (tags.Step()) entry.tags.push_back(tags.Text(0));
  return entry;
}

namespace {

ReaderMeaning MeaningOf(const SqliteStatement& row) {
  return {static_cast<std::int32_t>(row.Integer(0)), row.Text(1), row.Text(2), row.Text(3),
          row.Text(4)};
}

}  // namespace

std::vector<ReaderMeaning> ReadReaderMeanings(const SqliteDatabase& db) {
  SqliteStatement statement(db,
                            "SELECT identity, upright_keywords, upright_notes, reversed_keywords, "
                            "reversed_notes FROM reader_meaning ORDER BY identity");
  std::vector<ReaderMeaning> meanings;
  while (statement.Step()) meanings.push_back(MeaningOf(statement));
  return meanings;
}

ReaderMeaning ReadReaderMeaning(const SqliteDatabase& db, std::int32_t identity) {
  SqliteStatement statement(db,
                            "SELECT identity, upright_keywords, upright_notes, reversed_keywords, "
                            "reversed_notes FROM reader_meaning WHERE identity = ?");
  statement.Bind(1, static_cast<std::int64_t>(identity));
  return statement.Step() ? MeaningOf(statement) : ReaderMeaning{.identity = identity};
}

void WriteReaderMeaning(const SqliteDatabase& db, const ReaderMeaning& meaning) {
  if (meaning.Empty()) {
    SqliteStatement(db, "DELETE FROM reader_meaning WHERE identity = ?")
        .Bind(1, static_cast<std::int64_t>(meaning.identity))
        .Run();
    return;
  }
  SqliteStatement row(db,
                      "INSERT OR REPLACE INTO reader_meaning(identity, upright_keywords, "
                      "upright_notes, reversed_keywords, reversed_notes) VALUES(?,?,?,?,?)");
  row.Bind(1, static_cast<std::int64_t>(meaning.identity)).Bind(2, meaning.uprightKeywords);
  row.Bind(3, meaning.uprightNotes).Bind(4, meaning.reversedKeywords);
  row.Bind(5, meaning.reversedNotes).Run();
}

std::int64_t InsertEntry(const SqliteDatabase& db, const JournalEntry& given) {
  JournalEntry entry = given;
  entry.tags = NormaliseTags(given.tags);
  SqliteStatement row(db,
                      "INSERT INTO entry(moment, kind, question, spread_file, deck_folder, "
                      "description_folder, notes, spread_table, physical) "
                      "VALUES(?,?,?,?,?,?,?,?,?)");
  row.Bind(1, entry.moment).Bind(2, static_cast<std::int64_t>(entry.kind)).Bind(3, entry.question);
  row.Bind(4, entry.spreadFile).Bind(5, entry.deckFolder).Bind(6, entry.descriptionFolder);
  row.Bind(7, entry.notes).Bind(8, entry.spreadTable);
  row.Bind(9, static_cast<std::int64_t>(entry.physical ? 1 : 0)).Run();
  const std::int64_t id = db.LastInsertId();
  WriteParts(db, id, entry);
  return id;
}

namespace {

// The least text greater than every text that begins with `text` (bytes
// compared); empty when there is none (`text` all 0xFF bytes, or empty).
std::string PastPrefix(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) == 0xFF) text.pop_back();
  if (!text.empty()) text.back() = static_cast<char>(static_cast<unsigned char>(text.back()) + 1);
  return text;
}

}  // namespace

Condition FilterCondition(const JournalFilter& filter) {
  Condition condition;
  if (!filter.tag.empty()) {
    // NormaliseTags leaves no tag twice in an entry.
    condition.sets.push_back("SELECT entry AS id FROM tag WHERE name = ?");
    condition.setValues.push_back(filter.tag);
  }
  if (filter.card) {
    condition.sets.push_back("SELECT entry AS id FROM position WHERE card = CAST(? AS INTEGER)");
    condition.setValues.push_back(std::to_string(*filter.card));
    condition.setsRepeat = true;
  }
  // Last: a set made for INTERSECT is the left one, and the words of a
  // short prefix are in more entries than a tag or a card.
  const std::string match = MatchExpression(filter.text);
  if (!match.empty()) {
    condition.sets.push_back("SELECT rowid AS id FROM entry_words WHERE entry_words MATCH ?");
    condition.setValues.push_back(match);
  }
  if (!filter.from.empty()) {
    condition.range += " AND moment >= ?";
    condition.rangeValues.push_back(filter.from);
  }
  if (!filter.to.empty()) {
    // The bound before the moments that begin past `to` lets the index
    // end the range; the comparison of the first characters decides.
    const std::string past = PastPrefix(filter.to);
    if (!past.empty()) {
      condition.range += " AND moment < ?";
      condition.rangeValues.push_back(past);
    }
    condition.range += " AND substr(moment, 1, " + std::to_string(filter.to.size()) + ") <= ?";
    condition.rangeValues.push_back(filter.to);
  }
  return condition;
}

std::string AlongMoments(const Condition& condition, std::string_view join) {
  std::string sql = "FROM entry INDEXED BY entry_by_moment ";
  sql += join;
  sql += " WHERE " + condition.range;
  for (const std::string& set : condition.sets) sql += " AND id IN (" + set + ")";
  return sql;
}

namespace {

// How many entries are in every set (there is one at least); for more sets
// than one, each before the last is made once, the last read against them.
std::string SetsCount(const Condition& condition) {
  if (condition.sets.size() == 1) {
    return std::string("SELECT count(") + (condition.setsRepeat ? "DISTINCT id" : "*") +
           ") FROM (" + condition.sets.front() + ")";
  }
  std::string sql = "SELECT count(*) FROM (";
  for (std::size_t n = 0; n < condition.sets.size(); ++n) {
    sql += (n == 0 ? "" : " INTERSECT ") + condition.sets[n];
  }
  return sql + ")";
}

}  // namespace

int BindAll(SqliteStatement& statement, const std::vector<std::string>& first,
            const std::vector<std::string>& then) {
  int index = 1;
  for (const std::string& value : first) statement.Bind(index++, value);
  for (const std::string& value : then) statement.Bind(index++, value);
  return index;
}

std::int64_t SqlCount(std::size_t count) {
  constexpr std::size_t kMost = INT64_MAX;
  return static_cast<std::int64_t>(std::min(count, kMost));
}

std::vector<std::int64_t> ListIds(const SqliteDatabase& db, const JournalFilter& filter,
                                  std::size_t offset, std::size_t limit) {
  const Condition condition = FilterCondition(filter);
  const std::string sql =
      "SELECT id " + AlongMoments(condition) + " ORDER BY moment DESC, id DESC LIMIT ? OFFSET ?";
  SqliteStatement statement(db, sql.c_str());
  const int next = BindAll(statement, condition.rangeValues, condition.setValues);
  statement.Bind(next, SqlCount(limit)).Bind(next + 1, SqlCount(offset));
  std::vector<std::int64_t> ids;
  while (statement.Step()) ids.push_back(statement.Integer(0));
  return ids;
}

std::size_t CountEntries(const SqliteDatabase& db, const JournalFilter& filter) {
  const Condition condition = FilterCondition(filter);
  // Without a range, counted where the sets are, without a look at the
  // entries.
  const std::string sql = condition.sets.empty() || !condition.rangeValues.empty()
                              ? "SELECT count(*) " + AlongMoments(condition)
                              : SetsCount(condition);
  SqliteStatement statement(db, sql.c_str());
  BindAll(statement, condition.rangeValues, condition.setValues);
  return statement.Step() ? static_cast<std::size_t>(statement.Integer(0)) : 0;
}

}  // namespace vaticor
