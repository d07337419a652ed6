#pragma once

#include <string>
#include <vector>

namespace vaticor {

// What the main window asks of the windows around it. The program wires the
// real windows in; tests wire fakes.

class CardViewerLink {
 public:
  virtual ~CardViewerLink() = default;
  // Loads the card's document from the current description set.
  virtual void ShowCardDescription(const std::string& title, int card, int section) = 0;
  virtual void ShowViewer() = 0;
  virtual bool IsViewerVisible() const = 0;
  // Shows the card it shows again (after the description set changed).
  virtual void ShowCurrentCardAgain() = 0;
};

class ReadingLogLink {
 public:
  virtual ~ReadingLogLink() = default;
  // Appends a reading of the given signed card values.
  virtual void AddReading(const std::vector<int>& cards) = 0;
  virtual int LineCount() const = 0;
  virtual int SelectedLine() const = 0;  // -1 when none
  virtual void SelectLine(int line) = 0;
  virtual std::string LineText(int line) const = 0;
  // Puts the reading of a line back into the main window.
  virtual void ShowSelectedReading() = 0;
  virtual void ShowLogWindow() = 0;
  // Writes the whole log to its file (the main window calls it on closing
  // while "QuestionsLog.Save.Enabled" is on); raises an exception whose
  // message the user is to see when the file cannot be written.
  virtual void SaveLog() = 0;
};

class QuestionWindowLink {
 public:
  virtual ~QuestionWindowLink() = default;
  virtual bool IsQuestionVisible() const = 0;
  virtual void SetQuestionVisible(bool visible) = 0;
  virtual int QuestionTop() const = 0;
  virtual int QuestionHeight() const = 0;
};

class SpreadsWindowLink {
 public:
  virtual ~SpreadsWindowLink() = default;
  virtual void ShowSpreads() = 0;
  // Shows the spreads window when hidden, hides it when visible.
  virtual void SetSpreadVisible() = 0;
};

class FolderSelectLink {
 public:
  virtual ~FolderSelectLink() = default;
  // 1: add a deck, 2: add a description set.
  virtual void ShowForMode(int mode) = 0;
};

struct WindowLinks {
  CardViewerLink& viewer;
  ReadingLogLink& log;
  QuestionWindowLink& question;
  SpreadsWindowLink& spreads;
  FolderSelectLink& folders;
};

}  // namespace vaticor
