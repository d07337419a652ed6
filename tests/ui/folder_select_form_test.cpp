// The import window, whose checks and copies run on threads of their own.
// Test labels: threads
#include "ui/import/folder_select_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileSystemModel>
#include <QIcon>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeView>
#include <atomic>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "support/qt/hint_text.h"
#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_choices.h"
#include "support/qt/recorded_messages.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {
namespace {

using testing::Control;
using testing::ProcessEventsUntil;

// What the window asks of the main window's lists.
class FakeInstalledLists : public InstalledListsLink {
 public:
  void RebuildDeckMenu() override { ++deckRebuilds; }
  void RebuildDescriptionMenu() override { ++descriptionRebuilds; }
  int deckRebuilds = 0;
  int descriptionRebuilds = 0;
};

class FolderSelectTest : public ::testing::Test, protected testing::ProgramStateFixture {
 protected:
  FolderSelectTest() {
    ini.DecksFolder = dir.Path("Decks");
    ini.DescriptionsFolder = dir.Path("Descriptions");
    system.home = dir.MakeDir("home");
  }
  ~FolderSelectTest() override {
    form.reset();
    // The checks' threads may still be posting: let them land nowhere.
    QCoreApplication::processEvents();
  }

  TFolderSelectForm& Open(FolderMode mode = FolderMode::kAddDeck) {
    if (!form) form = std::make_unique<TFolderSelectForm>(state, main, lists, system);
    form->ShowForMode(mode);
    return *form;
  }

  QTreeView* Tree() const { return Control<QTreeView>(*form, "ShellTreeView1"); }
  QToolButton* SelectArea() const { return Control<QToolButton>(*form, "SpeedButton1"); }
  // The caption's whole text: in its hint when it is cut to fit.
  std::string Caption(const char* label = "Label2") const {
    const TCaptionLabel* caption = Control<TCaptionLabel>(*form, label);
    const QString hint = testing::ShownHint(caption->toolTip());
    return (hint.isEmpty() ? caption->text() : hint).toStdString();
  }
  bool Offered() const { return SelectArea()->isVisibleTo(form.get()); }

  QFileSystemModel* Folders() const { return qobject_cast<QFileSystemModel*>(Tree()->model()); }
  QModelIndex IndexOf(const std::string& folder) const {
    return Folders()->index(QString::fromStdString(folder));
  }
  // The highlighted folder's path.
  std::string Highlighted() const {
    return Folders()->filePath(Tree()->currentIndex()).toStdString();
  }
  // Highlights a folder and waits for the check's answer.
  void Highlight(const std::string& folder) {
    const QModelIndex index = IndexOf(folder);
    ASSERT_TRUE(index.isValid()) << folder;
    Tree()->setCurrentIndex(index);
    Settle();
  }
  // A deck folder below the fixture's folder whose deck.ini names each
  // picture (Card00, Card01, ...), each file holding its own name.
  void WriteDeckFolder(const std::string& folder, const std::vector<std::string>& pictures) {
    std::string ini = "[Files]\r\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      ini += "Card0" + std::to_string(i) + "=" + pictures[i] + "\r\n";
      dir.Write(folder + "/" + pictures[i], pictures[i]);
    }
    dir.Write(folder + "/deck.ini", ini);
  }
  // Lets every pending answer arrive.
  void Settle() {
    ProcessEventsUntil([] { return false; }, 150);
  }
  void ClickSelectArea() {
    testing::Click(SelectArea());
    ASSERT_TRUE(ProcessEventsUntil([this] { return !form->Importing(); }));
  }

  testing::FakeMainWindow main;
  FakeInstalledLists lists;
  FolderImportSystem system;
  std::unique_ptr<TFolderSelectForm> form;
  testing::RecordedMessages recorded;
  testing::RecordedChoices choices;
};

