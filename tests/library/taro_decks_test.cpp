#include "library/taro_decks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::TempDir;

class DecksTest : public ::testing::Test {
 protected:
  // A deck whose card N has the picture file "cN.jpg" tagged N, for every
  // listed number; `files` is the [Files] section text.
  void MakeDeck(const std::string& folder, const std::string& deckIni) {
    dir.Write("Decks/" + folder + "/deck.ini", deckIni);
  }
  void MakeCard(const std::string& folder, const std::string& file, int tag, int w = 200,
                int h = 350) {
    dir.Write("Decks/" + folder + "/" + file, FakePictureLoader::Content(w, h, tag));
  }
  // A deck of `count` cards numbered 0..count-1 with names "Name N".
  void MakeFullDeck(const std::string& folder, const std::string& name, int count,
                    const std::string& extraDeckKeys = "") {
    std::string ini = "[Deck]\r\nName=" + name + "\r\n" + extraDeckKeys + "[Files]\r\n";
    std::string names = "[Names]\r\n";
    for (int n = 0; n < count; ++n) {
      const std::string key = n < 10 ? "Card0" + std::to_string(n) : "Card" + std::to_string(n);
      ini += key + "=c" + std::to_string(n) + ".jpg\r\n";
      names += key + "=Name " + std::to_string(n) + "\r\n";
      MakeCard(folder, "c" + std::to_string(n) + ".jpg", n);
    }
    MakeDeck(folder, ini + names);
  }

  TempDir dir;
  FakePictureLoader loader;
  TTaroDecks decks{dir.Path("Decks"), loader};
};

TEST_F(DecksTest, ListsOnlyFoldersWithADeckIniInNameOrder) {
  MakeFullDeck("b-deck", "Second", 3);
  MakeFullDeck("a-deck", "First", 3);
  dir.MakeDir("Decks/no-ini");
  dir.Write("Decks/plain-file.txt", "x");
  // An import's copy in the making, with its index already in it.
  MakeFullDeck(".a-deck.0123456789abcdef.import", "Half copied", 3);
  decks.LoadDecks();
  ASSERT_EQ(decks.Count, 2);
  EXPECT_EQ(decks.Folders, (std::vector<std::string>{"a-deck", "b-deck"}));
  EXPECT_EQ(decks.DisplayNames, (std::vector<std::string>{"First", "Second"}));
  EXPECT_EQ(decks.CurrentDeck(), 0);
}

// An installed program lists its own read-only decks with the user's; an
// imported deck of the same folder name stands in for the program's, and
// every lookup reads the deck from where it lies.
TEST_F(DecksTest, SharedDecksListWithTheUsersOwnWhichStandInForThem) {
  MakeFullDeck("b-mine", "Mine", 2);
  MakeFullDeck("c-both", "Imported over it", 3);
  dir.Write("Shared/a-shared/deck.ini", "[Deck]\r\nName=Shared\r\n[Files]\r\nCard00=s.jpg\r\n");
  dir.Write("Shared/a-shared/s.jpg", FakePictureLoader::Content(100, 175, 77));
  dir.Write("Shared/c-both/deck.ini", "[Deck]\r\nName=Program's own\r\n");
  decks.SetSharedDecksFolder(dir.Path("Shared"));
  decks.LoadDecks();
  EXPECT_EQ(decks.Folders, (std::vector<std::string>{"a-shared", "b-mine", "c-both"}));
  EXPECT_EQ(decks.DisplayNames, (std::vector<std::string>{"Shared", "Mine", "Imported over it"}));
  EXPECT_EQ(decks.CurrentDeckFolder(), dir.Path("Shared/a-shared"));
  EXPECT_EQ(decks.PresentCards(), 1);
  const std::unique_ptr<Picture> picture = decks.GetCardPicture(0);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(FakePictureLoader::Tag(*picture), 77u);
  decks.SelectDeck(2);
  EXPECT_EQ(decks.CurrentDeckFolder(), dir.Path("Decks/c-both"));
  EXPECT_EQ(decks.PresentCards(), 3);
  // A reading recorded with the shared deck is shown from there.
  const std::unique_ptr<TTaroDecks> recorded = RecordedDeck(decks, "a-shared", loader);
  ASSERT_NE(recorded, nullptr);
  recorded->SelectDeck(0);
  EXPECT_EQ(recorded->CurrentDeckFolder(), dir.Path("Shared/a-shared"));
}

TEST_F(DecksTest, LoadDecksSelectsTheFirstDeckAgain) {
  MakeFullDeck("a", "A", 3);
  MakeFullDeck("b", "B", 5);
  decks.LoadDecks();
  decks.SelectDeck(1);
  EXPECT_EQ(decks.FilesCount, 5);
  decks.LoadDecks();
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_EQ(decks.FilesCount, 3);
}

