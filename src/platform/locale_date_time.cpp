#include "platform/locale_date_time.h"

#include <QDateTime>

namespace vaticor {

namespace {

// Calls `visit` for each character of a Qt date-time pattern that lies
// outside quoted literals, with its index.
template <typename Visit>
void ForEachPatternCharacter(const QString& pattern, Visit visit) {
  bool quoted = false;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
      continue;
    }
    if (!quoted) visit(i, c);
  }
}

}  // namespace

LocalDateTime SystemLocalClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

QString TenCharacterDatePattern(const QString& shortPattern) {
  QString order;
  QChar separator;
  QChar blank;
  ForEachPatternCharacter(shortPattern, [&](qsizetype, QChar c) {
    if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
      if (!order.contains(c)) order += c;
    } else if (!c.isLetter() && !order.isEmpty() && order.size() < 3) {
      // Only what stands between the fields separates them.
      if (c.isSpace()) {
        if (blank.isNull()) blank = c;
      } else if (separator.isNull()) {
        separator = c;
      }
    }
  });
  if (separator.isNull()) separator = blank.isNull() ? QLatin1Char('.') : blank;
  if (order.size() != 3) order = QStringLiteral("dMy");

  QString pattern;
  for (QChar field : order) {
    if (!pattern.isEmpty()) pattern += separator;
    if (field == QLatin1Char('d')) pattern += QStringLiteral("dd");
    if (field == QLatin1Char('M')) pattern += QStringLiteral("MM");
    if (field == QLatin1Char('y')) pattern += QStringLiteral("yyyy");
  }
  return pattern;
}

QString TimePatternWithoutZone(const QString& pattern) {
  QString result = pattern;
  QList<qsizetype> zone;
  ForEachPatternCharacter(pattern, [&](qsizetype i, QChar c) {
    if (c == QLatin1Char('t')) zone.push_back(i);
  });
  for (auto i = zone.size(); i-- > 0;) result.remove(zone[i], 1);
  return result.simplified();
}

LocaleDateTimeFormat::LocaleDateTimeFormat(QLocale locale)
    : locale_(std::move(locale)),
      datePattern_(TenCharacterDatePattern(locale_.dateFormat(QLocale::ShortFormat))),
      timePattern_(TimePatternWithoutZone(locale_.timeFormat(QLocale::LongFormat))) {}

std::string LocaleDateTimeFormat::Date(const LocalDateTime& moment) const {
  return locale_.toString(QDate(moment.year, moment.month, moment.day), datePattern_).toStdString();
}

std::string LocaleDateTimeFormat::Time(const LocalDateTime& moment) const {
  return locale_.toString(QTime(moment.hour, moment.minute, moment.second), timePattern_)
      .toStdString();
}

}  // namespace vaticor
