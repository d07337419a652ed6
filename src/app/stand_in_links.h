#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ui/main/window_links.h"
#include "ui/program_state.h"
#include "ui/stand_in_window.h"

namespace vaticor {

// The windows around the main window that are still to come, as plain
// windows with their final names: the main window's commands that reach
// them already work (show, hide, the question window's place, the log's
// lines in memory).
class StandInLinks : public CardViewerLink,
                     public ReadingLogLink,
                     public QuestionWindowLink,
                     public SpreadsWindowLink,
                     public FolderSelectLink {
 public:
  explicit StandInLinks(ProgramState& state);
  ~StandInLinks() override;
  // Creates the windows, in creation order.
  void CreateWindows();

  WindowLinks Links() { return {*this, *this, *this, *this, *this}; }
  // The windows in creation order, after the main window.
  std::vector<QWidget*> Windows() const;
  QWidget* Window(const QString& objectName) const;

  void ShowCardDescription(const std::string& title, int card, int section) override;
  void ShowViewer() override;
  bool IsViewerVisible() const override;
  void ShowCurrentCardAgain() override;

  void AddReading(const std::vector<int>& cards) override;
  int LineCount() const override { return static_cast<int>(lines_.size()); }
  int SelectedLine() const override { return selected_; }
  void SelectLine(int line) override { selected_ = line; }
  std::string LineText(int line) const override;
  void ShowSelectedReading() override {}
  void ShowLogWindow() override;

  bool IsQuestionVisible() const override;
  void SetQuestionVisible(bool visible) override;
  int QuestionTop() const override;
  int QuestionHeight() const override { return 40; }

  void ShowSpreads() override;
  void SetSpreadVisible() override;

  void ShowForMode(int mode) override;

 private:
  ProgramState& state_;
  std::vector<std::unique_ptr<StandInWindow>> windows_;
  std::vector<std::string> lines_;
  int selected_ = -1;
  std::string viewerTitle_;
};

}  // namespace vaticor
