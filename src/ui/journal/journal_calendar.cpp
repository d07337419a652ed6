#include "ui/journal/journal_calendar.h"

#include <QApplication>
#include <QPainter>
#include <QShowEvent>
#include <QStringList>
#include <QTextCharFormat>
#include <algorithm>
#include <charconv>
#include <exception>

#include "library/taro_decks.h"
#include "platform/picture_image.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/thread_results.h"
#include "ui/journal/journal_list_model.h"
#include "ui/journal_keeper.h"

namespace vaticor {

namespace {

// The day of the month of a "2024-03-14"; 0 when it holds none.
int DayOfMonth(const std::string& day) {
  int number = 0;
  if (day.size() < 10) return 0;
  std::from_chars(day.data() + 8, day.data() + 10, number);
  return number;
}

}  // namespace

JournalCalendar::JournalCalendar(ProgramState& state, QWidget* parent)
    : QCalendarWidget(parent), state_(state), post_(ResultPost::For(this)) {
  setObjectName("JournalCalendar");
  setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  setGridVisible(true);
  const auto chosen = [this](QDate date) { emit dayChosen(date.toString(u"yyyy-MM-dd")); };
  connect(this, &QCalendarWidget::clicked, this, chosen);
  connect(this, &QCalendarWidget::activated, this, chosen);
  connect(this, &QCalendarWidget::currentPageChanged, this, [this] { Changed(false); });
  JournalKeeper& journal = state_.Journal;
  connect(&journal, &JournalKeeper::opened, this, [this] { Changed(false); });
  connect(&journal, &JournalKeeper::entryAdded, this, [this] { Changed(false); });
  connect(&journal, &JournalKeeper::entryChanged, this, [this] { Changed(false); });
  connect(&journal, &JournalKeeper::entryRemoved, this, [this] { Changed(false); });
  // A restored journal gives its ids anew: no picture held stands for them.
  connect(&journal, &JournalKeeper::replaced, this, [this] { Changed(true); });
  ApplyLanguage();
}

JournalCalendar::~JournalCalendar() { post_->Close(); }

void JournalCalendar::ApplyLanguage() {
  const QLocale locale = InterfaceLocale(state_.INIData.Language);
  const Qt::DayOfWeek firstDay = firstDayOfWeek();
  const QDate selected = selectedDate();
  const int year = yearShown();
  const int month = monthShown();
  // A new locale brings its own first day of the week.
  setLocale(locale);
  setFirstDayOfWeek(locale.firstDayOfWeek());
  if (firstDayOfWeek() == firstDay) return;
  // The view keeps its selected cell, not the date, when the week's first
  // day changes: the date is selected again, the month shown kept.
  setSelectedDate(selected.addDays(selected.day() > 1 ? -1 : 1));
  setSelectedDate(selected);
  setCurrentPage(year, month);
}

void JournalCalendar::Changed(bool picturesToo) {
  if (picturesToo) {
    ++generation_;
    pictures_.clear();
    asked_.clear();
  }
  stale_ = true;
  if (isVisible()) Refresh();
}

void JournalCalendar::showEvent(QShowEvent* event) {
  QCalendarWidget::showEvent(event);
  if (stale_) Refresh();
}

void JournalCalendar::Refresh() {
  stale_ = false;
  days_.clear();
  if (const JournalStore* store = state_.Journal.Store()) {
    RunJournalCommand(this, state_.Languages, [&] {
      for (JournalMonthDay& day : store->Month(yearShown(), monthShown())) {
        const int number = DayOfMonth(day.day);
        if (number > 0) days_[number] = std::move(day);
      }
    });
  }
  ShowHints();
  RequestPictures();
  updateCells();
}

void JournalCalendar::ShowHints() {
  setDateTextFormat(QDate(), QTextCharFormat());
  const QString dayCard = JournalText(state_.Languages, "DayCard", "Карта дня");
  const QString others = JournalText(state_.Languages, "OtherReadings", "Других раскладов: %1");
  for (const auto& [number, day] : days_) {
    QStringList lines;
    if (day.dayCardEntry != 0) lines << dayCard;
    if (day.otherReadings > 0) lines << WithSubject(others, QString::number(day.otherReadings));
    QTextCharFormat format;
    format.setToolTip(lines.join(u'\n'));
    setDateTextFormat(QDate(yearShown(), monthShown(), number), format);
  }
}

const JournalMonthDay* JournalCalendar::DayOf(QDate date) const {
  if (date.year() != yearShown() || date.month() != monthShown()) return nullptr;
  const auto found = days_.find(date.day());
  return found == days_.end() ? nullptr : &found->second;
}

QImage JournalCalendar::PictureOf(QDate date) const {
  const JournalMonthDay* day = DayOf(date);
  if (!day || day->dayCardEntry == 0) return {};
  const auto found = pictures_.find(day->dayCardEntry);
  return found == pictures_.end() ? QImage() : found->second;
}

std::optional<PictureFile> JournalCalendar::PictureFileOf(const JournalMonthDay& day) {
  std::unique_ptr<TTaroDecks>& own = decks_[day.dayCardDeck];
  if (!own) {
    own = RecordedDeck(state_.TaroDecks, day.dayCardDeck, names_);
    if (own) own->SelectDeck(0);
  }
  TTaroDecks& deck = own ? *own : state_.TaroDecks;
  return deck.GetCardPictureFile(day.dayCard);
}

void JournalCalendar::RequestPictures() {
  const qreal ratio = devicePixelRatioF();
  const PictureSize target{static_cast<int>(kPictureWidth * ratio),
                           static_cast<int>(kPictureHeight * ratio)};
  double rank = 0;
  for (const auto& [number, day] : days_) {
    const std::int64_t entry = day.dayCardEntry;
    if (entry == 0 || asked_.contains(entry)) continue;
    std::optional<PictureFile> file;
    try {
      file = PictureFileOf(day);
    } catch (const std::exception&) {
      // A picture of a kind no decoder reads: the day shows its mark alone.
    }
    asked_.insert(entry);
    if (!file) continue;
    const bool reversed = day.dayCardReversed;
    state_.PictureWork.Submit(PictureWorkers::JobFor(*file, target), rank++,
                              [post = post_, this, entry, reversed,
                               generation = generation_](std::unique_ptr<Picture> picture) {
                                if (!picture) return;
                                QImage image = ToQImage(*picture);
                                if (reversed) image = image.mirrored(true, true);
                                post->Post([this, entry, generation, image = std::move(image)] {
                                  if (generation != generation_) return;
                                  pictures_[entry] = image;
                                  updateCells();
                                });
                              });
  }
  // The decks are listed again for the next month or change.
  decks_.clear();
}

void JournalCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
  QCalendarWidget::paintCell(painter, rect, date);
  const JournalMonthDay* day = DayOf(date);
  if (!day) return;
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  painter->setRenderHint(QPainter::Antialiasing);
  const QImage picture = PictureOf(date);
  // At the cell's left, clear of the day's number in its middle; while the
  // picture is not there (or the deck has none), the card's outline.
  const QSize room(std::max(1, rect.width() / 3), std::max(1, rect.height() - 4));
  const QSize shown = (picture.isNull() ? QSize(kPictureWidth, kPictureHeight) : picture.size())
                          .scaled(room, Qt::KeepAspectRatio);
  const QRect place(QPoint(rect.left() + 2, rect.top() + (rect.height() - shown.height()) / 2),
                    shown);
  if (!picture.isNull()) {
    painter->drawImage(place, picture);
  } else if (day->dayCardEntry != 0) {
    painter->setPen(SkinNavy());
    painter->drawRect(place.adjusted(0, 0, -1, -1));
  }
  if (day->otherReadings > 0) {
    constexpr int kMark = 6;
    painter->setPen(Qt::NoPen);
    painter->setBrush(SkinNavy());
    painter->drawEllipse(QRect(rect.right() - kMark - 2, rect.bottom() - kMark - 2, kMark, kMark));
  }
  painter->restore();
}

}  // namespace vaticor
