#include "ui/main/vaticor_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/desktop_shell.h"
#include "platform/picture_image.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/main/caption_label.h"
#include "ui/main/card_image.h"

namespace vaticor {

namespace {

const QColor kSkyBlue(166, 202, 240);
constexpr int kBarHeight = 17;
constexpr int kEdge = 4;
constexpr int kSide = 2;
constexpr int kFixedHeight = 42;  // title, top edge, bottom edge, bottom bar
constexpr int kMajorArcana = 22;
constexpr int kDeckItemsStart = 4;
constexpr int kDescriptionItemsStart = 2;

// The settings submenu's items by tag (= position).
enum SettingsTag {
  kReversedCards = 0,
  kOnlyMajorArcana = 1,
  kRandomDecks = 2,
  kTaskbarButton = 4,
  kAutoSize = 5,
  kQuestionWindow = 7,
  kSaveLog = 8,
};

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 64, 128, 256}) {
    icon.addFile(QString(":/skin/app_icon_%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QAction* AddItem(QMenu* menu, const QString& objectName, const char* caption) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(objectName);
  return action;
}

QAction* AddSeparator(QMenu* menu, const QString& objectName) {
  QAction* action = menu->addSeparator();
  action->setObjectName(objectName);
  return action;
}

QAction* AddSubmenu(QMenu* menu, QMenu* submenu, const QString& objectName, const char* caption) {
  submenu->setTitle(QString::fromUtf8(caption));
  QAction* action = menu->addMenu(submenu);
  action->setObjectName(objectName);
  return action;
}

}  // namespace

TVaticorForm::TVaticorForm(ProgramState& state, WindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state), links_(links) {
  setObjectName("VaticorForm");
  setWindowTitle("Vaticor");
  setWindowIcon(AppIcon());
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kSkyBlue);
  setPalette(palette);
  setAutoFillBackground(true);
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);
  setFocusPolicy(Qt::StrongFocus);

  CreateControls();
  CreateMenus();
  FormCreate();
  creating_ = false;
}

TVaticorForm::~TVaticorForm() = default;

