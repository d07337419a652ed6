// What adding a downloaded deck costs: 78 photographs of 3000 x 5000 (JPEG,
// quality 85, a few MB each) copied from a folder into the decks folder,
// each through a temporary file renamed into place. The limit is the plain
// copy of the same files (std::filesystem::copy_file, no temporary, no
// checks): the import should cost little more than the disk does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "large_jpeg.h"
#include "library/folder_import.h"

namespace {

using namespace vaticor;

constexpr int kCards = 78;

// A deck folder "Downloads/Big Deck" with a Windows-made deck.ini naming
// "Cards\NN.JPG" and the pictures in "cards/", and an empty decks folder.
class DownloadedDeck {
 public:
  DownloadedDeck() {
    root_ = std::filesystem::temp_directory_path() /
            ("vaticor-import-bench-" + std::to_string(std::random_device{}()));
    const auto cards = Folder() / "cards";
    std::filesystem::create_directories(cards);
    std::ofstream ini(Folder() / "deck.ini", std::ios::binary);
    ini << "[Deck]\r\nName=Big\r\n[Files]\r\n";
    for (int n = 0; n < kCards; ++n) {
      const std::string name = (n < 10 ? "0" : "") + std::to_string(n) + ".jpg";
      ini << "Card" << (n < 10 ? "0" : "") << n << "=Cards\\" << name << "\r\n";
      std::ofstream(cards / name, std::ios::binary) << bench::LargeJpeg();
    }
  }
  ~DownloadedDeck() { std::filesystem::remove_all(root_); }
  DownloadedDeck(const DownloadedDeck&) = delete;
  DownloadedDeck& operator=(const DownloadedDeck&) = delete;

  std::filesystem::path Folder() const { return root_ / "Downloads" / "Big Deck"; }
  std::filesystem::path Decks() const { return root_ / "Decks"; }
  void ClearDecks() const { std::filesystem::remove_all(Decks()); }
  double Bytes() const { return static_cast<double>(kCards) * bench::LargeJpeg().size(); }

 private:
  std::filesystem::path root_;
};

const DownloadedDeck& Deck() {
  static const DownloadedDeck deck;
  return deck;
}

void BM_ImportDeckOf78LargePictures(benchmark::State& state) {
  const DownloadedDeck& deck = Deck();
  for (auto _ : state) {
    state.PauseTiming();
    deck.ClearDecks();
    state.ResumeTiming();
    const ImportOutcome outcome =
        ImportFolder(ImportMode::kDeck, deck.Folder().string(), deck.Decks().string());
    if (!outcome.added || outcome.copied != kCards + 1) state.SkipWithError("import incomplete");
  }
  state.counters["MB/s"] = benchmark::Counter(
      deck.Bytes() / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportDeckOf78LargePictures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The limit: the same files copied plainly.
void BM_PlainCopyOf78LargePictures(benchmark::State& state) {
  const DownloadedDeck& deck = Deck();
  for (auto _ : state) {
    state.PauseTiming();
    deck.ClearDecks();
    state.ResumeTiming();
    const auto target = deck.Decks() / "Big Deck" / "cards";
    std::filesystem::create_directories(target);
    for (const auto& entry : std::filesystem::directory_iterator(deck.Folder() / "cards")) {
      std::filesystem::copy_file(entry.path(), target / entry.path().filename());
    }
    std::filesystem::copy_file(deck.Folder() / "deck.ini", target.parent_path() / "deck.ini");
  }
  state.counters["MB/s"] = benchmark::Counter(
      deck.Bytes() / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainCopyOf78LargePictures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
