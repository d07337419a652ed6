#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <vector>

#include "core/chrome_geometry.h"

class QLabel;
class QMouseEvent;
class QWidget;

namespace vaticor {

// The behaviour every borderless window gets from its skin: drag the title
// image to move, drag the edge images to resize, and the frame kept in
// shape (close and minimise images flush right, caption centred on the
// bottom bar) whenever the size changes.
//
// A press or move counts only with the left button alone: no other button
// and none of Shift, Ctrl or Alt. While the button is held after a press on
// an element, that element keeps receiving the moves (the pointer is
// captured). The window's place is kept (WindowPlaceKeeper).
class SkinChrome : public QObject {
  Q_OBJECT
 public:
  // What the window adds to the common behaviour. All optional.
  struct Hooks {
    // After each move step, with the window's new geometry.
    std::function<void(const WindowRect&)> moved;
    // After each resize step by an edge of the given direction and tag.
    std::function<void(const WindowRect&, int tag)> resizedVertically;
    std::function<void(const WindowRect&, int tag)> resizedHorizontally;
    // Asked before a horizontal resize step; false ignores the step.
    std::function<bool()> canResizeHorizontally;
    // Asked before a move step; false ignores the step.
    std::function<bool()> canMove;
    // Every size change of the window, after the frame is placed (also once
    // from KeepInShape at creation).
    std::function<void()> sizeChanged;
  };

  SkinChrome(QWidget* window, Hooks hooks);

  // Elements. Any widget can be an element: the chrome filters its events.
  void AddTitle(QWidget* title);                   // several allowed (labels, icons, bars)
  void AddVerticalEdge(QWidget* edge, int tag);    // top (0) / bottom (1)
  void AddHorizontalEdge(QWidget* edge, int tag);  // left (0) / right (1)
  // A handle that leaves the resizing to the window: each move step gives
  // the pointer's displacement on the screen since the last step, across
  // (Qt::Horizontal) or down (Qt::Vertical), with the same press, capture
  // and left-button-alone rules as the edges.
  void AddDragSteps(QWidget* handle, Qt::Orientation direction, std::function<void(int)> step);
  // Frame parts kept in place on every size change; any may be null.
  void SetButtons(QWidget* close, QWidget* minimise);
  void SetCaption(QLabel* label2, QLabel* label1, QWidget* bottomBar);

  // Places the frame's parts for the current size (the window calls it once
  // when it is created; afterwards every resize does).
  void KeepInShape();

  // True when the buttons and modifiers are exactly the left button alone.
  static bool IsLeftButtonAlone(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Role { Title, VerticalEdge, HorizontalEdge, HorizontalSteps, VerticalSteps };
  struct Element {
    QPointer<QWidget> widget;
    Role role = Role::Title;
    int tag = 0;
    std::function<void(int)> step;  // the steps' handles
  };

  const Element* FindElement(const QObject* watched) const;
  void Press(const Element& element, const QMouseEvent& event);
  void Drag(const Element& element, const QMouseEvent& event);
  void MoveStep(QWidget* title, const QMouseEvent& event);
  void VerticalStep(int tag, const QMouseEvent& event);
  void HorizontalStep(int tag, const QMouseEvent& event);

  WindowRect Geometry() const;
  void SetGeometry(const WindowRect& rect);
  // Positions of frame parts in the window's coordinates, whatever their
  // parent inside the window.
  QPoint PositionInWindow(const QWidget* part) const;
  void PlaceInWindow(QWidget* part, QPoint position) const;

  QWidget* window_;  // the chrome is the window's child
  Hooks hooks_;
  std::vector<Element> elements_;
  QPointer<QWidget> close_;
  QPointer<QWidget> minimise_;
  QPointer<QLabel> label2_;
  QPointer<QLabel> label1_;
  QPointer<QWidget> bottomBar_;

  // The drag in progress: the element pressed, the pointer's position in the
  // title image at the press, and the last screen coordinate of an edge drag.
  QPointer<QWidget> pressed_;
  QPoint titlePress_;
  int lastScreenX_ = 0;
  int lastScreenY_ = 0;
};

}  // namespace vaticor
