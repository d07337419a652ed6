// The journal window over a SQLite journal of 100,000 readings (about
// thirty years of a busy reader), against the limits a user notices:
//   - its first rows on the screen after the command: the window made,
//     shown and painted, against 100 ms;
//   - each keystroke of a search to the list painted again, against 30 ms
//     (the longest keystroke counts);
//   - the whole list scrolled from top to bottom, a page at a time, each
//     step painted, against 16 ms (the longest step counts);
//   - the statistics page's charts made and painted from statistics
//     counted before, against 50 ms;
//   - a filter changed with the statistics page on show: the list, the
//     store's counts, the statistics and the charts made and painted
//     again, against 200 ms;
//   - the calendar's month, read from the journal and painted, against
//     30 ms (the longest month counts).
// Each reports "ratio" (at most 1 meets the limit) and its times; the
// store's own share of a keystroke is measured apart.
// The journal is the benchmarks' thirty-year one (bench/journal/big_journal.h),
// made once and kept for later runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "journal/big_journal.h"
#include "platform/sqlite_journal.h"
#include "support/qt/keys.h"
#include "ui/journal/journal_calendar.h"
#include "ui/journal/journal_form.h"
#include "ui/journal/journal_list_model.h"
#include "ui/journal/journal_statistics_page.h"
#include "ui/journal_keeper.h"
#include "window_bench_support.h"

