#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_links.h"

class QMenu;

namespace vaticor {

class CommandSet;
class SkinChrome;
class TSkinImage;

// The deck-groups window: a small toolbar (228 x 52) with one icon per deck
// group, at most seven; the current group's icon is drawn as selected.
// While it is shown, the spreads window's commands act on the current
// group's card windows only. Closing it only hides it: the groups, the
// current group and the card windows' groups survive. Groups are never
// removed.
class TDeckGroupsForm : public QWidget, public DeckGroupsWindowLink {
  Q_OBJECT
 public:
  static constexpr int kMaxGroups = SpreadTable::kMaxGroups;
  static constexpr int kWidth = 228;
  static constexpr int kHeight = 52;
  static constexpr int kIcon = 32;

  // Hidden, without groups, at its saved place. The groups are the
  // spread's table's.
  TDeckGroupsForm(ProgramState& state, DeckGroupsTableLink& spread, QWidget* parent = nullptr);
  ~TDeckGroupsForm() override;
  // Its menu and hints in the interface language.
  void ApplyLanguage();

  int GroupCount() const { return spread_.Table().GroupCount(); }
  int CurrentGroup() const { return spread_.Table().CurrentGroup(); }

  // --- What the spreads window asks (DeckGroupsWindowLink) ---
  void AddGroup() override;
  void SelectGroup(int group) override;
  void OpenGroups() override;
  void CloseGroups() override;
  bool MoveMode() const override { return moveMode_; }
  void EndMoveMode() override { moveMode_ = false; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The title strip's "Свернуть": hidden with a tray icon to hide in, else
  // the spread goes to the taskbar button.
  void HideGroups();

  void CreateCommands();
  void CreateControls();
  // The icon of a group; null past the last.
  TSkinImage* GroupImage(int group) const;
  // Each icon's hint, which names it to a screen reader: "Группа <n>".
  void NameGroupImages();

  ProgramState& state_;
  DeckGroupsTableLink& spread_;
  std::unique_ptr<SkinChrome> chrome_;
  bool moveMode_ = false;
  CommandSet* commands_ = nullptr;  // a child of the window

  // Controls: the title strip with its underline, the rest by the
  // layout's names.
  TitleStrip strip_;
  TSkinImage* Image2 = nullptr;  // the selected icon's picture, hidden
  TSkinImage* Image3 = nullptr;  // the unselected icon's picture, hidden
  QMenu* PopupMenu1 = nullptr;
  std::vector<TSkinImage*> GroupImages;  // children of the window
};

}  // namespace vaticor
