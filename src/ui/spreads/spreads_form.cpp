#include "ui/spreads/spreads_form.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <algorithm>

#include "core/spread_geometry.h"
#include "library/spread_file.h"
#include "platform/desktop_shell.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/press_effect.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"
#include "ui/journal_keeper.h"
#include "ui/spreads/card_form.h"
#include "ui/spreads/deck_groups_form.h"

namespace vaticor {
namespace {

constexpr int kTile = 32;
// While a long spread opens, the screen is repainted after this many card
// windows (user input waits until it is open).
constexpr int kCardsBetweenRepaints = 64;

}  // namespace

TSpreadsForm::TSpreadsForm(ProgramState& state, SpreadsWindowLinks links,
                           std::unique_ptr<SpreadFileDialogs> dialogs,
                           std::unique_ptr<ReadingPictureDialog> pictureDialog, QWidget* parent)
    // A window of its own on the taskbar: it stands in for the main window.
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      links_(links),
      dialogs_(dialogs ? std::move(dialogs) : MakeSpreadFileDialogs(state.INIData.SpreadsFolder)),
      pictureDialog_(pictureDialog ? std::move(pictureDialog) : MakeReadingPictureDialog()),
      pictures_(state, this, [this](SpreadTable::CardId card) { return Window(card); }) {
  setObjectName("SpreadsForm");
  setWindowTitle(QStringLiteral("Vaticor"));
  // Only the skin's pictures are seen: the window has their outline.
  setAttribute(Qt::WA_TranslucentBackground);
  UseSkinFont(this);
  setFocusPolicy(Qt::StrongFocus);
  CreateCommands();
  CreateControls();
  TINIData& ini = state_.INIData;
  PlaceWhollyOnScreen(this, ini.SpreadsFormLeft, ini.SpreadsFormTop, state_.Screen.Width(),
                      ini.TaskBarTop());
  together_ = MinimisedTogether::Install(this);
  deckGroups_ = std::make_unique<TDeckGroupsForm>(state_, static_cast<DeckGroupsTableLink&>(*this));
  ApplyLanguage();
}

TSpreadsForm::~TSpreadsForm() {
  // Card windows ask the table while they go.
  windows_.clear();
  deckGroups_.reset();
}

void TSpreadsForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  c.Add("DrawCards", [this] { DrawCards(); });
  c.Add("ClearSpread", [this] { ClearSpread(); });
  c.Add("DealCard", [this] { DealCard(); });
  c.Add("ShuffleDeck", [this] { ShuffleDeck(); });
  c.Add("AddDeckGroup", [this] { AddDeckGroup(); });
  c.Add("SaveSpreadToFile", [this] { SaveSpreadToFile(); });
  c.Add("SaveToJournal", [this] { SaveToJournal(); });
  c.Add("OpenSpreadFile", [this] {
    const std::string path = dialogs_->OpenSpreadFile(this);
    if (!path.empty()) LoadSpread(path);
  });
  c.Add("BackToMainWindow", [this] {
    CloseSpreads();
    links_.face.ShowMainWindowAsFace();
  });
  c.Add("OpenMainMenu", [this] {
    const QPoint corner = strip_.icon->mapToGlobal(QPoint(0, strip_.icon->height()));
    links_.host.PopupMainMenuAtScreen(corner.x(), corner.y());
  });
  c.Add("HideSpreads", [this] {
    HideOrMinimise(
        links_.main.TrayIconActive(), [this] { SetSpreadVisible(false); },
        [this] { MinimiseToTaskbar(); });
  });
  c.Add("CloseProgram", [this] {
    CloseSpreads();
    links_.host.CloseMainWindow();
  });
  // The deal mode: from one deck, or each card from a new deck.
  auto* modes = new QActionGroup(commands_);
  modes->setExclusive(true);
  const bool newDecks = state_.INIData.SpreadsFormMultiDecksEnabled;
  for (const bool mode : {false, true}) {
    QAction* entry = c.AddOption(mode ? "N2" : "N1", [this, mode](bool) {
      state_.INIData.SpreadsFormMultiDecksEnabled = mode;
    });
    entry->setChecked(mode == newDecks);
    modes->addAction(entry);
  }
  c.Add("EnterReading", [this] {
    links_.readingEntry.EnterReading(table_.Count() > 0 ? reading_.FilePath() : std::string());
  });
  c.Add("N4", [this] { CopyReading(); });
  c.Add("N5", [this] { SaveReadingPicture(); });
  CaptionShareEntries(c["N4"], c["N5"]);
  CardCountChanged();
  c.BindKeys(this, {{vk::Digit0, "ClearSpread"}, {vk::Digit1, "DealCard"}});
  c.BindControlKeys(this, {{vk::C, "N4"}, {vk::P, "N5"}, {vk::J, "SaveToJournal"}});
}

