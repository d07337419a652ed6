#include "library/journal_statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace vaticor {

// ---------------------------------------------------------------------------
// The composition of a deck

namespace {

constexpr std::int32_t kMajorArcana = 22;
constexpr std::int32_t kFullDeck = 78;
constexpr std::int32_t kSuitCards = 14;

// How many cards of each group a deck of `size` cards holds; nothing when
// its composition is not known.
std::optional<std::array<std::int32_t, kArcanaGroups>> GroupSizes(std::int32_t size) {
  if (size > 0 && size <= kMajorArcana) return std::array<std::int32_t, kArcanaGroups>{size};
  if (size == kFullDeck) {
    return std::array<std::int32_t, kArcanaGroups>{kMajorArcana, kSuitCards, kSuitCards, kSuitCards,
                                                   kSuitCards};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ArcanaGroup> CardGroup(std::int32_t deckSize, std::int32_t card) {
  if (card < 0 || card >= deckSize || !GroupSizes(deckSize)) return std::nullopt;
  if (card < kMajorArcana) return ArcanaGroup::kMajor;
  return static_cast<ArcanaGroup>(1 + (card - kMajorArcana) / kSuitCards);
}

// ---------------------------------------------------------------------------
// The binomial test

namespace {

double LogProbability(std::int64_t k, std::int64_t n, double logP, double logQ) {
  const auto kk = static_cast<double>(k);
  const auto nn = static_cast<double>(n);
  return std::lgamma(nn + 1) - std::lgamma(kk + 1) - std::lgamma(nn - kk + 1) + kk * logP +
         (nn - kk) * logQ;
}

// The sum of the probabilities from `from` on, stepping by `step` (+1 or
// -1) away from the mode, where they only fall: summed until the rest
// cannot change the sum (a term e^-40 of it, the fall by then steep enough
// that the rest is below 1e-15 of the sum).
double TailFrom(std::int64_t from, int step, std::int64_t n, double logP, double logQ) {
  double sum = 0;
  double logFirst = 0;
  for (std::int64_t i = from; i >= 0 && i <= n; i += step) {
    const double logTerm = LogProbability(i, n, logP, logQ);
    if (i == from) logFirst = logTerm;
    if (logTerm < logFirst - 40) break;
    sum += std::exp(logTerm);
  }
  return sum;
}

}  // namespace

double BinomialTestPValue(std::int64_t k, std::int64_t n, double p) {
  if (n < 0 || k < 0 || k > n || !(p >= 0 && p <= 1)) {
    throw std::invalid_argument("binomial test: k outside 0..n or p outside 0..1");
  }
  if (n == 0) return 1;
  if (p == 0) return k == 0 ? 1 : 0;
  if (p == 1) return k == n ? 1 : 0;
  const double mean = static_cast<double>(n) * p;
  if (static_cast<double>(k) == mean) return 1;
  const double logP = std::log(p);
  const double logQ = std::log1p(-p);
  // The outcomes as unlikely as k's: from k away from the mean, and on the
  // mean's other side those from the first no likelier (the
  // probabilities fall monotonically away from the mode there).
  const double bound = LogProbability(k, n, logP, logQ) + std::log1p(1e-7);
  const bool below = static_cast<double>(k) < mean;
  std::int64_t low = below ? static_cast<std::int64_t>(std::ceil(mean)) : 0;
  std::int64_t high = below ? n : static_cast<std::int64_t>(std::floor(mean));
  std::int64_t other = -1;  // the first (going outward) no likelier; -1: none
  if (below) {
    // Rising i, falling probabilities: the first i at or under the bound.
    while (low <= high) {
      const std::int64_t mid = low + (high - low) / 2;
      if (LogProbability(mid, n, logP, logQ) <= bound) {
        other = mid;
        high = mid - 1;
      } else {
        low = mid + 1;
      }
    }
  } else {
    // Falling i, falling probabilities: the last i at or under the bound.
    while (low <= high) {
      const std::int64_t mid = low + (high - low) / 2;
      if (LogProbability(mid, n, logP, logQ) <= bound) {
        other = mid;
        low = mid + 1;
      } else {
        high = mid - 1;
      }
    }
  }
  double sum = TailFrom(k, below ? -1 : +1, n, logP, logQ);
  if (other >= 0) sum += TailFrom(other, below ? +1 : -1, n, logP, logQ);
  return std::min(1.0, sum);
}

// ---------------------------------------------------------------------------
// The statistics

namespace {

// --- Days as numbers ---

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
  int year;
  int month;
  int day;
};

Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool Digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

// The day of "YYYY-MM-DD..." as a number; nothing when it is no date.
std::optional<std::int64_t> DayNumber(std::string_view day) {
  if (day.size() < 10 || day[4] != '-' || day[7] != '-' || !Digits(day.substr(0, 4)) ||
      !Digits(day.substr(5, 2)) || !Digits(day.substr(8, 2))) {
    return std::nullopt;
  }
  const int year = Number(day.substr(0, 4));
  const int month = Number(day.substr(5, 2));
  const int date = Number(day.substr(8, 2));
  if (month < 1 || month > 12 || date < 1) return std::nullopt;
  const std::int64_t number = DaysFromCivil(year, static_cast<unsigned>(month), 1) + date - 1;
  if (CivilFromDays(number).month != month) return std::nullopt;  // 31 April
  return number;
}

std::string DayText(std::int64_t number) {
  const Civil civil = CivilFromDays(number);
  return JournalMoment(civil.year, civil.month, civil.day, 0, 0, 0).substr(0, 10);
}

std::int64_t PeriodStartNumber(std::int64_t day, PeriodUnit unit) {
  if (unit == PeriodUnit::kMonth) {
    const Civil civil = CivilFromDays(day);
    return DaysFromCivil(civil.year, static_cast<unsigned>(civil.month), 1);
  }
  // 1970-01-01 was a Thursday: day 0 is 3 days past a Monday.
  const std::int64_t sinceMonday = ((day + 3) % 7 + 7) % 7;
  return day - sinceMonday;
}

std::int64_t NextPeriod(std::int64_t start, PeriodUnit unit) {
  if (unit == PeriodUnit::kWeek) return start + 7;
  const Civil civil = CivilFromDays(start);
  return civil.month == 12 ? DaysFromCivil(civil.year + 1, 1, 1)
                           : DaysFromCivil(civil.year, static_cast<unsigned>(civil.month + 1), 1);
}

// Beyond this many periods between the first day and the last, only the
// periods with readings are listed (a chart of thousands of empty bars
// tells nothing, and a journal with one moment in the year 1 would make
// millions).
constexpr std::int64_t kMostFilledPeriods = 1200;
constexpr std::int64_t kWeeksSpan = 182;

std::vector<PeriodCount> Periods(std::span<const JournalDayTally> days, PeriodUnit unit) {
  std::map<std::int64_t, PeriodCount> periods;
  for (const JournalDayTally& day : days) {
    const std::optional<std::int64_t> number = DayNumber(day.day);
    if (!number) continue;
    PeriodCount& period = periods[PeriodStartNumber(*number, unit)];
    period.readings += day.readings;
    period.cards += day.cards;
    period.reversed += day.reversed;
  }
  if (periods.empty()) return {};
  const std::int64_t first = periods.begin()->first;
  const std::int64_t last = periods.rbegin()->first;
  const std::int64_t span = unit == PeriodUnit::kWeek ? (last - first) / 7 : (last - first) / 28;
  if (span <= kMostFilledPeriods) {
    for (std::int64_t start = first; start < last; start = NextPeriod(start, unit)) {
      periods.try_emplace(start);
    }
  }
  std::vector<PeriodCount> list;
  list.reserve(periods.size());
  for (auto& [start, period] : periods) {
    period.start = DayText(start);
    list.push_back(std::move(period));
  }
  return list;
}

PeriodUnit NaturalUnit(std::span<const JournalDayTally> days) {
  std::optional<std::int64_t> first;
  std::optional<std::int64_t> last;
  for (const JournalDayTally& day : days) {
    const std::optional<std::int64_t> number = DayNumber(day.day);
    if (!number) continue;
    if (!first || *number < *first) first = number;
    if (!last || *number > *last) last = number;
  }
  return first && *last - *first > kWeeksSpan ? PeriodUnit::kMonth : PeriodUnit::kWeek;
}

// --- Cards ---

std::string NameOf(std::int32_t card, const std::string& recorded, const CardNamer& namer) {
  std::string name = namer ? namer(card) : std::string();
  return name.empty() ? recorded : name;
}

std::vector<CardCount> MostDrawn(std::span<const JournalCardTally> cards, std::size_t top,
                                 const CardNamer& namer) {
  struct Tally {
    CardCount count;
    std::int64_t nameWeight = -1;  // the count of the row the recorded name came from
    std::string recorded;
  };
  std::map<std::int32_t, Tally> byCard;
  for (const JournalCardTally& row : cards) {
    Tally& tally = byCard[row.card];
    tally.count.card = row.card;
    tally.count.upright += row.upright;
    tally.count.reversed += row.reversed;
    const std::int64_t weight = row.upright + row.reversed;
    if (!row.cardName.empty() &&
        std::tie(weight, row.cardName) > std::tie(tally.nameWeight, tally.recorded)) {
      tally.nameWeight = weight;
      tally.recorded = row.cardName;
    }
  }
  std::vector<CardCount> list;
  list.reserve(byCard.size());
  for (auto& [card, tally] : byCard) {
    tally.count.name = NameOf(card, tally.recorded, namer);
    list.push_back(std::move(tally.count));
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const CardCount& a, const CardCount& b) { return a.Total() > b.Total(); });
  if (list.size() > top) list.resize(top);
  return list;
}

// --- The balance ---

// Holm's step-down correction of p-values, in place.
void Holm(std::vector<GroupBalance>& groups) {
  std::vector<std::size_t> order(groups.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return groups[a].pValue < groups[b].pValue;
  });
  double running = 0;
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    GroupBalance& group = groups[order[rank]];
    const double factor = static_cast<double>(order.size() - rank);
    running = std::max(running, std::min(1.0, group.pValue * factor));
    group.pValue = running;
  }
}

