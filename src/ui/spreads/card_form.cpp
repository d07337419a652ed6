#include "ui/spreads/card_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cstdlib>
#include <limits>

#include "library/picture.h"
#include "library/spread_file.h"
#include "platform/desktop_shell.h"
#include "platform/picture_image.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/accessible_controls.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {
namespace {

// Every card the deck may hold: whether a card exists is the deck's to say
// when its picture is asked for.
constexpr std::int32_t kAnyCard = std::numeric_limits<std::int32_t>::max();

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

}  // namespace

TCardForm::TCardForm(ProgramState& state, CardTableLink& table, CardViewerLink& viewer,
                     SpreadTable::CardId card)
    // A tool window: the cards belong to the program's taskbar button.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      state_(state),
      table_(table),
      viewer_(viewer),
      id_(card) {
  setObjectName("CardForm");
  setWindowTitle(QStringLiteral("Vaticor"));
  UseSkinLook(this);
  setFocusPolicy(Qt::StrongFocus);
  place_ = WindowPlaceKeeper::Install(this);
  place_->OnPlaceChanged([this](QPoint at) { table_.CardMoved(id_, at.x(), at.y()); });
  SetTaskbarButtonVisible(this, false);
  CreateControls();
  CreateCommands();
  CreateMenu();
  SetCardSize({kDesignWidth, kDesignHeight});
  ShowFace(Tag(), PositionMeaning());
}

TCardForm::~TCardForm() = default;

void TCardForm::CreateControls() {
  Image6 = MakeSkinImage(this, "Image6", ":/skin/edge_h.png");
  Image7 = MakeSkinImage(this, "Image7", ":/skin/edge_v.png");
  Image7->setCursor(Qt::SizeHorCursor);
  Image8 = MakeSkinImage(this, "Image8", ":/skin/edge_h.png");
  Image8->setCursor(Qt::SizeVerCursor);
  Image9 = MakeSkinImage(this, "Image9", ":/skin/edge_v.png");
  Image9->setCursor(Qt::SizeHorCursor);
  CardImage = new TCardImage(this);
  CardImage->setObjectName("CardImage");
  CardImage->setCursor(Qt::ArrowCursor);
  CardImage->SetPictureSource(
      [this](std::int32_t card) { return state_.TaroDecks.GetCardPictureFile(card); },
      state_.PictureWork);

  CardImage->installEventFilter(this);
  // The right and bottom edges resize by the kit's edge drag; the sizes
  // follow the card's own rules (bounded, with the deck's proportions).
  chrome_ = std::make_unique<SkinChrome>(this, SkinChrome::Hooks{});
  chrome_->AddDragSteps(Image9, Qt::Horizontal,
                        [this](int dx) { RunCommand(this, [this, dx] { RightEdgeStep(dx); }); });
  chrome_->AddDragSteps(Image8, Qt::Vertical,
                        [this](int dy) { RunCommand(this, [this, dy] { BottomEdgeStep(dy); }); });
  ConnectCommand(CardImage, &TCardImage::clicked, this, [this] { table_.CardClicked(id_); });
  ConnectCommand(CardImage, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    MarkShownCard();
    PopupMenu1->popup(CardImage->mapToGlobal(at));
  });
}

void TCardForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  c.Add("N1", [this] { ViewDescription(); });
  c.Add("N4", [this] { table_.CloseCard(id_); });
  // The spreads window's commands that share the reading.
  c.Add("CopyReading", [this] { table_.CopyReading(); });
  c.Add("SaveReadingPicture", [this] { table_.SaveReadingPicture(); });
  c.Add("FocusSpreadsWindow", [this] { table_.FocusSpreadsWindow(); });
  struct Arrow {
    ArrowKey key;
    const char* move;
    const char* moveFar;
    const char* resize;
  };
  static constexpr Arrow kArrows[] = {
      {ArrowKey::Left, "MoveLeft", "MoveFarLeft", "Narrow"},
      {ArrowKey::Right, "MoveRight", "MoveFarRight", "Widen"},
      {ArrowKey::Up, "MoveUp", "MoveFarUp", "Shorten"},
      {ArrowKey::Down, "MoveDown", "MoveFarDown", "Lengthen"},
  };
  for (const Arrow& arrow : kArrows) {
    c.Add(arrow.move, [this, key = arrow.key] { MoveByArrow(key, false); });
    c.Add(arrow.moveFar, [this, key = arrow.key] { MoveByArrow(key, true); });
    c.Add(arrow.resize, [this, key = arrow.key] { ResizeByArrow(key); });
  }
  c.Add("FitToScreenHeight", [this] { FitToScreenHeight(); });
  c.Add("ScreenSizedCards", [this] { ScreenSizedCards(); });

  // The first binding of a key whose modifiers fit wins: an arrow with
  // Shift alone resizes, with Ctrl alone moves far, with anything else one
  // pixel.
  constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
  constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
  c.BindKeys(this, {{vk::Tab, "FocusSpreadsWindow"},
                    {vk::Left, "Narrow", kShift},
                    {vk::Left, "MoveFarLeft", kCtrl},
                    {vk::Left, "MoveLeft"},
                    {vk::Right, "Widen", kShift},
                    {vk::Right, "MoveFarRight", kCtrl},
                    {vk::Right, "MoveRight"},
                    {vk::Up, "Shorten", kShift},
                    {vk::Up, "MoveFarUp", kCtrl},
                    {vk::Up, "MoveUp"},
                    {vk::Down, "Lengthen", kShift},
                    {vk::Down, "MoveFarDown", kCtrl},
                    {vk::Down, "MoveDown"},
                    {vk::OemPlus, "FitToScreenHeight"},
                    {vk::OemBackslash, "ScreenSizedCards"}});
  c.BindControlKeys(this, {{vk::C, "CopyReading"}, {vk::P, "SaveReadingPicture"}});
}

void TCardForm::CreateMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addAction((*commands_)["N1"]);

  // Filled with the current deck's names when the card menu opens: a
  // window made for a large spread costs no menu until it is used.
  chooseMenu_ = PopupMenu1->addMenu(QString::fromUtf8("Выбрать карту"));
  chooseMenu_->setObjectName("N2");
  chooseMenu_->menuAction()->setObjectName("N2");
  PopupMenu1->addSeparator();
  PopupMenu1->addAction((*commands_)["N4"]);
  ApplyLanguage();
}

void TCardForm::ApplyLanguage() {
  static constexpr NamedText kTexts[] = {
      {"N1", "CardViewDescription", "Просмотреть описание"},
      {"N2", "CardChoose", "Выбрать карту"},
      {"N4", nullptr, "Закрыть", 1030},
  };
  ApplyNamedTexts(this, state_.Languages, kTexts);
  Speak();
}

void TCardForm::LayOut() {
  const int w = width();
  const int h = height();
  Image6->setGeometry(0, 0, w, kEdge);
  Image7->setGeometry(0, kEdge, kEdge, h - 2 * kEdge);
  Image8->setGeometry(0, h - kEdge, w, kEdge);
  Image9->setGeometry(w - kEdge, kEdge, kEdge, h - 2 * kEdge);
  CardImage->setGeometry(kEdge, kEdge, w - 2 * kEdge, h - 2 * kEdge);
}

void TCardForm::SetCardSize(CardSize size) {
  resize(size.width, size.height);
  LayOut();
}

void TCardForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

CardPlace TCardForm::Place() const {
  const QPoint place = place_->Place();
  return {place.x(), place.y()};
}

void TCardForm::SetPlace(CardPlace place) { place_->MoveTo({place.left, place.top}); }

void TCardForm::MoveBy(int dx, int dy) {
  const CardPlace place = Place();
  SetPlace({place.left + dx, place.top + dy});
}

void TCardForm::closeEvent(QCloseEvent* event) {
  // Only the spreads window destroys a card window; a window the desktop
  // merely hid would still be saved and come back with the spread.
  event->ignore();
  (*commands_)["N4"]->trigger();
}

// ---------------------------------------------------------------------------
// The card shown

int TCardForm::Tag() const { return table_.Table().IndexOf(id_).value_or(-1); }

int TCardForm::GroupIndex() const {
  const SpreadTable::Card* card = table_.Table().Find(id_);
  return card ? card->group : 0;
}

