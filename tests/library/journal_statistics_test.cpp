#include "library/journal_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace vaticor {
namespace {

// Two-sided exact p-values worked out apart (exact fractions summed in
// full, and for n = 100,000 every term summed), the first as R documents
// binom.test(682, 925, p = 3/4).
TEST(BinomialTest, MatchesValuesWorkedOutApart) {
  struct Case {
    std::int64_t k;
    std::int64_t n;
    double p;
    double expected;
  };
  const Case cases[] = {
      {682, 925, 0.75, 0.3824915595748517},
      {7, 10, 0.5, 0.34375},
      {9, 10, 0.5, 0.021484375},
      {0, 10, 0.5, 0.001953125},
      {40, 100, 22.0 / 78, 0.010529216533080246},
      {30, 60, 0.25, 3.363600237173638e-05},
      {10, 60, 0.25, 0.17837104238261922},
      {3, 15, 0.1, 0.184061069106391},
      {0, 20, 0.05, 0.6226463974646924},
      {22, 78, 22.0 / 78, 1.0},
      {27000, 100000, 22.0 / 78, 1.837742761284637e-17},
      {28300, 100000, 22.0 / 78, 0.5043942684115554},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(BinomialTestPValue(c.k, c.n, c.p), c.expected, c.expected * 1e-6)
        << c.k << " of " << c.n << " at " << c.p;
  }
}

TEST(BinomialTest, DegenerateAndInvalidInputs) {
  EXPECT_EQ(BinomialTestPValue(0, 0, 0.3), 1.0);
  EXPECT_EQ(BinomialTestPValue(0, 5, 0.0), 1.0);
  EXPECT_EQ(BinomialTestPValue(1, 5, 0.0), 0.0);
  EXPECT_EQ(BinomialTestPValue(5, 5, 1.0), 1.0);
  EXPECT_EQ(BinomialTestPValue(4, 5, 1.0), 0.0);
  EXPECT_THROW(BinomialTestPValue(6, 5, 0.5), std::invalid_argument);
  EXPECT_THROW(BinomialTestPValue(-1, 5, 0.5), std::invalid_argument);
  EXPECT_THROW(BinomialTestPValue(1, 5, 1.5), std::invalid_argument);
  EXPECT_THROW(BinomialTestPValue(1, 5, std::nan("")), std::invalid_argument);
}

TEST(CardGroup, FollowsTheCommonOrderOfFullDecksOnly) {
  EXPECT_EQ(CardGroup(78, 0), ArcanaGroup::kMajor);
  EXPECT_EQ(CardGroup(78, 21), ArcanaGroup::kMajor);
  EXPECT_EQ(CardGroup(78, 22), ArcanaGroup::kWands);
  EXPECT_EQ(CardGroup(78, 35), ArcanaGroup::kWands);
  EXPECT_EQ(CardGroup(78, 36), ArcanaGroup::kCups);
  EXPECT_EQ(CardGroup(78, 63), ArcanaGroup::kSwords);
  EXPECT_EQ(CardGroup(78, 77), ArcanaGroup::kPentacles);
  EXPECT_EQ(CardGroup(78, 78), std::nullopt);
  EXPECT_EQ(CardGroup(22, 21), ArcanaGroup::kMajor);
  EXPECT_EQ(CardGroup(22, 22), std::nullopt);
  EXPECT_EQ(CardGroup(36, 3), std::nullopt);  // another composition
  EXPECT_EQ(CardGroup(78, -1), std::nullopt);
}

// --- The balance against chance ---

JournalCardTally Cards(const std::string& deck, std::int32_t card, std::int64_t upright,
                       std::int64_t reversed = 0) {
  return {deck, card, upright, reversed, ""};
}

DeckSizeOf Sizes(std::map<std::string, std::int32_t> sizes) {
  return [sizes](const std::string& folder) -> std::optional<std::int32_t> {
    const auto found = sizes.find(folder);
    if (found == sizes.end()) return std::nullopt;
    return found->second;
  };
}

TEST(JournalStatistics, MajorArcanaOfAFullDeckAgainstChance) {
  JournalTally tally;
  tally.readings = 50;
  tally.cards = {Cards("rws", 3, 30, 10), Cards("rws", 40, 35), Cards("rws", 70, 25)};
  tally.uses = {{JournalKind::kDraw, "rws", "", "", 50}};
  const ArcanaBalance balance = ComputeStatistics(tally, Sizes({{"rws", 78}}), {}).balance;
  EXPECT_EQ(balance.cards, 100);
  EXPECT_EQ(balance.readings, 50);
  EXPECT_EQ(balance.major.observed, 40);
  EXPECT_NEAR(balance.major.expected, 28.2051, 1e-3);
  EXPECT_NEAR(balance.major.pValue, 0.010529216533080246, 1e-8);
  EXPECT_TRUE(balance.major.moreThanChance);
  EXPECT_EQ(balance.minor.observed, 60);
  EXPECT_NEAR(balance.minor.expected, 71.7949, 1e-3);
  EXPECT_TRUE(balance.minor.moreThanChance);
}

TEST(JournalStatistics, AMajorArcanaDeckIsCertainAndAMixTestsOnlyTheFullDeck) {
  // Only majors: all of them is what chance gives, nothing to test.
  JournalTally majors;
  majors.cards = {Cards("major", 5, 60)};
  majors.uses = {{JournalKind::kDraw, "major", "", "", 60}};
  const ArcanaBalance alone = ComputeStatistics(majors, Sizes({{"major", 22}}), {}).balance;
  EXPECT_DOUBLE_EQ(alone.major.expected, 60);
  EXPECT_EQ(alone.major.pValue, 1);
  EXPECT_FALSE(alone.major.moreThanChance);

  // 50 cards of the 22-card deck and 78 of a full deck with 22 majors
  // among them: 72 majors expected, and the full deck's share is exactly
  // chance's, however far the pooled share would be from it.
  JournalTally mix;
  mix.cards = {Cards("major", 5, 50), Cards("full", 1, 22), Cards("full", 30, 56)};
  mix.uses = {{JournalKind::kDraw, "full", "", "", 26}, {JournalKind::kDraw, "major", "", "", 50}};
  const ArcanaBalance both =
      ComputeStatistics(mix, Sizes({{"major", 22}, {"full", 78}}), {}).balance;
  EXPECT_EQ(both.cards, 128);
  EXPECT_EQ(both.major.observed, 72);
  EXPECT_NEAR(both.major.expected, 72, 1e-9);
  EXPECT_NEAR(both.major.pValue, 1, 1e-12);
  EXPECT_FALSE(both.major.moreThanChance);
  EXPECT_EQ(both.readings, 76);
}

TEST(JournalStatistics, SuitsAreCorrectedTogetherAndGoneDecksAreLeftOut) {
  JournalTally tally;
  tally.cards = {Cards("full", 22, 30), Cards("full", 40, 10), Cards("full", 55, 10),
                 Cards("full", 70, 10), Cards("gone", 40, 9),  Cards("odd", 2, 4)};
  tally.uses = {{JournalKind::kDraw, "full", "", "", 60},
                {JournalKind::kDraw, "gone", "", "", 9},
                {JournalKind::kDraw, "odd", "", "", 4}};
  const ArcanaBalance balance =
      ComputeStatistics(tally, Sizes({{"full", 78}, {"odd", 36}}), {}).balance;
  EXPECT_EQ(balance.cards, 60);
  EXPECT_EQ(balance.cardsLeftOut, 13);
  EXPECT_EQ(balance.readings, 60);
  EXPECT_EQ(balance.minorCards, 60);
  ASSERT_EQ(balance.suits.size(), 4u);
  EXPECT_EQ(balance.suits[0].observed, 30);
  EXPECT_DOUBLE_EQ(balance.suits[0].expected, 15);
  // The smallest p-value times four, the others never below it.
  EXPECT_NEAR(balance.suits[0].pValue, 4 * 3.363600237173638e-05, 1e-9);
  EXPECT_TRUE(balance.suits[0].moreThanChance);
  for (int suit = 1; suit < 4; ++suit) {
    EXPECT_FALSE(balance.suits[suit].moreThanChance) << suit;
    EXPECT_GE(balance.suits[suit].pValue, balance.suits[0].pValue);
  }
}

TEST(JournalStatistics, AnEmptyJournalCountsNothing) {
  const JournalStatistics statistics = ComputeStatistics({}, Sizes({}), {});
  EXPECT_EQ(statistics.readings, 0);
  EXPECT_TRUE(statistics.mostDrawn.empty());
  EXPECT_TRUE(statistics.periods.empty());
  EXPECT_TRUE(statistics.decks.empty());
  EXPECT_EQ(statistics.balance.cards, 0);
  EXPECT_EQ(statistics.balance.major.pValue, 1);
  EXPECT_FALSE(statistics.balance.major.moreThanChance);
  for (const GroupBalance& suit : statistics.balance.suits) EXPECT_FALSE(suit.moreThanChance);
}

TEST(JournalStatistics, MostDrawnAddsDecksTogetherAndNamesFromTheDeckInUse) {
  JournalTally tally;
  tally.cards = {{"a", 7, 2, 1, "Seven A"},
                 {"b", 7, 1, 1, "Seven B"},
                 {"a", 1, 4, 0, "One"},
                 {"b", 90, 1, 0, "Far card"},
                 {"a", 2, 1, 0, ""}};
  const CardNamer namer = [](std::int32_t card) {
    return card == 7 ? std::string("Семёрка") : std::string();
  };
  StatisticsOptions options;
  options.top = 3;
  const std::vector<CardCount> top = ComputeStatistics(tally, Sizes({}), namer, options).mostDrawn;
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0].card, 7);
  EXPECT_EQ(top[0].name, "Семёрка");
  EXPECT_EQ(top[0].upright, 3);
  EXPECT_EQ(top[0].reversed, 2);
  EXPECT_EQ(top[1].card, 1);
  EXPECT_EQ(top[1].name, "One");  // not in the deck in use: as recorded
  EXPECT_EQ(top[2].card, 2);      // a tie of one with card 90: by card
}

