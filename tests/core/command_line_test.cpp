#include "core/command_line.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(CommandLine, OnlyASpreadExtensionOpensTheSpreadsWindow) {
  EXPECT_TRUE(IsSpreadFileArgument("C:\\DOCS\\READIN~1.SPR"));
  EXPECT_TRUE(IsSpreadFileArgument("/home/u/reading.spr"));
  EXPECT_FALSE(IsSpreadFileArgument(""));
  // The long name is all a file manager without short names has to give.
  EXPECT_TRUE(IsSpreadFileArgument("C:\\Docs\\reading.spread"));
  EXPECT_TRUE(IsSpreadFileArgument("/home/u/Кельтский крест.Spread"));
  EXPECT_FALSE(IsSpreadFileArgument("/home/u/reading.spreads"));
  EXPECT_FALSE(IsSpreadFileArgument("/home/u/reading.spre"));
  EXPECT_FALSE(IsSpreadFileArgument("/home/u/reading.spread.bak"));
  EXPECT_FALSE(IsSpreadFileArgument("/home/u/readings.spread/notes"));
  EXPECT_FALSE(IsSpreadFileArgument("C:\\Docs\\reading"));
  EXPECT_FALSE(IsSpreadFileArgument("C:\\A.SPR\\file"));
  EXPECT_FALSE(IsSpreadFileArgument("/a.spr/file"));
  EXPECT_FALSE(IsSpreadFileArgument("x.SPRX"));
}

TEST(CommandLine, ExtensionIsTheLastDotOfTheLastComponent) {
  EXPECT_EQ(PathExtension("a/b.c/d.tar.gz"), ".gz");
  EXPECT_EQ(PathExtension("a\\b.c\\d"), "");
  EXPECT_EQ(PathExtension("name."), ".");
}

}  // namespace
}  // namespace vaticor