std::int32_t TCardForm::CardValue() const {
  const SpreadTable::Card* card = table_.Table().Find(id_);
  return card ? card->value : kNoCard;
}

bool TCardForm::ShowsPicture() const { return CardImage->HasPicture(); }

void TCardForm::ShowValue(std::int32_t value, bool decodeLater) {
  const ShownCard shown = ShowCardValue(value, state_.INIData.UpSideDownCardsEnabled, kAnyCard);
  table_.CardValueChanged(id_, shown.Value);
  if (shown.Card) {
    CardImage->ShowCard(*shown.Card, shown.Reversed, decodeLater);
  } else {
    CardImage->ForgetCard();
  }
  Speak();
}

bool TCardForm::RequestPendingPicture(double rank) {
  return CardImage->RequestPendingPicture(rank);
}

bool TCardForm::AwaitsPicture() const { return CardImage->AwaitsPicture(); }

void TCardForm::RemovePicture() {
  CardImage->ForgetCard();
  Speak();
}

void TCardForm::ShowFace(int place, const std::string& meaning) {
  CardImage->SetFace(std::int64_t{place} + 1, meaning);
  Speak();  // the place is in its description
}

std::string TCardForm::PositionMeaning() const {
  const SpreadTable::Card* card = table_.Table().Find(id_);
  return card ? card->meaning : std::string();
}

void TCardForm::SetPositionHint(const std::string& text) {
  SetHint(CardImage, QString::fromStdString(text));
  Speak();  // its description is the position's number and meaning alone
}

void TCardForm::Speak() {
  const std::int32_t value = CardValue();
  std::optional<std::string> name;
  if (CardImage->HasPicture() || CardImage->AwaitsPicture()) {
    name = state_.TaroDecks.GetCardName(std::abs(value));
    if (name->empty()) name.reset();
  }
  // The number its face shows, as the face says it: positions still
  // without a card are told apart by it.
  const int place = Tag();
  std::string position = PositionMeaning();
  if (place >= 0) {
    position = std::to_string(place + 1) + (position.empty() ? "" : ". " + position);
  }
  SpeakCard(CardImage, SpokenCardName(ReadingWordsOf(state_.Languages), name, value < 0),
            Utf8(position));
}

QString TCardForm::PositionHint() const { return CardImage->toolTip(); }

// ---------------------------------------------------------------------------
// The card menu

void TCardForm::FillChooseMenu() {
  std::vector<std::string> names = state_.TaroDecks.GetCardNames();
  if (names == chooseNames_) return;
  chooseMenu_->clear();
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* entry = AddFileItem(chooseMenu_, QString::fromStdString(names[i]));
    entry->setCheckable(true);
    entry->setData(static_cast<int>(i));
    const int card = static_cast<int>(i);
    ConnectCommand(entry, &QAction::triggered, this, [this, card] { ChooseCard(card); });
  }
  chooseNames_ = std::move(names);
}

void TCardForm::MarkShownCard() {
  // The submenu follows the deck current now. The mark moves to the card
  // shown; an entry the user triggered last time checked itself, so every
  // entry is set.
  FillChooseMenu();
  const QList<QAction*> entries = chooseMenu_->actions();
  const std::int32_t value = CardValue();
  const long long magnitude = std::llabs(static_cast<long long>(value));
  const int checked =
      value != kNoCard && magnitude < entries.size() ? static_cast<int>(magnitude) : -1;
  for (int i = 0; i < entries.size(); ++i) entries[i]->setChecked(i == checked);
}

void TCardForm::ViewDescription() {
  if (!ShowsPicture()) return;
  const int card = std::abs(CardValue());
  const std::string meaning = PositionMeaning();
  if (meaning.empty()) {
    viewer_.ShowCardDescription(state_.TaroDecks.GetCardName(card), card, 0);
  } else {
    viewer_.ShowCardAtPosition(state_.TaroDecks.GetCardName(card), card, 0, meaning);
  }
}

void TCardForm::ChooseCard(int card) { ShowValue(card); }

// ---------------------------------------------------------------------------
// Mouse: the picture moves, the right and bottom edges resize

bool TCardForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CardImage) return CardImageMouse(event);
  return QWidget::eventFilter(watched, event);
}

