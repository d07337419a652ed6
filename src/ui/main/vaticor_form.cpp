#include "ui/main/vaticor_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QResizeEvent>
#include <algorithm>
#include <string>
#include <vector>

#include "library/reading_draw.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/journal_keeper.h"
#include "ui/main/card_row.h"
#include "ui/main/main_menu.h"
#include "ui/main/main_sizing.h"
#include "ui/program_face.h"

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
      pictureDialog_(pictureDialog ? std::move(pictureDialog) : MakeReadingPictureDialog()),
      drawPicker_(state.Random) {
  setObjectName("VaticorForm");
  setWindowTitle("Vaticor");
  // Every window of the program shows the program's icon (the spreads
  // window's taskbar button too).
  QApplication::setWindowIcon(AppIcon());
  setWindowIcon(QApplication::windowIcon());
  UseSkinLook(this);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(kMainMinWidth, kMainMinHeight);

  face_ = new ProgramFace(state_, *this, *this, [this]() -> WindowLinks& { return Links(); });
  CreateCommands();
  CreateControls();
  BindKeys();
  together_ = MinimisedTogether::Install(this);
  menu_ = new TMainMenu(this, *commands_);
  FollowMenus();
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

ProgramFaceLink& TVaticorForm::Face() { return *face_; }

// ---------------------------------------------------------------------------
// Creation

void TVaticorForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  TINIData& ini = state_.INIData;
  c.AddOption("N11", [this](bool) { ChooseCardsAcross(1); });
  c.AddOption("N31", [this](bool) { ChooseCardsAcross(3); })->setChecked(true);
  c.Add("N32", [this] { Links().folders.ShowForMode(FolderMode::kAddDeck); });
  c.Add("N15", [this] { state_.Content.RandomDeck(); });
  c.Add("N33", [this] { Links().folders.ShowForMode(FolderMode::kAddDescriptionSet); });
  c.Add("N5", [this] { Links().log.ShowLogWindow(); });
  // A triggered option has already flipped its mark.
  c.AddOption("N12", [&ini](bool on) { ini.UpSideDownCardsEnabled = on; });
  c.AddOption("N27", [&ini](bool on) { ini.OnlyMajorArcanaEnabled = on; });
  c.AddOption("N17", [&ini](bool on) { ini.RandomDecksEnabled = on; });
  c.AddOption("N9", [this](bool on) { SetTaskbarButton(on); })->setChecked(true);
  c.AddOption("N10", [this](bool on) { SetAutoSize(on); });
  c.AddOption("N28", [this](bool on) { SetQuestionEnabled(on, true); });
  c.AddOption("N22", [&ini](bool on) { ini.QuestionsLogSaveEnabled = on; });
  c.Add("N25", [this] { OpenLink(this, state_.Shell, state_.Languages, TMainMenu::kWebPage); });
  c.Add("N26", [this] { OpenLink(this, state_.Shell, state_.Languages, TMainMenu::kMailLink); });
  c.Add("N4", [this] { close(); });
  c.Add("N19", [this] { DescribeCard(menuSlot_); });
  c.Add("N18", [this] {
    row_->Clear();
    UpdateReadingItems();
  });
  c.Add("N37", [this, &ini] {
    row_->CopyReading(ini.QuestionFormEnabled ? Links().question.QuestionText() : std::string());
  });
  c.Add("N38", [this] { row_->SaveReadingPicture(); });
  // The controls' and keys' own commands.
  c.Add("DrawCards", [this] { DrawCards(); });
  c.Add("OpenMainMenu", [this] { OpenMainMenu(); });
  c.Add("ShowSpreads", [this] {
    // The question window goes with the main window it belongs to; a start
    // with a spread file leaves it on show.
    QuestionWindowLink& question = Links().question;
    if (question.IsQuestionVisible()) question.SetQuestionVisible(false);
    face_->ShowSpreadsAsFace();
  });
  c.Add("HideProgram", [this] { HideProgram(); });
  c.Add("AutoSizeOn", [this] { SetAutoSize(true); });
  c.Add("AutoSizeOff", [this] { SetAutoSize(false); });
  c.Add("PreviousReading", [this] { StepLog(-1); });
  c.Add("NextReading", [this] { StepLog(+1); });
  c.Add("NextDeck", [this] { state_.Content.StepDeck(+1); });
  c.Add("PreviousDeck", [this] { state_.Content.StepDeck(-1); });
  // One card on show: 1 draws; three: 1 switches to one (and 3 the other way round).
  c.Add("OneCardOrDraw", [this] { ThreeCardMode() ? ChooseCardsAcross(1) : DrawCards(); });
  c.Add("ThreeCardsOrDraw", [this] { ThreeCardMode() ? DrawCards() : ChooseCardsAcross(3); });
  c.Add("ShowLogAtLastLine", [this] { ShowLogAtLastLine(); });
  c.Add("SwitchQuestionWindow",
        [this, &ini] { SetQuestionEnabled(!ini.QuestionFormEnabled, false); });
  c.Add("ShowJournal", [this] { Links().journal.ShowJournal(); });
  c.Add("DayCard", [this] { Links().dayCard.ShowDayCard(); });
  c.Add("EnterReading", [this] { Links().readingEntry.EnterReading({}); });
  c.Add("ShowGallery", [this] { Links().gallery.ShowGallery(); });
  c.AddOption("DayCardAtStart", [&ini](bool on) { ini.DayCardShowAtStart = on; });
}

