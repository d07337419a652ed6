#include "ui/viewer/about_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/file_io.h"
#include "library/rtf_reader.h"
#include "platform/picture_image.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/viewer/rich_text_view.h"

namespace vaticor {

namespace {

constexpr int kBar = 17;  // title bar height, button size
constexpr int kSide = 2;  // side and bottom edges
constexpr int kPictureFrameHeight = 194;
constexpr int kPictureWidth = 116;
constexpr int kPictureHeight = 189;
constexpr int kTitleLeft = 22;
constexpr int kSmallestHeight = TAboutForm::kContentTop + kSide;

// The text-size items: position in PopupMenu2, tag, built-in caption and
// the interface text that replaces it.
struct FontSizeChoice {
  int tag;
  const char* caption;
  int languageId;
};
constexpr FontSizeChoice kFontSizeChoices[] = {
    {-1, "По умолчанию", 1032}, {0, "Самый маленький", 1033}, {1, "Маленький", 1034},
    {2, "Средний", 1035},       {3, "Крупный", 1036},         {4, "Самый крупный", 1037},
};

// A title label: takes the press so that the drag that starts on it keeps
// coming to it (the chrome moves the window from it).
QToolButton* MakeToolButton(QWidget* parent, const char* name, const char* glyph) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setIcon(QIcon(SkinPicture(QString(":/skin/%1_alpha.png").arg(glyph))));
  button->setIconSize(QSize(16, 16));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

TAboutForm::TAboutForm(ProgramState& state, PictureLoader& pictures, MainWindowLink& main,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      pictures_(pictures),
      main_(main) {
  setObjectName("AboutForm");
  setWindowTitle(QString::fromUtf8("Описание карты"));
  UseSkinLook(this, /*navyText=*/true);
  MakeCloseHide(this);
  setMinimumSize(kMinimumWidth, kSmallestHeight);

  CreateControls();
  CreateMenus();
  FormCreate();
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::FillDescriptionMenu() {
  for (QAction* item : descriptionItems_) delete item;
  descriptionItems_.clear();
  CheckedDescriptionPosition = -1;
  const TTaroDescriptions& sets = state_.TaroDescriptions;
  for (int i = 0; i < sets.Count && i < static_cast<int>(sets.DisplayNames.size()); ++i) {
    QAction* item = AddFileItem(
        PopupMenu1, QString::fromStdString(sets.DisplayNames[static_cast<std::size_t>(i)]));
    item->setCheckable(true);
    item->setData(i);
    ConnectCommand(item, &QAction::triggered, this,
                   [this, i] { state_.Content.SelectDescriptionSet(i); });
    descriptionItems_.push_back(item);
  }
  CheckDescriptionItem();
}

void TAboutForm::CheckDescriptionItem() {
  const int current = state_.TaroDescriptions.Count > 0 ? state_.Content.DescriptionSet() : -1;
  if (QAction* old = DescriptionItem(CheckedDescriptionPosition)) old->setChecked(false);
  if (QAction* item = DescriptionItem(current)) item->setChecked(true);
  CheckedDescriptionPosition = current;
}

QAction* TAboutForm::DescriptionItem(int position) const {
  return position >= 0 && position < static_cast<int>(descriptionItems_.size())
             ? descriptionItems_[static_cast<std::size_t>(position)]
             : nullptr;
}

QAction* TAboutForm::FontSizeItem(int sizeIndex) const {
  const int slot = sizeIndex + 1;
  return slot >= 0 && slot < static_cast<int>(fontSizeItems_.size())
             ? fontSizeItems_[static_cast<std::size_t>(slot)]
             : nullptr;
}

// ---------------------------------------------------------------------------
// Creation

void TAboutForm::CreateControls() {
  // The layout's design size; FormCreate puts the stored one in its place.
  resize(465, 304);

  Image3 = MakeSkinImage(this, "Image3", ":/skin/titlebar.png");
  Image10 = MakeSkinImage(this, "Image10", ":/skin/line_h.png");
  ToolBarImage = MakeSkinImage(this, "ToolBarImage", ":/skin/toolbar.png");
  Image6 = MakeSkinImage(this, "Image6", ":/skin/line_h.png");
  Image7 = MakeSkinImage(this, "Image7", ":/skin/edge_v.png");
  Image9 = MakeSkinImage(this, "Image9", ":/skin/edge_v.png");
  Image8 = MakeSkinImage(this, "Image8", ":/skin/edge_h.png");
  // Both side edges widen the window to the right: its left stays put.
  Image7->setTag(kBottomOrRightEdge);
  Image9->setTag(kBottomOrRightEdge);
  Image8->setTag(kBottomOrRightEdge);

  Image1 = MakeSkinImage(this, "Image1", ":/skin/window_icon_alpha.png");
  Image1->setGeometry(2, 0, kBar, kBar);
  for (TCaptionLabel** label : {&Label1, &Label2}) {
    const bool shadow = label == &Label1;
    *label = new TCaptionLabel(this, shadow ? QColor(Qt::black) : QColor(Qt::white));
    (*label)->setObjectName(shadow ? "Label1" : "Label2");
    // A title to drag the window by, not a button.
    (*label)->setCursor(Qt::ArrowCursor);
    QFont bold = (*label)->font();
    bold.setBold(true);
    (*label)->setFont(bold);
  }
  Label1->move(kTitleLeft + 1, 2);
  Label2->move(kTitleLeft, 1);

  ButtonMaximizeImage = MakeSkinImage(this, "ButtonMaximizeImage", ":/skin/maximise_alpha.png");
  SetHint(ButtonMaximizeImage, QString::fromUtf8("Развернуть"));
  ButtonNormalImage = MakeSkinImage(this, "ButtonNormalImage", ":/skin/restore_alpha.png");
  SetHint(ButtonNormalImage, QString::fromUtf8("Восстановить"));
  ButtonCloseImage = MakeSkinImage(this, "ButtonCloseImage", ":/skin/close_alpha.png");
  SetHint(ButtonCloseImage, QString::fromUtf8("Закрыть"));
  for (TSkinImage* button : {ButtonMaximizeImage, ButtonNormalImage, ButtonCloseImage}) {
    button->resize(kBar, kBar);
  }

  SpeedButton1 = MakeToolButton(this, "SpeedButton1", "glyph_description");
  SpeedButton2 = MakeToolButton(this, "SpeedButton2", "glyph_card");
  SpeedButton6 = MakeToolButton(this, "SpeedButton6", "glyph_font_size");
  SpeedButton1->setText(QString::fromUtf8("Выбрать описание"));
  SpeedButton2->setText(QString::fromUtf8("Выбрать карту"));
  SpeedButton6->setText(QString::fromUtf8("Размер шрифта"));
  SpeedButton2->setCheckable(true);
  ConnectCommand(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ConnectCommand(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ConnectCommand(SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton6Click(); });

  // The content area: the card-selection panel and the text, side by side.
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  auto* content = new QHBoxLayout(Panel1);
  content->setContentsMargins(0, 0, 0, 0);
  ContentSplitter = new QSplitter(Qt::Horizontal, Panel1);
  ContentSplitter->setObjectName("ContentSplitter");
  ContentSplitter->setHandleWidth(2);
  ContentSplitter->setChildrenCollapsible(false);
  content->addWidget(ContentSplitter);

  Panel2 = new QFrame(ContentSplitter);
  Panel2->setObjectName("Panel2");
  Panel2->setMinimumWidth(kListMinWidth);
  Panel2->setMaximumWidth(kListMaxWidth);
  auto* panel = new QVBoxLayout(Panel2);
  panel->setContentsMargins(0, 0, 0, 0);
  PanelSplitter = new QSplitter(Qt::Vertical, Panel2);
  PanelSplitter->setObjectName("PanelSplitter");
  PanelSplitter->setHandleWidth(2);
  PanelSplitter->setChildrenCollapsible(false);
  panel->addWidget(PanelSplitter);

  ListBox1 = new QListWidget(PanelSplitter);
  ListBox1->setObjectName("ListBox1");
  ListBox1->viewport()->setCursor(Qt::PointingHandCursor);
  ListBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Five rows at least: one row and a cut card told the user little.
  ListBox1->setMinimumHeight(5 * (ListBox1->fontMetrics().lineSpacing() + 2) +
                             2 * ListBox1->frameWidth());
  UseSkinListColours(ListBox1, SkinListText(), SkinListBase());
  ConnectCommand(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ListBox1Click(row);
  });
  // A click on the row already selected still shows its card and picture
  // (for one, after the panel was turned on).
  ConnectCommand(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = ListBox1->row(item);
    if (row >= 0 && (row != currentCard_ || row != pictureCard_)) ListBox1Click(row);
  });

  Panel3 = new QFrame(PanelSplitter);
  Panel3->setObjectName("Panel3");
  Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel3->setMinimumHeight(20);
  Panel3->installEventFilter(this);
  Image2 = new TCardImage(Panel3);
  Image2->setObjectName("Image2");
  Image2->setGeometry(0, (kPictureFrameHeight - kPictureHeight) / 2, kPictureWidth, kPictureHeight);
  Image2->setCursor(Qt::ArrowCursor);
  // The picture is decoded afresh for the frame's size once it rests.
  pictureReload_.setSingleShot(true);
  pictureReload_.setInterval(TCardImage::kSharpenDelayMs);
  ConnectCommand(&pictureReload_, &QTimer::timeout, this, [this] {
    if (pictureCard_ >= 0 && pictureLoadedAt_ != Image2->DisplaySize()) {
      LoadCardPicture(pictureCard_);
    }
  });

  PanelSplitter->addWidget(ListBox1);
  PanelSplitter->addWidget(Panel3);
  PanelSplitter->setStretchFactor(0, 1);
  PanelSplitter->setStretchFactor(1, 0);
  Splitter2 = PanelSplitter->handle(1);
  Splitter2->setObjectName("Splitter2");

  RichEdit1 = new QTextEdit(ContentSplitter);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setUndoRedoEnabled(false);
  RichEdit1->setAcceptRichText(false);
  // Text to read and copy: no caret.
  RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QPalette textPalette = RichEdit1->palette();
  textPalette.setColor(QPalette::Base, SkinSkyBlue());
  textPalette.setColor(QPalette::Text, Qt::black);
  RichEdit1->setPalette(textPalette);
  QFont textFont = RichEdit1->font();
  textFont.setPointSize(10);
  RichEdit1->setFont(textFont);  // the document's default font
  RichEdit1->document()->setDocumentMargin(6);

  ContentSplitter->addWidget(Panel2);
  ContentSplitter->addWidget(RichEdit1);
  ContentSplitter->setStretchFactor(0, 0);
  ContentSplitter->setStretchFactor(1, 1);
  Splitter1 = ContentSplitter->handle(1);
  Splitter1->setObjectName("Splitter1");
  ConnectCommand(ContentSplitter, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });

  // The frame's parts lie above the content.
  for (QWidget* part : std::initializer_list<QWidget*>{Image7, Image9, Image8}) part->raise();

  ConnectCommand(Image1, &TSkinImage::clicked, this, [this] {
    // The icon also drags the window; the end of a drag is no click.
    if (pos() == iconPressWindowPos_) Image1Click();
  });
  Image1->installEventFilter(this);
  ConnectCommand(Image3, &TSkinImage::doubleClicked, this, [this] { Image3DblClick(); });
  ConnectCommand(ButtonMaximizeImage, &TSkinImage::clicked, this,
                 [this] { ButtonMaximizeImageClick(); });
  ConnectCommand(ButtonNormalImage, &TSkinImage::clicked, this,
                 [this] { ButtonNormalImageClick(); });
  ConnectCommand(ButtonCloseImage, &TSkinImage::clicked, this, [this] { ButtonCloseImageClick(); });

  SkinChrome::Hooks hooks;
  hooks.canMove = [this] { return !maximized_; };
  hooks.moved = [this](const WindowRect& rect) {
    state_.INIData.AboutFormLeft = rect.left;
    state_.INIData.AboutFormTop = rect.top;
  };
  hooks.resizedHorizontally = [this](const WindowRect& rect, int) {
    state_.INIData.AboutFormWidth = rect.width;
  };
  hooks.resizedVertically = [this](const WindowRect& rect, int) {
    state_.INIData.AboutFormHeight = rect.height;
  };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  for (QWidget* title : std::initializer_list<QWidget*>{Image3, Image1, Label2, Label1}) {
    chrome_->AddTitle(title);
  }
  chrome_->AddHorizontalEdge(Image7, kBottomOrRightEdge);
  chrome_->AddHorizontalEdge(Image9, kBottomOrRightEdge);
  chrome_->AddVerticalEdge(Image8, kBottomOrRightEdge);
}

void TAboutForm::CreateMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  ConnectCommand(PopupMenu2, &QMenu::aboutToShow, this, [this] { PopupMenu2Popup(); });
  for (const FontSizeChoice& item : kFontSizeChoices) {
    if (item.tag == 0) PopupMenu2->addSeparator()->setObjectName("N1");
    QAction* action = PopupMenu2->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(QString("MenuItem%1").arg(item.tag + 2));
    action->setCheckable(true);
    action->setData(item.tag);
    const int tag = item.tag;
    ConnectCommand(action, &QAction::triggered, this, [this, tag] { MenuItem1Click(tag); });
    fontSizeItems_.push_back(action);
  }
  // The design marks the default size.
  FontSizeItem(-1)->setChecked(true);
}

void TAboutForm::FormCreate() {
  TINIData& ini = state_.INIData;
  // A size index from a damaged settings file means the nearest choice.
  ini.AboutFormFontSizeIndex = std::clamp(ini.AboutFormFontSizeIndex, -1, 4);

  // 1. The panel and the list as they were left.
  SetPanelVisible(ini.AboutFormCardSelectionPanelVisible);
  // 2. The current deck's cards.
  FillCardList();
  // 3. One item per description set.
  FillDescriptionMenu();
  // 4. The chosen text size (on the still empty text).
  if (ini.AboutFormFontSizeIndex != -1) ApplyDescriptionFontSize(ini.AboutFormFontSizeIndex);
  ApplyLanguage();
  // 5. Place and size.
  setGeometry(ini.AboutFormLeft, ini.AboutFormTop, std::max(ini.AboutFormWidth, minimumWidth()),
              std::max(ini.AboutFormHeight, kSmallestHeight));
  // 6. The buttons (and everything else) in place.
  LayOutControls();
  // The list's stored width, now that the content area has its size.
  const int listWidth =
      std::clamp(ini.AboutFormCardSelectionPanelWidth, kListMinWidth, kListMaxWidth);
  ContentSplitter->setSizes({listWidth, std::max(0, Panel1->width() - listWidth - 2)});
  const int listHeight =
      std::max(ListBox1->minimumHeight(), Panel1->height() - kPictureFrameHeight - 2);
  PanelSplitter->setSizes({listHeight, std::max(20, Panel1->height() - listHeight - 2)});
}

void TAboutForm::ApplyLanguage() {
  static constexpr NamedText kHints[] = {
      {"ButtonMaximizeImage", "ViewerMaximize", "Развернуть"},
      {"ButtonNormalImage", "ViewerRestore", "Восстановить"},
      {"ButtonCloseImage", nullptr, "Закрыть", 1030},
  };
  ApplyNamedTexts(this, state_.Languages, kHints);
  SpeedButton1->setText(InterfaceText(state_.Languages, 1024, "Выбрать описание"));
  SpeedButton2->setText(InterfaceText(state_.Languages, 1038, "Выбрать карту"));
  SpeedButton6->setText(InterfaceText(state_.Languages, 1025, "Размер шрифта"));
  PlaceToolButtons();
  for (const FontSizeChoice& item : kFontSizeChoices) {
    FontSizeItem(item.tag)->setText(InterfaceText(state_.Languages, item.languageId, item.caption));
  }
  // The position's caption in the new language, without bringing the
  // viewer to the front.
  if (!positionMeaning_.empty() && currentCard_ >= 0) {
    LoadDocument(state_.TaroDescriptions.GetCardTextFileName(currentCard_, currentSection_));
    const int sizeIndex = state_.INIData.AboutFormFontSizeIndex;
    if (sizeIndex != -1) ApplyDescriptionFontSize(sizeIndex);
  }
}

// ---------------------------------------------------------------------------
// Layout

void TAboutForm::PlaceToolButtons() {
  // The design's widths, or more where a caption needs it (another
  // language, a wider font): side by side from x 4.
  const std::pair<QToolButton*, int> buttons[] = {
      {SpeedButton1, 125}, {SpeedButton2, 103}, {SpeedButton6, 107}};
  int left = 4;
  for (const auto& [button, designWidth] : buttons) {
    const int width = std::max(designWidth, button->sizeHint().width());
    button->setGeometry(left, 20, width, 21);
    left += width;
  }
  // The window is never narrower than its toolbar.
  setMinimumWidth(std::max(kMinimumWidth, left + 4));
}

void TAboutForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutControls();
}