bool TCardForm::CardImageMouse(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      const Qt::KeyboardModifiers modifiers = mouse.modifiers() & kModifierKeys;
      if (mouse.button() == Qt::LeftButton &&
          (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)) {
        lastDragPoint_ = mouse.globalPosition().toPoint();
        imagePressed_ = true;
      }
      return false;
    }
    case QEvent::MouseMove: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (!imagePressed_ || mouse.buttons() != Qt::LeftButton) return false;
      const QPoint point = mouse.globalPosition().toPoint();
      const QPoint by = point - lastDragPoint_;
      lastDragPoint_ = point;
      const Qt::KeyboardModifiers modifiers = mouse.modifiers() & kModifierKeys;
      RunCommand(this, [&] {
        const bool groupMove = modifiers == Qt::ControlModifier ||
                               (modifiers == Qt::NoModifier && table_.GroupMoveModeFor(id_));
        if (groupMove) {
          table_.MoveCardsInScope(by.x(), by.y());
        } else if (modifiers == Qt::NoModifier) {
          MoveBy(by.x(), by.y());
        }
      });
      return false;
    }
    case QEvent::MouseButtonRelease: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (mouse.button() == Qt::LeftButton && imagePressed_) {
        imagePressed_ = false;
        // A group moved by "Переместить групу" is put down.
        table_.EndGroupMove();
      }
      return false;
    }
    default:
      return false;
  }
}

void TCardForm::RightEdgeStep(int dx) {
  TINIData& ini = state_.INIData;
  const bool autoSize = ini.ApplicationAutoSizeEnabled;
  const CardSize size = DragCardRightEdge(Size(), dx, autoSize, state_.TaroDecks.CardWidth,
                                          state_.TaroDecks.CardHeight);
  SetCardSize(size);
  if (autoSize) ini.SpreadCardHeight = size.height;
  if (table_.Table().Count() >= 2) {
    table_.ResizeOtherCards(id_, size.width,
                            autoSize ? std::optional<int>(size.height) : std::nullopt);
  }
  ini.SpreadCardWidth = size.width;
}

void TCardForm::BottomEdgeStep(int dy) {
  TINIData& ini = state_.INIData;
  const bool autoSize = ini.ApplicationAutoSizeEnabled;
  const CardSize size = DragCardBottomEdge(Size(), dy, autoSize, state_.TaroDecks.CardWidth,
                                           state_.TaroDecks.CardHeight);
  SetCardSize(size);
  if (autoSize) ini.SpreadCardWidth = size.width;
  if (table_.Table().Count() >= 2) {
    table_.ResizeOtherCards(id_, autoSize ? std::optional<int>(size.width) : std::nullopt,
                            size.height);
  }
  ini.SpreadCardHeight = size.height;
}

// ---------------------------------------------------------------------------
// Keys

void TCardForm::ResizeByArrow(ArrowKey arrow) {
  const CardSize size = ResizeCardByArrow(Size(), arrow);
  SetCardSize(size);
  state_.INIData.SpreadCardWidth = size.width;
  state_.INIData.SpreadCardHeight = size.height;
}

void TCardForm::MoveByArrow(ArrowKey arrow, bool far) {
  SetPlace(MoveCardByArrow(Place(), Size(), arrow, far, state_.Screen.Width(),
                           state_.INIData.TaskBarTop()));
}

void TCardForm::FitToScreenHeight() {
  SetCardSize(EqualsKeyCardSize(Size(), state_.Screen.Height(), state_.TaroDecks.CardWidth,
                                state_.TaroDecks.CardHeight));
  state_.INIData.ApplicationAutoSizeEnabled = true;
}

void TCardForm::ScreenSizedCards() {
  TINIData& ini = state_.INIData;
  ini.ApplicationAutoSizeEnabled = false;
  const CardSize size = BackslashKeyCardSize(state_.Screen.Height());
  SetCardSize(size);
  if (table_.Table().Count() >= 2) table_.ResizeOtherCards(id_, size.width, size.height);
  ini.SpreadCardWidth = size.width;
  ini.SpreadCardHeight = size.height;
}

}  // namespace vaticor
