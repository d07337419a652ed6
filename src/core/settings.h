#pragma once

#include <cstdint>
#include <string>

#include "core/ini_file.h"
#include "core/program_folders.h"
#include "core/screen.h"

namespace vaticor {

inline constexpr const char* kSettingsFileName = "Quorlin.ini";
inline constexpr const char* kSettingsSection = "Vaticor Settings";
inline constexpr const char* kFormSection = "Form Settings";

// The settings record: the settings file, the application folders and every
// option and window geometry of the program. Filled once at start-up by
// OpenSettings, changed in memory by the windows as the user works, written
// back by WriteSettings when the main window closes.
struct TINIData {
  vaticor::IniFile IniFile;

  // Application folders: full paths without a trailing separator.
  std::string AppFolder;
  std::string PicturesFolder;
  std::string DecksFolder;
  std::string TextsFolder;
  std::string DescriptionsFolder;
  std::string SpreadsFolder;
  std::string LanguagesFolder;
  // Where the settings file and the reading log lie: AppFolder and the
  // working directory ("") in the portable folder; the user's own folders
  // when installed.
  std::string SettingsFolder;
  bool Installed = false;  // FindProgramFolders' answer
  std::string ReadingLogFolder;
  // The installed program's own decks and description sets, listed after
  // the user's (DecksFolder, DescriptionsFolder) and read only; empty in
  // the portable folder, where the two are one.
  std::string SharedDecksFolder;
  std::string SharedDescriptionsFolder;

  // The taskbar's rectangle, read once at start-up.
  ScreenRect TaskBarRect;
  int TaskBarTop() const { return TaskBarRect.top; }

  std::int32_t DeckIndex = 0;
  std::int32_t DescriptionIndex = 0;
  // Whether the settings file held "Deck.Index" / "Description.Index" when
  // it was read: without them nothing was ever chosen, and the first start
  // picks the deck and set of the interface language.
  bool DeckIndexStored = false;
  bool DescriptionIndexStored = false;
  // Whether the viewer's and the log window's places were read: a window at
  // its default place moves out of the main window's title strip when it
  // first shows (FirstPlaceClearOf).
  bool AboutFormPlaceStored = false;
  bool QuestionLogFormPlaceStored = false;
  bool JournalFormPlaceStored = false;
  bool GalleryFormPlaceStored = false;
  bool ThreeCardsModeEnabled = false;
  bool UpSideDownCardsEnabled = false;
  bool RandomDecksEnabled = false;
  std::int32_t VaticorFormLeft = 0;
  std::int32_t VaticorFormTop = 0;
  std::int32_t VaticorFormHeight = 0;
  std::int32_t VaticorFormCardWidth = 0;
  std::int32_t AboutFormLeft = 0;
  std::int32_t AboutFormTop = 0;
  std::int32_t AboutFormWidth = 0;
  std::int32_t AboutFormHeight = 0;
  std::int32_t QuestionLogFormLeft = 0;
  std::int32_t QuestionLogFormTop = 0;
  std::int32_t QuestionLogFormWidth = 0;
  std::int32_t QuestionLogFormHeight = 0;
  std::int32_t QuestionFormLeft = 0;
  std::int32_t QuestionFormTop = 0;
  std::int32_t SpreadsFormLeft = 0;
  std::int32_t SpreadsFormTop = 0;
  bool SpreadsFormMultiDecksEnabled = false;
  std::int32_t SpreadCardWidth = 0;
  std::int32_t SpreadCardHeight = 0;
  std::int32_t DeckGroupsFormLeft = 0;
  std::int32_t DeckGroupsFormTop = 0;
  std::int32_t JournalFormLeft = 0;
  std::int32_t JournalFormTop = 0;
  std::int32_t JournalFormWidth = 0;
  std::int32_t JournalFormHeight = 0;
  std::int32_t GalleryFormLeft = 0;
  std::int32_t GalleryFormTop = 0;
  std::int32_t GalleryFormWidth = 0;
  std::int32_t GalleryFormHeight = 0;
  bool DeckGroupsOpen = false;  // not saved
  bool ApplicationShowButtonInTaskBar = true;
  bool ApplicationAutoSizeEnabled = false;
  bool QuestionsLogSaveEnabled = false;
  bool QuestionFormEnabled = false;
  bool QuestionFormShifted = false;
  bool OnlyMajorArcanaEnabled = true;
  bool AboutFormCardSelectionPanelVisible = false;
  std::string Language = "0x0419";
  // The card of the day shown at the first start of each local day, and
  // that day ("2024-03-14"; empty: never), so a later start that day does
  // not show it again.
  bool DayCardShowAtStart = false;
  std::string DayCardLastShownDay;
  std::int32_t AboutFormFontSizeIndex = -1;
  std::int32_t AboutFormCardSelectionPanelWidth = 121;
  std::int32_t ScreenWidth = 0;  // screen size when the file was last written
  std::int32_t ScreenHeight = 0;
};

// Sets AppFolder to the folder of the program file and the other folders
// below it: the portable folder.
void SetApplicationFolders(TINIData& data, const std::string& programPath);
// Sets the folders of FindProgramFolders' answer: the portable folder's as
// above, or an installed program's (AppFolder then being the user's data
// folder, which holds the journal).
void SetApplicationFolders(TINIData& data, const ProgramFolders& folders);

// Opens the settings file and reads every setting (ReadSettings). The
// screen gives the current screen size and the taskbar, from which the
// defaults and the rescaling of the main window's geometry are computed.
// ReadSettings and WriteSettings go through one table of the file's keys
// (settings.cpp): what is read is what is written, in the same places.
void OpenSettings(TINIData& data, const std::string& path, const ScreenInfo& screen);
void ReadSettings(TINIData& data, const ScreenInfo& screen);
// Holds every stored size to the screen (and the main window to its
// minimum) and moves every window so that it can be reached on a screen of
// w x h pixels; ReadSettings ends with it.
void KeepWindowsReachable(TINIData& data, int w, int h);

// Fixed window sizes, for keeping the windows reachable before they exist.
struct FixedWindowSize {
  int width;
  int height;
};
inline constexpr FixedWindowSize kQuestionFormSize{323, 40};
inline constexpr FixedWindowSize kSpreadsFormSize{259, 53};
inline constexpr FixedWindowSize kDeckGroupsFormSize{228, 52};
// The journal window's first size; the user sizes it from there.
inline constexpr FixedWindowSize kJournalFormSize{720, 540};
// The card gallery's first size, likewise.
inline constexpr FixedWindowSize kGalleryFormSize{760, 560};
// The smallest side of a spread's card window that a stored size may give.
inline constexpr int kSmallestSpreadCard = 16;
// Writes every saved setting, with the current screen size, as one
// replacement of the file. Raises IniWriteError when the file cannot be
// written; it is then left as it was.
void WriteSettings(TINIData& data, const ScreenInfo& screen);

// Nearest integer, halves going to the even neighbour; beyond the int32
// range the result saturates, and NaN gives 0.
std::int32_t RoundHalfEven(double value);

}  // namespace vaticor
