#include "platform/picture_image.h"

#include <cstring>

namespace vaticor {

QImage ToQImage(const Picture& picture) {
  if (picture.width() <= 0 || picture.height() <= 0) return QImage();
  QImage image(picture.width(), picture.height(), QImage::Format_ARGB32);
  if (image.isNull()) return image;  // allocation refused
  const std::size_t rowBytes = static_cast<std::size_t>(picture.width()) * sizeof(std::uint32_t);
  for (int y = 0; y < picture.height(); ++y) {
    std::memcpy(image.scanLine(y), picture.row(y), rowBytes);
  }
  return image;
}

}  // namespace vaticor
