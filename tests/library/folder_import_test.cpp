#include "library/folder_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <utility>

#include "core/file_io.h"
#include "library/taro_decks.h"
#include "support/fake_picture_loader.h"
#include "support/file_size_limit.h"
#include "support/run_unprivileged.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FakePictureLoader;
using ::testing::HasSubstr;
using ::testing::Pair;
using testing::ReadAll;
using testing::TempDir;

// What a folder holds, links not followed: each entry's path below the
// folder and its content ("<dir>", "-> target" or the file's bytes).
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::end(it); ++it) {
    const std::string below = fs::relative(it->path(), folder).string();
    if (it->is_symlink()) {
      tree[below] = "-> " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      tree[below] = "<dir>";
    } else {
      tree[below] = ReadAll(it->path().string());
    }
  }
  return tree;
}

// Everything in `tree` except what lies in `folder` (a path below the same
// root).
std::map<std::string, std::string> Outside(std::map<std::string, std::string> tree,
                                           const std::string& folder) {
  std::erase_if(tree, [&](const auto& entry) {
    return entry.first == folder || entry.first.starts_with(folder + "/");
  });
  return tree;
}

class FolderImportTest : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string decks = dir.MakeDir("Program/Decks");
  const std::string descriptions = dir.MakeDir("Program/Descriptions");

  ImportOutcome ImportDeck(const std::string& folder,
                           ImportPlacement placement = ImportPlacement::kNew,
                           const ImportProgress& progress = {}) {
    return ImportFolder(ImportMode::kDeck, dir.Path(folder), decks, placement, progress);
  }
};

TEST_F(FolderImportTest, ADeckIsImportedWithTheFilesItNamesThatExistEachOnce) {
  const std::string ini =
      "[Deck]\r\nName=Mine\r\n[Files]\r\nCard00=fool.jpg\r\nCard01=gone.jpg\r\n"
      "Card02=\r\nCard03=Art\r\nCard04=magician.bmp\r\nCard05=fool.jpg\r\n";
  dir.Write("Downloads/MyDeck/deck.ini", ini);
  dir.Write("Downloads/MyDeck/fool.jpg", "fool");
  dir.Write("Downloads/MyDeck/magician.bmp", "magician");
  dir.Write("Downloads/MyDeck/unlisted.jpg", "unlisted");
  dir.MakeDir("Downloads/MyDeck/Art");

  std::vector<std::pair<int, int>> steps;
  const ImportOutcome outcome =
      ImportDeck("Downloads/MyDeck", ImportPlacement::kNew,
                 [&](int done, int total) { steps.emplace_back(done, total); });

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.copied, 3);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_EQ(outcome.firstFailure, ImportFailure{});
  // Card01 names no file and Card03 a folder: two of the five listed.
  EXPECT_EQ(outcome.listed, 5);
  EXPECT_EQ(outcome.missing, 2);
  EXPECT_THAT(steps, ElementsAre(Pair(0, 3), Pair(1, 3), Pair(2, 3), Pair(3, 3)));
  EXPECT_THAT(Tree(decks), ElementsAre(Pair("MyDeck", "<dir>"), Pair("MyDeck/deck.ini", ini),
                                       Pair("MyDeck/fool.jpg", "fool"),
                                       Pair("MyDeck/magician.bmp", "magician")));
}

