#include "core/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
  data.AppFolder = ParentPath(programPath);
  data.PicturesFolder = JoinPath(data.AppFolder, "Pictures Folder");
  data.DecksFolder = JoinPath(data.PicturesFolder, "Decks");
  data.TextsFolder = JoinPath(data.AppFolder, "Texts Folder");
  data.DescriptionsFolder = JoinPath(data.TextsFolder, "Descriptions");
  data.SpreadsFolder = JoinPath(data.AppFolder, "Spreads Folder");
  data.LanguagesFolder = JoinPath(data.AppFolder, "Multi Language Support");
}

void OpenSettings(TINIData& data, const std::string& path, const ScreenInfo& screen) {
  data.IniFile = vaticor::IniFile(path);
  data.TaskBarRect = screen.TaskBarRect();
  ReadSettings(data, screen);
}

void ReadSettings(TINIData& d, const ScreenInfo& screen) {
  const vaticor::IniFile& ini = d.IniFile;
  const int w = screen.Width();
  const int h = screen.Height();
  const char* s = kSettingsSection;
  const char* f = kFormSection;

  d.ThreeCardsModeEnabled = ini.ReadBool(s, "ThreeCardsMode.Enabled", false);
  d.DeckIndex = ini.ReadInteger(s, "Deck.Index", 0);
  d.DescriptionIndex = ini.ReadInteger(s, "Description.Index", 0);
  d.UpSideDownCardsEnabled = ini.ReadBool(s, "UpSideDownCards.Enabled", false);
  d.RandomDecksEnabled = ini.ReadBool(s, "RandomDecks.Enabled", false);
  d.ApplicationShowButtonInTaskBar = ini.ReadBool(s, "Application.ShowButtonInTaskBar", true);
  d.ApplicationAutoSizeEnabled = ini.ReadBool(s, "Application.AutoSize.Enabled", false);
  d.QuestionsLogSaveEnabled = ini.ReadBool(s, "QuestionsLog.Save.Enabled", false);
  d.QuestionFormEnabled = ini.ReadBool(s, "QuestionForm.Enabled", false);
  d.QuestionFormShifted = ini.ReadBool(s, "QuestionForm.Shifted", false);
  d.OnlyMajorArcanaEnabled = ini.ReadBool(s, "OnlyMajorArcana.Enabled", true);
  d.AboutFormFontSizeIndex = ini.ReadInteger(s, "AboutForm.Font.SizeIndex", -1);
  d.ScreenWidth = ini.ReadInteger(s, "Screen.Width", w);
  d.ScreenHeight = ini.ReadInteger(s, "Screen.Height", h);
  d.Language = ini.ReadString(s, "Language", "0x0419");

  // A stored screen size that no real screen has cannot be scaled from: the
  // stored geometry is then taken as made for the current screen.
  if (!IsPlausibleScreenSize(d.ScreenWidth, d.ScreenHeight)) {
    d.ScreenWidth = w;
    d.ScreenHeight = h;
  }
  const double xScale = w / static_cast<double>(d.ScreenWidth);
  const double yScale = h / static_cast<double>(d.ScreenHeight);
  const int across = d.ThreeCardsModeEnabled ? 3 : 1;

  d.VaticorFormHeight = BoundMainHeight(
      RoundHalfEven(ini.ReadInteger(f, "VaticorForm.Height", RoundHalfEven(h / 480.0 * 208)) *
                    yScale),
      h);
  d.VaticorFormCardWidth = BoundCardWidth(
      RoundHalfEven(ini.ReadInteger(f, "VaticorForm.Card.Width", RoundHalfEven(w / 640.0 * 103)) *
                    xScale),
      w, across);
  d.VaticorFormLeft =
      RoundHalfEven(ini.ReadInteger(f, "VaticorForm.Left", w - d.VaticorFormCardWidth) * xScale);
  d.VaticorFormTop = RoundHalfEven(
      ini.ReadInteger(f, "VaticorForm.Top", d.TaskBarTop() - d.VaticorFormHeight) * yScale);

  d.AboutFormLeft = ini.ReadInteger(f, "AboutForm.Left", (w - 473) / 2);
  d.AboutFormTop = ini.ReadInteger(f, "AboutForm.Top", (h - 243) / 2);
  d.AboutFormWidth = ini.ReadInteger(f, "AboutForm.Width", 473);
  d.AboutFormHeight = ini.ReadInteger(f, "AboutForm.Height", 243);
  d.AboutFormCardSelectionPanelWidth =
      ini.ReadInteger(f, "AboutForm.CardSelectionPanel.Width", 121);
  d.AboutFormCardSelectionPanelVisible =
      ini.ReadBool(f, "AboutForm.CardSelectionPanel.Visible", false);
  d.QuestionLogFormLeft = ini.ReadInteger(f, "QuestionLogForm.Left", (w - 138) / 2);
  d.QuestionLogFormTop = ini.ReadInteger(f, "QuestionLogForm.Top", (h - 235) / 2);
  d.QuestionLogFormWidth = ini.ReadInteger(f, "QuestionLogForm.Width", 130);
  d.QuestionLogFormHeight = ini.ReadInteger(f, "QuestionLogForm.Height", 208);
  d.QuestionFormLeft = ini.ReadInteger(f, "QuestionForm.Left", w - 323);
  d.QuestionFormTop = ini.ReadInteger(f, "QuestionForm.Top", d.TaskBarTop() - 40);
  d.SpreadsFormLeft = ini.ReadInteger(f, "SpreadsForm.Left", (w - 194) / 2);
  d.SpreadsFormTop = ini.ReadInteger(f, "SpreadsForm.Top", (h - 309) / 2);
  d.SpreadsFormMultiDecksEnabled = ini.ReadBool(f, "SpreadsForm.MultiDecks.Enabled", false);
  d.SpreadCardWidth =
      ini.ReadInteger(f, "Spread.Card.Width", RoundHalfEven((w / 640.0 * 77.25) * xScale));
  d.SpreadCardHeight =
      ini.ReadInteger(f, "Spread.Card.Height", RoundHalfEven((h / 480.0 * 123) * yScale));
  d.DeckGroupsFormLeft = ini.ReadInteger(f, "DeckGroupsForm.Left", 0);
  d.DeckGroupsFormTop = ini.ReadInteger(f, "DeckGroupsForm.Top", (h - 309) / 2);

  KeepWindowsReachable(d, w, h);
}