TEST_F(DecksTest, SelectDeckClampsAndMeasuresWithoutDecoding) {
  MakeFullDeck("a", "A", 3);
  MakeDeck("b", "[Files]\r\nCard00=big.jpg\r\n");
  MakeCard("b", "big.jpg", 0, 3000, 5000);
  decks.LoadDecks();
  decks.SelectDeck(7);
  EXPECT_EQ(decks.CurrentDeck(), 1);
  EXPECT_EQ(decks.CardWidth, 3000);
  EXPECT_EQ(decks.CardHeight, 5000);
  EXPECT_EQ(decks.FilesCount, 1);
  decks.SelectDeck(-4);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_EQ(decks.CardWidth, 200);
  EXPECT_EQ(loader.loads, 0);
}

TEST_F(DecksTest, NoDecksLeavesEverythingAsItWas) {
  decks.LoadDecks();
  EXPECT_EQ(decks.Count, 0);
  decks.SelectDeck(-1);
  decks.SelectDeck(3);
  EXPECT_EQ(decks.CurrentDeck(), 0);
  EXPECT_EQ(decks.GetCardPicture(0), nullptr);
  EXPECT_EQ(decks.GetCardName(0), "");
  EXPECT_TRUE(decks.GetCardNames().empty());
  EXPECT_EQ(decks.GetCardFileName(0), "");
}

TEST_F(DecksTest, AMissingDecksFolderGivesAnEmptyList) {
  TTaroDecks missing(dir.Path("nowhere"), loader);
  missing.LoadDecks();
  EXPECT_EQ(missing.Count, 0);
}

