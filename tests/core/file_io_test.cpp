#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;
namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

// Limits how large a file this process may write, so that a write fails even
// for root; restores the limit when it goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

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
  EXPECT_EQ(ListDirectory(dir.path()), (std::vector<std::string>{"deck.ini", "fresh.ini", "link.ini"}));
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