TSkinImage* TSpreadsForm::CommandImage(const char* name, const char* resource, int x, int y,
                                       const char* command) {
  TSkinImage* image = MakeSkinImage(this, name, QString::fromLatin1(resource));
  image->setGeometry(x, y, kTile, kTile);
  image->setCursor(Qt::PointingHandCursor);
  AddPressEffect(image);
  // A right click on any command opens the menu of the deal mode and the
  // reading (the mode's own button is not shown).
  image->setContextMenuPolicy(Qt::CustomContextMenu);
  ConnectCommand(image, &QWidget::customContextMenuRequested, this,
                 [this] { PopupMenu1->popup(SpeedButton1->mapToGlobal(QPoint(0, 0))); });
  connect(image, &TSkinImage::clicked, (*commands_)[command], &QAction::trigger);
  commandImages_.push_back(image);
  return image;
}

void TSpreadsForm::CreateControls() {
  setFixedSize(kWidth, kHeight);
  TitleStrip::Look look;
  look.icon = ":/skin/menu_alpha.png";
  look.minimiseHeight = 9;
  look.buttonsEnd = kWidth + 1;
  look.underline = true;
  strip_ = TitleStrip::Make(this, kWidth, look);

  CommandImage("Image11", ":/skin/spread_draw_alpha.png", 0, 20, "DrawCards");
  CommandImage("Image6", ":/skin/spread_new_alpha.png", 33, 20, "ClearSpread");
  Image7 = CommandImage("Image7", ":/skin/spread_deal_alpha.png", 65, 20, "DealCard");
  CommandImage("Image12", ":/skin/spread_shuffle_alpha.png", 97, 20, "ShuffleDeck");
  CommandImage("Image3", ":/skin/spread_add_deck_alpha.png", 129, 21, "AddDeckGroup");
  CommandImage("Image13", ":/skin/spread_save_alpha.png", 161, 20, "SaveSpreadToFile");
  CommandImage("Image14", ":/skin/spread_open_alpha.png", 193, 20, "OpenSpreadFile");
  CommandImage("Image2", ":/skin/spread_main_window_alpha.png", 225, 21, "BackToMainWindow");

  SpeedButton1 = new QWidget(this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setGeometry(86, 39, 10, 14);
  SpeedButton1->hide();

  // The deal mode, then the reading's entries; captioned with the
  // language (ApplyLanguage).
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  const CommandSet& c = *commands_;
  PopupMenu1->addActions({c["N1"], c["N2"]});
  PopupMenu1->addSeparator()->setObjectName("N3");
  PopupMenu1->addActions({c["N4"], c["N5"], c["SaveToJournal"], c["EnterReading"]});

  connect(strip_.icon, &TSkinImage::clicked, c["OpenMainMenu"], &QAction::trigger);
  connect(strip_.minimise, &TSkinImage::clicked, c["HideSpreads"], &QAction::trigger);
  connect(strip_.close, &TSkinImage::clicked, c["CloseProgram"], &QAction::trigger);

  SkinChrome::Hooks hooks;
  hooks.moved = StorePlaceOnMove(state_.INIData.SpreadsFormLeft, state_.INIData.SpreadsFormTop);
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/false);

  // The title strip and the command images take the pointer; the rest of
  // the rectangle lets it through to what lies below.
  QRegion shape(0, 0, kWidth, TitleStrip::kHeight + TitleStrip::kUnderlineHeight);
  for (TSkinImage* tile : commandImages_) {
    shape += tile->geometry().adjusted(0, 0, 1, 1);
  }
  setMask(shape);
}

// ---------------------------------------------------------------------------
// What the other windows ask

