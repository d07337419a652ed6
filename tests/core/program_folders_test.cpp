#include "core/program_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

// What a package installs: <prefix>/bin/vaticor and its content in
// <prefix>/share/vaticor.
class ProgramFoldersTest : public ::testing::Test {
 protected:
  ProgramFoldersTest() {
    dir.Write("usr/bin/vaticor", "program");
    dir.Write("usr/share/vaticor/Pictures Folder/Decks/sample/deck.ini", "[Deck]\n");
    dir.Write("usr/share/vaticor/Spreads Folder/Cross.spread", "cross");
    dir.Write("usr/share/vaticor/Spreads Folder/Крест.spread", "крест");
  }
  TempDir dir;
};

TEST_F(ProgramFoldersTest, AnInstalledProgramWritesInTheUsersFoldersAndAPortableOneBesideItself) {
  const UserBaseFolders user{"", "", dir.Path("home")};
  const ProgramFolders installed = FindProgramFolders(dir.Path("usr/bin/vaticor"), user);
  EXPECT_TRUE(installed.installed);
  EXPECT_EQ(installed.content, dir.Path("usr/share/vaticor"));
  EXPECT_EQ(installed.settings, dir.Path("home/.config/vaticor"));
  EXPECT_EQ(installed.data, dir.Path("home/.local/share/vaticor"));

  // The XDG folders where they are full paths; a relative one is not used.
  const ProgramFolders xdg = FindProgramFolders(
      dir.Path("usr/bin/vaticor"), {dir.Path("conf"), "relative/data", dir.Path("home")});
  EXPECT_EQ(xdg.settings, dir.Path("conf/vaticor"));
  EXPECT_EQ(xdg.data, dir.Path("home/.local/share/vaticor"));

  // Without a home there is nowhere to keep the user's files.
  EXPECT_FALSE(FindProgramFolders(dir.Path("usr/bin/vaticor"), {"", "", ""}).installed);

  // Unpacked into a folder named bin, the portable folder stays portable.
  dir.Write("usr/bin/Pictures Folder/Decks/mine/deck.ini", "[Deck]\n");
  const ProgramFolders unpacked = FindProgramFolders(dir.Path("usr/bin/vaticor"), user);
  EXPECT_FALSE(unpacked.installed);
  EXPECT_EQ(unpacked.data, dir.Path("usr/bin"));
  EXPECT_EQ(unpacked.settings, dir.Path("usr/bin"));

  dir.Write("opt/vaticor/vaticor", "program");
  EXPECT_FALSE(FindProgramFolders(dir.Path("opt/vaticor/vaticor"), user).installed);
}

TEST_F(ProgramFoldersTest, TheSampleSpreadsAreCopiedOnceSoARemovedOneStaysRemoved) {
  const ProgramFolders folders =
      FindProgramFolders(dir.Path("usr/bin/vaticor"), {"", "", dir.Path("home")});
  ASSERT_TRUE(PrepareUserFolders(folders));
  const std::string spreads = dir.Path("home/.local/share/vaticor/Spreads Folder");
  EXPECT_EQ(ReadAll(spreads + "/Крест.spread"), "крест");
  EXPECT_TRUE(DirectoryExists(dir.Path("home/.local/share/vaticor/Pictures Folder/Decks")));
  EXPECT_TRUE(DirectoryExists(dir.Path("home/.local/share/vaticor/Texts Folder/Descriptions")));
  EXPECT_TRUE(DirectoryExists(dir.Path("home/.config/vaticor")));

  std::filesystem::remove(spreads + "/Cross.spread");
  ASSERT_TRUE(PrepareUserFolders(folders));
  EXPECT_FALSE(FileExists(spreads + "/Cross.spread"));
}

}  // namespace
}  // namespace vaticor