void TAboutForm::LayOutControls() {
  const int w = width();
  const int h = height();
  Image3->setGeometry(0, 0, w, kBar);
  ButtonCloseImage->move(w - ButtonCloseImage->width(), 0);
  ButtonMaximizeImage->move(ButtonCloseImage->x() - ButtonMaximizeImage->width(), 0);
  ButtonNormalImage->move(ButtonMaximizeImage->x(), 0);
  if (maximized_) {
    ButtonNormalImage->raise();
  } else {
    ButtonMaximizeImage->raise();
  }
  FitTitleLabels();
  Image10->setGeometry(0, kBar, w, 2);
  ToolBarImage->setGeometry(2, 19, w - 4, 22);
  Image6->setGeometry(2, 41, w - 4, 2);
  Image7->setGeometry(0, kBar + 2, kSide, h - kBar - 2 - kSide);
  Image9->setGeometry(w - kSide, kBar + 2, kSide, h - kBar - 2 - kSide);
  Image8->setGeometry(0, h - kSide, w, kSide);
  const int left = Image7->x() + Image7->width();
  Panel1->setGeometry(left, kContentTop, w - Image7->width() - Image9->width(),
                      std::max(0, Image8->y() - kContentTop));
  RedrawText();
}

void TAboutForm::FitTitleLabels() {
  // The title stops short of the buttons; what does not fit ends in "…".
  const int room = std::max(0, ButtonMaximizeImage->x() - kTitleLeft - 4);
  const QString shown = Label2->fontMetrics().elidedText(titleText_, Qt::ElideRight, room);
  for (QLabel* label : {Label2, Label1}) {
    label->setText(shown);
    label->adjustSize();
  }
}