QAction* TVaticorForm::ItemAt(QMenu* menu, int position) {
  const QList<QAction*> actions = menu->actions();
  return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

// ---------------------------------------------------------------------------
// Creation

void TVaticorForm::CreateControls() {
  // The layout's design size: a 640 x 480 screen, three cards.
  resize(314, 208);

  Image5 = MakeSkinImage(this, "Image5", ":/skin/titlebar.png");
  Image26 = MakeSkinImage(this, "Image26", ":/skin/edge_h.png", kTopOrLeftEdge);
  Image3 = MakeSkinImage(this, "Image3", ":/skin/edge_h.png", kBottomOrRightEdge);
  Image4 = MakeSkinImage(this, "Image4", ":/skin/edge_v.png", kTopOrLeftEdge);
  Image6 = MakeSkinImage(this, "Image6", ":/skin/edge_v.png", kBottomOrRightEdge);
  Image2 = MakeSkinImage(this, "Image2", ":/skin/bottombar.png");

  Image1 = MakeSkinImage(this, "Image1", ":/skin/menu_alpha.png");
  Image1->setToolTip(QString::fromUtf8("Меню F10"));
  Image7 = MakeSkinImage(this, "Image7", ":/skin/spreads_alpha.png");
  ButtonHideImage = new TSkinImage(this, ":/skin/minimise_alpha.png", false, TSkinImage::Drawing::Natural);
  ButtonHideImage->setObjectName("ButtonHideImage");
  ButtonHideImage->setToolTip(QString::fromUtf8("Свернуть"));
  ButtonCloseImage = MakeSkinImage(this, "ButtonCloseImage", ":/skin/close_alpha.png");
  ButtonCloseImage->setToolTip(QString::fromUtf8("Выход"));
  Image1->setGeometry(2, 0, 17, 17);
  Image7->setGeometry(18, 0, 17, 17);
  ButtonCloseImage->setGeometry(width() - 17, 0, 17, 17);
  ButtonHideImage->setGeometry(width() - 34, 8, 17, 8);

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
    connect(image, &TCardImage::clicked, this, [this, image] { CardImageClick(image); });
    connect(image, &TCardImage::customContextMenuRequested, this, [this, image](const QPoint& at) {
      PopupMenu2Popup(image);
      PopupMenu2->popup(image->mapToGlobal(at));
    });
    connect(image, &TCardImage::wantsSharperPicture, this, [this, image] { ShowSharper(image); });
    return image;
  };
  CardImage01 = makeCard(Panel01, "CardImage01");
  CardImage02 = makeCard(Panel03, "CardImage02");
  CardImage03 = makeCard(Panel02, "CardImage03");

  Label1 = new TCaptionLabel(this, palette().color(QPalette::WindowText));
  Label1->setObjectName("Label1");
  Label2 = new TCaptionLabel(this, Qt::white);
  Label2->setObjectName("Label2");
  connect(Label1, &TCaptionLabel::clicked, this, &TVaticorForm::Label1Click);
  connect(Label2, &TCaptionLabel::clicked, this, &TVaticorForm::Label1Click);

  connect(Image1, &TSkinImage::clicked, this, &TVaticorForm::Image1Click);
  connect(Image7, &TSkinImage::clicked, this, &TVaticorForm::Image7Click);
  connect(ButtonHideImage, &TSkinImage::clicked, this, &TVaticorForm::ButtonHideImageClick);
  connect(ButtonCloseImage, &TSkinImage::clicked, this, &QWidget::close);

  SkinChrome::Hooks hooks;
  hooks.moved = [this](const WindowRect&) {
    // A window the user moved no longer counts as pushed up for the
    // question window.
    state_.INIData.QuestionFormShifted = false;
    StoreGeometry();
  };
  hooks.resizedVertically = [this](const WindowRect&, int) {
    if (state_.INIData.ApplicationAutoSizeEnabled) FitCardWidthToHeight();
    state_.INIData.VaticorFormHeight = height();
    state_.INIData.VaticorFormCardWidth = Panel01->width();
  };
  hooks.canResizeHorizontally = [this] { return !ThreeCardMode(); };
  hooks.resizedHorizontally = [this](const WindowRect&, int tag) {
    OneCardWidth = width();
    ThreeCardWidth = 3 * width() - 8;
    SetPanelWidth(width() - 4);
    state_.INIData.VaticorFormCardWidth = width() - 4;
    if (tag == kTopOrLeftEdge) state_.INIData.VaticorFormLeft = x();
  };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  chrome_->AddTitle(Image5);
  chrome_->AddVerticalEdge(Image26, kTopOrLeftEdge);
  chrome_->AddVerticalEdge(Image3, kBottomOrRightEdge);
  chrome_->AddHorizontalEdge(Image4, kTopOrLeftEdge);
  chrome_->AddHorizontalEdge(Image6, kBottomOrRightEdge);
  chrome_->SetButtons(ButtonCloseImage, ButtonHideImage);
  chrome_->SetCaption(Label2, Label1, Image2);

  TrayIcon1 = new QSystemTrayIcon(AppIcon(), this);
  TrayIcon1->setObjectName("TrayIcon1");
  connect(TrayIcon1, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger) {
              TrayIcon1Click();
            } else if (reason == QSystemTrayIcon::Context) {
              activateWindow();
              PopupMenu1->popup(QCursor::pos());
            }
          });
}