// A deck of the same name is installed: the import goes ahead only as the
// user chose, and replacing swaps the whole deck.
TEST_F(FolderImportTest, ASecondFolderOfTheSameNameReplacesOrGoesBesideButNeverMixes) {
  dir.Write("One/MyDeck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=b.jpg\r\n");
  dir.Write("One/MyDeck/a.jpg", "first a");
  dir.Write("One/MyDeck/b.jpg", "first b");
  ASSERT_TRUE(ImportDeck("One/MyDeck").added);
  const std::map<std::string, std::string> first = Tree(decks);
  dir.Write("Two/MyDeck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=c.jpg\r\n");
  dir.Write("Two/MyDeck/a.jpg", "second a");
  dir.Write("Two/MyDeck/c.jpg", "second c");
  const ImportTargetName taken = CheckImportTarget(dir.Path("Two/MyDeck/"), decks);
  EXPECT_TRUE(taken.taken);
  EXPECT_EQ(taken.beside, "MyDeck (2)");
  EXPECT_FALSE(CheckImportTarget(dir.Path("Two/Other"), decks).taken);

  // As a new deck, the name taken: nothing is written over it.
  const ImportOutcome asNew = ImportDeck("Two/MyDeck/");  // the tree may give a trailing "/"
  EXPECT_FALSE(asNew.added);
  EXPECT_EQ(asNew.firstFailure, (ImportFailure{ImportFailureReason::kCannotPutInPlace, "MyDeck"}));
  EXPECT_EQ(Tree(decks), first);

  const ImportOutcome beside = ImportDeck("Two/MyDeck", ImportPlacement::kBeside);
  EXPECT_TRUE(beside.added);
  EXPECT_EQ(beside.target, decks + "/MyDeck (2)");
  EXPECT_EQ(ReadAll(decks + "/MyDeck (2)/c.jpg"), "second c");
  EXPECT_EQ(Outside(Tree(decks), "MyDeck (2)"), first);

  const ImportOutcome replaced = ImportDeck("Two/MyDeck", ImportPlacement::kReplace);
  EXPECT_TRUE(replaced.added);
  EXPECT_EQ(replaced.copied, 3);
  EXPECT_THAT(Outside(Tree(decks), "MyDeck (2)"),
              ElementsAre(Pair("MyDeck", "<dir>"), Pair("MyDeck/a.jpg", "second a"),
                          Pair("MyDeck/c.jpg", "second c"),
                          Pair("MyDeck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=c.jpg\r\n")));
}

TEST_F(FolderImportTest, TheNameBesideIsTheFirstFreeNumber) {
  std::set<std::string> taken;
  auto isTaken = [&](const std::string& name) { return taken.contains(name); };
  EXPECT_EQ(FreeFolderName("Celestial Vault", isTaken), "Celestial Vault (2)");
  taken = {"Celestial Vault (2)", "Celestial Vault (3)", "Celestial Vault (5)"};
  EXPECT_EQ(FreeFolderName("Celestial Vault", isTaken), "Celestial Vault (4)");
  EXPECT_EQ(FreeFolderName("", isTaken), " (2)");
  EXPECT_EQ(FreeFolderName("X", [](const std::string&) { return true; }), "");

  // In the folder, anything of the name counts: a file, a link.
  dir.MakeDir("Program/Decks/Deck");
  dir.Write("Program/Decks/Deck (2)", "a file");
  fs::create_symlink("nowhere", dir.Path("Program/Decks/Deck (3)"));
  dir.Write("Src/Deck/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("Src/Deck/a.jpg", "a");
  EXPECT_EQ(
      PlanImport(ImportMode::kDeck, dir.Path("Src/Deck"), decks, ImportPlacement::kBeside).target,
      decks + "/Deck (4)");
}

TEST_F(FolderImportTest, ADescriptionSetGetsTheFilesOfEverySectionItListsAndNoOther) {
  const std::string ini =
      "[Description]\r\nName=Set\r\n[Sections]\r\nA=\r\nb=ignored\r\nMissing=\r\na=\r\n"
      "[A]\r\nCard00=a0.rtf\r\nCard01=no such.rtf\r\nCard02=\r\n"
      "[B]\r\nCard00=b0.txt\r\nCard01=a0.rtf\r\n"
      "[C]\r\nCard00=c0.rtf\r\n";
  dir.Write("Texts/Set/description.ini", ini);
  dir.Write("Texts/Set/a0.rtf", "a0");
  dir.Write("Texts/Set/b0.txt", "b0");
  dir.Write("Texts/Set/c0.rtf", "c0");

  const ImportOutcome outcome =
      ImportFolder(ImportMode::kDescriptionSet, dir.Path("Texts/Set"), descriptions);

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.copied, 3);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_THAT(Tree(descriptions),
              ElementsAre(Pair("Set", "<dir>"), Pair("Set/a0.rtf", "a0"), Pair("Set/b0.txt", "b0"),
                          Pair("Set/description.ini", ini)));
}

TEST_F(FolderImportTest, OnlyTheKeyNamesThatFitTheProfileListAreSeen) {
  // 16,383 bytes and its terminator fill the 16,384-byte list exactly.
  const std::string ini =
      "[Files]\r\n" + std::string(16383, 'K') + "=first.jpg\r\nCard00=second.jpg\r\n";
  dir.Write("Long/deck.ini", ini);
  dir.Write("Long/first.jpg", "first");
  dir.Write("Long/second.jpg", "second");

  const ImportOutcome outcome = ImportDeck("Long");

  EXPECT_EQ(outcome.copied, 2);
  EXPECT_THAT(ListDirectory(dir.Path("Program/Decks/Long")), ElementsAre("deck.ini", "first.jpg"));
}