void TAboutForm::RedrawText() { RichEdit1->viewport()->update(); }

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel3 && event->type() == QEvent::Resize) Panel3Resize();
  if (watched == Image1 && event->type() == QEvent::MouseButtonPress) iconPressWindowPos_ = pos();
  return QWidget::eventFilter(watched, event);
}

void TAboutForm::Panel3Resize() {
  // The picture takes the whole frame, fitted into it with its proportions.
  Image2->setGeometry(Panel3->contentsRect());
  if (pictureCard_ >= 0) pictureReload_.start();
}

void TAboutForm::Splitter1Moved() {
  RedrawText();
  state_.INIData.AboutFormCardSelectionPanelWidth = ListBox1->width();
}

// ---------------------------------------------------------------------------
// Showing a card

QString TAboutForm::CurrentSetName() const {
  const TTaroDescriptions& sets = state_.TaroDescriptions;
  const int index = sets.CurrentDescription();
  if (index < 0 || index >= static_cast<int>(sets.DisplayNames.size())) return {};
  return QString::fromStdString(sets.DisplayNames[static_cast<std::size_t>(index)]);
}

void TAboutForm::SetTitleText(const QString& text) {
  titleText_ = text;
  setWindowTitle(text);
  FitTitleLabels();
}

void TAboutForm::ShowCardDescription(const std::string& title, int card, int section) {
  positionMeaning_.clear();
  ShowCard(title, card, section);
}

