#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "library/picture.h"
#include "library/picture_loader.h"

namespace vaticor {

// A card's picture stretched over an image, with the card's signed value
// (magnitude: card position; negative: reversed; the window says what an
// empty one holds). Whether it shows a card is told by the picture alone.
//
// The one way a card's picture is shown, in the main window's card images
// and in the card windows of a spread: ShowCard decodes the card's picture
// at the size it is shown (a picture costs memory for that size, whatever
// its file declares), turned by 180 degrees when asked. While the image's
// size changes the picture held is stretched; kSharpenDelayMs after the last
// change it is decoded afresh at the new size, once.
class TCardImage : public QWidget {
  Q_OBJECT
 public:
  // How long after the last size change the picture is decoded afresh.
  static constexpr int kSharpenDelayMs = 150;
  // The picture of card `card` of the current deck decoded for `size`
  // (pixels); none when the deck has no such card. May raise what the
  // deck's lookups raise (an unknown picture extension).
  using PictureSource =
      std::function<std::unique_ptr<vaticor::Picture>(std::int32_t card, PictureSize size)>;

  explicit TCardImage(QWidget* parent);

  int Number() const { return number_; }
  void SetNumber(int number) { number_ = number; }
  bool HasPicture() const { return !picture_.isNull(); }
  const QImage& Picture() const { return picture_; }
  void SetPicture(QImage picture);
  void ClearPicture();

  // The pixel size the picture should be decoded at to show sharply.
  QSize DisplaySize() const;

  // --- A card of the current deck ---
  void SetPictureSource(PictureSource source) { source_ = std::move(source); }
  // Shows card `card` (a card position), turned when `turned`; no picture
  // when the deck has none for it. With `decodeLater` nothing is decoded
  // until DecodePendingPicture (a spread of many cards stands at once and
  // its pictures follow).
  void ShowCard(std::int32_t card, bool turned, bool decodeLater = false);
  // Decodes the picture ShowCard left for later; false when none was left.
  bool DecodePendingPicture();
  // No card any more: the picture goes (a card turned face down keeps its
  // value, which is the window's).
  void ForgetCard();

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct ShownCard {
    std::int32_t card = 0;
    bool turned = false;
  };
  // The picture of the card shown, at the size shown; the picture held
  // stays when `keepWhenMissing` and the deck has none now (a resize never
  // blanks a card whose file went away).
  void Decode(bool keepWhenMissing);

  QImage picture_;
  int number_ = -1;
  bool pressed_ = false;
  PictureSource source_;
  std::optional<ShownCard> shown_;
  bool pending_ = false;
  QTimer sharpen_;
};

}  // namespace vaticor
