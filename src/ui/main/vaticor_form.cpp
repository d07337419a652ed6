#include "ui/main/vaticor_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/picture_image.h"

namespace vaticor {

namespace {
const QColor kSkyBlue(166, 202, 240);
}

TVaticorForm::TVaticorForm(ProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
  setObjectName("VaticorForm");
  setWindowTitle("Vaticor");
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kSkyBlue);
  setPalette(palette);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  cardImage_ = new QLabel(this);
  cardImage_->setObjectName("CardImage01");
  cardImage_->setAlignment(Qt::AlignCenter);
  cardImage_->setMinimumSize(1, 1);
  caption_ = new QLabel(this);
  caption_->setObjectName("Label2");
  caption_->setTextFormat(Qt::PlainText);
  caption_->setAlignment(Qt::AlignCenter);
  layout->addWidget(cardImage_, 1);
  layout->addWidget(caption_);

  FormCreate();
}

void TVaticorForm::FormCreate() {
  TINIData& ini = state_.INIData;
  move(ini.VaticorFormLeft, ini.VaticorFormTop);
  state_.Random.Randomize();

  TTaroDecks& decks = state_.TaroDecks;
  decks.LoadDecks();
  if (decks.Count > 0) {
    ini.DeckIndex = std::min(ini.DeckIndex, decks.Count - 1);
    decks.SelectDeck(ini.DeckIndex);
    ini.DeckIndex = decks.CurrentDeck();
    state_.SpreadPicker.InitGenerator(decks.FilesCount);
  }

  TTaroDescriptions& descriptions = state_.TaroDescriptions;
  descriptions.LoadDescriptions();
  if (descriptions.Count > 0) {
    ini.DescriptionIndex = std::min(ini.DescriptionIndex, descriptions.Count - 1);
    descriptions.SelectDescription(ini.DescriptionIndex);
    ini.DescriptionIndex = descriptions.CurrentDescription();
  }

  caption_->setText(CardsAcross() == 1 ? QString::fromUtf8("Вытянуть карту ...")
                                        : QString::fromUtf8("Вытянуть карты ..."));
  resize(ini.VaticorFormCardWidth * CardsAcross() + 4, ini.VaticorFormHeight);
  ShowFirstCard();
}

void TVaticorForm::ShowFirstCard() {
  const int width = std::max(1, state_.INIData.VaticorFormCardWidth);
  const int height = std::max(1, state_.INIData.VaticorFormHeight - 42);
  std::unique_ptr<Picture> picture;
  try {
    picture = state_.TaroDecks.GetCardPicture(0, {width, height});
  } catch (const std::exception& error) {
    cardImage_->setText(QString::fromStdString(error.what()));
    return;
  }
  if (!picture) return;
  cardImage_->setPixmap(QPixmap::fromImage(ToQImage(*picture).scaled(
      width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  cardImage_->setToolTip(QString::fromStdString(state_.TaroDecks.GetCardName(0)));
}

void TVaticorForm::closeEvent(QCloseEvent* event) {
  TINIData& ini = state_.INIData;
  ini.VaticorFormHeight = height();
  ini.VaticorFormLeft = x();
  ini.VaticorFormTop = y();
  try {
    WriteSettings(ini, state_.Screen);
  } catch (const std::exception& error) {
    // The user still gets out of the program; the message says what was lost.
    QMessageBox::critical(this, "Vaticor", QString::fromStdString(error.what()));
  }
  event->accept();
}

}  // namespace vaticor
