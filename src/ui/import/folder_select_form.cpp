#include "ui/import/folder_select_form.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeView>
#include <exception>
#include <utility>

#include "platform/virtual_keys.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/choice_box.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/key_commands.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/thread_results.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"
#include "ui/import/import_texts.h"

namespace vaticor {
namespace {

constexpr int kBar = 17;         // title and bottom strips
constexpr int kSide = 2;         // the strips left and right of the tree
constexpr int kAboveBelow = 4;   // the strips above and below it
constexpr int kTreeIndent = 19;  // pixels per level

constexpr int kTitleRoomLeft = 22 + 2;  // the title ends this far short of the close image
constexpr int kCaptionRoom = 155;       // the bottom caption's width, its shadow included

}  // namespace

TFolderSelectForm::TFolderSelectForm(ProgramState& state, MainWindowLink& main,
                                     InstalledListsLink& lists, FolderImportSystem system,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      state_(state),
      main_(main),
      lists_(lists),
      system_(std::move(system)),
      post_(ResultPost::For(this)) {
  if (!system_.offers) system_.offers = OffersImport;
  if (!system_.targetName) system_.targetName = CheckImportTarget;
  if (!system_.import) {
    system_.import = [](ImportMode mode, const std::string& folder, const std::string& target,
                        ImportPlacement placement, const ImportProgress& progress,
                        const std::stop_token& stop, const std::string& language) {
      return ImportFolder(mode, folder, target, placement, progress, stop, language);
    };
  }
  setObjectName("FolderSelectForm");
  UseSkinLook(this);
  CreateControls();
  ApplyLanguage();
}

TFolderSelectForm::~TFolderSelectForm() {
  // No answer reaches the window from here on; a copy in progress stops at
  // its next block and removes its temporary file.
  post_->Close();
  if (copier_.joinable()) {
    copier_.request_stop();
    copier_.join();
  }
}

// ---------------------------------------------------------------------------
// Creation

void TFolderSelectForm::CreateControls() {
  setFixedSize(kWidth, kHeight);

  // The frame of a window sized by its edges, though this one keeps its
  // size: the title strip with the title over its shadow, the edges round
  // the tree and the bottom strip.
  TitleStrip::Look look;
  look.icon = ":/skin/window_icon_alpha.png";
  look.iconAt = {2, 0};
  look.buttonsEnd = kWidth - 1;
  look.caption = {"Label4", "Label3", SkinNavy()};
  strip_ = TitleStrip::Make(this, kWidth, look);
  SetHint(strip_.icon, QString::fromUtf8("Меню F10"));
  const SizingFrame frame =
      SizingFrame::Make(this, {"Image3", "Image7", "Image4", "Image6", "Image2"});
  frame.Place(kWidth, kHeight, kBar, kAboveBelow, kSide);

  const int treeTop = kBar + kAboveBelow;
  const int treeHeight = kHeight - 2 * (kBar + kAboveBelow);

  ShellTreeView1 = new QTreeView(this);
  ShellTreeView1->setObjectName("ShellTreeView1");
  ShellTreeView1->setGeometry(kSide, treeTop, kWidth - 2 * kSide, treeHeight);
  UseSkinListColours(ShellTreeView1, SkinNavy(), SkinSkyBlue());

  caption_ = MakeCaptionPair(this, SkinNavy(), [this] { ImportHighlighted(); });
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setGeometry(1, kHeight - kBar, kWidth - 2, kBar - 1);
  SpeedButton1->setAutoRaise(true);
  // The tree keeps the keys: Esc there closes the window.
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  SpeedButton1->setCursor(Qt::PointingHandCursor);
  SpeedButton1->setStyleSheet(
      "QToolButton { background: transparent; border: 1px solid transparent; }"
      "QToolButton:hover { border-color: #c9a94e; }");
  ConnectCommand(SpeedButton1, &QToolButton::clicked, this, [this] { ImportHighlighted(); });
  ShowSelectArea(false);

  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] { main_.ShowMainWindow(); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { hide(); });

  // Moves by the title are not stored: the window opens where it opened.
  chrome_ = std::make_unique<SkinChrome>(this, SkinChrome::Hooks{});
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/false);
  chrome_->SetCaption(caption_.label2, caption_.label1, frame.bottomBar);
  caption_.Raise();
  SpeedButton1->raise();

  // Centred above the taskbar the first time; where the user leaves it
  // afterwards, for this run.
  move(std::max(0, (state_.Screen.Width() - kWidth) / 2),
       std::max(0, (state_.INIData.TaskBarTop() - kHeight) / 2));
}

