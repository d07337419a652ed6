// The main window's menus and option commands.
#include <QContextMenuEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "library/content_language.h"
#include "library/reading_draw.h"
#include "platform/desktop_shell.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/window_showing.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {

namespace {

// The position of the folder `folder` in `folders`; `otherwise` when it is
// not there any more.
int PositionOf(const std::vector<std::string>& folders, const std::string& folder, int otherwise) {
  const auto found = std::find(folders.begin(), folders.end(), folder);
  return found == folders.end() ? otherwise : static_cast<int>(found - folders.begin());
}

// The folder at a list position; empty past the list.
std::string FolderAt(const std::vector<std::string>& folders, int position) {
  return position >= 0 && position < static_cast<int>(folders.size())
             ? folders[static_cast<std::size_t>(position)]
             : std::string();
}

}  // namespace

// ---------------------------------------------------------------------------
// Menus

void TVaticorForm::SetUpMajorArcanaItem() {
  if (state_.TaroDecks.FilesCount > kMajorArcanaCount) {
    menu_->EnableOption(MainOption::kOnlyMajorArcana, true);
    menu_->SetOption(MainOption::kOnlyMajorArcana, state_.INIData.OnlyMajorArcanaEnabled);
  } else {
    menu_->EnableOption(MainOption::kOnlyMajorArcana, false);
    menu_->SetOption(MainOption::kOnlyMajorArcana, true);
  }
  UpdateRandomDeckItems();
}

void TVaticorForm::UpdateRandomDeckItems() {
  // Choosing a deck at random needs at least two decks; adding one is
  // always possible.
  const bool severalDecks = state_.TaroDecks.Count > 1;
  menu_->EnableRandomDeck(severalDecks);
  menu_->EnableOption(MainOption::kRandomDecks, severalDecks);
}

void TVaticorForm::SwitchToDeck(int deck, DeckSizing sizing) {
  menu_->CheckDeck(deck);
  state_.INIData.DeckIndex = deck;
  state_.TaroDecks.SelectDeck(deck);
  CacheCardPictureSize();
  if (state_.INIData.ApplicationAutoSizeEnabled) {
    if (sizing == DeckSizing::kApplyAutoSize) {
      ApplyAutoCardSize();
    } else {
      FitCardWidthToHeight();
    }
  }
  RefreshCardPictures();
}

void TVaticorForm::SelectDeckFromMenu(int deck) {
  SwitchToDeck(deck, DeckSizing::kApplyAutoSize);
  SetUpMajorArcanaItem();
}

void TVaticorForm::N15Click() {
  TTaroDecks& decks = state_.TaroDecks;
  if (decks.Count <= 0) return;
  SwitchToDeck(state_.Random.Random(decks.Count), DeckSizing::kApplyAutoSize);
}

void TVaticorForm::NextDeck(int step) {
  TTaroDecks& decks = state_.TaroDecks;
  if (decks.Count <= 0) return;
  int deck = state_.INIData.DeckIndex + step;
  if (deck < 0) deck = decks.Count - 1;
  if (deck > decks.Count - 1) deck = 0;
  SwitchToDeck(deck, DeckSizing::kFitToHeight);
}

void TVaticorForm::RebuildDeckMenu() {
  TTaroDecks& decks = state_.TaroDecks;
  const bool hadDecks = decks.Count > 0;
  const std::string inUse = FolderAt(decks.Folders, decks.CurrentDeck());
  decks.LoadDecks();
  menu_->SetDecks(decks.DisplayNames);
  if (decks.Count <= 0) {
    UpdateRandomDeckItems();
    return;
  }
  const int saved = std::clamp(state_.INIData.DeckIndex, 0, decks.Count - 1);
  // As if chosen from the menu: the same deck's pictures may have been
  // replaced, and are shown again.
  SelectDeckFromMenu(hadDecks ? PositionOf(decks.Folders, inUse, saved) : saved);
  if (!hadDecks) state_.SpreadPicker.InitGenerator(decks.FilesCount);
}

void TVaticorForm::RebuildDescriptionMenu() {
  TTaroDescriptions& sets = state_.TaroDescriptions;
  const bool hadSets = sets.Count > 0;
  const std::string inUse = FolderAt(sets.Folders, sets.CurrentDescription());
  sets.LoadDescriptions();
  menu_->SetDescriptionSets(sets.DisplayNames);
  if (sets.Count <= 0) return;
  const int saved = std::clamp(state_.INIData.DescriptionIndex, 0, sets.Count - 1);
  const int set = hadSets ? PositionOf(sets.Folders, inUse, saved) : saved;
  state_.INIData.DescriptionIndex = set;
  sets.SelectDescription(set);
  if (ViewerVisible()) Links().viewer.ShowCurrentCardAgain();
}

void TVaticorForm::SetLanguageItems(const std::vector<std::string>& captions) {
  menu_->SetLanguages(captions);
}

void TVaticorForm::CheckLanguageItem(int position) { menu_->CheckLanguage(position); }

