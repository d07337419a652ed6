#include "ui/main/vaticor_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QResizeEvent>
#include <QSystemTrayIcon>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "library/content_language.h"
#include "library/reading_draw.h"
#include "platform/desktop_shell.h"
#include "platform/picture_image.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/key_commands.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {

namespace {

constexpr int kBarHeight = 17;
constexpr int kEdge = 4;
constexpr int kSide = 2;

// The sizes a window's icon is shown at by taskbars and window switchers;
// the larger pictures serve the desktop's menu entry (installed as files),
// and decoding them for every start costs milliseconds before the window
// can show.
QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    icon.addPixmap(SkinPicture(QString(":/skin/app_icon_%1.png").arg(size)));
  }
  return icon;
}

}  // namespace

TVaticorForm::TVaticorForm(ProgramState& state, std::unique_ptr<ReadingPictureDialog> pictureDialog,
                           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      drawPicker_(state.Random),
      pictureDialog_(pictureDialog ? std::move(pictureDialog) : MakeReadingPictureDialog()) {
  setObjectName("VaticorForm");
  setWindowTitle("Vaticor");
  // Every window of the program shows the program's icon (the spreads
  // window's taskbar button too).
  QApplication::setWindowIcon(AppIcon());
  setWindowIcon(QApplication::windowIcon());
  UseSkinLook(this);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(kMainMinWidth, kMainMinHeight);

  CreateControls();
  OnKeyRelease(this, this, [this](int key, Qt::KeyboardModifiers) { FormKeyUp(key); });
  together_ = MinimisedTogether::Install(this);
  menu_ = new TMainMenu(this, MenuCommands());
  FormCreate();
  creating_ = false;
}

TVaticorForm::~TVaticorForm() = default;

void TVaticorForm::ConnectWindows(WindowLinks links) { links_.emplace(links); }

void TVaticorForm::WhenWindowsNeeded(std::function<void()> make) { makeWindows_ = std::move(make); }

WindowLinks& TVaticorForm::Links() {
  if (!links_ && makeWindows_) makeWindows_();
  return links_.value();
}

bool TVaticorForm::ViewerVisible() const { return links_ && links_->viewer.IsViewerVisible(); }

// ---------------------------------------------------------------------------
// Creation

void TVaticorForm::CreateControls() {
  // The layout's design size: a 640 x 480 screen, three cards.
  resize(314, 208);

  TitleStrip::Look look;
  look.icon = ":/skin/menu_alpha.png";
  look.iconAt = {2, 0};
  look.minimiseHeight = 8;
  strip_ = TitleStrip::Make(this, width(), look);
  SetHint(strip_.icon, QString::fromUtf8("Меню F10"));
  frame_ = SizingFrame::Make(this, {"Image26", "Image3", "Image4", "Image6", "Image2"});

  Image7 = MakeSkinImage(this, "Image7", ":/skin/spreads_alpha.png");
  Image7->setGeometry(18, 0, 17, 17);

  CreateCardPanels();

  caption_ =
      MakeCaptionPair(this, palette().color(QPalette::WindowText), [this] { Label1Click(); });

  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] { Image1Click(); });
  ConnectCommand(Image7, &TSkinImage::clicked, this, [this] { Image7Click(); });
  ConnectCommand(strip_.minimise, &TSkinImage::clicked, this, [this] { ButtonHideImageClick(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { close(); });

  CreateChrome();
  AfterFirstPaint(this, [this] { TrayIcon(); });
}

void TVaticorForm::CreateCardPanels() {
  auto makePanel = [this](const char* name) {
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
  };
  Panel01 = makePanel("Panel01");
  Panel03 = makePanel("Panel03");
  Panel02 = makePanel("Panel02");
  auto makeCard = [this](QFrame* panel, const char* name) {
    auto* image = new TCardImage(panel);
    image->setObjectName(name);
    ConnectCommand(image, &TCardImage::clicked, this, [this, image] { CardImageClick(image); });
    ConnectCommand(image, &TCardImage::customContextMenuRequested, this,
                   [this, image](const QPoint& at) {
                     PopupMenu2Popup(image);
                     menu_->CardPopup()->popup(image->mapToGlobal(at));
                   });
    image->SetPictureSource(
        [this](std::int32_t card) { return state_.TaroDecks.GetCardPictureFile(card); },
        state_.PictureWork);
    return image;
  };
  CardImage01 = makeCard(Panel01, "CardImage01");
  CardImage02 = makeCard(Panel03, "CardImage02");
  CardImage03 = makeCard(Panel02, "CardImage03");
}

void TVaticorForm::CreateChrome() {
  SkinChrome::Hooks hooks;
  hooks.moved = [this,
                 store = StorePlaceOnMove(state_.INIData.VaticorFormLeft,
                                          state_.INIData.VaticorFormTop)](const WindowRect& rect) {
    // A window the user moved no longer counts as pushed up for the
    // question window.
    state_.INIData.QuestionFormShifted = false;
    store(rect);
  };
  hooks.resizedVertically = [this](const WindowRect&, int) {
    if (state_.INIData.ApplicationAutoSizeEnabled) FitCardWidthToHeight();
    state_.INIData.VaticorFormHeight = height();
    state_.INIData.VaticorFormCardWidth = Panel01->width();
  };
  hooks.canResizeHorizontally = [this] { return !ThreeCardMode(); };
  hooks.resizedHorizontally = [this](const WindowRect&, int tag) {
    const int cardWidth = width() - kMainFrameWidth;
    oneCardWidth_ = width();
    threeCardWidth_ = MainWindowWidth(cardWidth, 3);
    SetPanelWidth(cardWidth);
    state_.INIData.VaticorFormCardWidth = cardWidth;
    if (tag == kTopOrLeftEdge) state_.INIData.VaticorFormLeft = x();
  };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);
}

