#include "ui/journal/journal_statistics_charts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTime>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_style.h"

namespace vaticor {

namespace {

std::string Number(std::int64_t value) { return std::to_string(value); }
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// A chart on the skin: its ground, its text in navy, its numbers in the
// interface language's way.
QChart* NewChart(const QLocale& locale) {
  auto* chart = new QChart;
  chart->setBackgroundBrush(SkinListBase());
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setTitleBrush(SkinNavy());
  chart->setLocale(locale);
  chart->setLocalizeNumbers(true);
  chart->legend()->setLabelColor(SkinNavy());
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

void Style(QAbstractAxis* axis) {
  axis->setLabelsBrush(SkinNavy());
  axis->setTitleBrush(SkinNavy());
  axis->setLinePenColor(SkinNavy());
  axis->setGridLineColor(SkinSkyBlue());
}

QBarSet* NewSet(const QString& label, const QColor& colour) {
  auto* set = new QBarSet(label);
  set->setColor(colour);
  set->setBorderColor(colour);
  set->setLabelColor(SkinNavy());
  return set;
}

// Counts on a value axis: whole numbers from 0.
QValueAxis* CountAxis(double most) {
  auto* axis = new QValueAxis;
  axis->setRange(0, std::max(1.0, most));
  axis->applyNiceNumbers();
  // Fewer whole numbers than ticks: one tick each, so that no label is
  // rounded to its neighbour's ("0 0 1 1" for a most of 1).
  const double top = std::ceil(axis->max());
  if (top < axis->tickCount() - 1) {
    axis->setRange(0, top);
    axis->setTickCount(static_cast<int>(top) + 1);
  }
  // "%d" shows nothing once the numbers are localized (QChart::localizeNumbers).
  axis->setLabelFormat(QStringLiteral("%.0f"));
  Style(axis);
  return axis;
}

// Category names are keys of their axis: a name twice (two cards recorded
// under one name) gets its number after it.
QString Unique(QString name, std::int64_t number, std::set<QString>& taken) {
  if (name.isEmpty()) name = u'#' + QString::number(number);
  if (!taken.insert(name).second) {
    name += QStringLiteral(" (#%1)").arg(number);
    taken.insert(name);
  }
  return name;
}

void Attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart->addSeries(series);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
}

}  // namespace

StatisticsWords StatisticsWordsOf(const TLanguageTable& languages) {
  StatisticsWords w;
  w.upright = JournalText(languages, "ChartUpright", "Прямые");
  w.reversed = JournalText(languages, "ChartReversed", "Перевёрнутые");
  w.drawn = JournalText(languages, "ChartDrawn", "Выпало");
  w.expected = JournalText(languages, "ChartExpected", "Ожидается случайно");
  w.moreThanChance = JournalText(languages, "MoreThanChance", "больше, чем случайность");
  w.groups[0] = JournalText(languages, "GroupMajor", "Старшие арканы");
  w.groups[1] = JournalText(languages, "GroupWands", "Жезлы");
  w.groups[2] = JournalText(languages, "GroupCups", "Кубки");
  w.groups[3] = JournalText(languages, "GroupSwords", "Мечи");
  w.groups[4] = JournalText(languages, "GroupPentacles", "Пентакли");
  w.groups[5] = JournalText(languages, "GroupMinor", "Младшие арканы");
  w.readings = JournalText(languages, "ChartReadings", "Записей");
  w.reversedShare = JournalText(languages, "ChartReversedShare", "Перевёрнутых карт, %");
  w.deck = JournalText(languages, "UseDeck", "Колода");
  w.descriptions = JournalText(languages, "UseDescriptions", "Описания");
  w.draws = JournalText(languages, "UseDraws", "Выкладки карт");
  w.dayCards = JournalText(languages, "UseDayCards", "Карты дня");
  w.unsavedSpread = JournalText(languages, "UseUnsavedSpread", "Несохранённый расклад");
  w.unknown = JournalText(languages, "UseUnknown", "не указано");
  return w;
}

BuiltChart MostDrawnChart(const JournalStatistics& statistics, const StatisticsWords& words,
                          const QLocale& locale, const CardHint& hint) {
  BuiltChart built;
  if (statistics.mostDrawn.empty()) return built;
  built.numbers.push_back({"card", "name", "upright", "reversed"});
  QChart* chart = NewChart(locale);
  auto* upright = NewSet(words.upright, SkinNavy());
  auto* reversed = NewSet(words.reversed, SkinGold());
  QStringList names;
  std::set<QString> taken;
  std::int64_t most = 0;
  // The axis counts from the bottom: the most drawn last, at the top.
  std::vector<CardCount> cards(statistics.mostDrawn.rbegin(), statistics.mostDrawn.rend());
  for (const CardCount& card : cards) {
    names << Unique(Utf8(card.name), card.card, taken);
    *upright << static_cast<qreal>(card.upright);
    *reversed << static_cast<qreal>(card.reversed);
    most = std::max(most, card.Total());
  }
  for (const CardCount& card : statistics.mostDrawn) {
    built.numbers.push_back(
        {Number(std::int64_t{card.card}), card.name, Number(card.upright), Number(card.reversed)});
  }
  auto* series = new QHorizontalStackedBarSeries;
  series->append(upright);
  series->append(reversed);
  auto* axis = new QBarCategoryAxis;
  axis->append(names);
  Style(axis);
  Attach(chart, series, CountAxis(static_cast<double>(most)), axis);
  if (hint) {
    // The hint of the bar under the mouse: the view's scene shows the
    // topmost item's hint, the chart's here (a hint shown by hand would be
    // hidden by the scene at once, as none of its items has one).
    QObject::connect(
        series, &QAbstractBarSeries::hovered, chart,
        [chart, cards = std::move(cards), hint](bool on, int index, QBarSet*) {
          const bool known = on && index >= 0 && static_cast<std::size_t>(index) < cards.size();
          chart->setToolTip(known ? hint(cards[static_cast<std::size_t>(index)]) : QString());
        });
  }
  built.chart = chart;
  return built;
}

BuiltChart BalanceChart(const ArcanaBalance& balance, const StatisticsWords& words,
                        const QLocale& locale) {
  BuiltChart built;
  if (balance.cards == 0) return built;
  built.numbers.push_back({"group", "observed", "expected", "p_value", "more_than_chance"});
  static const char* const kIds[] = {"major", "wands", "cups", "swords", "pentacles", "minor"};
  std::vector<std::pair<int, const GroupBalance*>> groups = {{0, &balance.major},
                                                             {kArcanaGroups, &balance.minor}};
  for (std::size_t suit = 0; suit < balance.suits.size() && suit + 1 < kArcanaGroups; ++suit) {
    groups.emplace_back(static_cast<int>(suit) + 1, &balance.suits[suit]);
  }
  QChart* chart = NewChart(locale);
  auto* drawn = NewSet(words.drawn, SkinNavy());
  auto* expected = NewSet(words.expected, SkinGold());
  QStringList names;
  double most = 0;
  for (const auto& [group, g] : groups) {
    built.numbers.push_back({kIds[group], Number(g->observed), Number(g->expected),
                             Number(g->pValue), g->moreThanChance ? "1" : "0"});
  }
  // Their names at the left, the major arcana at the top.
  for (auto at = groups.rbegin(); at != groups.rend(); ++at) {
    const auto& [group, g] = *at;
    names << (g->moreThanChance ? words.groups[group] + QStringLiteral(" *") : words.groups[group]);
    *drawn << static_cast<qreal>(g->observed);
    *expected << g->expected;
    most = std::max({most, static_cast<double>(g->observed), g->expected});
  }
  auto* series = new QHorizontalBarSeries;
  series->append(drawn);
  series->append(expected);
  auto* axis = new QBarCategoryAxis;
  axis->append(names);
  Style(axis);
  Attach(chart, series, CountAxis(most), axis);
  built.chart = chart;
  return built;
}

BuiltChart PeriodsChart(const JournalStatistics& statistics, const StatisticsWords& words,
                        const QLocale& locale) {
  BuiltChart built;
  if (statistics.periods.empty()) return built;
  built.numbers.push_back({"period_start", "readings", "cards", "reversed"});
  QChart* chart = NewChart(locale);
  auto* readings = new QLineSeries;
  readings->setName(words.readings);
  readings->setPen(QPen(SkinNavy(), 2));
  auto* share = new QLineSeries;
  share->setName(words.reversedShare);
  share->setPen(QPen(SkinGold(), 2));
  std::int64_t most = 0;
  std::optional<qint64> first;
  QDate start;  // the first period's and the last's first days
  QDate last;
  for (const PeriodCount& period : statistics.periods) {
    built.numbers.push_back(
        {period.start, Number(period.readings), Number(period.cards), Number(period.reversed)});
    const QDate day = QDate::fromString(Utf8(period.start), Qt::ISODate);
    if (!day.isValid()) continue;
    const auto at = static_cast<qreal>(day.startOfDay().toMSecsSinceEpoch());
    if (!first) {
      first = static_cast<qint64>(at);
      start = day;
    }
    last = day;
    readings->append(at, static_cast<qreal>(period.readings));
    if (period.cards > 0) {
      share->append(
          at, 100.0 * static_cast<double>(period.reversed) / static_cast<double>(period.cards));
    }
    most = std::max(most, period.readings);
  }
  // A label on the start of every period, or of every second, third...: at
  // most seven, each on the very day it names (ticks spread evenly would
  // fall a day or two off the months' starts, into the month before); the
  // axis runs on to the label after the last period when the steps do not
  // end there. The periods between the first and the last are counted
  // from their days: a journal spanning ages lists only those with readings.
  const bool months = statistics.unit == PeriodUnit::kMonth;
  const qint64 span = months
                          ? (qint64{last.year()} - start.year()) * 12 + last.month() - start.month()
                          : start.daysTo(last) / 7;
  const qint64 intervals = std::max<qint64>(1, span);
  const qint64 step = (intervals + 5) / 6;
  const int ticks = static_cast<int>((intervals + step - 1) / step);
  // Every period's start is a day (ComputeStatistics gives no other).
  const qint64 firstAt = first.value_or(0);
  // A line of one or two points is next to nothing without its points.
  readings->setPointsVisible(statistics.periods.size() < 3);
  share->setPointsVisible(statistics.periods.size() < 3);
  auto* time = new QCategoryAxis;
  time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  const QString format = months ? QStringLiteral("MMM yyyy") : QStringLiteral("d MMM yyyy");
  QDate end = start;
  for (int tick = 0; tick <= ticks; ++tick) {
    end = months ? start.addMonths(static_cast<int>(tick * step)) : start.addDays(7 * tick * step);
    time->append(locale.toString(end, format),
                 static_cast<qreal>(end.startOfDay().toMSecsSinceEpoch()));
  }
  // Half a period of room on each side, so that no point stands on the
  // edge and the first label is whole.
  const qreal room = (months ? 15.0 : 3.5) * 86'400'000.0;
  time->setStartValue(static_cast<qreal>(firstAt) - room);
  time->setRange(static_cast<qreal>(firstAt) - room,
                 static_cast<qreal>(end.startOfDay().toMSecsSinceEpoch()) + room);
  Style(time);
  Attach(chart, readings, time, CountAxis(static_cast<double>(most)));
  auto* percent = new QValueAxis;
  percent->setRange(0, 100);
  percent->setLabelFormat(QStringLiteral("%.0f"));
  Style(percent);
  percent->setGridLineVisible(false);
  chart->addSeries(share);
  chart->addAxis(percent, Qt::AlignRight);
  share->attachAxis(time);
  share->attachAxis(percent);
  built.chart = chart;
  return built;
}

BuiltChart UsesChart(const JournalStatistics& statistics, const StatisticsWords& words,
                     const QLocale& locale,
                     const std::function<QString(const std::string& folder)>& deckName) {
  BuiltChart built;
  if (statistics.readings == 0) return built;
  built.numbers.push_back({"use", "kind", "name", "readings"});
  struct Bar {
    QString label;
    std::int64_t readings;
  };
  std::vector<Bar> bars;
  const auto kindId = [](JournalKind kind) {
    return kind == JournalKind::kSpread    ? "spread"
           : kind == JournalKind::kDayCard ? "day_card"
                                           : "draw";
  };
  const auto nameOr = [&](const QString& name) { return name.isEmpty() ? words.unknown : name; };
  for (const UseCount& use : statistics.decks) {
    bars.push_back({words.deck + QStringLiteral(": ") + nameOr(deckName(use.name)), use.readings});
    built.numbers.push_back({"deck", kindId(use.kind), use.name, Number(use.readings)});
  }
  for (const UseCount& use : statistics.descriptions) {
    bars.push_back(
        {words.descriptions + QStringLiteral(": ") + nameOr(Utf8(use.name)), use.readings});
    built.numbers.push_back({"descriptions", kindId(use.kind), use.name, Number(use.readings)});
  }
  for (const UseCount& use : statistics.layouts) {
    QString label = Utf8(use.name);
    if (use.kind == JournalKind::kDraw) label = words.draws;
    if (use.kind == JournalKind::kDayCard) label = words.dayCards;
    if (use.kind == JournalKind::kSpread && label.isEmpty()) label = words.unsavedSpread;
    bars.push_back({label, use.readings});
    built.numbers.push_back({"layout", kindId(use.kind), use.name, Number(use.readings)});
  }
  QChart* chart = NewChart(locale);
  chart->legend()->hide();
  auto* set = NewSet(words.readings, SkinNavy());
  QStringList names;
  std::set<QString> taken;
  std::int64_t most = 0;
  std::int64_t number = 0;
  for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
    names << Unique(bar->label, ++number, taken);
    *set << static_cast<qreal>(bar->readings);
    most = std::max(most, bar->readings);
  }
  auto* series = new QHorizontalBarSeries;
  series->append(set);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  auto* axis = new QBarCategoryAxis;
  axis->append(names);
  Style(axis);
  Attach(chart, series, CountAxis(static_cast<double>(most)), axis);
  built.chart = chart;
  return built;
}

}  // namespace vaticor
