#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "library/folder_import.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QFileSystemModel;
class QToolButton;
class QTreeView;

namespace vaticor {

class ResultPost;
class SkinChrome;
class TSkinImage;

// What the window asks of the disk, in two calls that may each wait for it:
// whether a folder offers an import (asked whenever the highlighted folder
// changes) and the import itself. The window calls both off its own thread;
// tests put slow, blocking or failing ones in.
struct FolderImportSystem {
  // Empty: OffersImport.
  std::function<bool(ImportMode, const std::string& folder, const std::string& targetFolder)>
      offers;
  // Empty: CheckImportTarget.
  std::function<ImportTargetName(const std::string& folder, const std::string& targetFolder)>
      targetName;
  // Empty: ImportFolder. `language` is the interface language's code
  // (InterfaceLanguageCode), for the names of a deck.ini made.
  std::function<ImportOutcome(
      ImportMode, const std::string& folder, const std::string& targetFolder, ImportPlacement,
      const ImportProgress&, const std::stop_token&, const std::string& language)>
      import;
  // The folder the tree opens at; empty: the user's home folder.
  std::string home;
};

// The folder-selection window: a small skinned window (161 x 227) with the
// folder tree of the whole disk, opened at the home folder. When the
// highlighted folder holds the mode's index file ("deck.ini" or
// "description.ini"), or for a deck pictures named by their cards (a
// deck.ini is then made, its names in the interface language), and is not
// one of the program's own (OffersImport), the bottom caption offers to add
// it; a click (or Enter or Space in the tree) copies
// the folder into the decks (or descriptions) folder and has the main window
// read its list again. A deck (or set) of that name installed, the user is
// asked first: replace it, add the new one beside ("Name (2)"), or cancel.
// Texts too wide for their strip are cut in the middle, whole in the hint.
//
// Nothing of this waits on the window's thread: the tree is listed by Qt's
// own thread, the offer is checked and the copy made on threads of the
// window's, and their answers come back in order (ResultPost). One import
// runs at a time; its progress ("12 / 78") is the bottom caption, the busy
// pointer is over the window, and closing the window lets it finish. The
// program's end stops it between two blocks: no file is left torn.
//
// Closing only hides the window; the tree keeps its highlighted folder.
class TFolderSelectForm : public QWidget, public FolderSelectLink {
  Q_OBJECT
 public:
  static constexpr int kWidth = 161;
  static constexpr int kHeight = 227;

  // Hidden until ShowForMode. `main` is shown by the window's icon; `lists`
  // reads the deck list or the description sets again after an import.
  TFolderSelectForm(ProgramState& state, MainWindowLink& main, InstalledListsLink& lists,
                    FolderImportSystem system = {}, QWidget* parent = nullptr);
  ~TFolderSelectForm() override;

  // Sets the mode, clears the last import's result, shows the mode's title
  // and prompt, and shows the window.
  void ShowForMode(FolderMode mode) override;

  // Whether an import is running (the select area does nothing meanwhile).
  bool Importing() const { return importing_; }

  // The title and the prompt from the interface language (a result or a
  // progress on show stays).
  void ApplyLanguage();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateTree();

  // --- Commands ---
  // The select area's click: imports the highlighted folder, or after an
  // import's result, the prompt again.
  void ImportHighlighted();
  void FolderHighlighted();
  void RunTreeKey(int virtualKey);

  // Shows or hides the bottom caption and the select area for the
  // highlighted folder: hidden at once, shown when the check answers (and
  // it is still the question).
  void UpdateSelectButton();
  void ShowSelectArea(bool shown);
  // Both caption labels get `text`, centred on the window.
  void SetStatusCaption(const QString& text);

  // Checks the target's name off the window's thread, asks when it is taken,
  // and copies; with `placement` given, copies at once.
  void StartImport(const std::string& folder, std::optional<ImportPlacement> placement = {});
  void AskPlacement(ImportMode mode, const std::string& folder, const ImportTargetName& name);
  // Keeps the highlighted folder's name in view across.
  void ScrollToHighlighted();
  void ShowProgress(std::int32_t done, std::int32_t total);
  void FinishImport(ImportMode mode, const ImportOutcome& outcome);

  ImportMode Mode() const;
  std::string SelectedFolder() const;
  std::string TargetFolder(ImportMode mode) const;
  QString Title() const;
  QString Prompt() const;
  QString Result(ImportMode mode) const;

  ProgramState& state_;
  MainWindowLink& main_;
  InstalledListsLink& lists_;
  FolderImportSystem system_;
  std::unique_ptr<SkinChrome> chrome_;
  std::shared_ptr<ResultPost> post_;

  FolderMode mode_ = FolderMode::kAddDeck;
  bool done_ = false;
  bool importing_ = false;
  bool offered_ = false;  // the check's answer for the highlighted folder
  // While the home folder is kept in view at the first opening.
  bool keepHomeInView_ = true;
  // Counts the checks asked: an answer to an older one is stale.
  std::uint64_t checks_ = 0;

  // Controls: the title strip (its icon "Image1" shows the main window,
  // its title "Label4" over the shadow "Label3"), the bottom caption
  // ("Label2" over its shadow "Label1") and by the layout's names the rest.
  TitleStrip strip_;
  QTreeView* ShellTreeView1 = nullptr;
  QFileSystemModel* folders_ = nullptr;
  CaptionPair caption_;
  QToolButton* SpeedButton1 = nullptr;

  // Last: it ends (stopped and joined) before anything it reports to.
  std::jthread copier_;
};

}  // namespace vaticor
