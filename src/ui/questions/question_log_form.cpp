#include "ui/questions/question_log_form.h"

#include <QAbstractListModel>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <cstdio>
#include <functional>

#include "core/file_io.h"
#include "library/reading_hint.h"
#include "platform/locale_date_time.h"
#include "platform/thread_priority.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/key_commands.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/thread_results.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {

namespace {

constexpr int kBar = 17;  // title and bottom bar
constexpr int kEdge = 2;  // the four edges
constexpr int kDesignWidth = 130;
constexpr int kDesignHeight = 208;

}  // namespace

// The log's lines as the list shows them. Rows are made into text only
// when the view asks for them, so a log of years of readings loads and
// scrolls as fast as a short one.
class ReadingLogModel : public QAbstractListModel {
 public:
  ReadingLogModel(ReadingLog& log, QObject* parent) : QAbstractListModel(parent), log_(log) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : log_.Count();
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= log_.Count()) return {};
    const std::string_view line = log_.Line(index.row());
    switch (role) {
      case Qt::DisplayRole:
        return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
      case Qt::FontRole:
        if (IsDateLine(line)) return dateFont_;
        return {};
      case Qt::ToolTipRole: {
        // Asked only when the pointer rests on a line; wrapped so it shows
        // as plain text.
        const std::string hint = hint_ ? hint_(line) : std::string();
        return hint.empty() ? QVariant() : QVariant(PlainHint(QString::fromStdString(hint)));
      }
      default:
        return {};
    }
  }

  void SetDateFont(const QFont& font) { dateFont_ = font; }
  // What a line's own hint says; none for an empty text.
  void SetLineHint(std::function<std::string(std::string_view)> hint) { hint_ = std::move(hint); }

  void LoadText(std::string text) {
    beginResetModel();
    log_.LoadText(std::move(text));
    endResetModel();
  }
  void BeginLoading() {
    beginResetModel();
    log_.BeginLoading();
    endResetModel();
  }
  void FinishLoading(LogFileText file) {
    beginResetModel();
    log_.FinishLoading(std::move(file));
    endResetModel();
  }
  void Clear() {
    beginResetModel();
    log_.Clear();
    endResetModel();
  }
  void Append(std::string line) {
    // A queued line is no row yet.
    if (log_.Loading()) {
      log_.Append(std::move(line));
      return;
    }
    beginInsertRows({}, log_.Count(), log_.Count());
    log_.Append(std::move(line));
    endInsertRows();
  }
  void AddDateLine() {
    if (log_.Loading()) {
      log_.AddDateLine();
    } else if (std::optional<std::string> line = log_.MissingDateLine()) {
      Append(std::move(*line));
    }
  }
  void AppendQuestion(int row, std::string_view question) {
    log_.AppendQuestion(row, question);
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
  }

 private:
  ReadingLog& log_;
  QFont dateFont_;
  std::function<std::string(std::string_view)> hint_;
};

// ---------------------------------------------------------------------------
// Creation

