#include "core/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <variant>

#include "core/file_io.h"
#include "core/main_window_geometry.h"
#include "core/window_bounds.h"

namespace vaticor {

std::int32_t RoundHalfEven(double value) {
  // Converting a double beyond the int32 range is undefined behaviour: a
  // settings file can hold any number, so the result saturates.
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (value <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHighest) return std::numeric_limits<std::int32_t>::max();
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1.0;
  return static_cast<std::int32_t>(std::min(result, kHighest));
}

void SetApplicationFolders(TINIData& data, const std::string& programPath) {
  const std::string folder = ParentPath(programPath);
  SetApplicationFolders(data, ProgramFolders{false, folder, folder, folder});
}

void SetApplicationFolders(TINIData& data, const ProgramFolders& folders) {
  data.AppFolder = folders.data;
  data.PicturesFolder = JoinPath(data.AppFolder, kPicturesFolderName);
  data.DecksFolder = JoinPath(data.AppFolder, kDecksFolderName);
  data.TextsFolder = JoinPath(data.AppFolder, kTextsFolderName);
  data.DescriptionsFolder = JoinPath(data.AppFolder, kDescriptionsFolderName);
  data.SpreadsFolder = JoinPath(data.AppFolder, kSpreadsFolderName);
  data.LanguagesFolder = JoinPath(folders.content, kLanguagesFolderName);
  data.SettingsFolder = folders.settings;
  data.Installed = folders.installed;
  // The portable program writes its log where it is started, as it always has.
  data.ReadingLogFolder = folders.installed ? folders.data : std::string();
  data.SharedDecksFolder.clear();
  data.SharedDescriptionsFolder.clear();
  if (folders.installed) {
    data.SharedDecksFolder = JoinPath(folders.content, kDecksFolderName);
    data.SharedDescriptionsFolder = JoinPath(folders.content, kDescriptionsFolderName);
  }
}

void OpenSettings(TINIData& data, const std::string& path, const ScreenInfo& screen) {
  data.IniFile = vaticor::IniFile(path);
  data.TaskBarRect = screen.TaskBarRect();
  ReadSettings(data, screen);
}

namespace {

int CardsAcross(const TINIData& d) { return d.ThreeCardsModeEnabled ? 3 : 1; }

// What a key's default and its stored value are worked out from: the
// record as read so far, the current screen (pixels) and the scale from the
// screen the file was written on to it (1 until that screen is known).
struct Reading {
  const TINIData& data;
  int width;
  int height;
  double xScale = 1.0;
  double yScale = 1.0;
};
using R = const Reading&;
using DefaultRule = std::int32_t (*)(R);

// The screen's height above the taskbar (the whole screen without one).
std::int32_t WorkHeight(R r) {
  const int top = r.data.TaskBarTop();
  return top > 0 && top <= r.height ? top : r.height;
}
std::int32_t JournalFirstWidth(R r) { return std::min(kJournalFormSize.width, r.width); }
std::int32_t JournalFirstHeight(R r) { return std::min(kJournalFormSize.height, WorkHeight(r)); }
std::int32_t GalleryFirstWidth(R r) { return std::min(kGalleryFormSize.width, r.width); }
std::int32_t GalleryFirstHeight(R r) { return std::min(kGalleryFormSize.height, WorkHeight(r)); }
// The value kept for the number read (a default included).
using StoredRule = std::int32_t (*)(std::int32_t read, R);

// Reading goes through the table once per pass, each in table order: a
// pass's defaults and scaling may use what the passes before it read.
enum class Pass : std::uint8_t {
  Options,  // the options and the stored screen size, which gives the scale
  Sizes,    // the main window's size, from which its place defaults
  Places,   // the rest of the geometry
};

// One key of the settings file. Its place in the table is its place in the
// file: WriteSettings writes the keys in table order.
struct SettingKey {
  const char* section;
  const char* key;
  std::variant<bool TINIData::*, std::int32_t TINIData::*, std::string TINIData::*> member;
  Pass pass = Pass::Places;
  bool flagDefault = false;
  std::int32_t numberDefault = 0;
  const char* textDefault = "";
  DefaultRule defaultRule = nullptr;  // when set, numberDefault is not used
  StoredRule stored = nullptr;        // nullptr: the number as read
  bool writesCurrentScreen = false;   // written as its default, not as the member
};

// Rows of the options section, all read in the first pass, and of the
// window geometry.
constexpr SettingKey Option(const char* key, bool TINIData::*member, bool def) {
  return {.section = kSettingsSection,
          .key = key,
          .member = member,
          .pass = Pass::Options,
          .flagDefault = def};
}
constexpr SettingKey Option(const char* key, std::int32_t TINIData::*member, std::int32_t def) {
  return {.section = kSettingsSection,
          .key = key,
          .member = member,
          .pass = Pass::Options,
          .numberDefault = def};
}
constexpr SettingKey Option(const char* key, std::string TINIData::*member, const char* def) {
  return {.section = kSettingsSection,
          .key = key,
          .member = member,
          .pass = Pass::Options,
          .textDefault = def};
}
// The screen size the file is written for: read as stored (the current
// screen's when missing), always written as the current screen's.
constexpr SettingKey ScreenSize(const char* key, std::int32_t TINIData::*member,
                                DefaultRule current) {
  return {.section = kSettingsSection,
          .key = key,
          .member = member,
          .pass = Pass::Options,
          .defaultRule = current,
          .writesCurrentScreen = true};
}
constexpr SettingKey Geometry(const char* key, bool TINIData::*member, bool def) {
  return {.section = kFormSection, .key = key, .member = member, .flagDefault = def};
}
constexpr SettingKey Geometry(const char* key, std::int32_t TINIData::*member, std::int32_t def) {
  return {.section = kFormSection, .key = key, .member = member, .numberDefault = def};
}
constexpr SettingKey Geometry(const char* key, std::int32_t TINIData::*member, DefaultRule def,
                              StoredRule stored = nullptr, Pass pass = Pass::Places) {
  return {.section = kFormSection,
          .key = key,
          .member = member,
          .pass = pass,
          .defaultRule = def,
          .stored = stored};
}

std::int32_t ScaledAcross(std::int32_t read, R r) { return RoundHalfEven(read * r.xScale); }
std::int32_t ScaledDown(std::int32_t read, R r) { return RoundHalfEven(read * r.yScale); }

// Only the main window's geometry follows a change of screen; the other
// windows keep their stored places and sizes (the spread cards scale their
// defaults only).
constexpr SettingKey kSettingKeys[] = {
    Option("ThreeCardsMode.Enabled", &TINIData::ThreeCardsModeEnabled, false),
    Option("Deck.Index", &TINIData::DeckIndex, 0),
    Option("Description.Index", &TINIData::DescriptionIndex, 0),
    Option("UpSideDownCards.Enabled", &TINIData::UpSideDownCardsEnabled, false),
    Option("RandomDecks.Enabled", &TINIData::RandomDecksEnabled, false),
    Option("Application.ShowButtonInTaskBar", &TINIData::ApplicationShowButtonInTaskBar, true),
    Option("Application.AutoSize.Enabled", &TINIData::ApplicationAutoSizeEnabled, false),
    Option("QuestionsLog.Save.Enabled", &TINIData::QuestionsLogSaveEnabled, false),
    Option("QuestionForm.Enabled", &TINIData::QuestionFormEnabled, false),
    Option("QuestionForm.Shifted", &TINIData::QuestionFormShifted, false),
    Option("OnlyMajorArcana.Enabled", &TINIData::OnlyMajorArcanaEnabled, true),
    Option("AboutForm.Font.SizeIndex", &TINIData::AboutFormFontSizeIndex, -1),
    ScreenSize("Screen.Width", &TINIData::ScreenWidth, [](R r) { return r.width; }),
    ScreenSize("Screen.Height", &TINIData::ScreenHeight, [](R r) { return r.height; }),
    Option("Language", &TINIData::Language, "0x0419"),
    Option("DayCard.ShowAtStart", &TINIData::DayCardShowAtStart, false),
    Option("DayCard.LastShownDay", &TINIData::DayCardLastShownDay, ""),

    Geometry(
        "VaticorForm.Left", &TINIData::VaticorFormLeft,
        [](R r) { return r.width - r.data.VaticorFormCardWidth; }, ScaledAcross),
    Geometry(
        "VaticorForm.Top", &TINIData::VaticorFormTop,
        [](R r) { return r.data.TaskBarTop() - r.data.VaticorFormHeight; }, ScaledDown),
    Geometry(
        "VaticorForm.Height", &TINIData::VaticorFormHeight,
        [](R r) { return RoundHalfEven(r.height / 480.0 * 208); },
        [](std::int32_t read, R r) { return BoundMainHeight(ScaledDown(read, r), r.height); },
        Pass::Sizes),
    Geometry(
        "VaticorForm.Card.Width", &TINIData::VaticorFormCardWidth,
        // A card keeps its shape: its width follows the screen's height,
        // as its height does.
        [](R r) { return RoundHalfEven(r.height / 480.0 * 103); },
        [](std::int32_t read, R r) {
          return BoundCardWidth(ScaledDown(read, r), r.width, CardsAcross(r.data));
        },
        Pass::Sizes),
    Geometry("AboutForm.Left", &TINIData::AboutFormLeft, [](R r) { return (r.width - 473) / 2; }),
    Geometry("AboutForm.Top", &TINIData::AboutFormTop, [](R r) { return (r.height - 243) / 2; }),
    Geometry("AboutForm.Width", &TINIData::AboutFormWidth, 473),
    Geometry("AboutForm.Height", &TINIData::AboutFormHeight, 243),
    Geometry("AboutForm.CardSelectionPanel.Width", &TINIData::AboutFormCardSelectionPanelWidth,
             121),
    Geometry("AboutForm.CardSelectionPanel.Visible", &TINIData::AboutFormCardSelectionPanelVisible,
             false),
    Geometry("QuestionLogForm.Left", &TINIData::QuestionLogFormLeft,
             [](R r) { return (r.width - 138) / 2; }),
    Geometry("QuestionLogForm.Top", &TINIData::QuestionLogFormTop,
             [](R r) { return (r.height - 235) / 2; }),
    Geometry("QuestionLogForm.Width", &TINIData::QuestionLogFormWidth, 130),
    Geometry("QuestionLogForm.Height", &TINIData::QuestionLogFormHeight, 208),
    Geometry("QuestionForm.Left", &TINIData::QuestionFormLeft, [](R r) { return r.width - 323; }),
    Geometry("QuestionForm.Top", &TINIData::QuestionFormTop,
             [](R r) { return r.data.TaskBarTop() - 40; }),
    // The spreads toolbar stands centred on the taskbar, out of the way of
    // the spreads, which are laid out round the screen's middle.
    Geometry("SpreadsForm.Left", &TINIData::SpreadsFormLeft,
             [](R r) { return (r.width - kSpreadsFormSize.width) / 2; }),
    Geometry("SpreadsForm.Top", &TINIData::SpreadsFormTop,
             [](R r) { return r.data.TaskBarTop() - kSpreadsFormSize.height; }),
    Geometry("SpreadsForm.MultiDecks.Enabled", &TINIData::SpreadsFormMultiDecksEnabled, false),
    // Both sides of a card follow the screen's height: a card keeps its
    // proportions on a screen of any proportions.
    Geometry("Spread.Card.Width", &TINIData::SpreadCardWidth,
             [](R r) { return RoundHalfEven((r.height / 480.0 * 77.25) * r.yScale); }),
    Geometry("Spread.Card.Height", &TINIData::SpreadCardHeight,
             [](R r) { return RoundHalfEven((r.height / 480.0 * 123) * r.yScale); }),
    Geometry("DeckGroupsForm.Left", &TINIData::DeckGroupsFormLeft, 0),
    Geometry("DeckGroupsForm.Top", &TINIData::DeckGroupsFormTop,
             [](R r) { return (r.height - 309) / 2; }),
    // The journal window first stands in the middle of the screen above the
    // taskbar, no larger than that.
    Geometry("JournalForm.Left", &TINIData::JournalFormLeft,
             [](R r) { return (r.width - JournalFirstWidth(r)) / 2; }),
    Geometry("JournalForm.Top", &TINIData::JournalFormTop,
             [](R r) { return (WorkHeight(r) - JournalFirstHeight(r)) / 2; }),
    Geometry("JournalForm.Width", &TINIData::JournalFormWidth, JournalFirstWidth),
    Geometry("JournalForm.Height", &TINIData::JournalFormHeight, JournalFirstHeight),
    // The card gallery likewise.
    Geometry("GalleryForm.Left", &TINIData::GalleryFormLeft,
             [](R r) { return (r.width - GalleryFirstWidth(r)) / 2; }),
    Geometry("GalleryForm.Top", &TINIData::GalleryFormTop,
             [](R r) { return (WorkHeight(r) - GalleryFirstHeight(r)) / 2; }),
    Geometry("GalleryForm.Width", &TINIData::GalleryFormWidth, GalleryFirstWidth),
    Geometry("GalleryForm.Height", &TINIData::GalleryFormHeight, GalleryFirstHeight),
};

void ReadKey(const SettingKey& k, TINIData& d, R r) {
  const vaticor::IniFile& ini = d.IniFile;
  if (const auto flag = std::get_if<bool TINIData::*>(&k.member)) {
    d.*(*flag) = ini.ReadBool(k.section, k.key, k.flagDefault);
  } else if (const auto text = std::get_if<std::string TINIData::*>(&k.member)) {
    d.*(*text) = ini.ReadString(k.section, k.key, k.textDefault);
  } else {
    const std::int32_t def = k.defaultRule ? k.defaultRule(r) : k.numberDefault;
    const std::int32_t read = ini.ReadInteger(k.section, k.key, def);
    d.*std::get<std::int32_t TINIData::*>(k.member) = k.stored ? k.stored(read, r) : read;
  }
}

void ReadPass(Pass pass, TINIData& d, R r) {
  for (const SettingKey& k : kSettingKeys) {
    if (k.pass == pass) ReadKey(k, d, r);
  }
}

void WriteKey(const SettingKey& k, const TINIData& d, R current, IniWriteBatch& batch) {
  if (const auto flag = std::get_if<bool TINIData::*>(&k.member)) {
    batch.WriteBool(k.section, k.key, d.*(*flag));
  } else if (const auto text = std::get_if<std::string TINIData::*>(&k.member)) {
    batch.WriteString(k.section, k.key, d.*(*text));
  } else {
    const auto number = std::get<std::int32_t TINIData::*>(k.member);
    batch.WriteInteger(k.section, k.key,
                       k.writesCurrentScreen ? k.defaultRule(current) : d.*number);
  }
}

}  // namespace

void ReadSettings(TINIData& d, const ScreenInfo& screen) {
  const int w = screen.Width();
  const int h = screen.Height();
  Reading reading{d, w, h};
  ReadPass(Pass::Options, d, reading);
  const std::shared_ptr<const IniDocument> stored = d.IniFile.Snapshot();
  d.DeckIndexStored = stored->Value(kSettingsSection, "Deck.Index").has_value();
  d.DescriptionIndexStored = stored->Value(kSettingsSection, "Description.Index").has_value();
  auto placeStored = [&stored](const char* left, const char* top) {
    return stored->Value(kFormSection, left).has_value() &&
           stored->Value(kFormSection, top).has_value();
  };
  d.AboutFormPlaceStored = placeStored("AboutForm.Left", "AboutForm.Top");
  d.QuestionLogFormPlaceStored = placeStored("QuestionLogForm.Left", "QuestionLogForm.Top");
  d.JournalFormPlaceStored = placeStored("JournalForm.Left", "JournalForm.Top");
  d.GalleryFormPlaceStored = placeStored("GalleryForm.Left", "GalleryForm.Top");

  // A stored screen size that no real screen has cannot be scaled from: the
  // stored geometry is then taken as made for the current screen.
  if (!IsPlausibleScreenSize(d.ScreenWidth, d.ScreenHeight)) {
    d.ScreenWidth = w;
    d.ScreenHeight = h;
  }
  reading.xScale = w / static_cast<double>(d.ScreenWidth);
  reading.yScale = h / static_cast<double>(d.ScreenHeight);
  ReadPass(Pass::Sizes, d, reading);
  ReadPass(Pass::Places, d, reading);

  KeepWindowsReachable(d, w, h);
}

void KeepWindowsReachable(TINIData& d, int w, int h) {
  // Sizes first (a window never larger than the screen), then places: every
  // window keeps a corner of its title bar on the screen.
  const int across = CardsAcross(d);
  d.VaticorFormHeight = BoundMainHeight(d.VaticorFormHeight, h);
  d.VaticorFormCardWidth = BoundCardWidth(d.VaticorFormCardWidth, w, across);
  d.AboutFormWidth = Bound(d.AboutFormWidth, 1, w);
  d.AboutFormHeight = Bound(d.AboutFormHeight, 1, h);
  d.AboutFormCardSelectionPanelWidth = Bound(d.AboutFormCardSelectionPanelWidth, 0, w);
  d.QuestionLogFormWidth = Bound(d.QuestionLogFormWidth, 1, w);
  d.QuestionLogFormHeight = Bound(d.QuestionLogFormHeight, 1, h);
  d.JournalFormWidth = Bound(d.JournalFormWidth, 1, w);
  d.JournalFormHeight = Bound(d.JournalFormHeight, 1, h);
  d.GalleryFormWidth = Bound(d.GalleryFormWidth, 1, w);
  d.GalleryFormHeight = Bound(d.GalleryFormHeight, 1, h);
  d.SpreadCardWidth =
      Bound(d.SpreadCardWidth, kSmallestSpreadCard, std::max(w, kSmallestSpreadCard));
  d.SpreadCardHeight =
      Bound(d.SpreadCardHeight, kSmallestSpreadCard, std::max(h, kSmallestSpreadCard));

  auto place = [w, h](std::int32_t& left, std::int32_t& top, int width, int height) {
    const WindowRect kept = KeepReachable({left, top, width, height}, w, h);
    left = kept.left;
    top = kept.top;
  };
  place(d.VaticorFormLeft, d.VaticorFormTop, MainWindowWidth(d.VaticorFormCardWidth, across),
        d.VaticorFormHeight);
  place(d.AboutFormLeft, d.AboutFormTop, d.AboutFormWidth, d.AboutFormHeight);
  place(d.QuestionLogFormLeft, d.QuestionLogFormTop, d.QuestionLogFormWidth,
        d.QuestionLogFormHeight);
  place(d.QuestionFormLeft, d.QuestionFormTop, kQuestionFormSize.width, kQuestionFormSize.height);
  place(d.SpreadsFormLeft, d.SpreadsFormTop, kSpreadsFormSize.width, kSpreadsFormSize.height);
  place(d.DeckGroupsFormLeft, d.DeckGroupsFormTop, kDeckGroupsFormSize.width,
        kDeckGroupsFormSize.height);
  place(d.JournalFormLeft, d.JournalFormTop, d.JournalFormWidth, d.JournalFormHeight);
  place(d.GalleryFormLeft, d.GalleryFormTop, d.GalleryFormWidth, d.GalleryFormHeight);
}

void WriteSettings(TINIData& d, const ScreenInfo& screen) {
  // One replacement of the file for all the keys: a kill while closing then
  // leaves the old settings or the new, never a mixture.
  IniWriteBatch batch;
  const Reading current{d, screen.Width(), screen.Height()};
  for (const SettingKey& k : kSettingKeys) WriteKey(k, d, current, batch);
  d.IniFile.Write(batch);
}

}  // namespace vaticor
