#pragma once

#include <functional>

#include "core/main_window_geometry.h"
#include "ui/program_state.h"

class QWidget;

namespace vaticor {

class TCardRow;

// The main window's sizing rules (core/main_window_geometry.h) applied: the
// window's geometry, its card row's card width and the settings that record
// them ("VaticorForm.CardWidth", ".Height", ".Left"). Widths are pixels of
// the window; the card picture's size is the current deck's first card's,
// kept while a deck has no such picture.
class MainWindowSizing {
 public:
  // `layOut` lays the window's controls out after the card width changed;
  // `keepInShape` puts the skinned frame in shape after a resize.
  MainWindowSizing(QWidget& window, TCardRow& row, ProgramState& state,
                   std::function<void()> layOut, std::function<void()> keepInShape);

  // At creation: the stored sizes, held to this screen (a card width too
  // wide for three cards shrinks to fit), for the mode in use.
  void ApplyStoredSizes();
  // The current deck's picture proportions, for the automatic size.
  void TakeDeckPictureSize();

  // A mode switch: the new geometry, then `switched` (the window shows the
  // other mode's cards), then the geometry applied.
  void SwitchMode(int cardsAcross, const std::function<void()>& switched);
  // "Автоматическая настройка размера карты" on: the card size from the
  // screen and the picture; off: the screen's own card size.
  void ApplyAutoCardSize();
  void ApplyScreenCardSize();
  // The card width follows the window's height (a deck stepped to, the
  // window resized by its height with the automatic size on).
  void FitCardWidthToHeight();
  // The window resized by the user's hand, by its height or its width (from
  // its left edge when `fromLeft`).
  void ResizedVertically();
  void ResizedHorizontally(bool fromLeft);
  // The question window at `questionTop` (screen pixels): the window moves
  // up to sit right above it when they overlap; with `record`, the new top
  // is stored and the shift recorded ("QuestionForm.Shifted").
  void MoveAboveQuestion(int questionTop, bool record);
  // The question window (`questionHeight` high) turned off: a recorded
  // shift is undone, the window moving down by that height.
  void MoveBackDown(int questionHeight);
  // False while a fit to the height may leave the window past the screen's
  // right edge.
  bool ClampToScreenEdge() const { return clampToScreenEdge_; }

 private:
  int CardsAcross() const { return state_.INIData.ThreeCardsModeEnabled ? 3 : 1; }
  MainWindowState SizingState() const;
  void Apply(const MainSizing& sizing);
  void SetCardWidth(int width);

  QWidget& window_;
  TCardRow& row_;
  ProgramState& state_;
  std::function<void()> layOut_;
  std::function<void()> keepInShape_;
  int oneCardWidth_ = 0;
  int threeCardWidth_ = 0;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  bool clampToScreenEdge_ = true;
};

}  // namespace vaticor