TQuestionLogForm::TQuestionLogForm(ProgramState& state, MainWindowLink& main, LogWindowSetup setup,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      main_(main),
      ownClock_(setup.clock ? nullptr : std::make_unique<SystemLocalClock>()),
      ownFormat_(setup.format ? nullptr : std::make_unique<LocaleDateTimeFormat>()),
      path_(std::move(setup.path)),
      log_(setup.clock ? *setup.clock : *ownClock_, setup.format ? *setup.format : *ownFormat_) {
  setObjectName("QuestionLogForm");
  setWindowTitle(QString::fromUtf8("Расклады"));
  UseSkinLook(this);
  MakeCloseHide(this);

  CreateControls();
  OnKeyRelease(this, this, [this](int key, Qt::KeyboardModifiers) { RunWindowKey(key); });

  // FormCreate: the saved place and size, the log file, today's date line.
  const TINIData& ini = state_.INIData;
  setGeometry(ini.QuestionLogFormLeft, ini.QuestionLogFormTop, ini.QuestionLogFormWidth,
              ini.QuestionLogFormHeight);
  if (setup.readInBackground) {
    StartReading();
  } else {
    model_->LoadText(ReadLogFileText(path_));
  }
  AddDateLine();
  LayOut();
  chrome_->KeepInShape();
}

TQuestionLogForm::~TQuestionLogForm() {
  // A text that arrives from now on finds no window; the reader itself is
  // joined with its member.
  if (post_) post_->Close();
}

void TQuestionLogForm::StartReading() {
  model_->BeginLoading();
  post_ = ResultPost::For(this);
  arrival_ = std::make_shared<LogFileText>();
  reader_ = std::jthread([path = path_, file = arrival_, post = post_, this] {
    // The lines are split here too: for a log of years that is tens of
    // milliseconds the window's thread is spared. Out of memory for the
    // text leaves it empty, as an unreadable file.
    // Behind the window system and the window's thread, so that a start
    // with a log of a million lines shows the main window as soon as with
    // none.
    YieldThisThreadToOthers();
    try {
      *file = ReadSplitLogFile(path);
    } catch (const std::exception&) {
      *file = {};
    }
    post->Post([this] { FinishReading(); });
  });
}

void TQuestionLogForm::FinishReading() const {
  if (!reader_.joinable()) return;
  reader_.join();
  model_->FinishLoading(std::move(*arrival_));
  *arrival_ = {};
}

void TQuestionLogForm::CreateControls() {
  resize(kDesignWidth, kDesignHeight);
  // The frame keeps the title, both bars and a strip of the list.
  setMinimumSize(2 * kBar + 2 * kEdge + 24, 2 * kBar + 2 * kEdge + 24);

  TitleStrip::Look look;
  look.icon = ":/skin/window_icon_alpha.png";
  strip_ = TitleStrip::Make(this, width(), look);
  frame_ = SizingFrame::Make(this, {"Image26", "Image3", "Image4", "Image2", "Image6"});

  model_ = new ReadingLogModel(log_, this);
  // A reading line's hint names its cards as the current deck names them,
  // and says so: the line does not tell which deck the reading was from.
  model_->SetLineHint([this](std::string_view line) {
    const TTaroDecks& decks = state_.TaroDecks;
    const std::size_t deck = static_cast<std::size_t>(decks.CurrentDeck());
    const ReadingHintTexts texts{
        ReadingWordsOf(state_.Languages).reversed,
        ReaderText(state_.Languages, "NotInDeck", "нет в текущей колоде").toStdString(),
        ReaderText(state_.Languages, "LogDeckUnknown",
                   "Колода расклада не записана; названия — по текущей колоде")
            .toStdString(),
        deck < decks.DisplayNames.size() ? decks.DisplayNames[deck] : std::string()};
    return ReadingLineHint(line, state_.TaroDecks.GetCardNames(), texts);
  });
  ListBox1 = new QListView(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setModel(model_);
  // One height for every row: the view never measures the lines it does
  // not show.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListBox1->setTextElideMode(Qt::ElideRight);
  ListBox1->setFrameShape(QFrame::NoFrame);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  UseSkinListColours(ListBox1, SkinNavy(), SkinSkyBlue());
  QFont dateFont = font();
  dateFont.setBold(true);
  model_->SetDateFont(dateFont);
  // The window sees the key before the list does.
  OnKeyRelease(ListBox1, this, [this](int key, Qt::KeyboardModifiers) {
    RunWindowKey(key);
    RunListKey(key);
  });

  ConnectCommand(ListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    if (!selecting_) PutSelectedQuestion();
  });
  ConnectCommand(ListBox1, &QListView::clicked, this, [this] { PutSelectedQuestion(); });
  ConnectCommand(ListBox1, &QListView::doubleClicked, this, [this] { ShowSelectedReading(); });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  QAction* clear = PopupMenu1->addAction(QString::fromUtf8("Очистить список"));
  clear->setObjectName("N1");
  ConnectCommand(clear, &QAction::triggered, this, [this] { ClearLog(); });
  ConnectCommand(ListBox1, &QListView::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at));
  });

  caption_ = MakeCaptionPair(this, SkinNavy(), [this] { ShowSelectedReading(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { hide(); });
  // The icon shows the main window, as its hint says.
  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] { main_.ShowMainWindow(); });

  SkinChrome::Hooks hooks;
  hooks.moved =
      StorePlaceOnMove(state_.INIData.QuestionLogFormLeft, state_.INIData.QuestionLogFormTop);
  hooks.resizedVertically = [this](const WindowRect& rect, int) {
    // A top-edge resize moves the window's top too, but only the height is
    // stored.
    state_.INIData.QuestionLogFormHeight = rect.height;
  };
  hooks.resizedHorizontally = [this](const WindowRect& rect, int tag) {
    state_.INIData.QuestionLogFormWidth = rect.width;
    if (tag == kTopOrLeftEdge) state_.INIData.QuestionLogFormLeft = rect.left;
  };
  hooks.sizeChanged = [this] { LayOut(); };
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);

  ApplyLanguage();
}

void TQuestionLogForm::ApplyLanguage() {
  caption_.SetText(InterfaceText(state_.Languages, 1028, "Показать..."));
  SetHint(strip_.icon, InterfaceText(state_.Languages, 1029, "Показать главное окно программы"));
  SetHint(strip_.close, InterfaceText(state_.Languages, 1030, "Выход"));
  PopupMenu1->actions().front()->setText(InterfaceText(state_.Languages, 1031, "Очистить список"));
  if (chrome_) chrome_->KeepInShape();
}

// ---------------------------------------------------------------------------
// Layout

