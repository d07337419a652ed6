// The file type registered on a thread of its own while the program starts.
// Test labels: threads
#include "core/file_type_registration.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <thread>

namespace vaticor {
namespace {

// A registration that lasts until the test lets it end.
class HeldRegistrar : public FileTypeRegistrar {
 public:
  void RegisterSpreadFileType() override {
    thread = std::this_thread::get_id();
    started.set_value();
    release.get_future().wait();
    ++registrations;
  }
  std::promise<void> started;
  std::promise<void> release;
  std::thread::id thread;
  std::atomic<int> registrations = 0;
};

TEST(RegistrationInBackground, TheStartGoesOnAndTheEndWaitsForTheRegistration) {
  HeldRegistrar registrar;
  auto background = std::make_unique<RegistrationInBackground>(registrar);
  background->RegisterSpreadFileType();  // returns while the registration is held
  registrar.started.get_future().wait();
  EXPECT_NE(registrar.thread, std::this_thread::get_id());
  EXPECT_EQ(registrar.registrations, 0);

  std::thread releaser([&registrar] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    registrar.release.set_value();
  });
  background.reset();
  EXPECT_EQ(registrar.registrations, 1);
  releaser.join();
}

TEST(RegistrationInBackground, ASecondRegistrationFollowsTheFirst) {
  // Two at once would write the same files.
  class Counting : public FileTypeRegistrar {
   public:
    void RegisterSpreadFileType() override {
      if (running.exchange(true)) overlapped = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      running = false;
      ++registrations;
    }
    std::atomic<bool> running = false;
    std::atomic<bool> overlapped = false;
    std::atomic<int> registrations = 0;
  } registrar;
  {
    RegistrationInBackground background(registrar);
    background.RegisterSpreadFileType();
    background.RegisterSpreadFileType();
  }
  EXPECT_EQ(registrar.registrations, 2);
  EXPECT_FALSE(registrar.overlapped);
}

}  // namespace
}  // namespace vaticor