// --- Periods ---

std::vector<std::string> Starts(const std::vector<PeriodCount>& periods) {
  std::vector<std::string> starts;
  for (const PeriodCount& period : periods) starts.push_back(period.start);
  return starts;
}

TEST(JournalStatistics, WeeksBeginOnMondayAndGapsAreFilled) {
  JournalTally tally;
  // 2024-02-29 is a Thursday, 2024-03-03 a Sunday, 2024-03-18 a Monday.
  tally.days = {{"2024-02-29", 2, 4, 1}, {"2024-03-03", 1, 3, 3}, {"2024-03-18", 1, 1, 0}};
  const JournalStatistics statistics = ComputeStatistics(tally, Sizes({}), {});
  EXPECT_EQ(statistics.unit, PeriodUnit::kWeek);
  EXPECT_EQ(Starts(statistics.periods),
            (std::vector<std::string>{"2024-02-26", "2024-03-04", "2024-03-11", "2024-03-18"}));
  EXPECT_EQ(statistics.periods[0].readings, 3);
  EXPECT_EQ(statistics.periods[0].cards, 7);
  EXPECT_EQ(statistics.periods[0].reversed, 4);
  EXPECT_EQ(statistics.periods[1].readings, 0);
}

TEST(JournalStatistics, MonthsAcrossAYearAndDaysThatAreNoDates) {
  JournalTally tally;
  tally.days = {{"2023-11-30", 1, 1, 0},
                {"2024-02-31", 5, 5, 5},
                {"garbage", 7, 7, 7},
                {"2024-06-01", 1, 3, 1}};
  const JournalStatistics statistics = ComputeStatistics(tally, Sizes({}), {});
  EXPECT_EQ(statistics.unit, PeriodUnit::kMonth);  // more than 26 weeks
  EXPECT_EQ(Starts(statistics.periods),
            (std::vector<std::string>{"2023-11-01", "2023-12-01", "2024-01-01", "2024-02-01",
                                      "2024-03-01", "2024-04-01", "2024-05-01", "2024-06-01"}));
  EXPECT_EQ(statistics.periods[3].readings, 0);  // 31 February counted nowhere
  EXPECT_EQ(PeriodStart("2024-01-01", PeriodUnit::kWeek), "2024-01-01");  // a Monday
  EXPECT_EQ(PeriodStart("2023-01-01", PeriodUnit::kWeek), "2022-12-26");
  EXPECT_EQ(PeriodStart("1969-12-31", PeriodUnit::kWeek), "1969-12-29");
  EXPECT_EQ(PeriodStart("not a day", PeriodUnit::kMonth), "not a day");
}