MainMenuCommands TVaticorForm::MenuCommands() {
  MainMenuCommands commands;
  commands.chooseMode = [this](int cardsAcross) {
    if (cardsAcross == 1) {
      SwitchToOneCardMode();
    } else {
      SwitchToThreeCardMode();
    }
    // Choosing the mode already on leaves it on (and its mark).
    menu_->SetThreeCardMode(ThreeCardMode());
  };
  commands.addDeck = [this] { Links().folders.ShowForMode(FolderMode::kAddDeck); };
  commands.randomDeck = [this] { N15Click(); };
  commands.chooseDeck = [this](int deck) { SelectDeckFromMenu(deck); };
  commands.addDescriptionSet = [this] {
    Links().folders.ShowForMode(FolderMode::kAddDescriptionSet);
  };
  commands.chooseDescriptionSet = [this](int set) { SelectDescriptionFromMenu(set); };
  commands.showLog = [this] { Links().log.ShowLogWindow(); };
  commands.option = [this](MainOption option, bool checked) { N10Click(option, checked); };
  commands.open = [this](const char* url) {
    state_.Shell.Open(url, [this, url] {
      ShowFailure(this,
                  ReaderText(state_.Languages, "NoLinkHandler",
                             "Не удалось открыть ссылку: в системе не нашлось программы для неё.") +
                      "\n\n" + QString::fromUtf8(url));
    });
  };
  commands.chooseLanguage = [this](int position) { Links().languages.ChooseLanguage(position); };
  commands.exit = [this] { close(); };
  commands.aboutToShow = [this] { PopupMenu1Popup(); };
  commands.describeCard = [this] { CardImageClick(popupImage_); };
  commands.newReading = [this] { ClearCards(); };
  commands.copyReading = [this] { CopyReading(); };
  commands.saveReadingPicture = [this] { SaveReadingPicture(); };
  return commands;
}

