#include "library/deck_ini_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "library/taro_decks.h"
#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::TempDir;

// The deck.ini made for `cards` in a deck folder holding a picture for each
// card that has one (tagged by its place in `cards`), read by the decks.
class DeckIniWriterTest : public ::testing::Test {
 protected:
  void Install(const std::vector<DeckIniCard>& cards) {
    for (std::size_t i = 0; i < cards.size(); ++i) {
      if (!cards[i].picture.empty()) {
        dir.Write("Decks/Deck/" + cards[i].picture,
                  FakePictureLoader::Content(200, 350, static_cast<int>(i)));
      }
    }
    dir.Write("Decks/Deck/deck.ini", MakeDeckIni("Deck", "en", cards));
    decks.LoadDecks();
    ASSERT_EQ(decks.Count, 1);
  }
  std::vector<std::uint32_t> Tags() {
    std::vector<std::uint32_t> tags;
    for (std::int32_t position = 0; position < decks.PresentCards(); ++position) {
      tags.push_back(FakePictureLoader::Tag(*decks.GetCardPicture(position)));
    }
    return tags;
  }

  TempDir dir;
  FakePictureLoader loader;
  TTaroDecks decks{dir.Path("Decks"), loader};
};

TEST_F(DeckIniWriterTest, CardsTakeTheirIdentitysNumberAndTheOthersFollowTheComposition) {
  Install({{1, "b.png", "Magician"},
           {-1, "own.png", "The Deck's Own"},
           {0, "a.png", "Fool"},
           {0, "again.png", "Second Fool"},
           {3, "", "Empress"}});
  EXPECT_EQ(decks.GetCardNames(), (std::vector<std::string>{"Fool", "Magician", "The Deck's Own"}));
  EXPECT_EQ(decks.GetCardIdentities(), (std::vector<std::int32_t>{0, 1, -1}));
  EXPECT_EQ(Tags(), (std::vector<std::uint32_t>{2, 0, 1}));

  // One minor card makes the deck one of 78: the others come after 77.
  Install({{-1, "own.png", "Own"}, {40, "cups.png", "Five of Cups"}, {5, "pope.png", "Pope"}});
  EXPECT_EQ(decks.GetCardIdentities(), (std::vector<std::int32_t>{5, 40, -1}));
  EXPECT_EQ(Tags(), (std::vector<std::uint32_t>{2, 1, 0}));
}

TEST_F(DeckIniWriterTest, NamesAndPathsReadBackAsGivenAndALineBreakStartsNoKey) {
  const std::string name = "  \"Quoted\" = x; [y]";
  Install({{0, "\"odd\" = name.png", name}, {1, " b.png", "A\r\n[Files]\r\nCard01=../../x.png"}});
  EXPECT_EQ(decks.GetCardNames(), (std::vector<std::string>{name, "A [Files] Card01=../../x.png"}));
  EXPECT_EQ(Tags(), (std::vector<std::uint32_t>{0, 1}));
}

}  // namespace
}  // namespace vaticor