void TFolderSelectForm::CreateTree() {
  // Qt lists the folders on a thread of its own and watches those shown,
  // so a home folder of thousands of folders, or a mount that does not
  // answer, never holds the window up.
  folders_ = new QFileSystemModel(this);
  folders_->setObjectName("ShellTreeModel");
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setReadOnly(true);
  // The desktop's folder icons (its icon theme, else the style's): the
  // model's own provider has only the theme's, none without one.
  // Never destroyed: a static one would go after the application, and the
  // model's own thread may ask it until the model is gone.
  static QFileIconProvider* const icons = new QFileIconProvider;
  folders_->setIconProvider(icons);
  folders_->setRootPath(QString());

  QTreeView* tree = ShellTreeView1;
  tree->setModel(folders_);
  for (int column = 1; column < folders_->columnCount(); ++column) tree->hideColumn(column);
  tree->setHeaderHidden(true);
  // Long names scroll across instead of being cut; only the rows in view
  // are measured.
  tree->header()->setStretchLastSection(false);
  tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree->setUniformRowHeights(true);
  tree->setIndentation(kTreeIndent);
  tree->setRootIsDecorated(false);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setFrameShape(QFrame::NoFrame);

  // A right click highlights the folder under the pointer.
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  ConnectCommand(tree, &QWidget::customContextMenuRequested, this, [tree](const QPoint& at) {
    const QModelIndex folder = tree->indexAt(at);
    if (folder.isValid()) tree->setCurrentIndex(folder);
  });
  ConnectCommand(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                 [this] { FolderHighlighted(); });
  // After the view has scrolled the row into view down the tree.
  connect(
      tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
      [this] { ScrollToHighlighted(); }, Qt::QueuedConnection);
  // The release of the Enter or Esc that closed a message box comes here
  // too; OnKeyRelease leaves it alone, its press having gone to the box.
  OnKeyRelease(tree, this, [this](int key, Qt::KeyboardModifiers) { RunTreeKey(key); });

  // Opened at the home folder, its parents unfolded. The rows above it
  // arrive as Qt lists their folders, each arrival pushing it down: it is
  // kept in view until the user scrolls, unfolds, folds or highlights.
  const QString home = system_.home.empty() ? QDir::homePath() : Utf8(system_.home);
  const QModelIndex start = folders_->index(home);
  for (QModelIndex parent = start.parent(); parent.isValid(); parent = parent.parent()) {
    tree->expand(parent);
  }
  if (!start.isValid()) return;
  tree->setCurrentIndex(start);
  const QPersistentModelIndex kept(start);
  auto keepInView = [this, kept] {
    if (!keepHomeInView_ || !kept.isValid() || ShellTreeView1->currentIndex() != kept) return;
    // After the view has laid the new rows out.
    QMetaObject::invokeMethod(
        this,
        [this, kept] {
          ShellTreeView1->scrollTo(kept, QAbstractItemView::PositionAtCenter);
          // Across, its name from the start, one level's indent before it
          // (Qt would show the end of the widest row).
          QScrollBar* across = ShellTreeView1->horizontalScrollBar();
          const int left = ShellTreeView1->visualRect(kept).left() + across->value();
          across->setValue(std::max(0, left - kTreeIndent));
        },
        Qt::QueuedConnection);
  };
  connect(folders_, &QAbstractItemModel::rowsInserted, this, keepInView);
  connect(folders_, &QAbstractItemModel::layoutChanged, this, keepInView);
  auto stop = [this] { keepHomeInView_ = false; };
  connect(tree->verticalScrollBar(), &QScrollBar::actionTriggered, this, stop);
  connect(tree, &QTreeView::expanded, this, stop);
  connect(tree, &QTreeView::collapsed, this, stop);
  connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this, stop);
  keepInView();
}

// ---------------------------------------------------------------------------
// Opening and closing

void TFolderSelectForm::ShowForMode(FolderMode mode) {
  mode_ = mode;
  done_ = false;
  ApplyLanguage();
  if (folders_ == nullptr) {
    CreateTree();  // the first opening asks the check itself
  } else {
    UpdateSelectButton();
  }
  ShowAndActivate(this);
  ShellTreeView1->setFocus();
}