void TVaticorForm::FormCreate() {
  TINIData& ini = state_.INIData;

  // 1. Card widths from the saved card width; the saved place.
  clampToScreenEdge_ = true;
  oneCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 1);
  threeCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 3);
  move(ini.VaticorFormLeft, ini.VaticorFormTop);

  // 2. Check marks of the settings submenu.
  menu_->SetOption(MainOption::kReversedCards, ini.UpSideDownCardsEnabled);
  menu_->SetOption(MainOption::kOnlyMajorArcana, ini.OnlyMajorArcanaEnabled);
  menu_->SetOption(MainOption::kRandomDecks, ini.RandomDecksEnabled);
  menu_->SetOption(MainOption::kTaskbarButton, ini.ApplicationShowButtonInTaskBar);
  menu_->SetOption(MainOption::kAutoSize, ini.ApplicationAutoSizeEnabled);
  menu_->SetOption(MainOption::kQuestionWindow, ini.QuestionFormEnabled);
  menu_->SetOption(MainOption::kSaveLog, ini.QuestionsLogSaveEnabled);

  // 3. The random generator.
  state_.Random.Randomize();

  // 4. Decks and the picker.
  TTaroDecks& decks = state_.TaroDecks;
  decks.LoadDecks();
  if (decks.Count > 0) {
    menu_->SetDecks(decks.DisplayNames);
    ini.DeckIndex = std::min(ini.DeckIndex, decks.Count - 1);
    decks.SelectDeck(ini.DeckIndex);
    ini.DeckIndex = decks.CurrentDeck();
    SetUpMajorArcanaItem();
    menu_->CheckDeck(ini.DeckIndex);
    CacheCardPictureSize();
    state_.SpreadPicker.InitGenerator(decks.PresentCards());
  }
  UpdateRandomDeckItems();
  // 5.
  CacheCardPictureSize();

  // 6. Description sets.
  TTaroDescriptions& sets = state_.TaroDescriptions;
  sets.LoadDescriptions();
  if (sets.Count > 0) {
    menu_->SetDescriptionSets(sets.DisplayNames);
    ini.DescriptionIndex = std::min(ini.DescriptionIndex, sets.Count - 1);
    sets.SelectDescription(ini.DescriptionIndex);
    ini.DescriptionIndex = sets.CurrentDescription();
  }

  // 7. The layout starts in three-card mode.
  if (!ini.ThreeCardsModeEnabled) {
    resize(oneCardWidth_, height());
    Panel02->hide();
    Panel03->hide();
    menu_->SetThreeCardMode(false);
  }
  SetCaption();

  // 10 (before 9, so that the screen check sees the window's real size).
  // The stored sizes were held to the screen when they were read; a card
  // width too wide for three cards on this screen shrinks to fit.
  ini.VaticorFormCardWidth =
      BoundCardWidth(ini.VaticorFormCardWidth, state_.Screen.Width(), CardsAcross());
  oneCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 1);
  threeCardWidth_ = MainWindowWidth(ini.VaticorFormCardWidth, 3);
  resize(MainWindowWidth(ini.VaticorFormCardWidth, CardsAcross()),
         BoundMainHeight(ini.VaticorFormHeight, state_.Screen.Height()));
  SetPanelWidth(ini.VaticorFormCardWidth);

  // 8. The frame in shape.
  LayOutControls();
  chrome_->KeepInShape();

  // 9. Keep the window on the screen.
  const int screenWidth = state_.Screen.Width();
  const int screenHeight = state_.Screen.Height();
  if (y() + height() > screenHeight) {
    move(x(), ini.TaskBarTop() - height());
    ini.VaticorFormTop = y();
  }
  if (x() + width() > screenWidth) {
    move(screenWidth - width(), y());
    ini.VaticorFormLeft = x();
  }
}

// ---------------------------------------------------------------------------
// Layout

void TVaticorForm::LayOutControls() {
  const int w = width();
  const int h = height();
  const int panelHeight = std::max(0, h - kMainFrameHeight);
  strip_.title->setGeometry(0, 0, w, kBarHeight);
  frame_.Place(w, h, kBarHeight, kEdge, kSide);
  int left = kSide;
  for (QFrame* panel : {Panel01, Panel03, Panel02}) {
    panel->setGeometry(left, kBarHeight + kEdge, panel->width(), panelHeight);
    if (panel->isVisibleTo(this)) left += panel->width();
  }
  for (TCardImage* image : CardImages()) {
    QWidget* panel = image->parentWidget();
    image->setGeometry(1, 1, std::max(0, panel->width() - 2), std::max(0, panelHeight - 2));
  }
  strip_.icon->raise();
  Image7->raise();
  strip_.minimise->raise();
  strip_.close->raise();
  caption_.Raise();
}