TEST(JournalStatistics, AJournalSpanningAgesListsOnlyMonthsWithReadings) {
  JournalTally tally;
  tally.days = {{"0001-01-01", 1, 1, 0}, {"9999-12-31", 1, 1, 0}};
  const JournalStatistics statistics = ComputeStatistics(tally, Sizes({}), {});
  EXPECT_EQ(Starts(statistics.periods), (std::vector<std::string>{"0001-01-01", "9999-12-01"}));
}

TEST(JournalStatistics, UsesAreRankedAndDrawsAreOneLayout) {
  JournalTally tally;
  tally.uses = {{JournalKind::kDraw, "a", "x", "", 3},
                {JournalKind::kDraw, "b", "x", "", 1},
                {JournalKind::kSpread, "a", "y", "Celtic.spread", 4},
                {JournalKind::kSpread, "b", "y", "", 2},
                {JournalKind::kDayCard, "a", "x", "", 5}};
  const JournalStatistics statistics = ComputeStatistics(tally, Sizes({}), {});
  ASSERT_EQ(statistics.decks.size(), 2u);
  EXPECT_EQ(statistics.decks[0].name, "a");
  EXPECT_EQ(statistics.decks[0].readings, 12);
  ASSERT_EQ(statistics.descriptions.size(), 2u);
  EXPECT_EQ(statistics.descriptions[0].readings, 9);
  ASSERT_EQ(statistics.layouts.size(), 4u);
  EXPECT_EQ(statistics.layouts[0].kind, JournalKind::kDayCard);
  EXPECT_EQ(statistics.layouts[1].kind, JournalKind::kDraw);  // a tie: by name
  EXPECT_EQ(statistics.layouts[1].readings, 4);
  EXPECT_EQ(statistics.layouts[2].name, "Celtic.spread");
  EXPECT_EQ(statistics.layouts[3].kind, JournalKind::kSpread);
  EXPECT_EQ(statistics.layouts[3].name, "");
}