void TFolderSelectForm::ApplyLanguage() {
  setWindowTitle(Title());
  // The title over its shadow, short of the close image.
  strip_.SetCaption(Title(), strip_.close->x() - kTitleRoomLeft, Qt::ElideMiddle);
  strip_.ApplyLanguage(state_.Languages);
  SetHint(strip_.icon, InterfaceText(state_.Languages, 1001, "Меню F10"));
  if (!done_ && !importing_) SetStatusCaption(Prompt());
}

void TFolderSelectForm::closeEvent(QCloseEvent* event) {
  // Only hidden; an import in progress goes on.
  event->ignore();
  hide();
}

void TFolderSelectForm::RunTreeKey(int virtualKey) {
  if (virtualKey == vk::Escape) hide();
  // What the select area's click does, for the highlighted folder.
  if (virtualKey == vk::Return || virtualKey == vk::Space) ImportHighlighted();
}

void TFolderSelectForm::ScrollToHighlighted() {
  const QModelIndex current = ShellTreeView1->currentIndex();
  if (!current.isValid()) return;
  // Deep rows start right of the view: the name is brought in from its
  // start, one level's indent before it, when it is not all in view.
  QScrollBar* across = ShellTreeView1->horizontalScrollBar();
  const QRect row = ShellTreeView1->visualRect(current);
  const int width = ShellTreeView1->viewport()->width();
  if (row.isValid() && (row.left() < 0 || row.right() > width)) {
    across->setValue(std::max(0, row.left() + across->value() - kTreeIndent));
  }
}

// ---------------------------------------------------------------------------
// The highlighted folder

void TFolderSelectForm::FolderHighlighted() {
  // The result goes first, so that the area hides until the new folder's
  // check answers.
  const bool wasDone = done_;
  done_ = false;
  UpdateSelectButton();
  if (wasDone) SetStatusCaption(Prompt());
}

void TFolderSelectForm::UpdateSelectButton() {
  const std::uint64_t check = ++checks_;
  offered_ = false;
  ShowSelectArea(false);
  const std::string folder = SelectedFolder();
  if (folder.empty()) return;
  const ImportMode mode = Mode();
  // The check reads the disk, which may not answer for long (a network
  // mount); its thread is left to it. Only the newest check's answer
  // counts.
  std::thread([post = post_, offers = system_.offers, mode, folder, target = TargetFolder(mode),
               check, this] {
    bool offered = false;
    try {
      offered = offers(mode, folder, target);
    } catch (...) {
      offered = false;  // a folder that cannot be read offers nothing
    }
    post->Post([this, check, offered] {
      if (check != checks_) return;
      offered_ = offered;
      ShowSelectArea(offered);
    });
  }).detach();
}

void TFolderSelectForm::ShowSelectArea(bool shown) {
  // An import's progress and result stay in view whatever is highlighted.
  const bool visible = shown || importing_ || done_;
  caption_.label1->setVisible(visible);
  caption_.label2->setVisible(visible);
  SpeedButton1->setVisible(visible);
}

void TFolderSelectForm::SetStatusCaption(const QString& text) {
  caption_.SetText(text, kCaptionRoom);
  // The select area lies over the caption: it shows the hint.
  SetHint(SpeedButton1, caption_.label2->text() == text ? QString() : text);
  chrome_->KeepInShape();
}

// ---------------------------------------------------------------------------
// The import

void TFolderSelectForm::ImportHighlighted() {
  if (importing_ || !SpeedButton1->isVisible()) return;
  if (done_) {
    SetStatusCaption(Prompt());
    done_ = false;
    ShowSelectArea(offered_);
    return;
  }
  // Only a folder whose check said yes, and still the highlighted one.
  const std::string folder = SelectedFolder();
  if (!offered_ || folder.empty()) return;
  StartImport(folder);
}

void TFolderSelectForm::StartImport(const std::string& folder,
                                    std::optional<ImportPlacement> placement) {
  const ImportMode mode = Mode();
  importing_ = true;
  setCursor(Qt::BusyCursor);
  if (copier_.joinable()) copier_.join();  // the last import has finished
  copier_ = std::jthread([post = post_, import = system_.import, targetName = system_.targetName,
                          mode, folder, placement, target = TargetFolder(mode),
                          language = InterfaceLanguageCode(state_.INIData.Language),
                          this](const std::stop_token& stop) {
    ImportOutcome outcome;
    try {
      if (!placement) {
        // Nothing is written over an installed one before the user says so.
        const ImportTargetName name = targetName(folder, target);
        if (name.taken) {
          post->Post([this, mode, folder, name] { AskPlacement(mode, folder, name); });
          return;
        }
      }
      outcome = import(
          mode, folder, target, placement.value_or(ImportPlacement::kNew),
          [&post, this](std::int32_t done, std::int32_t total) {
            post->Post([this, done, total] { ShowProgress(done, total); });
          },
          stop, language);
    } catch (const std::exception& failure) {
      outcome.failed += 1;
      outcome.firstFailure = {ImportFailureReason::kUnexpected, failure.what()};
    } catch (...) {
      outcome.failed += 1;
      outcome.firstFailure = {ImportFailureReason::kUnexpected, "..."};
    }
    post->Post([this, mode, outcome] { FinishImport(mode, outcome); });
  });
}