void TVaticorForm::ChooseContentInLanguage(const std::string& language) {
  TINIData& ini = state_.INIData;
  if (!ini.DeckIndexStored && state_.TaroDecks.Count > 0) {
    const std::optional<std::int32_t> deck = FirstInLanguage(state_.TaroDecks.Languages, language);
    if (deck && *deck != state_.TaroDecks.CurrentDeck()) SelectDeckFromMenu(*deck);
  }
  if (!ini.DescriptionIndexStored && state_.TaroDescriptions.Count > 0) {
    const std::optional<std::int32_t> set =
        FirstInLanguage(state_.TaroDescriptions.Languages, language);
    if (set && *set != ini.DescriptionIndex) SelectDescriptionFromMenu(*set);
  }
}

void TVaticorForm::SelectDescriptionFromMenu(int set) {
  state_.INIData.DescriptionIndex = set;
  state_.TaroDescriptions.SelectDescription(set);
  if (ViewerVisible()) Links().viewer.ShowCurrentCardAgain();
}

void TVaticorForm::PopupMenu1Popup() {
  if (state_.TaroDescriptions.Count > 0)
    menu_->CheckDescriptionSet(state_.INIData.DescriptionIndex);
  menu_->SetOption(MainOption::kQuestionWindow, state_.INIData.QuestionFormEnabled);
}

void TVaticorForm::PopupMenu2Popup(TCardImage* image) {
  popupImage_ = image;
  const QString entry = CaptionText(1026, "Описание карты");
  if (image && image->HasPicture()) {
    const std::string name = state_.TaroDecks.GetCardName(std::abs(image->Number()));
    menu_->SetDescribeItem(QString::fromStdString(name) + " - " + entry, true);
  } else {
    menu_->SetDescribeItem(entry, false);
  }
  menu_->EnableNewReading(CardImage01->HasPicture());
  menu_->EnableSharing(CardImage01->HasPicture());
}

void TVaticorForm::N10Click(MainOption option, bool checked) {
  TINIData& ini = state_.INIData;
  // A triggered checkable item has already flipped its mark.
  switch (option) {
    case MainOption::kReversedCards:
      ini.UpSideDownCardsEnabled = checked;
      break;
    case MainOption::kOnlyMajorArcana:
      ini.OnlyMajorArcanaEnabled = checked;
      break;
    case MainOption::kRandomDecks:
      ini.RandomDecksEnabled = checked;
      break;
    case MainOption::kSaveLog:
      ini.QuestionsLogSaveEnabled = checked;
      break;
    case MainOption::kTaskbarButton:
      ini.ApplicationShowButtonInTaskBar = checked;
      // Without a notification area the taskbar button is the only way back
      // to a hidden window: it stays.
      if (state_.Screen.HasTray()) {
        SetTaskbarButtonVisible(this, checked);
        TrayIcon()->setVisible(!checked);
      }
      break;
    case MainOption::kAutoSize: {
      const bool wasOn = ini.ApplicationAutoSizeEnabled;
      ini.ApplicationAutoSizeEnabled = !wasOn;
      if (wasOn) {
        ApplyScreenCardSize();
      } else {
        ApplyAutoCardSize();
      }
      break;
    }
    case MainOption::kQuestionWindow:
      SetQuestionEnabled(checked, true);
      break;
  }
}

void TVaticorForm::SetQuestionEnabled(bool enabled, bool fromMenu) {
  TINIData& ini = state_.INIData;
  ini.QuestionFormEnabled = enabled;
  QuestionWindowLink& question = Links().question;
  if (enabled) {
    if (question.QuestionTop() < y() + height()) {
      move(x(), ShiftedMainTop(question.QuestionTop(), height()));
      ini.VaticorFormTop = y();
      ini.QuestionFormShifted = true;
    }
    question.SetQuestionVisible(true);
  } else {
    question.SetQuestionVisible(false);
    if (!fromMenu && ini.QuestionFormShifted) {
      move(x(), UnshiftedMainTop(y(), question.QuestionHeight(), height(), state_.Screen.Height()));
      ini.VaticorFormTop = y();
      ini.QuestionFormShifted = false;
    }
  }
}

void TVaticorForm::QuestionWindowTurnedOff() {
  SetQuestionEnabled(false, false);
  menu_->SetOption(MainOption::kQuestionWindow, false);
}

void TVaticorForm::MakeRoomAbove(int questionTop) {
  // Not recorded: the saved place stays where the user put the window.
  if (questionTop < y() + height()) move(x(), ShiftedMainTop(questionTop, height()));
}

QPoint TVaticorForm::MainMenuPoint() const {
  const TSkinImage* menu = strip_.icon;
  return {x() + menu->x(), y() + menu->y() + menu->height()};
}

void TVaticorForm::Image1Click() { menu_->Popup()->popup(MainMenuPoint()); }

void TVaticorForm::PopupMainMenuAt(int x, int y) {
  ShowNormal(this);
  menu_->Popup()->popup(QPoint(this->x() + x, this->y() + y));
}

void TVaticorForm::PopupMainMenuAtScreen(int x, int y) { menu_->Popup()->popup(QPoint(x, y)); }

void TVaticorForm::Image7Click() {
  if (Links().question.IsQuestionVisible()) Links().question.SetQuestionVisible(false);
  state_.SpreadsMode = true;
  Links().spreads.ShowSpreads();
  hide();
}

void TVaticorForm::contextMenuEvent(QContextMenuEvent* event) {
  menu_->Popup()->popup(event->globalPos());
}

}  // namespace vaticor