TEST_F(FolderSelectTest, OpensAsTheModeSaysAt161By227) {
  Open(FolderMode::kAddDescriptionSet);
  EXPECT_EQ(form->size(), QSize(161, 227));
  EXPECT_EQ(Caption("Label4"), "Добавить описание...");
  EXPECT_EQ(Caption("Label3"), "Добавить описание...");
  EXPECT_EQ(Caption(), "Выбрать каталог с описанием");
  EXPECT_EQ(Caption("Label1"), "Выбрать каталог с описанием");
  // The caption centred, its shadow one pixel right and down.
  auto* white = Control<TCaptionLabel>(*form, "Label2");
  auto* dark = Control<TCaptionLabel>(*form, "Label1");
  EXPECT_EQ(white->x(), (161 - white->width()) / 2);
  EXPECT_EQ(dark->pos(), white->pos() + QPoint(1, 1));
  EXPECT_EQ(SelectArea()->geometry(), QRect(1, 210, 159, 16));
  EXPECT_EQ(Tree()->geometry(), QRect(2, 21, 157, 185));
  EXPECT_EQ(Tree()->indentation(), 19);
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonCloseImage")->geometry(), QRect(143, 0, 17, 17));
  // It opens at the home folder, where nothing is offered.
  EXPECT_EQ(Highlighted(), system.home);
  Settle();
  EXPECT_FALSE(Offered());

  Open(FolderMode::kAddDeck);
  EXPECT_EQ(Caption("Label4"), "Добавить колоду...");
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
}

