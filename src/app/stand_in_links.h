#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ui/program_state.h"
#include "ui/stand_in_window.h"
#include "ui/window_links.h"

namespace vaticor {

// What the main window reaches of the other windows. The main window is
// created first, so it is given these links before the windows they lead to
// exist: the viewer, the log, the question window and the spreads window are
// attached as they are created. The folder-selection window, still to come,
// is a plain stand-in window with its final name, so the commands that show
// it already work.
class StandInLinks : public CardViewerLink,
                     public ReadingLogLink,
                     public QuestionWindowLink,
                     public SpreadsWindowLink,
                     public FolderSelectLink {
 public:
  StandInLinks();
  ~StandInLinks() override;

  void Attach(CardViewerLink& viewer) { viewer_ = &viewer; }
  void Attach(ReadingLogLink& log) { log_ = &log; }
  void Attach(QuestionWindowLink& question) { question_ = &question; }
  void Attach(SpreadsWindowLink& spreads) { spreads_ = &spreads; }
  // Creates the stand-in windows, in creation order.
  void CreateWindows();

  // What the main window is given; the language submenu leads to `languages`.
  WindowLinks Links(LanguageMenuLink& languages) {
    return {*this, *this, *this, *this, *this, languages};
  }
  // The stand-in windows in creation order.
  std::vector<QWidget*> Windows() const;
  QWidget* Window(const QString& objectName) const;

  void ShowCardDescription(const std::string& title, int card, int section) override;
  void ShowViewer() override;
  bool IsViewerVisible() const override;
  void ShowCurrentCardAgain() override;

  void AddReading(const std::vector<int>& cards) override;
  int LineCount() const override;
  int SelectedLine() const override;
  void SelectLine(int line) override;
  std::string LineText(int line) const override;
  bool IsDateLine(int line) const override;
  void ShowSelectedReading() override;
  void ShowLogWindow() override;
  void ShowAndSelectLast() override;
  void AppendQuestionToSelected(const std::string& question) override;
  void SaveLog() override;

  bool IsQuestionVisible() const override;
  void SetQuestionVisible(bool visible) override;
  int QuestionTop() const override;
  int QuestionHeight() const override;
  void ShowLoggedQuestion(const std::string& question) override;
  void ClearQuestion() override;
  void MainWindowRestored() override;

  void ShowSpreads() override;
  bool IsSpreadVisible() const override;
  void SetSpreadVisible(bool visible) override;

  void ShowForMode(FolderMode mode) override;

 private:
  CardViewerLink* viewer_ = nullptr;
  ReadingLogLink* log_ = nullptr;
  QuestionWindowLink* question_ = nullptr;
  SpreadsWindowLink* spreads_ = nullptr;
  std::vector<std::unique_ptr<StandInWindow>> windows_;
};

}  // namespace vaticor
