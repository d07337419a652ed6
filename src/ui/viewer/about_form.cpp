#include "ui/viewer/about_form.h"

#include <QEvent>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

#include "core/file_io.h"
#include "library/rtf_reader.h"
#include "platform/picture_image.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/journal_keeper.h"
#include "ui/viewer/rich_text_view.h"
#include "ui/viewer/viewer_content.h"
#include "ui/viewer/viewer_menus.h"

namespace vaticor {

namespace {

constexpr int kBar = 17;  // title bar height, button size
constexpr int kSide = 2;  // side and bottom edges
constexpr int kContentTop = 43;
constexpr int kMinimumWidth = 343;
constexpr int kSmallestHeight = kContentTop + kSide;
constexpr int kListMinWidth = ViewerContent::kListMinWidth;
constexpr int kListMaxWidth = ViewerContent::kListMaxWidth;
// The title text ends this far short of the maximise image.
constexpr int kTitleRoomLeft = 22 + 4;

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
  // The reader's own meaning under the text follows the journal.
  JournalKeeper& journal = state_.Journal;
  connect(&journal, &JournalKeeper::readerMeaningChanged, this, [this] { RefreshText(); });
  connect(&journal, &JournalKeeper::replaced, this, [this] { RefreshText(); });
  connect(&journal, &JournalKeeper::opened, this, [this] { RefreshText(); });
}

TAboutForm::~TAboutForm() = default;

// ---------------------------------------------------------------------------
// Creation

void TAboutForm::CreateControls() {
  // The layout's design size; FormCreate puts the stored one in its place.
  resize(465, 304);

  TitleStrip::Look look;
  look.icon = ":/skin/window_icon_alpha.png";
  look.iconAt = {2, 0};
  look.underline = true;
  look.maximise = true;
  look.closesWindow = true;
  look.caption = {"Label2", "Label1", Qt::black, /*bold=*/true};
  look.names = {"Image3", "Image1", "Image10"};
  strip_ = TitleStrip::Make(this, width(), look);
  ToolBarImage = MakeSkinImage(this, "ToolBarImage", ":/skin/toolbar.png");
  Image6 = MakeSkinImage(this, "Image6", ":/skin/line_h.png");
  frame_ = SizingFrame::MakeEdges(this, {"Image7", "Image9", "Image8"});

  SpeedButton1 = MakeToolButton(this, "SpeedButton1", "glyph_description");
  SpeedButton2 = MakeToolButton(this, "SpeedButton2", "glyph_card");
  SpeedButton6 = MakeToolButton(this, "SpeedButton6", "glyph_font_size");
  SpeedButton1->setText(QString::fromUtf8("Выбрать описание"));
  SpeedButton2->setText(QString::fromUtf8("Выбрать карту"));
  SpeedButton6->setText(QString::fromUtf8("Размер шрифта"));
  SpeedButton2->setCheckable(true);
  ConnectCommand(SpeedButton1, &QToolButton::clicked, this,
                 [this] { OpenMenu(menus_->Descriptions(), SpeedButton1); });
  ConnectCommand(SpeedButton2, &QToolButton::clicked, this, [this] { ToggleCardPanel(); });
  ConnectCommand(SpeedButton6, &QToolButton::clicked, this,
                 [this] { OpenMenu(menus_->TextSizes(), SpeedButton6); });

  // The content area: the card-selection panel and the text, side by side.
  const ViewerContent content = ViewerContent::Make(this);
  Panel1 = content.Panel1;
  ContentSplitter = content.ContentSplitter;
  Panel2 = content.Panel2;
  PanelSplitter = content.PanelSplitter;
  ListBox1 = content.ListBox1;
  Panel3 = content.Panel3;
  Image2 = content.Image2;
  Splitter1 = content.Splitter1;
  RichEdit1 = content.RichEdit1;
  ConnectCommand(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ShowChosenCard(row);
  });
  // A click on the row already selected still shows its card and picture
  // (for one, after the panel was turned on).
  ConnectCommand(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = ListBox1->row(item);
    if (row >= 0 && (row != currentCard_ || row != pictureCard_)) ShowChosenCard(row);
  });
  Panel3->installEventFilter(this);
  // The picture is decoded afresh for the frame's size once it rests.
  pictureReload_.setSingleShot(true);
  pictureReload_.setInterval(TCardImage::kSharpenDelayMs);
  ConnectCommand(&pictureReload_, &QTimer::timeout, this, [this] {
    if (pictureCard_ >= 0 && pictureLoadedAt_ != Image2->DisplaySize()) {
      LoadCardPicture(pictureCard_);
    }
  });
  ConnectCommand(ContentSplitter, &QSplitter::splitterMoved, this, [this] { StorePanelWidth(); });

  // The frame's parts lie above the content.
  for (QWidget* part : {frame_.left, frame_.right, frame_.bottom}) part->raise();

  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] {
    // The icon also drags the window; the end of a drag is no click.
    if (pos() == iconPressWindowPos_) main_.ShowMainWindow();
  });
  strip_.icon->installEventFilter(this);
  ConnectCommand(strip_.title, &TSkinImage::doubleClicked, this, [this] { ToggleMaximised(); });
  ConnectCommand(strip_.maximise, &TSkinImage::clicked, this, [this] { Maximize(); });
  ConnectCommand(strip_.restore, &TSkinImage::clicked, this, [this] { Restore(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { hide(); });

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
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/false);
  chrome_->AddTitle(strip_.icon);
  frame_.AttachEdgesTo(*chrome_);
}