TEST_F(FolderSelectTest, TitlePromptAndResultSpeakTheInterfaceLanguage) {
  WriteDeckFolder("home/MyDeck", {"a.jpg"});
  languages.LoadFile(dir.Write("0x0409.ini",
                               "[ID]\r\n1039=Add a deck...\r\n1041=Choose the deck's folder\r\n"
                               "1043=Deck added\r\n"));
  Open();
  EXPECT_EQ(Caption("Label4"), "Add a deck...");
  EXPECT_EQ(Caption(), "Choose the deck's folder");
  // A file without the set's texts empties them.
  Open(FolderMode::kAddDescriptionSet);
  EXPECT_EQ(Caption("Label4"), "");
  Open(FolderMode::kAddDeck);
  Highlight(dir.Path("home/MyDeck"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Deck added");
  // The language changed while the result shows: the title follows, the
  // result stays.
  languages.LoadRussian();
  form->ApplyLanguage();
  EXPECT_EQ(Caption("Label4"), "Добавить колоду...");
  EXPECT_EQ(Caption(), "Deck added");
}

TEST_F(FolderSelectTest, OffersAFolderWithTheModesIndexThatIsNotOneOfTheProgramsOwn) {
  dir.Write("home/MyDeck/deck.ini", "[Files]\r\n");
  dir.Write("home/Words/description.ini", "[Sections]\r\n");
  dir.Write("Decks/Installed/deck.ini", "[Files]\r\n");
  dir.MakeDir("home/Empty");
  Open();
  Highlight(dir.Path("home/MyDeck"));
  EXPECT_TRUE(Offered());
  EXPECT_TRUE(Control<TCaptionLabel>(*form, "Label1")->isVisibleTo(form.get()));
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
  Highlight(dir.Path("Decks/Installed"));
  EXPECT_FALSE(Offered());
  EXPECT_FALSE(Control<TCaptionLabel>(*form, "Label2")->isVisibleTo(form.get()));
  Highlight(dir.Path("home/Empty"));
  EXPECT_FALSE(Offered());
  Highlight(dir.Path("home/Words"));
  EXPECT_FALSE(Offered());  // a description set, while adding a deck

  Open(FolderMode::kAddDescriptionSet);
  Settle();
  EXPECT_TRUE(Offered());
  Highlight(dir.Path("home/MyDeck"));
  EXPECT_FALSE(Offered());
}

TEST_F(FolderSelectTest, ADeckIsCopiedWithTheFilesThatExistAndASecondClickOnlyResets) {
  // Written on Windows: backslashes, a sub-folder, letter case that differs
  // from the disk's.
  dir.Write("home/MyDeck/deck.ini",
            "[Files]\r\nCard00=a.jpg\r\nCard01=missing.jpg\r\nCard02=Backs\\B.JPG\r\n"
            "Card03=\r\n[Names]\r\nCard00=Fool\r\n");
  dir.Write("home/MyDeck/a.jpg", "aaa");
  dir.Write("home/MyDeck/backs/b.jpg", "bbb");
  dir.Write("home/MyDeck/unlisted.jpg", "u");
  Open();
  Highlight(dir.Path("home/MyDeck"));
  ClickSelectArea();
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/a.jpg")), "aaa");
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/backs/b.jpg")), "bbb");
  EXPECT_TRUE(std::filesystem::exists(dir.Path("Decks/MyDeck/deck.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/MyDeck/unlisted.jpg")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/MyDeck/missing.jpg")));
  EXPECT_EQ(Caption(), "Колода добавлена");
  EXPECT_EQ(lists.deckRebuilds, 1);
  EXPECT_EQ(lists.descriptionRebuilds, 0);
  EXPECT_EQ(recorded.Texts(), std::vector<std::string>{"Колода добавлена.\n\nНет картинок, "
                                                       "указанных в deck.ini: 1 из 3."});
  EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);

  // The second click copies nothing: a file removed from the copy stays
  // removed.
  std::filesystem::remove(dir.Path("Decks/MyDeck/a.jpg"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/MyDeck/a.jpg")));
  EXPECT_EQ(lists.deckRebuilds, 1);
}

// A deck of the same name is installed: nothing is copied before the user
// chose to replace it, to add the new one beside it, or to cancel.
TEST_F(FolderSelectTest, AnotherFolderOfTheSameNameIsCopiedOnlyAsTheUserChooses) {
  dir.Write("home/one/MyDeck/deck.ini", "[Files]\r\nCard00=a.jpg\r\nCard01=b.jpg\r\n");
  dir.Write("home/one/MyDeck/a.jpg", "first a");
  dir.Write("home/one/MyDeck/b.jpg", "first b");
  dir.Write("home/two/MyDeck/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write("home/two/MyDeck/a.jpg", "second a");
  Open();
  Highlight(dir.Path("home/one/MyDeck"));
  ClickSelectArea();
  EXPECT_TRUE(choices.questions.empty());  // a new name asks nothing
  // Another folder highlighted brings the prompt back.
  Highlight(dir.Path("home/two/MyDeck"));
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");

  choices.answer = 2;  // cancel
  ClickSelectArea();
  ASSERT_EQ(choices.questions.size(), 1u);
  EXPECT_EQ(choices.questions[0].window, form.get());
  EXPECT_EQ(choices.questions[0].text,
            "Колода «MyDeck» уже установлена. Заменить её или добавить новую рядом как "
            "«MyDeck (2)»?");
  EXPECT_EQ(choices.questions[0].answers,
            (std::vector<std::string>{"Заменить", "Добавить рядом", "Отмена"}));
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/a.jpg")), "first a");
  EXPECT_EQ(lists.deckRebuilds, 1);
  EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);

  choices.answer = 1;  // beside
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Колода добавлена");
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck (2)/a.jpg")), "second a");
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/a.jpg")), "first a");
  EXPECT_EQ(lists.deckRebuilds, 2);

  choices.answer = 0;  // replace: the whole deck, nothing of the old one left
  Highlight(dir.Path("home/one"));
  Highlight(dir.Path("home/two/MyDeck"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Колода добавлена");
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/a.jpg")), "second a");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/MyDeck/b.jpg")));
  EXPECT_EQ(testing::ReadAll(dir.Path("Decks/MyDeck/deck.ini")), "[Files]\r\nCard00=a.jpg\r\n");
  EXPECT_EQ(lists.deckRebuilds, 3);
  EXPECT_TRUE(recorded.messages.empty());
}

// Every word of the result comes in the interface language; what the files
// say (a value, a name) stays as it is.
TEST_F(FolderSelectTest, AHostileDecksReportSpeaksTheInterfaceLanguage) {
  dir.Write("home/Evil/deck.ini",
            "[Files]\r\nCard00=a.jpg\r\nCard01=..\\..\\..\\escape1.jpg\r\n"
            "Card02=gone.jpg\r\n");
  dir.Write("home/Evil/a.jpg", "a");
  Open();
  Highlight(dir.Path("home/Evil"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Добавлено, ошибок: 1");
  ASSERT_EQ(recorded.Texts().size(), 1u);
  EXPECT_EQ(recorded.Texts()[0],
            "Колода добавлена. Не скопировано файлов: 1.\n\n"
            "Card01 = ..\\..\\..\\escape1.jpg: ведёт за пределы папки\n\n"
            "Нет картинок, указанных в deck.ini: 2 из 3.");

  languages.LoadFile(
      dir.Write("0x0407.ini",
                "[ID]\r\n1043=Deck hinzugefügt\r\n[Reader]\r\nImportAddedWithFailures=Hinzugefügt, "
                "Fehler: %1\r\nImportFilesNotCopied=Nicht kopiert: %1.\r\nImportLeadsOut=%1: führt "
                "hinaus\r\nImportMissingPictures=Es fehlen %1 von %2 Bildern.\r\n"));
  form->ApplyLanguage();
  Highlight(dir.Path("home"));
  Highlight(dir.Path("home/Evil"));
  choices.answer = 1;
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Hinzugefügt, Fehler: 1");
  ASSERT_EQ(recorded.Texts().size(), 2u);
  EXPECT_EQ(recorded.Texts()[1],
            "Deck hinzugefügt. Nicht kopiert: 1.\n\n"
            "Card01 = ..\\..\\..\\escape1.jpg: führt hinaus\n\n"
            "Es fehlen 2 von 3 Bildern.");
}

TEST_F(FolderSelectTest, ADeckWithoutSomeOfItsPicturesSaysHowManyAreMissing) {
  std::string ini = "[Files]\r\n";
  for (int card = 0; card < 22; ++card) {
    const std::string name = std::to_string(card) + ".jpg";
    ini += "Card" + std::to_string(100 + card).substr(1) + "=" + name + "\r\n";
    if (card < 14) dir.Write("home/Vault/" + name, name);
  }
  dir.Write("home/Vault/deck.ini", ini);
  Open();
  Highlight(dir.Path("home/Vault"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Колода добавлена");
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].kind, MessageKind::kNotice);
  EXPECT_EQ(recorded.messages[0].text,
            "Колода добавлена.\n\nНет картинок, указанных в deck.ini: 8 из 22.");
}

// A folder of pictures named by their cards: its deck.ini is made with the
// names in the interface language, and two pictures of one card are named.
TEST_F(FolderSelectTest, PicturesNamedByTheirCardsAreADeckInTheInterfaceLanguage) {
  ini.Language = "0x0407";
  dir.Write("home/Numbered/00.jpg", "fool");
  dir.Write("home/Numbered/01.webp", "magician");
  dir.Write("home/Numbered/major_arcana/03.png", "empress");
  dir.Write("home/Clash/05.jpg", "one");
  dir.Write("home/Clash/major_arcana/05.png", "other");
  Open();
  Highlight(dir.Path("home/Numbered"));
  ASSERT_TRUE(Offered());
  ClickSelectArea();
  EXPECT_EQ(lists.deckRebuilds, 1);
  EXPECT_EQ(recorded.Texts(),
            std::vector<std::string>{"Колода добавлена.\n\nКарт без картинки: 19 из 22."});
  const IniFile made(dir.Path("Decks/Numbered/deck.ini"));
  EXPECT_EQ(made.ReadString("Names", "Card01", ""), "Der Magier");
  EXPECT_EQ(made.ReadString("Files", "Card03", ""), "major_arcana/03.png");

  Highlight(dir.Path("home/Clash"));
  ASSERT_TRUE(Offered());
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Не добавлено, ошибок: 1");
  ASSERT_EQ(recorded.Texts().size(), 2u);
  EXPECT_EQ(recorded.Texts()[1],
            "Ничего не добавлено.\n\n«05.jpg» и «major_arcana/05.png» — картинки одной и той же "
            "карты: оставьте в папке одну из них");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/Clash")));
}

TEST_F(FolderSelectTest, ASetGetsTheFilesOfEverySectionItLists) {
  dir.Write("home/Set/description.ini",
            "[Sections]\r\nA=\r\nB=\r\n[A]\r\nCard00=a.rtf\r\nCard01=nothing.rtf\r\n"
            "[B]\r\nCard00=b.rtf\r\n[C]\r\nCard00=c.rtf\r\n");
  for (const char* name : {"a.rtf", "b.rtf", "c.rtf"})
    dir.Write(std::string("home/Set/") + name, name);
  Open(FolderMode::kAddDescriptionSet);
  Highlight(dir.Path("home/Set"));
  ASSERT_TRUE(Offered());
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Описание добавлено");
  EXPECT_EQ(testing::ReadAll(dir.Path("Descriptions/Set/a.rtf")), "a.rtf");
  EXPECT_EQ(testing::ReadAll(dir.Path("Descriptions/Set/b.rtf")), "b.rtf");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Descriptions/Set/c.rtf")));
  EXPECT_TRUE(std::filesystem::exists(dir.Path("Descriptions/Set/description.ini")));
  EXPECT_EQ(lists.descriptionRebuilds, 1);
  EXPECT_EQ(lists.deckRebuilds, 0);
}

TEST_F(FolderSelectTest, AnIndexListingNothingCopiesNothingAndSaysNothing) {
  dir.Write("home/Bare/deck.ini", "[Names]\r\nCard00=Fool\r\n");
  Open();
  Highlight(dir.Path("home/Bare"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/Bare")));
  EXPECT_EQ(lists.deckRebuilds, 0);
  EXPECT_TRUE(recorded.messages.empty());
  EXPECT_TRUE(Offered());
}

TEST_F(FolderSelectTest, FilesThatCouldNotBeCopiedAreCountedAndTheFirstReasonShown) {
  dir.Write("home/MyDeck/deck.ini", "[Files]\r\n");
  system.import = [](ImportMode, const std::string&, const std::string&, ImportPlacement,
                     const ImportProgress&, const std::stop_token&, const std::string&) {
    ImportOutcome outcome;
    outcome.added = true;
    outcome.copied = 5;
    outcome.failed = 3;
    outcome.firstFailure = {ImportFailureReason::kLeadsOut, "Card07 = ..\\..\\x"};
    return outcome;
  };
  Open();
  Highlight(dir.Path("home/MyDeck"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Добавлено, ошибок: 3");
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].kind, MessageKind::kFailure);
  EXPECT_EQ(recorded.messages[0].window, form.get());
  EXPECT_NE(recorded.messages[0].text.find("3"), std::string::npos);
  EXPECT_NE(recorded.messages[0].text.find("Card07 = ..\\..\\x: ведёт за пределы папки"),
            std::string::npos);
  EXPECT_EQ(lists.deckRebuilds, 1);
}

TEST_F(FolderSelectTest, AnImportThatAddedNothingSaysSoAndWhy) {
  dir.Write("home/MyDeck/deck.ini", "[Files]\r\n");
  system.import = [](ImportMode, const std::string&, const std::string&, ImportPlacement,
                     const ImportProgress&, const std::stop_token&,
                     const std::string&) -> ImportOutcome {
    throw std::runtime_error("MyDeck: the folder cannot be made: No space left on device");
  };
  Open();
  Highlight(dir.Path("home/MyDeck"));
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Не добавлено, ошибок: 1");
  EXPECT_EQ(recorded.Texts().size(), 1u);
  EXPECT_EQ(recorded.Texts().at(0),
            "Ничего не добавлено.\n\nНепредвиденная ошибка: MyDeck: the folder cannot be made: "
            "No space left on device");
  EXPECT_EQ(lists.deckRebuilds, 0);
  // The result's click brings the prompt back.
  ClickSelectArea();
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
}

// The copy runs on a thread of its own: the window answers meanwhile, shows
// the progress, starts no second import, and the result arrives after.
TEST_F(FolderSelectTest, ALongCopyShowsItsProgressAndTakesNoSecondClick) {
  dir.Write("home/Big/deck.ini", "[Files]\r\n");
  dir.MakeDir("home/Other");
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> imports{0};
  system.import = [&imports, released](ImportMode, const std::string&, const std::string&,
                                       ImportPlacement, const ImportProgress& progress,
                                       const std::stop_token&, const std::string&) {
    ++imports;
    progress(0, 78);
    progress(12, 78);
    released.wait();
    progress(78, 78);
    ImportOutcome outcome;
    outcome.added = true;
    outcome.copied = 78;
    return outcome;
  };
  Open();
  Highlight(dir.Path("home/Big"));
  testing::Click(SelectArea());
  ASSERT_TRUE(ProcessEventsUntil([this] { return Caption() == "12 / 78"; }));
  EXPECT_TRUE(form->Importing());
  EXPECT_EQ(form->cursor().shape(), Qt::BusyCursor);
  testing::Click(SelectArea());
  Highlight(dir.Path("home/Other"));  // the progress stays in view
  EXPECT_EQ(Caption(), "12 / 78");
  EXPECT_TRUE(Offered());
  release.set_value();
  ASSERT_TRUE(ProcessEventsUntil([this] { return !form->Importing(); }));
  EXPECT_EQ(imports, 1);
  EXPECT_EQ(Caption(), "Колода добавлена");
  EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
  // Highlighting another folder now brings back the prompt, and hides it
  // for a folder that offers nothing.
  Highlight(dir.Path("home/Big"));
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
  Highlight(dir.Path("home/Other"));
  EXPECT_FALSE(Offered());
}

// After a result, another folder's caption waits for that folder's check:
// a click meanwhile imports nothing.
TEST_F(FolderSelectTest, AfterAResultAClickBeforeTheNextCheckAnswersImportsNothing) {
  WriteDeckFolder("home/MyDeck", {"a.jpg"});
  WriteDeckFolder("home/Other", {"b.jpg"});
  Open();
  Highlight(dir.Path("home/MyDeck"));
  ClickSelectArea();
  ASSERT_EQ(Caption(), "Колода добавлена");
  Tree()->setCurrentIndex(IndexOf(dir.Path("home/Other")));
  EXPECT_FALSE(Offered());  // hidden until the check answers
  testing::Click(SelectArea());
  Settle();
  EXPECT_FALSE(std::filesystem::exists(dir.Path("Decks/Other")));
  EXPECT_TRUE(Offered());
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
}

TEST_F(FolderSelectTest, TheProgramsEndStopsACopyInProgress) {
  dir.Write("home/Big/deck.ini", "[Files]\r\n");
  std::atomic<bool> started{false};
  std::atomic<bool> sawStop{false};
  system.import = [&](ImportMode, const std::string&, const std::string&, ImportPlacement,
                      const ImportProgress&, const std::stop_token& stop, const std::string&) {
    started = true;
    while (!stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sawStop = true;
    ImportOutcome outcome;
    outcome.stopped = true;
    return outcome;
  };
  Open();
  Highlight(dir.Path("home/Big"));
  testing::Click(SelectArea());
  ASSERT_TRUE(ProcessEventsUntil([&] { return started.load(); }));
  form.reset();  // waits for the copy, which stops
  EXPECT_TRUE(sawStop);
}

// The check whether a folder offers an import may wait for a disk: the
// window goes on meanwhile, and only the newest check's answer counts.
TEST_F(FolderSelectTest, ASlowCheckHoldsNothingUpAndALateAnswerIsIgnored) {
  dir.MakeDir("home/slow");
  dir.MakeDir("home/fast");
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  system.offers = [released](ImportMode, const std::string& folder, const std::string&) {
    if (folder.ends_with("slow")) {
      released.wait();
      return true;
    }
    return folder.ends_with("fast");
  };
  Open();
  Highlight(dir.Path("home/slow"));
  EXPECT_FALSE(Offered());  // asked, not answered
  Highlight(dir.Path("home/fast"));
  EXPECT_TRUE(Offered());
  Highlight(dir.Path("home"));
  EXPECT_FALSE(Offered());
  release.set_value();
  Settle();
  EXPECT_FALSE(Offered()) << "the slow folder's late answer counted";
}

TEST_F(FolderSelectTest, TheFoldersAreListedOffTheWindowsThread) {
  for (int i = 0; i < 3000; ++i) dir.MakeDir("home/f" + std::to_string(i));
  dir.Write("home/f1/not-a-folder.txt", "x");
  Open();
  QFileSystemModel* model = Folders();
  const QModelIndex home = IndexOf(system.home);
  Tree()->expand(home);
  // Nothing is listed while the window's thread opens it: the rows come as
  // answers from Qt's own thread.
  EXPECT_LT(model->rowCount(home), 3000);
  ASSERT_TRUE(ProcessEventsUntil([&] { return model->rowCount(home) == 3000; }));
  const QModelIndex f1 = IndexOf(dir.Path("home/f1"));
  Tree()->expand(f1);
  Settle();
  EXPECT_EQ(model->rowCount(f1), 0);  // folders only
}

// The strips are 161 pixels wide: a longer title or prompt is cut in the
// middle, whole in the hint, and stays clear of the close image.
TEST_F(FolderSelectTest, TextsWiderThanTheirStripAreCutInTheMiddleWithTheWholeInTheHint) {
  dir.Write("home/Set/description.ini", "[Sections]\r\n");
  languages.LoadFile(dir.Write("0x0407.ini",
                               "[ID]\r\n1040=Beschreibung hinzufügen...\r\n"
                               "1042=Ordner mit der Beschreibung wählen\r\n"));
  Open(FolderMode::kAddDescriptionSet);
  Highlight(dir.Path("home/Set"));
  ASSERT_TRUE(Offered());
  auto* title = Control<TCaptionLabel>(*form, "Label4");
  auto* closeImage = Control<TSkinImage>(*form, "ButtonCloseImage");
  auto* caption = Control<TCaptionLabel>(*form, "Label2");
  auto* shadow = Control<TCaptionLabel>(*form, "Label1");
  const QString prompt = QString::fromUtf8("Ordner mit der Beschreibung wählen");
  ASSERT_GT(caption->fontMetrics().horizontalAdvance(prompt), 159);
  EXPECT_GE(caption->x(), 0);
  EXPECT_LE(shadow->geometry().right(), 160);
  EXPECT_TRUE(caption->text().startsWith("Ordner")) << caption->text().toStdString();
  EXPECT_TRUE(caption->text().endsWith(QString::fromUtf8("wählen")));
  EXPECT_TRUE(caption->text().contains(QChar(0x2026)));
  EXPECT_NE(caption->toolTip().indexOf("Beschreibung"), -1);
  EXPECT_NE(SelectArea()->toolTip().indexOf("Beschreibung"), -1);
  EXPECT_LE(title->geometry().right(), closeImage->x());
  EXPECT_NE(title->toolTip().indexOf(QString::fromUtf8("hinzufügen")), -1);

  // A text that fits is whole, without a hint.
  languages.LoadFile(dir.Write("0x0409.ini", "[ID]\r\n1039=Add\r\n1041=A deck\r\n"));
  Open(FolderMode::kAddDeck);
  EXPECT_EQ(caption->text().toStdString(), "A deck");
  EXPECT_TRUE(caption->toolTip().isEmpty());
  EXPECT_TRUE(SelectArea()->toolTip().isEmpty());
  EXPECT_EQ(title->text().toStdString(), "Add");
  EXPECT_TRUE(title->toolTip().isEmpty());
}

TEST_F(FolderSelectTest, TheTreeShowsFolderIconsAndKeepsADeepHighlightedRowInViewAcross) {
  std::string deep = "home";
  for (int level = 0; level < 12; ++level) deep += "/level" + std::to_string(level);
  dir.Write(deep + "/Deep Deck With A Long Name/deck.ini", "[Files]\r\nCard00=a.jpg\r\n");
  dir.Write(deep + "/Deep Deck With A Long Name/a.jpg", "a");
  Open();
  const std::string folder = dir.Path(deep + "/Deep Deck With A Long Name");
  // Unfolded down to it, as the user would have.
  for (QModelIndex parent = IndexOf(folder).parent(); parent.isValid(); parent = parent.parent()) {
    Tree()->expand(parent);
  }
  Settle();
  Tree()->horizontalScrollBar()->setValue(0);
  Highlight(folder);
  ASSERT_FALSE(Tree()->visualRect(IndexOf(folder)).isEmpty());
  const QRect row = Tree()->visualRect(IndexOf(folder));
  EXPECT_GE(row.left(), 0);
  EXPECT_LT(row.left(), Tree()->viewport()->width() / 2);
  EXPECT_FALSE(Folders()->data(IndexOf(folder), Qt::DecorationRole).value<QIcon>().isNull());

  // Enter imports the highlighted folder, as the select area's click does.
  testing::PressKey(Tree(), Qt::Key_Return, Qt::NoModifier);
  testing::ReleaseKey(Tree(), Qt::Key_Return);
  ASSERT_TRUE(ProcessEventsUntil([this] { return Caption() == "Колода добавлена"; }));
  EXPECT_TRUE(std::filesystem::exists(dir.Path("Decks/Deep Deck With A Long Name/a.jpg")));
  // The release of an Enter pressed elsewhere (in the message box it
  // closed) does nothing.
  testing::PressKeyInAnotherWindow(Qt::Key_Return);
  testing::ReleaseKey(Tree(), Qt::Key_Return);
  EXPECT_EQ(Caption(), "Колода добавлена");
  // Space, as a second click: the prompt comes back.
  testing::PressKey(Tree(), Qt::Key_Space, Qt::NoModifier);
  testing::ReleaseKey(Tree(), Qt::Key_Space);
  EXPECT_EQ(Caption(), "Выбрать каталог с колодой");
}

TEST_F(FolderSelectTest, EscAndTheCloseImageOnlyHideAndTheIconShowsTheMainWindow) {
  dir.Write("home/MyDeck/deck.ini", "[Files]\r\n");
  Open();
  Highlight(dir.Path("home/MyDeck"));
  testing::Click(Control<TSkinImage>(*form, "Image1"));
  EXPECT_EQ(main.shown, 1);
  // The release of an Esc pressed elsewhere (in a message box it closed)
  // does nothing.
  testing::PressKeyInAnotherWindow(Qt::Key_Escape);
  testing::ReleaseKey(Tree(), Qt::Key_Escape);
  EXPECT_FALSE(form->isHidden());
  testing::PressKey(Tree(), Qt::Key_Escape, Qt::NoModifier);
  testing::ReleaseKey(Tree(), Qt::Key_Escape);
  EXPECT_TRUE(form->isHidden());
  Open();
  testing::Click(Control<TSkinImage>(*form, "ButtonCloseImage"));
  EXPECT_TRUE(form->isHidden());
  Open();
  form->close();
  EXPECT_TRUE(form->isHidden());
  // The highlighted folder is kept for the next opening.
  Open();
  EXPECT_EQ(Highlighted(), dir.Path("home/MyDeck"));
  Settle();
  EXPECT_TRUE(Offered());
}

TEST_F(FolderSelectTest, ARightClickHighlightsTheFolderUnderThePointer) {
  dir.MakeDir("home/a");
  Open();
  QFileSystemModel* model = Folders();
  const QModelIndex home = IndexOf(system.home);
  Tree()->expand(home);
  ASSERT_TRUE(ProcessEventsUntil([&] { return model->rowCount(home) == 1; }));
  const QModelIndex a = model->index(0, 0, home);
  Tree()->scrollTo(a);
  const QRect row = Tree()->visualRect(a);
  ASSERT_TRUE(row.isValid());
  emit Tree()->customContextMenuRequested(row.center());
  EXPECT_EQ(Highlighted(), dir.Path("home/a"));
}

}  // namespace
}  // namespace vaticor
