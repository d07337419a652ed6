// The picture workers: a draw decodes in parallel, queued pictures come
// lowest rank first, background work waits for quiet and gives way to a
// newer deck, and nothing a worker meets escapes it.
// Test labels: threads
#include "library/picture_workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace vaticor {
namespace {

using namespace std::chrono_literals;

// Pictures 1 x 1 whose pixel is the number in the path ("7"); "throw"
// raises. Decodes wait while the gate is shut, and it counts how many run
// at once.
class GatedLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat, PictureSize) override {
    std::unique_lock lock(mutex_);
    ++running_;
    mostAtOnce_ = std::max(mostAtOnce_, running_);
    order_.push_back(path);
    changed_.notify_all();
    // Until two decodes ran at once, or a moment, whichever comes first: a
    // pool that decodes one at a time still finishes.
    changed_.wait_for(lock, 2s, [this] { return open_ && (mostAtOnce_ >= 2 || !waitForCompany_); });
    --running_;
    if (path == "throw") throw std::runtime_error("broken");
    auto picture = std::make_unique<Picture>(1, 1);
    picture->setPixel(0, 0, static_cast<std::uint32_t>(std::stoul(path)));
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return std::nullopt;
  }
  void SetOpen(bool open) {
    {
      std::lock_guard lock(mutex_);
      open_ = open;
    }
    changed_.notify_all();
  }
  void WaitForCompany(bool wait) {
    std::lock_guard lock(mutex_);
    waitForCompany_ = wait;
  }
  bool WaitUntilStarted(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 5s, [&] { return order_.size() >= count; });
  }
  int MostAtOnce() {
    std::lock_guard lock(mutex_);
    return mostAtOnce_;
  }
  std::vector<std::string> Order() {
    std::lock_guard lock(mutex_);
    return order_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int running_ = 0;
  int mostAtOnce_ = 0;
  bool open_ = true;
  bool waitForCompany_ = false;
  std::vector<std::string> order_;
};

PictureWorkers::Job JobFor(std::string path) { return {std::move(path), PictureFormat::Jpeg, {}}; }

std::uint32_t PixelOf(const std::unique_ptr<Picture>& picture) {
  return picture ? picture->pixel(0, 0) : 0;
}

TEST(PictureWorkersTest, ADrawsPicturesDecodeAtOnceAndComeBackInOrder) {
  GatedLoader loader;
  loader.WaitForCompany(true);
  PictureWorkers workers(loader, 2);
  const PictureWorkers::Job jobs[] = {JobFor("5"), JobFor("40"), JobFor("throw"), JobFor("71")};
  const std::vector<std::unique_ptr<Picture>> pictures = workers.DecodeAll(jobs);
  ASSERT_EQ(pictures.size(), 4u);
  EXPECT_EQ(PixelOf(pictures[0]), 5u);
  EXPECT_EQ(PixelOf(pictures[1]), 40u);
  EXPECT_FALSE(pictures[2]) << "a decode that throws gives no picture";
  EXPECT_EQ(PixelOf(pictures[3]), 71u);
  EXPECT_GE(loader.MostAtOnce(), 2);
}

TEST(PictureWorkersTest, ADrawIsNotHeldUpByBusyWorkers) {
  GatedLoader loader;
  PictureWorkers workers(loader, 1);
  // The only worker is stuck on a background decode.
  workers.SubmitBackground(1, [&loader] { loader.Load("1", PictureFormat::Jpeg, {}); });
  loader.SetOpen(false);
  ASSERT_TRUE(loader.WaitUntilStarted(1));
  std::thread release([&loader] {
    std::this_thread::sleep_for(50ms);
    loader.SetOpen(true);
  });
  const PictureWorkers::Job jobs[] = {JobFor("2"), JobFor("3")};
  const auto pictures = workers.DecodeAll(jobs);
  release.join();
  EXPECT_EQ(PixelOf(pictures[0]), 2u);
  EXPECT_EQ(PixelOf(pictures[1]), 3u);
}

