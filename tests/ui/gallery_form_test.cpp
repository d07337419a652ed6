#include "ui/gallery/gallery_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <string>

#include "library/journal_fake.h"
#include "support/deck_writer.h"
#include "support/qt/hint_text.h"
#include "support/qt/keys.h"
#include "support/qt/recorded_messages.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/command_set.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"

namespace vaticor {
namespace {

using testing::Control;
using testing::FakeLinks;
using testing::FakeMainWindow;
using testing::ProcessEventsUntil;
using testing::TypeText;

// A 78-card deck named in Russian, in the common order unless `identities`
// (a "Cards.Identities" list) says otherwise; `names` replace those of
// some card numbers.
void WriteRussianDeck(testing::TempDir& dir, const std::string& folder,
                      const std::string& identities = "",
                      const std::map<int, std::string>& names = {}) {
  testing::DeckShape shape;
  shape.cards = 78;
  testing::WriteDeck(dir, "Decks", folder, shape);
  const char* ranks[] = {"Туз",      "Двойка",  "Тройка",    "Четвёрка", "Пятёрка",
                         "Шестёрка", "Семёрка", "Восьмёрка", "Девятка",  "Десятка",
                         "Паж",      "Рыцарь",  "Королева",  "Король"};
  const char* suits[] = {"Жезлов", "Кубков", "Мечей", "Пентаклей"};
  std::string ini = "[Deck]\nName=" + folder + "\nCards.Count=77\n";
  if (!identities.empty()) ini += std::string(kCardIdentitiesKey) + "=" + identities + "\n";
  ini += "[Files]\n";
  for (int n = 0; n < 78; ++n) {
    ini += (n < 10 ? "Card0" : "Card") + std::to_string(n) + "=" + std::to_string(n) + ".jpg\n";
  }
  ini += "[Names]\n";
  for (int n = 0; n < 78; ++n) {
    std::string name = n < 22 ? "Аркан " + std::to_string(n)
                              : std::string(ranks[(n - 22) % 14]) + " " + suits[(n - 22) / 14];
    if (names.contains(n)) name = names.at(n);
    ini += (n < 10 ? "Card0" : "Card") + std::to_string(n) + "=" + name + "\n";
  }
  dir.Write("Decks/" + folder + "/deck.ini", ini);
}

JournalEntry Reading(const std::string& moment, std::int32_t card, const std::string& question) {
  JournalEntry entry;
  entry.moment = moment;
  entry.question = question;
  entry.deckFolder = "a";
  JournalPosition position;
  position.number = 1;
  position.card = card;
  entry.positions.push_back(position);
  return entry;
}

class GalleryFormTest : public ::testing::Test, public testing::ProgramStateFixture {
 protected:
  void SetUp() override {
    // Deck "b" has Strength (8) and Justice (11) the other way round.
    std::string swapped;
    for (int n = 0; n < 78; ++n) {
      const int identity = n == 8 ? 11 : n == 11 ? 8 : n;
      swapped += (n ? "," : "") + std::to_string(identity);
    }
    WriteRussianDeck(dir, "a", "", {{8, "Сила"}, {11, "Справедливость"}, {0, "<i>Шут</i>"}});
    WriteRussianDeck(dir, "b", swapped, {{11, "Сила"}, {8, "Справедливость"}});
    ReadSettingsFile();
    instances.content.Load();
    instances.content.SelectDeck(0);
    auto store = std::make_unique<FakeJournalStore>();
    journal = store.get();
    instances.journal.Attach(std::move(store));
  }
  void Open() {
    form = std::make_unique<TGalleryForm>(state, GalleryWindowLinks{main, links, links});
    FollowContent(instances.contentChanges, form.get(), *form);
    form->ShowGallery();
  }
  QListView* Cards() const { return Control<QListView>(*form, "GalleryCards"); }
  QStringList Shown() const {
    QStringList names;
    for (int row = 0; row < Cards()->model()->rowCount(); ++row) {
      names << Cards()->model()->index(row, 0).data().toString();
    }
    return names;
  }
  void Choose(const QString& name) {
    const int row = static_cast<int>(Shown().indexOf(name));
    ASSERT_GE(row, 0) << name.toStdString();
    Cards()->setCurrentIndex(Cards()->model()->index(row, 0));
  }
  QPlainTextEdit* UprightNotes() const {
    return Control<QPlainTextEdit>(*form, "GalleryUprightNotes");
  }