void TVaticorForm::CreateMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->setToolTipsVisible(true);
  QAction* n11 = AddItem(PopupMenu1, "N11", "&1 карта");
  QAction* n31 = AddItem(PopupMenu1, "N31", "&3 карты");
  n11->setCheckable(true);
  n31->setCheckable(true);
  n31->setChecked(true);
  connect(n11, &QAction::triggered, this, [this] {
    SwitchToOneCardMode();
    ItemAt(PopupMenu1, 0)->setChecked(!ThreeCardMode());
  });
  connect(n31, &QAction::triggered, this, [this] {
    SwitchToThreeCardMode();
    ItemAt(PopupMenu1, 1)->setChecked(ThreeCardMode());
  });
  AddSeparator(PopupMenu1, "N1");

  DeckMenu = new QMenu(PopupMenu1);
  AddSubmenu(PopupMenu1, DeckMenu, "N2", "Выбрать колоду");
  connect(AddItem(DeckMenu, "N32", "Добавить колоду..."), &QAction::triggered, this,
          [this] { links_.folders.ShowForMode(1); });
  AddSeparator(DeckMenu, "N29");
  connect(AddItem(DeckMenu, "N15", "Случайный выбор колоды ..."), &QAction::triggered, this,
          &TVaticorForm::N15Click);
  AddSeparator(DeckMenu, "N16");

  DescriptionMenu = new QMenu(PopupMenu1);
  AddSubmenu(PopupMenu1, DescriptionMenu, "N14", "Выбрать описание");
  connect(AddItem(DescriptionMenu, "N33", "Добавить описание..."), &QAction::triggered, this,
          [this] { links_.folders.ShowForMode(2); });
  AddSeparator(DescriptionMenu, "N34");

  AddSeparator(PopupMenu1, "N3");
  connect(AddItem(PopupMenu1, "N5", "Расклады ..."), &QAction::triggered, this,
          [this] { links_.log.ShowLogWindow(); });
  AddSeparator(PopupMenu1, "N6");

  SettingsMenu = new QMenu(PopupMenu1);
  AddSubmenu(PopupMenu1, SettingsMenu, "N8", "Настройки");
  const std::pair<const char*, const char*> settings[] = {
      {"N12", "Использовать перевернутые карты"},
      {"N27", "Использовать только старшие арканы"},
      {"N17", "Гадать на случайных колодах"},
      {"N13", nullptr},
      {"N9", "Показывать кнопку на панеле задач"},
      {"N10", "Автоматическая настройка размера карты"},
      {"N21", nullptr},
      {"N28", "Использовать окно вопроса"},
      {"N22", "Сохранять журнал раскладов"},
  };
  int tag = 0;
  for (const auto& [name, caption] : settings) {
    if (!caption) {
      AddSeparator(SettingsMenu, name);
    } else {
      QAction* item = AddItem(SettingsMenu, name, caption);
      item->setCheckable(true);
      item->setData(tag);
      connect(item, &QAction::triggered, this, [this, tag] { N10Click(tag); });
    }
    ++tag;
  }
  ItemAt(SettingsMenu, kTaskbarButton)->setChecked(true);

  AddSeparator(PopupMenu1, "N7");
  ProgramMenu = new QMenu(PopupMenu1);
  ProgramMenu->setToolTipsVisible(true);
  AddSubmenu(PopupMenu1, ProgramMenu, "N24", "Программа");
  QAction* site = AddItem(ProgramMenu, "N25", "Посетить сайт программы");
  site->setToolTip(kWebPage);
  connect(site, &QAction::triggered, this, [this] { state_.Shell.Open(kWebPage); });
  QAction* mail = AddItem(ProgramMenu, "N26", "Письмо разработчику");
  mail->setToolTip(kMailLink);
  connect(mail, &QAction::triggered, this, [this] { state_.Shell.Open(kMailLink); });

  LanguageMenu = new QMenu(PopupMenu1);
  AddSubmenu(PopupMenu1, LanguageMenu, "Interfacelanguage1", "Язык интерфейса");
  QAction* russian = AddItem(LanguageMenu, "N30", "[rus] Русский");
  russian->setCheckable(true);
  russian->setChecked(true);
  connect(russian, &QAction::triggered, this, [this, russian] {
    state_.Languages.Clear();
    russian->setChecked(true);
    SetCaption();
  });
  AddSeparator(PopupMenu1, "N23");
  connect(AddItem(PopupMenu1, "N4", "Выход"), &QAction::triggered, this, &QWidget::close);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TVaticorForm::PopupMenu1Popup);

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  connect(AddItem(PopupMenu2, "N19", "Описание карты"), &QAction::triggered, this,
          [this] { CardImageClick(popupImage_); });
  AddSeparator(PopupMenu2, "N20");
  connect(AddItem(PopupMenu2, "N18", "Новый расклад"), &QAction::triggered, this,
          &TVaticorForm::ClearCards);
}