void TVaticorForm::SetPanelWidth(int width) {
  for (QFrame* panel : {Panel01, Panel03, Panel02}) panel->resize(width, panel->height());
  LayOutControls();
}

int TVaticorForm::PanelWidth() const { return Panel01->width(); }

void TVaticorForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutControls();
  chrome_->KeepInShape();
  const int screenWidth = state_.Screen.Width();
  if (clampToScreenEdge_ && x() + width() > screenWidth) move(screenWidth - width(), y());
  // The first show delivers the size set before it (no old size): the place
  // then may hold a move made for the question window at start-up, which the
  // saved place must not take.
  if (event->oldSize().isValid()) StoreGeometry();
}

void TVaticorForm::StoreGeometry() {
  if (creating_) return;
  state_.INIData.VaticorFormLeft = x();
  state_.INIData.VaticorFormTop = y();
}

// ---------------------------------------------------------------------------
// Closing

void TVaticorForm::closeEvent(QCloseEvent* event) {
  event->accept();
  // A second close while the first is still showing a failure's message
  // (the desktop's close, the close image again) writes nothing more.
  if (closing_) return;
  closing_ = true;
  TINIData& ini = state_.INIData;
  ini.VaticorFormHeight = height();
  // The user still gets out of the program; the message says what was lost.
  RunCommand(this, [&] { WriteSettings(ini, state_.Screen); });
  if (ini.QuestionsLogSaveEnabled) RunCommand(this, [this] { Links().log.SaveLog(); });
  if (TrayIcon1) TrayIcon1->hide();
  // The event loop ends whatever else is open. (Asking the application to
  // quit would first ask every window to close, and give up at the first
  // that only hides.)
  QCoreApplication::exit(0);
}

// ---------------------------------------------------------------------------
// The draw

void TVaticorForm::Label1Click() {
  TINIData& ini = state_.INIData;
  if (ini.RandomDecksEnabled) N15Click();

  // The generator was seeded from the clock when the window was created;
  // the picks continue its sequence.
  const std::vector<std::int32_t> values =
      DrawReading(state_.Random, drawPicker_,
                  EligibleCards(state_.TaroDecks, ini.OnlyMajorArcanaEnabled), CardsAcross());
  // The three pictures decode together.
  std::vector<TCardImage::Showing> showings;
  std::vector<int> cards;
  for (int i = 0; i < CardsAcross(); ++i) {
    TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    const std::int32_t value = values[static_cast<std::size_t>(i)];
    const bool reversed = value < 0 && state_.INIData.UpSideDownCardsEnabled;
    showings.push_back({image, std::abs(value), reversed, reversed ? value : std::abs(value)});
    cards.push_back(reversed ? value : std::abs(value));
  }
  TCardImage::ShowCardsTogether(showings);

  drawMoment_ = ReadingMomentNow();
  Links().log.AddReading(cards);
  if (Links().log.LineCount() >= 1) Links().log.SelectLine(Links().log.LineCount() - 1);
}

void TVaticorForm::ShowPicture(TCardImage* image, int signedCard, bool turned) {
  // The lowest integer has no magnitude of its own: no deck has that card.
  if (signedCard == std::numeric_limits<int>::min()) {
    image->ForgetCard();
    return;
  }
  image->ShowCard(std::abs(signedCard), turned);
}

void TVaticorForm::ShowCardOnImage(int signedCard, TCardImage* image) {
  const bool reversed = signedCard < 0 && state_.INIData.UpSideDownCardsEnabled;
  if (!reversed) image->SetNumber(std::abs(signedCard));
  ShowPicture(image, signedCard, reversed);
}

void TVaticorForm::ClearCards() {
  for (TCardImage* image : CardImages()) image->ForgetCard();
}

void TVaticorForm::RefreshCardPictures() {
  for (TCardImage* image : CardImages()) {
    if (image->HasPicture()) ShowPicture(image, image->Number(), image->Number() < 0);
  }
}

