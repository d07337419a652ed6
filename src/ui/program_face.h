#pragma once

#include <QObject>
#include <functional>

#include "ui/program_state.h"
#include "ui/window_links.h"

class QSystemTrayIcon;
class QWidget;

namespace vaticor {

// Which window stands for the program (the main window, or the spreads
// window while the main window stays hidden), the tray icon and the rule of
// the taskbar button: with the option "ShowButtonInTaskBar" off and a
// notification area to hide in, the face window has no taskbar button and
// the tray icon shows and hides it. Without a notification area the taskbar
// button is the only way back to a hidden window, and it stays.
//
// The main window makes it as its child; the tray icon ("TrayIcon1", the
// main window's icon) is made at the first need of it, since making it asks
// the desktop's session bus for a notification area.
class ProgramFace : public QObject, public ProgramFaceLink {
  Q_OBJECT
 public:
  // `links` gives the other windows, making them when they are still to be
  // made (the main window's Links()).
  ProgramFace(ProgramState& state, QWidget& mainWindow, MainWindowLink& main,
              std::function<WindowLinks&()> links);

  bool SpreadsAreFace() const override { return spreadsAreFace_; }
  void ShowSpreadsAsFace() override;
  void ShowMainWindowAsFace() override;
  void FaceActivated(QWidget* window) override;

  // True while the program can hide into its tray icon.
  bool TrayIconActive() const;
  // The option "Показывать кнопку на панеле задач" turned on or off.
  void ShowTaskbarButton(bool shown);
  QSystemTrayIcon* TrayIcon();
  // The tray icon goes (the program ends).
  void HideTrayIcon();

 signals:
  // The tray icon's context menu was asked for.
  void trayMenuAsked();

 private:
  // A click on the tray icon hides the face window or brings it back.
  void ToggleFaceWindow();

  ProgramState& state_;
  QWidget& mainWindow_;
  MainWindowLink& main_;
  std::function<WindowLinks&()> links_;
  QSystemTrayIcon* trayIcon_ = nullptr;
  bool spreadsAreFace_ = false;
};

}  // namespace vaticor
