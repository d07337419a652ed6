#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "ui/program_state.h"

namespace vaticor {

class ResultPost;

// The gallery's cards as a list model: the current deck's cards in
// position order, the rows those the filter keeps (SetShown). Each row
// shows the card's name and its small picture once decoded (a blank card
// until then), and its hint, asked of `hint` when first shown and kept
// until ForgetHints.
class GalleryCardsModel : public QAbstractListModel {
  Q_OBJECT
 public:
  struct Card {
    std::int32_t position = 0;
    std::int32_t identity = -1;  // -1: none
    QString name;
  };
  // A card's picture as decoded, in device pixels at a ratio of 1.
  static constexpr int kPictureWidth = 84;
  static constexpr int kPictureHeight = 134;

  explicit GalleryCardsModel(QObject* parent = nullptr);

  // Every card of a deck; the pictures and hints of the deck before go.
  void SetDeck(std::vector<Card> cards);
  const std::vector<Card>& Cards() const { return cards_; }
  // The rows: these positions, in this order.
  void SetShown(std::vector<std::int32_t> positions);
  const Card* CardAt(int row) const;
  int RowOf(std::int32_t position) const;  // -1 when not shown

  void SetPicture(std::int32_t position, const QImage& picture);
  bool HasPicture(std::int32_t position) const { return pictures_.contains(position); }
  // The hint of a card by its position (rich text is not taken).
  void SetHintSource(std::function<QString(std::int32_t position)> hint);
  void ForgetHints();
  // The blank card shown while a picture is not there, for `ratio` device
  // pixels a pixel.
  void SetPixelRatio(qreal ratio);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<Card> cards_;          // by position
  std::vector<std::int32_t> shown_;  // the rows' positions
  std::map<std::int32_t, QPixmap> pictures_;
  mutable std::map<std::int32_t, QString> hints_;
  std::function<QString(std::int32_t)> hint_;
  QPixmap blank_;
};

// Has the current deck's small pictures decoded on the picture workers
// (through the program's loader, the picture cache), those asked first
// before the rest, each handed to the model as it comes.
class GalleryPictures {
 public:
  GalleryPictures(ProgramState& state, GalleryCardsModel& model, QObject* receiver);
  ~GalleryPictures();
  GalleryPictures(const GalleryPictures&) = delete;
  GalleryPictures& operator=(const GalleryPictures&) = delete;

  // Another deck: what was asked of the one before is dropped as it comes.
  void Reset();
  // Asks for the pictures of `first` (positions), then of every other card
  // of the deck, none twice; `ratio` device pixels a pixel.
  void Request(const std::vector<std::int32_t>& first, qreal ratio);
  // Pictures asked for and not yet come (nor found missing).
  int Pending() const { return pending_; }

 private:
  void Ask(std::int32_t position, double rank, qreal ratio);

  ProgramState& state_;
  GalleryCardsModel& model_;
  std::shared_ptr<ResultPost> post_;
  std::set<std::int32_t> asked_;
  std::uint64_t generation_ = 0;
  double rank_ = 0;
  int pending_ = 0;
};

}  // namespace vaticor
