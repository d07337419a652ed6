#include "ui/program_face.h"

#include <QSystemTrayIcon>
#include <QWidget>

#include "platform/desktop_shell.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {

ProgramFace::ProgramFace(ProgramState& state, QWidget& mainWindow, MainWindowLink& main,
                         std::function<WindowLinks&()> links)
    : QObject(&mainWindow),
      state_(state),
      mainWindow_(mainWindow),
      main_(main),
      links_(std::move(links)) {
  setObjectName("ProgramFace");
}

void ProgramFace::ShowSpreadsAsFace() {
  // Set before the spreads window shows: its activation asks for the face.
  spreadsAreFace_ = true;
  links_().spreads.ShowSpreads();
  main_.HideMainWindow();
}

void ProgramFace::ShowMainWindowAsFace() {
  spreadsAreFace_ = false;
  main_.ShowMainWindow();
  if (state_.INIData.QuestionFormEnabled) links_().question.SetQuestionVisible(true);
}

void ProgramFace::FaceActivated(QWidget* window) {
  if (state_.INIData.ApplicationShowButtonInTaskBar) return;
  if (!state_.Screen.HasTray()) return;
  SetTaskbarButtonVisible(window, false);
  TrayIcon()->show();
}

bool ProgramFace::TrayIconActive() const {
  return state_.Screen.HasTray() && trayIcon_ && trayIcon_->isVisible();
}

void ProgramFace::ShowTaskbarButton(bool shown) {
  if (!state_.Screen.HasTray()) return;
  SetTaskbarButtonVisible(&mainWindow_, shown);
  TrayIcon()->setVisible(!shown);
}

QSystemTrayIcon* ProgramFace::TrayIcon() {
  if (trayIcon_) return trayIcon_;
  trayIcon_ = new QSystemTrayIcon(mainWindow_.windowIcon(), this);
  trayIcon_->setObjectName("TrayIcon1");
  ConnectCommand(trayIcon_, &QSystemTrayIcon::activated, &mainWindow_,
                 [this](QSystemTrayIcon::ActivationReason reason) {
                   if (reason == QSystemTrayIcon::Trigger) {
                     ToggleFaceWindow();
                   } else if (reason == QSystemTrayIcon::Context) {
                     emit trayMenuAsked();
                   }
                 });
  return trayIcon_;
}

void ProgramFace::HideTrayIcon() {
  if (trayIcon_) trayIcon_->hide();
}

void ProgramFace::ToggleFaceWindow() {
  WindowLinks& links = links_();
  if (spreadsAreFace_) {
    links.spreads.SetSpreadVisible(!links.spreads.IsSpreadVisible());
  } else {
    const bool visible = !mainWindow_.isVisible();
    SetShown(&mainWindow_, visible);
    if (state_.INIData.QuestionFormEnabled) links.question.SetQuestionVisible(visible);
  }
  mainWindow_.raise();
  mainWindow_.activateWindow();
}

}  // namespace vaticor