void TAboutForm::ShowCardAtPosition(const std::string& title, int card, int section,
                                    const std::string& meaning) {
  positionMeaning_ = meaning;
  ShowCard(title, card, section);
}

void TAboutForm::ShowCard(const std::string& title, int card, int section) {
  // 1. The card on show.
  currentTitle_ = title;
  currentCard_ = card;
  currentSection_ = section;
  // 2. The title.
  SetTitleText(CurrentSetName() + " - " + QString::fromStdString(title));
  // 3. The document, or none.
  LoadDocument(card >= 0 ? state_.TaroDescriptions.GetCardTextFileName(card, section)
                         : std::string());
  // 4. The chosen text size over the file's own.
  const int sizeIndex = state_.INIData.AboutFormFontSizeIndex;
  if (sizeIndex != -1) ApplyDescriptionFontSize(sizeIndex);
  // 5. Its row in the card list.
  if (ListBox1->count() > 0) SelectRow(card);
  // 6. Its picture, when the panel is shown.
  if (state_.INIData.AboutFormCardSelectionPanelVisible && card >= 0) LoadCardPicture(card);
  // 7. To the front.
  ShowViewer();
}

void TAboutForm::LoadDocument(const std::string& path) {
  std::optional<std::string> bytes;
  if (!path.empty()) bytes = ReadFilePrefix(path, kMaxDescriptionBytes);
  RichDocument document;
  if (bytes) document = ReadDescriptionDocument(*bytes);
  // A card at a position of a spread: what the position means comes first.
  PrependPositionMeaning(
      document, ReaderText(state_.Languages, "PositionMeaning", "Значение позиции").toStdString(),
      positionMeaning_);
  if (document.paragraphs.empty()) {
    RichEdit1->clear();
    return;
  }
  RenderRichDocument(document, *RichEdit1->document(), RichEdit1->logicalDpiY());
  RichEdit1->setTextCursor(QTextCursor(RichEdit1->document()));
  RichEdit1->verticalScrollBar()->setValue(0);
}