void TSpreadsForm::ShowSpreads() {
  // Shown (never minimised) in the main window's stead, taskbar button
  // included: none while the option is off and the tray icon can bring it
  // back.
  if (!isVisible()) {
    const TINIData& ini = state_.INIData;
    SetTaskbarButtonVisible(this, ini.ApplicationShowButtonInTaskBar || !state_.Screen.HasTray());
  }
  ShowNormal(this);
  links_.face.FaceActivated(this);
  BringToFront();
}

// A window the window manager minimised is not on show: the tray icon's
// click brings it back rather than hiding it.
bool TSpreadsForm::IsSpreadVisible() const { return isVisible() && !isMinimized(); }

void TSpreadsForm::SetSpreadVisible(bool visible) {
  if (!visible) together_->HideOthers();
  for (QWidget* card : CardWindows()) SetShown(card, visible);
  if (state_.INIData.DeckGroupsOpen && deckGroups_->isVisible() != visible) {
    SetShown(deckGroups_.get(), visible);
  }
  if (visible) {
    ShowSpreads();
  } else {
    hide();
  }
}

void TSpreadsForm::BringToFront() {
  raise();
  activateWindow();
}

// ---------------------------------------------------------------------------
// Card windows

std::vector<QWidget*> TSpreadsForm::CardWindows() const {
  std::vector<QWidget*> cards;
  for (int place = 0; place < table_.Count(); ++place) {
    cards.push_back(Window(table_.At(place).id));
  }
  return cards;
}

QWidget* TSpreadsForm::DeckGroupsWindow() const { return deckGroups_.get(); }

TCardForm* TSpreadsForm::Window(SpreadTable::CardId card) const {
  const auto found = windows_.find(card);
  return found == windows_.end() ? nullptr : found->second.get();
}

bool TSpreadsForm::GroupsShown() const { return deckGroups_ && deckGroups_->isVisible(); }

std::vector<TCardForm*> TSpreadsForm::CardsInScope() const {
  std::vector<TCardForm*> scope;
  for (const SpreadTable::CardId card : table_.InScope(GroupsShown())) {
    scope.push_back(Window(card));
  }
  return scope;
}

TCardForm& TSpreadsForm::AppendCard(int group, std::string meaning) {
  const SpreadTable::CardId id = table_.Append(group);
  table_.Find(id)->meaning = std::move(meaning);
  auto window =
      std::make_unique<TCardForm>(state_, static_cast<CardTableLink&>(*this), links_.viewer, id);
  TCardForm& card = *window;
  windows_.emplace(id, std::move(window));
  CardCountChanged();
  return card;
}

void TSpreadsForm::CardCountChanged() {
  // Enabled as the table is, not as it was when the menu last opened: the
  // keys trigger these very entries.
  const bool cards = table_.Count() > 0;
  (*commands_)["N4"]->setEnabled(cards);
  (*commands_)["N5"]->setEnabled(cards);
  (*commands_)["SaveToJournal"]->setEnabled(cards);
}

void TSpreadsForm::CloseCard(SpreadTable::CardId card) {
  const auto found = windows_.find(card);
  const std::optional<int> removed = table_.IndexOf(card);
  if (found == windows_.end() || !table_.Remove(card)) return;
  std::unique_ptr<TCardForm> window = std::move(found->second);
  windows_.erase(found);
  // The window may be closing from its own menu: it goes once that is over.
  window->hide();
  window.release()->deleteLater();
  // The later cards moved down a place.
  for (int place = removed.value_or(table_.Count()); place < table_.Count(); ++place) {
    Window(table_.At(place).id)->ShowFace(place, table_.At(place).meaning);
  }
  CardCountChanged();
}

void TSpreadsForm::CardMoved(SpreadTable::CardId card, std::int32_t left, std::int32_t top) {
  if (SpreadTable::Card* entry = table_.Find(card)) {
    entry->left = left;
    entry->top = top;
  }
}

void TSpreadsForm::CardValueChanged(SpreadTable::CardId card, std::int32_t value) {
  if (SpreadTable::Card* entry = table_.Find(card)) entry->value = value;
}

void TSpreadsForm::MoveCardsInScope(int dx, int dy) {
  for (TCardForm* card : CardsInScope()) card->MoveBy(dx, dy);
}

void TSpreadsForm::MoveGroup(int group, int dx, int dy) {
  for (const SpreadTable::CardId card : table_.InGroup(group)) Window(card)->MoveBy(dx, dy);
}

