#pragma once

#include <string>
#include <vector>

#include "core/chrome_geometry.h"
#include "library/reading_log.h"

class QWidget;

namespace vaticor {

// How the windows reach each other. Each window implements the link of what
// it offers and is given the links of what it asks; no window sees another
// window's controls or menus. The program wires the real windows in (with
// stand-ins for windows still to come); tests wire fakes.

// What the other windows ask of the main window. As a ReadingDisplay it is
// where the log puts a logged reading back (mode first, then each card).
class MainWindowLink : public ReadingDisplay {
 public:
  // Shown, raised and given the focus.
  virtual void ShowMainWindow() = 0;
  virtual void HideMainWindow() = 0;
  // The whole program goes to its taskbar button.
  virtual void MinimiseMainWindow() = 0;
  // True while the program can hide into its tray icon.
  virtual bool TrayIconActive() const = 0;
  // The draw of the main window's caption: cards drawn, shown and logged.
  virtual void Draw() = 0;
  // Opens the main menu at a point given from the main window's top-left
  // corner, showing the main window first.
  virtual void PopupMainMenuAt(int x, int y) = 0;
  // The question window was turned off by its own close button or key: the
  // option is cleared, and a main window moved up for it moves back down.
  virtual void QuestionWindowTurnedOff() = 0;
  // At start-up, with the question window shown at `questionTop`: the main
  // window moves up above it when they overlap, without that move being
  // recorded as the window's place.
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
  // The same for a card lying at a position of a spread that means
  // `meaning` (plain text): the position's meaning comes first, marked as
  // such, above the card's document, for as long as that card is shown.
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
  // True for a date line ("[09.12.2026]"), which holds no reading to put
  // back.
  virtual bool IsDateLine(int line) const = 0;
  // Puts the reading of a line back into the main window.
  virtual void ShowSelectedReading() = 0;
  virtual void ShowLogWindow() = 0;
  // Shows the window and selects the last line.
  virtual void ShowAndSelectLast() = 0;
  // Appends " " + the question to the selected line.
  virtual void AppendQuestionToSelected(const std::string& question) = 0;
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
  // Shows a logged question; the field is read-only until it is emptied.
  virtual void ShowLoggedQuestion(const std::string& question) = 0;
  // Empties the field and makes it editable again.
  virtual void ClearQuestion() = 0;
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
  // Shows or hides the spreads window with its card windows.
  virtual void SetSpreadVisible(bool visible) = 0;
};

// Which window stands for the program: the main window, or the spreads
// window while the main window stays hidden. The one owner of that choice,
// of the tray icon and of the taskbar-button rule (ProgramFace).
class ProgramFaceLink {
 public:
  virtual ~ProgramFaceLink() = default;
  virtual bool SpreadsAreFace() const = 0;
  // The spreads window becomes the face: the question window and the main
  // window hide, the spreads window shows.
  virtual void ShowSpreadsAsFace() = 0;
  // The main window becomes the face again and shows, with the question
  // window when it is in use.
  virtual void ShowMainWindowAsFace() = 0;
  // A face window came to the front: with the taskbar button off (and a
  // tray to hide in) its taskbar button goes and the tray icon shows.
  virtual void FaceActivated(QWidget* window) = 0;
};

// What the spreads window asks of the main window while it stands in for
// it.
class SpreadsHostLink {
 public:
  virtual ~SpreadsHostLink() = default;
  // Opens the main menu with its top-left corner at a screen point, leaving
  // the main window as it is (hidden).
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
};

// What the folder-selection window is opened for.
enum class FolderMode {
  kAddDeck = 1,
  kAddDescriptionSet = 2,
};

class FolderSelectLink {
 public:
  virtual ~FolderSelectLink() = default;
  virtual void ShowForMode(FolderMode mode) = 0;
};

// The lists of installed decks and description sets, read
// again after the folder-selection window added one: the submenu is built
// anew, the deck (set) in use stays in use (found by its folder: a new one
// may sort before it), and a program that had none takes the first and
// shows it at once.
class InstalledListsLink {
 public:
  virtual ~InstalledListsLink() = default;
  virtual void RebuildDeckMenu() = 0;
  virtual void RebuildDescriptionMenu() = 0;
};

// The interface language, chosen from the main window's language submenu.
class LanguageMenuLink {
 public:
  virtual ~LanguageMenuLink() = default;
  // Position 0 is "[rus] Русский", position i + 1 the i-th language file.
  // The texts of every window change; the submenu's check mark moves.
  virtual void ChooseLanguage(int position) = 0;
};

// What the main window is given.
struct WindowLinks {
  CardViewerLink& viewer;
  ReadingLogLink& log;
  QuestionWindowLink& question;
  SpreadsWindowLink& spreads;
  FolderSelectLink& folders;
  LanguageMenuLink& languages;
};

}  // namespace vaticor
