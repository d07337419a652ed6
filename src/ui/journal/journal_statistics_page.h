#pragma once

#include <QLocale>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "library/journal.h"
#include "library/journal_statistics.h"
#include "ui/program_state.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace vaticor {

class JournalChart;

// The statistics page of the journal window: what the entries the list
// shows (its filter) say, as charts - the most drawn cards, the arcana and
// suits against chance, readings a week or month with the share of
// reversed cards, the decks, description sets and layouts used - and the
// cards that came in at least N of the last M entries, with their entries
// (a click on one signals it). The counting is the store's; the page
// counts again when its filter, the journal or the deck in use changed, at
// once while on show, else when next shown.
class JournalStatisticsPage : public QWidget {
  Q_OBJECT
 public:
  JournalStatisticsPage(ProgramState& state, QWidget* parent);
  ~JournalStatisticsPage() override;

  void SetFilter(const JournalFilter& filter);
  // The journal changed (an entry added, changed, removed; another file).
  void JournalChanged();
  void ApplyLanguage(const TLanguageTable& languages, const QLocale& locale);

  // Counted and drawn now (the benchmarks: counting and drawing apart).
  void Recount();
  void Draw();
  const JournalStatistics& Statistics() const { return statistics_; }

 signals:
  // An entry of a recurring card chosen.
  void entryChosen(std::int64_t id);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RecountWhenShown();
  void CountRecurring();
  void DrawRecurring();
  QString CardHint(const CardCount& card);
  std::optional<std::int32_t> DeckSize(const std::string& folder);
  std::string CardName(std::int32_t card);
  void ItemChosen(QTreeWidgetItem* item);

  ProgramState& state_;
  JournalFilter filter_;
  QLocale locale_;
  JournalStatistics statistics_;
  std::vector<RecurringCard> recurring_;
  std::optional<PeriodUnit> unit_;  // the user's choice; none: ComputeStatistics's
  bool stale_ = true;
  std::unique_ptr<PictureLoader> noDecoding_;
  std::map<std::string, std::optional<std::int32_t>> deckSizes_;  // one count's
  std::vector<std::string> cardNames_;                            // the current deck's
  std::map<std::int32_t, QString> hints_;                         // one count's

  QLabel* summary_ = nullptr;
  JournalChart* mostDrawn_ = nullptr;
  JournalChart* balance_ = nullptr;
  JournalChart* periods_ = nullptr;
  JournalChart* uses_ = nullptr;
  QComboBox* unitChoice_ = nullptr;
  QLabel* recurringTitle_ = nullptr;
  QLabel* atLeastLabel_ = nullptr;
  QLabel* ofLastLabel_ = nullptr;
  QSpinBox* atLeast_ = nullptr;
  QSpinBox* ofLast_ = nullptr;
  QTreeWidget* recurringList_ = nullptr;
};

}  // namespace vaticor
