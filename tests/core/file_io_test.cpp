#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "core/indexed_folder.h"
#include "support/file_size_limit.h"
#include "support/run_unprivileged.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FileSizeLimit;
using testing::ReadAll;
using testing::RunUnprivileged;
using testing::TempDir;
namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(FileIoTest, PathsJoinAndSplit) {
  EXPECT_EQ(JoinPath("decks", "Rider/deck.ini"), "decks/Rider/deck.ini");
  EXPECT_EQ(JoinPath("decks/", "deck.ini"), "decks/deck.ini");
  EXPECT_EQ(JoinPath("", "deck.ini"), "deck.ini");
  EXPECT_EQ(ParentPath("decks/Rider/deck.ini"), "decks/Rider");
  EXPECT_EQ(ParentPath("/deck.ini"), "/");
  EXPECT_EQ(ParentPath("deck.ini"), "");
}

TEST(FileIoTest, ExistenceListingAndReading) {
  TempDir dir;
  const std::string file = dir.Write("b.ini", "0123456789");
  dir.MakeDir("a-folder");
  dir.Write("C.ini", "");
  fs::create_symlink(file, dir.Path("link.ini"));

  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(dir.Path("link.ini")));
  EXPECT_FALSE(FileExists(dir.Path("a-folder")));
  EXPECT_FALSE(FileExists(dir.Path("missing")));
  EXPECT_TRUE(DirectoryExists(dir.Path("a-folder")));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"C.ini", "a-folder", "b.ini", "link.ini"}));
  EXPECT_TRUE(ListDirectory(dir.Path("missing")).empty());

  EXPECT_EQ(ReadFileBytes(file), "0123456789");
  EXPECT_EQ(ReadFilePrefix(file, 4), "0123");
  EXPECT_EQ(ReadFileBytes(dir.Path("a-folder")), std::nullopt);
  EXPECT_EQ(ReadFileBytes(dir.Path("missing")), std::nullopt);
  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadFileBytes(dir.Path("pipe")), std::nullopt);  // returns, does not wait
}

TEST(FileIoTest, IdentityChangesWithSizeAndTime) {
  TempDir dir;
  const std::string file = dir.Write("f.ini", "abc");
  const FileIdentity first = IdentifyFile(file);
  EXPECT_TRUE(first.exists);
  EXPECT_EQ(first.size, 3u);
  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(1));
  EXPECT_NE(IdentifyFile(file), first);
  EXPECT_FALSE(IdentifyFile(dir.Path("missing")).exists);
  EXPECT_FALSE(IdentifyFile(dir.path()).exists);
}

TEST(FileIoTest, AtomicWriteReplacesAndKeepsPermissionsAndLinks) {
  TempDir dir;
  const std::string file = dir.Write("deck.ini", "old");
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(file, "new content"));
  EXPECT_EQ(ReadAll(file), "new content");
  EXPECT_EQ(ModeOf(file), 0640u);

  fs::create_symlink("deck.ini", dir.Path("link.ini"));
  ASSERT_TRUE(WriteFileAtomically(dir.Path("link.ini"), "through the link"));
  EXPECT_TRUE(fs::is_symlink(dir.Path("link.ini")));
  EXPECT_EQ(ReadAll(file), "through the link");

  ASSERT_TRUE(WriteFileAtomically(dir.Path("fresh.ini"), ""));
  EXPECT_TRUE(FileExists(dir.Path("fresh.ini")));
  // No temporary file is left beside them.
  EXPECT_EQ(ListDirectory(dir.path()),
            (std::vector<std::string>{"deck.ini", "fresh.ini", "link.ini"}));
}

TEST(FileIoTest, FailedAtomicWriteLeavesOldFileAndNoTemporary) {
  TempDir dir;
  const std::string file = dir.Write("deck.ini", "old");
  const std::string notAFolder = dir.Write("plain", "x");
  EXPECT_FALSE(WriteFileAtomically(notAFolder + "/deck.ini", "data"));
  EXPECT_FALSE(WriteFileAtomically(dir.MakeDir("folder"), "data"));
  EXPECT_FALSE(WriteFileAtomically("", "data"));
  {
    FileSizeLimit limit(16);  // the disk "fills up" after 16 bytes
    EXPECT_FALSE(WriteFileAtomically(file, std::string(1000, 'x')));
  }
  EXPECT_EQ(ReadAll(file), "old");
  EXPECT_EQ(ListDirectory(dir.path()), (std::vector<std::string>{"deck.ini", "folder", "plain"}));
}

