#include "library/journal.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(JournalFilePathTest, BesideTheProgramOrInTheUsersDataFolder) {
  EXPECT_EQ(JournalFilePath("/opt/vaticor", true, "/x", "/home/u"), "/opt/vaticor/Vaticor.Journal");
  EXPECT_EQ(JournalFilePath("/opt/vaticor", false, "/home/u/data", "/home/u"),
            "/home/u/data/vaticor/Vaticor.Journal");
  // A relative XDG_DATA_HOME is to be ignored.
  EXPECT_EQ(JournalFilePath("/opt/vaticor", false, "data", "/home/u"),
            "/home/u/.local/share/vaticor/Vaticor.Journal");
  EXPECT_EQ(JournalFilePath("/opt/vaticor", false, "", ""), "");
}

}  // namespace
}  // namespace vaticor
