#include "app/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "app/journal_files.h"
#include "app/journal_opening.h"
#include "app/start_environment.h"
#include "core/command_line.h"
#include "core/file_io.h"
#include "languages/language_support.h"
#include "library/open_deck.h"
#include "library/reading_log.h"
#include "platform/codecs/jpeg_picture_codec.h"
#include "platform/desktop_shell.h"
#include "platform/file_picture_loader.h"
#include "platform/font_warmup.h"
#include "platform/freedesktop_registrar.h"
#include "platform/icu_locale.h"
#include "platform/locale_date_time.h"
#include "platform/qt_screen.h"
#include "platform/sqlite_journal.h"
#include "skin_resources.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/startup_probe.h"
#include "ui/chrome/window_showing.h"
#include "ui/day_card_keeper.h"
#include "ui/gallery/gallery_form.h"
#include "ui/import/folder_select_form.h"
#include "ui/journal/journal_form.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_form.h"
#include "ui/questions/question_log_form.h"
#include "ui/reading_entry/reading_entry_form.h"
#include "ui/spreads/deck_groups_form.h"
#include "ui/spreads/spreads_form.h"
#include "ui/viewer/about_form.h"

namespace vaticor {

namespace {

// A variable of the environment; empty when unset.
std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Where the reading log is: its name alone (the working directory) in the
// portable folder.
std::string ReadingLogPath(const TINIData& data) {
  return JoinPath(data.ReadingLogFolder, kReadingLogFileName);
}

TINIData OpenProgramSettings(const std::string& programPath, const ScreenInfo& screen) {
  TINIData data;
  const ProgramFolders folders = FindProgramFolders(
      programPath, {EnvironmentValue("XDG_CONFIG_HOME"), EnvironmentValue("XDG_DATA_HOME"),
                    EnvironmentValue("HOME")});
  // A folder that cannot be made is met again by the write that needs it,
  // which says so then.
  PrepareUserFolders(folders);
  SetApplicationFolders(data, folders);
  // A run killed while saving leaves its temporary file beside the settings
  // or the reading log; up to tens of megabytes each, and nothing else would
  // ever remove them.
  const auto now = std::chrono::system_clock::now();
  RemoveStaleTemporaryFiles(data.SettingsFolder, kSettingsFileName, now);
  RemoveStaleTemporaryFiles(data.ReadingLogFolder, kReadingLogFileName, now);
  OpenSettings(data, JoinPath(data.SettingsFolder, kSettingsFileName), screen);
  return data;
}

// Shows the message of a failure raised inside any user event; the command
// is abandoned and the program goes on.
// The last net under every event: commands catch their own failures
// (ui/chrome/commands.h); one that escapes them still shows its message and
// the program goes on.
class VaticorApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      ShowFailure(activeWindow(), FailureMessage(error));
    }
    return false;
  }
};

}  // namespace

Program::Program(const std::string& programPath, const SystemServices& system)
    : system_(system),
      iniData_(OpenProgramSettings(programPath, system.screen)),
      random_(system.clock),
      decks_(iniData_.DecksFolder, system.pictures),
      descriptions_(iniData_.DescriptionsFolder),
      picker_(random_),
      pictureWork_(system.pictures, PictureWorkers::DefaultThreads()),
      content_(iniData_, decks_, descriptions_, picker_, random_),
      contentChanges_(content_),
      state_{iniData_,
             decks_,
             descriptions_,
             picker_,
             random_,
             system.screen,
             languages_,
             system.shell,
             pictureWork_,
             content_,
             contentChanges_,
             journal_,
             SystemLanguageCode(system.locale)},
      languageSupport_(std::make_unique<LanguageSupport>(
          languages_, iniData_.Language, iniData_.LanguagesFolder, UserLanguageId(system.locale))) {
  localClock_ = std::make_unique<SystemLocalClock>();
  dayCards_ = std::make_unique<DayCardKeeper>(state_, *localClock_);
  if (system_.pictureCache) decks_.OnDeckSelected([this] { FillPictureCacheSoon(); });
  // Failures read in the interface language, as everything else does.
  SetFailureWording(
      [this](const UserFailure& failure) { return FailureText(languages_, failure); });
}

