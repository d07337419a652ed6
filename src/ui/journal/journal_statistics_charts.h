#pragma once

#include <QLocale>
#include <QString>
#include <functional>

#include "languages/language_table.h"
#include "library/journal_statistics.h"
#include "ui/journal/journal_chart.h"

class QChart;

namespace vaticor {

// The charts of the journal's statistics, made from computed statistics
// (library/journal_statistics.h) in the skin's colours, their labels and
// numbers in the interface language's locale; and their numbers for the
// clipboard and CSV (headers and group names as plain English identifiers,
// as a spreadsheet's columns are named; numbers unformatted).

// The captions the charts show, in the interface language.
struct StatisticsWords {
  QString upright, reversed;
  QString drawn, expected, moreThanChance;
  QString groups[kArcanaGroups + 1];  // major, wands, cups, swords, pentacles, minor
  QString readings, reversedShare;
  QString deck, descriptions, draws, dayCards, unsavedSpread, unknown;
};
StatisticsWords StatisticsWordsOf(const TLanguageTable& languages);

// A chart and its numbers.
struct BuiltChart {
  QChart* chart = nullptr;  // the caller's from now
  ChartNumbers numbers;
};

// The hint of a card of the most drawn (rich text, its name escaped).
using CardHint = std::function<QString(const CardCount& card)>;

// The most drawn cards, most at the top, each bar upright then reversed;
// hovering a bar shows `hint`'s text. Nothing to chart: no chart.
BuiltChart MostDrawnChart(const JournalStatistics& statistics, const StatisticsWords& words,
                          const QLocale& locale, const CardHint& hint);
// The major and minor arcana and the suits: drawn against expected, a
// group more than chance marked by " *" after its name.
BuiltChart BalanceChart(const ArcanaBalance& balance, const StatisticsWords& words,
                        const QLocale& locale);
// Readings a period and the share of reversed cards (in %, the right axis).
BuiltChart PeriodsChart(const JournalStatistics& statistics, const StatisticsWords& words,
                        const QLocale& locale);
// The decks, description sets and layouts, with how many readings used each;
// `deckName` gives a deck folder's name to show.
BuiltChart UsesChart(const JournalStatistics& statistics, const StatisticsWords& words,
                     const QLocale& locale,
                     const std::function<QString(const std::string& folder)>& deckName);

}  // namespace vaticor
