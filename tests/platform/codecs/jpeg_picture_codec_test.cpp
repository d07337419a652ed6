// The picture cache's copies through libjpeg: the key comes back from the
// comment segment, the picture at the size asked, and a broken copy is none.
#include "platform/codecs/jpeg_picture_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vaticor {
namespace {

TEST(JpegPictureCodec, ACopyKeepsItsKeyAndDecodesAtTheSizeAsked) {
  Picture picture(461, 768);
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 461; ++x) picture.setPixel(x, y, x < 230 ? 0xFF'C0'20'20 : 0xFF'20'20'C0);
  }
  const PictureCacheKey key{
      "/home/u/Decks/big/5.jpg", 4'500'000, 1'700'000'000'123'456'789, {3000, 5000}, {461, 768}};
  JpegPictureCodec codec;
  const std::optional<std::string> bytes = codec.EncodeJpeg(picture, EncodePictureCacheKey(key));
  ASSERT_TRUE(bytes);
  const std::optional<std::string_view> comment = JpegComment(*bytes);
  ASSERT_TRUE(comment);
  EXPECT_EQ(DecodePictureCacheKey(*comment), key);

  const std::unique_ptr<Picture> whole = codec.DecodeJpeg(*bytes, {});
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->size(), (PictureSize{461, 768}));
  const std::unique_ptr<Picture> small = codec.DecodeJpeg(*bytes, {104, 173});
  ASSERT_TRUE(small);
  EXPECT_EQ(small->size(), (PictureSize{104, 173}));
  // Colours survive the lossy round trip closely: red left, blue right.
  const std::uint32_t left = small->pixel(10, 80), right = small->pixel(95, 80);
  EXPECT_GT(left >> 16 & 0xFF, 0xA0u);
  EXPECT_LT(left & 0xFF, 0x50u);
  EXPECT_GT(right & 0xFF, 0xA0u);

  EXPECT_FALSE(codec.DecodeJpeg(bytes->substr(0, bytes->size() / 2), {104, 173}));
  EXPECT_FALSE(codec.EncodeJpeg(picture, std::string(70000, 'k'))) << "longer than a segment";
}

}  // namespace
}  // namespace vaticor
