#include "ui/journal/journal_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QValueAxis>
#include <algorithm>
#include <set>

#include "library/journal_fake.h"
#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_messages.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/command_set.h"
#include "ui/journal/journal_calendar.h"
#include "ui/journal/journal_chart.h"
#include "ui/journal/journal_statistics_page.h"
#include "ui/journal_keeper.h"

namespace vaticor {
namespace {

using testing::Control;
using testing::FakeLinks;
using testing::FakeMainWindow;
using testing::PressKey;
using testing::ProcessEventsUntil;
using testing::ReleaseKey;
using testing::TypeText;

// The in-memory journal, telling how much each read asked for.
class CountingJournal : public FakeJournalStore {
 public:
  std::vector<JournalEntry> List(const JournalFilter& filter, std::size_t offset,
                                 std::size_t limit) const override {
    largestRead = std::max(largestRead, limit);
    return FakeJournalStore::List(filter, offset, limit);
  }
  mutable std::size_t largestRead = 0;
};

JournalEntry Draw(const std::string& moment, std::vector<JournalPosition> positions,
                  const std::string& question = "") {
  JournalEntry entry;
  entry.moment = moment;
  entry.kind = JournalKind::kDraw;
  entry.question = question;
  entry.deckFolder = "a";
  entry.positions = std::move(positions);
  return entry;
}

JournalPosition Card(int number, std::int32_t card, bool reversed, const std::string& name) {
  JournalPosition position;
  position.number = number;
  position.card = card;
  position.reversed = reversed;
  position.cardName = name;
  return position;
}

class JournalFormTest : public ::testing::Test, public testing::ProgramStateFixture {
 protected:
  void SetUp() override {
    MakeDeck("a", 22);
    ReadSettingsFile();
    instances.content.Load();
    auto store = std::make_unique<CountingJournal>();
    journal = store.get();
    instances.journal.Attach(std::move(store));
  }
  void Open() {
    form = std::make_unique<TJournalForm>(state, JournalWindowLinks{main, links, links, links});
    form->ShowJournal();
  }
  QListView* List() const { return Control<QListView>(*form, "JournalList"); }
  QString Row(int row) const { return List()->model()->index(row, 0).data().toString(); }
  int Rows() const { return List()->model()->rowCount(); }
  // The user clicks the entry's row.
  void ChooseRow(int row) {
    List()->selectionModel()->setCurrentIndex(List()->model()->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect);
  }
  int RowOf(const QString& text) const {
    for (int row = 0; row < Rows(); ++row) {
      if (Row(row).contains(text)) return row;
    }
    return -1;
  }
  void Trigger(const char* command) { form->Commands()[command]->trigger(); }

