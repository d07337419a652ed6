#include "ui/gallery/gallery_cards.h"

#include <QPainter>

#include "platform/picture_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/thread_results.h"

namespace vaticor {

// ---------------------------------------------------------------------------
// The model

GalleryCardsModel::GalleryCardsModel(QObject* parent) : QAbstractListModel(parent) {
  SetPixelRatio(1.0);
}

void GalleryCardsModel::SetDeck(std::vector<Card> cards) {
  beginResetModel();
  cards_ = std::move(cards);
  shown_.clear();
  for (const Card& card : cards_) shown_.push_back(card.position);
  pictures_.clear();
  hints_.clear();
  endResetModel();
}

void GalleryCardsModel::SetShown(std::vector<std::int32_t> positions) {
  if (positions == shown_) return;
  beginResetModel();
  shown_ = std::move(positions);
  endResetModel();
}

const GalleryCardsModel::Card* GalleryCardsModel::CardAt(int row) const {
  if (row < 0 || row >= static_cast<int>(shown_.size())) return nullptr;
  const std::int32_t position = shown_[static_cast<std::size_t>(row)];
  if (position < 0 || position >= static_cast<std::int32_t>(cards_.size())) return nullptr;
  return &cards_[static_cast<std::size_t>(position)];
}

int GalleryCardsModel::RowOf(std::int32_t position) const {
  for (std::size_t row = 0; row < shown_.size(); ++row) {
    if (shown_[row] == position) return static_cast<int>(row);
  }
  return -1;
}

void GalleryCardsModel::SetPicture(std::int32_t position, const QImage& picture) {
  pictures_[position] = QPixmap::fromImage(picture);
  const int row = RowOf(position);
  if (row >= 0) emit dataChanged(index(row), index(row), {Qt::DecorationRole});
}

void GalleryCardsModel::SetHintSource(std::function<QString(std::int32_t)> hint) {
  hint_ = std::move(hint);
  hints_.clear();
}

void GalleryCardsModel::ForgetHints() { hints_.clear(); }

void GalleryCardsModel::SetPixelRatio(qreal ratio) {
  QImage blank(qRound(kPictureWidth * ratio), qRound(kPictureHeight * ratio),
               QImage::Format_ARGB32_Premultiplied);
  blank.fill(SkinListBase());
  QPainter painter(&blank);
  painter.setPen(SkinNavy());
  painter.drawRect(blank.rect().adjusted(0, 0, -1, -1));
  painter.end();
  blank.setDevicePixelRatio(ratio);
  blank_ = QPixmap::fromImage(blank);
}

int GalleryCardsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant GalleryCardsModel::data(const QModelIndex& index, int role) const {
  const Card* card = CardAt(index.row());
  if (!card) return {};
  switch (role) {
    case Qt::DisplayRole:
      return card->name;
    case Qt::DecorationRole: {
      const auto found = pictures_.find(card->position);
      return found == pictures_.end() ? blank_ : found->second;
    }
    case Qt::ToolTipRole: {
      // Asked of the journal only for the card the pointer rests on.
      const auto found = hints_.find(card->position);
      if (found != hints_.end()) return found->second;
      const QString hint = hint_ ? hint_(card->position) : card->name;
      hints_[card->position] = hint;
      return hint;
    }
    default:
      return {};
  }
}

// ---------------------------------------------------------------------------
// The pictures

GalleryPictures::GalleryPictures(ProgramState& state, GalleryCardsModel& model, QObject* receiver)
    : state_(state), model_(model), post_(ResultPost::For(receiver)) {}

GalleryPictures::~GalleryPictures() { post_->Close(); }

void GalleryPictures::Reset() {
  ++generation_;
  asked_.clear();
  rank_ = 0;
  pending_ = 0;
}

void GalleryPictures::Request(const std::vector<std::int32_t>& first, qreal ratio) {
  for (const std::int32_t position : first) Ask(position, rank_++, ratio);
  for (const GalleryCardsModel::Card& card : model_.Cards()) {
    Ask(card.position, rank_ + 1000 + card.position, ratio);
  }
}

void GalleryPictures::Ask(std::int32_t position, double rank, qreal ratio) {
  if (asked_.contains(position)) return;
  asked_.insert(position);
  std::optional<PictureFile> file;
  try {
    file = state_.TaroDecks.GetCardPictureFile(position);
  } catch (const std::exception&) {
    // A picture of a kind no decoder reads: the card stays blank.
  }
  if (!file) return;
  ++pending_;
  const PictureSize target{qRound(GalleryCardsModel::kPictureWidth * ratio),
                           qRound(GalleryCardsModel::kPictureHeight * ratio)};
  state_.PictureWork.Submit(
      PictureWorkers::JobFor(*file, target), rank,
      [post = post_, this, position, ratio, target,
       generation = generation_](std::unique_ptr<Picture> picture) {
        QImage image;
        if (picture) {
          // Fitted to the card's room here, on the worker, not on the
          // window's thread.
          image = ToQImage(*picture);
          if (image.width() > target.width || image.height() > target.height) {
            image = image.scaled(target.width, target.height, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
          }
          image.setDevicePixelRatio(ratio);
        }
        post->Post([this, position, generation, image = std::move(image)] {
          if (generation != generation_) return;
          --pending_;
          if (!image.isNull()) model_.SetPicture(position, image);
        });
      });
}

}  // namespace vaticor
