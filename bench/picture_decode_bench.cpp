// Decoding a large card photograph in full versus at the size it is shown.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "large_jpeg.h"
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