void TVaticorForm::BindKeys() {
  commands_->BindKeys(this, {{vk::Escape, "HideProgram"},
                             {vk::OemPlus, "AutoSizeOn"},
                             {vk::OemBackslash, "AutoSizeOff"},
                             {vk::Up, "PreviousReading"},
                             {vk::Down, "NextReading"},
                             {vk::Add, "NextDeck"},
                             {vk::Right, "NextDeck"},
                             {vk::Subtract, "PreviousDeck"},
                             {vk::Left, "PreviousDeck"},
                             {vk::Digit0, "N18"},
                             {vk::Digit1, "OneCardOrDraw"},
                             {vk::Digit3, "ThreeCardsOrDraw"},
                             {vk::R, "N15"},
                             {vk::F3, "ShowLogAtLastLine"},
                             {vk::F4, "SwitchQuestionWindow"},
                             {vk::F10, "OpenMainMenu"},
                             {vk::J, "ShowJournal"},
                             {vk::D, "DayCard"},
                             {vk::E, "EnterReading"},
                             {vk::G, "ShowGallery"}});
}

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
  SetHint(Image7, CardsText({}, "SpreadsWindow", "Окно раскладов"));

  row_ = new TCardRow(*this, state_, std::move(pictureDialog_));
  sizing_ = std::make_unique<MainWindowSizing>(
      *this, *row_, state_, [this] { LayOutControls(); }, [this] { chrome_->KeepInShape(); });
  connect(row_, &TCardRow::cardClicked, this, [this](int slot) { DescribeCard(slot); });
  connect(row_, &TCardRow::cardMenuAsked, this, &TVaticorForm::OpenCardMenu);

  const CommandSet& c = *commands_;
  caption_ = MakeCaptionPair(this, palette().color(QPalette::WindowText),
                             [&c] { c["DrawCards"]->trigger(); });
  auto clickRuns = [&c](TSkinImage* image, const char* command) {
    connect(image, &TSkinImage::clicked, c[command], &QAction::trigger);
  };
  clickRuns(strip_.icon, "OpenMainMenu");
  clickRuns(Image7, "ShowSpreads");
  clickRuns(strip_.minimise, "HideProgram");
  clickRuns(strip_.close, "N4");
  setTabOrder(strip_.icon, Image7);  // Tab along the strip as seen: menu, spreads, ...

  CreateChrome();
  AfterFirstPaint(this, [this] { face_->TrayIcon(); });
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
  hooks.resizedVertically = [this](const WindowRect&, int) { sizing_->ResizedVertically(); };
  hooks.canResizeHorizontally = [this] { return !ThreeCardMode(); };
  hooks.resizedHorizontally = [this](const WindowRect&, int tag) {
    sizing_->ResizedHorizontally(tag == kTopOrLeftEdge);
  };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);
}