// One group tested against the rest: the cards of decks where it can both
// come and not come are tested with their pooled share; the others are
// certain and only add to what is expected.
GroupBalance Tested(std::int64_t observed, double expected, std::int64_t testedCards,
                    std::int64_t testedObserved, double testedExpected) {
  GroupBalance balance{observed, expected};
  if (testedCards > 0) {
    const double share = std::clamp(testedExpected / static_cast<double>(testedCards), 0.0, 1.0);
    balance.pValue = BinomialTestPValue(testedObserved, testedCards, share);
  }
  return balance;
}

ArcanaBalance Balance(const JournalTally& tally, const DeckSizeOf& deckSize) {
  struct DeckCards {
    std::array<std::int64_t, kArcanaGroups> observed{};
    std::int64_t total = 0;
    std::optional<std::array<std::int32_t, kArcanaGroups>> sizes;
    std::int32_t size = 0;
  };
  std::map<std::string, DeckCards> decks;
  for (const JournalCardTally& row : tally.cards) {
    auto [place, fresh] = decks.try_emplace(row.deckFolder);
    DeckCards& deck = place->second;
    if (fresh) {
      const std::optional<std::int32_t> size = deckSize ? deckSize(row.deckFolder) : std::nullopt;
      if (size) deck.sizes = GroupSizes(*size);
      deck.size = size.value_or(0);
    }
    const std::int64_t count = row.upright + row.reversed;
    const std::optional<ArcanaGroup> group = CardGroup(deck.size, row.card);
    if (group) {
      deck.observed[static_cast<int>(*group)] += count;
      deck.total += count;
    }
  }
  ArcanaBalance balance;
  std::int64_t allCards = 0;
  for (const JournalCardTally& row : tally.cards) allCards += row.upright + row.reversed;
  for (const JournalUseTally& use : tally.uses) {
    const auto deck = decks.find(use.deckFolder);
    if (deck != decks.end() && deck->second.sizes) balance.readings += use.readings;
  }
  // Major against minor.
  std::int64_t majors = 0;
  double expectedMajors = 0;
  std::int64_t testedCards = 0;
  std::int64_t testedMajors = 0;
  double testedExpected = 0;
  // The suits, among the minor arcana.
  std::array<std::int64_t, kArcanaGroups> suitObserved{};
  std::array<double, kArcanaGroups> suitExpected{};
  for (const auto& [folder, deck] : decks) {
    if (!deck.sizes) continue;
    balance.cards += deck.total;
    const auto& sizes = *deck.sizes;
    const double majorShare = static_cast<double>(sizes[0]) / deck.size;
    majors += deck.observed[0];
    expectedMajors += majorShare * static_cast<double>(deck.total);
    if (majorShare > 0 && majorShare < 1) {
      testedCards += deck.total;
      testedMajors += deck.observed[0];
      testedExpected += majorShare * static_cast<double>(deck.total);
    }
    const std::int64_t minor = deck.total - deck.observed[0];
    const std::int32_t minorSize = deck.size - sizes[0];
    if (minor <= 0 || minorSize <= 0) continue;
    balance.minorCards += minor;
    for (int suit = 1; suit < kArcanaGroups; ++suit) {
      suitObserved[suit] += deck.observed[suit];
      suitExpected[suit] +=
          static_cast<double>(sizes[suit]) / minorSize * static_cast<double>(minor);
    }
  }
  balance.cardsLeftOut = allCards - balance.cards;
  balance.major = Tested(majors, expectedMajors, testedCards, testedMajors, testedExpected);
  balance.minor = balance.major;
  balance.minor.observed = balance.cards - majors;
  balance.minor.expected = static_cast<double>(balance.cards) - expectedMajors;
  for (int suit = 1; suit < kArcanaGroups; ++suit) {
    balance.suits.push_back(Tested(suitObserved[suit], suitExpected[suit], balance.minorCards,
                                   suitObserved[suit], suitExpected[suit]));
  }
  if (balance.minorCards > 0) Holm(balance.suits);
  balance.major.moreThanChance = balance.major.pValue < kChanceLevel;
  balance.minor.moreThanChance = balance.major.moreThanChance;
  for (GroupBalance& suit : balance.suits) suit.moreThanChance = suit.pValue < kChanceLevel;
  return balance;
}