Program::~Program() {
  // What was typed in the journal window and not yet saved.
  if (journalForm_) journalForm_->SaveEdits();
  if (galleryForm_) galleryForm_->SaveEdits();
  SetFailureWording(nullptr);
  decks_.OnDeckSelected(nullptr);
  // A copy being made is finished; the rest are not begun.
  pictureWork_.CancelBackground();
}

void Program::FillPictureCacheSoon() {
  if (!cacheFill_) {
    // Long enough for the main window to be up and a draw to be made.
    constexpr int kIdleDelayMs = 500;
    cacheFill_ = std::make_unique<QTimer>();
    cacheFill_->setSingleShot(true);
    cacheFill_->setInterval(kIdleDelayMs);
    QObject::connect(cacheFill_.get(), &QTimer::timeout, [this] { FillPictureCache(); });
  }
  pictureWork_.CancelBackground();
  cacheFill_->start();
}

void Program::FillPictureCache() {
  CachedPictureLoader* cache = system_.pictureCache;
  if (!cache) return;
  // Copies for the screen's device pixels: what the largest card shows.
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  const PictureSize screen{qRound(system_.screen.Width() * ratio),
                           qRound(system_.screen.Height() * ratio)};
  const std::uint64_t generation = ++cacheFillGeneration_;
  try {
    for (PictureFile& file : decks_.GetCardPictureFiles()) {
      pictureWork_.SubmitBackground(generation, [cache, file = std::move(file), screen] {
        const PictureFile chosen = PictureForHeight(file, screen.height);
        cache->Fill(chosen.path, chosen.format, screen);
      });
    }
  } catch (const std::exception&) {
    // A deck that cannot be listed now is shown from its files.
  }
}

void Program::CreateWindows() {
  CreateMainWindow();
  CreateOtherWindows();
}

void Program::CreateMainWindow() {
  // The program ends when its main window closes, and only then: that is
  // where the settings are written. A window hidden or closed last (a card
  // window, the viewer over a main window hidden in the tray) ends nothing.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setApplicationDisplayName("Vaticor");

  // The decks and description sets, as the settings chose them; decks of
  // the open format come from the desktop's shared deck folders, named in
  // the interface language.
  decks_.SetOpenDeckRoots(OpenDeckLibraryRoots(EnvironmentValue("XDG_DATA_HOME"),
                                               EnvironmentValue("HOME"),
                                               EnvironmentValue("XDG_DATA_DIRS")));
  decks_.SetLanguage(QtLocaleNameFor(languageSupport_->LanguageId()));
  decks_.SetSharedDecksFolder(iniData_.SharedDecksFolder);
  descriptions_.SetSharedFolder(iniData_.SharedDescriptionsFolder);
  content_.Load();
  vaticorForm_ = std::make_unique<TVaticorForm>(state_);
  FollowContent(contentChanges_, vaticorForm_.get(), *vaticorForm_);
  // Whatever reaches another window before they are made has them made.
  vaticorForm_->WhenWindowsNeeded([this] { CreateOtherWindows(); });

  // The interface language: the user's own, then the one the settings name,
  // and the language submenu. The built-in Russian has no table to apply at
  // start, but Qt's own texts (the file dialogs, the buttons of the message
  // boxes) are to be Russian too. Windows made later take the texts then.
  const LanguageOutcome outcome = languageSupport_->StartUp();
  if (!outcome.textsChanged) InstallQtTranslation();
  ShowLanguageOutcome(outcome);
  ShowLanguageItems();
  FollowLanguageInDecks();
  // A first start shows the deck and the descriptions of the language shown.
  content_.ChooseInLanguage(QtLocaleNameFor(languageSupport_->LanguageId()));
}

