#pragma once

#include <QLocale>
#include <QString>

#include "library/reading_log.h"

namespace vaticor {

// The system clock in local time.
class SystemLocalClock : public LocalClock {
 public:
  LocalDateTime Now() const override;
};

// The log's dates and times in a locale's formats (the user's by default).
// The date always takes 10 characters: the short date format's order and
// separator with two-digit day and month and a four-digit year, so that a
// date line can be told to be today's in every locale. The time is the long
// time format without the time zone.
class LocaleDateTimeFormat : public DateTimeFormat {
 public:
  explicit LocaleDateTimeFormat(QLocale locale = QLocale::system());
  std::string Date(const LocalDateTime& moment) const override;
  std::string Time(const LocalDateTime& moment) const override;

  const QString& DatePattern() const { return datePattern_; }
  const QString& TimePattern() const { return timePattern_; }

 private:
  QLocale locale_;
  QString datePattern_;
  QString timePattern_;
};

// "dd", "MM" and "yyyy" in the order of a short date pattern, joined by its
// first separator ("M/d/yy" gives "MM/dd/yyyy", "yyyy-MM-dd" stays).
QString TenCharacterDatePattern(const QString& shortPattern);
// A time pattern without its time-zone fields ("h:mm:ss AP t" gives
// "h:mm:ss AP").
QString TimePatternWithoutZone(const QString& pattern);

}  // namespace vaticor