// --- Uses ---

std::vector<UseCount> Ranked(std::map<std::pair<JournalKind, std::string>, std::int64_t> counts) {
  std::vector<UseCount> list;
  list.reserve(counts.size());
  for (auto& [key, readings] : counts) list.push_back({key.second, key.first, readings});
  std::stable_sort(list.begin(), list.end(), [](const UseCount& a, const UseCount& b) {
    return std::tie(b.readings, a.name) < std::tie(a.readings, b.name);
  });
  return list;
}

}  // namespace

std::string PeriodStart(std::string_view day, PeriodUnit unit) {
  const std::optional<std::int64_t> number = DayNumber(day);
  return number ? DayText(PeriodStartNumber(*number, unit)) : std::string(day);
}

JournalStatistics ComputeStatistics(const JournalTally& tally, const DeckSizeOf& deckSize,
                                    const CardNamer& namer, const StatisticsOptions& options) {
  JournalStatistics statistics;
  statistics.readings = tally.readings;
  for (const JournalCardTally& row : tally.cards) statistics.cards += row.upright + row.reversed;
  statistics.mostDrawn = MostDrawn(tally.cards, options.top, namer);
  statistics.balance = Balance(tally, deckSize);
  statistics.unit = options.unit.value_or(NaturalUnit(tally.days));
  statistics.periods = Periods(tally.days, statistics.unit);
  std::map<std::pair<JournalKind, std::string>, std::int64_t> decks;
  std::map<std::pair<JournalKind, std::string>, std::int64_t> descriptions;
  std::map<std::pair<JournalKind, std::string>, std::int64_t> layouts;
  for (const JournalUseTally& use : tally.uses) {
    decks[{JournalKind::kDraw, use.deckFolder}] += use.readings;
    descriptions[{JournalKind::kDraw, use.descriptionFolder}] += use.readings;
    layouts[{use.kind, use.kind == JournalKind::kSpread ? use.spreadFile : std::string()}] +=
        use.readings;
  }
  statistics.decks = Ranked(std::move(decks));
  statistics.descriptions = Ranked(std::move(descriptions));
  statistics.layouts = Ranked(std::move(layouts));
  return statistics;
}

std::vector<RecurringCard> RecurringCards(std::span<const JournalRecentCard> recent,
                                          std::size_t atLeast, const CardNamer& namer) {
  std::map<std::int32_t, RecurringCard> byCard;
  std::map<std::int32_t, std::string> recorded;
  for (const JournalRecentCard& position : recent) {
    RecurringCard& card = byCard[position.card];
    card.card = position.card;
    if (recorded[position.card].empty()) recorded[position.card] = position.cardName;
    if (!card.entries.empty() && card.entries.back() == position.entry) continue;
    if (std::find(card.entries.begin(), card.entries.end(), position.entry) != card.entries.end()) {
      continue;
    }
    card.entries.push_back(position.entry);
    card.moments.push_back(position.moment);
  }
  std::vector<RecurringCard> list;
  for (auto& [number, card] : byCard) {
    if (card.entries.size() < std::max<std::size_t>(atLeast, 1)) continue;
    card.name = NameOf(number, recorded[number], namer);
    list.push_back(std::move(card));
  }
  std::stable_sort(list.begin(), list.end(), [](const RecurringCard& a, const RecurringCard& b) {
    return a.entries.size() > b.entries.size();
  });
  return list;
}

}  // namespace vaticor
