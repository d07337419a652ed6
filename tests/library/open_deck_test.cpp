#include "library/open_deck.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "library/taro_decks.h"
#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::TempDir;

const OpenDeckCard* Card(const OpenDeck& deck, std::string_view id) {
  for (const OpenDeckCard& card : deck.cards) {
    if (card.id == id) return &card;
  }
  return nullptr;
}

// A small deck as an artist ships one: two languages, two raster sizes and
// an SVG, a card of its own, a card missing, a card back, a variant.
class OpenDeckTest : public ::testing::Test {
 protected:
  std::string MakeSmallDeck(const std::string& folder) {
    const std::string root = "lib/" + folder + "/";
    dir.Write(root + "deck.toml",
              "[deck]\nschema_version = \"2.0\"\nname = \"Small \\\"Sun\\\" Deck\"\n"
              "version = \"1\"\ndefault_language = \"en\"\n"
              "[card_backs]\ndefault = \"plain\"\n"
              "[card_backs.variants.plain]\nimage = \"card_backs/plain.png\"\n"
              "[custom_cards.major_arcana.happy_squirrel]\nname = \"The Happy Squirrel\"\n");
    for (const char* card : {"00", "01", "06", "06.two_women", "happy_squirrel"}) {
      dir.Write(root + "h750/major_arcana/" + card + ".png", FakePictureLoader::Content(43, 75, 1));
      dir.Write(root + "h1200/major_arcana/" + card + ".jpg",
                FakePictureLoader::Content(69, 120, 2));
    }
    // Two formats in one folder: PNG is taken before JPEG.
    dir.Write(root + "h1200/major_arcana/01.png", FakePictureLoader::Content(69, 120, 3));
    dir.Write(root + "scalable/major_arcana/00.svg", "<svg/>");
    dir.Write(root + "h1200/minor_arcana/cups/ace.jpg", FakePictureLoader::Content(69, 120, 4));
    dir.Write(root + "h1200/minor_arcana/Cups/Two.JPG", FakePictureLoader::Content(69, 120, 5));
    dir.Write(root + "h1200/minor_arcana/cups/notes.txt", "not a card");
    dir.Write(root + "card_backs/plain.png", FakePictureLoader::Content(69, 120, 6));
    dir.Write(root + "names/en.toml",
              "[major_arcana]\n00 = \"The Fool\"\n01 = \"The Magus\"\n"
              "[minor_arcana.cups]\nace = \"Ace of Chalices\"\n");
    dir.Write(root + "names/RU.toml",
              "[major_arcana]\n00 = \"Шут\"\n[minor_arcana]\nname_template = \"{rank} {suit}\"\n"
              "[suits]\ncups = \"Кубков\"\n[ranks]\ntwo = \"Двойка\"\n");
    return dir.Path(root);
  }

  TempDir dir;
};

