#include "library/spread_table.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

using CardId = SpreadTable::CardId;

TEST(SpreadTable, ClosingTheSecondOfFourMovesTheLaterOnesDownAPlace) {
  SpreadTable table;
  const CardId a = table.Append(0);
  const CardId b = table.Append(0);
  const CardId c = table.Append(0);
  const CardId d = table.Append(0);
  EXPECT_EQ(table.IndexOf(d), 3);
  EXPECT_TRUE(table.Remove(b));
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.IndexOf(a), 0);
  EXPECT_EQ(table.IndexOf(c), 1);
  EXPECT_EQ(table.IndexOf(d), 2);
  EXPECT_EQ(table.IndexOf(b), std::nullopt);
  EXPECT_EQ(table.Find(b), nullptr);
  EXPECT_FALSE(table.Remove(b)) << "a card goes once";
  // A card dealt afterwards has a handle of its own, never the closed one's.
  const CardId e = table.Append(0);
  EXPECT_NE(e, b);
  EXPECT_EQ(table.IndexOf(e), 3);
  // Closing the last moves nothing.
  EXPECT_TRUE(table.Remove(e));
  EXPECT_EQ(table.IndexOf(a), 0);
  EXPECT_EQ(table.IndexOf(d), 2);
  EXPECT_EQ(table.Count(), 3);
}

TEST(SpreadTable, ACardKeepsItsValueGroupAndPlace) {
  SpreadTable table;
  const CardId id = table.Append(2);
  SpreadTable::Card* card = table.Find(id);
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->value, kNoCard);
  EXPECT_EQ(card->group, 2);
  card->value = -7;
  card->left = 604;
  card->top = 270;
  EXPECT_EQ(table.At(0).value, -7);
  EXPECT_EQ(table.At(0).left, 604);
  EXPECT_EQ(table.At(0).top, 270);
}

TEST(SpreadTable, TheCommandsActOnTheCurrentGroupOnlyWhileTheGroupsAreShown) {
  SpreadTable table;
  ASSERT_TRUE(table.AddGroup());
  ASSERT_TRUE(table.AddGroup());
  const CardId a = table.Append(0);
  const CardId b = table.Append(1);
  const CardId c = table.Append(0);
  const CardId d = table.Append(1);
  EXPECT_EQ(table.InScope(false), (std::vector<CardId>{a, b, c, d}));
  ASSERT_TRUE(table.SelectGroup(1));
  EXPECT_EQ(table.InScope(true), (std::vector<CardId>{b, d}));
  table.SelectGroup(0);
  EXPECT_EQ(table.InScope(true), (std::vector<CardId>{a, c}));
  // Hidden again: every card, whatever group is current.
  EXPECT_EQ(table.InScope(false), (std::vector<CardId>{a, b, c, d}));
  EXPECT_EQ(table.InGroup(1), (std::vector<CardId>{b, d}));
}

TEST(SpreadTable, SevenGroupsAtMostAndOnlyAGroupThatExistsBecomesCurrent) {
  SpreadTable table;
  EXPECT_EQ(table.CurrentGroup(), 0) << "cards dealt before groups exist belong to group 0";
  EXPECT_FALSE(table.SelectGroup(0));
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(table.AddGroup()) << i;
  EXPECT_FALSE(table.AddGroup());
  EXPECT_EQ(table.GroupCount(), 7);
  EXPECT_TRUE(table.SelectGroup(6));
  EXPECT_FALSE(table.SelectGroup(7));
  EXPECT_FALSE(table.SelectGroup(-1));
  EXPECT_EQ(table.CurrentGroup(), 6);
}

}  // namespace
}  // namespace vaticor