void TSpreadsForm::RaiseGroup(int group) {
  for (const SpreadTable::CardId card : table_.InGroup(group)) Window(card)->raise();
}

void TSpreadsForm::ResizeOtherCards(SpreadTable::CardId except, std::optional<int> width,
                                    std::optional<int> height) {
  for (int place = 0; place < table_.Count(); ++place) {
    if (table_.At(place).id == except) continue;
    TCardForm* card = Window(table_.At(place).id);
    const CardSize size = card->Size();
    card->SetCardSize({width.value_or(size.width), height.value_or(size.height)});
  }
}

void TSpreadsForm::CardClicked(SpreadTable::CardId card) {
  const SpreadTable::Card* entry = table_.Find(card);
  if (entry && GroupsShown() && entry->group != table_.CurrentGroup()) {
    deckGroups_->SelectGroup(entry->group);
  }
}

bool TSpreadsForm::GroupMoveModeFor(SpreadTable::CardId card) const {
  const SpreadTable::Card* entry = table_.Find(card);
  return entry && deckGroups_->MoveMode() && entry->group == table_.CurrentGroup();
}

void TSpreadsForm::EndGroupMove() { deckGroups_->EndMoveMode(); }

void TSpreadsForm::FocusSpreadsWindow() {
  activateWindow();
  setFocus();
}

void TSpreadsForm::FollowCurrentDeck() {
  TCardsSpreadGenerator& picker = state_.SpreadPicker;
  // Only cards with a picture are dealt: a missing one would lie face up
  // showing nothing.
  const std::int32_t cards = state_.TaroDecks.PresentCards();
  if (cards > 0 && picker.Count != cards) picker.InitGenerator(cards);
}

std::int32_t TSpreadsForm::DrawCardValue() {
  const bool reversed = state_.Random.Random(2) == 1;
  const std::int32_t card = state_.SpreadPicker.NextCard();
  if (card == kNoCard) return kNoCard;
  return reversed ? -card : card;
}

// ---------------------------------------------------------------------------
// Commands

void TSpreadsForm::DealCard() {
  FollowCurrentDeck();
  const bool tableWasEmpty = table_.Count() == 0;
  TCardsSpreadGenerator& picker = state_.SpreadPicker;
  if (state_.INIData.SpreadsFormMultiDecksEnabled) picker.ResetGenerator();
  if (picker.Remaining == 0) return;
  TCardForm& card = AppendCard(table_.CurrentGroup());
  const TINIData& ini = state_.INIData;
  const CardSize size{BoundCardSide(ini.SpreadCardWidth), BoundCardSide(ini.SpreadCardHeight)};
  card.SetCardSize(size);
  const QPoint corner = Image7->mapToGlobal(QPoint(0, 0));
  card.SetPlace(DealtCardPlace({x(), y(), width(), height()}, {corner.x(), corner.y()}, size,
                               state_.Screen.Width(), ini.TaskBarTop()));
  card.ShowValue(DrawCardValue());
  card.show();
  // The toolbar stays over the cards (one too large to go beside it too).
  raise();
  reading_.Deal(tableWasEmpty);
}

void TSpreadsForm::DrawCards() {
  if (table_.Count() == 0) return;
  FollowCurrentDeck();
  TCardsSpreadGenerator& picker = state_.SpreadPicker;
  picker.ResetGenerator();
  const bool newDecks = state_.INIData.SpreadsFormMultiDecksEnabled;
  for (TCardForm* card : CardsInScope()) {
    if (newDecks) picker.ResetGenerator();
    // Past an exhausted picker the position stays empty.
    card->ShowValue(DrawCardValue());
  }
  reading_.Redraw();
}

void TSpreadsForm::ShuffleDeck() {
  state_.SpreadPicker.ResetGenerator();
  for (TCardForm* card : CardsInScope()) card->RemovePicture();
}

void TSpreadsForm::ClearSpread() {
  if (GroupsShown()) {
    for (const SpreadTable::CardId card : table_.InScope(true)) CloseCard(card);
    return;
  }
  while (table_.Count() > 0) CloseCard(table_.At(table_.Count() - 1).id);
}