TEST(PictureWorkersTest, QueuedPicturesComeLowestRankFirstAndBackgroundWorkLast) {
  GatedLoader loader;
  PictureWorkers workers(loader, 1);
  loader.SetOpen(false);
  std::mutex mutex;
  std::vector<std::uint32_t> done;
  auto record = [&](std::unique_ptr<Picture> picture) {
    std::lock_guard lock(mutex);
    done.push_back(PixelOf(picture));
  };
  workers.Submit(JobFor("100"), 0, record);  // taken at once, held by the gate
  ASSERT_TRUE(loader.WaitUntilStarted(1));
  workers.SubmitBackground(1, [&] { record(std::make_unique<Picture>(1, 1)); });
  workers.Submit(JobFor("30"), 3.0, record);
  workers.Submit(JobFor("10"), 1.0, record);
  workers.Submit(JobFor("20"), 2.0, record);
  workers.Submit(JobFor("21"), 2.0, record);
  loader.SetOpen(true);
  workers.WaitUntilIdle();
  // The background work made a picture of one black pixel.
  EXPECT_EQ(done, (std::vector<std::uint32_t>{100, 10, 20, 21, 30, 0xFF'00'00'00}));
}

TEST(PictureWorkersTest, ANewerBackgroundGenerationDropsTheOlderAndCancelDropsAll) {
  GatedLoader loader;
  PictureWorkers workers(loader, 1);
  loader.SetOpen(false);
  workers.Submit(JobFor("1"), 0, [](std::unique_ptr<Picture>) {});
  ASSERT_TRUE(loader.WaitUntilStarted(1));
  std::atomic<int> older = 0, newer = 0, cancelled = 0;
  for (int i = 0; i < 3; ++i) workers.SubmitBackground(1, [&] { ++older; });
  workers.SubmitBackground(2, [&] { ++newer; });
  workers.SubmitBackground(1, [&] { ++older; });  // too late: generation 2 is on
  loader.SetOpen(true);
  workers.WaitUntilIdle();
  EXPECT_EQ(older, 0);
  EXPECT_EQ(newer, 1);

  loader.SetOpen(false);
  workers.Submit(JobFor("2"), 0, [](std::unique_ptr<Picture>) {});
  ASSERT_TRUE(loader.WaitUntilStarted(2));
  workers.SubmitBackground(3, [&] { ++cancelled; });
  workers.CancelBackground();
  loader.SetOpen(true);
  workers.WaitUntilIdle();
  EXPECT_EQ(cancelled, 0);
}

TEST(PictureWorkersTest, WorkThatThrowsOrIsLeftQueuedAtTheEndHarmsNothing) {
  GatedLoader loader;
  std::atomic<int> ran = 0;
  std::thread opener;
  {
    PictureWorkers workers(loader, 2);
    workers.SubmitBackground(1, [] { throw std::runtime_error("no room"); });
    workers.Submit(JobFor("throw"), 0, [&](std::unique_ptr<Picture> picture) {
      EXPECT_FALSE(picture);
      ++ran;
    });
    workers.Submit(JobFor("4"), 0, [](std::unique_ptr<Picture>) { throw std::logic_error("x"); });
    workers.WaitUntilIdle();
    EXPECT_EQ(ran, 1);
    // Still working after all that.
    const PictureWorkers::Job jobs[] = {JobFor("8"), JobFor("9")};
    EXPECT_EQ(PixelOf(workers.DecodeAll(jobs)[1]), 9u);

    loader.SetOpen(false);
    workers.Submit(JobFor("5"), 0, [&](std::unique_ptr<Picture>) { ++ran; });
    workers.Submit(JobFor("6"), 0, [&](std::unique_ptr<Picture>) { ++ran; });
    ASSERT_TRUE(loader.WaitUntilStarted(6));
    for (int i = 0; i < 10; ++i)
      workers.Submit(JobFor("7"), 1, [&](std::unique_ptr<Picture>) { ++ran; });
    // Going now, with the gate opening only after the queue is dropped: the
    // two under way finish, the ten queued never run.
    opener = std::thread([&loader] {
      std::this_thread::sleep_for(100ms);
      loader.SetOpen(true);
    });
  }
  opener.join();
  EXPECT_EQ(ran, 1 + 2);
}

}  // namespace
}  // namespace vaticor
