#include "platform/png_image.h"

#include <QFile>

#ifdef VATICOR_WITH_LIBPNG
#include <png.h>
#endif

namespace vaticor {

QImage DecodePng(const QByteArray& bytes) {
#ifdef VATICOR_WITH_LIBPNG
  constexpr png_uint_32 kLargestSide = 16384;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  // Freed on every way out; libpng frees it itself on a failed read, and a
  // second free does nothing.
  struct Free {
    png_image& png;
    ~Free() { png_image_free(&png); }
  } freed{png};
  if (!png_image_begin_read_from_memory(&png, bytes.constData(),
                                        static_cast<png_size_t>(bytes.size())) ||
      png.width == 0 || png.height == 0 || png.width > kLargestSide || png.height > kLargestSide) {
    return QImage();
  }
  // Blue, green, red, alpha in memory: the 0xAARRGGBB words of ARGB32 on a
  // little-endian machine; libpng gives them not premultiplied, as ARGB32
  // holds them.
  png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
  if (image.isNull() ||
      !png_image_finish_read(&png, nullptr, image.bits(),
                             static_cast<png_int_32>(image.bytesPerLine()), nullptr)) {
    return QImage();
  }
  return image;
#else
  return QImage::fromData(bytes, "PNG");
#endif
}

QImage ReadPngResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QImage();
  return DecodePng(file.readAll());
}

}  // namespace vaticor