// --- Recurring cards ---

TEST(RecurringCards, ACardCountsOnceAReadingAndRareOnesAreLeftOut) {
  const std::vector<JournalRecentCard> recent = {
      {9, "2024-03-09T10:00:00", 5, false, "a", "Five"},
      {9, "2024-03-09T10:00:00", 5, true, "a", "Five"},
      {8, "2024-03-08T10:00:00", 12, false, "a", "Twelve"},
      {7, "2024-03-07T10:00:00", 5, false, "a", "Five"},
      {7, "2024-03-07T10:00:00", 12, false, "a", "Twelve"},
      {6, "2024-03-06T10:00:00", 5, false, "a", "Five"},
      {6, "2024-03-06T10:00:00", 3, false, "a", "Three"},
  };
  const std::vector<RecurringCard> found = RecurringCards(recent, 2, {});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].card, 5);
  EXPECT_EQ(found[0].entries, (std::vector<std::int64_t>{9, 7, 6}));
  EXPECT_EQ(found[0].moments.front(), "2024-03-09T10:00:00");
  EXPECT_EQ(found[0].name, "Five");
  EXPECT_EQ(found[1].card, 12);
  EXPECT_EQ(found[1].entries, (std::vector<std::int64_t>{8, 7}));
  EXPECT_TRUE(RecurringCards(recent, 4, {}).empty());
  EXPECT_TRUE(RecurringCards({}, 1, {}).empty());
}

}  // namespace
}  // namespace vaticor
