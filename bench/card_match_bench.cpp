// Completion of a typed card over the names of ten installed 78-card decks
// (five Russian, five English), each keystroke of a few texts as typed;
// counters: the longest keystroke and its ratio to the 5 ms a keystroke
// may take.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "library/card_identity.h"

namespace {

std::vector<vaticor::CardName> TenDecks() {
  const char* ranksRu[] = {"Туз",      "Двойка",  "Тройка",    "Четвёрка", "Пятёрка",
                           "Шестёрка", "Семёрка", "Восьмёрка", "Девятка",  "Десятка",
                           "Паж",      "Рыцарь",  "Королева",  "Король"};
  const char* ranksEn[] = {"Ace",   "Two",  "Three", "Four", "Five",   "Six",   "Seven",
                           "Eight", "Nine", "Ten",   "Page", "Knight", "Queen", "King"};
  const char* suitsRu[] = {"Жезлов", "Кубков", "Мечей", "Пентаклей"};
  const char* suitsEn[] = {"Wands", "Cups", "Swords", "Pentacles"};
  std::vector<vaticor::CardName> names;
  for (int deck = 0; deck < 10; ++deck) {
    const bool russian = deck % 2 == 0;
    for (int card = 0; card < vaticor::kCardIdentities; ++card) {
      std::string name;
      if (card < vaticor::kMajorArcanaCount) {
        name = (russian ? "Старший аркан " : "Major arcanum ") + std::to_string(card);
      } else {
        const int rank = (card - 22) % 14;
        const int suit = (card - 22) / 14;
        name = russian ? std::string(ranksRu[rank]) + " " + suitsRu[suit]
                       : std::string(ranksEn[rank]) + " of " + suitsEn[suit];
      }
      names.push_back({card, name + " (" + std::to_string(deck) + ")"});
    }
  }
  return names;
}

void BM_CardCompletionKeystroke(benchmark::State& state) {
  const std::vector<vaticor::CardName> names = TenDecks();
  const std::vector<std::string> texts = {"Тройка Кубков", "Three of Cups", "3oC",
                                          "кубк",          "XVI",           "Queen of Pentacles"};
  double longest = 0;
  for (auto _ : state) {
    for (const std::string& text : texts) {
      for (std::size_t length = 1; length <= text.size(); ++length) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(vaticor::MatchCards(text.substr(0, length), names, 20));
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        longest = std::max(longest, took.count());
      }
    }
  }
  state.counters["names"] = static_cast<double>(names.size());
  state.counters["longest_ms"] = longest;
  state.counters["ratio"] = longest / 5.0;
}
BENCHMARK(BM_CardCompletionKeystroke)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