  CountingJournal* journal = nullptr;
  FakeMainWindow main;
  FakeLinks links;
  testing::RecordedMessages messages;
  std::unique_ptr<TJournalForm> form;
};

TEST_F(JournalFormTest, AThousandEntriesShowNewestFirstByDayReadPageByPage) {
  // Four readings a day over 250 days, stored in no particular order.
  std::vector<std::string> moments;
  for (int day = 0; day < 250; ++day) {
    for (int hour : {9, 12, 15, 18}) {
      moments.push_back(
          JournalMoment(2020 + day / 200, 1 + (day % 200) / 20, 1 + day % 20, hour, day % 60, 0));
    }
  }
  std::vector<std::string> shuffled = moments;
  std::reverse(shuffled.begin() + 100, shuffled.end());
  std::rotate(shuffled.begin(), shuffled.begin() + 333, shuffled.end());
  for (const std::string& moment : shuffled) {
    journal->Add(Draw(moment, {Card(1, 3, false, "Empress")}, "q " + moment));
  }
  Open();

  // The first rows on show without the whole journal read.
  EXPECT_LT(journal->largestRead, 1000u);
  EXPECT_LT(Rows(), 400);
  EXPECT_TRUE(Row(1).contains(
      QString::fromStdString("q " + *std::max_element(moments.begin(), moments.end()))));
  // Scrolled to the end, page after page: every entry once, newest first,
  // a header before each day's first.
  for (int step = 0; step < 100 && List()->model()->canFetchMore({}); ++step) {
    List()->scrollToBottom();
    QApplication::processEvents();
    List()->model()->fetchMore({});
  }
  EXPECT_LE(journal->largestRead, 1000u / 4);
  ASSERT_EQ(Rows(), 1000 + 250);
  std::string last = "9999";
  std::set<std::string> days;
  std::string day;
  for (int row = 0; row < Rows(); ++row) {
    const QString text = Row(row);
    if (text.startsWith("q ")) FAIL() << "no time before the question: " << text.toStdString();
    const qsizetype at = text.indexOf("q 20");
    if (at < 0) {
      // A header: the next entry starts a new day.
      day.clear();
      continue;
    }
    const std::string moment = text.mid(at + 2, 19).toStdString();
    EXPECT_LT(moment, last) << row;
    if (day.empty()) {
      day = moment.substr(0, 10);
      EXPECT_TRUE(days.insert(day).second) << "two headers for " << day;
    }
    EXPECT_EQ(moment.substr(0, 10), day) << "no header before " << moment;
    last = moment;
  }
  EXPECT_EQ(days.size(), 250u);
}

TEST_F(JournalFormTest, TypingFiltersTheListAndSaysWhenNothingIsFound) {
  journal->Add(Draw("2024-03-14T09:00:00", {Card(1, 3, false, "Empress")}, "falcon flight"));
  journal->Add(Draw("2024-03-14T10:00:00", {Card(1, 5, true, "Hierophant")}, "river"));
  journal->Add(Draw("2024-03-15T10:00:00", {Card(1, 3, true, "Empress")}, "falconry"));
  Open();
  ASSERT_EQ(Rows(), 5);
  auto* search = Control<QLineEdit>(*form, "JournalSearch");
  TypeText(search, "falc");
  EXPECT_EQ(Rows(), 4);  // two days, one entry each
  EXPECT_NE(RowOf("falcon flight"), -1);
  EXPECT_NE(RowOf("falconry"), -1);
  EXPECT_FALSE(Control<QLabel>(*form, "JournalNothingFound")->isVisibleTo(form.get()));

  TypeText(search, "x");
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Control<QLabel>(*form, "JournalNothingFound")->isVisibleTo(form.get()));