TEST(FileIoTest, AFolderThatRefusesNewFilesStillHasItsWritableFileWritten) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0755);
  const std::string folder = dir.MakeDir("Program Files");
  const std::string settings =
      dir.Write("Program Files/Quorlin.ini", "[S]\r\nlonger=old value\r\n");
  const std::string locked = dir.Write("Program Files/locked.ini", "locked");
  ::chmod(settings.c_str(), 0666);
  ::chmod(locked.c_str(), 0444);
  ::chmod(folder.c_str(), 0555);
  const int failures = RunUnprivileged([&] {
    int failed = 0;
    if (!WriteFileAtomically(settings, "[S]\r\nk=new\r\n")) failed |= 1;
    // As before: a read-only file, or no file at all, is not written.
    if (WriteFileAtomically(locked, "changed")) failed |= 2;
    if (WriteFileAtomically(folder + "/new.ini", "new")) failed |= 4;
    return failed;
  });
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(ReadAll(settings), "[S]\r\nk=new\r\n");  // cut to the new length
  EXPECT_EQ(ModeOf(settings), 0666u);
  EXPECT_EQ(ReadAll(locked), "locked");
  EXPECT_EQ(ListDirectory(folder), (std::vector<std::string>{"Quorlin.ini", "locked.ini"}));
}

TEST(FileIoTest, OnlyOurOwnStaleTemporaryFilesAreRemoved) {
  using namespace std::chrono_literals;
  TempDir dir;
  const std::chrono::system_clock::time_point now =
      std::chrono::sys_days{std::chrono::March / 14 / 2024} + 9h;
  auto make = [&](const std::string& name, std::chrono::system_clock::duration age) {
    const std::string path = dir.Write(name, "partial");
    fs::last_write_time(path, std::chrono::file_clock::from_sys(now - age));
  };
  make(".Quorlin.ini.0123456789abcdef.tmp", 1h);
  make(".Quorlin.ini.fedcba9876543210.tmp", 11min);
  const std::vector<std::string> kept = {
      ".Quorlin.ini.00000000ffffffff.tmp",  // young: another copy may be writing it
      ".Quorlin.ini.0123456789ABCDEF.tmp",  // our digits are lower case
      ".Quorlin.ini.0123456789abcde.tmp",   // 15 digits
      ".Quorlin.ini.0123456789abcdef.temp", ".Quorlin.ini.0123456789abcdef.tmp~",
      ".Quorlin.ini.0123456789abcdef0.tmp",  // 17
      ".Quorlin.ini.0123456789abcdeg.tmp",
      ".Quorlin.ini.1111111111111111.tmp",  // a folder
      ".Quorlin.ini.2222222222222222.tmp",  // a link to an old file
      ".Quorlin.ini.3333333333333333.tmp",  // stamped ahead of our clock
      ".Vaticor.Log.0123456789abcdef.tmp",  // another file's
      ".quorlin.ini.0123456789abcdef.tmp",  "Quorlin.ini",
      "Quorlin.ini.0123456789abcdef.tmp",
  };
  make(kept[0], 30s);
  for (std::size_t i = 1; i <= 6; ++i) make(kept[i], 1h);
  dir.MakeDir(kept[7]);
  fs::last_write_time(dir.Path(kept[7]), std::chrono::file_clock::from_sys(now - 1h));
  fs::create_symlink("Quorlin.ini", dir.Path(kept[8]));
  make(kept[9], -1h);
  for (std::size_t i = 10; i < kept.size(); ++i) make(kept[i], 1h);

  EXPECT_EQ(RemoveStaleTemporaryFiles(dir.path(), "Quorlin.ini", now), 2);
  EXPECT_EQ(ListDirectory(dir.path()), kept);

  // The name in a temporary name is cut as the writer cuts it.
  const std::string longName(250, 'n');
  make("." + std::string(200, 'n') + ".0123456789abcdef.tmp", 1h);
  EXPECT_EQ(RemoveStaleTemporaryFiles(dir.path(), longName, now), 1);
  EXPECT_EQ(ListDirectory(dir.path()), kept);
}

TEST(FileIoTest, IndexedPathsResolveAsOnWindows) {
  TempDir dir;
  dir.Write("cards/Major/00-Fool.bmp", "");
  dir.Write("cards/Major/Twin.bmp", "");
  dir.Write("cards/Major/TWIN.BMP", "");
  dir.Write("back.bmp", "");
  const std::string base = dir.Path("cards");

  EXPECT_EQ(ResolveIndexedPath(base, "MAJOR\\00-fool.BMP"), base + "/Major/00-Fool.bmp");
  EXPECT_EQ(ResolveIndexedPath(base, "\\.\\Major//./00-Fool.bmp"), base + "/Major/00-Fool.bmp");
  // Above the base folder ".." stays in the path, which keeps it right
  // when the base is reached through a link.
  EXPECT_EQ(ResolveIndexedPath(base, "..\\BACK.bmp"), base + "/../back.bmp");
  EXPECT_EQ(ResolveIndexedPath(base, "major\\..\\..\\back.bmp"), base + "/../back.bmp");
  // As written when it exists so, when nothing matches, or when the match is
  // not the only one.
  EXPECT_EQ(ResolveIndexedPath(base, "Major/TWIN.BMP"), base + "/Major/TWIN.BMP");
  EXPECT_EQ(ResolveIndexedPath(base, "Major/twin.bmp"), base + "/Major/twin.bmp");
  EXPECT_EQ(ResolveIndexedPath(base, "minor\\01.bmp"), base + "/minor/01.bmp");
  EXPECT_EQ(ResolveIndexedPath(base, ""), base);
}

}  // namespace
}  // namespace vaticor
