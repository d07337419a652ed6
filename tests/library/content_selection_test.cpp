#include "library/content_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/random.h"
#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::TempDir;

// What a listener heard, in order: "deck", "stepped deck", "set", "decks",
// "sets".
class Recorder : public ContentListener {
 public:
  explicit Recorder(std::vector<std::string>& heard, std::string name)
      : heard_(heard), name_(std::move(name)) {}
  void DeckChanged(DeckChoice how) override {
    heard_.push_back(name_ + (how == DeckChoice::kStepped ? ": stepped deck" : ": deck"));
  }
  void DescriptionSetChanged() override { heard_.push_back(name_ + ": set"); }
  void DeckListReloaded() override { heard_.push_back(name_ + ": decks"); }
  void DescriptionListReloaded() override { heard_.push_back(name_ + ": sets"); }

 private:
  std::vector<std::string>& heard_;
  std::string name_;
};

class ContentSelectionTest : public ::testing::Test {
 protected:
  void MakeDeck(const std::string& folder, int cards) {
    testing::DeckShape shape;
    shape.cards = cards;
    testing::WriteDeck(dir, "Decks", folder, shape);
  }
  void MakeSet(const std::string& folder) {
    dir.Write("Descriptions/" + folder + "/description.ini", "[Sections]\r\n");
  }

  TempDir dir;
  FakePictureLoader loader;
  FixedClock clock{5};
  RandomGenerator random{clock};
  TINIData ini;
  TTaroDecks decks{dir.Path("Decks"), loader};
  TTaroDescriptions sets{dir.Path("Descriptions")};
  TCardsSpreadGenerator picker{random};
  ContentSelection content{ini, decks, sets, picker, random};
  std::vector<std::string> heard;
};

TEST_F(ContentSelectionTest, EveryListenerHearsEachChangeInTheOrderAddedAndNothingForNoChange) {
  MakeDeck("a", 22);
  MakeDeck("b", 78);
  MakeSet("one");
  content.Load();
  Recorder first(heard, "1");
  Recorder second(heard, "2");
  content.AddListener(first);
  content.AddListener(second);

  content.SelectDeck(1);
  content.StepDeck(+1);  // past the last: round to the first
  EXPECT_EQ(ini.DeckIndex, 0);
  content.SelectDescriptionSet(0);
  EXPECT_EQ(heard, (std::vector<std::string>{"1: deck", "2: deck", "1: stepped deck",
                                             "2: stepped deck", "1: set", "2: set"}));

  heard.clear();
  content.RemoveListener(first);
  content.SelectDeck(2);  // no such deck
  content.SelectDeck(-1);
  content.SelectDescriptionSet(1);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(ini.DeckIndex, 0);
  EXPECT_EQ(decks.CurrentDeck(), 0);
}

TEST_F(ContentSelectionTest, AReloadKeepsTheDeckInUseByItsFolderAndAFirstDeckSizesThePicker) {
  content.Load();
  Recorder recorder(heard, "r");
  content.AddListener(recorder);
  // The first deck ever imported: taken, and the spreads' picker sized.
  MakeDeck("m", 30);
  content.ReloadDecks();
  EXPECT_EQ(heard, (std::vector<std::string>{"r: decks", "r: deck"}));
  EXPECT_EQ(picker.Count, 30);

  // One that sorts before it: the deck in use stays, at its new place.
  MakeDeck("a", 22);
  content.ReloadDecks();
  EXPECT_EQ(ini.DeckIndex, 1);
  EXPECT_EQ(decks.FilesCount, 30);
}

}  // namespace
}  // namespace vaticor
