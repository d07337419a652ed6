// What card lookups cost. Each walks deck.ini's card entries and asks, for
// each, whether its picture file exists: a look-up in the listing of the deck
// folder made when the deck was selected. The target for start-up (listing
// the decks, selecting one, naming its cards) and for one draw (the picture
// and name of three cards) is 50 ms on a deck of 4,000 cards.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "library/taro_decks.h"

namespace {

using namespace vaticor;

// Answers without decoding, so only the lookup is measured.
class NoDecodeLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize) override {
    return std::make_unique<Picture>(1, 1);
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return PictureSize{400, 680};
  }
};

// One installed deck of `cards` entries, all named in "Cards.Count". With
// `present`, entry N names the picture file "N.jpg" that is there; without,
// entry N names "missing-N.jpg", which is not, among as many other files.
class BenchDeck {
 public:
  explicit BenchDeck(int cards, bool present = true) {
    root_ = std::filesystem::temp_directory_path() /
            ("vaticor-bench-" + std::to_string(std::random_device{}()));
    const auto deck = root_ / "Decks" / "deck";
    std::filesystem::create_directories(deck);
    std::ofstream ini(deck / "deck.ini", std::ios::binary);
    ini << "[Deck]\r\nName=Bench\r\nCards.Count=" << cards - 1 << "\r\n[Files]\r\n";
    for (int n = 0; n < cards; ++n) {
      ini << Key(n) << "=" << (present ? "" : "missing-") << n << ".jpg\r\n";
      std::ofstream(deck / (std::to_string(n) + ".jpg")) << "x";
    }
    ini << "[Names]\r\n";
    for (int n = 0; n < cards; ++n) ini << Key(n) << "=Card name number " << n << "\r\n";
    ini.close();
    // An installed deck is not being edited: its deck.ini is old.
    std::filesystem::last_write_time(
        deck / "deck.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  ~BenchDeck() { std::filesystem::remove_all(root_); }
  BenchDeck(const BenchDeck&) = delete;
  BenchDeck& operator=(const BenchDeck&) = delete;
  std::string DecksFolder() const { return (root_ / "Decks").string(); }

 private:
  static std::string Key(int n) { return (n < 10 ? "Card0" : "Card") + std::to_string(n); }
  std::filesystem::path root_;
};

void BM_GetCardNameOfTheLastCard(benchmark::State& state) {
  BenchDeck deck(78);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardName(77));
}
BENCHMARK(BM_GetCardNameOfTheLastCard);

void BM_GetCardPictureOfTheLastCard(benchmark::State& state) {
  BenchDeck deck(78);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardPicture(77));
}
BENCHMARK(BM_GetCardPictureOfTheLastCard);

void BM_GetCardNames(benchmark::State& state) {
  BenchDeck deck(78);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardNames());
}
BENCHMARK(BM_GetCardNames);

void BM_LoadDecks(benchmark::State& state) {
  BenchDeck deck(78);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  for (auto _ : state) decks.LoadDecks();
}
BENCHMARK(BM_LoadDecks);

// Arguments: number of cards; 1 when their files are there, 0 when deck.ini
// names only missing files.
void DeckSizes(benchmark::internal::Benchmark* b) {
  b->Args({78, 1})->Args({4000, 1})->Args({4000, 0})->Unit(benchmark::kMillisecond);
}

// The main window's start: the deck list, the saved deck, its card names.
void BM_StartUp(benchmark::State& state) {
  BenchDeck deck(static_cast<int>(state.range(0)), state.range(1) != 0);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  for (auto _ : state) {
    decks.LoadDecks();
    decks.SelectDeck(0);
    benchmark::DoNotOptimize(decks.GetCardNames());
  }
}
BENCHMARK(BM_StartUp)->Apply(DeckSizes);

// The lookups of one three-card draw, at the far end of the deck where the
// walk is longest.
void BM_DrawThreeCards(benchmark::State& state) {
  const int cards = static_cast<int>(state.range(0));
  BenchDeck deck(cards, state.range(1) != 0);
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) {
    for (int position : {cards - 1, cards - 2, cards / 2}) {
      benchmark::DoNotOptimize(decks.GetCardPicture(position));
      benchmark::DoNotOptimize(decks.GetCardName(position));
    }
  }
}
BENCHMARK(BM_DrawThreeCards)->Apply(DeckSizes);

}  // namespace
