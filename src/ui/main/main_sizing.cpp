#include "ui/main/main_sizing.h"

#include <QWidget>

#include "ui/main/card_row.h"

namespace vaticor {

MainWindowSizing::MainWindowSizing(QWidget& window, TCardRow& row, ProgramState& state,
                                   std::function<void()> layOut, std::function<void()> keepInShape)
    : window_(window),
      row_(row),
      state_(state),
      layOut_(std::move(layOut)),
      keepInShape_(std::move(keepInShape)) {}

void MainWindowSizing::ApplyStoredSizes() {
  TINIData& ini = state_.INIData;
  ini.VaticorFormCardWidth =
      BoundCardWidth(ini.VaticorFormCardWidth, state_.Screen.Width(), CardsAcross());
  oneCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 1);
  threeCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 3);
  window_.resize(MainWindowWidth(ini.VaticorFormCardWidth, CardsAcross()),
                 BoundMainHeight(ini.VaticorFormHeight, state_.Screen.Height()));
  SetCardWidth(ini.VaticorFormCardWidth);
}

void MainWindowSizing::TakeDeckPictureSize() {
  // A deck without a picture for its first card keeps the size it had.
  if (state_.TaroDecks.CardWidth > 0 && state_.TaroDecks.CardHeight > 0) {
    pictureWidth_ = state_.TaroDecks.CardWidth;
    pictureHeight_ = state_.TaroDecks.CardHeight;
  }
}

MainWindowState MainWindowSizing::SizingState() const {
  MainWindowState window;
  window.screenWidth = state_.Screen.Width();
  window.screenHeight = state_.Screen.Height();
  window.left = window_.x();
  window.width = window_.width();
  window.height = window_.height();
  window.cardsAcross = CardsAcross();
  return window;
}

void MainWindowSizing::SetCardWidth(int width) {
  row_.SetPanelWidth(width);
  layOut_();
}

void MainWindowSizing::Apply(const MainSizing& sizing) {
  oneCardWidth_ = sizing.oneCardWidth;
  threeCardWidth_ = sizing.threeCardWidth;
  window_.setGeometry(sizing.left, window_.y(), sizing.width, sizing.height);
  SetCardWidth(sizing.cardWidth);
}

void MainWindowSizing::SwitchMode(int cardsAcross, const std::function<void()>& switched) {
  const MainSizing sizing = ModeSwitchSizing(SizingState(), row_.PanelWidth(), oneCardWidth_,
                                             threeCardWidth_, cardsAcross);
  switched();
  // Three cards too wide for the screen came out narrower: that is the card
  // width now.
  const bool narrower = sizing.cardWidth != row_.PanelWidth();
  Apply(sizing);
  if (narrower) state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
  layOut_();
}

void MainWindowSizing::ApplyAutoCardSize() {
  const AutoSizing autoSizing = AutoCardSizing(SizingState(), pictureWidth_, pictureHeight_);
  if (!autoSizing.sizing) {
    // No picture to take proportions from: only the height follows the screen.
    window_.resize(window_.width(), autoSizing.height);
    keepInShape_();
    return;
  }
  state_.INIData.VaticorFormLeft = autoSizing.sizing->left;
  Apply(*autoSizing.sizing);
  state_.INIData.VaticorFormCardWidth = autoSizing.sizing->cardWidth;
}

void MainWindowSizing::ApplyScreenCardSize() {
  const MainSizing sizing = ScreenCardSizing(SizingState());
  state_.INIData.VaticorFormHeight = sizing.height;
  state_.INIData.VaticorFormLeft = sizing.left;
  Apply(sizing);
  state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
}

void MainWindowSizing::FitCardWidthToHeight() {
  const std::optional<MainSizing> sizing =
      FitCardWidthSizing(SizingState(), pictureWidth_, pictureHeight_);
  if (!sizing) return;
  clampToScreenEdge_ = false;
  Apply(*sizing);
  clampToScreenEdge_ = true;
}

void MainWindowSizing::ResizedVertically() {
  if (state_.INIData.ApplicationAutoSizeEnabled) FitCardWidthToHeight();
  state_.INIData.VaticorFormHeight = window_.height();
  state_.INIData.VaticorFormCardWidth = row_.PanelWidth();
}

void MainWindowSizing::ResizedHorizontally(bool fromLeft) {
  const int cardWidth = window_.width() - kMainFrameWidth;
  oneCardWidth_ = window_.width();
  threeCardWidth_ = MainWindowWidth(cardWidth, 3);
  SetCardWidth(cardWidth);
  state_.INIData.VaticorFormCardWidth = cardWidth;
  if (fromLeft) state_.INIData.VaticorFormLeft = window_.x();
}

void MainWindowSizing::MoveAboveQuestion(int questionTop, bool record) {
  if (questionTop >= window_.y() + window_.height()) return;
  window_.move(window_.x(), ShiftedMainTop(questionTop, window_.height()));
  if (!record) return;
  state_.INIData.VaticorFormTop = window_.y();
  state_.INIData.QuestionFormShifted = true;
}

void MainWindowSizing::MoveBackDown(int questionHeight) {
  TINIData& ini = state_.INIData;
  if (!ini.QuestionFormShifted) return;
  window_.move(window_.x(), UnshiftedMainTop(window_.y(), questionHeight, window_.height(),
                                             state_.Screen.Height()));
  ini.VaticorFormTop = window_.y();
  ini.QuestionFormShifted = false;
}

}  // namespace vaticor