void TAboutForm::CreateMenus() {
  menus_ = std::make_unique<ViewerMenus>(
      this, ViewerMenus::Commands{[this](int position) { ChooseDescription(position); },
                                  [this](int sizeIndex) { ChooseTextSize(sizeIndex); }});
  // The size's mark follows the settings when the menu opens; the set's
  // follows the choice (DescriptionSetChanged).
  ConnectCommand(menus_->TextSizes(), &QMenu::aboutToShow, this,
                 [this] { menus_->MarkTextSize(state_.INIData.AboutFormFontSizeIndex); });
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
  const int listHeight = std::max(ListBox1->minimumHeight(),
                                  Panel1->height() - ViewerContent::kPictureFrameHeight - 2);
  PanelSplitter->setSizes({listHeight, std::max(20, Panel1->height() - listHeight - 2)});
}

void TAboutForm::ApplyLanguage() {
  strip_.ApplyLanguage(state_.Languages);
  SetHint(strip_.icon, InterfaceText(state_.Languages, 1029, "Показать главное окно программы"));
  SpeedButton1->setText(InterfaceText(state_.Languages, 1024, "Выбрать описание"));
  SpeedButton2->setText(InterfaceText(state_.Languages, 1038, "Выбрать карту"));
  SpeedButton6->setText(InterfaceText(state_.Languages, 1025, "Размер шрифта"));
  PlaceToolButtons();
  menus_->ApplyLanguage(state_.Languages);
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
  strip_.Place(w);
  strip_.ShowMaximised(maximized_);
  FitTitle();
  ToolBarImage->setGeometry(2, 19, w - 4, 22);
  Image6->setGeometry(2, 41, w - 4, 2);
  frame_.PlaceEdges(w, h, kBar + 2, kSide);
  Panel1->setGeometry(kSide, kContentTop, w - 2 * kSide, std::max(0, h - kSide - kContentTop));
  RedrawText();
}

void TAboutForm::FitTitle() {
  // The title stops short of the buttons; what does not fit ends in "…".
  strip_.SetCaption(titleText_, strip_.maximise->x() - kTitleRoomLeft, Qt::ElideRight);
}

void TAboutForm::RedrawText() { RichEdit1->viewport()->update(); }

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel3 && event->type() == QEvent::Resize) FitPictureToFrame();
  if (watched == strip_.icon && event->type() == QEvent::MouseButtonPress) {
    iconPressWindowPos_ = pos();
  }
  return QWidget::eventFilter(watched, event);
}

void TAboutForm::FitPictureToFrame() {
  // The picture takes the whole frame, fitted into it with its proportions.
  Image2->setGeometry(Panel3->contentsRect());
  if (pictureCard_ >= 0) pictureReload_.start();
}

