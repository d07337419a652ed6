#include "ui/main/card_row.h"

#include <QFrame>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "library/reading_text.h"
#include "ui/chrome/accessible_controls.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/commands.h"

namespace vaticor {

TCardRow::TCardRow(QWidget& window, ProgramState& state,
                   std::unique_ptr<ReadingPictureDialog> dialog)
    : QObject(&window), window_(window), state_(state), dialog_(std::move(dialog)) {
  setObjectName("CardRow");
  // The panels in the layout's creation order; the images go left to right.
  const char* panelNames[] = {"Panel01", "Panel03", "Panel02"};
  const char* imageNames[] = {"CardImage01", "CardImage02", "CardImage03"};
  for (std::size_t slot = 0; slot < 3; ++slot) {
    auto* panel = new QFrame(&window);
    panel->setObjectName(panelNames[slot]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panels_[slot] = panel;
  }
  for (std::size_t slot = 0; slot < 3; ++slot) {
    auto* image = new TCardImage(panels_[slot]);
    image->setObjectName(imageNames[slot]);
    const int at = static_cast<int>(slot);
    ConnectCommand(image, &TCardImage::clicked, &window, [this, at] { emit cardClicked(at); });
    ConnectCommand(image, &TCardImage::customContextMenuRequested, &window,
                   [this, at, image](const QPoint& point) {
                     emit cardMenuAsked(at, image->mapToGlobal(point));
                   });
    image->SetPictureSource(
        [this](std::int32_t card) { return state_.TaroDecks.GetCardPictureFile(card); },
        state_.PictureWork);
    images_[slot] = image;
  }
}

TCardRow::~TCardRow() = default;

void TCardRow::SetCardsAcross(int cardsAcross) {
  if (cardsAcross == 1) {
    for (TCardImage* image : images_) {
      image->ForgetCard();
      image->SetNumber(-1);
    }
  } else {
    images_[0]->ForgetCard();
    images_[0]->SetNumber(-1);
  }
  cardsAcross_ = cardsAcross;
  panels_[1]->setVisible(cardsAcross == 3);
  panels_[2]->setVisible(cardsAcross == 3);
  SpeakCards();
}

void TCardRow::SetPanelWidth(int width) {
  for (QFrame* panel : panels_) panel->resize(width, panel->height());
}

int TCardRow::PanelWidth() const { return panels_[0]->width(); }

void TCardRow::Place(int left, int top, int height) {
  for (QFrame* panel : panels_) {
    panel->setGeometry(left, top, panel->width(), height);
    if (panel->isVisibleTo(&window_)) left += panel->width();
  }
  for (TCardImage* image : images_) {
    QWidget* panel = image->parentWidget();
    image->setGeometry(1, 1, std::max(0, panel->width() - 2), std::max(0, height - 2));
  }
}

std::vector<int> TCardRow::ShowDraw(const std::vector<std::int32_t>& values) {
  // The pictures decode together.
  std::vector<TCardImage::Showing> showings;
  std::vector<int> logged;
  for (std::size_t i = 0; i < values.size() && i < images_.size(); ++i) {
    const std::int32_t value = values[i];
    const bool reversed = value < 0 && state_.INIData.UpSideDownCardsEnabled;
    showings.push_back({images_[i], std::abs(value), reversed, reversed ? value : std::abs(value)});
    logged.push_back(reversed ? value : std::abs(value));
  }
  TCardImage::ShowCardsTogether(showings);
  drawMoment_ = ReadingMomentNow();
  SpeakCards();
  return logged;
}

void TCardRow::ShowPicture(TCardImage* image, int signedCard, bool turned) {
  // The lowest integer has no magnitude of its own: no deck has that card.
  if (signedCard == std::numeric_limits<int>::min()) {
    image->ForgetCard();
    return;
  }
  image->ShowCard(std::abs(signedCard), turned);
}

void TCardRow::ShowLoggedCard(int slot, std::int32_t value) {
  if (slot < 0 || slot > 2) return;
  // The reading put back was drawn at the time its log line says.
  drawMoment_.clear();
  TCardImage* image = images_[static_cast<std::size_t>(slot)];
  image->SetNumber(value);
  ShowPicture(image, value, value < 0);
  SpeakCards();
}

void TCardRow::Clear() {
  for (TCardImage* image : images_) image->ForgetCard();
  SpeakCards();
}

void TCardRow::ShowPicturesAgain() {
  for (TCardImage* image : images_) {
    if (image->HasPicture()) ShowPicture(image, image->Number(), image->Number() < 0);
  }
  SpeakCards();
}

void TCardRow::SpeakCards() const {
  const ReadingWords words = ReadingWordsOf(state_.Languages);
  for (std::size_t slot = 0; slot < images_.size(); ++slot) {
    const int card = CardAt(static_cast<int>(slot));
    const std::optional<std::string> name =
        card >= 0 ? std::optional(state_.TaroDecks.GetCardName(card)) : std::nullopt;
    SpeakCard(images_[slot], SpokenCardName(words, name, images_[slot]->Number() < 0), {});
  }
}

bool TCardRow::HasReading() const { return images_[0]->HasPicture(); }

int TCardRow::CardAt(int slot) const {
  if (slot < 0 || slot > 2) return -1;
  const TCardImage* image = images_[static_cast<std::size_t>(slot)];
  return image->HasPicture() ? std::abs(image->Number()) : -1;
}

void TCardRow::CopyReading(const std::string& question) const {
  if (!HasReading()) return;
  std::vector<ReadingPosition> positions;
  for (int i = 0; i < cardsAcross_; ++i) {
    const TCardImage* image = images_[static_cast<std::size_t>(i)];
    ReadingPosition position;
    position.number = i + 1;
    if (image->HasPicture()) {
      position.card = state_.TaroDecks.GetCardName(std::abs(image->Number()));
      position.reversed = image->Number() < 0;
    }
    positions.push_back(std::move(position));
  }
  CopyReadingText(ReadingText(ReadingMomentOr(drawMoment_), question, positions,
                              ReadingWordsOf(state_.Languages)));
}

void TCardRow::SaveReadingPicture() {
  if (!HasReading()) return;
  std::vector<PlacedWidget> placed;
  for (int i = 0; i < cardsAcross_; ++i) {
    TCardImage* image = images_[static_cast<std::size_t>(i)];
    placed.push_back({image, image->mapTo(&window_, QPoint(0, 0))});
  }
  vaticor::SaveReadingPicture(&window_, *dialog_, PictureOfWidgets(placed),
                              ReadingMomentOr(drawMoment_));
}

}  // namespace vaticor