void TSpreadsForm::AddDeckGroup() {
  TDeckGroupsForm& groups = *deckGroups_;
  if (groups.isVisible() || groups.GroupCount() == 0) {
    groups.AddGroup();
    groups.SelectGroup(groups.GroupCount() - 1);
  } else {
    groups.SelectGroup(groups.CurrentGroup());
  }
  if (!groups.isVisible()) groups.OpenGroups();
}

// The cards, the deck groups and the viewer go with it (MinimisedTogether),
// and come back under the toolbar.
void TSpreadsForm::MinimiseToTaskbar() { showMinimized(); }

void TSpreadsForm::ApplyLanguage() {
  CaptionShareEntries(state_.Languages, (*commands_)["N4"], (*commands_)["N5"]);
  (*commands_)["SaveToJournal"]->setText(
      JournalText(state_.Languages, "SaveToJournal", "Записать в дневник"));
  (*commands_)["EnterReading"]->setText(
      CardsText(state_.Languages, "EnterReading", "Ввести расклад с колоды..."));
  static constexpr NamedText kTexts[] = {
      {"Image1", nullptr, "Меню F10", 1001},
      {"Image11", "SpreadsDraw", "Вытянуть карты"},
      {"Image6", nullptr, "Новый расклад", 1027},
      {"Image7", "SpreadsDeal", "Выложить карту"},
      {"Image12", "SpreadsShuffle", "Перемешать карты"},
      {"Image3", "SpreadsAddDeck", "Добавить новую колоду"},
      {"Image13", "SpreadsSave", "Сохранить расклад"},
      {"Image14", "SpreadsOpen", "Выбрать расклад"},
      {"Image2", "SpreadsMainWindow", "Выбрать форму"},
      {"N1", "DealFromOneDeck", "Вылаживать карты с одной колоды"},
      {"N2", "DealFromNewDecks", "Вылаживать карты с новых колод"},
  };
  ApplyNamedTexts(this, state_.Languages, kTexts);
  strip_.ApplyLanguage(state_.Languages);
  deckGroups_->ApplyLanguage();
  for (auto& [id, window] : windows_) window->ApplyLanguage();
}

// ---------------------------------------------------------------------------
// Sharing the reading

void TSpreadsForm::CopyReading() {
  if (table_.Count() == 0) return;
  std::vector<ReadingPosition> positions;
  for (const SpreadTable::CardId id : table_.InScope(GroupsShown())) {
    const SpreadTable::Card& card = *table_.Find(id);
    const TCardForm* window = Window(id);
    ReadingPosition position;
    position.number = std::int64_t{*table_.IndexOf(id)} + 1;
    position.meaning = card.meaning;
    // A card face down or naming no card of the deck shows none.
    if (card.value != kNoCard && (window->ShowsPicture() || window->AwaitsPicture())) {
      position.card = state_.TaroDecks.GetCardName(std::abs(card.value));
      position.reversed = card.value < 0;
    }
    positions.push_back(std::move(position));
  }
  // A spread has no question of its own.
  CopyReadingText(ReadingText(ReadingMomentOr(reading_.LogMoment()), {}, positions,
                              ReadingWordsOf(state_.Languages)));
}

void TSpreadsForm::SaveReadingPicture() {
  if (table_.Count() == 0) return;
  // Pictures still on their way are put up first: the file shows them.
  if (pictures_.Pending()) pictures_.Finish();
  std::vector<PlacedWidget> placed;
  for (const SpreadTable::CardId id : table_.InScope(GroupsShown())) {
    const SpreadTable::Card& card = *table_.Find(id);
    placed.push_back({Window(id), QPoint(card.left, card.top)});
  }
  vaticor::SaveReadingPicture(this, *pictureDialog_, PictureOfWidgets(placed),
                              ReadingMomentOr(reading_.LogMoment()));
}

void TSpreadsForm::CloseSpreads() {
  if (deckGroups_->isVisible()) deckGroups_->CloseGroups();
  ClearSpread();
  hide();
}

void TSpreadsForm::closeEvent(QCloseEvent* event) {
  // Closed by the desktop (Alt+F4): as "Выбрать форму". Hidden rather than
  // closed, and the main window comes back: the program must neither end
  // with its last visible window nor run with no window at all.
  event->ignore();
  (*commands_)["BackToMainWindow"]->trigger();
}

// ---------------------------------------------------------------------------
// Spread files