void TVaticorForm::FormCreate() {
  TINIData& ini = state_.INIData;

  // 1. Card widths from the saved card width; the saved place.
  ClampToScreenEdge = true;
  OneCardWidth = ini.VaticorFormCardWidth + 4;
  ThreeCardWidth = 3 * ini.VaticorFormCardWidth + 4;
  move(ini.VaticorFormLeft, ini.VaticorFormTop);

  // 2. Check marks of the settings submenu.
  ItemAt(SettingsMenu, kReversedCards)->setChecked(ini.UpSideDownCardsEnabled);
  ItemAt(SettingsMenu, kOnlyMajorArcana)->setChecked(ini.OnlyMajorArcanaEnabled);
  ItemAt(SettingsMenu, kRandomDecks)->setChecked(ini.RandomDecksEnabled);
  ItemAt(SettingsMenu, kTaskbarButton)->setChecked(ini.ApplicationShowButtonInTaskBar);
  ItemAt(SettingsMenu, kAutoSize)->setChecked(ini.ApplicationAutoSizeEnabled);
  ItemAt(SettingsMenu, kQuestionWindow)->setChecked(ini.QuestionFormEnabled);
  ItemAt(SettingsMenu, kSaveLog)->setChecked(ini.QuestionsLogSaveEnabled);

  // 3. The random generator.
  state_.Random.Randomize();

  // 4. Decks and the picker.
  state_.TaroDecks.LoadDecks();
  if (state_.TaroDecks.Count > 0) {
    RebuildDeckMenu();
    state_.SpreadPicker.InitGenerator(state_.TaroDecks.FilesCount);
  }
  UpdateRandomDeckItems();
  // 5.
  CacheCardPictureSize();

  // 6. Description sets.
  state_.TaroDescriptions.LoadDescriptions();
  if (state_.TaroDescriptions.Count > 0) RebuildDescriptionMenu();

  // 7. The layout starts in three-card mode.
  if (!ini.ThreeCardsModeEnabled) {
    resize(OneCardWidth, height());
    Panel02->hide();
    Panel03->hide();
    ItemAt(PopupMenu1, 0)->setChecked(true);
    ItemAt(PopupMenu1, 1)->setChecked(false);
  }
  SetCaption();

  // 10 (before 9, so that the screen check sees the window's real size).
  const int m = CardsAcross();
  resize(ini.VaticorFormCardWidth * m + 4, ini.VaticorFormHeight);
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
  const int panelHeight = std::max(0, h - kFixedHeight);
  Image5->setGeometry(0, 0, w, kBarHeight);
  Image26->setGeometry(0, kBarHeight, w, kEdge);
  Image4->setGeometry(0, kBarHeight + kEdge, kSide, panelHeight);
  Image6->setGeometry(w - kSide, kBarHeight + kEdge, kSide, panelHeight);
  Image3->setGeometry(0, h - kBarHeight - kEdge, w, kEdge);
  Image2->setGeometry(0, h - kBarHeight, w, kBarHeight);
  int left = kSide;
  for (QFrame* panel : {Panel01, Panel03, Panel02}) {
    panel->setGeometry(left, kBarHeight + kEdge, panel->width(), panelHeight);
    if (panel->isVisibleTo(this)) left += panel->width();
  }
  for (TCardImage* image : CardImages()) {
    QWidget* panel = image->parentWidget();
    image->setGeometry(1, 1, std::max(0, panel->width() - 2), std::max(0, panelHeight - 2));
  }
  Image1->raise();
  Image7->raise();
  ButtonHideImage->raise();
  ButtonCloseImage->raise();
  Label1->raise();
  Label2->raise();
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
  if (ClampToScreenEdge && x() + width() > screenWidth) move(screenWidth - width(), y());
  StoreGeometry();
}

void TVaticorForm::StoreGeometry() {
  if (creating_) return;
  state_.INIData.VaticorFormLeft = x();
  state_.INIData.VaticorFormTop = y();
}

bool TVaticorForm::RightHalf(int left, int width) const {
  return state_.Screen.Width() / 2 - left < width / 2;
}

// ---------------------------------------------------------------------------
// The draw

void TVaticorForm::Label1Click() {
  TINIData& ini = state_.INIData;
  if (ini.RandomDecksEnabled) N15Click();

  const TTaroDecks& decks = state_.TaroDecks;
  drawCount_ = kMajorArcana;
  if (decks.FilesCount > kMajorArcana && !ini.OnlyMajorArcanaEnabled) drawCount_ = decks.FilesCount;
  UsedCardFlags.assign(static_cast<std::size_t>(drawCount_), false);
  RemainingCount = drawCount_ - 1;

  std::vector<int> cards;
  for (int i = 0; i < CardsAcross(); ++i) {
    TCardImage* image = CardImages()[static_cast<std::size_t>(i)];
    const int reversed = state_.Random.Random(2);
    const int card = PickUnusedCard();
    const int signedCard = reversed == 0 ? card : -card;
    image->SetNumber(signedCard);
    ShowCardOnImage(signedCard, image);
    cards.push_back(image->Number());
  }

  links_.log.AddReading(cards);
  if (links_.log.LineCount() >= 1) links_.log.SelectLine(links_.log.LineCount() - 1);
}

int TVaticorForm::PickUnusedCard() {
  // The generator was seeded from the clock when the window was created.
  // Seeding it again before every pick would give the three picks of a draw
  // the same seed whenever they fall within one millisecond, and so three
  // neighbouring cards.
  if (RemainingCount < 0) return -1;
  const int a = state_.Random.Random(RemainingCount + 1);
  int unused = 0;
  for (int index = 0; index < drawCount_; ++index) {
    if (UsedCardFlags[static_cast<std::size_t>(index)]) continue;
    if (unused++ == a) {
      UsedCardFlags[static_cast<std::size_t>(index)] = true;
      --RemainingCount;
      return index;
    }
  }
  return -1;
}

void TVaticorForm::ShowCardOnImage(int signedCard, TCardImage* image) {
  const int card = std::abs(signedCard);
  const bool reversed = signedCard < 0 && state_.INIData.UpSideDownCardsEnabled;
  if (!reversed) image->SetNumber(card);
  const QSize size = image->DisplaySize();
  std::unique_ptr<Picture> picture =
      state_.TaroDecks.GetCardPicture(card, {size.width(), size.height()});
  if (!picture) {
    image->ClearPicture();
    return;
  }
  image->SetPicture(ToQImage(reversed ? *MakeReversedPicture(*picture) : *picture));
}

