#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "library/picture.h"
#include "library/picture_loader.h"

namespace vaticor {

// A few threads that decode card pictures, so a draw's three cards decode at
// once and a spread's pictures come in on every core while the window's
// thread stays free for the user.
//
// Three kinds of work, taken in this order:
//   1. DecodeAll: pictures the caller shows at once and waits for (a draw);
//      the calling thread decodes its share too, so it never waits longer
//      than decoding them alone would take, however busy the workers are.
//   2. Submit: pictures shown when they arrive (a spread, a resized card),
//      lowest rank first, equal ranks in the order submitted.
//   3. SubmitBackground: work for when nothing else waits (filling the
//      picture cache), on one worker at a time, so another worker and the
//      window's thread stay free for what the user asks next.
//
// The loader must be safe to call from several threads at once. Work never
// raises out of a worker: a decode that throws gives no picture, background
// work that throws is dropped.
class PictureWorkers {
 public:
  struct Job {
    std::string path;
    PictureFormat format = PictureFormat::Jpeg;
    PictureSize target;  // as PictureLoader::Load takes it
  };
  // The job of decoding a card's picture for `target`: of its several
  // sizes, the one PictureForHeight picks.
  static Job JobFor(const PictureFile& file, PictureSize target) {
    PictureFile chosen = PictureForHeight(file, target.height);
    return Job{std::move(chosen.path), chosen.format, target};
  }
  // Runs on a worker thread with the picture, nullptr for none.
  using Done = std::function<void(std::unique_ptr<Picture>)>;

  // `threads` workers (at least one).
  PictureWorkers(PictureLoader& loader, unsigned threads);
  // Drops what is queued and waits for the work under way.
  ~PictureWorkers();
  PictureWorkers(const PictureWorkers&) = delete;
  PictureWorkers& operator=(const PictureWorkers&) = delete;

  // The number of workers for this machine: one per core, two to four.
  static unsigned DefaultThreads();
  unsigned Threads() const { return static_cast<unsigned>(threads_.size()); }

  // Decodes every job, several at once, and returns the pictures in the
  // jobs' order once all are done.
  std::vector<std::unique_ptr<Picture>> DecodeAll(std::span<const Job> jobs);

  // Queues a decode; `done` runs on a worker thread when it is done.
  void Submit(Job job, double rank, Done done);

  // Queues work for when nothing else is queued. Work of an older
  // generation than `generation` is dropped unrun once a newer one is
  // queued (a deck selected after another).
  void SubmitBackground(std::uint64_t generation, std::function<void()> work);
  // Drops every queued background work; what runs goes on to its end.
  void CancelBackground();

  // Waits until no decode is queued or under way (background work may go
  // on): tests, benchmarks, a window that must show every picture now.
  void WaitForDecodes();
  // Waits until nothing at all is queued or under way.
  void WaitUntilIdle();

 private:
  struct Task;
  struct Batch;
  void Run(std::stop_token stop);
  // The next task a worker takes, or none; called with the lock held.
  // `background` tells which kind it is.
  std::function<void()> TakeLocked(bool& background);
  void DecodeShare(Batch& batch);

  PictureLoader& loader_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable idle_;
  std::vector<std::shared_ptr<Batch>> batches_;  // DecodeAll helpers wanted
  std::vector<Task> queued_;                     // a heap by rank, then order
  std::vector<std::function<void()>> background_;
  std::uint64_t backgroundGeneration_ = 0;
  std::uint64_t submitted_ = 0;
  unsigned running_ = 0;  // decodes under way, background work not counted
  bool backgroundRunning_ = false;
  std::vector<std::jthread> threads_;
};

}  // namespace vaticor
