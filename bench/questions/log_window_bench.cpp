// The reading-log window over a log of 100,000 lines against an empty one:
// creating it at start-up, showing it with the last line selected, and
// stepping through the lines as the main window's Up and Down keys do.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <filesystem>
#include <fstream>
#include <random>

#include "long_log.h"
#include "support/qt/keys.h"
#include "ui/content_signals.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_log_form.h"
#include "window_bench_support.h"

namespace {

using namespace vaticor;
namespace fs = std::filesystem;

// The main window reaches the log window once it exists.
class LogLinks : public bench::NoWindowLinks {
 public:
  void AddReading(const std::vector<int>& cards) override { log->AddReading(cards); }
  int LineCount() const override { return log->LineCount(); }
  int SelectedLine() const override { return log->SelectedLine(); }
  void SelectLine(int line) override { log->SelectLine(line); }
  std::string LineText(int line) const override { return log->LineText(line); }
  bool IsDateLine(int line) const override { return log->IsDateLine(line); }
  void ShowSelectedReading() override { log->ShowSelectedReading(); }
  void ShowLogWindow() override { log->ShowLogWindow(); }
  TQuestionLogForm* log = nullptr;
};

fs::path NewFolder() {
  fs::path root = fs::temp_directory_path() /
                  ("vaticor-log-window-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(root);
  return root;
}

// A program folder without decks, with a log of `lines` lines.
struct Program {
  explicit Program(int lines) {
    if (lines > 0) {
      const std::string bytes = bench::LongLogBytes(lines);
      std::ofstream(LogPath(), std::ios::binary)
          .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    program.state.Content.Load();
    main = std::make_unique<TVaticorForm>(program.state);
    FollowContent(program.state.ContentChanges, main.get(), *main);
    main->ConnectWindows(links.Links());
  }
  ~Program() {
    log.reset();
    main.reset();
    fs::remove_all(root);
  }
  void CreateLog() {
    log.reset();
    log = std::make_unique<TQuestionLogForm>(program.state, *main,
                                             LogWindowSetup{&clock, &format, LogPath()});
    links.log = log.get();
  }
  std::string LogPath() const { return (root / "Vaticor.Log").string(); }

  fs::path root = NewFolder();
  FixedLocalClock clock{{2024, 3, 14, 12, 0, 0}};
  DayMonthYearFormat format;
  bench::NoPictures loader;
  bench::BenchState program{root.string(), loader};
  LogLinks links;
  std::unique_ptr<TVaticorForm> main;
  std::unique_ptr<TQuestionLogForm> log;
};

void CreateLogWindow(benchmark::State& state, int lines) {
  Program program(lines);
  for (auto _ : state) {
    program.CreateLog();
    benchmark::DoNotOptimize(program.log->LineCount());
  }
  state.counters["lines"] = program.log->LineCount();
}

void BM_CreateLogWindowWithoutLog(benchmark::State& state) { CreateLogWindow(state, 0); }
BENCHMARK(BM_CreateLogWindowWithoutLog)->Unit(benchmark::kMillisecond);

void BM_CreateLogWindowWith100kLines(benchmark::State& state) { CreateLogWindow(state, 100'000); }
BENCHMARK(BM_CreateLogWindowWith100kLines)->Unit(benchmark::kMillisecond);

// F3: the window shown, the last line selected and scrolled to, painted.
void BM_ShowAndSelectLastOf100kLines(benchmark::State& state) {
  Program program(100'000);
  program.CreateLog();
  for (auto _ : state) {
    program.log->SelectLine(-1);
    program.log->hide();
    vaticor::testing::ReleaseKey(program.main.get(), Qt::Key_F3);
    QApplication::processEvents();
    benchmark::DoNotOptimize(program.log->findChild<QListView*>("ListBox1")->grab());
  }
}
BENCHMARK(BM_ShowAndSelectLastOf100kLines)->Unit(benchmark::kMillisecond);

// The main window's Up key moving through the log, each step painted.
void BM_StepUpThrough100kLines(benchmark::State& state) {
  Program program(100'000);
  program.CreateLog();
  vaticor::testing::ReleaseKey(program.main.get(), Qt::Key_F3);
  for (auto _ : state) {
    if (program.log->SelectedLine() <= 0) program.log->SelectLine(program.log->LineCount() - 1);
    vaticor::testing::ReleaseKey(program.main.get(), Qt::Key_Up);
    program.log->findChild<QListView*>("ListBox1")->viewport()->repaint();
  }
}
BENCHMARK(BM_StepUpThrough100kLines)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return vaticor::bench::RunWindowBenchmarks(argc, argv); }
