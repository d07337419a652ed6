// Decoding a large card photograph in full versus at the size it is shown.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "large_jpeg.h"
#include "library/picture_workers.h"
#include "platform/codecs/jpeg_decoder.h"

namespace {

void BM_DecodeJpegFull(benchmark::State& state) {
  const std::string& bytes = vaticor::bench::LargeJpeg();
  for (auto _ : state) {
    auto picture = vaticor::DecodeJpeg(bytes, {});
    if (!picture) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(picture);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeJpegFull)->Unit(benchmark::kMillisecond);

void BM_DecodeJpegFor200Wide(benchmark::State& state) {
  const std::string& bytes = vaticor::bench::LargeJpeg();
  for (auto _ : state) {
    auto picture = vaticor::DecodeJpeg(bytes, {200, 334});
    if (!picture) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(picture);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeJpegFor200Wide)->Unit(benchmark::kMillisecond);

void BM_MeasureJpeg(benchmark::State& state) {
  const std::string& bytes = vaticor::bench::LargeJpeg();
  for (auto _ : state) {
    auto size = vaticor::MeasureJpeg(bytes);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_MeasureJpeg)->Unit(benchmark::kMicrosecond);

}  // namespace

// The large photograph from memory, whatever the path.
class InMemoryLoader : public vaticor::PictureLoader {
 public:
  std::unique_ptr<vaticor::Picture> Load(const std::string&, vaticor::PictureFormat,
                                         vaticor::PictureSize target) override {
    return vaticor::DecodeJpeg(vaticor::bench::LargeJpeg(), target);
  }
  std::optional<vaticor::PictureSize> Measure(const std::string&, vaticor::PictureFormat) override {
    return vaticor::MeasureJpeg(vaticor::bench::LargeJpeg());
  }
};

// Three cards decoded together on the picture workers (two threads and the
// caller), as a draw decodes them, against the same three one after another
// (counter "ratio"; two cores allow 0.5).
void BM_DecodeThreeTogether(benchmark::State& state) {
  InMemoryLoader loader;
  vaticor::PictureWorkers workers(loader, 2);
  const std::vector<vaticor::PictureWorkers::Job> jobs(
      3, {"card", vaticor::PictureFormat::Jpeg, {163, 272}});
  using Clock = std::chrono::steady_clock;
  double sequential = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    for (const auto& job : jobs)
      benchmark::DoNotOptimize(loader.Load(job.path, job.format, job.target));
    sequential = std::min(sequential, std::chrono::duration<double>(Clock::now() - start).count());
  }
  double total = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(workers.DecodeAll(jobs));
    total += std::chrono::duration<double>(Clock::now() - start).count();
  }
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / sequential;
}
BENCHMARK(BM_DecodeThreeTogether)->Unit(benchmark::kMillisecond);