void Program::CreateOtherWindows() {
  if (otherWindowsMade_) return;
  // An installed program's menu entry, file type and icons are the
  // package's, for every user.
  if (!fileTypeRegistered_ && !iniData_.Installed) {
    // On a thread of its own, reading every MIME package of the system:
    // after the main window's first paint, not beside it.
    fileTypeRegistered_ = true;
    system_.fileTypes.RegisterSpreadFileType();
  }
  // The windows in order, each created whole before the next; the main
  // window is handed them once they all stand, in the language shown.
  TVaticorForm* main = vaticorForm_.get();
  try {
    aboutForm_ = std::make_unique<TAboutForm>(state_, system_.pictures, *main);
    questionLogForm_ = std::make_unique<TQuestionLogForm>(
        state_, *main, LogWindowSetup{.path = ReadingLogPath(iniData_), .readInBackground = true});
    questionForm_ = std::make_unique<TQuestionForm>(state_, *main, *questionLogForm_);
    questionLogForm_->SetQuestionWindow(questionForm_.get());
    folderSelectForm_ = std::make_unique<TFolderSelectForm>(state_, *main, *this);
    // The spreads window creates the deck-groups window with it.
    spreadsForm_ = std::make_unique<TSpreadsForm>(
        state_, SpreadsWindowLinks{*main, *aboutForm_, *questionForm_, *main, main->Face(), *this});
    FollowContent(contentChanges_, aboutForm_.get(), *aboutForm_);
    FollowContent(contentChanges_, spreadsForm_.get(), *spreadsForm_);
    if (textsApplied_) ApplyLanguageToOtherWindows();
  } catch (...) {
    // None is left half made: the command that needed them shows the
    // failure, and the next need tries again.
    spreadsForm_.reset();
    folderSelectForm_.reset();
    questionForm_.reset();
    questionLogForm_.reset();
    aboutForm_.reset();
    throw;
  }
  main->ConnectWindows(WindowLinks{*aboutForm_, *questionLogForm_, *questionForm_, *spreadsForm_,
                                   *folderSelectForm_, *this, *this, *this, *this, *this});
  otherWindowsMade_ = true;
}

void Program::ShowMainWindow() {
  // The question window, shown with the main window, moves the main window
  // up out of its way before it is shown.
  if (iniData_.QuestionFormEnabled) CreateOtherWindows();
  TVaticorForm* main = vaticorForm_.get();
  AfterFirstPaint(main, [this, main] {
    if (!otherWindowsMade_) RunCommand(main, [this] { CreateOtherWindows(); });
    OpenJournal(main);
    // Once the journal is open, where the day's card may be already.
    RunCommand(main, [this, main] { dayCards_->ShowAtStart(*main, main); });
  });
  vaticorForm_->show();
}

void Program::ChooseLanguage(int position) {
  ShowLanguageOutcome(position == 0 ? languageSupport_->ChooseRussian()
                                    : languageSupport_->Choose(position - 1));
  ShowLanguageItems();
  FollowLanguageInDecks();
}

void Program::FollowLanguageInDecks() {
  const std::string language = QtLocaleNameFor(languageSupport_->LanguageId());
  if (language == decks_.Language()) return;
  decks_.SetLanguage(language);
  // Open-format decks name their cards, and the menu says why a deck
  // cannot be used, in the language now shown.
  if (!decks_.Unusable.empty() ||
      std::any_of(decks_.Folders.begin(), decks_.Folders.end(), TTaroDecks::IsOpenDeck)) {
    content_.ReloadDecks();
  }
}

void Program::ShowLanguageItems() {
  std::vector<std::string> captions;
  for (const LanguageMenuEntry& entry : languageSupport_->MenuEntries()) {
    captions.push_back(entry.caption);
  }
  vaticorForm_->ShowLanguages(captions, languageSupport_->CheckedPosition());
}

