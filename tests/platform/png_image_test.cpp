#include "platform/png_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>

namespace vaticor {
namespace {

QByteArray PngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "PNG"));
  return bytes;
}

TEST(PngImage, DecodesEveryPixelWithItsTransparency) {
  QImage image(5, 3, QImage::Format_ARGB32);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgba(40 * x, 80 * y, 200, 50 * x + 10));
  }
  const QImage decoded = DecodePng(PngOf(image));
  ASSERT_EQ(decoded.size(), QSize(5, 3));
  EXPECT_EQ(decoded.format(), QImage::Format_ARGB32);
  EXPECT_EQ(decoded.pixel(0, 0), qRgba(0, 0, 200, 10));
  EXPECT_EQ(decoded.pixel(4, 2), qRgba(160, 160, 200, 210));
  EXPECT_EQ(decoded, image);

  // Palette and grey pictures come out as the same 0xAARRGGBB words.
  const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
  EXPECT_EQ(DecodePng(PngOf(grey)), grey.convertToFormat(QImage::Format_ARGB32));
  const QImage palette = image.convertToFormat(QImage::Format_Indexed8);
  EXPECT_EQ(DecodePng(PngOf(palette)), palette.convertToFormat(QImage::Format_ARGB32));
}

TEST(PngImage, BrokenMissingAndHugePicturesAreNull) {
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(Qt::red);
  const QByteArray good = PngOf(image);
  EXPECT_TRUE(DecodePng(QByteArray()).isNull());
  EXPECT_TRUE(DecodePng("not a picture").isNull());
  EXPECT_TRUE(DecodePng(good.left(good.size() / 2)).isNull()) << "cut short";
  QByteArray corrupt = good;
  const qsizetype pixels = corrupt.indexOf("IDAT") + 6;
  ASSERT_GT(pixels, 6);
  corrupt[pixels] = static_cast<char>(corrupt[pixels] ^ 0x5a);
  EXPECT_TRUE(DecodePng(corrupt).isNull()) << "damaged pixel data fails its check";
  EXPECT_TRUE(ReadPngResource(":/no/such/picture.png").isNull());

  QImage wide(16385, 1, QImage::Format_ARGB32);
  wide.fill(Qt::blue);
  EXPECT_TRUE(DecodePng(PngOf(wide)).isNull());
}

}  // namespace
}  // namespace vaticor
