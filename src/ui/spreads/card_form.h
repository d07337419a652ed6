#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/spread_geometry.h"
#include "library/spread_file.h"
#include "library/spread_table.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_links.h"
#include "ui/window_links.h"

class QAction;
class QMenu;

namespace vaticor {

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
class TCardForm : public QWidget {
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

  SpreadTable::CardId Id() const { return id_; }
  // Its place in the spread's list (-1 once off the table) and its group.
  int Tag() const;
  int GroupIndex() const;

  // The signed card value (255: no card; negative: reversed).
  std::int32_t CardValue() const;
  bool ShowsPicture() const;
  // Shows a signed card value of the current deck: reversed when the value
  // is negative and reversed cards are on (the value keeps its sign),
  // upright otherwise (the value becomes its magnitude). A value naming no
  // card shows nothing. With `decodeLater` the picture is not decoded yet:
  // RequestPendingPicture has it decoded (a spread of many cards opens at
  // once and its pictures follow).
  void ShowValue(std::int32_t value, bool decodeLater = false);
  // Has the picture ShowValue left for later decoded on a worker, before
  // those of a higher rank; false when none was left.
  bool RequestPendingPicture(double rank);
  // True while a picture left for later has not arrived.
  bool AwaitsPicture() const;
  // Face down: the picture goes, the value stays.
  void RemovePicture();
  // Without a picture the card shows its number in the spread (`place` +
  // 1, its Tag + 1) and what its position means; the spreads window tells
  // it again when the places change.
  void ShowFace(int place, const std::string& meaning);
  // What the card's position means (from the spread file); empty for none.
  std::string PositionMeaning() const;

  // The position's text, shown as it is when the pointer rests on the card.
  void SetPositionHint(const QString& text);
  // The hint as set on the picture (wrapped so that it shows as plain text).
  QString PositionHint() const;

  CardSize Size() const { return {width(), height()}; }
  void SetCardSize(CardSize size);
  // Where the window stands on the screen: what the program moved it to,
  // or where the user moved it through the window manager; never a place
  // the window system reported wrongly while showing it again.
  CardPlace Place() const;
  void SetPlace(CardPlace place);
  void MoveBy(int dx, int dy);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The desktop's close (Alt+F4) is "Закрыть".
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // --- Handlers, by the layout's names ---
  void PopupMenu1Popup();          // the check mark on the card shown
  void ViewDescriptionClick();     // "Просмотреть описание"
  void ChooseCardClick(int card);  // an entry of "Выбрать карту"
  void CloseClick();               // "Закрыть"
  void CardImageClick();
  // A key released in the window, by its virtual-key code.
  void FormKeyUp(int virtualKey, Qt::KeyboardModifiers modifiers);
  // Edge drags by a displacement in screen pixels.
  void RightEdgeStep(int dx);
  void BottomEdgeStep(int dy);

  void CreateControls();
  void CreateMenu();
  void LayOut();
  // The choose-card submenu from the current deck's names.
  void FillChooseMenu();
  bool CardImageMouse(QEvent* event);

  ProgramState& state_;
  CardTableLink& table_;
  CardViewerLink& viewer_;
  const SpreadTable::CardId id_;

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