void Program::ShowLanguageOutcome(const LanguageOutcome& outcome) {
  // The texts first, so that the message boxes' buttons speak the language.
  if (outcome.textsChanged) ApplyLanguageTable();
  for (const std::string& message : outcome.messages) {
    ShowNotice(vaticorForm_.get(), QString::fromStdString(message));
  }
}

void Program::ApplyLanguageTable() {
  QGuiApplication::setApplicationDisplayName(QString::fromStdString(languageSupport_->Title()));
  InstallQtTranslation();
  textsApplied_ = true;
  vaticorForm_->ApplyLanguage();
  if (otherWindowsMade_) ApplyLanguageToOtherWindows();
}

void Program::ApplyLanguageToOtherWindows() {
  aboutForm_->ApplyLanguage();
  questionLogForm_->ApplyLanguage();
  questionForm_->ApplyLanguage();
  folderSelectForm_->ApplyLanguage();
  spreadsForm_->ApplyLanguage();
  if (journalForm_) journalForm_->ApplyLanguage();
  if (galleryForm_) galleryForm_->ApplyLanguage();
  if (readingEntryForm_) readingEntryForm_->ApplyLanguage();
  if (journalFiles_) journalFiles_->ApplyLanguage();
}

void Program::InstallQtTranslation() {
  if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
  qtTranslator_.reset();
  const std::string qtName = QtLocaleNameFor(languageSupport_->LanguageId());
  if (!qtName.empty()) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + QString::fromStdString(qtName),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(translator.get());
      qtTranslator_ = std::move(translator);
    }
  }
}

bool Program::HandleCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty() || !IsSpreadFileArgument(arguments.front())) return true;
  // The spreads window is the face of the program: the tray icon shows and
  // hides it, not the hidden main window.
  CreateOtherWindows();
  TSpreadsForm* spreads = spreadsForm_.get();
  vaticorForm_->Face().ShowSpreadsAsFace();
  const std::string path = arguments.front();
  RunCommand(spreads, [spreads, &path] { spreads->LoadSpread(path); });
  AfterFirstPaint(spreads, [this, spreads] { OpenJournal(spreads); });
  return false;
}

void Program::OpenJournal(QWidget* window) {
  if (journalTried_) return;
  journalTried_ = true;
  const LocaleDateTimeFormat logFormat;
  std::unique_ptr<SqliteJournal> store = OpenProgramJournal(
      {iniData_, ReadingLogPath(iniData_), logFormat, decks_, languages_}, window);
  sqliteJournal_ = store.get();
  if (!store) return;
  store->ShareLogOnlyWhenIdle();
  journal_.Attach(std::move(store));
}

void Program::ShowJournal() {
  OpenJournal(vaticorForm_.get());
  if (!journalForm_) {
    CreateOtherWindows();
    TVaticorForm* main = vaticorForm_.get();
    journalForm_ = std::make_unique<TJournalForm>(
        state_, JournalWindowLinks{*main, *spreadsForm_, *questionForm_, *aboutForm_});
    if (sqliteJournal_) {
      journalFiles_ = new JournalFileCommands(*journalForm_, journal_, *sqliteJournal_, languages_);
    }
    if (textsApplied_) journalForm_->ApplyLanguage();
  }
  journalForm_->ShowJournal();
}

void Program::ShowJournalEntry(std::int64_t id) {
  ShowJournal();
  journalForm_->ShowJournalEntry(id);
}

void Program::ShowGallery() {
  OpenJournal(vaticorForm_.get());
  if (!galleryForm_) {
    CreateOtherWindows();
    galleryForm_ = std::make_unique<TGalleryForm>(
        state_, GalleryWindowLinks{*vaticorForm_, *aboutForm_, *this});
    FollowContent(contentChanges_, galleryForm_.get(), *galleryForm_);
    if (textsApplied_) galleryForm_->ApplyLanguage();
  }
  galleryForm_->ShowGallery();
}

