#include "core/indexed_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

TEST(IndexedFolderTest, FindsWhatResolveIndexedPathFindsAndTellsFilesApart) {
  TempDir dir;
  dir.Write("cards/Major/00-Fool.bmp", "");
  dir.Write("cards/Major/Twin.bmp", "");
  dir.Write("cards/Major/TWIN.BMP", "");
  dir.Write("cards/Свиток.txt", "");
  const std::string base = dir.Path("cards");
  IndexedFolder folder(base);

  const IndexedFolder::Entry fool = folder.Find("MAJOR\\00-fool.BMP");
  EXPECT_EQ(fool.path, base + "/Major/00-Fool.bmp");
  EXPECT_TRUE(fool.isFile);
  EXPECT_EQ(folder.Find("свиток.TXT").path, base + "/Свиток.txt");
  // Twins match only as written.
  EXPECT_EQ(folder.Find("Major/twin.bmp").path, base + "/Major/twin.bmp");
  EXPECT_FALSE(folder.Find("Major/twin.bmp").isFile);
  EXPECT_TRUE(folder.Find("Major/TWIN.BMP").isFile);
  // ".." that stays inside is followed.
  EXPECT_EQ(folder.Find("minor\\..\\Major\\.\\00-Fool.bmp").path, base + "/Major/00-Fool.bmp");
  EXPECT_EQ(folder.Find("Major\\..").path, base);
  EXPECT_FALSE(folder.Find("Major").isFile);          // a folder
  EXPECT_FALSE(folder.Find("minor\\01.bmp").isFile);  // missing
  EXPECT_EQ(folder.Find("minor\\01.bmp").path, base + "/minor/01.bmp");
  EXPECT_EQ(IndexedFolder().Find("x").path, "");
}

TEST(IndexedFolderTest, ListsEachFolderOnceForItsLife) {
  TempDir dir;
  dir.Write("set/old.rtf", "");
  dir.Write("set/sub/kept.rtf", "");
  IndexedFolder folder(dir.Path("set"));
  ASSERT_TRUE(folder.Find("old.rtf").isFile);
  ASSERT_TRUE(folder.Find("sub/kept.rtf").isFile);
  dir.Write("set/new.rtf", "");
  dir.Write("set/sub/NEW.rtf", "");
  fs::remove(dir.Path("set/old.rtf"));
  EXPECT_FALSE(folder.Find("new.rtf").isFile);
  EXPECT_FALSE(folder.Find("sub/new.rtf").isFile);
  EXPECT_TRUE(folder.Find("OLD.rtf").isFile);
  // A new object lists again.
  IndexedFolder fresh(dir.Path("set"));
  EXPECT_TRUE(fresh.Find("new.rtf").isFile);
  EXPECT_EQ(fresh.Find("sub/new.rtf").path, dir.Path("set/sub/NEW.rtf"));
  EXPECT_FALSE(fresh.Find("old.rtf").isFile);
}

TEST(IndexedFolderTest, IndexedValueCannotLeaveItsFolder) {
  TempDir dir;
  dir.Write("outside.jpg", "");
  dir.Write("deck-other/card.jpg", "");
  dir.Write("deck/card.jpg", "");
  dir.Write("deck/art/inner.jpg", "");
  const std::string base = dir.Path("deck");
  fs::create_symlink(dir.Path("outside.jpg"), dir.Path("deck/out-file.jpg"));
  fs::create_symlink("../deck-other", dir.Path("deck/out-folder"));
  fs::create_symlink(dir.Path("gone.jpg"), dir.Path("deck/dangling.jpg"));
  fs::create_symlink("loop.jpg", dir.Path("deck/loop.jpg"));
  fs::create_symlink("art/inner.jpg", dir.Path("deck/in-file.jpg"));
  fs::create_symlink(dir.Path("deck/art"), dir.Path("deck/in-folder"));
  IndexedFolder folder(base);

  const std::vector<std::string> leaving = {
      "..\\outside.jpg", "art\\..\\..\\outside.jpg", "..\\deck\\card.jpg", "..", "/etc/passwd",
      "\\etc\\passwd", "//server/share/x.jpg", "C:\\x.jpg", "c:card.jpg", "out-file.jpg",
      "OUT-FILE.JPG", "out-folder\\card.jpg", "out-folder", "dangling.jpg", "loop.jpg",
      // Cut at the NUL, "..\0" would be "..".
      std::string("..\0", 3), std::string("card.jpg\0/../x", 14)};
  for (const std::string& value : leaving) {
    EXPECT_EQ(folder.Find(value).path, "") << value;
    EXPECT_FALSE(folder.Find(value).isFile) << value;
  }
  // Links that stay inside are followed.
  EXPECT_TRUE(folder.Find("in-file.jpg").isFile);
  EXPECT_TRUE(folder.Find("In-Folder\\INNER.jpg").isFile);
  EXPECT_EQ(folder.Find("In-Folder\\INNER.jpg").path, base + "/in-folder/inner.jpg");
  EXPECT_TRUE(folder.Find("art\\..\\card.jpg").isFile);
  // A name that merely looks like a drive further in is a name.
  EXPECT_EQ(folder.Find("art\\C:x").path, base + "/art/C:x");
}

}  // namespace
}  // namespace vaticor