void TVaticorForm::FollowMenus() {
  ConnectCommand(menu_, &TMainMenu::deckChosen, this,
                 [this](int deck) { state_.Content.SelectDeck(deck); });
  ConnectCommand(menu_, &TMainMenu::descriptionSetChosen, this,
                 [this](int set) { state_.Content.SelectDescriptionSet(set); });
  ConnectCommand(menu_, &TMainMenu::languageChosen, this,
                 [this](int position) { Links().languages.ChooseLanguage(position); });
  connect(face_, &ProgramFace::trayMenuAsked, this, [this] {
    activateWindow();
    menu_->Popup()->popup(QCursor::pos());
  });
}

void TVaticorForm::FormCreate() {
  TINIData& ini = state_.INIData;
  CommandSet& c = *commands_;

  // 1. The saved place.
  move(ini.VaticorFormLeft, ini.VaticorFormTop);

  // 2. Check marks of the settings submenu.
  c.SetChecked("N12", ini.UpSideDownCardsEnabled);
  c.SetChecked("N27", ini.OnlyMajorArcanaEnabled);
  c.SetChecked("N17", ini.RandomDecksEnabled);
  c.SetChecked("N9", ini.ApplicationShowButtonInTaskBar);
  c.SetChecked("N10", ini.ApplicationAutoSizeEnabled);
  c.SetChecked("N28", ini.QuestionFormEnabled);
  c.SetChecked("N22", ini.QuestionsLogSaveEnabled);
  c.SetChecked("DayCardAtStart", ini.DayCardShowAtStart);

  // 3. The random generator.
  state_.Random.Randomize();

  // 4. The decks' and description sets' items, as loaded.
  menu_->SetDecks(state_.TaroDecks, state_.Languages);
  menu_->CheckDeck(state_.TaroDecks.Count > 0 ? state_.Content.Deck() : -1);
  menu_->SetDescriptionSets(state_.TaroDescriptions.DisplayNames);
  menu_->CheckDescriptionSet(state_.TaroDescriptions.Count > 0 ? state_.Content.DescriptionSet()
                                                               : -1);
  menu_->FollowDeck(state_.TaroDecks, ini.OnlyMajorArcanaEnabled);
  UpdateReadingItems();
  sizing_->TakeDeckPictureSize();

  // 7. The layout starts in three-card mode.
  if (!ini.ThreeCardsModeEnabled) {
    row_->SetCardsAcross(1);
    c.SetChecked("N11", true);
    c.SetChecked("N31", false);
  }
  SetCaption();

  // 10 (before 9, so that the screen check sees the window's real size).
  sizing_->ApplyStoredSizes();

  // 8. The frame in shape.
  LayOutControls();
  chrome_->KeepInShape();
  KeepOnScreen();
}

void TVaticorForm::KeepOnScreen() {
  TINIData& ini = state_.INIData;
  const int screenWidth = state_.Screen.Width();
  if (y() + height() > state_.Screen.Height()) {
    move(x(), ini.TaskBarTop() - height());
    ini.VaticorFormTop = y();
  }
  if (x() + width() > screenWidth) {
    move(screenWidth - width(), y());
    ini.VaticorFormLeft = x();
  }
}

// ---------------------------------------------------------------------------
// Layout and sizing

void TVaticorForm::LayOutControls() {
  const int w = width();
  const int h = height();
  strip_.title->setGeometry(0, 0, w, kBarHeight);
  frame_.Place(w, h, kBarHeight, kEdge, kSide);
  row_->Place(kSide, kBarHeight + kEdge, std::max(0, h - kMainFrameHeight));
  for (QWidget* image : {strip_.icon, Image7, strip_.minimise, strip_.close}) image->raise();
  caption_.Raise();
}

void TVaticorForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutControls();
  chrome_->KeepInShape();
  const int screenWidth = state_.Screen.Width();
  if (sizing_->ClampToScreenEdge() && x() + width() > screenWidth) move(screenWidth - width(), y());
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