  // A card's name of the deck combines with the words.
  search->clear();
  auto* card = Control<QComboBox>(*form, "JournalCardFilter");
  card->setEditText("5");
  EXPECT_EQ(Rows(), 2);
  EXPECT_NE(RowOf("river"), -1);
}

TEST_F(JournalFormTest, NotesAreSavedAsTypedAndShowAgainWhenTheEntryIsChosenAgain) {
  const std::int64_t first = journal->Add(Draw("2024-03-14T09:00:00", {}, "first"));
  journal->Add(Draw("2024-03-15T09:00:00", {}, "second"));
  Open();
  ChooseRow(RowOf("first"));
  auto* notes = Control<QPlainTextEdit>(*form, "JournalNotes");
  TypeText(notes, "line one");
  // Saved after the pause, without a button.
  ASSERT_TRUE(ProcessEventsUntil([&] { return journal->Get(first)->notes == "line one"; }, 3000));
  TypeText(notes, " and more");
  // Choosing another entry at once keeps what was typed.
  ChooseRow(RowOf("second"));
  EXPECT_EQ(journal->Get(first)->notes, "line one and more");
  EXPECT_EQ(notes->toPlainText(), "");
  ChooseRow(RowOf("first"));
  EXPECT_EQ(notes->toPlainText(), "line one and more");

  // A follow-up is stamped and saved at once; tags are words between commas.
  auto* followUp = Control<QLineEdit>(*form, "JournalFollowUpText");
  TypeText(followUp, "it came true");
  Trigger("JournalAddFollowUp");
  ASSERT_EQ(journal->Get(first)->followUps.size(), 1u);
  EXPECT_EQ(journal->Get(first)->followUps[0].text, "it came true");
  EXPECT_EQ(journal->Get(first)->followUps[0].moment.size(), 19u);
  TypeText(Control<QLineEdit>(*form, "JournalTags"), "work,  love ");
  form->hide();  // closing saves
  EXPECT_EQ(journal->Get(first)->tags, (std::vector<std::string>{"work", "love"}));
}

TEST_F(JournalFormTest, ADeletedEntryComesBackWholeOnUndo) {
  JournalEntry entry = Draw("2024-03-14T09:00:00", {Card(1, 3, false, "Empress")}, "kept");
  entry.notes = "notes";
  entry.tags = {"work"};
  journal->Add(entry);
  journal->Add(Draw("2024-03-15T09:00:00", {}, "other"));
  Open();
  ChooseRow(RowOf("kept"));
  auto* notes = Control<QPlainTextEdit>(*form, "JournalNotes");
  notes->moveCursor(QTextCursor::End);
  TypeText(notes, " typed");
  ReleaseKey(List(), Qt::Key_Delete);
  ASSERT_EQ(journal->Count({}), 1u);
  EXPECT_EQ(RowOf("kept"), -1);
  EXPECT_EQ(Rows(), 2);  // its day's header went with it

  PressKey(List(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(journal->Count({}), 1u + 1u);
  const std::vector<JournalEntry> back = journal->List({.text = "kept"}, 0, 10);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].notes, "notes typed");
  EXPECT_EQ(back[0].tags, std::vector<std::string>{"work"});
  EXPECT_EQ(back[0].positions, entry.positions);
  EXPECT_NE(RowOf("kept"), -1);
  EXPECT_EQ(form->ChosenEntry(), back[0].id);
  EXPECT_FALSE(form->Commands()["JournalUndo"]->isEnabled());
}

TEST_F(JournalFormTest, LayingAgainSendsADrawToTheMainWindowAndASpreadToTheSpreads) {
  journal->Add(
      Draw("2024-03-14T09:00:00",
           {Card(1, 5, false, "Hierophant"), Card(2, 10, true, "Wheel"), Card(3, 0, false, "Fool")},
           "three"));
  JournalEntry spread = Draw("2024-03-15T09:00:00", {Card(1, 7, true, "Chariot")});
  spread.kind = JournalKind::kSpread;
  spread.spreadFile = "cross.spread";
  const std::int64_t spreadId = journal->Add(spread);
  journal->Add(Draw("2024-03-16T09:00:00", {Card(1, 4, true, "Emperor")}, "one"));
  Open();

  ChooseRow(RowOf("three"));
  links.spreadsVisible = true;  // a spread on show gives way to the cards
  Trigger("JournalLayAgain");
  EXPECT_FALSE(links.spreadsVisible);
  EXPECT_TRUE(main.threeCards);
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, 5}, {1, -10}, {2, 0}}));
  EXPECT_EQ(main.shown, 1);
  main.cards.clear();
  ChooseRow(RowOf("one"));
  Trigger("JournalLayAgain");
  EXPECT_FALSE(main.threeCards);
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, -4}}));

  ChooseRow(RowOf("cross.spread"));
  Trigger("JournalLayAgain");
  EXPECT_EQ(links.laidSpreads, std::vector<std::int64_t>{spreadId});
  EXPECT_EQ(main.shown, 2);
}

