// An SVG card drawn for a 1024 x 768 area (the card fitted into it, as the
// main window asks): drawn afresh (a plain card and a busy one), and the
// busy one shown again from the display-size cache once a copy is made.
// Counters: the longest time of each and its ratio to the 30 ms a card may
// take. The cards are drawings of the kind artists export: a gradient
// ground, a border, a disc and a caption, the busy one with 400 stars and
// 150 curves besides.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "library/picture_cache.h"
#include "platform/codecs/jpeg_picture_codec.h"
#include "platform/file_picture_loader.h"

namespace {

namespace fs = std::filesystem;

std::string CardSvg(int stars, int curves) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> x(20, 530), y(20, 930), r(3, 14);
  std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='550' height='950' viewBox='0 0 550 950'>"
      "<defs><radialGradient id='sky' cx='50%' cy='35%' r='75%'>"
      "<stop offset='0' stop-color='#2b4a8c'/><stop offset='1' stop-color='#0b1430'/>"
      "</radialGradient><linearGradient id='gold' x1='0' y1='0' x2='1' y2='1'>"
      "<stop offset='0' stop-color='#f6e27a'/><stop offset='1' stop-color='#b8862b'/>"
      "</linearGradient></defs>"
      "<rect width='550' height='950' rx='28' fill='url(#sky)'/>"
      "<rect x='14' y='14' width='522' height='922' rx='20' fill='none' stroke='url(#gold)' "
      "stroke-width='8'/>";
  for (int i = 0; i < stars; ++i) {
    const double cx = x(random), cy = y(random), s = r(random);
    svg += "<polygon fill='url(#gold)' opacity='0.8' points='";
    for (int p = 0; p < 10; ++p) {
      const double angle = p * 3.14159265 / 5, radius = p % 2 ? s / 2.5 : s;
      svg += std::to_string(cx + radius * std::sin(angle)) + "," +
             std::to_string(cy - radius * std::cos(angle)) + " ";
    }
    svg += "'/>";
  }
  for (int i = 0; i < curves; ++i) {
    svg += "<path fill='none' stroke='#9fc3ff' stroke-opacity='0.5' stroke-width='2' d='M" +
           std::to_string(x(random)) + "," + std::to_string(y(random)) + " C" +
           std::to_string(x(random)) + "," + std::to_string(y(random)) + " " +
           std::to_string(x(random)) + "," + std::to_string(y(random)) + " " +
           std::to_string(x(random)) + "," + std::to_string(y(random)) + "'/>";
  }
  svg +=
      "<circle cx='275' cy='420' r='150' fill='url(#gold)' opacity='0.9'/>"
      "<text x='275' y='880' font-size='44' text-anchor='middle' fill='#f6e27a' "
      "font-family='DejaVu Serif'>THE STAR</text></svg>";
  return svg;
}

struct SvgCard {
  // Arg 0: a plain card (ground, border, a disc, a caption); 1: the same
  // with 400 stars and 150 curves, the busiest drawing an artist exports.
  explicit SvgCard(bool busy = true) {
    folder =
        fs::temp_directory_path() / ("vaticor-bench-svg-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder / "cache");
    path = (folder / "17.svg").string();
    std::ofstream(path, std::ios::binary) << (busy ? CardSvg(400, 150) : CardSvg(0, 0));
  }
  ~SvgCard() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  fs::path folder;
  std::string path;
};

constexpr vaticor::PictureSize kArea{1024, 768};

void BM_SvgCardDrawn(benchmark::State& state) {
  const SvgCard card(state.range(0) != 0);
  vaticor::FilePictureLoader loader;
  double longest = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const auto full = loader.Measure(card.path, vaticor::PictureFormat::Svg);
    auto picture = loader.Load(card.path, vaticor::PictureFormat::Svg,
                               vaticor::FittedTarget(full.value_or(kArea), kArea));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!picture) state.SkipWithError("the card was not drawn");
    longest = std::max(longest, took.count());
  }
  state.counters["longest_ms"] = longest;
  state.counters["ratio"] = longest / 30.0;
}
BENCHMARK(BM_SvgCardDrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

// Reading the drawing alone (its size), which a draw does once more.
void BM_SvgCardMeasured(benchmark::State& state) {
  const SvgCard card;
  vaticor::FilePictureLoader loader;
  for (auto _ : state) {
    benchmark::DoNotOptimize(loader.Measure(card.path, vaticor::PictureFormat::Svg));
  }
}
BENCHMARK(BM_SvgCardMeasured)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SvgCardFromTheCache(benchmark::State& state) {
  const SvgCard card;
  vaticor::FilePictureLoader files;
  vaticor::JpegPictureCodec codec;
  vaticor::CachedPictureLoader cache(files, codec, (card.folder / "cache").string());
  const bool copied = cache.Fill(card.path, vaticor::PictureFormat::Svg, kArea);
  double longest = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const auto full = cache.Measure(card.path, vaticor::PictureFormat::Svg);
    auto picture = cache.Load(card.path, vaticor::PictureFormat::Svg,
                              vaticor::FittedTarget(full.value_or(kArea), kArea));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    longest = std::max(longest, took.count());
  }
  state.counters["copy_made"] = copied ? 1 : 0;
  state.counters["longest_ms"] = longest;
  state.counters["ratio"] = longest / 30.0;
}
BENCHMARK(BM_SvgCardFromTheCache)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
