#pragma once

#include <QImage>

namespace vaticor::testing {

// The card whose picture an image shows, as FakePictureLoader tags it (the
// number in the top-left pixel); negative when the picture is turned by 180
// degrees (the number then in the bottom-right pixel); -1000 for none.
inline int PictureTag(const QImage& picture) {
  if (picture.isNull()) return -1000;
  const unsigned topLeft = picture.pixel(0, 0) & 0xFFFFFFu;
  const unsigned bottomRight = picture.pixel(picture.width() - 1, picture.height() - 1) & 0xFFFFFFu;
  return bottomRight != 0 ? -static_cast<int>(bottomRight) : static_cast<int>(topLeft);
}

}  // namespace vaticor::testing
