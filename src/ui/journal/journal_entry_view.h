#pragma once

#include <QLocale>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "languages/language_table.h"
#include "library/journal.h"
#include "ui/program_state.h"

class QAction;
class QCompleter;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace vaticor {

class JournalCards;

// The entry chosen in the journal window: its moment, its question
// (editable), its cards, its notes (plain text), its follow-up notes each
// with the moment it was added, its tags (words between commas, completed
// from the tags in use), and the window's commands on it as buttons.
//
// What the user types is saved without a save button: kSavePauseMs after
// the last change, and at once when a follow-up is added or when the
// window calls SaveNow (before another entry is shown, on hiding). Saving
// is the window's: the view signals save() with the entry as edited.
class JournalEntryView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSavePauseMs = 700;

  JournalEntryView(ProgramState& state, QWidget* parent);

  // The window's commands the view's buttons trigger.
  struct Commands {
    QAction* layAgain;
    QAction* remove;
    QAction* undo;
    QAction* addFollowUp;
  };
  void SetCommands(const Commands& commands);

  // Shows an entry, or none. An edit not yet saved is saved first.
  void Show(std::optional<JournalEntry> entry);
  // The entry shown, as edited; none when none is shown.
  const std::optional<JournalEntry>& Entry() const { return entry_; }
  // The entry shown was changed in the store (by this window or another
  // one): the controls take what differs. An edit not yet saved wins.
  void Refresh(const JournalEntry& stored);
  // Saves an edit not yet saved (signals save()).
  void SaveNow();
  // The follow-up typed, stamped with the moment now, added and saved.
  void AddFollowUp();
  // Editing on or off; `why` says why it is off (empty while on).
  void SetEditable(bool editable, const QString& why);
  void SetTagCompletions(const std::vector<std::string>& tags);
  void SetLocale(QLocale locale) { locale_ = std::move(locale); }
  void ApplyLanguage(const TLanguageTable& languages);
  JournalCards* Cards() const { return cards_; }

 signals:
  void save(const JournalEntry& entry);
  void cardClicked(int index);

 private:
  // The controls' texts into the entry; a save due after the pause.
  void Edited();
  void ShowTexts(const JournalEntry& entry);
  void ShowFollowUps(const JournalEntry& entry);
  void EnableControls();
  // The tags field's last word completed from the tags in use.
  void CompleteTag(const QString& text);

  ProgramState& state_;
  QLocale locale_;
  QString reversedMark_;
  std::optional<JournalEntry> entry_;
  bool pending_ = false;  // edited since the last save
  bool showing_ = false;  // the program fills the controls
  bool editable_ = false;
  QTimer saveTimer_;
  QLabel* moment_ = nullptr;
  QLabel* physical_ = nullptr;  // shown for a reading laid with a physical deck
  QLabel* questionCaption_ = nullptr;
  QLineEdit* question_ = nullptr;
  JournalCards* cards_ = nullptr;
  QLabel* notesCaption_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  QLabel* followUpsCaption_ = nullptr;
  QListWidget* followUps_ = nullptr;
  QLineEdit* followUpText_ = nullptr;
  QToolButton* addFollowUp_ = nullptr;
  QLabel* tagsCaption_ = nullptr;
  QLineEdit* tags_ = nullptr;
  QCompleter* tagCompleter_ = nullptr;
  QLabel* readOnly_ = nullptr;
  QToolButton* layAgain_ = nullptr;
  QToolButton* remove_ = nullptr;
  QToolButton* undo_ = nullptr;
};

// Tags as typed: the words between commas (NormaliseTags trims them).
std::vector<std::string> TagsOfText(const QString& text);
QString TextOfTags(const std::vector<std::string>& tags);

}  // namespace vaticor
