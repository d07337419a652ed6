// The tray icon and the taskbar button.
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "platform/desktop_shell.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/window_showing.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {

QSystemTrayIcon* TVaticorForm::TrayIcon() {
  if (TrayIcon1) return TrayIcon1;
  TrayIcon1 = new QSystemTrayIcon(windowIcon(), this);
  TrayIcon1->setObjectName("TrayIcon1");
  ConnectCommand(TrayIcon1, &QSystemTrayIcon::activated, this,
                 [this](QSystemTrayIcon::ActivationReason reason) {
                   if (reason == QSystemTrayIcon::Trigger) {
                     TrayIcon1Click();
                   } else if (reason == QSystemTrayIcon::Context) {
                     activateWindow();
                     menu_->Popup()->popup(QCursor::pos());
                   }
                 });
  return TrayIcon1;
}

// ---------------------------------------------------------------------------
// Tray icon and taskbar button

bool TVaticorForm::TrayIconActive() const {
  return state_.Screen.HasTray() && TrayIcon1 && TrayIcon1->isVisible();
}

void TVaticorForm::ShowMainWindow() {
  ShowNormal(this);
  raise();
  activateWindow();
}

void TVaticorForm::HideMainWindow() { hide(); }

void TVaticorForm::MinimiseMainWindow() { showMinimized(); }

void TVaticorForm::FormActivate() {
  if (state_.INIData.ApplicationShowButtonInTaskBar) return;
  // Without a notification area the taskbar button is the only way back to a
  // hidden window: it stays.
  if (!state_.Screen.HasTray()) return;
  SetTaskbarButtonVisible(this, false);
  TrayIcon()->show();
}

void TVaticorForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  // Without the other windows yet, no question window was hidden with it.
  if (event->type() == QEvent::WindowStateChange && !isMinimized() && links_) {
    links_->question.MainWindowRestored();
  }
}

void TVaticorForm::TrayIcon1Click() {
  if (state_.SpreadsMode) {
    Links().spreads.SetSpreadVisible(!Links().spreads.IsSpreadVisible());
  } else {
    const bool visible = !isVisible();
    SetShown(this, visible);
    if (state_.INIData.QuestionFormEnabled) Links().question.SetQuestionVisible(visible);
  }
  raise();
  activateWindow();
}

void TVaticorForm::ButtonHideImageClick() {
  // The question window on show is a way back too.
  HideOrMinimise(
      TrayIconActive() || Links().question.IsQuestionVisible(), [this] { hide(); },
      [this] { showMinimized(); });
}

void TVaticorForm::SpreadsWindowShown() { FormActivate(); }

}  // namespace vaticor