TEST_F(OpenDeckTest, ASmallDeckGivesItsCardsPicturesAndNamesInTheLanguageAsked) {
  const OpenDeck deck = ReadOpenDeck(MakeSmallDeck("small"), "ru_RU");
  ASSERT_EQ(deck.header.problem, OpenDeckProblem::kNone);
  EXPECT_EQ(deck.header.name, "Small \"Sun\" Deck");
  EXPECT_EQ(deck.header.cardBack, "card_backs/plain.png");

  ASSERT_EQ(deck.cards.size(), 6u);  // 00 01 06, ace and two of cups, the squirrel
  const OpenDeckCard* fool = Card(deck, "major_arcana.00");
  ASSERT_NE(fool, nullptr);
  EXPECT_EQ(fool->identity, 0);
  EXPECT_EQ(fool->name, "Шут");  // the Russian file, its tag written in capitals
  ASSERT_EQ(fool->pictures.size(), 3u);
  EXPECT_EQ(ChoosePictureForHeight(fool->pictures, 1000)->path, "h1200/major_arcana/00.jpg");
  EXPECT_EQ(ChoosePictureForHeight(fool->pictures, 600)->path, "h750/major_arcana/00.png");
  EXPECT_EQ(ChoosePictureForHeight(fool->pictures, 3000)->path, "scalable/major_arcana/00.svg");

  const OpenDeckCard* magician = Card(deck, "major_arcana.01");
  ASSERT_NE(magician, nullptr);
  EXPECT_EQ(magician->name, "The Magus");  // not in Russian: the deck's default language
  EXPECT_EQ(ChoosePictureForHeight(magician->pictures, 1200)->path, "h1200/major_arcana/01.png");
  // The unsuffixed file is the card; its variant is not a card of its own.
  EXPECT_EQ(ChoosePictureForHeight(Card(deck, "major_arcana.06")->pictures, 1200)->path,
            "h1200/major_arcana/06.jpg");

  EXPECT_EQ(Card(deck, "minor_arcana.cups.ace")->name, "Ace of Chalices");
  const OpenDeckCard* two = Card(deck, "minor_arcana.cups.two");
  ASSERT_NE(two, nullptr);  // folder and file names in capitals found
  EXPECT_EQ(two->identity, 37);
  EXPECT_EQ(two->name, "Двойка Кубков");  // composed by the Russian template

  EXPECT_EQ(deck.cards.back().id, "major_arcana.happy_squirrel");
  EXPECT_EQ(deck.cards.back().identity, -1);
  EXPECT_EQ(deck.cards.back().name, "The Happy Squirrel");
}

TEST_F(OpenDeckTest, VersionsAreReadByTheirOwnRulesAndOthersRefusedWithTheReason) {
  // The older version: aliases name the court cards, places of the major
  // arcana may hold other cards.
  const OpenDeckHeader old = ParseOpenDeckToml(
      "[deck]\nid = \"x\"\nschema_version = \"1.0\"\nname = \"Old\"\n"
      "[aliases.suits]\nwands = \"Staves\"\n[aliases.courts]\npage = \"Princess\"\n"
      "[remap_major_arcana]\n08 = \"justice\"\n11 = \"The Strength\"\n"
      "[deck.excluded_cards]\ncards = [\"minor_arcana.wands.knight\"]\n");
  ASSERT_EQ(old.problem, OpenDeckProblem::kNone);
  EXPECT_EQ(old.major, 1);
  ASSERT_EQ(old.majorRemap.size(), 22u);
  EXPECT_EQ(old.majorRemap[8], 11);
  EXPECT_EQ(old.majorRemap[11], 8);
  EXPECT_EQ(old.majorRemap[9], -1);
  EXPECT_EQ(old.excluded, std::vector<std::string>{"minor_arcana.wands.knight"});

  const std::string root = dir.Path("old");
  dir.Write("old/deck.toml",
            "[deck]\nschema_version = \"1.0\"\nname = \"Old\"\n"
            "[aliases.suits]\nwands = \"Staves\"\n[aliases.courts]\npage = \"Princess\"\n"
            "[remap_major_arcana]\n08 = \"justice\"\n11 = \"strength\"\n"
            "[deck.excluded_cards]\ncards = [\"minor_arcana.wands.knight\"]\n");
  for (const char* file : {"major_arcana/08.jpg", "major_arcana/11.jpg",
                           "minor_arcana/wands/page.jpg", "minor_arcana/wands/knight.jpg"}) {
    dir.Write(std::string("old/h1024/") + file, FakePictureLoader::Content(10, 20, 1));
  }
  const OpenDeck deck = ReadOpenDeck(root, "en");
  ASSERT_EQ(deck.cards.size(), 3u);      // the excluded knight left out
  EXPECT_EQ(deck.cards[0].identity, 8);  // file 11 holds Strength
  EXPECT_EQ(deck.cards[0].name, "Strength");
  EXPECT_EQ(deck.cards[1].identity, 11);  // file 08 holds Justice
  EXPECT_EQ(deck.cards[2].name, "Princess of Staves");

  const OpenDeckHeader future =
      ParseOpenDeckToml("[deck]\nschema_version = \"3.0\"\nname = \"F\"\n");
  EXPECT_EQ(future.problem, OpenDeckProblem::kUnsupportedVersion);
  EXPECT_EQ(future.detail, "3.0");
  EXPECT_EQ(ParseOpenDeckToml("[deck]\nschema_version = \"2.1\"\nname = \"F\"\n").major, 2);
  for (const char* version : {"2", "2.x", ".1", "two"}) {
    EXPECT_EQ(
        ParseOpenDeckToml(std::string("[deck]\nschema_version = \"") + version + "\"\n").problem,
        OpenDeckProblem::kNoVersion)
        << version;
  }
  const OpenDeckHeader broken = ParseOpenDeckToml("[deck\nname = 1");
  EXPECT_EQ(broken.problem, OpenDeckProblem::kMalformed);
  EXPECT_NE(broken.detail.find("line"), std::string::npos);
}

