#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/journal.h"

namespace vaticor {

// The journal's statistics: what the counts of the store (JournalTally,
// JournalRecentCard) say, made into the numbers the charts show. Nothing
// here reads a file or the store.

// --- The composition of a deck ---

enum class ArcanaGroup { kMajor = 0, kWands = 1, kCups = 2, kSwords = 3, kPentacles = 4 };
inline constexpr int kArcanaGroups = 5;

// The group of the card at place `card` (from 0) of a deck of `deckSize`
// cards. A deck of 22 cards or fewer is all major arcana; a deck of 78
// follows the common order: 0 - 21 the major arcana, then fourteen cards
// each (ace to king) of wands (22 - 35), cups (36 - 49), swords (50 - 63)
// and pentacles (64 - 77). Any other size, or a card outside the deck:
// nothing (its composition is not known).
std::optional<ArcanaGroup> CardGroup(std::int32_t deckSize, std::int32_t card);

// --- The binomial test ---

// The two-sided exact binomial test: the probability, when each of `n`
// independent cards falls into a group with probability `p`, of an outcome
// no likelier than `k` of them in it (the outcomes summed as R's
// binom.test sums them, a relative tolerance of 1e-7 counting a tie).
// 1 when n is 0; p of 0 or 1 gives 1 when k is the only possible outcome,
// else 0. Exact for any n (computed with logarithms, in O(n) steps).
// Raises std::invalid_argument for k outside 0 .. n or p outside 0 .. 1.
double BinomialTestPValue(std::int64_t k, std::int64_t n, double p);

// The level below which a difference is called more than chance.
inline constexpr double kChanceLevel = 0.05;

// --- The statistics ---

// A card as the charts count it: by its place in its deck, so the same
// card of two decks of the same composition counts as one.
struct CardCount {
  std::int32_t card = 0;
  std::string name;  // see CardNamer
  std::int64_t upright = 0;
  std::int64_t reversed = 0;
  std::int64_t Total() const { return upright + reversed; }
};

// One group of the balance against chance.
struct GroupBalance {
  std::int64_t observed = 0;    // cards of the group
  double expected = 0;          // cards chance gives the group
  double pValue = 1;            // BinomialTestPValue, after Holm's correction for the suits
  bool moreThanChance = false;  // pValue < kChanceLevel
};

// The major arcana against the minor, and the four suits against each
// other, over the cards of decks whose composition is known.
struct ArcanaBalance {
  std::int64_t readings = 0;  // entries those cards come from
  std::int64_t cards = 0;     // cards compared
  // Cards left out: of decks no longer installed, or of another
  // composition (see CardGroup).
  std::int64_t cardsLeftOut = 0;
  // Major then minor (the minor's observed and expected are the rest;
  // the same p-value, as one test decides both).
  GroupBalance major;
  GroupBalance minor;
  // Wands, cups, swords, pentacles (in ArcanaGroup's order), among the minor arcana of the decks
  // that have them; each tested against the others, the four p-values
  // corrected by Holm's method so that together they err at kChanceLevel.
  std::vector<GroupBalance> suits;
  std::int64_t minorCards = 0;  // the cards the suits are compared over
};

// A period of the chart of readings over time.
enum class PeriodUnit { kWeek, kMonth };
struct PeriodCount {
  std::string start;  // its first day, "2024-03-11" (weeks begin on Monday)
  std::int64_t readings = 0;
  std::int64_t cards = 0;
  std::int64_t reversed = 0;
};

// How often something was used.
struct UseCount {
  std::string name;  // a folder or a spread file's name; empty: not known (a draw: no file)
  JournalKind kind = JournalKind::kDraw;  // for spreads: the kind of the readings
  std::int64_t readings = 0;
};

struct JournalStatistics {
  std::int64_t readings = 0;
  std::int64_t cards = 0;
  std::vector<CardCount> mostDrawn;  // most first; ties by card
  ArcanaBalance balance;
  PeriodUnit unit = PeriodUnit::kMonth;
  // From the period of the first day to that of the last, every period
  // (those without readings too), oldest first.
  std::vector<PeriodCount> periods;
  // Most used first; ties by name.
  std::vector<UseCount> decks;
  std::vector<UseCount> descriptions;
  // By kind and spread file: draws (name empty), cards of the day (name
  // empty), and each spread file (an unsaved spread: name empty).
  std::vector<UseCount> layouts;
};

// The number of cards of an installed deck by its folder; nothing when no
// such deck is installed (any more).
using DeckSizeOf = std::function<std::optional<std::int32_t>(const std::string& deckFolder)>;
// A card's name in the deck in use; empty when it has no card there (the
// name it was recorded under is taken then).
using CardNamer = std::function<std::string(std::int32_t card)>;

struct StatisticsOptions {
  std::size_t top = 20;  // cards in mostDrawn
  // The unit of the periods; nothing: weeks when the days span 26 weeks
  // (182 days) or less, months otherwise.
  std::optional<PeriodUnit> unit{};
};

JournalStatistics ComputeStatistics(const JournalTally& tally, const DeckSizeOf& deckSize,
                                    const CardNamer& namer, const StatisticsOptions& options = {});

// The first day of the period holding `day` ("2024-03-14"): its month's
// first day, or the Monday of its week. A text that is no day: as given.
std::string PeriodStart(std::string_view day, PeriodUnit unit);

// --- Recurring cards ---

struct RecurringCard {
  std::int32_t card = 0;
  std::string name;  // as CardCount::name
  // The entries it came in, newest first, each once.
  std::vector<std::int64_t> entries;
  std::vector<std::string> moments;  // parallel to entries
};

// The cards that came in at least `atLeast` of the entries of `recent`
// (as RecentCards gives them), a card counted once an entry; most
// frequent first, ties by card.
std::vector<RecurringCard> RecurringCards(std::span<const JournalRecentCard> recent,
                                          std::size_t atLeast, const CardNamer& namer);

}  // namespace vaticor
