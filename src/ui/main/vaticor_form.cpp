#include "ui/main/vaticor_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QMenu>
#include <QResizeEvent>
#include <QSystemTrayIcon>
#include <algorithm>

#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
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
  commands.open = [this](const char* url) { state_.Shell.Open(url); };
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
    state_.SpreadPicker.InitGenerator(decks.FilesCount);
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

}  // namespace vaticor
