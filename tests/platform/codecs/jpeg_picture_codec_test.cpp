// The picture cache's copies through libjpeg: the key comes back from the
// comment segment, the picture at the size asked, and a broken copy is none.
#include "platform/codecs/jpeg_picture_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "support/temp_dir.h"

namespace vaticor {
namespace {

// A red card of 1200 x 2000 pixels with rounded, smoothed corners, drawn at
// the size asked as a drawing is: its transparent ground black, as a
// drawing's ground is once its colours are no longer premultiplied.
class RoundedCard : public PictureLoader {
 public:
  static constexpr PictureSize kFull{1200, 2000};
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize target) override {
    ++loads;
    const PictureSize size = DeliveredSize(kFull, FittedTarget(kFull, target));
    const double radius = size.width / 8.0;
    auto picture = std::make_unique<Picture>(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        // Beyond the corner's circle, by the distance from its centre.
        const double dx = std::max(0.0, radius - std::min(x + 0.5, size.width - x - 0.5));
        const double dy = std::max(0.0, radius - std::min(y + 0.5, size.height - y - 0.5));
        const double inside = std::clamp(radius - std::hypot(dx, dy) + 0.5, 0.0, 1.0);
        const auto alpha = static_cast<std::uint32_t>(std::lround(inside * 255));
        picture->setPixel(x, y, alpha == 0 ? 0 : alpha << 24 | 0xE0'10'10);
      }
    }
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override { return kFull; }
  int loads = 0;
};

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

TEST(JpegPictureCodec, ATransparentCardsCopyKeepsItsCornersAndTheColourOfItsEdges) {
  const testing::TempDir dir;
  const std::string card = dir.Write("deck/1.svg", "a drawing");
  RoundedCard originals;
  JpegPictureCodec codec;
  CachedPictureLoader cache(originals, codec, dir.Path("cache"));
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Svg, {1024, 768}));
  const int loads = originals.loads;
  // The copy's size, half of it (libjpeg's own scaling) and less.
  for (const PictureSize target : {PictureSize{461, 768}, {230, 384}, {104, 173}}) {
    const std::unique_ptr<Picture> picture = cache.Load(card, PictureFormat::Svg, target);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->size(), target);
    EXPECT_EQ(picture->pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(picture->pixel(target.width - 1, target.height - 1) >> 24, 0u);
    EXPECT_EQ(picture->pixel(target.width / 2, target.height / 2) >> 24, 0xFFu);
    // Every pixel that shows at all is the card's red, the edges too.
    int off = 0;
    for (const std::uint32_t argb : picture->pixels()) {
      if (argb >> 24 >= 0x10) off += (argb >> 16 & 0xFF) < 0xC0 || (argb >> 8 & 0xFF) > 0x40;
    }
    EXPECT_EQ(off, 0) << target.width;
  }
  EXPECT_EQ(originals.loads, loads) << "all from the copy";
}

}  // namespace
}  // namespace vaticor
