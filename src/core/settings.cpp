#include "core/settings.h"

#include <cmath>

#include "core/file_io.h"

namespace vaticor {

std::int32_t RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1.0;
  return static_cast<std::int32_t>(result);
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

  // A stored screen size of 0 or below cannot be scaled from: the stored
  // geometry is then taken as made for the current screen.
  const double sw = d.ScreenWidth > 0 ? d.ScreenWidth : w;
  const double sh = d.ScreenHeight > 0 ? d.ScreenHeight : h;
  const double xScale = w / sw;
  const double yScale = h / sh;

  d.VaticorFormHeight = RoundHalfEven(
      ini.ReadInteger(f, "VaticorForm.Height", RoundHalfEven(h / 480.0 * 208)) * yScale);
  d.VaticorFormCardWidth = RoundHalfEven(
      ini.ReadInteger(f, "VaticorForm.Card.Width", RoundHalfEven(w / 640.0 * 103)) * xScale);
  d.VaticorFormLeft = RoundHalfEven(
      ini.ReadInteger(f, "VaticorForm.Left", w - d.VaticorFormCardWidth) * xScale);
  d.VaticorFormTop = RoundHalfEven(
      ini.ReadInteger(f, "VaticorForm.Top", d.TaskBarTop() - d.VaticorFormHeight) * yScale);

  d.AboutFormLeft = ini.ReadInteger(f, "AboutForm.Left", (w - 473) / 2);
  d.AboutFormTop = ini.ReadInteger(f, "AboutForm.Top", (h - 243) / 2);
  d.AboutFormWidth = ini.ReadInteger(f, "AboutForm.Width", 473);
  d.AboutFormHeight = ini.ReadInteger(f, "AboutForm.Height", 243);
  d.AboutFormCardSelectionPanelWidth = ini.ReadInteger(f, "AboutForm.CardSelectionPanel.Width", 121);
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
}

void WriteSettings(TINIData& d, const ScreenInfo& screen) {
  vaticor::IniFile& ini = d.IniFile;
  const char* s = kSettingsSection;
  const char* f = kFormSection;

  ini.WriteBool(s, "ThreeCardsMode.Enabled", d.ThreeCardsModeEnabled);
  ini.WriteInteger(s, "Deck.Index", d.DeckIndex);
  ini.WriteInteger(s, "Description.Index", d.DescriptionIndex);
  ini.WriteBool(s, "UpSideDownCards.Enabled", d.UpSideDownCardsEnabled);
  ini.WriteBool(s, "RandomDecks.Enabled", d.RandomDecksEnabled);
  ini.WriteBool(s, "Application.ShowButtonInTaskBar", d.ApplicationShowButtonInTaskBar);
  ini.WriteBool(s, "Application.AutoSize.Enabled", d.ApplicationAutoSizeEnabled);
  ini.WriteBool(s, "QuestionsLog.Save.Enabled", d.QuestionsLogSaveEnabled);
  ini.WriteBool(s, "QuestionForm.Enabled", d.QuestionFormEnabled);
  ini.WriteBool(s, "QuestionForm.Shifted", d.QuestionFormShifted);
  ini.WriteBool(s, "OnlyMajorArcana.Enabled", d.OnlyMajorArcanaEnabled);
  ini.WriteInteger(s, "AboutForm.Font.SizeIndex", d.AboutFormFontSizeIndex);
  ini.WriteInteger(s, "Screen.Width", screen.Width());
  ini.WriteInteger(s, "Screen.Height", screen.Height());
  ini.WriteString(s, "Language", d.Language);

  ini.WriteInteger(f, "VaticorForm.Left", d.VaticorFormLeft);
  ini.WriteInteger(f, "VaticorForm.Top", d.VaticorFormTop);
  ini.WriteInteger(f, "VaticorForm.Height", d.VaticorFormHeight);
  ini.WriteInteger(f, "VaticorForm.Card.Width", d.VaticorFormCardWidth);
  ini.WriteInteger(f, "AboutForm.Left", d.AboutFormLeft);
  ini.WriteInteger(f, "AboutForm.Top", d.AboutFormTop);
  ini.WriteInteger(f, "AboutForm.Width", d.AboutFormWidth);
  ini.WriteInteger(f, "AboutForm.Height", d.AboutFormHeight);
  ini.WriteInteger(f, "AboutForm.CardSelectionPanel.Width", d.AboutFormCardSelectionPanelWidth);
  ini.WriteBool(f, "AboutForm.CardSelectionPanel.Visible", d.AboutFormCardSelectionPanelVisible);
  ini.WriteInteger(f, "QuestionLogForm.Left", d.QuestionLogFormLeft);
  ini.WriteInteger(f, "QuestionLogForm.Top", d.QuestionLogFormTop);
  ini.WriteInteger(f, "QuestionLogForm.Width", d.QuestionLogFormWidth);
  ini.WriteInteger(f, "QuestionLogForm.Height", d.QuestionLogFormHeight);
  ini.WriteInteger(f, "QuestionForm.Left", d.QuestionFormLeft);
  ini.WriteInteger(f, "QuestionForm.Top", d.QuestionFormTop);
  ini.WriteInteger(f, "SpreadsForm.Left", d.SpreadsFormLeft);
  ini.WriteInteger(f, "SpreadsForm.Top", d.SpreadsFormTop);
  ini.WriteBool(f, "SpreadsForm.MultiDecks.Enabled", d.SpreadsFormMultiDecksEnabled);
  ini.WriteInteger(f, "Spread.Card.Width", d.SpreadCardWidth);
  ini.WriteInteger(f, "Spread.Card.Height", d.SpreadCardHeight);
  ini.WriteInteger(f, "DeckGroupsForm.Left", d.DeckGroupsFormLeft);
  ini.WriteInteger(f, "DeckGroupsForm.Top", d.DeckGroupsFormTop);
}

}  // namespace vaticor
