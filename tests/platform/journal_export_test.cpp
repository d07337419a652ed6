// The journal's JSON export read back by a parser of its own (Qt's), from
// the SQLite store, with every kind of text a user or a damaged file can
// put in an entry.

#include "library/journal_export.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/text_encoding.h"
#include "platform/sqlite_journal.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(JournalExportJsonTest, HostileTextReadsBackAsWritten) {
  TempDir dir;
  SqliteJournal journal(dir.Path(kJournalFileName));

  // Every control character of ASCII and of Latin-1, quotes, backslashes,
  // markup, JavaScript's line ends.
  std::string controls;
  for (char c = 1; c < 0x20; ++c) controls += c;
  const std::string hostile = "\"q\" \\ \\u0041 </script><b>x</b>&amp; \x7F\xC2\x85\xC2\x9F" +
                              controls + "\xE2\x80\xA8\xE2\x80\xA9 ёЖ 🂡";
  JournalEntry entry;
  entry.moment = "2024-03-14T09:30:05";
  entry.kind = JournalKind::kSpread;
  entry.question = hostile;
  entry.spreadFile = "Крест \"1\".spread";
  entry.spreadTable = "[Spread]\r\nCards=2\r\n";
  entry.positions = {{1, "Прошлое\n<i>", 16, true, "Башня"}, {2, "", 0, false, "Шут"}};
  for (int i = 0; entry.notes.size() < (1u << 20); ++i) entry.notes += "строка " + hostile + "\n";
  entry.followUps = {{"2024-03-15T10:00:00", "тоже \"так\""}};
  entry.tags = {"a\\b", "</tag>"};
  const std::int64_t id = journal.Add(entry);
  // Bytes that are no UTF-8: stray, overlong, a surrogate, cut short.
  JournalEntry broken;
  broken.moment = "2024-03-13T08:00:00";
  broken.question = std::string("a\xFF") + "b\xC0\xAF" + "c\xED\xA0\x80" + "d\xE2\x82";
  journal.Add(broken);

  const std::string path = dir.Path("journal.json");
  ASSERT_EQ(ExportJournal(journal, {}, JournalExportFormat::kJson, path), 2u);
  const std::string bytes = ReadAll(path);
  EXPECT_TRUE(IsValidUtf8(bytes));
  // JSON takes no control character unescaped in a string; a line end
  // stands only between entries.
  std::string unescaped = controls + "\x7F";
  std::erase(unescaped, '\n');
  EXPECT_EQ(bytes.find_first_of(unescaped), std::string::npos);
  EXPECT_EQ(bytes.find("\xC2\x85"), std::string::npos);
  EXPECT_EQ(bytes.find("\xE2\x80\xA8"), std::string::npos);

  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  const QJsonObject root = document.object();
  EXPECT_EQ(root["format"].toString(), "vaticor-journal");
  EXPECT_EQ(root["version"].toInt(), 1);
  const QJsonArray entries = root["entries"].toArray();
  ASSERT_EQ(entries.size(), 2);

  const QJsonObject first = entries[0].toObject();
  EXPECT_EQ(first["id"].toInteger(), id);
  EXPECT_EQ(first["moment"].toString(), "2024-03-14T09:30:05");
  EXPECT_EQ(first["kind"].toString(), "spread");
  EXPECT_EQ(first["question"].toString(), QString::fromStdString(hostile));
  EXPECT_EQ(first["spreadFile"].toString(), Text("Крест \"1\".spread"));
  EXPECT_EQ(first["spreadTable"].toString(), "[Spread]\r\nCards=2\r\n");
  EXPECT_EQ(first["notes"].toString(), QString::fromStdString(entry.notes));
  const QJsonArray positions = first["positions"].toArray();
  ASSERT_EQ(positions.size(), 2);
  const QJsonObject tower = positions[0].toObject();
  EXPECT_EQ(tower["number"].toInt(), 1);
  EXPECT_EQ(tower["meaning"].toString(), Text("Прошлое\n<i>"));
  EXPECT_EQ(tower["card"].toInt(), 16);
  EXPECT_EQ(tower["cardName"].toString(), Text("Башня"));
  EXPECT_EQ(tower["reversed"], QJsonValue(true));
  EXPECT_EQ(positions[1].toObject()["reversed"], QJsonValue(false));
  const QJsonObject followUp = first["followUps"].toArray()[0].toObject();
  EXPECT_EQ(followUp["moment"].toString(), "2024-03-15T10:00:00");
  EXPECT_EQ(followUp["text"].toString(), Text("тоже \"так\""));
  EXPECT_EQ(first["tags"].toArray(), QJsonArray({"a\\b", "</tag>"}));

  const QJsonObject second = entries[1].toObject();
  EXPECT_EQ(second["kind"].toString(), "draw");
  EXPECT_EQ(second["question"].toString(),
            Text("a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFDd\uFFFD\uFFFD"));
  EXPECT_EQ(second["positions"].toArray().size(), 0);
}

}  // namespace
}  // namespace vaticor
