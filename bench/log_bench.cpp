// The reading log at start-up: reading a log of 100,000 lines (years of
// daily readings) against having none, writing it back at the end, and
// reading one line back.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "library/reading_log.h"
#include "long_log.h"

namespace {

using namespace vaticor;
namespace fs = std::filesystem;

class LogFolder {
 public:
  LogFolder() {
    root_ =
        fs::temp_directory_path() / ("vaticor-log-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(root_);
  }
  ~LogFolder() { fs::remove_all(root_); }
  std::string Path() const { return (root_ / "Vaticor.Log").string(); }
  void Write(const std::string& bytes) const {
    std::ofstream(Path(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  fs::path root_;
};

// What the log window does with the file when it is created.
void StartLog(benchmark::State& state, int lines) {
  LogFolder folder;
  if (lines > 0) folder.Write(bench::LongLogBytes(lines));
  FixedLocalClock clock{{2024, 3, 14, 12, 0, 0}};
  DayMonthYearFormat format;
  for (auto _ : state) {
    ReadingLog log(clock, format);
    log.LoadText(ReadLogFileText(folder.Path()));
    log.AddDateLine();
    benchmark::DoNotOptimize(log.Count());
  }
  state.counters["lines"] = lines;
}

void BM_StartWithoutLog(benchmark::State& state) { StartLog(state, 0); }
BENCHMARK(BM_StartWithoutLog)->Unit(benchmark::kMillisecond);

void BM_StartWith100kLineLog(benchmark::State& state) { StartLog(state, 100'000); }
BENCHMARK(BM_StartWith100kLineLog)->Unit(benchmark::kMillisecond);

void BM_Save100kLineLog(benchmark::State& state) {
  LogFolder folder;
  const std::vector<std::string> lines = DecodeLogLines(bench::LongLogBytes(100'000));
  for (auto _ : state) WriteLogFile(folder.Path(), lines);
}
BENCHMARK(BM_Save100kLineLog)->Unit(benchmark::kMillisecond);

class NoDisplay : public ReadingDisplay {
 public:
  void SetCardMode(bool) override {}
  void ShowCard(int, std::int32_t value) override { benchmark::DoNotOptimize(value); }
};

void BM_ReadOneLineBack(benchmark::State& state) {
  const std::string line = "10:05:12 [3] [-17] [8] Стоит ли менять работу? [важно]";
  NoDisplay display;
  for (auto _ : state) {
    ShowReadingCards(line, display);
    benchmark::DoNotOptimize(ReadingQuestion(line));
  }
}
BENCHMARK(BM_ReadOneLineBack);

}  // namespace
