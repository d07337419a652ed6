#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace vaticor {

// What the program itself (app/program.h) and its owners, not a window,
// offer the windows.

// The lists of installed decks and description sets, read again after the
// folder-selection window added one (ContentSelection::ReloadDecks): the
// deck (set) in use stays in use (found by its folder: a new one may sort
// before it), and a program that had none takes the first and shows it at
// once.
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

// The reading journal's window, made at its first showing (the journal
// opened first when that has not happened yet).
class JournalWindowLink {
 public:
  virtual ~JournalWindowLink() = default;
  virtual void ShowJournal() = 0;  // shown, raised and given the focus
  // Shown as ShowJournal, the entry of that id chosen on its entries' page.
  virtual void ShowJournalEntry(std::int64_t id) = 0;
};

// The card gallery's window, made at its first showing.
class GalleryWindowLink {
 public:
  virtual ~GalleryWindowLink() = default;
  virtual void ShowGallery() = 0;  // shown, raised and given the focus
};

// The card of the day (ui/day_card_keeper.h), kept by the program.
class DayCardLink {
 public:
  virtual ~DayCardLink() = default;
  // Today's card shown alone in the main window, which is shown; drawn and
  // recorded in the journal the first time of the day.
  virtual void ShowDayCard() = 0;
};

// The dialog in which a reading laid out with a physical deck is entered
// (ui/reading_entry), made at its first showing.
class ReadingEntryLink {
 public:
  virtual ~ReadingEntryLink() = default;
  // Shown, raised and given the focus, the spread file of `spreadPath`
  // chosen as the layout when it is not empty.
  virtual void EnterReading(const std::string& spreadPath) = 0;
};

// Which window stands for the program: the main window, or the spreads
// window while the main window stays hidden. The one owner of that choice,
// of the tray icon and of the taskbar-button rule (ProgramFace).
class ProgramFaceLink {
 public:
  virtual ~ProgramFaceLink() = default;
  virtual bool SpreadsAreFace() const = 0;
  // The spreads window becomes the face and shows; the main window hides.
  virtual void ShowSpreadsAsFace() = 0;
  // The main window shows as the face again (with the question window in use).
  virtual void ShowMainWindowAsFace() = 0;
  // A face window came to the front: with the taskbar button off (and a
  // tray to hide in) its taskbar button goes and the tray icon shows.
  virtual void FaceActivated(QWidget* window) = 0;
};

}  // namespace vaticor
