#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "library/picture.h"
#include "library/picture_loader.h"
#include "library/picture_workers.h"
#include "ui/chrome/thread_results.h"

namespace vaticor {

// A card's picture fitted into an image with its own proportions, centred,
// with the card's signed value
// (magnitude: card position; negative: reversed; the window says what an
// empty one holds). Whether it shows a card is told by the picture alone.
//
// The one way a card's picture is shown, in the main window's card images
// and in the card windows of a spread: ShowCard decodes the card's picture
// at the size it is shown (a picture costs memory for that size, whatever
// its file declares), turned by 180 degrees when asked. While the image's
// size changes the picture held is scaled; kSharpenDelayMs after the last
// change it is decoded afresh at the new size, once, on a worker thread.
//
// Decoding goes through the program's PictureWorkers: a card shown at once
// (ShowCard, ShowCardsTogether) waits for its picture, several shown
// together decode in parallel; a card whose picture may follow
// (RequestPendingPicture, the sharpening) gets it from a worker when it is
// done. A result for a card the image no longer shows (re-dealt, forgotten,
// the image gone) is dropped.
class TCardImage : public QWidget {
  Q_OBJECT
 public:
  // How long after the last size change the picture is decoded afresh.
  static constexpr int kSharpenDelayMs = 150;
  // The picture file of card `card` of the current deck; none when the deck
  // has no such card. May raise what the deck's lookups raise (an unknown
  // picture extension).
  using PictureSource = std::function<std::optional<PictureFile>(std::int32_t card)>;

  explicit TCardImage(QWidget* parent);
  ~TCardImage() override;

  int Number() const { return number_; }
  void SetNumber(int number) { number_ = number; }
  bool HasPicture() const { return !picture_.isNull(); }
  const QImage& Picture() const { return picture_; }
  // A picture decoded for the image's present DisplaySize.
  void SetPicture(QImage picture);
  void ClearPicture();
  // Where the picture is drawn, in the image's pixels: its proportions
  // fitted into the image, centred; empty without a picture.
  QRect PictureRect() const;

  // The pixel size the picture should be decoded at to show sharply.
  QSize DisplaySize() const;

  // --- A card of the current deck ---
  void SetPictureSource(PictureSource source, PictureWorkers& workers);
  // Shows card `card` (a card position), turned when `turned`; no picture
  // when the deck has none for it. With `decodeLater` nothing is decoded
  // until RequestPendingPicture (a spread of many cards stands at once and
  // its pictures follow).
  void ShowCard(std::int32_t card, bool turned, bool decodeLater = false);
  // ShowCard for several images at once, their pictures decoded in
  // parallel; each image takes its number (when given) and asks its source
  // in turn first, so a lookup that raises leaves the images before it
  // showing their cards and those after it as they were.
  struct Showing {
    TCardImage* image;
    std::int32_t card;
    bool turned;
    std::optional<int> number;
  };
  static void ShowCardsTogether(std::span<const Showing> showings);
  // Has the picture ShowCard left for later decoded on a worker, before
  // pictures of a higher `rank`; false when none was left.
  bool RequestPendingPicture(double rank);
  // True from ShowCard with `decodeLater` until the requested picture
  // arrived or the card was forgotten.
  bool AwaitsPicture() const { return pending_ || awaited_; }
  // No card any more: the picture goes (a card turned face down keeps its
  // value, which is the window's).
  void ForgetCard();

  // What the image shows while it has no picture (an empty position, a card
  // face down): the position's number and the first words of what it means
  // (UTF-8, plain text), fitted to the image (PositionFaceLines) in the
  // window's font, never drawn outside it. Nothing until set.
  void SetFace(std::int64_t number, std::string meaning);
  // The face's lines at the image's present size; none while a picture is
  // shown or awaited.
  std::vector<std::string> FaceLines() const;
  // Room kept free around the face's text, in pixels.
  static constexpr int kFaceMargin = 3;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Followed by a window, its clicks make it a button (MakeAccessibleButton)
  // that the window names after the card it shows (SpeakCard).
  void connectNotify(const QMetaMethod& signal) override;

 private:
  struct ShownCard {
    std::int32_t card = 0;
    bool turned = false;
  };
  // The decode of the card shown at the size shown; none when the deck has
  // no picture for it. May raise what the source raises.
  std::optional<PictureWorkers::Job> JobForShownCard();
  // Puts a decoded picture up, turned as the card is; none clears.
  void Present(std::unique_ptr<vaticor::Picture> picture, QSize decodedFor);
  void SetPicture(QImage picture, QSize decodedFor);
  // Has the shown card's picture decoded on a worker; the picture held
  // stays when `keepWhenMissing` and the deck has none now (a resize never
  // blanks a card whose file went away).
  void Request(double rank, bool keepWhenMissing);

  QImage picture_;
  // The display size the picture was decoded for: a sharper one is due
  // when the image's size differs (the picture itself keeps its file's
  // proportions, so its own size tells nothing).
  QSize decodedFor_;
  int number_ = -1;
  bool pressed_ = false;
  PictureSource source_;
  PictureWorkers* workers_ = nullptr;
  std::shared_ptr<ResultPost> post_;
  std::optional<ShownCard> shown_;
  bool pending_ = false;
  bool awaited_ = false;
  std::uint64_t generation_ = 0;  // what a result must carry to be shown
  QTimer sharpen_;
  std::optional<std::int64_t> faceNumber_;
  std::string faceMeaning_;
};

}  // namespace vaticor