// A reading of another deck was laid by its places in the deck in use
// (other cards), or could not be laid in the deck in use at all; a card
// that deck lacks took another's place instead of being named.
TEST_F(JournalFormTest, AReadingOfAnotherDeckIsLaidInItsOwnDeckOrInTheDeckInUseCardByCard) {
  // Deck "b": Strength (8) and Justice (11) the other way round.
  std::string swapped = "0,1,2,3,4,5,6,7,11,9,10,8";
  for (int identity = 12; identity < 22; ++identity) swapped += "," + std::to_string(identity);
  testing::WriteDeck(dir, "Decks", "b", {.identities = swapped});
  instances.content.ReloadDecks();
  instances.content.SelectDeck(1);
  journal->Add(
      Draw("2024-03-14T09:00:00",
           {Card(1, 8, true, "Strength"), Card(2, 11, false, "Justice"), Card(3, 0, false, "Fool")},
           "of a"));
  journal->Add(Draw("2024-03-15T09:00:00",
                    {Card(1, 3, false, "Empress"), Card(2, 40, true, "Far Card")}, "beyond"));
  Open();
  QAction* inCurrent = form->Commands()["JournalLayInCurrentDeck"];

  ChooseRow(RowOf("of a"));
  ASSERT_TRUE(inCurrent->isVisible());
  EXPECT_TRUE(inCurrent->text().contains("(b)"));
  inCurrent->trigger();
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, -11}, {1, 8}, {2, 0}}));
  EXPECT_EQ(decks.Folders[static_cast<std::size_t>(decks.Index)], "b");

  // The card the deck in use does not have is named; nothing is laid.
  main.cards.clear();
  ChooseRow(RowOf("beyond"));
  inCurrent->trigger();
  EXPECT_TRUE(main.cards.empty());
  ASSERT_EQ(messages.Texts().size(), 1u);
  EXPECT_NE(messages.Texts()[0].find("Far Card"), std::string::npos);
  EXPECT_EQ(messages.Texts()[0].find("Empress"), std::string::npos);

  // As recorded: in its own deck, which becomes the deck in use.
  ChooseRow(RowOf("of a"));
  Trigger("JournalLayAgain");
  EXPECT_EQ(decks.Folders[static_cast<std::size_t>(decks.Index)], "a");
  EXPECT_EQ(main.cards, (std::vector<FakeMainWindow::Card>{{0, -8}, {1, 11}, {2, 0}}));
  EXPECT_FALSE(inCurrent->isVisible());
}

TEST_F(JournalFormTest, MarkupInTheEntryShowsAsCharacters) {
  JournalEntry entry = Draw("2024-03-14T09:00:00", {Card(1, 3, true, "<b>Empress</b>")},
                            "<i>will it</i> &amp; <br>");
  entry.kind = JournalKind::kSpread;
  entry.positions[0].meaning = "<u>past</u>";
  entry.tags = {"<s>t</s>"};
  entry.followUps = {{"2024-03-15T09:00:00", "<h1>later</h1>"}};
  journal->Add(entry);
  Open();
  ChooseRow(RowOf("<i>will it</i> &amp; <br>"));
  EXPECT_EQ(Control<QLineEdit>(*form, "JournalQuestion")->text(), "<i>will it</i> &amp; <br>");
  // Every label with a text that could read as markup shows it as it stands.
  int shown = 0;
  for (const QLabel* label : form->findChildren<QLabel*>()) {
    if (!label->text().contains(u'<')) continue;
    ++shown;
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  }
  EXPECT_GE(shown, 1);
  EXPECT_TRUE(Control<QLabel>(*form, "JournalCardText0")->text().contains("<u>past</u>"));
  EXPECT_NE(RowOf("#<s>t</s>"), -1);
}

TEST_F(JournalFormTest, ADeckGoneOrACardBeyondItShowsTheRecordedNames) {
  JournalEntry entry =
      Draw("2024-03-14T09:00:00",
           {Card(1, 2, false, "High Priestess"), Card(2, 500, true, "Far Card")}, "beyond");
  journal->Add(entry);
  entry.deckFolder = "deleted deck";
  entry.question = "gone";
  journal->Add(entry);
  Open();

  ChooseRow(RowOf("beyond"));
  ASSERT_TRUE(ProcessEventsUntil([&] {
    state.PictureWork.WaitForDecodes();
    return Control<TCardImage>(*form, "JournalCard0")->HasPicture();
  }));
  auto* beyond = Control<TCardImage>(*form, "JournalCard1");
  EXPECT_FALSE(beyond->HasPicture());
  EXPECT_FALSE(beyond->FaceLines().empty());
  EXPECT_TRUE(Control<QLabel>(*form, "JournalCardText1")->text().contains("Far Card"));

  ChooseRow(RowOf("gone"));
  QApplication::processEvents();
  state.PictureWork.WaitForDecodes();
  QApplication::processEvents();
  EXPECT_FALSE(Control<TCardImage>(*form, "JournalCard0")->HasPicture());
  EXPECT_TRUE(Control<QLabel>(*form, "JournalCardText0")->text().contains("High Priestess"));

  // A click on a card describes it in the viewer, by its recorded name.
  emit Control<TCardImage>(*form, "JournalCard1")->clicked();
  ASSERT_EQ(links.described.size(), 1u);
  EXPECT_EQ(links.described[0].card, 500);
  EXPECT_EQ(links.described[0].title, "Far Card");
}

