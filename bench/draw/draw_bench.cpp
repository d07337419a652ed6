// A three-card draw in the main window with a deck of 78 cards of
// 3000 x 5000 pixels, next to decoding the same three files at the scale
// the window shows them, alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "big_deck.h"
#include "platform/codecs/jpeg_decoder.h"
#include "platform/file_picture_loader.h"
#include "support/qt/mouse.h"
#include "ui/chrome/card_image.h"
#include "ui/main/vaticor_form.h"
#include "window_bench_support.h"

namespace {

using namespace vaticor;
namespace fs = std::filesystem;

// Counts the readings a draw hands to the log.
class NoLinks : public bench::NoWindowLinks {
 public:
  void AddReading(const std::vector<int>&) override { ++lines; }
  int LineCount() const override { return lines; }
  int lines = 0;
};

using bench::BigDeck;

// The main window on a 1024 x 768 screen, three-card mode, all 78 cards.
struct MainWindow {
  explicit MainWindow(const BigDeck& deck) : program(deck.Root(), loader) {
    program.ini.ThreeCardsModeEnabled = true;
    program.ini.UpSideDownCardsEnabled = true;
    program.ini.OnlyMajorArcanaEnabled = false;
    form = std::make_unique<TVaticorForm>(program.state);
    form->ConnectWindows(links.Links());
  }
  FilePictureLoader loader;
  bench::BenchState program;
  NoLinks links;
  std::unique_ptr<TVaticorForm> form;
};

void BM_ThreeCardDraw(benchmark::State& state) {
  BigDeck deck;
  MainWindow window(deck);
  // The draw, by a click on the caption.
  QWidget* caption = window.form->findChild<QWidget*>("Label2");
  for (auto _ : state) vaticor::testing::Click(caption);
  state.counters["card_px_w"] =
      window.form->findChild<TCardImage*>("CardImage01")->Picture().width();
}
BENCHMARK(BM_ThreeCardDraw)->Unit(benchmark::kMillisecond);

void BM_DecodeThreeCardsAtDisplayScale(benchmark::State& state) {
  BigDeck deck;
  MainWindow window(deck);
  const QSize size = window.form->findChild<TCardImage*>("CardImage01")->DisplaySize();
  std::vector<std::string> files;
  for (int n : {5, 40, 71}) {
    std::ifstream in(deck.Path("Pictures Folder/Decks/big/" + std::to_string(n) + ".jpg"),
                     std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  for (auto _ : state) {
    for (const std::string& bytes : files) {
      benchmark::DoNotOptimize(DecodeJpeg(bytes, {size.width(), size.height()}));
    }
  }
}
BENCHMARK(BM_DecodeThreeCardsAtDisplayScale)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return vaticor::bench::RunWindowBenchmarks(argc, argv); }
