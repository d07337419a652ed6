#include "library/journal_export.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/user_failure.h"
#include "library/journal_fake.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

std::string Csv(const std::vector<JournalEntry>& entries) {
  std::string out;
  JournalExportWriter writer(JournalExportFormat::kCsv, out);
  writer.Add(entries);
  writer.Finish();
  return out;
}

constexpr std::string_view kCsvHead =
    "\xEF\xBB\xBF"
    "id,moment,kind,question,spread file,deck,descriptions,cards,notes,follow-ups,tags\r\n";

TEST(JournalExportCsvTest, QuotesWhatSeparatesAndKeepsLineBreaksInOneCell) {
  JournalEntry entry;
  entry.id = 7;
  entry.moment = "2024-03-14T09:30:05";
  entry.kind = JournalKind::kSpread;
  entry.question = "Он сказал \"да\", потом ушёл";
  entry.spreadFile = "Крест.spread";
  entry.positions = {{1, "Прошлое", 16, true, "Башня"}, {2, "", 40, false, ""}};
  entry.notes = "first line\r\nsecond, line\nthird";
  entry.followUps = {{"2024-03-15T10:00:00", "сбылось"}, {"2024-03-16T11:00:00", "ещё"}};
  entry.tags = {"работа", "a,b"};
  const std::string out = Csv({entry});
  EXPECT_EQ(out, std::string(kCsvHead) +
                     "7,2024-03-14T09:30:05,spread,\"Он сказал \"\"да\"\", потом ушёл\","
                     "Крест.spread,,,1. Башня (reversed); 2. [40],"
                     "\"first line\r\nsecond, line\nthird\","
                     "\"2024-03-15T10:00:00 сбылось\n2024-03-16T11:00:00 ещё\","
                     "\"работа, a,b\"\r\n");
}

// A card of the day was written as a draw.
TEST(JournalExportTest, ACardOfTheDayHasAWordOfItsOwn) {
  JournalEntry entry;
  entry.id = 3;
  entry.moment = "2024-03-14T09:30:05";
  entry.kind = JournalKind::kDayCard;
  EXPECT_EQ(Csv({entry}), std::string(kCsvHead) + "3,2024-03-14T09:30:05,day card,,,,,,,,\r\n");
  std::string json;
  JournalExportWriter writer(JournalExportFormat::kJson, json);
  writer.Add({&entry, 1});
  EXPECT_NE(json.find("\"kind\":\"dayCard\""), std::string::npos) << json;
}

// A cell a spreadsheet would run as a formula gets an apostrophe first,
// inside the quotes when the cell is quoted; bytes that are no UTF-8 are
// written as U+FFFD.
TEST(JournalExportCsvTest, GuardsCellsThatWouldBeFormulasAndRepairsBrokenText) {
  JournalEntry entry;
  entry.id = 1;
  entry.moment = "2024-03-14T09:30:05";
  entry.question = "=HYPERLINK(\"http://x\",\"y\")";
  entry.notes = "@SUM(A1)";
  entry.followUps = {{"", "x"}};
  entry.tags = {"-2+3"};
  JournalEntry second = entry;
  second.question = "+1";
  second.notes = "\tcmd";
  second.followUps = {};
  second.tags = {
      "a\xFF"
      "b"};
  second.spreadFile = "\rx";
  second.deckFolder = "a=b";
  EXPECT_EQ(Csv({entry, second}),
            std::string(kCsvHead) +
                "1,2024-03-14T09:30:05,draw,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",,,,,"
                "'@SUM(A1), x,'-2+3\r\n"
                "1,2024-03-14T09:30:05,draw,'+1,\"'\rx\",a=b,,,'\tcmd,,a\xEF\xBF\xBD"
                "b\r\n");
}

// A store that fails to read its second page, as a damaged file would.
class FailingStore : public FakeJournalStore {
 public:
  std::vector<JournalEntry> List(const JournalFilter& filter, std::size_t offset,
                                 std::size_t limit) const override {
    if (offset > 0) throw JournalFault("unreadable");
    return FakeJournalStore::List(filter, offset, limit);
  }
};

// The whole journal goes out page by page, each entry once, newest first;
// a filter takes only its entries.
TEST(ExportJournalTest, WritesEveryPageOnceInOrderAndTakesTheFilter) {
  TempDir dir;
  FakeJournalStore store;
  const std::size_t count = 2 * kJournalExportPage + 3;
  for (std::size_t i = 0; i < count; ++i) {
    // One moment for all: the newest is the one added last.
    JournalEntry entry;
    entry.moment = "2024-03-14T09:30:05";
    entry.question = i % 2 == 0 ? "even" : "odd";
    store.Add(entry);
  }
  const std::string path = dir.Path("out.csv");
  EXPECT_EQ(ExportJournal(store, {}, JournalExportFormat::kCsv, path), count);
  const std::string csv = ReadAll(path);
  std::size_t rows = 0;
  std::int64_t lastId = static_cast<std::int64_t>(count) + 1;
  for (std::size_t at = csv.find("\r\n") + 2; at < csv.size(); at = csv.find("\r\n", at) + 2) {
    const std::int64_t id = std::stoll(csv.substr(at, csv.find(',', at) - at));
    EXPECT_EQ(id, lastId - 1);
    lastId = id;
    ++rows;
  }
  EXPECT_EQ(rows, count);

  // The reader's meanings go with any filter, after the entries.
  store.SetReaderMeaning({.identity = 38, .reversedNotes = "<b>\"late\"</b>"});
  EXPECT_EQ(ExportJournal(store, {.text = "odd"}, JournalExportFormat::kJson, path), count / 2);
  const std::string json = ReadAll(path);
  EXPECT_EQ(json.find("\"even\""), std::string::npos);
  EXPECT_TRUE(
      json.ends_with("\"physical\":false}\n],\n\"readerMeanings\":[\n{\"identity\":38,"
                     "\"uprightKeywords\":\"\",\"uprightNotes\":\"\",\"reversedKeywords\":\"\","
                     "\"reversedNotes\":\"<b>\\\"late\\\"</b>\"}\n]}\n"))
      << json.substr(json.size() - 200);
}

// A store that fails part-way leaves the old file as it was and no
// temporary file beside it; a file that cannot be made is named.
TEST(ExportJournalTest, AFailureLeavesTheOldFileWholeAndNamesTheFile) {
  TempDir dir;
  FailingStore store;
  for (std::size_t i = 0; i < kJournalExportPage + 1; ++i) store.Add(JournalEntry());
  const std::string path = dir.Write("out.json", "old export");
  EXPECT_THROW(ExportJournal(store, {}, JournalExportFormat::kJson, path), JournalFault);
  EXPECT_EQ(ReadAll(path), "old export");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"out.json"});

  const std::string missing = dir.Path("no folder/out.json");
  try {
    ExportJournal(FakeJournalStore(), {}, JournalExportFormat::kCsv, missing);
    ADD_FAILURE() << "no failure";
  } catch (const WriteFailure& failure) {
    EXPECT_EQ(failure.subject(), missing);
  }
}

}  // namespace
}  // namespace vaticor