void TAboutForm::ApplyDescriptionFontSize(int sizeIndex) {
  if (sizeIndex == -1) {
    // Reloading the file brings back the sizes stored in it.
    ShowCard(currentTitle_, currentCard_, currentSection_);
    return;
  }
  SetWholeTextPointSize(*RichEdit1->document(), TextSizeChoicePoints(sizeIndex));
  RichEdit1->setTextCursor(QTextCursor(RichEdit1->document()));
}

void TAboutForm::SelectRow(int row) {
  const QSignalBlocker blocker(ListBox1);
  if (row >= 0 && row < ListBox1->count()) {
    ListBox1->setCurrentRow(row);
    SetHint(ListBox1, ListBox1->item(row)->text());
  } else {
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
  }
}

void TAboutForm::LoadCardPicture(int number) {
  const std::string path = state_.TaroDecks.GetCardFileName(number);
  // No deck: the picture stays as it was.
  if (path.empty()) return;
  // A card the deck names no file for: its folder comes back, and that is
  // no picture.
  const bool folder = path.back() == kPathSeparator || path.back() == '\\';
  std::unique_ptr<Picture> picture;
  if (!folder) {
    const PictureFormat format = PictureFormatOf(path);  // may raise: the user hears of it
    const QSize size = Image2->DisplaySize();
    picture = pictures_.Load(path, format, {size.width(), size.height()});
  }
  // A file that is missing or unreadable shows no picture rather than the
  // previous card's.
  if (!picture) {
    Image2->ClearPicture();
    pictureCard_ = -1;
    return;
  }
  Image2->SetPicture(ToQImage(*picture));
  pictureCard_ = number;
  pictureLoadedAt_ = Image2->DisplaySize();
}

