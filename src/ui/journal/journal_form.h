#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "library/journal.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabBar;

namespace vaticor {

class CommandSet;
class JournalEntryView;
class JournalFilterBar;
class JournalListModel;
class JournalCalendar;
class JournalStatisticsPage;
class SkinChrome;

// The reading journal's window, in pages: the entries newest first, grouped by day,
// filtered as the user types and by tag, card and dates; the entry chosen
// with its cards, notes (saved as typed), follow-ups and tags; deleting
// with an undo; and a recorded reading laid on the table again (a draw in
// the main window, a spread in the spreads window). The statistics page
// counts what the list shows (its filter); an entry chosen there is chosen
// on the entries' page.
//
// It reads the journal through the program's JournalKeeper and writes
// through it alone, and follows its announcements: a change made anywhere
// shows here. While the journal is not open or can only be read, editing
// is off and the window says why. The window starts hidden; closing it
// only hides it.
class TJournalForm : public QWidget, public JournalWindowLink {
  Q_OBJECT
 public:
  TJournalForm(ProgramState& state, JournalWindowLinks links, QWidget* parent = nullptr);
  ~TJournalForm() override;

  // Shown, in front, the list read again when the journal changed while
  // hidden, the first entry chosen when none is.
  void ShowJournal() override;
  // Shown, the entry chosen on the entries' page.
  void ShowJournalEntry(std::int64_t id) override;
  // Captions, hints and the dates' language from the interface language.
  void ApplyLanguage();
  // What was typed and not yet saved (a pause not yet over) saved now:
  // hiding the window does it; the program calls it before it ends. A
  // write that fails is shown over the window, as every save is.
  void SaveEdits();

  // The window's commands, each one QAction shown by the window's menu
  // (JournalMenu: the menu image of its title strip, and a right click on
  // the list). A command the program adds here (the journal's export,
  // backup, restore) is added to the set and to the menu, after its
  // separator; its failure shows over the window (RunCommand).
  CommandSet& Commands() { return *commands_; }
  QMenu* JournalMenu() const { return menu_; }
  // What the list shows now: the filter an export of the list takes.
  JournalFilter CurrentFilter() const;
  // The entry chosen; none when none is.
  std::optional<std::int64_t> ChosenEntry() const;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  // --- Commands ---
  // In the deck the reading was recorded with, made the deck in use; in the
  // deck in use as it stands when that deck is gone or not known.
  void LayAgain();
  // In the deck in use, each card made its card of the same identity.
  void LayInCurrentDeck();
  void DeleteChosen();
  void UndoDelete();
  void AddFollowUp();
  void DescribeCard(int index);
  void Save(const JournalEntry& entry);

  // --- Following the journal ---
  void JournalOpened();
  void EntryAdded(std::int64_t id);
  void EntryChanged(std::int64_t id);
  void EntryRemoved(std::int64_t id);
  // The list read again with the filter the bar shows.
  void Refilter();
  // Read again now when on show, else when next shown.
  void ReloadWhenShown();
  void Choose(std::int64_t id);
  // The entries' page on show, the entry chosen.
  void ShowEntry(std::int64_t id);
  void RowChosen(int row);
  void RefreshTags();
  void UpdateCommands();
  void UpdateEmptyNote();

  void CreateControls();
  void CreateCommands();
  void LayOut();

  ProgramState& state_;
  JournalWindowLinks links_;
  SizingFrame frame_;
  CaptionPair caption_;
  TitleStrip strip_;
  std::unique_ptr<SkinChrome> chrome_;
  CommandSet* commands_ = nullptr;
  QMenu* menu_ = nullptr;
  QWidget* content_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  JournalStatisticsPage* statistics_ = nullptr;
  JournalCalendar* calendar_ = nullptr;
  QSplitter* splitter_ = nullptr;
  JournalFilterBar* filters_ = nullptr;
  QListView* list_ = nullptr;
  QLabel* emptyNote_ = nullptr;
  JournalListModel* model_ = nullptr;
  JournalEntryView* view_ = nullptr;
  QString title_;
  bool firstShown_ = false;
  bool stale_ = false;  // the journal changed while the window was hidden
  // The entry deleted last, for its undo.
  std::optional<JournalEntry> removed_;
};

}  // namespace vaticor