std::vector<SavedSpreadCard> TSpreadsForm::SavedCards() const {
  std::vector<SavedSpreadCard> saved;
  for (const SpreadTable::CardId id : table_.InScope(GroupsShown())) {
    // Where the card stands, as the table keeps it: never a place the
    // window system reported wrongly.
    const SpreadTable::Card& card = *table_.Find(id);
    // A card whose picture is still being decoded lies face up all the same.
    const TCardForm* window = Window(id);
    saved.push_back({*table_.IndexOf(id), card.left, card.top,
                     SavedCardValue(card.value, window->ShowsPicture() || window->AwaitsPicture()),
                     card.meaning});
  }
  return saved;
}

void TSpreadsForm::SaveSpreadToFile() {
  if (table_.Count() == 0) return;
  const std::string path = dialogs_->SaveSpreadFile(this);
  if (path.empty()) return;
  const TINIData& ini = state_.INIData;
  SaveSpreadFile(path, ini.SpreadCardWidth, ini.SpreadCardHeight, SavedCards(), state_.Screen,
                 reading_.LogMoment());
}

void TSpreadsForm::SaveToJournal() {
  if (table_.Count() == 0 || state_.Journal.ReadOnly()) return;
  const TINIData& ini = state_.INIData;
  RunJournalCommand(this, state_.Languages, [&] {
    reading_.Record(state_.Journal, SavedCards(), ini.SpreadCardWidth, ini.SpreadCardHeight,
                    state_.Screen, state_.TaroDecks, state_.TaroDescriptions);
  });
}

void TSpreadsForm::LayRecordedSpread(const JournalEntry& entry) {
  const TINIData& ini = state_.INIData;
  const std::optional<SpreadLayout> layout =
      RecordedSpreadLayout(entry, ini.SpreadCardWidth, ini.SpreadCardHeight, state_.Screen);
  if (!layout) return;
  if (!isVisible()) links_.face.ShowSpreadsAsFace();
  LayOutSpread(*layout);
  reading_.Resume(entry);
  BringToFront();
}

void TSpreadsForm::GiveWayToMainWindow() {
  if (!links_.face.SpreadsAreFace()) return;
  SetSpreadVisible(false);
  links_.face.ShowMainWindowAsFace();
}

void TSpreadsForm::LoadSpread(const std::string& path) {
  TINIData& ini = state_.INIData;
  const std::optional<SpreadLayout> layout =
      ReadSpreadFile(path, ini.SpreadCardWidth, ini.SpreadCardHeight, state_.Screen);
  if (layout) {
    LayOutSpread(*layout);
    // A saved reading is still the reading of its moment.
    reading_.Begin(path, layout->Moment);
    RecordSpreadScreen(path, *layout, state_.Screen);
  }
  BringToFront();
}

void TSpreadsForm::LayOutSpread(const SpreadLayout& layout) {
  TINIData& ini = state_.INIData;
  ClearSpread();
  if (layout.Positions.empty()) return;
  ini.SpreadCardWidth = layout.CardWidth;
  ini.SpreadCardHeight = layout.CardHeight;
  FollowCurrentDeck();
  state_.SpreadPicker.ResetGenerator();
  const CardSize size{BoundCardSide(layout.CardWidth), BoundCardSide(layout.CardHeight)};
  const int group = GroupsShown() ? table_.CurrentGroup() : 0;
  int created = 0;
  for (const SpreadPosition& position : layout.Positions) {
    TCardForm& card = AppendCard(group, position.Description);
    card.SetCardSize(size);
    card.SetPlace({position.Left, position.Top});
    card.ShowValue(position.Value, /*decodeLater=*/true);
    pictures_.Add(table_.At(table_.Count() - 1).id);  // the card just made
    const std::int32_t value = card.CardValue();
    const std::string name =
        value == kNoCard ? std::string() : state_.TaroDecks.GetCardName(std::abs(value));
    card.SetPositionHint(
        SpreadPositionHint(card.Tag() + 1, position.Value, name, position.Description));
    card.show();
    if (++created % kCardsBetweenRepaints == 0) {
      // The workers begin on the cards that stand while the rest are made;
      // a better ranked card made later still goes before those waiting.
      pictures_.RequestNow();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }
  pictures_.RequestSoon();
}

}  // namespace vaticor
