#pragma once

#include <QCalendarWidget>
#include <QImage>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "library/journal.h"
#include "library/picture_loader.h"
#include "ui/program_state.h"

namespace vaticor {

class ResultPost;
class TTaroDecks;

// The journal as a month: on each day that has a card of the day, its small
// picture (from the entry's own deck when it is installed, else from the
// deck in use; decoded on the picture workers, the cells drawn without it
// meanwhile), turned when the card was reversed; a mark on days with other
// readings. The month and weekday names are the interface language's. It
// reads JournalStore::Month for the month shown and reads it again after
// the journal changes (JournalKeeper's signals), when it is next on show.
// A click on a day signals that day. Tests find it as "JournalCalendar".
class JournalCalendar : public QCalendarWidget {
  Q_OBJECT
 public:
  explicit JournalCalendar(ProgramState& state, QWidget* parent = nullptr);
  ~JournalCalendar() override;

  // The names of months and weekdays and the first day of the week in the
  // interface language's locale.
  void ApplyLanguage();
  // The month shown read again from the journal now (nothing while the
  // journal is not open).
  void Refresh();

  // What the month shown holds for a day; nullptr for a day without entries
  // or outside the month shown.
  const JournalMonthDay* DayOf(QDate date) const;
  // A day's card of the day as decoded; null until its picture came, and
  // for a day without one.
  QImage PictureOf(QDate date) const;

  // The picture's size as decoded, in device pixels at a ratio of 1: room
  // for the largest cell of a window on a large screen.
  static constexpr int kPictureWidth = 48;
  static constexpr int kPictureHeight = 80;

 signals:
  // A day clicked (or chosen by its key): "2024-03-14".
  void dayChosen(QString day);

 protected:
  void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
  void showEvent(QShowEvent* event) override;

 private:
  // The journal changed: read again now when on show, else when next shown.
  void Changed(bool picturesToo);
  // Each day's hint: its card of the day, how many other readings.
  void ShowHints();
  // Has the pictures of the month's days of card decoded that are not yet.
  void RequestPictures();
  // The picture file of a day's card: its own deck's, else the one in use.
  std::optional<PictureFile> PictureFileOf(const JournalMonthDay& day);

  ProgramState& state_;
  std::map<int, JournalMonthDay> days_;      // the month shown, by day of month
  std::map<std::int64_t, QImage> pictures_;  // by the entry of the card of the day
  std::set<std::int64_t> asked_;             // entries whose picture was asked for
  NamingOnlyLoader names_;
  // The entries' own decks named while the pictures are asked for.
  std::map<std::string, std::unique_ptr<TTaroDecks>> decks_;
  std::shared_ptr<ResultPost> post_;
  std::uint64_t generation_ = 0;  // pictures of an older reading are dropped
  bool stale_ = true;
};

}  // namespace vaticor
