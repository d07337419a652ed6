#include "library/picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/picture_loader.h"

namespace vaticor {
namespace {

// Every pixel distinct, so a misplaced one shows.
Picture NumberedPicture(int w, int h) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      p.setPixel(x, y, 0x80000000u | static_cast<std::uint32_t>(y * 1000 + x));
  }
  return p;
}

TEST(PictureTest, StartsOpaqueBlackAndClampsNegativeSizes) {
  Picture p(3, 2);
  EXPECT_EQ(p.size(), (PictureSize{3, 2}));
  for (std::uint32_t px : p.pixels()) EXPECT_EQ(px, 0xFF000000u);

  Picture negative(-4, 5);
  EXPECT_EQ(negative.size(), (PictureSize{0, 5}));
  EXPECT_TRUE(negative.pixels().empty());
  EXPECT_TRUE(negative.size().empty());
}

class ReversedPictureTest : public ::testing::TestWithParam<PictureSize> {};

TEST_P(ReversedPictureTest, TurnsByHalfATurnAndLeavesTheSourceAlone) {
  const PictureSize size = GetParam();
  const Picture source = NumberedPicture(size.width, size.height);
  const std::vector<std::uint32_t> before = source.pixels();

  const std::unique_ptr<Picture> reversed = MakeReversedPicture(source);
  ASSERT_NE(reversed, nullptr);
  ASSERT_EQ(reversed->size(), size);
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      ASSERT_EQ(reversed->pixel(x, y), source.pixel(size.width - 1 - x, size.height - 1 - y))
          << "at " << x << "," << y;
    }
  }
  EXPECT_EQ(source.pixels(), before);
  EXPECT_EQ(MakeReversedPicture(*reversed)->pixels(), before);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReversedPictureTest,
                         ::testing::Values(PictureSize{4, 6}, PictureSize{5, 7}, PictureSize{4, 3},
                                           PictureSize{3, 4}, PictureSize{1, 5}, PictureSize{5, 1},
                                           PictureSize{1, 1}, PictureSize{0, 0}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

TEST(PictureFormatTest, RecognisesExtensionsWithoutRegardToCase) {
  EXPECT_EQ(PictureFormatOf("cards/fool.bmp"), PictureFormat::Bmp);
  EXPECT_EQ(PictureFormatOf("cards/FOOL.BMP"), PictureFormat::Bmp);
  EXPECT_EQ(PictureFormatOf("fool.jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("fool.JpEg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("fool.Png"), PictureFormat::Png);
  EXPECT_EQ(PictureFormatOf("C:\\Decks\\Major.Arcana\\fool.png"), PictureFormat::Png);
  EXPECT_EQ(PictureFormatOf("deck.old/fool.copy.jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("minor_arcana/cups/ace.WebP"), PictureFormat::Webp);
  EXPECT_EQ(PictureFormatOf("scalable/00.svg"), PictureFormat::Svg);
}

std::string ErrorFor(std::string_view path) {
  try {
    PictureFormatOf(path);
  } catch (const UnknownPictureExtensionError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(PictureFormatTest, UnknownExtensionsGiveTheUserVisibleMessage) {
  EXPECT_EQ(ErrorFor("fool.gif"), "Unknown picture file extension (.gif)");
  EXPECT_EQ(ErrorFor("fool.TIFF"), "Unknown picture file extension (.TIFF)");
  EXPECT_EQ(ErrorFor("fool.bmp.bak"), "Unknown picture file extension (.bak)");
  EXPECT_EQ(ErrorFor("fool"), "Unknown picture file extension (.)");
  EXPECT_EQ(ErrorFor("fool."), "Unknown picture file extension (.)");
  EXPECT_EQ(ErrorFor(""), "Unknown picture file extension (.)");
  // A dot in a folder name is no extension of the file.
  EXPECT_EQ(ErrorFor("deck.jpg/fool"), "Unknown picture file extension (.)");
  EXPECT_EQ(ErrorFor("deck.png\\fool"), "Unknown picture file extension (.)");
  EXPECT_EQ(ErrorFor("fool.jpgx"), "Unknown picture file extension (.jpgx)");
}

// A 400 x 680 card in a 424 x 506 window came out 42 % too wide: a
// picture keeps its own proportions, fitted into the area.
TEST(DeliveredSizeTest, AFittedTargetKeepsThePicturesProportions) {
  EXPECT_EQ(FittedTarget({400, 680}, {424, 506}), (PictureSize{298, 506}));
  EXPECT_EQ(FittedTarget({1600, 2400}, {165, 291}), (PictureSize{165, 248}));
  EXPECT_EQ(FittedTarget({100, 2400}, {165, 291}), (PictureSize{12, 291}));
  EXPECT_EQ(FittedTarget({2'000'000'000, 1}, {165, 291}), (PictureSize{165, 1}));
  EXPECT_EQ(FittedTarget({2'147'483'647, 2'147'483'646}, {2'147'483'647, 5}), (PictureSize{5, 5}));
  EXPECT_EQ(FittedTarget({400, 680}, {}), (PictureSize{}));
  // A size once fitted fits to itself (358.4 rounds down, and the height
  // must not then set a narrower width).
  EXPECT_EQ(FittedTarget({2000, 700}, {1024, 768}), (PictureSize{1024, 358}));
  EXPECT_EQ(FittedTarget({2000, 700}, {1024, 358}), (PictureSize{1024, 358}));
  EXPECT_EQ(FitProportions({0, 680}, {424, 506}), (PictureSize{424, 506}));
}

TEST(DeliveredSizeTest, FollowsTheTargetButNeverEnlarges) {
  EXPECT_EQ(DeliveredSize({1600, 2400}, {165, 291}), (PictureSize{165, 291}));
  EXPECT_EQ(DeliveredSize({100, 2400}, {165, 291}), (PictureSize{100, 291}));
  EXPECT_EQ(DeliveredSize({2'000'000'000, 1}, {165, 291}), (PictureSize{165, 1}));
  EXPECT_EQ(DeliveredSize({40, 30}, {400, 300}), (PictureSize{40, 30}));
  // No target, or half of one: the full size.
  EXPECT_EQ(DeliveredSize({1600, 2400}, {}), (PictureSize{1600, 2400}));
  EXPECT_EQ(DeliveredSize({1600, 2400}, {165, 0}), (PictureSize{1600, 2400}));
  EXPECT_EQ(DeliveredSize({1600, 2400}, {-5, 291}), (PictureSize{1600, 2400}));
}

}  // namespace
}  // namespace vaticor