void TAboutForm::ShowViewer() {
  TINIData& ini = state_.INIData;
  ClearTitleStripAtFirstShow(this, firstShown_, ini.AboutFormPlaceStored,
                             main_.TitleStripOnScreen(), state_.Screen.Width(), ini.TaskBarTop(),
                             ini.AboutFormLeft, ini.AboutFormTop);
  ShowNormal(this);
  raise();
  activateWindow();
}

bool TAboutForm::IsViewerVisible() const { return isVisible(); }

void TAboutForm::ShowCurrentCardAgain() { ShowCard(currentTitle_, currentCard_, currentSection_); }

// ---------------------------------------------------------------------------
// The card list and the panel

void TAboutForm::FillCardList() {
  const QSignalBlocker blocker(ListBox1);
  ListBox1->clear();
  for (const std::string& name : state_.TaroDecks.GetCardNames()) {
    ListBox1->addItem(QString::fromStdString(name));
  }
}

void TAboutForm::ListBox1Click(int row) {
  if (row < 0 || row >= ListBox1->count()) return;
  // 1. The hint shows the whole name.
  SetHint(ListBox1, ListBox1->item(row)->text());
  // 2. The card on show; another card lies at no position.
  if (row != currentCard_) positionMeaning_.clear();
  currentCard_ = row;
  currentTitle_ = state_.TaroDecks.GetCardName(row);
  // 3. Its document, while the viewer is visible.
  if (isVisible()) ShowCard(currentTitle_, currentCard_, currentSection_);
  // 4. Its picture.
  LoadCardPicture(row);
}

void TAboutForm::SetPanelVisible(bool visible) {
  Panel2->setVisible(visible);
  ListBox1->setVisible(visible);
  // The splitter's bar comes and goes with the panel.
  Splitter1->setVisible(visible);
  const QSignalBlocker blocker(SpeedButton2);
  SpeedButton2->setChecked(visible);
}