void TVaticorForm::ShowSignedCard(TCardImage* image, int signedCard) {
  image->SetNumber(signedCard);
  // The lowest integer has no magnitude of its own: no deck has that card.
  std::unique_ptr<Picture> picture;
  if (signedCard != std::numeric_limits<int>::min()) {
    const QSize size = image->DisplaySize();
    picture = state_.TaroDecks.GetCardPicture(std::abs(signedCard), {size.width(), size.height()});
  }
  if (!picture) {
    image->ClearPicture();
    return;
  }
  image->SetPicture(ToQImage(signedCard < 0 ? *MakeReversedPicture(*picture) : *picture));
}

void TVaticorForm::ShowSharper(TCardImage* image) {
  const int signedCard = image->Number();
  const QSize size = image->DisplaySize();
  std::unique_ptr<Picture> picture =
      state_.TaroDecks.GetCardPicture(std::abs(signedCard), {size.width(), size.height()});
  if (!picture) return;
  image->SetPicture(ToQImage(signedCard < 0 ? *MakeReversedPicture(*picture) : *picture));
}

void TVaticorForm::ClearCards() {
  for (TCardImage* image : CardImages()) image->ClearPicture();
}

void TVaticorForm::RefreshCardPictures() {
  for (TCardImage* image : CardImages()) {
    if (!image->HasPicture()) continue;
    const int signedCard = image->Number();
    const QSize size = image->DisplaySize();
    std::unique_ptr<Picture> picture =
        state_.TaroDecks.GetCardPicture(std::abs(signedCard), {size.width(), size.height()});
    if (!picture) {
      image->ClearPicture();
      continue;
    }
    image->SetPicture(ToQImage(signedCard < 0 ? *MakeReversedPicture(*picture) : *picture));
  }
}

void TVaticorForm::CacheCardPictureSize() {
  // A deck without a picture for its first card keeps the size it had.
  if (state_.TaroDecks.CardWidth > 0 && state_.TaroDecks.CardHeight > 0) {
    CardPictureWidth = state_.TaroDecks.CardWidth;
    CardPictureHeight = state_.TaroDecks.CardHeight;
  }
}

void TVaticorForm::CardImageClick(TCardImage* image) {
  if (image && image->HasPicture()) {
    const int card = std::abs(image->Number());
    links_.viewer.ShowCardDescription(state_.TaroDecks.GetCardName(card), card, 0);
  }
  links_.viewer.ShowViewer();
}

// ---------------------------------------------------------------------------
// Modes and sizes

QString TVaticorForm::LanguageText(int id, const char* russian) const {
  if (state_.SystemLanguage != "0x0419") {
    const std::string entry = state_.Languages.Entry(id);
    if (!entry.empty()) return QString::fromStdString(entry);
  }
  return QString::fromUtf8(russian);
}

void TVaticorForm::SetCaption() {
  Label2->setText(ThreeCardMode() ? LanguageText(1005, "Вытянуть карты ...")
                                  : LanguageText(1004, "Вытянуть карту ..."));
  Label2->adjustSize();
  Label1->setText(Label2->text());
  Label1->adjustSize();
  chrome_->KeepInShape();
}

void TVaticorForm::SwitchToOneCardMode() {
  if (!ThreeCardMode()) return;
  for (TCardImage* image : CardImages()) {
    image->ClearPicture();
    image->SetNumber(-1);
  }
  state_.INIData.ThreeCardsModeEnabled = false;
  SetCaption();
  setGeometry(x() + ThreeCardWidth - OneCardWidth, y(), OneCardWidth, height());
  Panel02->hide();
  Panel03->hide();
  ItemAt(PopupMenu1, 0)->setChecked(true);
  ItemAt(PopupMenu1, 1)->setChecked(false);
  LayOutControls();
}

void TVaticorForm::SwitchToThreeCardMode() {
  if (ThreeCardMode()) return;
  CardImage01->ClearPicture();
  CardImage01->SetNumber(-1);
  state_.INIData.ThreeCardsModeEnabled = true;
  SetCaption();
  setGeometry(x() - (ThreeCardWidth - OneCardWidth), y(), ThreeCardWidth, height());
  Panel02->show();
  Panel03->show();
  ItemAt(PopupMenu1, 0)->setChecked(false);
  ItemAt(PopupMenu1, 1)->setChecked(true);
  LayOutControls();
}