TEST_F(FolderImportTest, AnIndexThatListsNothingAddsNothing) {
  dir.Write("Empty/deck.ini", "[Deck]\r\nName=x\r\n[Files]\r\n[Names]\r\nCard00=Fool\r\n");
  dir.Write("Empty/description.ini", "[Sections]\r\n[A]\r\nCard00=deck.ini\r\n");
  dir.Write("Missing/deck.ini", "[Deck]\r\nName=x\r\n");
  dir.MakeDir("NoIndex");

  for (const char* folder : {"Empty", "Missing", "NoIndex"}) {
    SCOPED_TRACE(folder);
    const ImportOutcome deck = ImportDeck(folder);
    EXPECT_FALSE(deck.added);
    EXPECT_EQ(deck.copied, 0);
    EXPECT_EQ(deck.failed, 0);
    EXPECT_FALSE(ImportFolder(ImportMode::kDescriptionSet, dir.Path(folder), descriptions).added);
  }
  EXPECT_TRUE(Tree(decks).empty());
  EXPECT_TRUE(Tree(descriptions).empty());
}

TEST_F(FolderImportTest, OnlyAFolderWithTheIndexOutsideTheTargetIsOffered) {
  dir.Write("Downloads/MyDeck/deck.ini", "[Files]\r\n");
  dir.Write("Program/Decks/Rider/deck.ini", "[Files]\r\n");
  dir.Write("Downloads/Set/description.ini", "[Sections]\r\n");
  dir.Write("Downloads/Upper/DECK.INI", "[Files]\r\n");

  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/MyDeck"), decks));
  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/MyDeck/"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Program/Decks/Rider"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Program/Decks/Rider/"), decks));
  // The parent is compared exactly: another spelling of the folder is not it.
  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Program/Decks/Rider"), decks + "/"));
  EXPECT_TRUE(
      OffersImport(ImportMode::kDeck, dir.Path("Program/Decks/Rider"), dir.Path("Program/DECKS")));
  // The mode's own index, exactly as named.
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/Set"), decks));
  EXPECT_TRUE(OffersImport(ImportMode::kDescriptionSet, dir.Path("Downloads/Set"), descriptions));
  EXPECT_FALSE(OffersImport(ImportMode::kDescriptionSet, dir.Path("Downloads/MyDeck"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/Upper"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, "", decks));
}

TEST_F(FolderImportTest, AWindowsMadeDeckImportsCompletelyIntoTheSubFoldersItNames) {
  const std::string ini =
      "[Files]\r\nCard00=Art\\Major\\FOOL.JPG\r\nCard01=art\\major\\magician.jpg\r\n"
      "Card02=.\\Art\\.\\Minor\\..\\Minor\\Ace.bmp\r\nCard03=ROOT.JPG\r\n";
  dir.Write("Win/Deck/deck.ini", ini);
  dir.Write("Win/Deck/Art/Major/Fool.jpg", "fool");
  dir.Write("Win/Deck/Art/Major/Magician.JPG", "magician");
  dir.Write("Win/Deck/Art/Minor/Ace.bmp", "ace");
  dir.Write("Win/Deck/root.jpg", "root");

  const ImportOutcome outcome = ImportDeck("Win/Deck");

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.copied, 5);
  EXPECT_EQ(outcome.failed, 0);
  // Named as found, so the copy resolves as the original did.
  EXPECT_THAT(
      Tree(dir.Path("Program/Decks/Deck")),
      ElementsAre(Pair("Art", "<dir>"), Pair("Art/Major", "<dir>"),
                  Pair("Art/Major/Fool.jpg", "fool"), Pair("Art/Major/Magician.JPG", "magician"),
                  Pair("Art/Minor", "<dir>"), Pair("Art/Minor/Ace.bmp", "ace"),
                  Pair("deck.ini", ini), Pair("root.jpg", "root")));
}

TEST_F(FolderImportTest, IndexValuesLeadingOutOfTheFolderAreRefusedAndNothingOutsideIsTouched) {
  dir.Write("secret.jpg", "secret");
  dir.Write("Private/key.jpg", "key");
  dir.Write("Program/Decks/x", "the program's own");
  dir.Write("Evil/Deck/good.jpg", "good");
  dir.Write("Evil/Deck/Art/inside.jpg", "inside");
  fs::create_symlink("../../secret.jpg", dir.Path("Evil/Deck/out.jpg"));
  fs::create_symlink("../../Private", dir.Path("Evil/Deck/outdir"));
  fs::create_symlink("Art/inside.jpg", dir.Path("Evil/Deck/in.jpg"));
  std::string ini =
      "[Files]\r\nCard00=..\\..\\Program\\Decks\\x\r\nCard01=/etc/passwd\r\n"
      "Card02=C:\\secret.jpg\r\nCard03=good.jpg\r\nCard04=out.jpg\r\n"
      "Card05=outdir\\key.jpg\r\nCard06=Art\\..\\..\\Deck\\good.jpg\r\nCard07=in.jpg\r\n"
      "Card08=good";
  ini += std::string("\0", 1) + "../../secret.jpg\r\n";
  dir.Write("Evil/Deck/deck.ini", ini);
  const std::map<std::string, std::string> before = Tree(dir.path());

  const ImportOutcome outcome = ImportDeck("Evil/Deck");

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.copied, 3);  // good.jpg, in.jpg and deck.ini
  EXPECT_EQ(outcome.failed, 7);
  // Of the nine listed, the copy lacks the seven refused.
  EXPECT_EQ(outcome.listed, 9);
  EXPECT_EQ(outcome.missing, 7);
  EXPECT_EQ(outcome.firstFailure,
            (ImportFailure{ImportFailureReason::kLeadsOut, "Card00 = ..\\..\\Program\\Decks\\x"}));
  EXPECT_EQ(Outside(Tree(dir.path()), "Program/Decks/Deck"), before);
  EXPECT_THAT(
      Tree(dir.Path("Program/Decks/Deck")),
      ElementsAre(Pair("deck.ini", ini), Pair("good.jpg", "good"), Pair("in.jpg", "inside")));
}

TEST_F(FolderImportTest, LinksPlantedInAReplacedTargetAreRemovedNotFollowed) {
  dir.Write("Private/a.jpg", "private a");
  dir.Write("Private/Art/b.jpg", "private b");
  // A deck of the user's own, which a replaced link to it must not lose.
  dir.Write("Private/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.MakeDir("Program/Decks/Deck");
  fs::create_symlink("../../../Private/a.jpg", dir.Path("Program/Decks/Deck/a.jpg"));
  fs::create_symlink("../../../Private/Art", dir.Path("Program/Decks/Deck/Art"));
  dir.Write("Program/Decks/Deck/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("New/Deck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=Art/b.jpg\r\n");
  dir.Write("New/Deck/a.jpg", "new a");
  dir.Write("New/Deck/Art/b.jpg", "new b");
  const std::map<std::string, std::string> privateFiles = Tree(dir.Path("Private"));

  const ImportOutcome outcome = ImportDeck("New/Deck", ImportPlacement::kReplace);

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_EQ(Tree(dir.Path("Private")), privateFiles);
  EXPECT_THAT(Tree(decks), ElementsAre(Pair("Deck", "<dir>"), Pair("Deck/Art", "<dir>"),
                                       Pair("Deck/Art/b.jpg", "new b"), Pair("Deck/a.jpg", "new a"),
                                       Pair("Deck/deck.ini", ::testing::_)));

  // A target that is itself a link is replaced as a link: what it leads to
  // stays.
  dir.Write("New/Linked/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("New/Linked/a.jpg", "linked a");
  fs::create_symlink("../../Private", dir.Path("Program/Decks/Linked"));
  EXPECT_TRUE(CheckImportTarget(dir.Path("New/Linked"), decks).taken);
  const ImportOutcome linked = ImportDeck("New/Linked", ImportPlacement::kReplace);
  EXPECT_TRUE(linked.added);
  EXPECT_FALSE(fs::is_symlink(dir.Path("Program/Decks/Linked")));
  EXPECT_EQ(ReadAll(dir.Path("Program/Decks/Linked/a.jpg")), "linked a");
  EXPECT_EQ(Tree(dir.Path("Private")), privateFiles);
}

TEST_F(FolderImportTest, AFolderNameThatWouldLeadElsewhereIsNoTarget) {
  for (const char* name : {"a\\..\\..\\b", "C:deck", "..", "."}) {
    SCOPED_TRACE(name);
    const std::string folder = dir.Path(std::string("Odd/") + name);
    fs::create_directories(folder);
    dir.Write(std::string("Odd/") + name + "/deck.ini", "[Files]\r\nCard00=deck.ini\r\n");
    const ImportPlan plan = PlanImport(ImportMode::kDeck, folder, decks);
    EXPECT_EQ(plan.target, "");
    EXPECT_TRUE(plan.files.empty());
    const ImportOutcome outcome = RunImport(plan);
    EXPECT_FALSE(outcome.added);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(outcome.firstFailure.reason, ImportFailureReason::kFolderName);
  }
  EXPECT_TRUE(Tree(decks).empty());
}

TEST_F(FolderImportTest, AnUnreadableSourceFileIsCountedAndNoTemporaryFileStays) {
  ::chmod(dir.path().c_str(), 0755);
  dir.Write("Src/Deck/deck.ini", "[Files]\r\nCard00=locked.jpg\r\nCard01=open.jpg\r\n");
  const std::string locked = dir.Write("Src/Deck/locked.jpg", "locked");
  dir.Write("Src/Deck/open.jpg", "open");
  ::chmod(locked.c_str(), 0);
  ::chmod(decks.c_str(), 0777);

  ImportOutcome outcome;
  const int result = testing::RunUnprivileged([&] {
    outcome = ImportDeck("Src/Deck");
    return outcome.failed * 10 + (outcome.added ? 1 : 0);
  });

  EXPECT_EQ(result, 11);                                          // one failure, and added
  if (result == outcome.failed * 10 + (outcome.added ? 1 : 0)) {  // the body ran here
    EXPECT_EQ(outcome.firstFailure,
              (ImportFailure{ImportFailureReason::kNoPermission, "locked.jpg"}));
  }
  EXPECT_THAT(ListDirectory(dir.Path("Program/Decks/Deck")), ElementsAre("deck.ini", "open.jpg"));
}

// Replacing an installed deck: a file that cannot be copied keeps the old
// deck whole, and nothing of the new one stays.
TEST_F(FolderImportTest, AReplacementCutOffPartWayLeavesTheOldDeckAndNoTemporaryFile) {
  dir.Write("Src/Deck/deck.ini", "[Files]\r\nCard00=small.jpg\r\nCard01=big.jpg\r\n");
  dir.Write("Src/Deck/small.jpg", "small");
  dir.Write("Src/Deck/big.jpg", std::string(3 << 20, 'b'));
  dir.Write("Program/Decks/Deck/big.jpg", "old big");
  dir.Write("Program/Decks/Deck/deck.ini", "old index");
  const std::map<std::string, std::string> before = Tree(decks);

  ImportOutcome outcome;
  {
    const testing::FileSizeLimit disk(1 << 20);  // full after a megabyte
    outcome = ImportDeck("Src/Deck", ImportPlacement::kReplace);
  }

  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure, (ImportFailure{ImportFailureReason::kDiskFull, "big.jpg"}));
  EXPECT_EQ(Tree(decks), before);
}

TEST_F(FolderImportTest, AStoppedImportLeavesWholeFilesAndAddsNoIndex) {
  dir.Write("Src/Deck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=b.jpg\r\nCard02=c.jpg\r\n");
  for (const char* file : {"a.jpg", "b.jpg", "c.jpg"})
    dir.Write(std::string("Src/Deck/") + file, file);

  std::stop_source stop;
  const ImportOutcome outcome = ImportFolder(
      ImportMode::kDeck, dir.Path("Src/Deck"), decks, ImportPlacement::kNew,
      [&](int done, int) {
        if (done == 1) stop.request_stop();
      },
      stop.get_token());

  EXPECT_TRUE(outcome.stopped);
  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_TRUE(Tree(decks).empty());
}

// What an import killed part-way left beside its target goes with the next
// import of that name; what another import is still making stays.
TEST_F(FolderImportTest, HiddenFoldersALongKilledImportLeftAreRemoved) {
  dir.Write("Src/Deck/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("Src/Deck/a.jpg", "a");
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* left : {".Deck.0123456789abcdef.import", ".Deck.fedcba9876543210.old"}) {
    dir.Write(std::string("Program/Decks/") + left + "/deck.ini", "[Files]\r\n");
    fs::last_write_time(dir.Path(std::string("Program/Decks/") + left), old);
  }
  dir.Write("Program/Decks/.Deck.00000000000000aa.import/a.jpg", "young");
  dir.Write("Program/Decks/.Other.0123456789abcdef.import/a.jpg", "another deck's");
  fs::last_write_time(dir.Path("Program/Decks/.Other.0123456789abcdef.import"), old);

  ASSERT_TRUE(ImportDeck("Src/Deck").added);

  EXPECT_THAT(ListDirectory(decks), ElementsAre(".Deck.00000000000000aa.import",
                                                ".Other.0123456789abcdef.import", "Deck"));
}

TEST_F(FolderImportTest, AnIndexLinkedFromOutsideIsNotRead) {
  dir.Write("Elsewhere/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("Src/Deck/a.jpg", "a");
  fs::create_symlink("../../Elsewhere/deck.ini", dir.Path("Src/Deck/deck.ini"));

  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Src/Deck"), decks));
  const ImportOutcome outcome = ImportDeck("Src/Deck");
  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure, (ImportFailure{ImportFailureReason::kLeadsOut, "deck.ini"}));
  EXPECT_TRUE(Tree(decks).empty());
}

// Folders of pictures named by their cards, without deck.ini.
class NumberedFolderImportTest : public FolderImportTest {
 protected:
  // A picture tagged `tag` (FakePictureLoader).
  void Picture(const std::string& path, int tag) {
    dir.Write(path, FakePictureLoader::Content(200, 350, tag));
  }
  // The installed deck of `folder` as the program reads it.
  TTaroDecks& Installed(const std::string& folder) {
    installed.LoadDecks();
    for (std::int32_t i = 0; i < installed.Count; ++i) {
      if (installed.Folders[static_cast<std::size_t>(i)] == folder) installed.SelectDeck(i);
    }
    EXPECT_EQ(installed.Folders[static_cast<std::size_t>(installed.Index)], folder);
    return installed;
  }
  std::vector<std::uint32_t> Tags(TTaroDecks& deck) {
    std::vector<std::uint32_t> tags;
    for (std::int32_t position = 0; position < deck.PresentCards(); ++position) {
      tags.push_back(FakePictureLoader::Tag(*deck.GetCardPicture(position)));
    }
    return tags;
  }

  FakePictureLoader loader;
  TTaroDecks installed{decks, loader};
};

TEST_F(NumberedFolderImportTest, PicturesNamedByNumberInAnyCaseWithGapsBecomeADeck) {
  // The folder's name is the deck's, quotes and "=" as they are; a line
  // break in it reads as a blank and starts no key.
  const std::string name = "My \"Deck\" = 1\n[Files]";
  Picture("Downloads/" + name + "/00.JPG", 100);
  Picture("Downloads/" + name + "/01.jpg", 101);
  Picture("Downloads/" + name + "/03.Png", 103);
  dir.Write("Downloads/" + name + "/cover.jpg", "cover");
  dir.Write("Downloads/" + name + "/notes.txt", "notes");
  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/" + name), decks));

  const ImportOutcome outcome = ImportFolder(ImportMode::kDeck, dir.Path("Downloads/" + name),
                                             decks, ImportPlacement::kNew, {}, {}, "de");

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.failed, 0);
  EXPECT_EQ(outcome.copied, 4);
  EXPECT_TRUE(outcome.madeIndex);
  EXPECT_EQ(outcome.listed, 22);
  EXPECT_EQ(outcome.missing, 19);
  EXPECT_THAT(ListDirectory(dir.Path("Program/Decks/" + name)),
              ElementsAre("00.JPG", "01.jpg", "03.Png", "deck.ini"));
  TTaroDecks& deck = Installed(name);
  EXPECT_EQ(deck.DisplayNames[0], "My \"Deck\" = 1 [Files]");
  EXPECT_EQ(deck.Languages[0], "de");
  EXPECT_EQ(deck.GetCardNames(),
            (std::vector<std::string>{"Der Narr", "Der Magier", "Die Herrscherin"}));
  EXPECT_EQ(deck.GetCardIdentities(), (std::vector<std::int32_t>{0, 1, 3}));
  EXPECT_EQ(Tags(deck), (std::vector<std::uint32_t>{100, 101, 103}));
}

TEST_F(NumberedFolderImportTest, CanonicalNamesMakeADeckOf78InEnglishWhereTheLanguageHasNoNames) {
  Picture("Downloads/Canon/MAJOR_ARCANA/00.webp", 0);
  Picture("Downloads/Canon/minor_arcana/Cups/ACE.webp", 36);
  Picture("Downloads/Canon/minor_arcana/pentacles/king.svg", 77);
  Picture("Downloads/Canon/back.webp", 99);

  const ImportOutcome outcome = ImportFolder(ImportMode::kDeck, dir.Path("Downloads/Canon"), decks,
                                             ImportPlacement::kNew, {}, {}, "it");

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.listed, 78);
  EXPECT_EQ(outcome.missing, 75);
  TTaroDecks& deck = Installed("Canon");
  EXPECT_EQ(deck.Languages[0], "en");
  EXPECT_EQ(deck.GetCardNames(),
            (std::vector<std::string>{"The Fool", "Ace of Cups", "King of Pentacles"}));
  EXPECT_EQ(deck.GetCardIdentities(), (std::vector<std::int32_t>{0, 36, 77}));
  EXPECT_EQ(Tags(deck), (std::vector<std::uint32_t>{0, 36, 77}));
}

TEST_F(NumberedFolderImportTest, TwoPicturesOfOneCardAreRefusedNamingBoth) {
  Picture("Downloads/Clash/00.jpg", 0);
  Picture("Downloads/Clash/01.jpg", 1);
  Picture("Downloads/Clash/major_arcana/00.png", 0);
  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/Clash"), decks));

  const ImportOutcome outcome = ImportDeck("Downloads/Clash");

  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure, (ImportFailure{ImportFailureReason::kTwoPicturesOfOneCard,
                                                 "00.jpg", "major_arcana/00.png"}));
  EXPECT_TRUE(Tree(decks).empty());
}

