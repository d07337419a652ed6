#pragma once

#include <QImage>
#include <QWidget>

namespace vaticor {

// One of the main window's three card images: the picture of a drawn card,
// stretched over the image, and the card's signed value (magnitude: card
// position; negative: reversed; -1 when cleared). Whether it shows a card is
// told by the picture alone.
class TCardImage : public QWidget {
  Q_OBJECT
 public:
  explicit TCardImage(QWidget* parent);

  int Number() const { return number_; }
  void SetNumber(int number) { number_ = number; }
  bool HasPicture() const { return !picture_.isNull(); }
  const QImage& Picture() const { return picture_; }
  void SetPicture(QImage picture);
  void ClearPicture();

  // The pixel size the picture should be decoded at to show sharply.
  QSize DisplaySize() const;

 signals:
  void clicked();
  // The image grew past the picture it holds: a sharper one is wanted.
  void wantsSharperPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
  int number_ = -1;
  bool pressed_ = false;
};

}  // namespace vaticor
