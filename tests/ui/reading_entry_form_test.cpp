#include "ui/reading_entry/reading_entry_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "library/journal_fake.h"
#include "support/qt/keys.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/journal_keeper.h"
#include "ui/reading_entry/card_field.h"

namespace vaticor {
namespace {

using testing::Control;
using testing::FakeLinks;
using testing::FakeMainWindow;

class ReadingEntryFormTest : public ::testing::Test, public testing::ProgramStateFixture {
 protected:
  void SetUp() override {
    MakeDeck("a", 78);
    ReadSettingsFile();
    instances.content.Load();
    auto store = std::make_unique<FakeJournalStore>();
    journal = store.get();
    instances.journal.Attach(std::move(store));
    form =
        std::make_unique<TReadingEntryForm>(state, JournalWindowLinks{main, links, links, links});
  }

  CardField* Field(int number) const {
    return Control<CardField>(*form, ("EntryCard" + std::to_string(number)).c_str());
  }
  // The reader types into a position's field, then presses Enter.
  void Type(int number, const QString& text, bool enter = true) {
    Field(number)->setFocus();
    testing::TypeText(Field(number), text);
    if (enter) testing::PressKey(Field(number), Qt::Key_Return, Qt::NoModifier);
  }

  FakeJournalStore* journal = nullptr;
  FakeMainWindow main;
  FakeLinks links;
  std::unique_ptr<TReadingEntryForm> form;
};

// The button let a reading through with a position naming no card, the
// reading did not stand on the main window, or it was not recorded as a
// physical reading of the cards typed.
TEST_F(ReadingEntryFormTest, ThreeTypedCardsStandOnTheTableAndAreRecorded) {
  links.question = "Что будет?";
  form->Enter({});
  auto* layouts = Control<QComboBox>(*form, "EntryLayout");
  layouts->setCurrentIndex(1);
  emit layouts->activated(1);
  auto* accept = Control<QPushButton>(*form, "EntryAccept");

  Type(1, "3oC");
  Type(2, "Card 5");
  Type(3, "K", false);  // four kings: none named yet
  EXPECT_FALSE(Field(3)->Card());
  EXPECT_EQ(Field(3)->Suggestions().size(), 4u);
  EXPECT_FALSE(accept->isEnabled());
  // Enter takes the first suggestion; the reader types another card over it.
  testing::PressKey(Field(3), Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Field(3)->Card(), 35);
  Field(3)->clear();
  Type(3, "XXI");
  Control<QCheckBox>(*form, "EntryReversed3")->setChecked(true);
  ASSERT_TRUE(accept->isEnabled());
  accept->click();

  EXPECT_TRUE(main.threeCards);
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, 38}, {1, 5}, {2, -21}}));
  EXPECT_TRUE(main.visible);
  ASSERT_EQ(journal->Count({}), 1u);
  const JournalEntry entry = journal->List({}, 0, 1).front();
  EXPECT_TRUE(entry.physical);
  EXPECT_EQ(entry.kind, JournalKind::kDraw);
  EXPECT_EQ(entry.question, "Что будет?");
  ASSERT_EQ(entry.positions.size(), 3u);
  EXPECT_EQ(entry.positions[2], (JournalPosition{3, "", 21, true, "Card 21"}));
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace vaticor