void TAboutForm::StorePanelWidth() {
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
  FitTitle();
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

void TAboutForm::RefreshText() {
  if (currentCard_ < 0) return;
  LoadDocument(state_.TaroDescriptions.GetCardTextFileName(currentCard_, currentSection_));
  const int sizeIndex = state_.INIData.AboutFormFontSizeIndex;
  if (sizeIndex != -1) ApplyDescriptionFontSize(sizeIndex);
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
  // Then the reader's own meaning of the card, by its identity in the deck.
  if (const JournalStore* journal = state_.Journal.Store(); journal && currentCard_ >= 0) {
    const std::vector<std::int32_t> identities = state_.TaroDecks.GetCardIdentities();
    if (static_cast<std::size_t>(currentCard_) < identities.size() &&
        identities[static_cast<std::size_t>(currentCard_)] >= 0) {
      const ReaderMeaningWords words{
          CardsText(state_.Languages, "OwnMeaningHeading", "Мои значения карты").toStdString(),
          CardsText(state_.Languages, "OwnUpright", "Прямое положение").toStdString(),
          CardsText(state_.Languages, "OwnReversed", "Перевёрнутое положение").toStdString()};
      AppendReaderMeaning(
          document, words,
          journal->GetReaderMeaning(identities[static_cast<std::size_t>(currentCard_)]));
    }
  }
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
  ShowAndActivate(this);
}

bool TAboutForm::IsViewerVisible() const { return isVisible(); }

void TAboutForm::ShowCurrentCardAgain() { ShowCard(currentTitle_, currentCard_, currentSection_); }

// ---------------------------------------------------------------------------
// The card list and the panel

void TAboutForm::FillDescriptionMenu() {
  menus_->FillDescriptionMenu(state_.TaroDescriptions);
  MarkCurrentDescription();
}

void TAboutForm::FillCardList() {
  const QSignalBlocker blocker(ListBox1);
  ListBox1->clear();
  for (const std::string& name : state_.TaroDecks.GetCardNames()) {
    ListBox1->addItem(QString::fromStdString(name));
  }
}

void TAboutForm::ShowChosenCard(int row) {
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

void TAboutForm::ToggleCardPanel() {
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

void TAboutForm::OpenMenu(QMenu* menu, const QWidget* button) {
  // Below the button's bottom-left corner.
  menu->popup({x() + button->x(), y() + button->y() + button->height()});
}

void TAboutForm::ChooseDescription(int position) {
  // For the whole program; the window follows in DescriptionSetChanged. A
  // marked item clicked again has unmarked itself: the mark goes back on.
  state_.Content.SelectDescriptionSet(position);
  MarkCurrentDescription();
}

void TAboutForm::MarkCurrentDescription() const {
  menus_->MarkDescription(state_.TaroDescriptions.Count > 0 ? state_.Content.DescriptionSet() : -1);
}

void TAboutForm::DescriptionSetChanged() {
  MarkCurrentDescription();
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
  // Its name and picture from the new deck; its document is the set's. The
  // switch is made in another window (a key, a draw on random decks), which
  // keeps the focus: the viewer is not brought to the front.
  currentTitle_ = state_.TaroDecks.GetCardName(currentCard_);
  SetTitleText(CurrentSetName() + " - " + QString::fromStdString(currentTitle_));
  if (pictureCard_ >= 0) LoadCardPicture(currentCard_);
  // The reader's own meaning follows the card's identity in the new deck.
  RefreshText();
}

void TAboutForm::ChooseTextSize(int sizeIndex) {
  // A marked item that is clicked again has unmarked itself: the mark
  // goes back on.
  menus_->MarkTextSize(sizeIndex);
  state_.INIData.AboutFormFontSizeIndex = sizeIndex;
  ApplyDescriptionFontSize(sizeIndex);
}

// ---------------------------------------------------------------------------
// The window

void TAboutForm::ToggleMaximised() {
  if (maximized_) {
    Restore();
  } else {
    Maximize();
  }
}

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
  frame_.ShowEdges(false);
  setGeometry(0, 0, state_.Screen.Width(), std::max(bottom, kSmallestHeight));
  LayOutControls();
}

void TAboutForm::Restore() {
  if (!maximized_) return;
  maximized_ = false;
  frame_.ShowEdges(true);
  setGeometry(normalGeometry_);
  LayOutControls();
}

}  // namespace vaticor