TEST_F(DecksTest, PositionsSkipMissingPictures) {
  MakeDeck("d",
           "[Deck]\r\nCards.Count=5\r\n[Files]\r\nCard01=c1.jpg\r\nCard02=c2.jpg\r\n"
           "Card03=gone.jpg\r\nCard04=c4.jpg\r\nCard05=folder\r\n"
           "[Names]\r\nCard01=One\r\nCard02=Two\r\nCard03=Three\r\nCard04=Four\r\n");
  MakeCard("d", "c1.jpg", 1);
  MakeCard("d", "c2.jpg", 2);
  MakeCard("d", "c4.jpg", 4);
  dir.MakeDir("Decks/d/folder");
  decks.LoadDecks();
  ASSERT_EQ(decks.FilesCount, 5);

  // Card00 is missing, so position 0 is card number 1.
  auto first = decks.GetCardPicture(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FakePictureLoader::Tag(*first), 1u);
  EXPECT_EQ(decks.GetCardName(0), "One");
  // Card03's file is missing: position 2 is card 4.
  auto third = decks.GetCardPicture(2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(FakePictureLoader::Tag(*third), 4u);
  EXPECT_EQ(decks.GetCardName(2), "Four");
  EXPECT_EQ(decks.GetCardPicture(3), nullptr);  // a folder is no picture
  EXPECT_EQ(decks.GetCardPicture(-1), nullptr);
  EXPECT_EQ(decks.GetCardNames(), (std::vector<std::string>{"One", "Two", "Four"}));
  // The path lookup goes by number and does not test existence.
  EXPECT_EQ(decks.GetCardFileName(3), dir.Path("Decks/d/gone.jpg"));
  EXPECT_EQ(decks.GetCardFileName(9), dir.Path("Decks/d/"));
}

TEST_F(DecksTest, NameLookupsStopAtCardsCount) {
  MakeFullDeck("big", "Big", 30);  // no Cards.Count key: numbers 0..21 only
  decks.LoadDecks();
  EXPECT_EQ(decks.GetCardNames().size(), 22u);
  EXPECT_EQ(decks.GetCardName(21), "Name 21");
  EXPECT_EQ(decks.GetCardName(22), "");
  ASSERT_NE(decks.GetCardPicture(29), nullptr);  // pictures go by the Files entries
  EXPECT_EQ(decks.GetCardPicture(30), nullptr);
}

TEST_F(DecksTest, ANegativeCardsCountStillExaminesCardZeroForOneName) {
  MakeFullDeck("d", "D", 3, "Cards.Count=-1\r\n");
  decks.LoadDecks();
  EXPECT_TRUE(decks.GetCardNames().empty());
  EXPECT_EQ(decks.GetCardName(0), "Name 0");
  EXPECT_EQ(decks.GetCardName(1), "");
}

TEST_F(DecksTest, AHugeCardsCountDoesNotHang) {
  MakeFullDeck("d", "D", 3, "Cards.Count=2147483647\r\n");
  decks.LoadDecks();
  EXPECT_EQ(decks.GetCardNames().size(), 3u);
  EXPECT_EQ(decks.GetCardName(5), "");
}

TEST_F(DecksTest, PathsWrittenOnWindowsResolve) {
  MakeDeck("d", "[Files]\r\nCard00=Art\\MAJOR\\Fool.JPG\r\nCard01=art/minor/ace.jpg\r\n");
  dir.Write("Decks/d/art/major/fool.jpg", FakePictureLoader::Content(10, 20, 0));
  dir.Write("Decks/d/art/minor/ace.jpg", FakePictureLoader::Content(10, 20, 1));
  decks.LoadDecks();
  EXPECT_NE(decks.GetCardPicture(0), nullptr);
  EXPECT_NE(decks.GetCardPicture(1), nullptr);
  EXPECT_EQ(decks.CardWidth, 10);
}

TEST_F(DecksTest, UnknownPictureKindsAreReportedWhenShown) {
  MakeDeck("d", "[Files]\r\nCard00=c0.gif\r\n");
  MakeCard("d", "c0.gif", 0);
  decks.LoadDecks();  // selecting the deck does not fail
  EXPECT_EQ(decks.Count, 1);
  try {
    decks.GetCardPicture(0);
    FAIL() << "expected an error";
  } catch (const UnknownPictureExtensionError& error) {
    EXPECT_EQ(std::string(error.what()), "Unknown picture file extension (.gif)");
  }
}

TEST_F(DecksTest, PicturesAreDecodedForTheirDisplaySize) {
  MakeFullDeck("d", "D", 2);
  decks.LoadDecks();
  ASSERT_NE(decks.GetCardPicture(1, {100, 175}), nullptr);
  EXPECT_EQ(loader.LastTarget(), (PictureSize{100, 175}));
}

TEST_F(DecksTest, LookupsSeeDeckIniChangesOnDisk) {
  MakeFullDeck("d", "D", 3);
  decks.LoadDecks();
  EXPECT_EQ(decks.GetCardName(1), "Name 1");
  MakeDeck("d", "[Files]\r\nCard00=c0.jpg\r\nCard01=c1.jpg\r\n[Names]\r\nCard01=Renamed card\r\n");
  EXPECT_EQ(decks.GetCardName(1), "Renamed card");
}

TEST_F(DecksTest, CardFilesAreListedOncePerSelection) {
  MakeDeck("d",
           "[Files]\r\nCard00=c0.jpg\r\nCard01=c1.jpg\r\nCard02=c2.jpg\r\n"
           "[Names]\r\nCard00=Zero\r\nCard01=One\r\nCard02=Two\r\n");
  MakeCard("d", "c0.jpg", 0);
  MakeCard("d", "c2.jpg", 2);
  decks.LoadDecks();
  MakeCard("d", "c1.jpg", 1);
  // Lookups answer from the listing made when the deck was selected ...
  EXPECT_EQ(decks.GetCardNames(), (std::vector<std::string>{"Zero", "Two"}));
  EXPECT_EQ(decks.GetCardName(1), "Two");
  // ... and selecting it again lists it again.
  decks.SelectDeck(0);
  EXPECT_EQ(decks.GetCardNames(), (std::vector<std::string>{"Zero", "One", "Two"}));
  auto second = decks.GetCardPicture(1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(FakePictureLoader::Tag(*second), 1u);
}

TEST_F(DecksTest, DeckValueCannotLeaveItsFolder) {
  dir.Write("outside.jpg", FakePictureLoader::Content(640, 480, 66));
  dir.Write("Decks/other/c9.jpg", FakePictureLoader::Content(640, 480, 99));
  MakeDeck("d",
           "[Deck]\r\nCards.Count=5\r\n[Files]\r\n"
           "Card00=..\\..\\outside.jpg\r\nCard01=" +
               dir.Path("outside.jpg") +
               "\r\n"
               "Card02=link.jpg\r\nCard03=..\\other\\c9.jpg\r\n"
               "Card04=art\\..\\c4.jpg\r\nCard05=C:\\outside.jpg\r\n"
               "[Names]\r\nCard00=Out\r\nCard01=Absolute\r\nCard02=Linked\r\n"
               "Card03=Sibling\r\nCard04=Four\r\nCard05=Drive\r\n");
  MakeCard("d", "c4.jpg", 4);
  dir.MakeDir("Decks/d/art");
  std::filesystem::create_symlink(dir.Path("outside.jpg"), dir.Path("Decks/d/link.jpg"));
  decks.LoadDecks();
  ASSERT_EQ(decks.Count, 1);

  // Only card 4 is present: the picture size comes from it, not from outside.
  EXPECT_EQ(decks.CardWidth, 200);
  auto first = decks.GetCardPicture(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FakePictureLoader::Tag(*first), 4u);
  EXPECT_EQ(decks.GetCardPicture(1), nullptr);
  EXPECT_EQ(decks.GetCardNames(), std::vector<std::string>{"Four"});
  // A value that leads out names no file, as an empty one does.
  for (int number : {0, 1, 2, 3, 5}) {
    EXPECT_EQ(decks.GetCardFileName(number), dir.Path("Decks/d/")) << number;
  }
  EXPECT_EQ(decks.GetCardFileName(4), dir.Path("Decks/d/c4.jpg"));
}

}  // namespace
}  // namespace vaticor
