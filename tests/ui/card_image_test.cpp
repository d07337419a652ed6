// A card's picture in the kit: decoded at the size it is shown, turned when
// asked, stretched while the size changes and decoded afresh once after.
#include "ui/chrome/card_image.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

namespace vaticor {
namespace {

constexpr std::uint32_t kLeft = 0xFF'FF'00'00;   // red
constexpr std::uint32_t kRight = 0xFF'00'00'FF;  // blue

class CardImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Sizes change (and are told) only for an image on show.
    window.resize(200, 200);
    window.show();
    image.resize(60, 100);
    image.SetPictureSource([this](std::int32_t card, PictureSize size) {
      asked.push_back({card, size});
      std::unique_ptr<Picture> picture;
      if (card != missing) {
        // Left half red, right half blue: a turned picture shows blue left.
        picture = std::make_unique<Picture>(size.width, size.height);
        for (int y = 0; y < size.height; ++y) {
          for (int x = 0; x < size.width; ++x)
            picture->setPixel(x, y, x < size.width / 2 ? kLeft : kRight);
        }
      }
      return picture;
    });
  }
  // Lets the event loop run until the re-decode is due, and a little more.
  static void WaitPastTheSharpenDelay() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < TCardImage::kSharpenDelayMs + 150) QCoreApplication::processEvents();
  }
  std::uint32_t LeftPixel() const { return image.Picture().pixel(0, 0); }

  struct Asked {
    std::int32_t card;
    PictureSize size;
  };
  QWidget window;
  TCardImage image{&window};
  std::vector<Asked> asked;
  std::int32_t missing = -1;
};

TEST_F(CardImageTest, ACardIsDecodedAtTheSizeShownAndTurnedWhenAsked) {
  image.ShowCard(14, false);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].card, 14);
  EXPECT_EQ(asked[0].size, (PictureSize{60, 100}));
  EXPECT_EQ(image.Picture().size(), QSize(60, 100));
  EXPECT_EQ(LeftPixel(), kLeft);
  image.ShowCard(14, true);
  EXPECT_EQ(LeftPixel(), kRight);
  // A card the deck has no picture for shows none.
  missing = 3;
  image.ShowCard(3, false);
  EXPECT_FALSE(image.HasPicture());
}

TEST_F(CardImageTest, ASizeThatChangesIsDecodedAfreshOnceItRests) {
  image.ShowCard(5, true);
  asked.clear();
  for (int width = 61; width <= 80; ++width) image.resize(width, 130);
  EXPECT_TRUE(asked.empty()) << "nothing decoded while the size changes";
  WaitPastTheSharpenDelay();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].size, (PictureSize{80, 130}));
  EXPECT_EQ(LeftPixel(), kRight) << "still turned";
  // A card whose file went away since keeps the picture it has.
  missing = 5;
  image.resize(40, 70);
  WaitPastTheSharpenDelay();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(image.Picture().size(), QSize(80, 130));
}

TEST_F(CardImageTest, APictureLeftForLaterComesOnlyWhenAskedForAndAForgottenCardNever) {
  image.ShowCard(7, false, /*decodeLater=*/true);
  EXPECT_TRUE(asked.empty());
  EXPECT_FALSE(image.HasPicture());
  EXPECT_TRUE(image.DecodePendingPicture());
  EXPECT_FALSE(image.DecodePendingPicture());
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_TRUE(image.HasPicture());

  image.ForgetCard();
  EXPECT_FALSE(image.HasPicture());
  image.resize(90, 150);
  WaitPastTheSharpenDelay();
  EXPECT_EQ(asked.size(), 1u) << "a forgotten card is not decoded again";
}

}  // namespace
}  // namespace vaticor
