// A card's picture in the kit: decoded at the size it is shown, turned when
// asked, stretched while the size changes and decoded afresh once after;
// pictures that come from the workers go only to the card they were asked
// for.
// Test labels: threads
#include "ui/chrome/card_image.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "support/qt/recorded_messages.h"

namespace vaticor {
namespace {

constexpr std::uint32_t kLeft = 0xFF'FF'00'00;   // red
constexpr std::uint32_t kRight = 0xFF'00'00'FF;  // blue

// Pictures of any size: left half red, right half blue (a turned picture
// shows blue left), the card's number in the green of every pixel.
// "card<N>" names card N; a card listed as missing has no picture. Decodes
// wait while the gate is shut.
class PaintingLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat, PictureSize size) override {
    const int card = std::stoi(path.substr(4));
    {
      std::unique_lock lock(mutex_);
      asked_.push_back({card, size, std::this_thread::get_id()});
      opened_.wait(lock, [this] { return open_; });
      if (card == missing_) return nullptr;
    }
    auto picture = std::make_unique<Picture>(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x)
        picture->setPixel(
            x, y,
            (x < size.width / 2 ? kLeft : kRight) | static_cast<std::uint32_t>(card & 0xFF) << 8);
    }
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return std::nullopt;
  }

  struct Request {
    std::int32_t card;
    PictureSize size;
    std::thread::id thread;
  };
  std::vector<Request> Asked() {
    std::lock_guard lock(mutex_);
    return asked_;
  }
  void ClearAsked() {
    std::lock_guard lock(mutex_);
    asked_.clear();
  }
  void SetMissing(std::int32_t card) {
    std::lock_guard lock(mutex_);
    missing_ = card;
  }
  void SetGateOpen(bool open) {
    {
      std::lock_guard lock(mutex_);
      open_ = open;
    }
    opened_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  std::vector<Request> asked_;
  std::int32_t missing_ = -1;
  bool open_ = true;
};

using PictureSource = TCardImage::PictureSource;

PictureSource CardFiles() {
  return [](std::int32_t card) { return PictureFile{"card" + std::to_string(card), {}}; };
}

class CardImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Sizes change (and are told) only for an image on show.
    window.resize(400, 200);
    window.show();
    image->resize(60, 100);
    image->SetPictureSource(CardFiles(), workers);
  }
  void TearDown() override { loader.SetGateOpen(true); }
  // Lets the event loop run until the re-decode is due, and a little more.
  void WaitPastTheSharpenDelay() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < TCardImage::kSharpenDelayMs + 150) QCoreApplication::processEvents();
    workers.WaitForDecodes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  }
  std::uint32_t LeftPixel() const { return image->Picture().pixel(0, 0) & 0xFF'FF'00'FF; }
  static std::int32_t CardOf(const TCardImage& shown) {
    return static_cast<std::int32_t>(shown.Picture().pixel(0, 0) >> 8 & 0xFF);
  }

  PaintingLoader loader;
  PictureWorkers workers{loader, 2};
  QWidget window;
  TCardImage* image = new TCardImage(&window);
};

TEST_F(CardImageTest, ACardIsDecodedAtTheSizeShownAndTurnedWhenAsked) {
  image->ShowCard(14, false);
  ASSERT_EQ(loader.Asked().size(), 1u);
  EXPECT_EQ(loader.Asked()[0].card, 14);
  EXPECT_EQ(loader.Asked()[0].size, (PictureSize{60, 100}));
  EXPECT_EQ(image->Picture().size(), QSize(60, 100));
  EXPECT_EQ(LeftPixel(), kLeft);
  image->ShowCard(14, true);
  EXPECT_EQ(LeftPixel(), kRight);
  // A card the deck has no picture for shows none.
  loader.SetMissing(3);
  image->ShowCard(3, false);
  EXPECT_FALSE(image->HasPicture());
}

TEST_F(CardImageTest, ASizeThatChangesIsDecodedAfreshOnceItRests) {
  image->ShowCard(5, true);
  loader.ClearAsked();
  for (int width = 61; width <= 80; ++width) image->resize(width, 130);
  EXPECT_TRUE(loader.Asked().empty()) << "nothing decoded while the size changes";
  WaitPastTheSharpenDelay();
  ASSERT_EQ(loader.Asked().size(), 1u);
  EXPECT_EQ(loader.Asked()[0].size, (PictureSize{80, 130}));
  EXPECT_NE(loader.Asked()[0].thread, std::this_thread::get_id()) << "off the window's thread";
  EXPECT_EQ(image->Picture().size(), QSize(80, 130));
  EXPECT_EQ(LeftPixel(), kRight) << "still turned";
  // A card whose file went away since keeps the picture it has.
  loader.SetMissing(5);
  image->resize(40, 70);
  WaitPastTheSharpenDelay();
  EXPECT_EQ(loader.Asked().size(), 2u);
  EXPECT_EQ(image->Picture().size(), QSize(80, 130));
}