TEST_F(NumberedFolderImportTest, AFolderWithADeckIniIsImportedByItAndOthersAreNotOffered) {
  const std::string ini = "[Files]\r\nCard00=a.jpg\r\n";
  dir.Write("Downloads/Both/deck.ini", ini);
  Picture("Downloads/Both/a.jpg", 7);
  Picture("Downloads/Both/00.jpg", 0);
  Picture("Downloads/Both/major_arcana/01.jpg", 1);
  Picture("Downloads/Photos/IMG_0001.jpg", 1);
  Picture("Program/Decks/Loose/00.jpg", 0);

  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/Photos"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDeck, dir.Path("Program/Decks/Loose"), decks));
  EXPECT_FALSE(OffersImport(ImportMode::kDescriptionSet, dir.Path("Downloads/Both/major_arcana"),
                            descriptions));
  ASSERT_TRUE(ImportDeck("Downloads/Both").added);
  EXPECT_THAT(
      Tree(decks + "/Both"),
      ElementsAre(Pair("a.jpg", FakePictureLoader::Content(200, 350, 7)), Pair("deck.ini", ini)));
}

TEST_F(NumberedFolderImportTest, PicturesLinkedFromOutsideAreRefusedAndNothingOutsideIsTouched) {
  Picture("secret.jpg", 666);
  Picture("Private/00.jpg", 600);
  Picture("Private/cups/ace.jpg", 636);
  Picture("Evil/Deck/02.jpg", 2);
  Picture("Evil/Deck/inside/x.jpg", 3);
  fs::create_symlink("../../secret.jpg", dir.Path("Evil/Deck/05.jpg"));
  fs::create_symlink("inside/x.jpg", dir.Path("Evil/Deck/03.jpg"));
  fs::create_symlink("../../Private", dir.Path("Evil/Deck/major_arcana"));
  dir.MakeDir("Evil/Deck/minor_arcana");
  fs::create_symlink("../../../Private/cups", dir.Path("Evil/Deck/minor_arcana/cups"));
  const std::map<std::string, std::string> before = Tree(dir.path());

  const ImportOutcome outcome = ImportDeck("Evil/Deck");

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure, (ImportFailure{ImportFailureReason::kLeadsOut, "05.jpg"}));
  EXPECT_EQ(Outside(Tree(dir.path()), "Program/Decks/Deck"), before);
  EXPECT_THAT(Tree(decks + "/Deck"),
              ElementsAre(Pair("02.jpg", FakePictureLoader::Content(200, 350, 2)),
                          Pair("03.jpg", FakePictureLoader::Content(200, 350, 3)),
                          Pair("deck.ini", ::testing::_)));
  EXPECT_EQ(Tags(Installed("Deck")), (std::vector<std::uint32_t>{2, 3}));
}

