#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "library/reading_log.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QListView;
class QMenu;

namespace vaticor {

class ReadingLogModel;
class ResultPost;
class SkinChrome;

// Where the log window takes the time and its file from. The defaults are
// the system clock, the user's date and time formats and "Vaticor.Log" in
// the current working directory.
struct LogWindowSetup {
  const LocalClock* clock = nullptr;
  const DateTimeFormat* format = nullptr;
  std::string path = kReadingLogFileName;
  // The file is read on a thread of its own, so that a log of years does
  // not hold up the main window; without it, in the constructor.
  bool readInBackground = false;
};

// The reading-log window: the list of past readings (date lines and one
// line per draw). Selecting a reading puts its question into the question
// window; "Показать...", a double click or Enter puts its cards back on the
// main window. The log lives for the whole run whether the window is shown
// or not; closing the window only hides it.
class TQuestionLogForm : public QWidget, public ReadingLogLink {
  Q_OBJECT
 public:
  // Loads the log file (when there is one) and adds today's date line. The
  // window starts hidden.
  //
  // Read in the background, the file's lines arrive later, on this thread.
  // Until then a reading (and the date line) waits to go after them, and
  // everything else that needs the lines (their count or text, selecting,
  // saving, showing the window) first waits for the file, so the log is
  // always the one a read at once would give.
  TQuestionLogForm(ProgramState& state, MainWindowLink& main, LogWindowSetup setup = {},
                   QWidget* parent = nullptr);
  ~TQuestionLogForm() override;

  // --- What the main window asks of the log ---
  void AddReading(const std::vector<int>& cards) override;
  int LineCount() const override;
  int SelectedLine() const override;  // -1 when none
  // Selects a line (and scrolls to it) without the effects of a click; a
  // line outside the log clears the selection.
  void SelectLine(int line) override;
  std::string LineText(int line) const override;
  bool IsDateLine(int line) const override;
  void ShowSelectedReading() override;
  void ShowLogWindow() override;
  void SaveLog() override;

  // --- What the question window asks of the log ---
  // The question window that logged questions go to (the program attaches
  // it once it exists; until then logged questions go nowhere).
  void SetQuestionWindow(QuestionWindowLink* question) { question_ = question; }

  // The file's lines are in (at once when read in the constructor).
  bool LogLoaded() const { return !log_.Loading(); }
  // Waits for the file, if it is still being read, and puts its lines in.
  void FinishReading() const;
  void AppendQuestionToSelected(const std::string& question) override;
  void ShowAndSelectLast() override;

  // Captions and hints from the interface language (built-in Russian where
  // it has none).
  void ApplyLanguage();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // --- Commands ---
  // The selected reading's question into the question window (a click or
  // a move in the list).
  void PutSelectedQuestion();
  // "Очистить список": the log emptied but for today's date line.
  void ClearLog();
  // Keys released in the window, and in the list after them.
  void RunWindowKey(int virtualKey);
  void RunListKey(int virtualKey);
  // The window came to the front: the selected reading's question again.
  void PutQuestionOnActivation();
  // Places the frame, the list and the caption for the window's size (also
  // after a change of interface language).
  void LayOut();
  // Today's date line, unless the log ends on it.
  void AddDateLine();

  // Controls: the title strip (strip_), the sizing frame and the caption
  // on its bottom bar, and by the layout's names the rest.
  SizingFrame frame_;
  CaptionPair caption_;
  QListView* ListBox1 = nullptr;
  QMenu* PopupMenu1 = nullptr;

  void CreateControls();
  // Step 6 of showing a reading: the line's question into the question
  // window (or the field emptied while the question window is off).
  void PutQuestion(const std::string& line);
  void EmptyQuestion();

  ProgramState& state_;
  MainWindowLink& main_;
  bool firstShown_ = false;
  std::unique_ptr<LocalClock> ownClock_;
  std::unique_ptr<DateTimeFormat> ownFormat_;
  std::string path_;
  ReadingLog log_;
  ReadingLogModel* model_ = nullptr;  // the window's child
  std::unique_ptr<SkinChrome> chrome_;
  TitleStrip strip_;
  QuestionWindowLink* question_ = nullptr;
  bool selecting_ = false;  // a selection made by the program, not the user

  // The file read in the background: what the reader leaves (touched only
  // after it is joined) and the way it says it is done.
  void StartReading();
  std::shared_ptr<ResultPost> post_;
  std::shared_ptr<LogFileText> arrival_;
  mutable std::jthread reader_;
};

}  // namespace vaticor