void TVaticorForm::ApplyAutoCardSize() {
  const int oldLeft = x();
  const int oldWidth = width();
  const int screenHeight = state_.Screen.Height();
  resize(width(), RoundHalfEven(screenHeight / 480.0 * 208));
  chrome_->KeepInShape();
  if (CardPictureHeight <= 0) return;  // no picture to take proportions from

  const int cw = CardPictureWidth * PanelHeight() / CardPictureHeight;
  OneCardWidth = cw + 4;
  ThreeCardWidth = 3 * cw + 4;
  const int newWidth = CardsAcross() * cw + 4;
  int left = x();
  if (RightHalf(oldLeft, oldWidth)) left = oldLeft + oldWidth - newWidth;
  state_.INIData.VaticorFormLeft = left;
  setGeometry(left, y(), newWidth, height());
  SetPanelWidth(cw);
  state_.INIData.VaticorFormCardWidth = cw;
}

void TVaticorForm::FitCardWidthToHeight() {
  if (CardPictureHeight <= 0) return;
  ClampToScreenEdge = false;
  const int oldLeft = x();
  const int oldWidth = width();
  const int cw = PanelHeight() * CardPictureWidth / CardPictureHeight;
  OneCardWidth = cw + 4;
  ThreeCardWidth = 3 * cw + 4;
  SetPanelWidth(cw);
  const int newWidth = CardsAcross() * cw + 4;
  int left = x();
  if (RightHalf(oldLeft, oldWidth)) left = oldLeft + oldWidth - newWidth;
  setGeometry(left, y(), newWidth, height());
  ClampToScreenEdge = true;
}

void TVaticorForm::ApplyScreenCardSize() {
  const int oldLeft = x();
  const int oldWidth = width();
  const double w = state_.Screen.Width();
  const int newHeight = RoundHalfEven(state_.Screen.Height() / 480.0 * 208);
  state_.INIData.VaticorFormHeight = newHeight;
  const int panel = RoundHalfEven(w / 640 * 103);
  OneCardWidth = panel + 4;
  ThreeCardWidth = RoundHalfEven(w / 640 * 309) + 4;
  const int newWidth = RoundHalfEven(w / 640 * 103 * CardsAcross()) + 4;
  int left = oldLeft;
  if (RightHalf(oldLeft, oldWidth)) left = oldLeft + oldWidth - newWidth;
  state_.INIData.VaticorFormLeft = left;
  setGeometry(left, y(), newWidth, newHeight);
  SetPanelWidth(panel);
  state_.INIData.VaticorFormCardWidth = panel;
}

// ---------------------------------------------------------------------------
// Menus

void TVaticorForm::SetUpMajorArcanaItem() {
  QAction* item = ItemAt(SettingsMenu, kOnlyMajorArcana);
  if (state_.TaroDecks.FilesCount > kMajorArcana) {
    item->setEnabled(true);
    item->setChecked(state_.INIData.OnlyMajorArcanaEnabled);
  } else {
    item->setEnabled(false);
    item->setChecked(true);
  }
  UpdateRandomDeckItems();
}

void TVaticorForm::UpdateRandomDeckItems() {
  // Choosing a deck at random needs at least two decks; adding one is
  // always possible.
  const bool severalDecks = state_.TaroDecks.Count > 1;
  ItemAt(DeckMenu, 2)->setEnabled(severalDecks);
  ItemAt(SettingsMenu, kRandomDecks)->setEnabled(severalDecks);
}

void TVaticorForm::CheckOnlyDeckItem(int position) {
  const QList<QAction*> items = DeckMenu->actions();
  for (int i = kDeckItemsStart; i < items.size(); ++i) items[i]->setChecked(i == position);
  CheckedDeckPosition = position;
}

void TVaticorForm::RebuildDeckMenu() {
  TTaroDecks& decks = state_.TaroDecks;
  if (decks.Count <= 0) return;
  for (int i = 0; i < decks.Count; ++i) {
    QAction* item = DeckMenu->addAction(
        QString::fromStdString(decks.DisplayNames[static_cast<std::size_t>(i)]));
    item->setCheckable(true);
    item->setData(i);
    connect(item, &QAction::triggered, this, [this, i] { SelectDeckFromMenu(i); });
  }
  TINIData& ini = state_.INIData;
  ini.DeckIndex = std::min(ini.DeckIndex, decks.Count - 1);
  decks.SelectDeck(ini.DeckIndex);
  ini.DeckIndex = decks.CurrentDeck();
  SetUpMajorArcanaItem();
  CheckOnlyDeckItem(ini.DeckIndex + kDeckItemsStart);
  CacheCardPictureSize();
}

