#include "ui/journal/journal_cards.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "library/taro_decks.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"

namespace vaticor {

namespace {

// Cards side by side before the next row starts.
constexpr int kAcross = 5;

}  // namespace

JournalCards::JournalCards(ProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state), noDecoding_(std::make_unique<NamingOnlyLoader>()) {
  setObjectName("JournalCards");
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(0, 0, 0, 0);
  grid_->setSpacing(4);
  grid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

JournalCards::~JournalCards() = default;

bool JournalCards::SelectDeck(const std::string& folder) {
  std::unique_ptr<TTaroDecks> deck = RecordedDeck(state_.TaroDecks, folder, *noDecoding_);
  if (!deck) return false;
  // A list of one deck: the deck in use stays the program's choice.
  if (!deck_ || folder != deckFolder_) {
    deck_ = std::move(deck);
    deckFolder_ = folder;
  }
  // Listed afresh, so a picture added or removed since counts.
  deck_->SelectDeck(0);
  return true;
}

void JournalCards::Show(const JournalEntry* entry, const QString& reversedMark) {
  // The cards shown go once their events are through (a click may still
  // be on its way out of one); out of the window at once.
  for (QWidget* cell : cells_) {
    cell->hide();
    cell->setParent(nullptr);
    cell->deleteLater();
  }
  cells_.clear();
  if (!entry) return;
  deckFound_ = SelectDeck(entry->deckFolder);
  for (std::size_t i = 0; i < entry->positions.size(); ++i) {
    const JournalPosition& position = entry->positions[i];
    auto* cell = new QWidget(this);
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    auto* image = new TCardImage(cell);
    image->setObjectName(QStringLiteral("JournalCard%1").arg(i));
    image->setFixedSize(kCardWidth, kCardHeight);
    image->setCursor(Qt::PointingHandCursor);
    image->SetPictureSource([this](std::int32_t card) { return deck_->GetCardPictureFile(card); },
                            state_.PictureWork);
    // Shown while there is no picture: the card's name as recorded.
    const std::string name =
        position.cardName.empty() ? "#" + std::to_string(position.card) : position.cardName;
    image->SetFace(position.number, name);
    if (deckFound_) {
      try {
        image->ShowCard(position.card, position.reversed, /*decodeLater=*/true);
        image->RequestPendingPicture(static_cast<double>(i));
      } catch (const std::exception&) {
        // A picture of a kind no decoder reads: the name stands for it.
        image->ForgetCard();
      }
    }
    const int index = static_cast<int>(i);
    ConnectCommand(image, &TCardImage::clicked, this, [this, index] { emit cardClicked(index); });
    column->addWidget(image, 0, Qt::AlignHCenter);

    QString text = QStringLiteral("%1. ").arg(position.number) + Utf8(name);
    if (position.reversed) text += u' ' + reversedMark;
    if (!position.meaning.empty()) text += u'\n' + Utf8(position.meaning);
    auto* label = new QLabel(cell);
    label->setObjectName(QStringLiteral("JournalCardText%1").arg(i));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(kCardWidth + 30);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setText(text);
    SetHint(label, text);
    column->addWidget(label);
    column->addStretch(1);
    grid_->addWidget(cell, index / kAcross, index % kAcross);
    cells_.push_back(cell);
  }
}

std::vector<TCardImage*> JournalCards::Images() const {
  std::vector<TCardImage*> images;
  for (QWidget* cell : cells_) images.push_back(cell->findChild<TCardImage*>());
  return images;
}

}  // namespace vaticor