  FakeJournalStore* journal = nullptr;
  FakeMainWindow main;
  FakeLinks links;
  testing::RecordedMessages messages;
  std::unique_ptr<TGalleryForm> form;
};

TEST_F(GalleryFormTest, TypingAndTheGroupKeepTheCardsOfTheDeckInUse) {
  Open();
  EXPECT_EQ(Shown().size(), 78);
  TypeText(Control<QLineEdit>(*form, "GalleryFilter"), "кубк");
  QStringList cups;
  for (const char* rank :
       {"Туз", "Двойка", "Тройка", "Четвёрка", "Пятёрка", "Шестёрка", "Семёрка", "Восьмёрка",
        "Девятка", "Десятка", "Паж", "Рыцарь", "Королева", "Король"}) {
    cups << QString::fromUtf8(rank) + QString::fromUtf8(" Кубков");
  }
  EXPECT_EQ(Shown(), cups);

  // In the deck of another order, Strength is its own card 11; the group
  // of the major arcana keeps its 22 cards.
  Control<QLineEdit>(*form, "GalleryFilter")->clear();
  instances.content.SelectDeck(1);
  TypeText(Control<QLineEdit>(*form, "GalleryFilter"), "8");
  EXPECT_EQ(Shown(), QStringList{QString::fromUtf8("Сила")});
  Control<QLineEdit>(*form, "GalleryFilter")->clear();
  Control<QComboBox>(*form, "GalleryGroup")->setCurrentIndex(1);
  EXPECT_EQ(Shown().size(), 22);
  EXPECT_EQ(Shown()[11], QString::fromUtf8("Сила"));
}

TEST_F(GalleryFormTest, NotesFollowTheCardFromDeckToDeckAndKeepTheirCharacters) {
  Open();
  Choose(QString::fromUtf8("Сила"));
  const QString typed = QString::fromUtf8("<b>сила</b> & <i>терпение</i>");
  TypeText(UprightNotes(), typed);
  // Saved after the pause in the typing, by the card's identity.
  ASSERT_TRUE(ProcessEventsUntil([&] { return !journal->GetReaderMeaning(8).Empty(); }));
  EXPECT_EQ(journal->GetReaderMeaning(8).uprightNotes, typed.toStdString());

  // Typed again and the deck switched before the pause is over: kept.
  TypeText(UprightNotes(), "!");
  instances.content.SelectDeck(1);
  EXPECT_EQ(journal->GetReaderMeaning(8).uprightNotes, (typed + "!").toStdString());
  // The same card in the other deck (its card 11) shows them, as characters.
  Choose(QString::fromUtf8("Сила"));
  EXPECT_EQ(UprightNotes()->toPlainText(), typed + "!");
  Choose(QString::fromUtf8("Справедливость"));
  EXPECT_TRUE(UprightNotes()->toPlainText().isEmpty());

  // A name that looks like markup shows its characters in the hint.
  instances.content.SelectDeck(0);
  const QString hint = Cards()->model()->index(0, 0).data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(testing::ShownHint(hint).startsWith(QString::fromUtf8("<i>Шут</i>")));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(GalleryFormTest, ACardsHintAndMenuGiveItsReadingsAndTheViewerItsDescription) {
  for (int day = 1; day <= 7; ++day) {
    journal->Add(Reading(JournalMoment(2024, 3, day, 9, 0, 0), 38, "q" + std::to_string(day)));
  }
  journal->Add(Reading(JournalMoment(2024, 3, 20, 9, 0, 0), 5, "other"));
  Open();
  const int row = static_cast<int>(Shown().indexOf(QString::fromUtf8("Тройка Кубков")));
  const QString hint =
      testing::ShownHint(Cards()->model()->index(row, 0).data(Qt::ToolTipRole).toString());
  EXPECT_TRUE(hint.contains("7")) << hint.toStdString();
  EXPECT_TRUE(hint.contains("07.03.2024")) << hint.toStdString();

  // Enter on the card: its description, by its place in the deck.
  Choose(QString::fromUtf8("Тройка Кубков"));
  form->Commands()["GalleryDescribe"]->trigger();
  ASSERT_EQ(links.described.size(), 1u);
  EXPECT_EQ(links.described[0].card, 38);
  EXPECT_EQ(links.described[0].title, "Тройка Кубков");

  // Its menu: the last five readings, newest first; one chosen shows it.
  const QRect place = Cards()->visualRect(Cards()->model()->index(row, 0));
  emit Cards()->customContextMenuRequested(place.center());
  auto* menu = form->findChild<QMenu*>("GalleryCardMenu");
  ASSERT_NE(menu, nullptr);
  QList<QAction*> readings;
  for (QAction* action : menu->actions()) {
    if (action->text().contains(" — q")) readings << action;
  }
  ASSERT_EQ(readings.size(), 5);
  EXPECT_TRUE(readings[0]->text().endsWith("q7"));
  readings[1]->trigger();
  ASSERT_EQ(links.journalEntriesShown.size(), 1u);
  EXPECT_EQ(journal->Get(links.journalEntriesShown[0])->question, "q6");
  menu->close();
}

TEST_F(GalleryFormTest, MeaningsCannotBeTypedWhileTheJournalIsReadOnly) {
  journal->readOnly = true;
  Open();
  Choose(QString::fromUtf8("Сила"));
  EXPECT_FALSE(UprightNotes()->isEnabled());
  EXPECT_TRUE(Control<QLabel>(*form, "GalleryMeaningNote")->isVisibleTo(form.get()));
  // Every picture of the deck comes, from the workers.
  EXPECT_TRUE(ProcessEventsUntil([&] { return form->PicturesPending() == 0; }));
}

}  // namespace
}  // namespace vaticor
