// What every journal store does, run on the SQLite store and the fake that
// window tests use in its place: the two are to take the same filters.

#include <gtest/gtest.h>

#include <memory>

#include "library/journal.h"
#include "library/journal_fake.h"
#include "platform/sqlite_journal.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

JournalEntry Draw(std::string moment, std::string question, std::vector<std::int32_t> cards) {
  JournalEntry entry;
  entry.moment = std::move(moment);
  entry.question = std::move(question);
  int number = 1;
  for (const std::int32_t card : cards) {
    entry.positions.push_back({number++, "", card < 0 ? -card : card, card < 0, ""});
  }
  return entry;
}

std::vector<std::string> Questions(const std::vector<JournalEntry>& entries) {
  std::vector<std::string> questions;
  for (const JournalEntry& entry : entries) questions.push_back(entry.question);
  return questions;
}

enum class StoreKind { kFake, kSqlite };

class JournalStoreTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  std::unique_ptr<JournalStore> MakeStore() {
    if (GetParam() == StoreKind::kFake) return std::make_unique<FakeJournalStore>();
    return std::make_unique<SqliteJournal>(dir_.Path(kJournalFileName));
  }
  TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(Stores, JournalStoreTest,
                         ::testing::Values(StoreKind::kFake, StoreKind::kSqlite),
                         [](const ::testing::TestParamInfo<StoreKind>& info) {
                           return std::string(info.param == StoreKind::kFake ? "Fake" : "Sqlite");
                         });

TEST_P(JournalStoreTest, KeepsAnEntryWholeAndGivesItBackAsStored) {
  auto store = MakeStore();
  JournalEntry entry = Draw("2024-03-14T09:30:05", "Что ждёт?", {3, -10, 0});
  entry.kind = JournalKind::kSpread;
  entry.spreadFile = "Кельтский крест.spread";
  entry.deckFolder = "Rider";
  entry.descriptionFolder = "Classic";
  entry.spreadTable = "[Spread]\nCard.Width=100\n";
  entry.positions[0].meaning = "Прошлое";
  entry.positions[1].cardName = "Колесо Фортуны";
  entry.notes = "line one\nline two";
  entry.followUps = {{"2024-03-20T10:00:00", "came true"}, {"2024-04-01T08:00:00", "second"}};
  entry.tags = {" work ", "love", "Work", ""};
  entry.physical = true;
  const std::int64_t id = store->Add(entry);

  JournalEntry expected = entry;
  expected.id = id;
  expected.tags = {"work", "love"};
  EXPECT_EQ(store->Get(id), expected);
  EXPECT_EQ(store->Get(id + 1), std::nullopt);

  // A card of the day comes back as one, not as a draw.
  JournalEntry dayCard = Draw("2024-03-14T08:00:00", "", {5});
  dayCard.kind = JournalKind::kDayCard;
  EXPECT_EQ(store->Get(store->Add(dayCard))->kind, JournalKind::kDayCard);
}

TEST_P(JournalStoreTest, ListsNewestFirstInPages) {
  auto store = MakeStore();
  store->Add(Draw("2024-03-14T09:00:00", "b", {1}));
  store->Add(Draw("2024-03-15T09:00:00", "c", {1}));
  store->Add(Draw("2023-12-31T23:59:59", "a", {1}));
  store->Add(Draw("2024-03-15T09:00:00", "d", {1}));  // same moment, added later

  EXPECT_EQ(Questions(store->List({}, 0, 10)), (std::vector<std::string>{"d", "c", "b", "a"}));
  EXPECT_EQ(Questions(store->List({}, 1, 2)), (std::vector<std::string>{"c", "b"}));
  EXPECT_TRUE(store->List({}, 4, 10).empty());
  EXPECT_EQ(store->Count({}), 4u);
}

TEST_P(JournalStoreTest, UpdateAndRemoveChangeWhatIsFound) {
  auto store = MakeStore();
  JournalEntry entry = Draw("2024-03-14T09:00:00", "old words", {5});
  entry.tags = {"first"};
  entry.id = store->Add(entry);
  entry.question = "new words";
  entry.tags = {"second"};
  entry.positions[0].card = 7;
  ASSERT_TRUE(store->Update(entry));

  EXPECT_EQ(store->Count({.text = "old"}), 0u);
  EXPECT_EQ(store->Count({.text = "new"}), 1u);
  EXPECT_EQ(store->Count({.tag = "first"}), 0u);
  EXPECT_EQ(store->Count({.card = 5}), 0u);
  EXPECT_EQ(store->Count({.card = 7}), 1u);
  EXPECT_EQ(store->AllTags(), (std::vector<std::string>{"second"}));

  ASSERT_TRUE(store->Remove(entry.id));
  EXPECT_EQ(store->Count({.text = "new"}), 0u);
  EXPECT_TRUE(store->AllTags().empty());
  EXPECT_FALSE(store->Remove(entry.id));
  entry.id = 999;
  EXPECT_FALSE(store->Update(entry));
}