void TVaticorForm::RebuildDescriptionMenu() {
  TTaroDescriptions& sets = state_.TaroDescriptions;
  if (sets.Count <= 0) return;
  for (int i = 0; i < sets.Count; ++i) {
    QAction* item = DescriptionMenu->addAction(
        QString::fromStdString(sets.DisplayNames[static_cast<std::size_t>(i)]));
    item->setCheckable(true);
    item->setData(i);
    connect(item, &QAction::triggered, this, [this, i] { SelectDescriptionFromMenu(i); });
  }
  TINIData& ini = state_.INIData;
  ini.DescriptionIndex = std::min(ini.DescriptionIndex, sets.Count - 1);
  sets.SelectDescription(ini.DescriptionIndex);
  ini.DescriptionIndex = sets.CurrentDescription();
}

void TVaticorForm::SelectDeckFromMenu(int deck) {
  if (QAction* old = ItemAt(DeckMenu, CheckedDeckPosition)) old->setChecked(false);
  state_.INIData.DeckIndex = deck;
  CheckOnlyDeckItem(deck + kDeckItemsStart);
  state_.TaroDecks.SelectDeck(deck);
  SetUpMajorArcanaItem();
  CacheCardPictureSize();
  if (state_.INIData.ApplicationAutoSizeEnabled) ApplyAutoCardSize();
  RefreshCardPictures();
}

void TVaticorForm::N15Click() {
  TTaroDecks& decks = state_.TaroDecks;
  if (decks.Count <= 0) return;
  const int deck = state_.Random.Random(decks.Count);
  CheckOnlyDeckItem(deck + kDeckItemsStart);
  state_.INIData.DeckIndex = deck;
  decks.SelectDeck(deck);
  CacheCardPictureSize();
  if (state_.INIData.ApplicationAutoSizeEnabled) ApplyAutoCardSize();
  RefreshCardPictures();
}

void TVaticorForm::SelectDescriptionFromMenu(int set) {
  state_.INIData.DescriptionIndex = set;
  state_.TaroDescriptions.SelectDescription(set);
  if (links_.viewer.IsViewerVisible()) links_.viewer.ShowCurrentCardAgain();
}

void TVaticorForm::PopupMenu1Popup() {
  const int current = state_.INIData.DescriptionIndex;
  if (state_.TaroDescriptions.Count > 0 && CheckedDescriptionIndex != current) {
    if (QAction* old = ItemAt(DescriptionMenu, CheckedDescriptionIndex + kDescriptionItemsStart)) {
      if (CheckedDescriptionIndex >= 0) old->setChecked(false);
    }
    CheckedDescriptionIndex = current;
    if (QAction* item = ItemAt(DescriptionMenu, current + kDescriptionItemsStart)) {
      item->setChecked(true);
    }
  }
  ItemAt(SettingsMenu, kQuestionWindow)->setChecked(state_.INIData.QuestionFormEnabled);
}

void TVaticorForm::PopupMenu2Popup(TCardImage* image) {
  popupImage_ = image;
  QAction* describe = ItemAt(PopupMenu2, 0);
  const QString entry = LanguageText(1026, "Описание карты");
  if (image && image->HasPicture()) {
    const std::string name = state_.TaroDecks.GetCardName(std::abs(image->Number()));
    describe->setText(QString::fromStdString(name) + " - " + entry);
    describe->setEnabled(true);
  } else {
    describe->setText(entry);
    describe->setEnabled(false);
  }
  ItemAt(PopupMenu2, 2)->setEnabled(CardImage01->HasPicture());
}

void TVaticorForm::N10Click(int tag) {
  QAction* item = ItemAt(SettingsMenu, tag);
  TINIData& ini = state_.INIData;
  // A triggered checkable item has already flipped its mark.
  const bool checked = item->isChecked();
  switch (tag) {
    case kReversedCards:
      ini.UpSideDownCardsEnabled = checked;
      break;
    case kOnlyMajorArcana:
      ini.OnlyMajorArcanaEnabled = checked;
      break;
    case kRandomDecks:
      ini.RandomDecksEnabled = checked;
      break;
    case kSaveLog:
      ini.QuestionsLogSaveEnabled = checked;
      break;
    case kTaskbarButton:
      ini.ApplicationShowButtonInTaskBar = checked;
      SetTaskbarButtonVisible(this, checked);
      TrayIcon1->setVisible(!checked);
      break;
    case kAutoSize: {
      const bool wasOn = ini.ApplicationAutoSizeEnabled;
      ini.ApplicationAutoSizeEnabled = !wasOn;
      if (wasOn) {
        ApplyScreenCardSize();
      } else {
        ApplyAutoCardSize();
      }
      break;
    }
    case kQuestionWindow:
      SetQuestionEnabled(checked, true);
      break;
    default:
      break;
  }
}

