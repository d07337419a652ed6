#include "ui/reading_entry/card_field.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QPainter>
#include <QStandardItemModel>

#include "ui/reading_entry/card_thumbnails.h"

namespace vaticor {
namespace {

constexpr int kPositionRole = Qt::UserRole + 1;
constexpr int kMostSuggestions = 12;

// The card's picture centred in a box of the same size for every row, so
// that the names stand in one column whether the picture is there or not.
QIcon PictureIcon(const QImage& picture) {
  QPixmap box(CardThumbnails::kWidth, CardThumbnails::kHeight);
  box.fill(Qt::transparent);
  if (!picture.isNull()) {
    const QSize shown =
        picture.size().scaled(box.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QPainter painter(&box);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
              shown),
        picture);
  }
  return QIcon(box);
}

}  // namespace

CardField::CardField(const CardMatching& matching, CardThumbnails& thumbnails, QWidget* parent)
    : QLineEdit(parent), matching_(matching), thumbnails_(thumbnails) {
  model_ = new QStandardItemModel(this);
  completer_ = new QCompleter(model_, this);
  // The matching is ours: the completer offers every row it is given.
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(8);
  // Not the field's own completer: that one would write the highlighted
  // name over what is being typed.
  completer_->setWidget(this);
  completer_->popup()->setIconSize(QSize(CardThumbnails::kWidth, CardThumbnails::kHeight));
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { Take(index.data(kPositionRole).toInt()); });
  connect(this, &QLineEdit::textEdited, this, &CardField::Typed);
  // Text set otherwise (emptied, a suggestion taken) names its card too.
  connect(this, &QLineEdit::textChanged, this, [this] { Rematch(); });
  connect(this, &QLineEdit::returnPressed, this, [this] {
    if (!card_ && model_->rowCount() > 0) Take(model_->item(0)->data(kPositionRole).toInt());
    emit advance();
  });
  connect(&thumbnails_, &CardThumbnails::ready, this, &CardField::PictureReady);
}

void CardField::Typed(const QString& text) {
  const std::vector<std::int32_t> candidates = TypedCardCandidates(
      text.toStdString(), matching_.installed, matching_.deck, kMostSuggestions);
  model_->clear();
  for (const std::int32_t card : candidates) {
    const auto position = static_cast<std::size_t>(card);
    const std::string& name =
        position < matching_.deck.names.size() ? matching_.deck.names[position] : std::string();
    auto* item = new QStandardItem(PictureIcon(thumbnails_.Of(card)), QString::fromStdString(name));
    item->setData(card, kPositionRole);
    item->setEditable(false);
    model_->appendRow(item);
  }
  if (candidates.empty()) {
    completer_->popup()->hide();
    return;
  }
  completer_->complete(rect());
  // The first is taken by Enter or Tab unless the reader picks another.
  completer_->popup()->setCurrentIndex(model_->index(0, 0));
}

void CardField::Take(std::int32_t card) {
  const auto position = static_cast<std::size_t>(card);
  if (position < matching_.deck.names.size()) {
    setText(QString::fromStdString(matching_.deck.names[position]));
  }
  completer_->popup()->hide();
  SetCard(card);
}

void CardField::SetCard(std::optional<std::int32_t> card) {
  if (card == card_) return;
  card_ = card;
  emit cardChanged();
}

void CardField::Rematch() {
  const std::string typed = text().toStdString();
  SetCard(TypedCard(
      typed, TypedCardCandidates(typed, matching_.installed, matching_.deck, kMostSuggestions),
      matching_.deck));
}

std::vector<std::int32_t> CardField::Suggestions() const {
  std::vector<std::int32_t> cards;
  for (int row = 0; row < model_->rowCount(); ++row) {
    cards.push_back(model_->item(row)->data(kPositionRole).toInt());
  }
  return cards;
}

void CardField::PictureReady(int position) {
  for (int row = 0; row < model_->rowCount(); ++row) {
    QStandardItem* item = model_->item(row);
    if (item->data(kPositionRole).toInt() == position) {
      item->setIcon(PictureIcon(thumbnails_.Of(position)));
    }
  }
}

}  // namespace vaticor
