#include "ui/questions/question_form.h"

#include <QAction>
#include <QBitmap>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "core/main_window_geometry.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/key_commands.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {

namespace {

constexpr int kButton = 32;  // the two buttons left of the bar, 32 x 40
constexpr int kBarLeft = 64;
constexpr int kBarWidth = 259;
constexpr int kTitle = 17;
constexpr int kEdge = 2;

// The opaque part of a skin button, in its parent's coordinates.
QRegion OpaqueRegion(const TSkinImage* image) {
  const QRect place = image->geometry();
  if (image->picture().isNull()) return place;
  const QImage picture = image->picture().toImage().scaled(place.size());
  if (!picture.hasAlphaChannel()) return place;
  return QRegion(QBitmap::fromImage(picture.createAlphaMask())).translated(place.topLeft());
}

// A question is one line of the log: line breaks become blanks.
QString WithoutLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

}  // namespace

TQuestionForm::TQuestionForm(ProgramState& state, MainWindowLink& main, ReadingLogLink& log)
    // A tool window: the bar belongs to the program's taskbar button, not a
    // button of its own.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      state_(state),
      main_(main),
      log_(log) {
  setObjectName("QuestionForm");
  setWindowTitle(QString::fromUtf8("Вопрос"));
  // The window's background is see-through: only the buttons and the bar
  // are seen.
  setAttribute(Qt::WA_TranslucentBackground);
  UseSkinFont(this);
  MakeCloseHide(this);

  CreateControls();
  OnKeyRelease(this, this, [this](int key, Qt::KeyboardModifiers) { RunKey(key); });

  // FormCreate: the saved place; shown at once while the option is on, the
  // main window moved up when the two overlap. That move is not recorded:
  // the main window's saved place stays where the user put it.
  const TINIData& ini = state_.INIData;
  setGeometry(ini.QuestionFormLeft, ini.QuestionFormTop, kWidth, kHeight);
  if (ini.QuestionFormEnabled) {
    main_.MakeRoomAbove(y());
    show();
  }
}

TQuestionForm::~TQuestionForm() = default;

void TQuestionForm::CreateControls() {
  setFixedSize(kWidth, kHeight);

  Image1 = MakeSkinImage(this, "Image1", ":/skin/question_new_alpha.png");
  Image1->setGeometry(0, 0, kButton, kHeight);
  Image1->setCursor(Qt::PointingHandCursor);
  Image2 = MakeSkinImage(this, "Image2", ":/skin/question_draw_alpha.png");
  Image2->setGeometry(kButton, 0, kButton, kHeight);
  Image2->setCursor(Qt::PointingHandCursor);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(kBarLeft, 0, kBarWidth, kHeight);
  QPalette barPalette = Panel1->palette();
  barPalette.setColor(QPalette::Window, SkinSkyBlue());
  Panel1->setPalette(barPalette);
  Panel1->setAutoFillBackground(true);

  // The bar's frame: its title strip (the layout's buttons end a pixel
  // short of the bar's right end) and its edges.
  TitleStrip::Look look;
  look.icon = ":/skin/window_icon_alpha.png";
  look.minimiseHeight = 6;
  look.buttonsEnd = kBarWidth - 1;
  look.underline = true;
  look.closesWindow = true;
  look.names = {"Image26", "Image3", "Image6"};
  strip_ = TitleStrip::Make(Panel1, kBarWidth, look);
  const int below = kTitle + kEdge;
  SizingFrame::MakeEdges(Panel1, {"Image7", "Image9", "Image8"})
      .PlaceEdges(kBarWidth, kHeight, below, kEdge);

  Memo1 = new QLineEdit(Panel1);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(kEdge, below, kBarWidth - 2 * kEdge, kHeight - below - kEdge);
  Memo1->setFrame(false);
  Memo1->setMaxLength(kMaxQuestionLength);
  QPalette fieldPalette = Memo1->palette();
  fieldPalette.setColor(QPalette::Base, SkinSkyBlue());
  fieldPalette.setColor(QPalette::Text, Qt::black);
  Memo1->setPalette(fieldPalette);
  OnKeyRelease(Memo1, this, [this](int key, Qt::KeyboardModifiers) { RunKey(key, Memo1); });
  // A question longer than the field can be read in full in its hint.
  ConnectCommand(Memo1, &QLineEdit::textChanged, this, [this] { SetHint(Memo1, Memo1->text()); });
  // A line break would split the reading in the log file: a pasted one
  // becomes a blank.
  ConnectCommand(Memo1, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString oneLine = WithoutLineBreaks(text);
    if (oneLine == text) return;
    const int cursor = Memo1->cursorPosition();
    Memo1->setText(oneLine);
    Memo1->setCursorPosition(std::min(cursor, static_cast<int>(oneLine.size())));
  });

  ConnectCommand(Image1, &TSkinImage::clicked, this, [this] { StartNewQuestion(); });
  ConnectCommand(Image2, &TSkinImage::clicked, this, [this] { DrawForQuestion(); });
  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] { main_.ShowMainWindow(); });
  ConnectCommand(strip_.minimise, &TSkinImage::clicked, this, [this] { HideWithProgram(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { TurnOff(); });

  SkinChrome::Hooks hooks;
  hooks.moved = [this](const WindowRect& rect) {
    state_.INIData.QuestionFormLeft = rect.left;
    state_.INIData.QuestionFormTop = rect.top;
  };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/false);
  chrome_->AddTitle(strip_.underline);

  ApplyLanguage();
  UpdateMask();
}

