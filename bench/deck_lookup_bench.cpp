// What one card lookup costs on a 78-card deck: each walks deck.ini's card
// entries and tests the existence of their picture files.
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

class Deck78 {
 public:
  Deck78() {
    root_ = std::filesystem::temp_directory_path() /
            ("vaticor-bench-" + std::to_string(std::random_device{}()));
    const auto deck = root_ / "Decks" / "deck";
    std::filesystem::create_directories(deck);
    std::ofstream ini(deck / "deck.ini", std::ios::binary);
    ini << "[Deck]\r\nName=Bench\r\nCards.Count=77\r\n[Files]\r\n";
    for (int n = 0; n < 78; ++n) {
      const std::string key = (n < 10 ? "Card0" : "Card") + std::to_string(n);
      ini << key << "=" << n << ".jpg\r\n";
      std::ofstream(deck / (std::to_string(n) + ".jpg")) << "x";
    }
    ini << "[Names]\r\n";
    for (int n = 0; n < 78; ++n) {
      ini << (n < 10 ? "Card0" : "Card") << n << "=Card name number " << n << "\r\n";
    }
    ini.close();
    // An installed deck is not being edited: its deck.ini is old.
    std::filesystem::last_write_time(
        deck / "deck.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  ~Deck78() { std::filesystem::remove_all(root_); }
  std::string DecksFolder() const { return (root_ / "Decks").string(); }

 private:
  std::filesystem::path root_;
};

void BM_GetCardNameOfTheLastCard(benchmark::State& state) {
  Deck78 deck;
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardName(77));
}
BENCHMARK(BM_GetCardNameOfTheLastCard);

void BM_GetCardPictureOfTheLastCard(benchmark::State& state) {
  Deck78 deck;
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardPicture(77));
}
BENCHMARK(BM_GetCardPictureOfTheLastCard);

void BM_GetCardNames(benchmark::State& state) {
  Deck78 deck;
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  decks.LoadDecks();
  for (auto _ : state) benchmark::DoNotOptimize(decks.GetCardNames());
}
BENCHMARK(BM_GetCardNames);

void BM_LoadDecks(benchmark::State& state) {
  Deck78 deck;
  NoDecodeLoader loader;
  TTaroDecks decks(deck.DecksFolder(), loader);
  for (auto _ : state) decks.LoadDecks();
}
BENCHMARK(BM_LoadDecks);

}  // namespace