TEST_F(JournalFormTest, AReadOnlyJournalIsShownButNotChanged) {
  const std::int64_t id = journal->Add(Draw("2024-03-14T09:00:00", {}, "fixed"));
  journal->readOnly = true;
  Open();
  ChooseRow(RowOf("fixed"));
  EXPECT_FALSE(form->Commands()["JournalDelete"]->isEnabled());
  EXPECT_TRUE(Control<QPlainTextEdit>(*form, "JournalNotes")->isReadOnly());
  EXPECT_FALSE(Control<QLabel>(*form, "JournalReadOnly")->text().isEmpty());
  ReleaseKey(List(), Qt::Key_Delete);
  EXPECT_TRUE(journal->Get(id).has_value());
  EXPECT_TRUE(messages.messages.empty());
}

// --- The statistics page ---

class JournalStatisticsTest : public JournalFormTest {
 protected:
  void ShowStatistics() {
    Control<QTabBar>(*form, "JournalPages")->setCurrentIndex(1);
    QApplication::processEvents();
  }
  JournalChart* Chart(const char* name) const { return Control<JournalChart>(*form, name); }
  static constexpr const char* kCharts[] = {"JournalMostDrawn", "JournalBalance", "JournalPeriods",
                                            "JournalUses"};
};

TEST_F(JournalStatisticsTest, AnEmptyJournalSaysSoInsteadOfDrawingCharts) {
  Open();
  ShowStatistics();
  for (const char* name : kCharts) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(Chart(name)->HasChart());
    EXPECT_EQ(Chart(name)->NoteText(), QString::fromUtf8("Нет записей для подсчёта"));
    EXPECT_FALSE(Chart(name)->SaveCsvAction()->isEnabled());
  }
}

TEST_F(JournalStatisticsTest, FollowsTheListsFilterAndTheJournal) {
  journal->Add(Draw("2024-03-14T09:00:00", {Card(1, 3, false, "Empress")}, "falcon"));
  journal->Add(Draw("2024-03-14T10:00:00", {Card(1, 5, true, "Hierophant")}, "river"));
  Open();
  ShowStatistics();
  ASSERT_TRUE(Chart("JournalMostDrawn")->HasChart());
  EXPECT_EQ(Chart("JournalMostDrawn")->Numbers().size(), 3u);  // header, two cards

  TypeText(Control<QLineEdit>(*form, "JournalSearch"), "falc");
  const ChartNumbers& cards = Chart("JournalMostDrawn")->Numbers();
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[1][0], "3");

  // A reading recorded meanwhile counts at once while the page is on show.
  instances.journal.Add(Draw("2024-03-15T10:00:00", {Card(1, 3, true, "Empress")}, "falconry"));
  ASSERT_EQ(Chart("JournalMostDrawn")->Numbers().size(), 2u);
  const std::vector<std::string>& empress = Chart("JournalMostDrawn")->Numbers()[1];
  ASSERT_EQ(empress.size(), 4u);
  EXPECT_EQ(empress[0], "3");
  EXPECT_EQ(empress[2], "1");  // upright
  EXPECT_EQ(empress[3], "1");  // reversed
}

TEST_F(JournalStatisticsTest, AClickOnARecurringCardsEntryChoosesItInTheList) {
  std::vector<std::int64_t> ids;
  for (int day = 10; day < 14; ++day) {
    ids.push_back(journal->Add(Draw("2024-03-" + std::to_string(day) + "T09:00:00",
                                    {Card(1, 7, false, "Chariot"), Card(2, day, false, "")})));
  }
  Open();
  ShowStatistics();
  auto* recurring = Control<QTreeWidget>(*form, "JournalRecurringList");
  ASSERT_EQ(recurring->topLevelItemCount(), 1);
  QTreeWidgetItem* card = recurring->topLevelItem(0);
  ASSERT_EQ(card->childCount(), 4);
  // The entries newest first: the second is the one of the 12th.
  QTreeWidgetItem* entry = card->child(1);
  recurring->scrollToItem(entry);
  testing::Click(recurring->viewport(), recurring->visualItemRect(entry).center());
  EXPECT_EQ(Control<QTabBar>(*form, "JournalPages")->currentIndex(), 0);
  EXPECT_EQ(form->ChosenEntry(), ids[2]);
}