TEST_P(JournalStoreTest, SearchTakesWordBeginningsInEveryTextAndCombinesFilters) {
  auto store = MakeStore();
  JournalEntry work = Draw("2024-03-14T09:00:00", "Will the project succeed?", {3});
  work.tags = {"career"};
  store->Add(work);
  JournalEntry love = Draw("2024-05-01T20:00:00", "Любовь", {-3, 8, 12});
  love.notes = "Встреча в мае";
  love.followUps = {{"2024-06-01T10:00:00", "Meeting happened"}};
  love.positions[1].cardName = "Strength";
  store->Add(love);
  JournalEntry spread = Draw("2024-05-02T08:00:00", "", {8});
  spread.spreadFile = "Celtic cross.spread";
  spread.tags = {"career", "study"};
  store->Add(spread);

  EXPECT_EQ(Questions(store->List({.text = "proj"}, 0, 10)),
            (std::vector<std::string>{"Will the project succeed?"}));
  EXPECT_EQ(store->Count({.text = "ject"}), 0u);        // a word's beginning, not its middle
  EXPECT_EQ(store->Count({.text = "встреч"}), 1u);      // notes
  EXPECT_EQ(store->Count({.text = "meeting"}), 1u);     // follow-ups
  EXPECT_EQ(store->Count({.text = "STRENGTH"}), 1u);    // card names
  EXPECT_EQ(store->Count({.text = "celtic"}), 1u);      // spread file names
  EXPECT_EQ(store->Count({.text = "study"}), 1u);       // tags
  EXPECT_EQ(store->Count({.text = "любовь мае"}), 1u);  // every word, anywhere in the entry
  EXPECT_EQ(store->Count({.text = "любовь project"}), 0u);
  EXPECT_EQ(store->Count({.text = "«любовь» — мае…"}), 1u);  // punctuation is no word

  EXPECT_EQ(store->Count({.tag = "career"}), 2u);
  EXPECT_EQ(store->Count({.tag = "care"}), 0u);  // a tag is taken whole
  EXPECT_EQ(store->Count({.card = 3}), 2u);      // either turn
  EXPECT_EQ(store->Count({.card = 8, .from = "2024-05-02"}), 1u);
  EXPECT_EQ(store->Count({.from = "2024-05-01", .to = "2024-05-01"}),
            1u);  // `to` takes its whole day
  EXPECT_EQ(store->Count({.to = "2024-04"}), 1u);
  EXPECT_EQ(Questions(store->List({.text = "succeed", .tag = "career", .card = 3}, 0, 10)),
            (std::vector<std::string>{"Will the project succeed?"}));
  EXPECT_EQ(store->AllTags(), (std::vector<std::string>{"career", "study"}));
}

// Search text is the user's: quotes and the search syntax's words are
// looked for as text, never taken as commands.
TEST_P(JournalStoreTest, SearchSyntaxInTheSearchTextIsPlainText) {
  auto store = MakeStore();
  store->Add(Draw("2024-03-14T09:00:00", "NOT a \"quoted\" OR NEAR(x) question*", {1}));
  store->Add(Draw("2024-03-14T10:00:00", "other", {2}));
  EXPECT_EQ(store->Count({.text = "NOT"}), 1u);
  EXPECT_EQ(store->Count({.text = "\"quoted"}), 1u);
  EXPECT_EQ(store->Count({.text = "OR NEAR(x)"}), 1u);
  EXPECT_EQ(store->Count({.text = "question* \""}), 1u);
}

// Markup in any text is kept as the characters typed.
TEST_P(JournalStoreTest, ReaderMeaningsAreKeptByIdentityReplacedAndRemovedWhenEmpty) {
  auto store = MakeStore();
  EXPECT_EQ(store->GetReaderMeaning(38), ReaderMeaning{.identity = 38});
  const ReaderMeaning cups{38, "радость", "<b>&amp;</b>\nвторая строка", "", "поздно"};
  store->SetReaderMeaning(cups);
  store->SetReaderMeaning({.identity = 0, .uprightKeywords = "начало"});
  store->SetReaderMeaning({.identity = 77, .reversedNotes = "x"});
  EXPECT_EQ(store->GetReaderMeaning(38), cups);
  store->SetReaderMeaning({.identity = 77});  // emptied: gone
  EXPECT_EQ(store->ReaderMeanings(),
            (std::vector<ReaderMeaning>{{.identity = 0, .uprightKeywords = "начало"}, cups}));
  EXPECT_THROW(store->SetReaderMeaning({.identity = 78, .uprightNotes = "x"}),
               std::invalid_argument);
  EXPECT_THROW(store->SetReaderMeaning({.identity = -1, .uprightNotes = "x"}),
               std::invalid_argument);
  EXPECT_EQ(store->ReaderMeanings().size(), 2u);
}

TEST_P(JournalStoreTest, MarkupIsKeptAsCharacters) {
  auto store = MakeStore();
  JournalEntry entry = Draw("2024-03-14T09:00:00", "<b>bold</b> &amp; <script>x</script>", {1});
  entry.notes = "{\\rtf1 \\b text}";
  const std::int64_t id = store->Add(entry);
  EXPECT_EQ(store->Get(id)->question, entry.question);
  EXPECT_EQ(store->Get(id)->notes, entry.notes);
  EXPECT_EQ(store->Count({.text = "bold"}), 1u);
}

TEST_P(JournalStoreTest, ImportIsMadeOnceWithItsMark) {
  auto store = MakeStore();
  EXPECT_FALSE(store->LogImported());
  const std::vector<JournalEntry> entries = {Draw("2024-03-14T09:00:00", "a", {1}),
                                             Draw("2024-03-14T09:01:00", "b", {2})};
  store->AddImported(entries);
  EXPECT_TRUE(store->LogImported());
  EXPECT_EQ(store->Count({}), 2u);
}

}  // namespace
}  // namespace vaticor
