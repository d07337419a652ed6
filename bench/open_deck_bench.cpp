// Decks of the open deck format in the desktop's shared deck folder: the
// listing of twenty such decks that start-up does on the window's thread
// (counters: its time and the ratio to the 2 ms it may take), and, for
// comparison, reading one 78-card deck with three size folders when it is
// selected.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "library/card_identity.h"
#include "library/open_deck.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Twenty decks as artists ship them: a deck.toml of the usual length, an
// English and a Russian names file, 78 cards in h750, h1200 and scalable.
class SharedDecks {
 public:
  SharedDecks() {
    root_ = fs::temp_directory_path() /
            ("vaticor-bench-decks-" + std::to_string(std::random_device{}()));
    const char* suits[] = {"wands", "cups", "swords", "pentacles"};
    const char* ranks[] = {"ace",   "two",  "three", "four", "five",   "six",   "seven",
                           "eight", "nine", "ten",   "page", "knight", "queen", "king"};
    for (int d = 0; d < 20; ++d) {
      const fs::path deck = root_ / ("deck-" + std::to_string(d));
      Write(
          deck / "deck.toml",
          "[deck]\nschema_version = \"2.0\"\nidentifier = \"org.example/deck/d" +
              std::to_string(d) + "\"\nname = \"Deck " + std::to_string(d) +
              "\"\nversion = \"1.0\"\nauthor = \"An Artist\"\nlicense = \"CC-BY-4.0\"\n"
              "description = \"A deck drawn for the bench, with a description of a usual "
              "length that says what the deck is and where it comes from.\"\n"
              "tags = [\"modern\", \"bench\"]\n[card_backs]\ndefault = \"plain\"\n"
              "[card_backs.variants.plain]\nname = \"Plain\"\nimage = \"card_backs/plain.png\"\n");
      std::string en = "[major_arcana]\n", ru = "[major_arcana]\n";
      for (int m = 0; m < 22; ++m) {
        const std::string key = (m < 10 ? "0" : "") + std::to_string(m);
        en += key + " = \"Major " + key + "\"\n";
        ru += key + " = \"Старший аркан " + key + "\"\n";
        for (const char* size : {"h750", "h1200"})
          Write(deck / size / "major_arcana" / (key + ".png"), "x");
        Write(deck / "scalable" / "major_arcana" / (key + ".svg"), "x");
      }
      for (const char* suit : suits) {
        for (const char* rank : ranks) {
          for (const char* size : {"h750", "h1200"}) {
            Write(deck / size / "minor_arcana" / suit / (std::string(rank) + ".png"), "x");
          }
          Write(deck / "scalable" / "minor_arcana" / suit / (std::string(rank) + ".svg"), "x");
        }
      }
      Write(deck / "names" / "en.toml", en);
      Write(deck / "names" / "ru.toml", ru + "[minor_arcana]\nname_template = \"{rank} {suit}\"\n");
    }
  }
  ~SharedDecks() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Root() const { return root_.string(); }

 private:
  fs::path root_;
};

void BM_ListTwentySharedDecks(benchmark::State& state) {
  const SharedDecks decks;
  double longest = 0;
  std::size_t listed = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const vaticor::OpenDeckListing listing = vaticor::ListOpenDecks({decks.Root()});
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    longest = std::max(longest, took.count());
    listed = listing.usable.size();
  }
  state.counters["decks"] = static_cast<double>(listed);
  state.counters["longest_ms"] = longest;
  state.counters["ratio"] = longest / 2.0;
}
BENCHMARK(BM_ListTwentySharedDecks)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ReadOneSharedDeckWhenSelected(benchmark::State& state) {
  const SharedDecks decks;
  std::size_t cards = 0;
  for (auto _ : state) {
    const vaticor::OpenDeck deck = vaticor::ReadOpenDeck(decks.Root() + "/deck-7", "ru");
    cards = deck.cards.size();
  }
  state.counters["cards"] = static_cast<double>(cards);
}
BENCHMARK(BM_ReadOneSharedDeckWhenSelected)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