void TVaticorForm::SetQuestionEnabled(bool enabled, bool fromMenu) {
  TINIData& ini = state_.INIData;
  ini.QuestionFormEnabled = enabled;
  QuestionWindowLink& question = links_.question;
  if (enabled) {
    if (question.QuestionTop() < y() + height()) {
      move(x(), question.QuestionTop() - height());
      ini.VaticorFormTop = y();
      ini.QuestionFormShifted = true;
    }
    question.SetQuestionVisible(true);
  } else {
    question.SetQuestionVisible(false);
    if (!fromMenu && ini.QuestionFormShifted) {
      move(x(), y() + question.QuestionHeight());
      ini.VaticorFormTop = y();
      ini.QuestionFormShifted = false;
    }
  }
}

QPoint TVaticorForm::MainMenuPoint() const {
  return {x() + Image1->x(), y() + Image1->y() + Image1->height()};
}

void TVaticorForm::Image1Click() { PopupMenu1->popup(MainMenuPoint()); }

void TVaticorForm::Image7Click() {
  if (links_.question.IsQuestionVisible()) links_.question.SetQuestionVisible(false);
  state_.SpreadsMode = true;
  links_.spreads.ShowSpreads();
  hide();
}

void TVaticorForm::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu1->popup(event->globalPos());
}

// ---------------------------------------------------------------------------
// Tray icon and taskbar button

bool TVaticorForm::TrayIconActive() const { return TrayIcon1->isVisible(); }

void TVaticorForm::FormActivate() {
  if (state_.INIData.ApplicationShowButtonInTaskBar) return;
  SetTaskbarButtonVisible(this, false);
  TrayIcon1->show();
}

void TVaticorForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TVaticorForm::TrayIcon1Click() {
  if (state_.SpreadsMode) {
    links_.spreads.SetSpreadVisible();
  } else {
    const bool visible = !isVisible();
    setVisible(visible);
    if (state_.INIData.QuestionFormEnabled) links_.question.SetQuestionVisible(visible);
  }
  raise();
  activateWindow();
}

void TVaticorForm::ButtonHideImageClick() {
  if (TrayIconActive() || links_.question.IsQuestionVisible()) {
    hide();
  } else {
    showMinimized();
  }
}

// ---------------------------------------------------------------------------
// Keys

void TVaticorForm::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press, not its release: one command per key.
  if (event->isAutoRepeat()) return;
  FormKeyUp(VirtualKeyCode(*event));
}

void TVaticorForm::FormKeyUp(int key) {
  TINIData& ini = state_.INIData;
  ReadingLogLink& log = links_.log;
  switch (key) {
    case vk::Escape:
      ButtonHideImageClick();
      break;
    case vk::OemPlus:
      ItemAt(SettingsMenu, kAutoSize)->setChecked(true);
      ini.ApplicationAutoSizeEnabled = true;
      ApplyAutoCardSize();
      break;
    case vk::OemBackslash:
      ItemAt(SettingsMenu, kAutoSize)->setChecked(false);
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
      if (!log.LineText(target).starts_with("[")) log.ShowSelectedReading();
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
      PopupMenu1->popup(MainMenuPoint());
      break;
    default:
      break;
  }
}

void TVaticorForm::NextDeck(int step) {
  TTaroDecks& decks = state_.TaroDecks;
  if (decks.Count <= 0) return;
  TINIData& ini = state_.INIData;
  if (QAction* old = ItemAt(DeckMenu, ini.DeckIndex + kDeckItemsStart)) old->setChecked(false);
  int deck = ini.DeckIndex + step;
  if (deck < 0) deck = decks.Count - 1;
  if (deck > decks.Count - 1) deck = 0;
  ini.DeckIndex = deck;
  decks.SelectDeck(deck);
  CacheCardPictureSize();
  if (ini.ApplicationAutoSizeEnabled) FitCardWidthToHeight();
  RefreshCardPictures();
  CheckOnlyDeckItem(deck + kDeckItemsStart);
}

void TVaticorForm::ToggleQuestionWindow() {
  SetQuestionEnabled(!state_.INIData.QuestionFormEnabled, false);
}

// ---------------------------------------------------------------------------
// Closing

void TVaticorForm::closeEvent(QCloseEvent* event) {
  TINIData& ini = state_.INIData;
  ini.VaticorFormHeight = height();
  try {
    WriteSettings(ini, state_.Screen);
  } catch (const std::exception& error) {
    // The user still gets out of the program; the message says what was lost.
    QMessageBox::critical(this, "Vaticor", QString::fromUtf8(error.what()));
  }
  if (ini.QuestionsLogSaveEnabled) {
    try {
      links_.log.SaveLog();
    } catch (const std::exception& error) {
      QMessageBox::critical(this, "Vaticor", QString::fromUtf8(error.what()));
    }
  }
  TrayIcon1->hide();
  event->accept();
  QApplication::quit();
}

}  // namespace vaticor
