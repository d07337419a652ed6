#include "library/picture_workers.h"

#include <algorithm>
#include <atomic>

namespace vaticor {

struct PictureWorkers::Task {
  double rank = 0;
  std::uint64_t order = 0;
  Job job;
  Done done;
};

// One DecodeAll: its jobs are taken one at a time by whoever is free.
struct PictureWorkers::Batch {
  explicit Batch(std::span<const Job> j) : jobs(j), results(j.size()) {}
  std::span<const Job> jobs;
  std::atomic<std::size_t> next{0};
  std::vector<std::unique_ptr<Picture>> results;
  std::mutex mutex;
  std::condition_variable finished;
  std::size_t done = 0;  // guarded by mutex
};

namespace {

// Lowest rank on top, then the earliest submitted.
bool RunsLater(const auto& a, const auto& b) {
  return a.rank != b.rank ? a.rank > b.rank : a.order > b.order;
}

std::unique_ptr<Picture> Decode(PictureLoader& loader, const PictureWorkers::Job& job) {
  try {
    return loader.Load(job.path, job.format, job.target);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

PictureWorkers::PictureWorkers(PictureLoader& loader, unsigned threads) : loader_(loader) {
  threads = std::max(1u, threads);
  threads_.reserve(threads);
  for (unsigned i = 0; i < threads; ++i) {
    threads_.emplace_back([this](std::stop_token stop) { Run(stop); });
  }
}

PictureWorkers::~PictureWorkers() {
  {
    std::lock_guard lock(mutex_);
    queued_.clear();
    background_.clear();
  }
  for (std::jthread& thread : threads_) thread.request_stop();
  threads_.clear();  // joins
}

unsigned PictureWorkers::DefaultThreads() {
  return std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
}

void PictureWorkers::DecodeShare(Batch& batch) {
  for (std::size_t i = batch.next++; i < batch.jobs.size(); i = batch.next++) {
    std::unique_ptr<Picture> picture = Decode(loader_, batch.jobs[i]);
    std::lock_guard lock(batch.mutex);
    batch.results[i] = std::move(picture);
    if (++batch.done == batch.jobs.size()) batch.finished.notify_all();
  }
}

std::vector<std::unique_ptr<Picture>> PictureWorkers::DecodeAll(std::span<const Job> jobs) {
  if (jobs.size() <= 1) {
    std::vector<std::unique_ptr<Picture>> results;
    for (const Job& job : jobs) results.push_back(Decode(loader_, job));
    return results;
  }
  auto batch = std::make_shared<Batch>(jobs);
  {
    std::lock_guard lock(mutex_);
    const std::size_t helpers = std::min<std::size_t>(jobs.size() - 1, threads_.size());
    for (std::size_t i = 0; i < helpers; ++i) batches_.push_back(batch);
  }
  wake_.notify_all();
  DecodeShare(*batch);
  {
    std::unique_lock lock(batch->mutex);
    batch->finished.wait(lock, [&] { return batch->done == batch->jobs.size(); });
  }
  {
    // Helpers not started yet would find nothing left to do.
    std::lock_guard lock(mutex_);
    std::erase(batches_, batch);
  }
  idle_.notify_all();
  return std::move(batch->results);
}

void PictureWorkers::Submit(Job job, double rank, Done done) {
  {
    std::lock_guard lock(mutex_);
    queued_.push_back(Task{rank, submitted_++, std::move(job), std::move(done)});
    std::push_heap(queued_.begin(), queued_.end(),
                   [](const Task& a, const Task& b) { return RunsLater(a, b); });
  }
  wake_.notify_one();
}

void PictureWorkers::SubmitBackground(std::uint64_t generation, std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    if (generation < backgroundGeneration_) return;
    if (generation > backgroundGeneration_) {
      background_.clear();
      backgroundGeneration_ = generation;
    }
    background_.push_back(std::move(work));
  }
  wake_.notify_one();
}

void PictureWorkers::CancelBackground() {
  {
    std::lock_guard lock(mutex_);
    background_.clear();
  }
  idle_.notify_all();
}

void PictureWorkers::WaitForDecodes() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return batches_.empty() && queued_.empty() && running_ == 0; });
}

void PictureWorkers::WaitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] {
    return batches_.empty() && queued_.empty() && running_ == 0 && background_.empty() &&
           !backgroundRunning_;
  });
}

std::function<void()> PictureWorkers::TakeLocked(bool& background) {
  background = false;
  if (!batches_.empty()) {
    std::shared_ptr<Batch> batch = std::move(batches_.back());
    batches_.pop_back();
    return [this, batch] { DecodeShare(*batch); };
  }
  if (!queued_.empty()) {
    std::pop_heap(queued_.begin(), queued_.end(),
                  [](const Task& a, const Task& b) { return RunsLater(a, b); });
    auto task = std::make_shared<Task>(std::move(queued_.back()));
    queued_.pop_back();
    return [this, task] { task->done(Decode(loader_, task->job)); };
  }
  if (!background_.empty() && !backgroundRunning_) {
    backgroundRunning_ = true;
    background = true;
    std::function<void()> work = std::move(background_.front());
    background_.erase(background_.begin());
    return work;
  }
  return nullptr;
}

void PictureWorkers::Run(std::stop_token stop) {
  while (true) {
    std::function<void()> work;
    bool background = false;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [&] { return (work = TakeLocked(background)) != nullptr; })) {
        return;
      }
      if (!background) ++running_;
    }
    try {
      work();
    } catch (...) {
      // A Done or background work that threw: nothing to hand anyone.
    }
    work = nullptr;  // what the work held goes before the pool counts it done
    {
      std::lock_guard lock(mutex_);
      if (background) {
        backgroundRunning_ = false;
      } else {
        --running_;
      }
    }
    // Another background work may run now; someone may wait for quiet.
    wake_.notify_one();
    idle_.notify_all();
  }
}

}  // namespace vaticor