// A deck of the open format, as its reader gives it.
TEST_F(NumberedFolderImportTest, AnUnusableOpenFormatDeckIsRefusedWithItsProblem) {
  dir.Write("Downloads/Future/deck.toml", "[deck]\nschema_version = \"3.0\"\n");
  Picture("Downloads/Future/h1200/major_arcana/00.png", 0);
  OpenDeck deck;
  deck.header.problem = OpenDeckProblem::kUnsupportedVersion;
  deck.header.detail = "3.0";
  EXPECT_TRUE(OffersImport(ImportMode::kDeck, dir.Path("Downloads/Future"), decks));

  const ImportOutcome outcome =
      RunImport(PlanOpenDeckImport(dir.Path("Downloads/Future"), decks, deck));

  EXPECT_FALSE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure, (ImportFailure{ImportFailureReason::kOpenDeckUnusable, "3.0", "",
                                                 OpenDeckProblem::kUnsupportedVersion}));
  EXPECT_TRUE(Tree(decks).empty());
}

TEST_F(NumberedFolderImportTest, AnOpenFormatDeckIsCopiedWholeWithADeckIniOfItsCards) {
  Picture("secret.jpg", 666);
  const std::string toml = "[deck]\nschema_version = \"2.0\"\n";
  dir.Write("Downloads/Open/deck.toml", toml);
  dir.Write("Downloads/Open/names/en.toml", "names");
  Picture("Downloads/Open/h1200/major_arcana/00.png", 0);
  Picture("Downloads/Open/h2400/major_arcana/00.png", 1000);
  Picture("Downloads/Open/scalable/major_arcana/01.svg", 1);
  Picture("Downloads/Open/h1200/minor_arcana/cups/ace.png", 36);
  Picture("Downloads/Open/h1200/joker.png", 90);
  Picture("Downloads/Open/back.png", 99);
  fs::create_symlink("../../../../secret.jpg",
                     dir.Path("Downloads/Open/h1200/major_arcana/02.png"));
  OpenDeck deck;
  deck.header.major = 2;
  deck.header.name = "Open \"Deck\" = 2";
  deck.cards = {
      {0,
       "major_arcana.00",
       "The Fool",
       {{"h1200/major_arcana/00.png", 1200}, {"h2400/major_arcana/00.png", 2400}}},
      {1, "major_arcana.01", "The Magician", {{"scalable/major_arcana/01.svg", 0}}},
      {2, "major_arcana.02", "The High Priestess", {{"h1200/major_arcana/02.png", 1200}}},
      {36, "minor_arcana.cups.ace", "Ace of Cups", {{"h1200/minor_arcana/cups/ace.png", 1200}}},
      {-1, "joker", "Joker", {{"h1200/joker.png", 1200}}}};
  const std::map<std::string, std::string> before = Tree(dir.path());

  const ImportOutcome outcome = RunImport(
      PlanOpenDeckImport(dir.Path("Downloads/Open"), decks, deck, ImportPlacement::kNew, "en"));

  EXPECT_TRUE(outcome.added);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.firstFailure,
            (ImportFailure{ImportFailureReason::kLeadsOut, "h1200/major_arcana/02.png"}));
  EXPECT_EQ(Outside(Tree(dir.path()), "Program/Decks/Open"), before);
  std::map<std::string, std::string> copy = Tree(decks + "/Open");
  EXPECT_EQ(copy.erase("deck.ini"), 1u);
  std::map<std::string, std::string> source = Tree(dir.Path("Downloads/Open"));
  std::erase_if(source, [](const auto& entry) { return entry.second.starts_with("-> "); });
  EXPECT_EQ(copy, source);

  // The pictures named are those the format's reader chooses.
  EXPECT_EQ(outcome.listed, 5);
  EXPECT_EQ(outcome.missing, 1);
  TTaroDecks& installed = Installed("Open");
  EXPECT_EQ(installed.DisplayNames[0], deck.header.name);
  EXPECT_EQ(installed.GetCardNames(),
            (std::vector<std::string>{"The Fool", "The Magician", "Ace of Cups", "Joker"}));
  EXPECT_EQ(installed.GetCardIdentities(), (std::vector<std::int32_t>{0, 1, 36, -1}));
  EXPECT_EQ(Tags(installed), (std::vector<std::uint32_t>{0, 1, 36, 90}));
}

}  // namespace
}  // namespace vaticor