TEST_F(CardImageTest, APictureLeftForLaterComesOnlyWhenAskedForAndAForgottenCardNever) {
  image->ShowCard(7, false, /*decodeLater=*/true);
  EXPECT_TRUE(loader.Asked().empty());
  EXPECT_FALSE(image->HasPicture());
  EXPECT_TRUE(image->AwaitsPicture());
  EXPECT_TRUE(image->RequestPendingPicture(1.0));
  EXPECT_FALSE(image->RequestPendingPicture(1.0));
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return image->HasPicture(); }));
  EXPECT_FALSE(image->AwaitsPicture());
  EXPECT_EQ(loader.Asked().size(), 1u);
  EXPECT_EQ(CardOf(*image), 7);

  image->ForgetCard();
  EXPECT_FALSE(image->HasPicture());
  image->resize(90, 150);
  WaitPastTheSharpenDelay();
  EXPECT_EQ(loader.Asked().size(), 1u) << "a forgotten card is not decoded again";
}

TEST_F(CardImageTest, APictureThatArrivesAfterTheCardChangedIsDropped) {
  loader.SetGateOpen(false);
  image->ShowCard(7, false, /*decodeLater=*/true);
  image->RequestPendingPicture(1.0);
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return loader.Asked().size() == 1; }));
  // Re-dealt while card 7 is still being decoded.
  loader.SetGateOpen(true);
  image->ShowCard(9, false);
  EXPECT_EQ(CardOf(*image), 9);
  workers.WaitForDecodes();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  EXPECT_EQ(CardOf(*image), 9) << "card 7's late picture must not replace card 9";

  // Forgotten while decoding: nothing comes back.
  loader.SetGateOpen(false);
  image->ShowCard(11, false, /*decodeLater=*/true);
  image->RequestPendingPicture(1.0);
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return loader.Asked().size() == 3; }));
  image->ForgetCard();
  loader.SetGateOpen(true);
  workers.WaitForDecodes();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  EXPECT_FALSE(image->HasPicture());
}

TEST_F(CardImageTest, AnImageGoneBeforeItsPictureArrivesGetsNothing) {
  loader.SetGateOpen(false);
  image->ShowCard(4, false, /*decodeLater=*/true);
  image->RequestPendingPicture(1.0);
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !loader.Asked().empty(); }));
  delete image;
  image = nullptr;
  loader.SetGateOpen(true);
  workers.WaitForDecodes();
  // Under AddressSanitizer a delivery to the deleted image would be caught.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  image = new TCardImage(&window);
}

TEST_F(CardImageTest, CardsShownTogetherDecodeAtOnceAndEachTakesItsNumber) {
  TCardImage* second = new TCardImage(&window);
  second->resize(60, 100);
  second->SetPictureSource(CardFiles(), workers);
  const TCardImage::Showing showings[] = {{image, 3, false, 3}, {second, 8, true, -8}};
  TCardImage::ShowCardsTogether(showings);
  EXPECT_EQ(CardOf(*image), 3);
  EXPECT_EQ(image->Number(), 3);
  EXPECT_EQ(second->Number(), -8);
  EXPECT_EQ(second->Picture().pixel(0, 0) & 0xFF'FF'00'FF, kRight) << "turned";
  const auto asked = loader.Asked();
  ASSERT_EQ(asked.size(), 2u);

  // A lookup that raises: the image before it shows its card, the one
  // after keeps what it had.
  TCardImage* third = new TCardImage(&window);
  third->resize(60, 100);
  third->SetPictureSource(
      [](std::int32_t) -> std::optional<PictureFile> { throw std::runtime_error("bad file"); },
      workers);
  const TCardImage::Showing failing[] = {
      {image, 5, false, 5}, {third, 6, false, 6}, {second, 2, false, 2}};
  EXPECT_THROW(TCardImage::ShowCardsTogether(failing), std::runtime_error);
  EXPECT_EQ(CardOf(*image), 5);
  EXPECT_EQ(second->Number(), -8);
  EXPECT_EQ(CardOf(*second), 8);
}

}  // namespace
}  // namespace vaticor
