#pragma once

#include <QPixmap>
#include <QWidget>

namespace vaticor {

// The skin picture `resource` (":/skin/close.png") for the screens in use:
// on a high-density screen its "@2x" drawing when there is one. Decoded
// once for the run; a missing or broken picture gives an empty one.
QPixmap SkinPicture(const QString& resource);

// A skin element: a picture stretched to the element's size (or drawn at
// its own size), optionally see-through where the picture has the colour of
// its lower-left pixel, with an optional tag and hint. It reports clicks;
// moving and resizing are the chrome's (SkinChrome). Once something follows
// its clicks it is a button to the keyboard and to screen readers
// (MakeAccessibleButton, named by its hint); until then it is decoration.
class TSkinImage : public QWidget {
  Q_OBJECT
 public:
  enum class Drawing { Stretch, Natural };

  // `resource` is a skin picture such as ":/skin/close.png"; a button whose
  // `colourKey` is set is transparent where it has its lower-left pixel's
  // colour.
  TSkinImage(QWidget* parent, const QString& resource, bool colourKey = false,
             Drawing drawing = Drawing::Stretch);

  void setTag(int tag) { tag_ = tag; }
  int tag() const { return tag_; }
  void setPicture(const QPixmap& picture);
  const QPixmap& picture() const { return picture_; }

 signals:
  void clicked();  // left button pressed and released over the image
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void connectNotify(const QMetaMethod& signal) override;

 private:
  QPixmap picture_;
  Drawing drawing_;
  bool colourKey_ = false;
  int tag_ = 0;
  bool pressed_ = false;
};

// A skin element named as the window's layout names it, with its tag.
TSkinImage* MakeSkinImage(QWidget* parent, const char* objectName, const QString& resource,
                          int tag = 0, bool colourKey = false,
                          TSkinImage::Drawing drawing = TSkinImage::Drawing::Stretch);

}  // namespace vaticor