namespace {

using namespace vaticor;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path NewFolder(const char* what) {
  fs::path root = fs::temp_directory_path() /
                  (std::string("vaticor-") + what + "-" + std::to_string(std::random_device{}()));
  fs::create_directories(root);
  return root;
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

const std::string& SharedJournal() { return bench::BigJournalFile(); }

// A program folder without decks, its journal the generated one.
struct Program {
  Program() { program.journal.Attach(std::make_unique<SqliteJournal>(SharedJournal())); }
  ~Program() {
    form.reset();
    fs::remove_all(root);
  }
  void Open() {
    form = std::make_unique<TJournalForm>(program.state,
                                          JournalWindowLinks{main, links, links, links});
    form->ShowJournal();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form->grab());
  }
  QListView* List() const { return form->findChild<QListView*>("JournalList"); }

  fs::path root = NewFolder("journal-window-bench");
  bench::NoPictures loader;
  bench::BenchState program{root.string(), loader};
  bench::NoWindowLinks links;
  testing::FakeMainWindow main;
  std::unique_ptr<TJournalForm> form;
};

// What the searches type: words of the questions and notes, a card's
// name, two words, a word found nowhere.
const std::vector<QString>& SearchedWords() {
  static const std::vector<QString> words = {"falcon", "Empress", "will garden", "minor 4", "zzz"};
  return words;
}

void Report(benchmark::State& state, double longest, double total, int steps, double limit) {
  state.counters["ratio"] = longest / limit;
  state.counters["longest_ms"] = longest * 1000;
  state.counters["mean_ms"] = steps > 0 ? total / steps * 1000 : 0;
  state.counters["limit_ms"] = limit * 1000;
}

void BM_JournalFirstRowsOf100k(benchmark::State& state) {
  Program program;
  double longest = 0;
  double total = 0;
  int steps = 0;
  for (auto _ : state) {
    program.form.reset();
    const auto start = Clock::now();
    program.Open();
    const double took = Seconds(start);
    longest = std::max(longest, took);
    total += took;
    ++steps;
  }
  Report(state, longest, total, steps, 0.100);
  state.counters["rows"] = program.List()->model()->rowCount();
}
BENCHMARK(BM_JournalFirstRowsOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

// Each iteration types a word letter by letter and takes it back, each
// keystroke painted.
void BM_JournalSearchKeystrokeOf100k(benchmark::State& state) {
  Program program;
  program.Open();
  auto* search = program.form->findChild<QLineEdit*>("JournalSearch");
  QListView* list = program.List();
  const std::vector<QString>& words = SearchedWords();
  double longest = 0;
  double total = 0;
  int steps = 0;
  auto keystroke = [&](const std::function<void()>& key) {
    const auto start = Clock::now();
    key();
    QApplication::processEvents();
    list->viewport()->repaint();
    const double took = Seconds(start);
    longest = std::max(longest, took);
    total += took;
    ++steps;
  };
  std::size_t next = 0;
  for (auto _ : state) {
    const QString& word = words[next++ % words.size()];
    for (const QChar c : word) keystroke([&] { testing::TypeText(search, QString(c)); });
    for (qsizetype i = 0; i < word.size(); ++i) {
      keystroke([&] {
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(search, &back);
      });
    }
  }
  Report(state, longest, total, steps, 0.030);
  state.counters["keystrokes"] = steps;
}
BENCHMARK(BM_JournalSearchKeystrokeOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

// The list scrolled to its end again and again until the whole journal is
// on it: each step reads the next page and paints.
void BM_JournalScrollWholeOf100k(benchmark::State& state) {
  Program program;
  double longest = 0;
  double total = 0;
  int steps = 0;
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    program.form.reset();
    program.Open();
    QListView* list = program.List();
    state.ResumeTiming();
    while (list->model()->canFetchMore({})) {
      const auto start = Clock::now();
      list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
      QApplication::processEvents();
      list->viewport()->repaint();
      const double took = Seconds(start);
      longest = std::max(longest, took);
      total += took;
      ++steps;
    }
    rows = list->model()->rowCount();
  }
  Report(state, longest, total, steps, 0.016);
  state.counters["rows"] = rows;
  state.counters["steps"] = steps;
}
BENCHMARK(BM_JournalScrollWholeOf100k)->Unit(benchmark::kMillisecond)->Iterations(1);

// The statistics page of the whole journal: its charts made again from the
// statistics counted when it was first shown, and painted.
void BM_JournalStatisticsDrawnOf100k(benchmark::State& state) {
  Program program;
  program.Open();
  program.form->findChild<QTabBar*>("JournalPages")->setCurrentIndex(1);
  auto* page = program.form->findChild<JournalStatisticsPage*>("JournalStatistics");
  QApplication::processEvents();
  double longest = 0;
  double total = 0;
  int steps = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    page->Draw();
    QApplication::processEvents();
    benchmark::DoNotOptimize(page->grab());
    const double took = Seconds(start);
    longest = std::max(longest, took);
    total += took;
    ++steps;
  }
  Report(state, longest, total, steps, 0.050);
  state.counters["readings"] = static_cast<double>(page->Statistics().readings);
}
BENCHMARK(BM_JournalStatisticsDrawnOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

// A search word put in whole and taken out again with the statistics page
// on show: each change counts, computes and draws the page again.
void BM_JournalStatisticsFilterChangeOf100k(benchmark::State& state) {
  Program program;
  program.Open();
  program.form->findChild<QTabBar*>("JournalPages")->setCurrentIndex(1);
  auto* page = program.form->findChild<JournalStatisticsPage*>("JournalStatistics");
  auto* search = program.form->findChild<QLineEdit*>("JournalSearch");
  QApplication::processEvents();
  double longest = 0;
  double total = 0;
  int steps = 0;
  std::size_t next = 0;
  const auto change = [&](const QString& text) {
    const auto start = Clock::now();
    search->setText(text);
    QApplication::processEvents();
    benchmark::DoNotOptimize(page->grab());
    const double took = Seconds(start);
    longest = std::max(longest, took);
    total += took;
    ++steps;
  };
  for (auto _ : state) {
    change(SearchedWords()[next++ % SearchedWords().size()]);
    change(QString());  // the whole journal again
  }
  Report(state, longest, total, steps, 0.200);
  state.counters["changes"] = steps;
}
BENCHMARK(BM_JournalStatisticsFilterChangeOf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

// The store's share of a keystroke: the first page of the list for each
// prefix the searches type, read straight from the journal, against the
// same 30 ms. A word's first letters begin words of most entries.
void BM_JournalStoreSearchPageOf100k(benchmark::State& state) {
  SqliteJournal journal(SharedJournal());
  double longest = 0;
  double total = 0;
  int steps = 0;
  for (auto _ : state) {
    for (const QString& word : SearchedWords()) {
      for (qsizetype length = 1; length <= word.size(); ++length) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(journal.List({.text = word.left(length).toStdString()}, 0,
                                              JournalListModel::kFirstPage));
        const double took = Seconds(start);
        longest = std::max(longest, took);
        total += took;
        ++steps;
      }
    }
  }
  Report(state, longest, total, steps, 0.030);
}
BENCHMARK(BM_JournalStoreSearchPageOf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The calendar over a copy of the journal whose year 2025 has a card of the
// day on every day: each month of that year shown in turn, read from the
// journal and painted. The store's share (JournalStore::Month) apart.
void BM_JournalCalendarMonthOf100k(benchmark::State& state) {
  const fs::path root = NewFolder("journal-calendar-bench");
  const std::string copy = (root / kJournalFileName).string();
  fs::copy_file(SharedJournal(), copy);
  {
    SqliteJournal journal(copy);
    for (QDate day(2025, 1, 1); day.year() == 2025; day = day.addDays(1)) {
      JournalEntry entry;
      entry.moment = day.toString(u"yyyy-MM-dd").toStdString() + "T07:00:00";
      entry.kind = JournalKind::kDayCard;
      entry.deckFolder = "Rider";
      entry.positions = {{1, "", day.dayOfYear() % 78, day.day() % 2 == 0, ""}};
      entry.tags = {"карта дня"};
      journal.Add(entry);
    }
  }
  double longest = 0;
  double total = 0;
  double storeLongest = 0;
  int steps = 0;
  {
    bench::NoPictures loader;
    bench::BenchState program{root.string(), loader};
    program.journal.Attach(std::make_unique<SqliteJournal>(copy));
    JournalCalendar calendar(program.state);
    calendar.resize(700, 480);
    calendar.setCurrentPage(2024, 12);
    calendar.show();
    QApplication::processEvents();
    for (auto _ : state) {
      for (int month = 1; month <= 12; ++month) {
        const auto start = Clock::now();
        calendar.setCurrentPage(2025, month);
        benchmark::DoNotOptimize(calendar.grab());
        const double took = Seconds(start);
        longest = std::max(longest, took);
        total += took;
        ++steps;
        const auto read = Clock::now();
        benchmark::DoNotOptimize(program.journal.Store()->Month(2025, month));
        storeLongest = std::max(storeLongest, Seconds(read));
      }
    }
    state.counters["days"] = static_cast<double>(program.journal.Store()->Month(2025, 3).size());
  }
  fs::remove_all(root);
  Report(state, longest, total, steps, 0.030);
  state.counters["store_ms"] = storeLongest * 1000;
}
BENCHMARK(BM_JournalCalendarMonthOf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return vaticor::bench::RunWindowBenchmarks(argc, argv); }