void Program::EnterReading(const std::string& spreadPath) {
  TVaticorForm* main = vaticorForm_.get();
  OpenJournal(main);
  if (!readingEntryForm_) {
    CreateOtherWindows();
    readingEntryForm_ = std::make_unique<TReadingEntryForm>(
        state_, JournalWindowLinks{*main, *spreadsForm_, *questionForm_, *aboutForm_});
    if (textsApplied_) readingEntryForm_->ApplyLanguage();
  }
  readingEntryForm_->Enter(spreadPath);
}

void Program::ShowDayCard() {
  TVaticorForm* main = vaticorForm_.get();
  OpenJournal(main);
  dayCards_->Show(*main, main);
}

std::vector<QWidget*> Program::Windows() const {
  std::vector<QWidget*> windows;
  for (QWidget* window : std::initializer_list<QWidget*>{
           vaticorForm_.get(), aboutForm_.get(), questionLogForm_.get(), questionForm_.get()}) {
    if (window) windows.push_back(window);
  }
  if (folderSelectForm_) windows.push_back(folderSelectForm_.get());
  if (journalForm_) windows.push_back(journalForm_.get());
  if (galleryForm_) windows.push_back(galleryForm_.get());
  if (readingEntryForm_) windows.push_back(readingEntryForm_.get());
  if (spreadsForm_) {
    windows.push_back(spreadsForm_.get());
    windows.push_back(spreadsForm_->DeckGroupsWindow());
  }
  return windows;
}

QWidget* Program::SpreadsForm() const { return spreadsForm_.get(); }

int RunVaticor(int argc, char** argv) {
  if (!PrepareStartEnvironment()) return 1;
  // Beside Qt's own start, which leaves the second core idle.
  const std::jthread fontConfiguration = StartFontConfigurationLoad();
  std::optional<WindowSystemMessages> held(std::in_place);
  VaticorApplication application(argc, argv);
  held.reset();
  const std::jthread fontDatabase = StartFontDatabaseLoad();
  InitSkinResources();
  // Menus in the skin's colours: navy and gold on a light sky blue.
  application.setStyleSheet(
      "QMenu { background: #eef4fc; color: #0f1d3a; border: 1px solid #1b2b4f; padding: 2px; }"
      "QMenu::item { padding: 3px 22px 3px 24px; }"
      "QMenu::item:selected { background: #23407a; color: white; }"
      "QMenu::item:disabled { color: #8a96aa; }"
      "QMenu::separator { height: 1px; background: #c9a94e; margin: 3px 6px; }"
      "QToolTip { background: #fdf6e3; color: #0f1d3a; border: 1px solid #1b2b4f; }");
  QtScreen screen;
  FilePictureLoader pictureFiles;
  JpegPictureCodec pictureCodec;
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  CachedPictureLoader pictures(pictureFiles, pictureCodec,
                               PictureCacheFolder(cacheHome ? cacheHome : "", home ? home : ""));
  IcuLocale locale;
  FreedesktopRegistrar desktopFileTypes(QCoreApplication::applicationFilePath().toStdString(),
                                        FreedesktopRegistrar::FoldersFromEnvironment());
  RegistrationInBackground fileTypes(desktopFileTypes);
  SystemClock clock;
  DesktopShell shell;
  const SystemServices system{screen, pictures, locale, fileTypes, clock, shell, &pictures};

  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  try {
    Program program(QCoreApplication::applicationFilePath().toStdString(), system);
    program.CreateMainWindow();
    // The start-up benchmark's probe, which also waits for the reading log.
    ProbeStartup(*program.VaticorForm(), [&program] {
      program.CreateOtherWindows();
      program.QuestionLogForm()->FinishReading();
    });
    if (program.HandleCommandLine(arguments)) program.ShowMainWindow();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Vaticor", QString::fromUtf8(error.what()));
    return 1;
  }
}

}  // namespace vaticor