void TFolderSelectForm::AskPlacement(ImportMode mode, const std::string& folder,
                                     const ImportTargetName& name) {
  unsetCursor();
  const TLanguageTable& languages = state_.Languages;
  // Adding beside loses nothing: it is what Enter takes.
  const int answer = AskChoice(
      this, ImportTakenQuestion(languages, mode, Utf8(FolderOwnName(folder)), Utf8(name.beside)),
      {ImportReplaceAnswer(languages), ImportBesideAnswer(languages),
       ImportCancelAnswer(languages)},
      1);
  if (answer == 0 || answer == 1) {
    StartImport(folder, answer == 0 ? ImportPlacement::kReplace : ImportPlacement::kBeside);
    return;
  }
  importing_ = false;
  SetStatusCaption(Prompt());
  ShowSelectArea(offered_);
}

void TFolderSelectForm::ShowProgress(std::int32_t done, std::int32_t total) {
  if (importing_) SetStatusCaption(QStringLiteral("%1 / %2").arg(done).arg(total));
}

void TFolderSelectForm::FinishImport(ImportMode mode, const ImportOutcome& outcome) {
  importing_ = false;
  unsetCursor();
  RunCommand(this, [&] {
    // Only a copy that took its place is there to be listed.
    if (outcome.added) {
      if (mode == ImportMode::kDeck) {
        lists_.RebuildDeckMenu();
      } else {
        lists_.RebuildDescriptionMenu();
      }
    }
  });
  if (!outcome.added && outcome.failed == 0) {
    // The index lists nothing (or the program is ending): nothing to say.
    SetStatusCaption(Prompt());
    ShowSelectArea(offered_);
    return;
  }
  done_ = true;
  // The bottom strip holds one short line (159 pixels): with failures, the
  // count matters more than the mode's words.
  SetStatusCaption(outcome.failed > 0
                       ? ImportFailedCaption(state_.Languages, outcome.added, outcome.failed)
                       : Result(mode));
  ShowSelectArea(true);
  const QString report = ImportReport(state_.Languages, Result(mode), outcome);
  if (outcome.failed > 0) {
    ShowFailure(this, report);
  } else if (!report.isEmpty()) {
    ShowNotice(this, report);
  }
}

// ---------------------------------------------------------------------------
// Texts and paths

ImportMode TFolderSelectForm::Mode() const {
  return mode_ == FolderMode::kAddDeck ? ImportMode::kDeck : ImportMode::kDescriptionSet;
}

std::string TFolderSelectForm::SelectedFolder() const {
  if (folders_ == nullptr) return {};
  const QModelIndex current = ShellTreeView1->currentIndex();
  return current.isValid() ? QDir::toNativeSeparators(folders_->filePath(current)).toStdString()
                           : std::string();
}

std::string TFolderSelectForm::TargetFolder(ImportMode mode) const {
  return mode == ImportMode::kDeck ? state_.INIData.DecksFolder : state_.INIData.DescriptionsFolder;
}

QString TFolderSelectForm::Title() const {
  return mode_ == FolderMode::kAddDeck
             ? InterfaceText(state_.Languages, 1039, "Добавить колоду...")
             : InterfaceText(state_.Languages, 1040, "Добавить описание...");
}

QString TFolderSelectForm::Prompt() const {
  return mode_ == FolderMode::kAddDeck
             ? InterfaceText(state_.Languages, 1041, "Выбрать каталог с колодой")
             : InterfaceText(state_.Languages, 1042, "Выбрать каталог с описанием");
}

QString TFolderSelectForm::Result(ImportMode mode) const {
  return mode == ImportMode::kDeck ? InterfaceText(state_.Languages, 1043, "Колода добавлена")
                                   : InterfaceText(state_.Languages, 1044, "Описание добавлено");
}

}  // namespace vaticor
