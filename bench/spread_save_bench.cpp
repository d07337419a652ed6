// What saving a spread costs: 1,000 card windows saved into a new file, and
// over the file of the same spread saved before (each position's keys
// replaced). The target is 20 ms for 1,000 positions.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/screen.h"
#include "library/spread_file.h"

namespace {

using namespace vaticor;

std::vector<SavedSpreadCard> Cards(int count) {
  std::vector<SavedSpreadCard> cards;
  for (int i = 0; i < count; ++i) {
    cards.push_back({i, (i * 37) % 900, (i * 53) % 600, (i % 78) * (i % 2 == 0 ? 1 : -1)});
  }
  return cards;
}

std::filesystem::path TempFile() {
  return std::filesystem::temp_directory_path() /
         ("vaticor-save-bench-" + std::to_string(std::random_device{}()) + ".spread");
}

void BM_SaveSpreadOf1000PositionsIntoANewFile(benchmark::State& state) {
  const FixedScreen screen(1024, 768, 738);
  const std::vector<SavedSpreadCard> cards = Cards(1000);
  const std::filesystem::path path = TempFile();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(path);
    state.ResumeTiming();
    SaveSpreadFile(path.string(), 124, 197, cards, screen);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSpreadOf1000PositionsIntoANewFile)->Unit(benchmark::kMillisecond);

void BM_SaveSpreadOf1000PositionsOverItself(benchmark::State& state) {
  const FixedScreen screen(1024, 768, 738);
  const std::vector<SavedSpreadCard> cards = Cards(1000);
  const std::filesystem::path path = TempFile();
  SaveSpreadFile(path.string(), 124, 197, cards, screen);
  for (auto _ : state) SaveSpreadFile(path.string(), 124, 197, cards, screen);
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSpreadOf1000PositionsOverItself)->Unit(benchmark::kMillisecond);

}  // namespace