TEST_F(OpenDeckTest, HostileDeckFilesAreRefusedWithoutCrashingOrLeavingTheDeck) {
  // A 10 MB string is not read at all.
  dir.Write("big/deck.toml",
            "[deck]\nschema_version = \"2.0\"\nname = \"" + std::string(10 << 20, 'x') + "\"\n");
  EXPECT_EQ(ReadOpenDeckHeader(dir.Path("big")).problem, OpenDeckProblem::kTooLarge);

  // Tables nested a hundred thousand deep, by dotted keys and by arrays.
  std::string dotted = "[a";
  for (int i = 0; i < 100000; ++i) dotted += ".a";
  EXPECT_EQ(ParseOpenDeckToml(dotted + "]\n").problem, OpenDeckProblem::kMalformed);
  EXPECT_EQ(ParseOpenDeckToml("x = " + std::string(100000, '[')).problem,
            OpenDeckProblem::kMalformed);
  EXPECT_EQ(ParseOpenDeckToml("x = " + std::string(100000, '{')).problem,
            OpenDeckProblem::kMalformed);

  // Paths leading out are refused; a picture linked to outside is no card.
  for (const char* path :
       {"../outside.png", "/etc/passwd", "backs/../../x.png", "C:/x.png", "backs\\x.png"}) {
    EXPECT_EQ(ParseOpenDeckToml(std::string("[deck]\nschema_version = \"2.0\"\nname = \"H\"\n"
                                            "[card_backs.variants.b]\nimage = \"") +
                                path + "\"\n")
                  .cardBack,
              "")
        << path;
  }
  dir.Write("outside.png", FakePictureLoader::Content(10, 20, 9));
  dir.Write("hostile/deck.toml",
            "[deck]\nschema_version = \"1.0\"\nname = \"H\"\n"
            "[custom_cards.major_arcana.sneak]\nimage = \"../outside.png\"\n");
  dir.Write("hostile/h100/major_arcana/00.png", FakePictureLoader::Content(10, 20, 1));
  std::filesystem::create_symlink(dir.Path("outside.png"),
                                  dir.Path("hostile/h100/major_arcana/01.png"));
  const OpenDeck deck = ReadOpenDeck(dir.Path("hostile"), "en");
  ASSERT_EQ(deck.cards.size(), 1u);
  EXPECT_EQ(deck.cards[0].id, "major_arcana.00");
}