void TQuestionForm::ApplyLanguage() {
  SetHint(Image1, InterfaceText(state_.Languages, 1027, "Новый расклад"));
  SetHint(Image2, InterfaceText(state_.Languages, 1005, "Вытянуть карты"));
  SetHint(strip_.icon, InterfaceText(state_.Languages, 1029, "Показать главное окно программы"));
  strip_.ApplyLanguage(state_.Languages);
}

void TQuestionForm::UpdateMask() {
  setMask(QRegion(Panel1->geometry()) + OpaqueRegion(Image1) + OpaqueRegion(Image2));
}

void TQuestionForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateMask();
}

// ---------------------------------------------------------------------------
// What the other windows ask

bool TQuestionForm::IsQuestionVisible() const { return isVisible(); }

void TQuestionForm::SetQuestionVisible(bool visible) {
  hiddenWithMain_ = false;
  SetShown(this, visible);
  if (visible) raise();
}

int TQuestionForm::QuestionTop() const { return y(); }

int TQuestionForm::QuestionHeight() const { return height(); }

void TQuestionForm::ShowLoggedQuestion(const std::string& question) {
  Memo1->setReadOnly(true);
  Memo1->setText(QString::fromStdString(question));
}

void TQuestionForm::ClearQuestion() {
  Memo1->clear();
  Memo1->setReadOnly(false);
}

std::string TQuestionForm::Question() const { return Memo1->text().toStdString(); }

void TQuestionForm::TurnOff() {
  hiddenWithMain_ = false;
  // The main window turns the option off, hides this window and undoes a
  // shift made for it.
  main_.QuestionWindowTurnedOff();
  hide();
}

// ---------------------------------------------------------------------------
// Handlers

void TQuestionForm::StartNewQuestion() {
  // The next question is typed with the previous cards out of sight.
  main_.HideMainWindow();
  ClearQuestion();
  activateWindow();
  Memo1->setFocus();
}

void TQuestionForm::DrawForQuestion() {
  main_.ShowMainWindow();
  main_.Draw();  // logs the reading and selects its line
  if (log_.LineCount() >= 1) log_.AppendQuestionToSelected(Question());
}

void TQuestionForm::HideWithProgram() {
  HideOrMinimise(
      main_.TrayIconActive(),
      [this] {
        main_.HideMainWindow();
        hide();
      },
      [this] {
        // The bar comes back with the main window.
        hide();
        hiddenWithMain_ = true;
        main_.MinimiseMainWindow();
      });
}

void TQuestionForm::RunKey(int virtualKey, QWidget* control) {
  switch (virtualKey) {
    case vk::F3:
      log_.ShowAndSelectLast();
      break;
    case vk::F4:
      TurnOff();
      break;
    case vk::F10: {
      // Below the control that had the key, counted from the main window's
      // corner.
      QWidget* place = control ? control : this;
      const QPoint at = place == this ? QPoint(0, 0) : place->pos();
      main_.PopupMainMenuAt(at.x(), at.y() + place->height());
      break;
    }
    default:
      break;
  }
}

void TQuestionForm::MainWindowRestored() {
  if (!hiddenWithMain_) return;
  hiddenWithMain_ = false;
  if (state_.INIData.QuestionFormEnabled) ShowNormal(this);
}

}  // namespace vaticor
