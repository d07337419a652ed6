#include "platform/picture_image.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(PictureImageTest, CopiesEveryPixelIntoAnIndependentImage) {
  Picture picture(3, 2);
  picture.setPixel(0, 0, 0x80FF0000u);
  picture.setPixel(2, 1, 0xFF00FF00u);
  picture.setPixel(1, 1, 0x00000000u);

  const QImage image = ToQImage(picture);
  ASSERT_EQ(image.format(), QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.pixel(x, y), picture.pixel(x, y));
  }
  picture.setPixel(0, 0, 0xFFFFFFFFu);
  EXPECT_EQ(image.pixel(0, 0), 0x80FF0000u);

  EXPECT_TRUE(ToQImage(Picture(0, 5)).isNull());
}

}  // namespace
}  // namespace vaticor
