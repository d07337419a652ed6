#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/spread_geometry.h"
#include "library/spread_table.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_links.h"
#include "ui/window_links.h"

class QMenu;

namespace vaticor {

class CommandSet;
class SkinChrome;
class TCardImage;
class TSkinImage;
class WindowPlaceKeeper;

// One card of a spread: a borderless window on the sky-blue ground with
// 2-pixel edges, the card's picture stretched over the rest, upright or
// turned by 180 degrees, or nothing (an empty position or a face-down card).
// The spreads window creates and owns it and keeps it in its list; the card
// window knows its place there (Tag) and its deck group.
//
// Dragging the picture moves the window (with Ctrl, every card window in
// the spread commands' scope); dragging the right or bottom edge resizes it
// and every other card window; keys move and size it; its menu views the
// card's description, chooses another card, or closes it.
//
// The picture is decoded at the size it is shown and only that is kept:
// while a size changes it is stretched, and decoded afresh a moment after
// the last change.
class TCardForm : public QWidget, public CardWindowLink {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 104;
  static constexpr int kDesignHeight = 173;
  static constexpr int kEdge = 2;

  // The window of card `card` of the spread's table.
  TCardForm(ProgramState& state, CardTableLink& table, CardViewerLink& viewer,
            SpreadTable::CardId card);
  ~TCardForm() override;
  // Its menu in the interface language.
  void ApplyLanguage();

  // Its deck group.
  int GroupIndex() const;
  // What the card's position means (from the spread file); empty for none.
  std::string PositionMeaning() const;
  // The hint as set on the picture (wrapped so that it shows as plain text).
  QString PositionHint() const;

  // --- What the spreads window asks (CardWindowLink) ---
  int Tag() const override;
  std::int32_t CardValue() const override;
  void ShowValue(std::int32_t value, bool decodeLater = false) override;
  bool ShowsPicture() const override;
  bool RequestPendingPicture(double rank) override;
  bool AwaitsPicture() const override;
  void RemovePicture() override;
  void ShowFace(int place, const std::string& meaning) override;
  void SetPositionHint(const std::string& text) override;
  CardSize Size() const override { return {width(), height()}; }
  void SetCardSize(CardSize size) override;
  CardPlace Place() const override;
  void SetPlace(CardPlace place) override;
  void MoveBy(int dx, int dy) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The desktop's close (Alt+F4) is "Закрыть".
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- Commands ---
  // The menu's check mark moves to the card shown.
  void MarkShownCard();
  void ViewDescription();     // "Просмотреть описание"
  void ChooseCard(int card);  // an entry of "Выбрать карту"
  // Shift+arrow: one pixel narrower, wider, shorter or taller.
  void ResizeByArrow(ArrowKey arrow);
  // An arrow: one pixel, or 16 with `far` (Ctrl alone), held on the screen.
  void MoveByArrow(ArrowKey arrow, bool far);
  void FitToScreenHeight();  // "="
  void ScreenSizedCards();   // "\"
  // Edge drags by a displacement in screen pixels.
  void RightEdgeStep(int dx);
  void BottomEdgeStep(int dy);

  void CreateControls();
  void CreateCommands();
  void CreateMenu();
  void LayOut();
  // The choose-card submenu from the current deck's names.
  void FillChooseMenu();
  bool CardImageMouse(QEvent* event);
  // The picture named for screen readers after the card it shows and its
  // turn, described by the position's meaning (SpeakCard).
  void Speak();

  ProgramState& state_;
  CardTableLink& table_;
  CardViewerLink& viewer_;
  const SpreadTable::CardId id_;
  CommandSet* commands_ = nullptr;  // a child of the window

  // Controls by the layout's names.
  TSkinImage* Image6 = nullptr;  // top edge
  TSkinImage* Image7 = nullptr;  // left edge
  TSkinImage* Image8 = nullptr;  // bottom edge: resizes the height
  TSkinImage* Image9 = nullptr;  // right edge: resizes the width
  TCardImage* CardImage = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QMenu* chooseMenu_ = nullptr;           // "Выбрать карту"
  std::vector<std::string> chooseNames_;  // what chooseMenu_ lists

  WindowPlaceKeeper* place_ = nullptr;  // a child of the window
  std::unique_ptr<SkinChrome> chrome_;  // the edges' drags

  // The drag in progress: the pointer's last screen position. Screen
  // positions, not positions in the picture: the picture moves with the
  // window while the window system is still reporting earlier steps.
  QPoint lastDragPoint_;
  bool imagePressed_ = false;
};

}  // namespace vaticor
