#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/file_type_registration.h"
#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "languages/language_table.h"
#include "languages/locale_info.h"
#include "library/picture_cache.h"
#include "library/picture_loader.h"
#include "library/picture_workers.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QTimer;
class QTranslator;
class QWidget;

namespace vaticor {

class TVaticorForm;
class TAboutForm;
class TQuestionLogForm;
class TQuestionForm;
class TFolderSelectForm;
class TSpreadsForm;
class TJournalForm;
class TGalleryForm;
class TReadingEntryForm;
class DayCardKeeper;
class SqliteJournal;
class JournalFileCommands;
class LanguageSupport;
struct LanguageOutcome;

// What the program takes from the system; the real desktop in main(), fakes
// in tests.
struct SystemServices {
  const ScreenInfo& screen;
  PictureLoader& pictures;
  const LocaleInfo& locale;
  FileTypeRegistrar& fileTypes;
  const Clock& clock;
  ShellOpener& shell;
  // Display-size copies of the decks' pictures, made in the background
  // after a deck is selected; none: pictures are always decoded from their
  // files. `pictures` reads the copies.
  CachedPictureLoader* pictureCache = nullptr;
};

// The running program: its single instances and windows, built in start-up
// order by the constructor.
class Program : public LanguageMenuLink,
                public InstalledListsLink,
                public JournalWindowLink,
                public DayCardLink,
                public GalleryWindowLink,
                public ReadingEntryLink {
 public:
  // Fixes the application folders from the program file's path, removes the
  // temporary files a killed run left beside the settings file and the
  // reading log, reads the settings, forms the system language code.
  Program(const std::string& programPath, const SystemServices& system);
  ~Program() override;

  // Sets the application title, creates the main window, applies the
  // interface language (the user's own, then the one the settings name) and
  // builds the language submenu.
  void CreateMainWindow();
  // Registers the spread file type, creates the other windows in order, in
  // the language shown, and hands them to the main window; once only. The
  // main window has it done when it first needs one of them.
  void CreateOtherWindows();
  // Both, as a start with nothing to wait for does.
  void CreateWindows();
  // Shows the main window; the other windows follow its first paint, unless
  // one of them is to show with it (the question window).
  void ShowMainWindow();
  // A language chosen from the main window's language submenu.
  void ChooseLanguage(int position) override;
  // Open-format decks read again in the interface language, when it
  // changed.
  void FollowLanguageInDecks();
  // After an import: the list read again, the deck (set) in use kept.
  void RebuildDeckMenu() override { content_.ReloadDecks(); }
  void RebuildDescriptionMenu() override { content_.ReloadDescriptionSets(); }
  // The journal window, made at its first showing; the journal opened
  // first when that has not happened yet.
  void ShowJournal() override;
  // The journal window shown as ShowJournal, that entry chosen.
  void ShowJournalEntry(std::int64_t id) override;
  // The card gallery, made at its first showing (the journal opened first
  // when that has not happened yet, for its counts and meanings).
  void ShowGallery() override;
  // Today's card in the main window (the journal opened first when that
  // has not happened yet, so that the card is found or recorded there).
  void ShowDayCard() override;
  // The dialog of a reading laid with a physical deck, made at its first
  // showing (the journal opened first, where the reading is recorded).
  void EnterReading(const std::string& spreadPath) override;
  const LanguageSupport& Languages() const { return *languageSupport_; }
  // Looks at the first program argument; returns true when the main window
  // is to be shown (no spread file was named). A spread file has every
  // window made and opens in the spreads window.
  bool HandleCommandLine(const std::vector<std::string>& arguments);

  TINIData& INIData() { return iniData_; }
  TTaroDecks& TaroDecks() { return decks_; }
  TTaroDescriptions& TaroDescriptions() { return descriptions_; }
  TCardsSpreadGenerator& SpreadPicker() { return picker_; }
  const std::string& SystemLanguage() const { return state_.SystemLanguage; }
  ProgramState& State() { return state_; }
  TVaticorForm* VaticorForm() const { return vaticorForm_.get(); }
  TAboutForm* AboutForm() const { return aboutForm_.get(); }
  TQuestionLogForm* QuestionLogForm() const { return questionLogForm_.get(); }
  TQuestionForm* QuestionForm() const { return questionForm_.get(); }
  // The windows in creation order (main window first).
  std::vector<QWidget*> Windows() const;
  QWidget* SpreadsForm() const;

 private:
  // Shows a language call's messages and, when the texts changed, puts them
  // into every window, the application's name and Qt's own texts.
  void ShowLanguageOutcome(const LanguageOutcome& outcome);
  void ApplyLanguageTable();
  // The language submenu's items and the one checked.
  void ShowLanguageItems();
  // The language table into every window but the main window.
  void ApplyLanguageToOtherWindows();
  // Qt's own texts (file dialogs, message-box buttons) in the language shown
  // now (LanguageSupport::LanguageId), where Qt ships a translation for it
  // ("qtbase_ru.qm" in Qt's translations folder); English otherwise.
  void InstallQtTranslation();
  // Has the current deck's copies made once the program is idle: a moment
  // after the last selection, so choosing decks in a row makes none for
  // those passed over.
  void FillPictureCacheSoon();
  // Opens the journal (after the first paint of `window`, over which its
  // messages show) and hands it to the keeper; once a run.
  void OpenJournal(QWidget* window);
  void FillPictureCache();

  const SystemServices system_;
  TINIData iniData_;
  RandomGenerator random_;
  TTaroDecks decks_;
  TTaroDescriptions descriptions_;
  TCardsSpreadGenerator picker_;
  TLanguageTable languages_;
  PictureWorkers pictureWork_;
  ContentSelection content_;
  ContentSignals contentChanges_;
  JournalKeeper journal_;
  std::unique_ptr<LocalClock> localClock_;
  std::unique_ptr<QTimer> cacheFill_;
  std::uint64_t cacheFillGeneration_ = 0;
  ProgramState state_;
  std::unique_ptr<TVaticorForm> vaticorForm_;
  std::unique_ptr<TAboutForm> aboutForm_;
  std::unique_ptr<TQuestionLogForm> questionLogForm_;
  std::unique_ptr<TQuestionForm> questionForm_;
  std::unique_ptr<TFolderSelectForm> folderSelectForm_;
  std::unique_ptr<TSpreadsForm> spreadsForm_;
  std::unique_ptr<TJournalForm> journalForm_;
  std::unique_ptr<TGalleryForm> galleryForm_;
  std::unique_ptr<TReadingEntryForm> readingEntryForm_;
  std::unique_ptr<DayCardKeeper> dayCards_;
  SqliteJournal* sqliteJournal_ = nullptr;       // the keeper's store, when open
  JournalFileCommands* journalFiles_ = nullptr;  // a child of the journal window
  std::unique_ptr<LanguageSupport> languageSupport_;
  std::unique_ptr<QTranslator> qtTranslator_;
  // A language table has been put into the windows there were.
  bool textsApplied_ = false;
  bool fileTypeRegistered_ = false;
  bool otherWindowsMade_ = false;
  bool journalTried_ = false;
};

// main(): runs the program on the real desktop.
int RunVaticor(int argc, char** argv);

}  // namespace vaticor
