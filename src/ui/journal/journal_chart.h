#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "languages/language_table.h"

class QAction;
class QChart;
class QChartView;
class QLabel;

namespace vaticor {

// A chart's numbers: a header row, then one row a bar or point; numbers
// written plainly ("12", "0.031"), names as they are.
using ChartNumbers = std::vector<std::vector<std::string>>;

// One chart of the journal's statistics: the chart, or a note in its place
// when there is nothing to count (no empty axes), a remark under it, and a
// right-click menu: the chart saved as PNG or SVG, its numbers copied
// (tab-separated, as a spreadsheet pastes them) or saved as CSV. A file
// that cannot be written shows its failure over the window.
class JournalChart : public QWidget {
  Q_OBJECT
 public:
  JournalChart(const QString& name, QWidget* parent);

  // Shows `chart` (owned from now; the one before goes) with its numbers.
  void SetChart(QChart* chart, ChartNumbers numbers);
  // Shows `note` instead of a chart; no numbers to save.
  void SetNote(const QString& note);
  // A line under the chart (plain text); empty: none.
  void SetRemark(const QString& remark);
  void ApplyLanguage(const TLanguageTable& languages);

  bool HasChart() const { return hasChart_; }
  QChartView* View() const { return view_; }
  const ChartNumbers& Numbers() const { return numbers_; }
  QString NoteText() const;
  // The numbers as the clipboard gets them.
  QString NumbersText() const;

  // The menu's commands, for the tests and the keys.
  QAction* SavePngAction() const { return savePng_; }
  QAction* SaveSvgAction() const { return saveSvg_; }
  QAction* CopyNumbersAction() const { return copyNumbers_; }
  QAction* SaveCsvAction() const { return saveCsv_; }

 private:
  // The chart's title, offered as the name of a file it is saved to.
  QString SuggestedName() const;
  void SavePng();
  void SaveSvg();
  void SaveCsv();
  void UpdateActions();

  QChartView* view_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* remark_ = nullptr;
  QAction* savePng_ = nullptr;
  QAction* saveSvg_ = nullptr;
  QAction* copyNumbers_ = nullptr;
  QAction* saveCsv_ = nullptr;
  ChartNumbers numbers_;
  bool hasChart_ = false;
};

}  // namespace vaticor