void TVaticorForm::ChooseCardsAcross(int cardsAcross) {
  if (cardsAcross != CardsAcross()) {
    sizing_->SwitchMode(cardsAcross, [this, cardsAcross] {
      state_.INIData.ThreeCardsModeEnabled = cardsAcross == 3;
      SetCaption();
      row_->SetCardsAcross(cardsAcross);
      UpdateReadingItems();
    });
  }
  // Choosing the mode already on leaves it on (and its mark).
  commands_->SetChecked("N11", !ThreeCardMode());
  commands_->SetChecked("N31", ThreeCardMode());
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
  face_->HideTrayIcon();
  // The event loop ends whatever else is open. (Asking the application to
  // quit would first ask every window to close, and give up at the first
  // that only hides.)
  QCoreApplication::exit(0);
}

// ---------------------------------------------------------------------------
// The draw and the cards on show

// Run here, not through the command's action: a failure reaches the asking
// window's command, which must not go on (the question window would add its
// question to the reading before).
void TVaticorForm::DrawCards(const std::string& question) {
  TINIData& ini = state_.INIData;
  if (ini.RandomDecksEnabled) state_.Content.RandomDeck();
  // The generator was seeded from the clock when the window was created;
  // the picks continue its sequence.
  const std::vector<std::int32_t> values =
      DrawReading(state_.Random, drawPicker_,
                  EligibleCards(state_.TaroDecks, ini.OnlyMajorArcanaEnabled), CardsAcross());
  const std::vector<int> cards = row_->ShowDraw(values);
  UpdateReadingItems();
  ReadingLogLink& log = Links().log;
  log.AddReading(cards);
  if (log.LineCount() >= 1) log.SelectLine(log.LineCount() - 1);
  RecordDraw(state_, cards, question, this);
}

void TVaticorForm::DescribeCard(int slot) {
  const int card = row_->CardAt(slot);
  if (card >= 0) {
    Links().viewer.ShowCardDescription(state_.TaroDecks.GetCardName(card), card, 0);
  }
  Links().viewer.ShowViewer();
}

void TVaticorForm::OpenCardMenu(int slot, QPoint at) {
  menuSlot_ = slot;
  const QString entry = CaptionText(1026, "Описание карты");
  const int card = row_->CardAt(slot);
  if (card >= 0) {
    const std::string name = state_.TaroDecks.GetCardName(card);
    menu_->SetDescribeItem(QString::fromStdString(name) + " - " + entry, true);
  } else {
    menu_->SetDescribeItem(entry, false);
  }
  UpdateReadingItems();
  menu_->CardPopup()->popup(at);
}

void TVaticorForm::UpdateReadingItems() {
  // "Новый расклад" (and its key, 0) and the sharing entries need a
  // reading on show.
  const bool reading = row_->HasReading();
  for (const char* name : {"N18", "N37", "N38"}) (*commands_)[name]->setEnabled(reading);
}

void TVaticorForm::ShowCard(int slot, std::int32_t value) {
  row_->ShowLoggedCard(slot, value);
  UpdateReadingItems();
}

// ---------------------------------------------------------------------------
// Menus, options and keys

void TVaticorForm::OpenMainMenu() {
  const TSkinImage* icon = strip_.icon;
  menu_->Popup()->popup(QPoint(x() + icon->x(), y() + icon->y() + icon->height()));
}

void TVaticorForm::PopupMainMenuAt(int x, int y) {
  ShowNormal(this);
  menu_->Popup()->popup(QPoint(this->x() + x, this->y() + y));
}

void TVaticorForm::PopupMainMenuAtScreen(int x, int y) { menu_->Popup()->popup(QPoint(x, y)); }

void TVaticorForm::contextMenuEvent(QContextMenuEvent* event) {
  menu_->Popup()->popup(event->globalPos());
}

void TVaticorForm::SetTaskbarButton(bool shown) {
  state_.INIData.ApplicationShowButtonInTaskBar = shown;
  face_->ShowTaskbarButton(shown);
}

