// The main window's keys, by their virtual-key codes.
#include <QKeyEvent>
#include <QMenu>

#include "platform/virtual_keys.h"
#include "ui/chrome/commands.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {

// ---------------------------------------------------------------------------
// Keys

void TVaticorForm::FormKeyUp(int key) {
  TINIData& ini = state_.INIData;
  ReadingLogLink& log = Links().log;
  switch (key) {
    case vk::Escape:
      ButtonHideImageClick();
      break;
    case vk::OemPlus:
      menu_->SetOption(MainOption::kAutoSize, true);
      ini.ApplicationAutoSizeEnabled = true;
      ApplyAutoCardSize();
      break;
    case vk::OemBackslash:
      menu_->SetOption(MainOption::kAutoSize, false);
      ini.ApplicationAutoSizeEnabled = false;
      ApplyScreenCardSize();
      break;
    case vk::Up:
    case vk::Down: {
      const int selected = log.SelectedLine();
      int target = selected;
      if (key == vk::Up && selected > 0) target = selected - 1;
      if (key == vk::Down && selected < log.LineCount() - 1) target = selected + 1;
      if (target == selected || target < 0) break;
      log.SelectLine(target);
      if (!log.IsDateLine(target)) log.ShowSelectedReading();
      break;
    }
    case vk::Add:
    case vk::Right:
      NextDeck(+1);
      break;
    case vk::Subtract:
    case vk::Left:
      NextDeck(-1);
      break;
    case vk::Digit0:
      ClearCards();
      break;
    case vk::Digit1:
      if (ThreeCardMode()) {
        SwitchToOneCardMode();
      } else {
        Label1Click();
      }
      break;
    case vk::Digit3:
      if (ThreeCardMode()) {
        Label1Click();
      } else {
        SwitchToThreeCardMode();
      }
      break;
    case vk::R:
      N15Click();
      break;
    case vk::F3:
      log.ShowLogWindow();
      if (log.LineCount() > 0 && log.SelectedLine() < 0) log.SelectLine(log.LineCount() - 1);
      break;
    case vk::F4:
      ToggleQuestionWindow();
      break;
    case vk::F10:
      menu_->Popup()->popup(MainMenuPoint());
      break;
    default:
      break;
  }
}

void TVaticorForm::ToggleQuestionWindow() {
  SetQuestionEnabled(!state_.INIData.QuestionFormEnabled, false);
}

}  // namespace vaticor