void TAboutForm::SpeedButton2Click() {
  const bool visible = !state_.INIData.AboutFormCardSelectionPanelVisible;
  state_.INIData.AboutFormCardSelectionPanelVisible = visible;
  SetPanelVisible(visible);
  if (visible) {
    const int listWidth =
        std::clamp(state_.INIData.AboutFormCardSelectionPanelWidth, kListMinWidth, kListMaxWidth);
    ContentSplitter->setSizes({listWidth, std::max(0, Panel1->width() - listWidth - 2)});
  }
  LayOutControls();
}

// ---------------------------------------------------------------------------
// Menus

QPoint TAboutForm::MenuPoint(const QWidget* button) const {
  return {x() + button->x(), y() + button->y() + button->height()};
}

void TAboutForm::SpeedButton1Click() { PopupMenu1->popup(MenuPoint(SpeedButton1)); }

void TAboutForm::SpeedButton6Click() { PopupMenu2->popup(MenuPoint(SpeedButton6)); }

void TAboutForm::DescriptionSetChanged() {
  CheckDescriptionItem();
  // The current card in the new set.
  if (isVisible()) ShowCurrentCardAgain();
  // The list again, on the row it had.
  const int row = ListBox1->currentRow();
  FillCardList();
  if (ListBox1->count() > 0 && row >= 0) SelectRow(row);
}

void TAboutForm::DescriptionListReloaded() { FillDescriptionMenu(); }

void TAboutForm::DeckChanged(DeckChoice) {
  // The list names the new deck's cards; the card on show keeps its row
  // when the deck has it.
  FillCardList();
  if (currentCard_ < 0 || currentCard_ >= ListBox1->count()) {
    SelectRow(-1);
    return;
  }
  SelectRow(currentCard_);
  // Its name and picture from the new deck.
  currentTitle_ = state_.TaroDecks.GetCardName(currentCard_);
  if (isVisible()) ShowCurrentCardAgain();
  if (pictureCard_ >= 0) LoadCardPicture(currentCard_);
}

void TAboutForm::PopupMenu2Popup() {
  const int current = state_.INIData.AboutFormFontSizeIndex;
  if (CheckedFontSizeIndex == current) return;
  if (QAction* old = FontSizeItem(CheckedFontSizeIndex)) {
    old->setChecked(false);
  }
  if (QAction* item = FontSizeItem(current)) item->setChecked(true);
  CheckedFontSizeIndex = current;
}

void TAboutForm::MenuItem1Click(int tag) {
  if (QAction* old = FontSizeItem(CheckedFontSizeIndex)) {
    old->setChecked(false);
  }
  // A checked item that is clicked again has unchecked itself: the mark
  // goes back on.
  if (QAction* item = FontSizeItem(tag)) item->setChecked(true);
  CheckedFontSizeIndex = tag;
  state_.INIData.AboutFormFontSizeIndex = tag;
  ApplyDescriptionFontSize(tag);
}

// ---------------------------------------------------------------------------
// The window

void TAboutForm::Image1Click() { main_.ShowMainWindow(); }

void TAboutForm::Image3DblClick() {
  if (maximized_) {
    Restore();
  } else {
    Maximize();
  }
}

void TAboutForm::ButtonMaximizeImageClick() { Maximize(); }

void TAboutForm::ButtonNormalImageClick() { Restore(); }

void TAboutForm::Maximize() {
  if (maximized_) return;
  normalGeometry_ = geometry();
  maximized_ = true;
  // The window ends where the taskbar begins. A taskbar that does not lie
  // along the bottom (top 0: at the top or a side) leaves the full height.
  const int screenHeight = state_.Screen.Height();
  int bottom = state_.Screen.TaskBarRect().top;
  if (bottom <= 0 || bottom > screenHeight) bottom = screenHeight;
  // A maximised window is not resized by its edges.
  for (QWidget* edge : std::initializer_list<QWidget*>{Image7, Image9, Image8}) edge->hide();
  setGeometry(0, 0, state_.Screen.Width(), std::max(bottom, kSmallestHeight));
  LayOutControls();
}

void TAboutForm::Restore() {
  if (!maximized_) return;
  maximized_ = false;
  for (QWidget* edge : std::initializer_list<QWidget*>{Image7, Image9, Image8}) edge->show();
  setGeometry(normalGeometry_);
  LayOutControls();
}

void TAboutForm::ButtonCloseImageClick() { hide(); }

}  // namespace vaticor