void TVaticorForm::CacheCardPictureSize() {
  // A deck without a picture for its first card keeps the size it had.
  if (state_.TaroDecks.CardWidth > 0 && state_.TaroDecks.CardHeight > 0) {
    cardPictureWidth_ = state_.TaroDecks.CardWidth;
    cardPictureHeight_ = state_.TaroDecks.CardHeight;
  }
}

void TVaticorForm::CardImageClick(TCardImage* image) {
  if (image && image->HasPicture()) {
    const int card = std::abs(image->Number());
    Links().viewer.ShowCardDescription(state_.TaroDecks.GetCardName(card), card, 0);
  }
  Links().viewer.ShowViewer();
}

// ---------------------------------------------------------------------------
// Sharing the reading

void TVaticorForm::CopyReading() {
  if (!CardImage01->HasPicture()) return;
  std::vector<ReadingPosition> positions;
  for (int i = 0; i < CardsAcross(); ++i) {
    const TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    ReadingPosition position;
    position.number = i + 1;
    if (image->HasPicture()) {
      position.card = state_.TaroDecks.GetCardName(std::abs(image->Number()));
      position.reversed = image->Number() < 0;
    }
    positions.push_back(std::move(position));
  }
  CopyReadingText(ReadingText(
      ReadingMomentOr(drawMoment_),
      state_.INIData.QuestionFormEnabled ? Links().question.QuestionText() : std::string(),
      positions, ReadingWordsOf(state_.Languages)));
}

void TVaticorForm::SaveReadingPicture() {
  if (!CardImage01->HasPicture()) return;
  std::vector<PlacedWidget> placed;
  for (int i = 0; i < CardsAcross(); ++i) {
    TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    placed.push_back({image, image->mapTo(this, QPoint(0, 0))});
  }
  vaticor::SaveReadingPicture(this, *pictureDialog_, PictureOfWidgets(placed),
                              ReadingMomentOr(drawMoment_));
}

// ---------------------------------------------------------------------------
// A logged reading put back

void TVaticorForm::SetCardMode(bool threeCards) {
  if (threeCards) {
    SwitchToThreeCardMode();
  } else {
    SwitchToOneCardMode();
  }
}

void TVaticorForm::ShowCard(int slot, std::int32_t value) {
  if (slot < 0 || slot > 2) return;
  // The reading put back was drawn at the time its log line says.
  drawMoment_.clear();
  TCardImage* image = CardImages()[static_cast<std::size_t>(slot)];
  image->SetNumber(value);
  ShowPicture(image, value, value < 0);
}

// ---------------------------------------------------------------------------
// Modes and sizes

QString TVaticorForm::CaptionText(int id, const char* russian) const {
  // After a mode switch or for the card menu, the main window's own texts
  // follow the language only on a system whose language is not Russian, and
  // only where the language has a text.
  if (state_.SystemLanguage == "0x0419") return QString::fromUtf8(russian);
  const std::string entry = state_.Languages.Entry(id);
  return entry.empty() ? QString::fromUtf8(russian) : QString::fromStdString(entry);
}

void TVaticorForm::ApplyLanguage() {
  const TLanguageTable& languages = state_.Languages;
  SetHint(strip_.icon, InterfaceText(languages, 1001, "Меню F10"));
  SetHint(strip_.minimise, InterfaceText(languages, 1002, "Свернуть"));
  SetHint(strip_.close, InterfaceText(languages, 1003, "Выход"));
  menu_->ApplyLanguage(languages);
  // The caption takes the language's text whatever the system's language.
  caption_.SetText(ThreeCardMode() ? InterfaceText(languages, 1005, "Вытянуть карты ...")
                                   : InterfaceText(languages, 1004, "Вытянуть карту ..."));
  chrome_->KeepInShape();
}

void TVaticorForm::SetCaption() {
  caption_.SetText(ThreeCardMode() ? CaptionText(1005, "Вытянуть карты ...")
                                   : CaptionText(1004, "Вытянуть карту ..."));
  chrome_->KeepInShape();
}