void TQuestionLogForm::LayOut() {
  const int w = width();
  const int h = height();
  const int inner = std::max(0, h - 2 * kBar - 2 * kEdge);
  strip_.title->setGeometry(0, 0, w, kBar);
  strip_.icon->move(0, 0);
  frame_.Place(w, h, kBar, kEdge, kEdge);
  ListBox1->setGeometry(kEdge, kBar + kEdge, std::max(0, w - 2 * kEdge), inner);
  strip_.icon->raise();
  strip_.close->raise();
  caption_.Raise();
}

// ---------------------------------------------------------------------------
// The log

void TQuestionLogForm::AddReading(const std::vector<int>& cards) {
  model_->Append(log_.ReadingLineNow(cards));
}

void TQuestionLogForm::AddDateLine() { model_->AddDateLine(); }

int TQuestionLogForm::LineCount() const {
  FinishReading();
  return log_.Count();
}

int TQuestionLogForm::SelectedLine() const {
  FinishReading();
  const QItemSelectionModel* selection = ListBox1->selectionModel();
  const QModelIndex current = selection->currentIndex();
  return current.isValid() && selection->isSelected(current) ? current.row() : -1;
}

void TQuestionLogForm::SelectLine(int line) {
  FinishReading();
  selecting_ = true;
  QItemSelectionModel* selection = ListBox1->selectionModel();
  if (line < 0 || line >= log_.Count()) {
    selection->clear();
  } else {
    const QModelIndex index = model_->index(line);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    ListBox1->scrollTo(index);
  }
  selecting_ = false;
}

std::string TQuestionLogForm::LineText(int line) const {
  FinishReading();
  return std::string(log_.Line(line));
}

bool TQuestionLogForm::IsDateLine(int line) const {
  FinishReading();
  return vaticor::IsDateLine(log_.Line(line));
}

void TQuestionLogForm::ShowLogWindow() {
  FinishReading();
  TINIData& ini = state_.INIData;
  ClearTitleStripAtFirstShow(this, firstShown_, ini.QuestionLogFormPlaceStored,
                             main_.TitleStripOnScreen(), state_.Screen.Width(), ini.TaskBarTop(),
                             ini.QuestionLogFormLeft, ini.QuestionLogFormTop);
  ShowAndActivate(this);
}

void TQuestionLogForm::ShowAndSelectLast() {
  ShowLogWindow();
  if (log_.Count() > 0) SelectLine(log_.Count() - 1);
}

void TQuestionLogForm::SaveLog() {
  // Never the run's lines alone over the file's.
  FinishReading();
  WriteLogFile(path_, log_.Lines());
}

void TQuestionLogForm::AppendQuestionToSelected(const std::string& question) {
  const int line = SelectedLine();
  if (line >= 0) model_->AppendQuestion(line, question);
}

void TQuestionLogForm::ShowSelectedReading() {
  const int line = SelectedLine();
  if (line < 0) return;
  const std::string text(log_.Line(line));
  if (!IsReadingLine(text)) return;
  ShowReadingCards(text, main_);
  PutQuestion(text);
}

void TQuestionLogForm::PutQuestion(const std::string& line) {
  if (!state_.INIData.QuestionFormEnabled) {
    EmptyQuestion();
    return;
  }
  const std::string question = ReadingQuestion(line);
  if (question_) question_->ShowLoggedQuestion(question);
  SetHint(ListBox1, QString::fromStdString(question));
}

void TQuestionLogForm::EmptyQuestion() {
  if (question_) question_->ClearQuestion();
}

// ---------------------------------------------------------------------------
// Handlers

void TQuestionLogForm::PutSelectedQuestion() {
  const int line = SelectedLine();
  if (line < 0) return;
  const std::string text(log_.Line(line));
  if (!IsReadingLine(text) || !state_.INIData.QuestionFormEnabled) {
    EmptyQuestion();
  } else {
    PutQuestion(text);
  }
}

void TQuestionLogForm::PutQuestionOnActivation() {
  const int line = SelectedLine();
  if (line < 0 || !state_.INIData.QuestionFormEnabled) return;
  const std::string text(log_.Line(line));
  if (IsReadingLine(text)) PutQuestion(text);
}

void TQuestionLogForm::ClearLog() {
  FinishReading();
  model_->Clear();
  SetHint(ListBox1, {});
  AddDateLine();
  // With saving off nothing would ever replace the file: it goes now.
  if (!state_.INIData.QuestionsLogSaveEnabled && FileExists(path_)) std::remove(path_.c_str());
}

void TQuestionLogForm::RunWindowKey(int virtualKey) {
  if (virtualKey == vk::F3) hide();
}

void TQuestionLogForm::RunListKey(int virtualKey) {
  if (virtualKey == vk::Return && log_.Count() > 0) ShowSelectedReading();
}

void TQuestionLogForm::showEvent(QShowEvent* event) {
  // However the window comes up (the tray shows every window), with the
  // file's lines.
  FinishReading();
  QWidget::showEvent(event);
}

void TQuestionLogForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) PutQuestionOnActivation();
}

}  // namespace vaticor
