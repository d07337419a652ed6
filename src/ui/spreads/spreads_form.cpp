#include "ui/spreads/spreads_form.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "core/spread_geometry.h"
#include "library/spread_file.h"
#include "platform/desktop_shell.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/key_commands.h"
#include "ui/chrome/press_effect.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"
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
      pictureDialog_(pictureDialog ? std::move(pictureDialog) : MakeReadingPictureDialog()) {
  setObjectName("SpreadsForm");
  setWindowTitle(QStringLiteral("Vaticor"));
  pictureTimer_.setSingleShot(true);
  pictureTimer_.setInterval(0);
  ConnectCommand(&pictureTimer_, &QTimer::timeout, this, [this] { RequestPictures(); });
  // Only the skin's pictures are seen: the window has their outline.
  setAttribute(Qt::WA_TranslucentBackground);
  UseSkinFont(this);
  setFocusPolicy(Qt::StrongFocus);
  CreateControls();
  OnKeyRelease(this, this, [this](int key, Qt::KeyboardModifiers) { FormKeyUp(key); });
  OnControlKeyPress(this, this, [this](int key, Qt::KeyboardModifiers) { ControlKeyDown(key); });
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

TSkinImage* TSpreadsForm::CommandImage(const char* name, const char* resource, int x, int y,
                                       void (TSpreadsForm::*command)()) {
  TSkinImage* image = MakeSkinImage(this, name, QString::fromLatin1(resource));
  image->setGeometry(x, y, kTile, kTile);
  image->setCursor(Qt::PointingHandCursor);
  AddPressEffect(image);
  // A right click on any command opens the menu of the deal mode and the
  // reading (the mode's own button is not shown).
  image->setContextMenuPolicy(Qt::CustomContextMenu);
  ConnectCommand(image, &QWidget::customContextMenuRequested, this,
                 [this] { PopupDealModeMenu(); });
  ConnectCommand(image, &TSkinImage::clicked, this, [this, command] { (this->*command)(); });
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

  CommandImage("Image11", ":/skin/spread_draw_alpha.png", 0, 20, &TSpreadsForm::Image11Click);
  CommandImage("Image6", ":/skin/spread_new_alpha.png", 33, 20, &TSpreadsForm::ClearSpread);
  Image7 = CommandImage("Image7", ":/skin/spread_deal_alpha.png", 65, 20, &TSpreadsForm::DealCard);
  CommandImage("Image12", ":/skin/spread_shuffle_alpha.png", 97, 20, &TSpreadsForm::Image12Click);
  CommandImage("Image3", ":/skin/spread_add_deck_alpha.png", 129, 21, &TSpreadsForm::Image3Click);
  CommandImage("Image13", ":/skin/spread_save_alpha.png", 161, 20, &TSpreadsForm::Image13Click);
  CommandImage("Image14", ":/skin/spread_open_alpha.png", 193, 20, &TSpreadsForm::Image14Click);
  CommandImage("Image2", ":/skin/spread_main_window_alpha.png", 225, 21,
               &TSpreadsForm::Image2Click);

  SpeedButton1 = new QWidget(this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setGeometry(86, 39, 10, 14);
  SpeedButton1->hide();

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  auto* modes = new QActionGroup(PopupMenu1);
  modes->setExclusive(true);
  // Captioned with the language (ApplyLanguage).
  for (int tag = 0; tag < 2; ++tag) {
    QAction* entry = PopupMenu1->addAction(QString());
    entry->setObjectName(tag == 0 ? "N1" : "N2");
    entry->setCheckable(true);
    entry->setData(tag);
    modes->addAction(entry);
    ConnectCommand(entry, &QAction::triggered, this, [this, tag] { SetDealMode(tag); });
  }
  PopupMenu1->addSeparator()->setObjectName("N3");
  copyReading_ = PopupMenu1->addAction(QString());
  copyReading_->setObjectName("N4");
  ConnectCommand(copyReading_, &QAction::triggered, this, [this] { CopyReading(); });
  saveReadingPicture_ = PopupMenu1->addAction(QString());
  saveReadingPicture_->setObjectName("N5");
  CaptionShareEntries(copyReading_, saveReadingPicture_);
  ConnectCommand(saveReadingPicture_, &QAction::triggered, this, [this] { SaveReadingPicture(); });
  ConnectCommand(PopupMenu1, &QMenu::aboutToShow, this, [this, modes] {
    const int mode = state_.INIData.SpreadsFormMultiDecksEnabled ? 1 : 0;
    for (QAction* entry : modes->actions()) entry->setChecked(entry->data().toInt() == mode);
    copyReading_->setEnabled(CardCount() > 0);
    saveReadingPicture_->setEnabled(CardCount() > 0);
  });

  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] { Image1Click(); });
  ConnectCommand(strip_.minimise, &TSkinImage::clicked, this, [this] { ButtonHideImageClick(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { ButtonCloseImageClick(); });

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
  ShowAsTheProgramsFace();
  BringToFront();
}

void TSpreadsForm::ShowAsTheProgramsFace() {
  // The window stands in for the main window, taskbar button included:
  // none while the option is off and the tray icon can bring it back.
  if (!isVisible()) {
    const TINIData& ini = state_.INIData;
    SetTaskbarButtonVisible(this, ini.ApplicationShowButtonInTaskBar || !state_.Screen.HasTray());
  }
  ShowNormal(this);
  links_.face.FaceActivated(this);
}

// A window the window manager minimised is not on show: the tray icon's
// click brings it back rather than hiding it.
bool TSpreadsForm::IsSpreadVisible() const { return isVisible() && !isMinimized(); }

void TSpreadsForm::ShowCards(bool visible) {
  for (int place = 0; place < CardCount(); ++place) SetShown(Card(place), visible);
}

void TSpreadsForm::SetSpreadVisible(bool visible) {
  if (!visible) together_->HideOthers();
  ShowCards(visible);
  if (state_.INIData.DeckGroupsOpen && deckGroups_->isVisible() != visible) {
    SetShown(deckGroups_.get(), visible);
  }
  if (visible) {
    ShowAsTheProgramsFace();
    BringToFront();
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

TCardForm* TSpreadsForm::Card(int place) const {
  if (place < 0 || place >= CardCount()) return nullptr;
  return Window(table_.At(place).id);
}

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
  return card;
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
  for (int place = removed.value_or(CardCount()); place < CardCount(); ++place) {
    Card(place)->ShowFace(place, table_.At(place).meaning);
  }
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
  for (int place = 0; place < CardCount(); ++place) {
    if (table_.At(place).id == except) continue;
    TCardForm* card = Card(place);
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
  readingMoment_ = ReadingMomentNow();
}

void TSpreadsForm::Image11Click() {
  if (CardCount() == 0) return;
  FollowCurrentDeck();
  TCardsSpreadGenerator& picker = state_.SpreadPicker;
  picker.ResetGenerator();
  const bool newDecks = state_.INIData.SpreadsFormMultiDecksEnabled;
  for (TCardForm* card : CardsInScope()) {
    if (newDecks) picker.ResetGenerator();
    // Past an exhausted picker the position stays empty.
    card->ShowValue(DrawCardValue());
  }
  readingMoment_ = ReadingMomentNow();
}

void TSpreadsForm::Image12Click() {
  state_.SpreadPicker.ResetGenerator();
  for (TCardForm* card : CardsInScope()) card->RemovePicture();
}

void TSpreadsForm::ClearSpread() {
  if (GroupsShown()) {
    for (const SpreadTable::CardId card : table_.InScope(true)) CloseCard(card);
    return;
  }
  while (CardCount() > 0) CloseCard(table_.At(CardCount() - 1).id);
}

void TSpreadsForm::Image3Click() {
  TDeckGroupsForm& groups = *deckGroups_;
  if (groups.isVisible() || groups.GroupCount() == 0) {
    groups.AddGroup();
    groups.SelectGroup(groups.GroupCount() - 1);
  } else {
    groups.SelectGroup(groups.CurrentGroup());
  }
  if (!groups.isVisible()) groups.OpenGroups();
}

void TSpreadsForm::Image13Click() {
  if (CardCount() == 0) return;
  const std::string path = dialogs_->SaveSpreadFile(this);
  if (!path.empty()) SaveSpread(path);
}

void TSpreadsForm::Image14Click() {
  const std::string path = dialogs_->OpenSpreadFile(this);
  if (!path.empty()) LoadSpread(path);
}

void TSpreadsForm::Image2Click() {
  CloseSpreads();
  links_.face.ShowMainWindowAsFace();
}

void TSpreadsForm::ButtonCloseImageClick() {
  CloseSpreads();
  links_.host.CloseMainWindow();
}

void TSpreadsForm::ButtonHideImageClick() {
  HideOrMinimise(
      links_.main.TrayIconActive(), [this] { SetSpreadVisible(false); },
      [this] { MinimiseToTaskbar(); });
}

// The cards, the deck groups and the viewer go with it (MinimisedTogether),
// and come back under the toolbar.
void TSpreadsForm::MinimiseToTaskbar() { showMinimized(); }

void TSpreadsForm::Image1Click() {
  const QPoint corner = strip_.icon->mapToGlobal(QPoint(0, strip_.icon->height()));
  links_.host.PopupMainMenuAtScreen(corner.x(), corner.y());
}

void TSpreadsForm::SetDealMode(int tag) { state_.INIData.SpreadsFormMultiDecksEnabled = tag == 1; }

void TSpreadsForm::PopupDealModeMenu() {
  PopupMenu1->popup(SpeedButton1->mapToGlobal(QPoint(0, 0)));
}

void TSpreadsForm::FormKeyUp(int virtualKey) {
  if (virtualKey == vk::Digit0) ClearSpread();
  if (virtualKey == vk::Digit1) DealCard();
}

void TSpreadsForm::ControlKeyDown(int virtualKey) {
  if (virtualKey == vk::C) CopyReading();
  if (virtualKey == vk::P) SaveReadingPicture();
}

void TSpreadsForm::ApplyLanguage() {
  CaptionShareEntries(state_.Languages, copyReading_, saveReadingPicture_);
  static constexpr NamedText kTexts[] = {
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
  if (CardCount() == 0) return;
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
  CopyReadingText(ReadingText(ReadingMomentOr(readingMoment_), {}, positions,
                              ReadingWordsOf(state_.Languages)));
}

void TSpreadsForm::SaveReadingPicture() {
  if (CardCount() == 0) return;
  // Pictures still on their way are put up first: the file shows them.
  if (PicturesPending()) FinishPictures();
  std::vector<PlacedWidget> placed;
  for (const SpreadTable::CardId id : table_.InScope(GroupsShown())) {
    const SpreadTable::Card& card = *table_.Find(id);
    placed.push_back({Window(id), QPoint(card.left, card.top)});
  }
  vaticor::SaveReadingPicture(this, *pictureDialog_, PictureOfWidgets(placed),
                              ReadingMomentOr(readingMoment_));
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
  RunCommand(this, [this] { Image2Click(); });
}

// ---------------------------------------------------------------------------
// Spread files

void TSpreadsForm::SaveSpread(const std::string& path) {
  if (CardCount() == 0) return;
  std::vector<SavedSpreadCard> saved;
  for (const SpreadTable::CardId id : table_.InScope(GroupsShown())) {
    // Where the card stands, as the table keeps it: never a place the
    // window system reported wrongly.
    const SpreadTable::Card& card = *table_.Find(id);
    saved.push_back({*table_.IndexOf(id), card.left, card.top,
                     SavedCardValue(card.value, Window(id)->ShowsPicture()), card.meaning});
  }
  const TINIData& ini = state_.INIData;
  SaveSpreadFile(path, ini.SpreadCardWidth, ini.SpreadCardHeight, saved, state_.Screen,
                 readingMoment_);
}

void TSpreadsForm::LoadSpread(const std::string& path) {
  TINIData& ini = state_.INIData;
  const std::optional<SpreadLayout> layout =
      ReadSpreadFile(path, ini.SpreadCardWidth, ini.SpreadCardHeight, state_.Screen);
  if (!layout) {
    BringToFront();
    return;
  }
  ClearSpread();
  if (layout->Positions.empty()) {
    BringToFront();
    return;
  }
  ini.SpreadCardWidth = layout->CardWidth;
  ini.SpreadCardHeight = layout->CardHeight;
  FollowCurrentDeck();
  state_.SpreadPicker.ResetGenerator();
  const CardSize size{BoundCardSide(layout->CardWidth), BoundCardSide(layout->CardHeight)};
  const int group = GroupsShown() ? table_.CurrentGroup() : 0;
  int created = 0;
  for (const SpreadPosition& position : layout->Positions) {
    TCardForm& card = AppendCard(group, position.Description);
    card.SetCardSize(size);
    card.SetPlace({position.Left, position.Top});
    card.ShowValue(position.Value, /*decodeLater=*/true);
    pendingPictures_.emplace_back(&card);
    const std::int32_t value = card.CardValue();
    const std::string name =
        value == kNoCard ? std::string() : state_.TaroDecks.GetCardName(std::abs(value));
    card.SetPositionHint(QString::fromStdString(
        SpreadPositionHint(card.Tag() + 1, position.Value, name, position.Description)));
    card.show();
    if (++created % kCardsBetweenRepaints == 0) {
      // The workers begin on the cards that stand while the rest are made;
      // a better ranked card made later still goes before those waiting.
      RequestPictures();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }
  pictureTimer_.start();
  // A saved reading is still the reading of its moment.
  readingMoment_ = layout->Moment.empty() ? ReadingMomentNow() : layout->Moment;
  RecordSpreadScreen(path, *layout, state_.Screen);
  BringToFront();
}

bool TSpreadsForm::PicturesPending() const {
  for (const QPointer<TCardForm>& card : pendingPictures_) {
    if (card && card->AwaitsPicture()) return true;
  }
  return false;
}

void TSpreadsForm::FinishPictures() {
  RequestPictures();
  state_.PictureWork.WaitForDecodes();
  // The pictures wait in the event queue; they go up now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  pendingPictures_.clear();
}

void TSpreadsForm::RequestPictures() {
  pictureTimer_.stop();
  // Cards gone, or whose picture came, need nothing more.
  std::erase_if(pendingPictures_,
                [](const QPointer<TCardForm>& card) { return !card || !card->AwaitsPicture(); });
  std::vector<double> ranks;
  for (const QPointer<TCardForm>& card : pendingPictures_) {
    ranks.push_back(PictureRank({card->x(), card->y()}, {card->width(), card->height()},
                                state_.Screen.Width(), state_.Screen.Height()));
  }
  for (const std::size_t i : PictureRequestOrder(ranks)) {
    pendingPictures_[i]->RequestPendingPicture(ranks[i]);
  }
}

}  // namespace vaticor