MainWindowState TVaticorForm::SizingState() const {
  MainWindowState window;
  window.screenWidth = state_.Screen.Width();
  window.screenHeight = state_.Screen.Height();
  window.left = x();
  window.width = width();
  window.height = height();
  window.cardsAcross = CardsAcross();
  return window;
}

void TVaticorForm::ApplySizing(const MainSizing& sizing) {
  oneCardWidth_ = sizing.oneCardWidth;
  threeCardWidth_ = sizing.threeCardWidth;
  setGeometry(sizing.left, y(), sizing.width, sizing.height);
  SetPanelWidth(sizing.cardWidth);
}

void TVaticorForm::SwitchMode(int cardsAcross) {
  const MainSizing sizing =
      ModeSwitchSizing(SizingState(), PanelWidth(), oneCardWidth_, threeCardWidth_, cardsAcross);
  state_.INIData.ThreeCardsModeEnabled = cardsAcross == 3;
  SetCaption();
  Panel02->setVisible(cardsAcross == 3);
  Panel03->setVisible(cardsAcross == 3);
  // Three cards too wide for the screen came out narrower: that is the card
  // width now.
  const bool narrower = sizing.cardWidth != PanelWidth();
  ApplySizing(sizing);
  if (narrower) state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
  menu_->SetThreeCardMode(cardsAcross == 3);
  LayOutControls();
}

void TVaticorForm::SwitchToOneCardMode() {
  if (!ThreeCardMode()) return;
  for (TCardImage* image : CardImages()) {
    image->ForgetCard();
    image->SetNumber(-1);
  }
  SwitchMode(1);
}

void TVaticorForm::SwitchToThreeCardMode() {
  if (ThreeCardMode()) return;
  CardImage01->ForgetCard();
  CardImage01->SetNumber(-1);
  SwitchMode(3);
}

void TVaticorForm::ApplyAutoCardSize() {
  const AutoSizing autoSizing =
      AutoCardSizing(SizingState(), cardPictureWidth_, cardPictureHeight_);
  if (!autoSizing.sizing) {
    // No picture to take proportions from: only the height follows the screen.
    resize(width(), autoSizing.height);
    chrome_->KeepInShape();
    return;
  }
  state_.INIData.VaticorFormLeft = autoSizing.sizing->left;
  ApplySizing(*autoSizing.sizing);
  state_.INIData.VaticorFormCardWidth = autoSizing.sizing->cardWidth;
}

void TVaticorForm::FitCardWidthToHeight() {
  const std::optional<MainSizing> sizing =
      FitCardWidthSizing(SizingState(), cardPictureWidth_, cardPictureHeight_);
  if (!sizing) return;
  clampToScreenEdge_ = false;
  ApplySizing(*sizing);
  clampToScreenEdge_ = true;
}

void TVaticorForm::ApplyScreenCardSize() {
  const MainSizing sizing = ScreenCardSizing(SizingState());
  state_.INIData.VaticorFormHeight = sizing.height;
  state_.INIData.VaticorFormLeft = sizing.left;
  ApplySizing(sizing);
  state_.INIData.VaticorFormCardWidth = sizing.cardWidth;
}

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
  if (!hadDecks) state_.SpreadPicker.InitGenerator(decks.PresentCards());
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

// ---------------------------------------------------------------------------
// Keys

