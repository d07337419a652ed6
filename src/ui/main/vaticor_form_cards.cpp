// The cards on show: the draw, a logged reading put back, the modes and
// the card sizes.
#include <QFrame>
#include <cstdlib>
#include <limits>

#include "library/reading_draw.h"
#include "platform/picture_image.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {

// ---------------------------------------------------------------------------
// The draw

void TVaticorForm::Label1Click() {
  TINIData& ini = state_.INIData;
  if (ini.RandomDecksEnabled) N15Click();

  // The generator was seeded from the clock when the window was created;
  // the picks continue its sequence.
  const std::vector<std::int32_t> values = DrawReading(
      state_.Random, drawPicker_,
      EligibleCards(state_.TaroDecks.FilesCount, ini.OnlyMajorArcanaEnabled), CardsAcross());
  // The three pictures decode together.
  std::vector<TCardImage::Showing> showings;
  std::vector<int> cards;
  for (int i = 0; i < CardsAcross(); ++i) {
    TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    const std::int32_t value = values[static_cast<std::size_t>(i)];
    const bool reversed = value < 0 && state_.INIData.UpSideDownCardsEnabled;
    showings.push_back({image, std::abs(value), reversed, reversed ? value : std::abs(value)});
    cards.push_back(reversed ? value : std::abs(value));
  }
  TCardImage::ShowCardsTogether(showings);

  drawMoment_ = ReadingMomentNow();
  Links().log.AddReading(cards);
  if (Links().log.LineCount() >= 1) Links().log.SelectLine(Links().log.LineCount() - 1);
}

void TVaticorForm::ShowPicture(TCardImage* image, int signedCard, bool turned) {
  // The lowest integer has no magnitude of its own: no deck has that card.
  if (signedCard == std::numeric_limits<int>::min()) {
    image->ForgetCard();
    return;
  }
  image->ShowCard(std::abs(signedCard), turned);
}

void TVaticorForm::ShowCardOnImage(int signedCard, TCardImage* image) {
  const bool reversed = signedCard < 0 && state_.INIData.UpSideDownCardsEnabled;
  if (!reversed) image->SetNumber(std::abs(signedCard));
  ShowPicture(image, signedCard, reversed);
}

void TVaticorForm::ClearCards() {
  for (TCardImage* image : CardImages()) image->ForgetCard();
}

void TVaticorForm::RefreshCardPictures() {
  for (TCardImage* image : CardImages()) {
    if (image->HasPicture()) ShowPicture(image, image->Number(), image->Number() < 0);
  }
}

void TVaticorForm::CacheCardPictureSize() {
  // A deck without a picture for its first card keeps the size it had.
  if (state_.TaroDecks.CardWidth > 0 && state_.TaroDecks.CardHeight > 0) {
    cardPictureWidth_ = state_.TaroDecks.CardWidth;
    cardPictureHeight_ = state_.TaroDecks.CardHeight;
  }
}

void TVaticorForm::CardImageClick(TCardImage* image) {
  if (image && image->HasPicture()) {
    const int card = std::abs(image->Number());
    Links().viewer.ShowCardDescription(state_.TaroDecks.GetCardName(card), card, 0);
  }
  Links().viewer.ShowViewer();
}

// ---------------------------------------------------------------------------
// Sharing the reading

void TVaticorForm::CopyReading() {
  if (!CardImage01->HasPicture()) return;
  std::vector<ReadingPosition> positions;
  for (int i = 0; i < CardsAcross(); ++i) {
    const TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    ReadingPosition position;
    position.number = i + 1;
    if (image->HasPicture()) {
      position.card = state_.TaroDecks.GetCardName(std::abs(image->Number()));
      position.reversed = image->Number() < 0;
    }
    positions.push_back(std::move(position));
  }
  CopyReadingText(ReadingText(
      ReadingMomentOr(drawMoment_),
      state_.INIData.QuestionFormEnabled ? Links().question.QuestionText() : std::string(),
      positions, ReadingWordsOf(state_.Languages)));
}

void TVaticorForm::SaveReadingPicture() {
  if (!CardImage01->HasPicture()) return;
  std::vector<PlacedWidget> placed;
  for (int i = 0; i < CardsAcross(); ++i) {
    TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    placed.push_back({image, image->mapTo(this, QPoint(0, 0))});
  }
  vaticor::SaveReadingPicture(this, *pictureDialog_, PictureOfWidgets(placed),
                              ReadingMomentOr(drawMoment_));
}

// ---------------------------------------------------------------------------
// A logged reading put back

void TVaticorForm::SetCardMode(bool threeCards) {
  if (threeCards) {
    SwitchToThreeCardMode();
  } else {
    SwitchToOneCardMode();
  }
}

