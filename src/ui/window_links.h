#pragma once

#include <string>
#include <vector>

#include "core/chrome_geometry.h"
#include "library/journal.h"
#include "library/reading_log.h"
#include "ui/program_links.h"

namespace vaticor {

// How the windows reach each other. Each window implements the link of what
// it offers and is given the links of what it asks; no window sees another
// window's controls or menus. The program wires the windows; tests, fakes.

// What the other windows ask of the main window. As a ReadingDisplay it is
// where the log puts a logged reading back (mode first, then each card).
class MainWindowLink : public ReadingDisplay {
 public:
  virtual void ShowMainWindow() = 0;  // shown, raised and given the focus
  virtual void HideMainWindow() = 0;
  // The whole program goes to its taskbar button.
  virtual void MinimiseMainWindow() = 0;
  // True while the program can hide into its tray icon.
  virtual bool TrayIconActive() const = 0;
  // The draw of the main window's caption: cards drawn, shown and logged.
  virtual void Draw() = 0;
  // Opens the main menu at a point from the window's top-left, shown first.
  virtual void PopupMainMenuAt(int x, int y) = 0;
  // The question window turned off by its own close button or key: the
  // option clears, a main window moved up for it moves back down.
  virtual void QuestionWindowTurnedOff() = 0;
  // At start-up, with the question window shown at `questionTop`: the main
  // window moves up above it when they overlap (not stored as its place).
  virtual void MakeRoomAbove(int questionTop) = 0;
  // The title strip with the menu and spreads images, in screen pixels;
  // empty while the main window is not on show.
  virtual WindowRect TitleStripOnScreen() const = 0;
};

class CardViewerLink {
 public:
  virtual ~CardViewerLink() = default;
  // Loads the card's document from the current description set.
  virtual void ShowCardDescription(const std::string& title, int card, int section) = 0;
  // The same for a card at a spread's position that means `meaning` (plain
  // text), shown first above the document for as long as that card is.
  virtual void ShowCardAtPosition(const std::string& title, int card, int section,
                                  const std::string& meaning) = 0;
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
  // True for a date line ("[09.12.2026]"), which holds no reading.
  virtual bool IsDateLine(int line) const = 0;
  // Puts the reading of a line back into the main window.
  virtual void ShowSelectedReading() = 0;
  virtual void ShowLogWindow() = 0;
  virtual void ShowAndSelectLast() = 0;  // the window shown, the last line selected
  // Appends " " + the question to the selected line.
  virtual void AppendQuestionToSelected(const std::string& question) = 0;
  // Writes the whole log to its file (on closing, while
  // "QuestionsLog.Save.Enabled" is on); raises a failure the user is to see
  // when the file cannot be written.
  virtual void SaveLog() = 0;
};

class QuestionWindowLink {
 public:
  virtual ~QuestionWindowLink() = default;
  virtual bool IsQuestionVisible() const = 0;
  virtual void SetQuestionVisible(bool visible) = 0;
  virtual int QuestionTop() const = 0;
  virtual int QuestionHeight() const = 0;
  // Shows a logged question; the field is read-only until it is emptied.
  virtual void ShowLoggedQuestion(const std::string& question) = 0;
  virtual void ClearQuestion() = 0;  // emptied and editable again
  // The main window came back from its taskbar button.
  virtual void MainWindowRestored() = 0;
  // The question in the field (UTF-8); empty when none was typed.
  virtual std::string QuestionText() const = 0;
};

class SpreadsWindowLink {
 public:
  virtual ~SpreadsWindowLink() = default;
  virtual void ShowSpreads() = 0;
  virtual bool IsSpreadVisible() const = 0;
  virtual void SetSpreadVisible(bool visible) = 0;  // with its card windows
  virtual void GiveWayToMainWindow() = 0;           // as the face: hidden, the main window the face
  // A spread of the journal laid out again from its table (the card windows' places and
  // size, each card) in place of the cards in scope, shown; none without a table.
  virtual void LayRecordedSpread(const JournalEntry& entry) = 0;
};

// What the spreads window asks of the main window it stands in for.
class SpreadsHostLink {
 public:
  virtual ~SpreadsHostLink() = default;
  // Opens the main menu at a screen point, the main window left hidden.
  virtual void PopupMainMenuAtScreen(int x, int y) = 0;
  // Closes the main window, which ends the program (saving its settings).
  virtual void CloseMainWindow() = 0;
};

// What the spreads window is given.
struct SpreadsWindowLinks {
  MainWindowLink& main;
  CardViewerLink& viewer;
  QuestionWindowLink& question;
  SpreadsHostLink& host;
  ProgramFaceLink& face;
  ReadingEntryLink& readingEntry;  // its right-click menu's last entry
};

// What the journal window and the dialog of a reading entered by hand are
// given: where a reading is laid on the table, and the card viewer.
struct JournalWindowLinks {
  MainWindowLink& main;
  SpreadsWindowLink& spreads;
  QuestionWindowLink& question;
  CardViewerLink& viewer;
};

// What the folder-selection window is opened for.
enum class FolderMode { kAddDeck = 1, kAddDescriptionSet = 2 };

class FolderSelectLink {
 public:
  virtual ~FolderSelectLink() = default;
  virtual void ShowForMode(FolderMode mode) = 0;
};

// What the main window is given.
struct WindowLinks {
  CardViewerLink& viewer;
  ReadingLogLink& log;
  QuestionWindowLink& question;
  SpreadsWindowLink& spreads;
  FolderSelectLink& folders;
  LanguageMenuLink& languages;
  JournalWindowLink& journal;
  DayCardLink& dayCard;
  GalleryWindowLink& gallery;
  ReadingEntryLink& readingEntry;
};

}  // namespace vaticor