void KeepWindowsReachable(TINIData& d, int w, int h) {
  // Sizes first (a window never larger than the screen), then places: every
  // window keeps a corner of its title bar on the screen.
  const int across = d.ThreeCardsModeEnabled ? 3 : 1;
  d.VaticorFormHeight = BoundMainHeight(d.VaticorFormHeight, h);
  d.VaticorFormCardWidth = BoundCardWidth(d.VaticorFormCardWidth, w, across);
  d.AboutFormWidth = Bound(d.AboutFormWidth, 1, w);
  d.AboutFormHeight = Bound(d.AboutFormHeight, 1, h);
  d.AboutFormCardSelectionPanelWidth = Bound(d.AboutFormCardSelectionPanelWidth, 0, w);
  d.QuestionLogFormWidth = Bound(d.QuestionLogFormWidth, 1, w);
  d.QuestionLogFormHeight = Bound(d.QuestionLogFormHeight, 1, h);
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
}

void WriteSettings(TINIData& d, const ScreenInfo& screen) {
  // One replacement of the file for all the keys: a kill while closing then
  // leaves the old settings or the new, never a mixture.
  IniWriteBatch batch;
  const char* s = kSettingsSection;
  const char* f = kFormSection;

  batch.WriteBool(s, "ThreeCardsMode.Enabled", d.ThreeCardsModeEnabled);
  batch.WriteInteger(s, "Deck.Index", d.DeckIndex);
  batch.WriteInteger(s, "Description.Index", d.DescriptionIndex);
  batch.WriteBool(s, "UpSideDownCards.Enabled", d.UpSideDownCardsEnabled);
  batch.WriteBool(s, "RandomDecks.Enabled", d.RandomDecksEnabled);
  batch.WriteBool(s, "Application.ShowButtonInTaskBar", d.ApplicationShowButtonInTaskBar);
  batch.WriteBool(s, "Application.AutoSize.Enabled", d.ApplicationAutoSizeEnabled);
  batch.WriteBool(s, "QuestionsLog.Save.Enabled", d.QuestionsLogSaveEnabled);
  batch.WriteBool(s, "QuestionForm.Enabled", d.QuestionFormEnabled);
  batch.WriteBool(s, "QuestionForm.Shifted", d.QuestionFormShifted);
  batch.WriteBool(s, "OnlyMajorArcana.Enabled", d.OnlyMajorArcanaEnabled);
  batch.WriteInteger(s, "AboutForm.Font.SizeIndex", d.AboutFormFontSizeIndex);
  batch.WriteInteger(s, "Screen.Width", screen.Width());
  batch.WriteInteger(s, "Screen.Height", screen.Height());
  batch.WriteString(s, "Language", d.Language);

  batch.WriteInteger(f, "VaticorForm.Left", d.VaticorFormLeft);
  batch.WriteInteger(f, "VaticorForm.Top", d.VaticorFormTop);
  batch.WriteInteger(f, "VaticorForm.Height", d.VaticorFormHeight);
  batch.WriteInteger(f, "VaticorForm.Card.Width", d.VaticorFormCardWidth);
  batch.WriteInteger(f, "AboutForm.Left", d.AboutFormLeft);
  batch.WriteInteger(f, "AboutForm.Top", d.AboutFormTop);
  batch.WriteInteger(f, "AboutForm.Width", d.AboutFormWidth);
  batch.WriteInteger(f, "AboutForm.Height", d.AboutFormHeight);
  batch.WriteInteger(f, "AboutForm.CardSelectionPanel.Width", d.AboutFormCardSelectionPanelWidth);
  batch.WriteBool(f, "AboutForm.CardSelectionPanel.Visible", d.AboutFormCardSelectionPanelVisible);
  batch.WriteInteger(f, "QuestionLogForm.Left", d.QuestionLogFormLeft);
  batch.WriteInteger(f, "QuestionLogForm.Top", d.QuestionLogFormTop);
  batch.WriteInteger(f, "QuestionLogForm.Width", d.QuestionLogFormWidth);
  batch.WriteInteger(f, "QuestionLogForm.Height", d.QuestionLogFormHeight);
  batch.WriteInteger(f, "QuestionForm.Left", d.QuestionFormLeft);
  batch.WriteInteger(f, "QuestionForm.Top", d.QuestionFormTop);
  batch.WriteInteger(f, "SpreadsForm.Left", d.SpreadsFormLeft);
  batch.WriteInteger(f, "SpreadsForm.Top", d.SpreadsFormTop);
  batch.WriteBool(f, "SpreadsForm.MultiDecks.Enabled", d.SpreadsFormMultiDecksEnabled);
  batch.WriteInteger(f, "Spread.Card.Width", d.SpreadCardWidth);
  batch.WriteInteger(f, "Spread.Card.Height", d.SpreadCardHeight);
  batch.WriteInteger(f, "DeckGroupsForm.Left", d.DeckGroupsFormLeft);
  batch.WriteInteger(f, "DeckGroupsForm.Top", d.DeckGroupsFormTop);
  d.IniFile.Write(batch);
}

}  // namespace vaticor
