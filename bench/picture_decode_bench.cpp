// Decoding a large card photograph in full versus at the size it is shown.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/codecs/jpeg_decoder.h"

namespace {

// A 3000x5000 photograph-like JPEG at quality 85, made once.
const std::string& LargeJpeg() {
  static const std::string bytes = [] {
    constexpr int kWidth = 3000;
    constexpr int kHeight = 5000;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(kWidth * 3);
    unsigned noise = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
      const int y = static_cast<int>(cinfo.next_scanline);
      for (int x = 0; x < kWidth; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>((noise >> 16) & 15);
        row[3 * x] = static_cast<unsigned char>((x * 255 / kWidth + grain) & 0xFF);
        row[3 * x + 1] = static_cast<unsigned char>((y * 255 / kHeight + grain) & 0xFF);
        row[3 * x + 2] = static_cast<unsigned char>(((x + y) / 40 % 2 == 0 ? 60 : 190) + grain);
      }
      JSAMPROW rows[] = {row.data()};
      jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string result(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return result;
  }();
  return bytes;
}

void BM_DecodeJpegFull(benchmark::State& state) {
  const std::string& bytes = LargeJpeg();
  for (auto _ : state) {
    auto picture = vaticor::DecodeJpeg(bytes, {});
    if (!picture) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(picture);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeJpegFull)->Unit(benchmark::kMillisecond);

void BM_DecodeJpegFor200Wide(benchmark::State& state) {
  const std::string& bytes = LargeJpeg();
  for (auto _ : state) {
    auto picture = vaticor::DecodeJpeg(bytes, {200, 334});
    if (!picture) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(picture);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeJpegFor200Wide)->Unit(benchmark::kMillisecond);

void BM_MeasureJpeg(benchmark::State& state) {
  const std::string& bytes = LargeJpeg();
  for (auto _ : state) {
    auto size = vaticor::MeasureJpeg(bytes);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_MeasureJpeg)->Unit(benchmark::kMicrosecond);

}  // namespace
