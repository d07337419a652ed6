#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "library/journal.h"

namespace vaticor {

// An entry's moment ("2024-03-14T09:30:05") in that locale: the day as a
// list's day header reads it, the time of day, and both for the entry
// shown. A moment that cannot be read is given back as it stands.
QString JournalDayText(const QLocale& locale, const std::string& moment);
QString JournalTimeText(const QLocale& locale, const std::string& moment);
QString JournalMomentText(const QLocale& locale, const std::string& moment);

// The journal's entries as the window's list shows them, newest first,
// grouped by day: a header row for each day, then one row per entry (time,
// question or spread file name, the cards' names with reversed ones marked,
// tags). Rows are plain text.
//
// A journal of years holds a hundred thousand entries: the model asks the
// store for a page of entries at a time, the first when the filter is
// set and each next one when the view scrolls to the end of what it has
// (canFetchMore / fetchMore), so no step reads more than a page. The first
// page fills a tall window; the next ones are small, since the store's read
// of a page far down costs its offset as well (a step while scrolling
// stays well under a frame).
class JournalListModel : public QAbstractListModel {
 public:
  static constexpr std::size_t kFirstPage = 50;
  static constexpr std::size_t kPage = 25;

  explicit JournalListModel(QObject* parent) : QAbstractListModel(parent) {}

  // The store read from (nullptr: no entries) and what its rows say: the
  // locale of days and times and the mark of a reversed card.
  void SetStore(const JournalStore* store) { store_ = store; }
  void SetWords(QLocale locale, QString reversedMark);
  void SetHeaderFont(const QFont& font) { headerFont_ = font; }
  // The entries the filter takes, read again from their first page; at
  // least `atLeast` entries are loaded (to keep an entry far down shown).
  void SetFilter(JournalFilter filter, std::size_t atLeast = 0);
  const JournalFilter& Filter() const { return filter_; }
  // The same filter, read again with as many entries as are loaded now.
  void Reload() { SetFilter(filter_, entries_.size()); }
  // An entry changed in the store: its row says what it says now.
  void EntryChanged(std::int64_t id);
  // An entry went from the store: its row goes, and its day's header when
  // it was the day's last.
  void EntryRemoved(std::int64_t id);

  // Rows: -1 for a header row or one out of range.
  std::int64_t EntryId(int row) const;
  // The entry's row, -1 when it is not loaded (yet).
  int RowOf(std::int64_t id) const;
  std::size_t LoadedEntries() const { return entries_.size(); }
  bool IsHeader(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  struct Shown {
    std::int64_t id = 0;
    std::string moment;
    QString text;  // time, question, cards, tags
  };
  struct Row {
    bool header = false;
    std::size_t entry = 0;  // index into entries_; a header: its day's first entry
  };
  Shown ShownOf(const JournalEntry& entry) const;
  // Appends a page's entries with their day headers (inside begin/end
  // insert rows when `announce`).
  void Append(std::vector<JournalEntry> page, bool announce);
  // Reads up to `count` entries after those loaded.
  std::vector<JournalEntry> Read(std::size_t count) const;

  const JournalStore* store_ = nullptr;
  JournalFilter filter_;
  QLocale locale_;
  QString reversedMark_;
  QFont headerFont_;
  std::vector<Shown> entries_;
  std::vector<Row> rows_;
  bool more_ = false;  // the last page read was full
};

}  // namespace vaticor
