// The spreads window's readings in the journal: "Записать в дневник" and a
// recorded spread laid on the table again.

#include <QAction>
#include <cstdio>

#include "core/file_io.h"
#include "library/journal_fake.h"
#include "spreads_fixture.h"
#include "ui/journal_keeper.h"

namespace vaticor::testing {
namespace {

class SpreadsJournalTest : public SpreadsTest {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<FakeJournalStore>();
    store = owned.get();
    state.Journal.Attach(std::move(owned));
  }
  void Record() { spreads->findChild<QAction*>("SaveToJournal")->trigger(); }
  std::vector<JournalEntry> Entries() const { return store->List({}, 0, 100); }

  FakeJournalStore* store = nullptr;
};

TEST_F(SpreadsJournalTest, TheSameTableRecordedTwiceIsOneEntryKeepingItsNotesAndANewDrawIsAnother) {
  Open();
  Deal(3);
  Card(1)->move(400, 300);
  Record();
  ASSERT_EQ(Entries().size(), 1U);
  JournalEntry noted = Entries()[0];
  noted.notes = "заметка";
  noted.tags = {"работа"};
  ASSERT_TRUE(state.Journal.Update(noted));

  Deal(1);  // the same reading, one card more
  Record();
  std::vector<JournalEntry> entries = Entries();
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].positions.size(), 4U);
  EXPECT_EQ(entries[0].notes, "заметка");
  EXPECT_EQ(entries[0].tags, std::vector<std::string>{"работа"});
  EXPECT_EQ(entries[0].kind, JournalKind::kSpread);
  EXPECT_EQ(entries[0].deckFolder, "deck");

  ClickSpreads("Image11");  // every card drawn anew: another reading
  Record();
  EXPECT_EQ(Entries().size(), 2U);
}

TEST_F(SpreadsJournalTest,
       ARecordedSpreadIsLaidAgainWithItsCardsPlacesAndMeaningsAndUpdatesItsEntry) {
  Open();
  ini.UpSideDownCardsEnabled = true;
  const std::string path = dir.Path("Кельтский крест.spread");
  ASSERT_TRUE(WriteFileAtomically(
      path,
      "[Spread]\r\nCard.Width=90\r\nCard.Height=150\r\n"
      "[Position00]\r\nLeft=10\r\nTop=20\r\nValue=-5\r\nDescription=Прошлое\r\n"
      "[Position01]\r\nLeft=300\r\nTop=40\r\nValue=17\r\nDescription=<b>Будущее</b>\r\n"));
  spreads->LoadSpread(path);
  Record();
  const JournalEntry recorded = Entries().at(0);
  EXPECT_EQ(recorded.spreadFile, "Кельтский крест.spread");
  ASSERT_EQ(recorded.positions.size(), 2U);
  EXPECT_EQ(recorded.positions[0].card, 5);
  EXPECT_TRUE(recorded.positions[0].reversed);
  EXPECT_EQ(recorded.positions[1].meaning, "<b>Будущее</b>");

  spreads->ClearSpread();
  std::remove(path.c_str());  // the file gone: the entry's own table lays it
  spreads->LayRecordedSpread(recorded);
  ASSERT_EQ(CardCount(), 2);
  EXPECT_EQ(Card(0)->CardValue(), -5);
  EXPECT_EQ(Card(1)->CardValue(), 17);
  EXPECT_EQ(Card(1)->pos(), QPoint(300, 40));
  EXPECT_EQ(Card(0)->width(), 90);

  Record();
  EXPECT_EQ(Entries().size(), 1U);
}

TEST_F(SpreadsJournalTest, NothingIsRecordedInAJournalThatCannotBeWritten) {
  store->readOnly = true;
  Open();
  Deal(2);
  Record();
  EXPECT_TRUE(Entries().empty());
  EXPECT_TRUE(recorded.messages.empty());
}

}  // namespace
}  // namespace vaticor::testing
