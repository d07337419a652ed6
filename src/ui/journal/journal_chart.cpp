#include "ui/journal/journal_chart.h"

#include <QAbstractAxis>
#include <QAction>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLegend>
#include <QPainter>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "core/file_io.h"
#include "core/user_failure.h"
#include "library/journal_export.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/file_choice.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/skin_style.h"

namespace vaticor {

JournalChart::JournalChart(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  view_ = new QChartView(this);
  view_->setObjectName(name + "View");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setFrameShape(QFrame::NoFrame);
  view_->setBackgroundBrush(SkinListBase());
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  note_ = new QLabel(this);
  note_->setObjectName(name + "Note");
  note_->setTextFormat(Qt::PlainText);
  note_->setAlignment(Qt::AlignCenter);
  note_->setWordWrap(true);
  note_->hide();
  remark_ = new QLabel(this);
  remark_->setObjectName(name + "Remark");
  remark_->setTextFormat(Qt::PlainText);
  remark_->setWordWrap(true);
  remark_->hide();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(view_, 1);
  column->addWidget(note_, 1);
  column->addWidget(remark_);

  savePng_ = new QAction(this);
  saveSvg_ = new QAction(this);
  copyNumbers_ = new QAction(this);
  saveCsv_ = new QAction(this);
  for (QAction* action : {savePng_, saveSvg_, copyNumbers_, saveCsv_}) view_->addAction(action);
  ConnectCommand(savePng_, &QAction::triggered, this, [this] { SavePng(); });
  ConnectCommand(saveSvg_, &QAction::triggered, this, [this] { SaveSvg(); });
  ConnectCommand(saveCsv_, &QAction::triggered, this, [this] { SaveCsv(); });
  ConnectCommand(copyNumbers_, &QAction::triggered, this,
                 [this] { QGuiApplication::clipboard()->setText(NumbersText()); });
  UpdateActions();
}

void JournalChart::SetChart(QChart* chart, ChartNumbers numbers) {
  // The window's font (the skin's size): the chart's own is larger, and
  // twenty cards' names would not fit their bars' height.
  const QFont text = font();
  QFont title = text;
  title.setBold(true);
  chart->setTitleFont(title);
  chart->legend()->setFont(text);
  for (QAbstractAxis* axis : chart->axes()) axis->setLabelsFont(text);
  QChart* old = view_->chart();
  view_->setChart(chart);
  // The view made a chart of its own at the start; either goes now.
  delete old;
  numbers_ = std::move(numbers);
  hasChart_ = true;
  note_->hide();
  view_->show();
  UpdateActions();
}

void JournalChart::SetNote(const QString& note) {
  numbers_.clear();
  hasChart_ = false;
  note_->setText(note);
  view_->hide();
  note_->show();
  SetRemark({});
  UpdateActions();
}

void JournalChart::SetRemark(const QString& remark) {
  remark_->setText(remark);
  remark_->setVisible(!remark.isEmpty());
}

QString JournalChart::NoteText() const {
  return note_->isVisibleTo(this) ? note_->text() : QString();
}

void JournalChart::ApplyLanguage(const TLanguageTable& languages) {
  savePng_->setText(JournalText(languages, "SavePng", "Сохранить как PNG..."));
  saveSvg_->setText(JournalText(languages, "SaveSvg", "Сохранить как SVG..."));
  copyNumbers_->setText(JournalText(languages, "CopyNumbers", "Копировать числа"));
  saveCsv_->setText(JournalText(languages, "SaveCsv", "Сохранить числа как CSV..."));
}

void JournalChart::UpdateActions() {
  for (QAction* action : {savePng_, saveSvg_, copyNumbers_, saveCsv_})
    action->setEnabled(hasChart_);
}

QString JournalChart::NumbersText() const {
  QString text;
  for (const std::vector<std::string>& row : numbers_) {
    QStringList fields;
    for (const std::string& field : row) {
      // A tab or a line break inside a name would split its cell.
      QString cell = QString::fromStdString(field);
      for (QChar& c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
      }
      fields << cell;
    }
    text += fields.join(u'\t') + u'\n';
  }
  return text;
}

QString JournalChart::SuggestedName() const {
  return view_->chart() ? view_->chart()->title() : QString();
}

void JournalChart::SavePng() {
  const std::string path =
      ChooseFile(window(), true, QStringLiteral("PNG (*.png)"), "png", SuggestedName());
  if (path.empty()) return;
  // As it shows.
  WritePngFile(view_->grab().toImage(), path);
}

void JournalChart::SaveSvg() {
  const std::string path =
      ChooseFile(window(), true, QStringLiteral("SVG (*.svg)"), "svg", SuggestedName());
  if (path.empty()) return;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QSize size = view_->size();
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(view_->chart()->title());
  QPainter painter(&svg);
  // Drawn from the scene: lines and text stay lines and text.
  view_->scene()->render(&painter, QRectF(QPoint(0, 0), size), view_->sceneRect());
  painter.end();
  if (!WriteFileAtomically(
          path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    throw WriteFailure(path);
  }
}

void JournalChart::SaveCsv() {
  const std::string path =
      ChooseFile(window(), true, QStringLiteral("CSV (*.csv)"), "csv", SuggestedName());
  if (path.empty()) return;
  if (!WriteFileAtomically(path, CsvTable(numbers_))) throw WriteFailure(path);
}

}  // namespace vaticor