void TVaticorForm::FormKeyUp(int key) {
  TINIData& ini = state_.INIData;
  ReadingLogLink& log = Links().log;
  switch (key) {
    case vk::Escape:
      ButtonHideImageClick();
      break;
    case vk::OemPlus:
      menu_->SetOption(MainOption::kAutoSize, true);
      ini.ApplicationAutoSizeEnabled = true;
      ApplyAutoCardSize();
      break;
    case vk::OemBackslash:
      menu_->SetOption(MainOption::kAutoSize, false);
      ini.ApplicationAutoSizeEnabled = false;
      ApplyScreenCardSize();
      break;
    case vk::Up:
    case vk::Down: {
      const int selected = log.SelectedLine();
      int target = selected;
      if (key == vk::Up && selected > 0) target = selected - 1;
      if (key == vk::Down && selected < log.LineCount() - 1) target = selected + 1;
      if (target == selected || target < 0) break;
      log.SelectLine(target);
      if (!log.IsDateLine(target)) log.ShowSelectedReading();
      break;
    }
    case vk::Add:
    case vk::Right:
      NextDeck(+1);
      break;
    case vk::Subtract:
    case vk::Left:
      NextDeck(-1);
      break;
    case vk::Digit0:
      ClearCards();
      break;
    case vk::Digit1:
      if (ThreeCardMode()) {
        SwitchToOneCardMode();
      } else {
        Label1Click();
      }
      break;
    case vk::Digit3:
      if (ThreeCardMode()) {
        Label1Click();
      } else {
        SwitchToThreeCardMode();
      }
      break;
    case vk::R:
      N15Click();
      break;
    case vk::F3:
      log.ShowLogWindow();
      if (log.LineCount() > 0 && log.SelectedLine() < 0) log.SelectLine(log.LineCount() - 1);
      break;
    case vk::F4:
      ToggleQuestionWindow();
      break;
    case vk::F10:
      menu_->Popup()->popup(MainMenuPoint());
      break;
    default:
      break;
  }
}

void TVaticorForm::ToggleQuestionWindow() {
  SetQuestionEnabled(!state_.INIData.QuestionFormEnabled, false);
}

// ---------------------------------------------------------------------------
// The tray icon and the taskbar button

QSystemTrayIcon* TVaticorForm::TrayIcon() {
  if (TrayIcon1) return TrayIcon1;
  TrayIcon1 = new QSystemTrayIcon(windowIcon(), this);
  TrayIcon1->setObjectName("TrayIcon1");
  ConnectCommand(TrayIcon1, &QSystemTrayIcon::activated, this,
                 [this](QSystemTrayIcon::ActivationReason reason) {
                   if (reason == QSystemTrayIcon::Trigger) {
                     TrayIcon1Click();
                   } else if (reason == QSystemTrayIcon::Context) {
                     activateWindow();
                     menu_->Popup()->popup(QCursor::pos());
                   }
                 });
  return TrayIcon1;
}

bool TVaticorForm::TrayIconActive() const {
  return state_.Screen.HasTray() && TrayIcon1 && TrayIcon1->isVisible();
}

void TVaticorForm::ShowMainWindow() {
  ShowNormal(this);
  raise();
  activateWindow();
}

void TVaticorForm::HideMainWindow() { hide(); }

WindowRect TVaticorForm::TitleStripOnScreen() const {
  if (!isVisible() || isMinimized()) return {};
  return {x(), y(), width(), kMainTitleHeight};
}

void TVaticorForm::MinimiseMainWindow() { showMinimized(); }

void TVaticorForm::FormActivate() {
  if (state_.INIData.ApplicationShowButtonInTaskBar) return;
  // Without a notification area the taskbar button is the only way back to a
  // hidden window: it stays.
  if (!state_.Screen.HasTray()) return;
  SetTaskbarButtonVisible(this, false);
  TrayIcon()->show();
}

void TVaticorForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  // Without the other windows yet, no question window was hidden with it.
  if (event->type() == QEvent::WindowStateChange && !isMinimized() && links_) {
    links_->question.MainWindowRestored();
  }
}

void TVaticorForm::TrayIcon1Click() {
  if (state_.SpreadsMode) {
    Links().spreads.SetSpreadVisible(!Links().spreads.IsSpreadVisible());
  } else {
    const bool visible = !isVisible();
    SetShown(this, visible);
    if (state_.INIData.QuestionFormEnabled) Links().question.SetQuestionVisible(visible);
  }
  raise();
  activateWindow();
}

void TVaticorForm::ButtonHideImageClick() {
  // The question window on show is a way back too: it stays.
  const bool questionVisible = Links().question.IsQuestionVisible();
  HideOrMinimise(
      TrayIconActive() || questionVisible,
      [this, questionVisible] {
        together_->HideOthers(questionVisible ? dynamic_cast<QWidget*>(&links_->question)
                                              : nullptr);
        hide();
      },
      [this] { showMinimized(); });
}

void TVaticorForm::SpreadsWindowShown() { FormActivate(); }

}  // namespace vaticor