TEST_F(OpenDeckTest, TheFirstRootHidesADeckOfTheSameFolderNameAndBrokenDecksAreListed) {
  dir.Write("home/a/deck.toml", "[deck]\nschema_version = \"2.0\"\nname = \"Mine\"\n");
  dir.Write("home/b/deck.toml", "[deck]\nschema_version = \"3.0\"\nname = \"Future\"\n");
  dir.Write("home/not-a-deck/readme.txt", "");
  dir.Write("system/a/deck.toml", "[deck]\nschema_version = \"2.0\"\nname = \"Shadowed\"\n");
  dir.Write("system/c/deck.toml", "not toml at all [");
  const OpenDeckListing listing = ListOpenDecks({dir.Path("home"), dir.Path("system")});
  ASSERT_EQ(listing.usable.size(), 1u);
  EXPECT_EQ(listing.usable[0].header.name, "Mine");
  ASSERT_EQ(listing.unusable.size(), 2u);
  EXPECT_EQ(listing.unusable[0].header.problem, OpenDeckProblem::kUnsupportedVersion);
  EXPECT_EQ(listing.unusable[0].header.name, "Future");
  EXPECT_EQ(listing.unusable[1].header.problem, OpenDeckProblem::kMalformed);
  EXPECT_EQ(listing.unusable[1].header.name, "c");  // named by its folder

  EXPECT_EQ(OpenDeckLibraryRoots("", "/home/u", ""),
            (std::vector<std::string>{"/home/u/.local/share/tarot/decks",
                                      "/usr/local/share/tarot/decks", "/usr/share/tarot/decks"}));
  EXPECT_EQ(OpenDeckLibraryRoots("/d", "/home/u", "relative:/x:/x"),
            (std::vector<std::string>{"/d/tarot/decks", "/x/tarot/decks"}));
}

TEST_F(OpenDeckTest, OpenDecksFollowTheProgramsOwnSoStoredPositionsKeepTheirDeck) {
  dir.Write("Decks/Own/deck.ini", "[Deck]\r\nName=Own\r\n[Files]\r\nCard00=c.jpg\r\n");
  dir.Write("Decks/Own/c.jpg", FakePictureLoader::Content(200, 350, 7));
  dir.Write("Decks/Zed/deck.ini", "[Deck]\r\nName=Zed\r\n[Files]\r\nCard00=c.jpg\r\n");
  dir.Write("Decks/Zed/c.jpg", FakePictureLoader::Content(200, 350, 8));
  const std::string small = MakeSmallDeck("small");
  FakePictureLoader loader;
  TTaroDecks decks(dir.Path("Decks"), loader);
  decks.SetOpenDeckRoots({dir.Path("lib")});
  decks.SetLanguage("en");
  decks.LoadDecks();
  ASSERT_EQ(decks.Count, 3);
  EXPECT_EQ(decks.DisplayNames, (std::vector<std::string>{"Own", "Zed", "Small \"Sun\" Deck"}));

  decks.SelectDeck(2);
  EXPECT_EQ(decks.CurrentDeckFolder(), small.substr(0, small.size() - 1));
  EXPECT_EQ(decks.GetCardNames(),
            (std::vector<std::string>{"The Fool", "The Magus", "The Lovers", "Ace of Chalices",
                                      "Two of Cups", "The Happy Squirrel"}));
  EXPECT_EQ(decks.GetCardIdentities(), (std::vector<std::int32_t>{0, 1, 6, 36, 37, -1}));
  // Cards after a gap in the numbers (36, 37, and the deck's own after 77)
  // have their pictures too.
  EXPECT_EQ(decks.PresentCards(), 6);
  const std::optional<PictureFile> squirrel = decks.GetCardPictureFile(5);
  ASSERT_TRUE(squirrel);
  EXPECT_EQ(PictureForHeight(*squirrel, 100).path, small + "h750/major_arcana/happy_squirrel.png");
  const std::optional<PictureFile> fool = decks.GetCardPictureFile(0);
  ASSERT_TRUE(fool);
  EXPECT_EQ(PictureForHeight(*fool, 500).path, small + "h750/major_arcana/00.png");
  EXPECT_EQ(PictureForHeight(*fool, 5000).format, PictureFormat::Svg);
  ASSERT_NE(decks.GetCardPicture(0, {600, 1000}), nullptr);
  EXPECT_EQ(loader.LoadedPaths().back(), small + "h1200/major_arcana/00.jpg");
}

}  // namespace
}  // namespace vaticor
