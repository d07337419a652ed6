#include "core/command_line.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(CommandLine, OnlyAShortSpreadExtensionOpensTheSpreadsWindow) {
  EXPECT_TRUE(IsSpreadFileArgument("C:\\DOCS\\READIN~1.SPR"));
  EXPECT_TRUE(IsSpreadFileArgument("/home/u/reading.spr"));
  EXPECT_FALSE(IsSpreadFileArgument(""));
  EXPECT_FALSE(IsSpreadFileArgument("C:\\Docs\\reading.spread"));
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