TEST_F(JournalStatisticsTest, ADayChosenInTheCalendarShowsThatDaysEntriesOnly) {
  journal->Add(Draw("2024-03-12T09:00:00", {Card(1, 2, false, "")}, "before"));
  journal->Add(Draw("2024-03-13T08:00:00", {Card(1, 3, false, "")}, "falcon"));
  const std::int64_t evening =
      journal->Add(Draw("2024-03-13T21:00:00", {Card(1, 4, false, "")}, "owl"));
  journal->Add(Draw("2024-03-14T09:00:00", {Card(1, 5, false, "")}, "after"));
  Open();
  // A search typed before does not hide any of the day's entries.
  TypeText(Control<QLineEdit>(*form, "JournalSearch"), "falc");
  Control<QTabBar>(*form, "JournalPages")->setCurrentIndex(2);
  emit Control<JournalCalendar>(*form, "JournalCalendar")->dayChosen("2024-03-13");
  EXPECT_EQ(Control<QTabBar>(*form, "JournalPages")->currentIndex(), 0);
  EXPECT_EQ(Control<QLineEdit>(*form, "JournalSearch")->text(), "");
  EXPECT_EQ(Rows(), 3);  // the day's header and its two entries
  EXPECT_GE(RowOf("owl"), 0);
  EXPECT_GE(RowOf("falcon"), 0);
  EXPECT_EQ(form->ChosenEntry(), evening);
}

TEST_F(JournalStatisticsTest, AxesAreLabelledWithWholeCountsAndThePeriodsOwnStarts) {
  journal->Add(Draw("2024-01-15T09:00:00", {Card(1, 3, false, "Empress")}));
  journal->Add(Draw("2024-08-20T09:00:00", {Card(1, 4, false, "Emperor")}));
  Open();
  ShowStatistics();
  // The most a card was drawn is 1: the ticks 0 and 1, none between.
  QChart* most = Chart("JournalMostDrawn")->View()->chart();
  const auto counts = most->axes(Qt::Horizontal);
  ASSERT_EQ(counts.size(), 1);
  EXPECT_EQ(static_cast<QValueAxis*>(counts.front())->tickCount(), 2);
  // Eight months, a label every second month on its first day.
  QChart* periods = Chart("JournalPeriods")->View()->chart();
  auto* time = qobject_cast<QCategoryAxis*>(periods->axes(Qt::Horizontal).value(0));
  ASSERT_NE(time, nullptr);
  const QStringList labels = time->categoriesLabels();
  ASSERT_EQ(labels.size(), 5);
  for (const QString& label : labels) {
    const QDate day =
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(time->endValue(label))).date();
    EXPECT_EQ(day.day(), 1) << label.toStdString();
    EXPECT_EQ((day.month() - 1) % 2, 0) << label.toStdString();
  }
}

TEST_F(JournalStatisticsTest, APeriodAgesAwayStillStandsOnTheTimeAxis) {
  journal->Add(Draw("2024-01-15T09:00:00", {Card(1, 3, false, "Empress")}));
  journal->Add(Draw("9000-06-20T09:00:00", {Card(1, 4, false, "Emperor")}));
  Open();
  ShowStatistics();
  QChart* periods = Chart("JournalPeriods")->View()->chart();
  auto* time = qobject_cast<QCategoryAxis*>(periods->axes(Qt::Horizontal).value(0));
  ASSERT_NE(time, nullptr);
  const QDate far(9000, 6, 1);
  EXPECT_GE(time->max(), static_cast<qreal>(far.startOfDay().toMSecsSinceEpoch()));
}

}  // namespace
}  // namespace vaticor