void TVaticorForm::SetAutoSize(bool on) {
  state_.INIData.ApplicationAutoSizeEnabled = on;
  commands_->SetChecked("N10", on);
  if (on) {
    sizing_->ApplyAutoCardSize();
  } else {
    sizing_->ApplyScreenCardSize();
  }
}

void TVaticorForm::StepLog(int step) {
  ReadingLogLink& log = Links().log;
  const int selected = log.SelectedLine();
  const int target = selected + step;
  if (target < 0 || target > log.LineCount() - 1) return;
  log.SelectLine(target);
  if (!log.IsDateLine(target)) log.ShowSelectedReading();
}

void TVaticorForm::ShowLogAtLastLine() {
  ReadingLogLink& log = Links().log;
  log.ShowLogWindow();
  if (log.LineCount() > 0 && log.SelectedLine() < 0) log.SelectLine(log.LineCount() - 1);
}

void TVaticorForm::SetQuestionEnabled(bool enabled, bool fromMenu) {
  state_.INIData.QuestionFormEnabled = enabled;
  commands_->SetChecked("N28", enabled);
  QuestionWindowLink& question = Links().question;
  if (enabled) sizing_->MoveAboveQuestion(question.QuestionTop(), /*record=*/true);
  question.SetQuestionVisible(enabled);
  if (!enabled && !fromMenu) sizing_->MoveBackDown(question.QuestionHeight());
}

void TVaticorForm::MakeRoomAbove(int questionTop) {
  // Not recorded: the saved place stays where the user put the window.
  sizing_->MoveAboveQuestion(questionTop, /*record=*/false);
}

// ---------------------------------------------------------------------------
// The program's face: the spreads window, the tray icon, the taskbar button

bool TVaticorForm::TrayIconActive() const { return face_->TrayIconActive(); }

void TVaticorForm::ShowMainWindow() { ShowAndActivate(this); }

WindowRect TVaticorForm::TitleStripOnScreen() const {
  if (!isVisible() || isMinimized()) return {};
  return {x(), y(), width(), kMainTitleHeight};
}

void TVaticorForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) face_->FaceActivated(this);
  // Without the other windows yet, no question window was hidden with it.
  if (event->type() == QEvent::WindowStateChange && !isMinimized() && links_) {
    links_->question.MainWindowRestored();
  }
}

void TVaticorForm::HideProgram() {
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

// ---------------------------------------------------------------------------
// The deck and description choice

void TVaticorForm::DeckChanged(DeckChoice how) {
  menu_->CheckDeck(state_.Content.Deck());
  // A deck drawn at random or stepped to by a key leaves the deck's items
  // as they were.
  if (how == DeckChoice::kChosen) {
    menu_->FollowDeck(state_.TaroDecks, state_.INIData.OnlyMajorArcanaEnabled);
  }
  sizing_->TakeDeckPictureSize();
  if (state_.INIData.ApplicationAutoSizeEnabled) {
    if (how == DeckChoice::kStepped) {
      sizing_->FitCardWidthToHeight();
    } else {
      sizing_->ApplyAutoCardSize();
    }
  }
  row_->ShowPicturesAgain();
}

void TVaticorForm::DeckListReloaded() {
  menu_->SetDecks(state_.TaroDecks, state_.Languages);
  menu_->FollowDeck(state_.TaroDecks, state_.INIData.OnlyMajorArcanaEnabled);
}

void TVaticorForm::DescriptionSetChanged() {
  menu_->CheckDescriptionSet(state_.Content.DescriptionSet());
}

void TVaticorForm::DescriptionListReloaded() {
  menu_->SetDescriptionSets(state_.TaroDescriptions.DisplayNames);
}

// ---------------------------------------------------------------------------
// Texts

void TVaticorForm::ShowLanguages(const std::vector<std::string>& captions, int checked) {
  menu_->SetLanguages(captions);
  menu_->CheckLanguage(checked);
}

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
  strip_.ApplyLanguage(languages);
  SetHint(strip_.icon, InterfaceText(languages, 1001, "Меню F10"));
  SetHint(Image7, CardsText(languages, "SpreadsWindow", "Окно раскладов"));
  row_->SpeakCards();
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

}  // namespace vaticor