void TVaticorForm::ShowCard(int slot, std::int32_t value) {
  if (slot < 0 || slot > 2) return;
  // The reading put back was drawn at the time its log line says.
  drawMoment_.clear();
  TCardImage* image = CardImages()[static_cast<std::size_t>(slot)];
  image->SetNumber(value);
  ShowPicture(image, value, value < 0);
}

// ---------------------------------------------------------------------------
// Modes and sizes

QString TVaticorForm::CaptionText(int id, const char* russian) const {
  // After a mode switch or for the card menu, the main window's own texts
  // follow the language only on a system whose language is not Russian, and
  // only where the language has a text.
  if (state_.SystemLanguage == "0x0419") return QString::fromUtf8(russian);
  const std::string entry = state_.Languages.Entry(id);
  return entry.empty() ? QString::fromUtf8(russian) : QString::fromStdString(entry);
}

void TVaticorForm::ApplyLanguage() {
  const TLanguageTable& languages = state_.Languages;
  SetHint(strip_.icon, InterfaceText(languages, 1001, "Меню F10"));
  SetHint(strip_.minimise, InterfaceText(languages, 1002, "Свернуть"));
  SetHint(strip_.close, InterfaceText(languages, 1003, "Выход"));
  menu_->ApplyLanguage(languages);
  // The caption takes the language's text whatever the system's language.
  caption_.SetText(ThreeCardMode() ? InterfaceText(languages, 1005, "Вытянуть карты ...")
                                   : InterfaceText(languages, 1004, "Вытянуть карту ..."));
  chrome_->KeepInShape();
}

void TVaticorForm::SetCaption() {
  caption_.SetText(ThreeCardMode() ? CaptionText(1005, "Вытянуть карты ...")
                                   : CaptionText(1004, "Вытянуть карту ..."));
  chrome_->KeepInShape();
}

MainWindowState TVaticorForm::SizingState() const {
  MainWindowState window;
  window.screenWidth = state_.Screen.Width();
  window.screenHeight = state_.Screen.Height();
  window.left = x();
  window.width = width();
  window.height = height();
  window.cardsAcross = CardsAcross();
  return window;
}

void TVaticorForm::ApplySizing(const MainSizing& sizing) {
  oneCardWidth_ = sizing.oneCardWidth;
  threeCardWidth_ = sizing.threeCardWidth;
  setGeometry(sizing.left, y(), sizing.width, sizing.height);
  SetPanelWidth(sizing.cardWidth);
}

void TVaticorForm::SwitchMode(int cardsAcross) {
  const MainSizing sizing =
      ModeSwitchSizing(SizingState(), PanelWidth(), oneCardWidth_, threeCardWidth_, cardsAcross);
  state_.INIData.ThreeCardsModeEnabled = cardsAcross == 3;
  SetCaption();
  Panel02->setVisible(cardsAcross == 3);
  Panel03->setVisible(cardsAcross == 3);
  // Three cards too wide for the screen came out narrower: that is the card
  // width now.
  const bool narrower = sizing.cardWidth != PanelWidth();
  ApplySizing(sizing);
  if (narrower) state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
  menu_->SetThreeCardMode(cardsAcross == 3);
  LayOutControls();
}

void TVaticorForm::SwitchToOneCardMode() {
  if (!ThreeCardMode()) return;
  for (TCardImage* image : CardImages()) {
    image->ForgetCard();
    image->SetNumber(-1);
  }
  SwitchMode(1);
}

void TVaticorForm::SwitchToThreeCardMode() {
  if (ThreeCardMode()) return;
  CardImage01->ForgetCard();
  CardImage01->SetNumber(-1);
  SwitchMode(3);
}

void TVaticorForm::ApplyAutoCardSize() {
  const AutoSizing autoSizing =
      AutoCardSizing(SizingState(), cardPictureWidth_, cardPictureHeight_);
  if (!autoSizing.sizing) {
    // No picture to take proportions from: only the height follows the screen.
    resize(width(), autoSizing.height);
    chrome_->KeepInShape();
    return;
  }
  state_.INIData.VaticorFormLeft = autoSizing.sizing->left;
  ApplySizing(*autoSizing.sizing);
  state_.INIData.VaticorFormCardWidth = autoSizing.sizing->cardWidth;
}

void TVaticorForm::FitCardWidthToHeight() {
  const std::optional<MainSizing> sizing =
      FitCardWidthSizing(SizingState(), cardPictureWidth_, cardPictureHeight_);
  if (!sizing) return;
  clampToScreenEdge_ = false;
  ApplySizing(*sizing);
  clampToScreenEdge_ = true;
}

void TVaticorForm::ApplyScreenCardSize() {
  const MainSizing sizing = ScreenCardSizing(SizingState());
  state_.INIData.VaticorFormHeight = sizing.height;
  state_.INIData.VaticorFormLeft = sizing.left;
  ApplySizing(sizing);
  state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
}

}  // namespace vaticor
