#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/chrome_geometry.h"
#include "core/window_place.h"

class QWidget;

namespace vaticor {

// Showing and hiding the program's top-level windows, and where they stand.

// Shows a window as a normal window, never minimised (a maximised one stays
// maximised). A window the user minimised and the desktop restored would
// otherwise be mapped minimised the next time it is shown: Qt keeps asking
// the window manager for the minimised state it asked for when the window
// was minimised, since a restore by the desktop does not reach that request.
void ShowNormal(QWidget* window);
// ShowNormal, or hide.
void SetShown(QWidget* window, bool shown);
// ShowNormal, in front of the other windows and active: a window the user
// asked for.
void ShowAndActivate(QWidget* window);

// Puts a window of fixed size at its stored place (`left`, `top`, screen
// pixels) held wholly on the screen, above the taskbar's top edge, and
// stores the place it got: a settings file may hold any place, and a
// toolbar with only a sliver showing cannot be taken by its title.
void PlaceWhollyOnScreen(QWidget* window, std::int32_t& left, std::int32_t& top, int screenWidth,
                         int taskBarTop);

// Before a window's first show in a run, when it stands at its default place
// (`stored` false): moved out of the main window's title strip (`strip`,
// screen pixels; empty while the main window is hidden) as
// FirstPlaceClearOf says, the place it gets stored in `left` and `top`.
// `firstShown` is the window's own flag, set here; later calls do nothing.
void ClearTitleStripAtFirstShow(QWidget* window, bool& firstShown, bool stored, WindowRect strip,
                                int screenWidth, int taskBarTop, std::int32_t& left,
                                std::int32_t& top);

// The minimise image's rule, in every window that has one: while the
// program's tray icon is active (MainWindowLink::TrayIconActive) the window
// only hides, and the icon brings it back; otherwise the program goes to
// its taskbar button. `trayIconActive` also says yes for another way back
// that a window has (the main window hides while the question window is on
// show). `hide` and `minimise` are the window's own ways of doing either.
void HideOrMinimise(bool trayIconActive, const std::function<void()>& hide,
                    const std::function<void()>& minimise);

// The program minimises and comes back as one: while the window that leads
// it (the main window, or the spreads window standing in for it) is
// minimised, by its image or by the window manager, or hidden into the tray
// by HideOthers, the program's other windows on show are hidden, each
// without a taskbar button left behind; when the leader shows normal again
// they come back as they were, under it. Message boxes, dialogs, menus and
// windows the window manager does not manage (the tray icon) are not the
// program's windows here. Installed on the leader (its child).
class MinimisedTogether : public QObject {
 public:
  static MinimisedTogether* Install(QWidget* leader);

  // Hides the other windows on show, all but `stays` (a window left on
  // show as the way back); the leader hides or minimises itself after.
  void HideOthers(const QWidget* stays = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit MinimisedTogether(QWidget* leader);
  void ShowOthers();

  QWidget* leader_;
  std::vector<QPointer<QWidget>> hidden_;
};

// Keeps the place a top-level window stands at on the screen (see
// core/window_place.h for why the window system's own account is not
// enough): moves the program makes are taken, moves the window system
// reports are taken except the first disagreeing one after each show,
// which puts the window back. Installed on a window (its child); the
// window's pos() then agrees with Place() once the report is answered.
class WindowPlaceKeeper : public QObject {
  Q_OBJECT
 public:
  // Installs a keeper on `window`, which owns it.
  static WindowPlaceKeeper* Install(QWidget* window);

  QPoint Place() const;
  // Moves the window to `place`, shown or hidden.
  void MoveTo(QPoint place);
  // The window system reports the window at `place` (what a spontaneous
  // move event says; tests call it to stand in for the window system).
  void WindowSystemMoved(QPoint place);
  // Called with the new place whenever Place() changes.
  void OnPlaceChanged(std::function<void(QPoint)> changed) { changed_ = std::move(changed); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit WindowPlaceKeeper(QWidget* window);

  // After a change of place_.
  void Changed(QPoint before);

  QWidget* window_;
  WindowPlace place_;
  std::function<void(QPoint)> changed_;
};

// Runs `work` once on the window's thread, just after the window's first
// paint, for what a window being shown can do without: the user sees the
// window sooner. When the window is not painted within `latestMs` (shown
// minimised, or on another workspace), `work` runs then. Nothing runs once
// the window is gone. Whatever needs the work done sooner does it itself;
// `work` must then find nothing left to do.
void AfterFirstPaint(QWidget* window, std::function<void()> work, int latestMs = 1000);

}  // namespace vaticor
