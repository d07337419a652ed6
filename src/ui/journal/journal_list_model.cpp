#include "ui/journal/journal_list_model.h"

#include <QDateTime>
#include <QStringList>
#include <optional>

#include "languages/language_support.h"
#include "languages/locale_info.h"
#include "platform/locale_date_time.h"
#include "ui/chrome/interface_text.h"

namespace vaticor {

namespace {

// A question longer than this is cut in its row: the row shows one line,
// and a question of a megabyte is no reason to hold a megabyte per row.
constexpr qsizetype kRowQuestion = 300;

std::optional<QDateTime> MomentOf(const std::string& moment) {
  const QDateTime read = QDateTime::fromString(Utf8(moment), Qt::ISODate);
  if (!read.isValid()) return std::nullopt;
  return read;
}

// The day part of a moment, which the rows group by.
std::string_view DayOf(const std::string& moment) { return std::string_view(moment).substr(0, 10); }

// One line of a text that may hold several: line breaks and tabs as blanks.
QString OneLine(QString text) {
  for (QChar& c : text) {
    if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator) {
      c = u' ';
    }
  }
  return text;
}

}  // namespace

QString JournalDayText(const QLocale& locale, const std::string& moment) {
  const std::optional<QDateTime> read = MomentOf(moment);
  if (!read) return Utf8(std::string(DayOf(moment)));
  return locale.toString(read->date(), QLocale::LongFormat);
}

QString JournalTimeText(const QLocale& locale, const std::string& moment) {
  const std::optional<QDateTime> read = MomentOf(moment);
  if (!read) return Utf8(moment);
  return locale.toString(read->time(), QLocale::ShortFormat);
}

QString JournalMomentText(const QLocale& locale, const std::string& moment) {
  const std::optional<QDateTime> read = MomentOf(moment);
  if (!read) return Utf8(moment);
  return locale.toString(read->date(), QLocale::LongFormat) + QStringLiteral(", ") +
         locale.toString(read->time(),
                         TimePatternWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

void JournalListModel::SetWords(QLocale locale, QString reversedMark) {
  locale_ = std::move(locale);
  reversedMark_ = std::move(reversedMark);
}

JournalListModel::Shown JournalListModel::ShownOf(const JournalEntry& entry) const {
  QString subject = OneLine(Utf8(entry.question).left(kRowQuestion)).trimmed();
  if (subject.isEmpty()) subject = OneLine(Utf8(entry.spreadFile));
  QStringList cards;
  for (const JournalPosition& position : entry.positions) {
    QString name = position.cardName.empty() ? QStringLiteral("#%1").arg(position.card)
                                             : OneLine(Utf8(position.cardName));
    if (position.reversed) name += u' ' + reversedMark_;
    cards << name;
  }
  QStringList parts{JournalTimeText(locale_, entry.moment)};
  if (!subject.isEmpty()) parts << subject;
  if (!cards.isEmpty()) parts << cards.join(QStringLiteral(", "));
  if (!entry.tags.empty()) {
    QStringList tags;
    for (const std::string& tag : entry.tags) tags << u'#' + OneLine(Utf8(tag));
    parts << tags.join(u' ');
  }
  return {entry.id, entry.moment, parts.join(QStringLiteral("  \u00B7  "))};
}

std::vector<JournalEntry> JournalListModel::Read(std::size_t count) const {
  if (!store_ || count == 0) return {};
  return store_->List(filter_, entries_.size(), count);
}

void JournalListModel::SetFilter(JournalFilter filter, std::size_t atLeast) {
  beginResetModel();
  filter_ = std::move(filter);
  entries_.clear();
  rows_.clear();
  const std::size_t want = std::max(atLeast, kFirstPage);
  std::vector<JournalEntry> page = Read(want);
  more_ = page.size() == want;
  Append(std::move(page), /*announce=*/false);
  endResetModel();
}

void JournalListModel::Append(std::vector<JournalEntry> page, bool announce) {
  if (page.empty()) return;
  std::vector<Row> added;
  std::string lastDay(entries_.empty() ? std::string_view() : DayOf(entries_.back().moment));
  const std::size_t first = entries_.size();
  for (std::size_t i = 0; i < page.size(); ++i) {
    const std::string_view day = DayOf(page[i].moment);
    if ((first == 0 && i == 0) || day != lastDay) {
      added.push_back({true, first + i});
      lastDay = std::string(day);
    }
    added.push_back({false, first + i});
  }
  const int from = static_cast<int>(rows_.size());
  if (announce) beginInsertRows({}, from, from + static_cast<int>(added.size()) - 1);
  for (JournalEntry& entry : page) entries_.push_back(ShownOf(entry));
  rows_.insert(rows_.end(), added.begin(), added.end());
  if (announce) endInsertRows();
}

void JournalListModel::EntryChanged(std::int64_t id) {
  const int row = RowOf(id);
  if (row < 0 || !store_) return;
  const std::optional<JournalEntry> entry = store_->Get(id);
  if (!entry) return;
  Shown& shown = entries_[rows_[static_cast<std::size_t>(row)].entry];
  // A moment changed moves the entry: the list is read again instead.
  if (entry->moment != shown.moment) {
    Reload();
    return;
  }
  shown = ShownOf(*entry);
  emit dataChanged(index(row), index(row));
}

void JournalListModel::EntryRemoved(std::int64_t id) {
  const int row = RowOf(id);
  if (row < 0) return;
  const std::size_t at = static_cast<std::size_t>(row);
  const bool headerAbove = row > 0 && rows_[at - 1].header;
  const bool dayEnds = at + 1 == rows_.size() || rows_[at + 1].header;
  const int first = headerAbove && dayEnds ? row - 1 : row;
  const std::size_t entry = rows_[at].entry;
  beginRemoveRows({}, first, row);
  rows_.erase(rows_.begin() + first, rows_.begin() + row + 1);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(entry));
  for (Row& r : rows_) {
    if (r.entry > entry) --r.entry;
  }
  endRemoveRows();
  // A header left over its day's first entry now names the next one's.
  if (headerAbove && !dayEnds) emit dataChanged(index(row - 1), index(row - 1));
}

std::int64_t JournalListModel::EntryId(int row) const {
  if (row < 0 || row >= rowCount() || rows_[static_cast<std::size_t>(row)].header) return -1;
  return entries_[rows_[static_cast<std::size_t>(row)].entry].id;
}

int JournalListModel::RowOf(std::int64_t id) const {
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (!rows_[row].header && entries_[rows_[row].entry].id == id) return static_cast<int>(row);
  }
  return -1;
}

bool JournalListModel::IsHeader(int row) const {
  return row >= 0 && row < rowCount() && rows_[static_cast<std::size_t>(row)].header;
}

int JournalListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant JournalListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const Shown& entry = entries_[row.entry];
  switch (role) {
    case Qt::DisplayRole:
      return row.header ? JournalDayText(locale_, entry.moment) : entry.text;
    case Qt::FontRole:
      return row.header ? QVariant(headerFont_) : QVariant();
    case Qt::UserRole:
      return row.header ? QVariant() : QVariant(static_cast<qlonglong>(entry.id));
    default:
      return {};
  }
}

Qt::ItemFlags JournalListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return IsHeader(index.row()) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool JournalListModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && more_;
}

void JournalListModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || !more_) return;
  std::vector<JournalEntry> page = Read(kPage);
  more_ = page.size() == kPage;
  Append(std::move(page), /*announce=*/true);
}

}  // namespace vaticor
