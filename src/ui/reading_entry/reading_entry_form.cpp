#include "ui/reading_entry/reading_entry_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "platform/virtual_keys.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/framed_window.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"
#include "ui/reading_entry/card_thumbnails.h"
#include "ui/reading_table.h"

namespace vaticor {
namespace {

constexpr int kKindRole = Qt::UserRole + 1;  // of a layout: its EntryLayoutKind
constexpr int kPathRole = Qt::UserRole + 2;  // of a spread file: its path

QLabel* MakeLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// Two paths of one file, however written.
bool SameFile(const QString& a, const QString& b) {
  const QString first = QFileInfo(a).canonicalFilePath();
  return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

}  // namespace

TReadingEntryForm::TReadingEntryForm(ProgramState& state, JournalWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state), links_(links) {
  setObjectName("ReadingEntryForm");
  UseSkinLook(this, /*navyText=*/true);
  MakeCloseHide(this);
  thumbnails_ = new CardThumbnails(state_, this);
  CreateControls();
  ApplyLanguage();
  resize(500, 460);
  LayOut();
  chrome_->KeepInShape();

  ContentSignals& content = state_.ContentChanges;
  connect(&content, &ContentSignals::deckChanged, this, [this] { FollowDecks(false); });
  connect(&content, &ContentSignals::deckListReloaded, this, [this] { FollowDecks(true); });
}

TReadingEntryForm::~TReadingEntryForm() = default;

void TReadingEntryForm::CreateControls() {
  setMinimumSize(360, 260);
  MakeFramedWindow(this, strip_, frame_, caption_, [this] { Accept(); });

  content_ = new QWidget(this);
  content_->setObjectName("ReadingEntryContent");
  layoutCaption_ = MakeLabel(content_, "EntryLayoutCaption");
  layouts_ = new QComboBox(content_);
  layouts_->setObjectName("EntryLayout");
  questionCaption_ = MakeLabel(content_, "EntryQuestionCaption");
  question_ = new QLineEdit(content_);
  question_->setObjectName("EntryQuestion");
  rowsArea_ = new QScrollArea(content_);
  rowsArea_->setObjectName("EntryPositions");
  rowsArea_->setWidgetResizable(true);
  rowsArea_->setFrameShape(QFrame::NoFrame);
  // Tab goes from the question to the first position's field.
  rowsArea_->setFocusPolicy(Qt::NoFocus);
  rowsPanel_ = new QWidget(rowsArea_);
  rowsGrid_ = new QGridLayout(rowsPanel_);
  rowsGrid_->setContentsMargins(2, 2, 2, 2);
  rowsGrid_->setHorizontalSpacing(6);
  rowsGrid_->setVerticalSpacing(3);
  rowsGrid_->setColumnStretch(1, 2);
  rowsGrid_->setColumnStretch(2, 3);
  rowsArea_->setWidget(rowsPanel_);
  noPositions_ = MakeLabel(content_, "EntryNoPositions");
  noPositions_->setAlignment(Qt::AlignCenter);
  noPositions_->setWordWrap(true);
  noPositions_->hide();
  accept_ = new QPushButton(content_);
  accept_->setObjectName("EntryAccept");
  accept_->setEnabled(false);
  // Enter on it, as on the last field: the reading is laid out.
  accept_->setAutoDefault(true);
  cancel_ = new QPushButton(content_);
  cancel_->setObjectName("EntryCancel");

  auto* top = new QGridLayout;
  top->addWidget(layoutCaption_, 0, 0);
  top->addWidget(layouts_, 0, 1);
  top->addWidget(questionCaption_, 1, 0);
  top->addWidget(question_, 1, 1);
  top->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(accept_);
  buttons->addWidget(cancel_);
  auto* column = new QVBoxLayout(content_);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(4);
  column->addLayout(top);
  column->addWidget(rowsArea_, 1);
  column->addWidget(noPositions_);
  column->addLayout(buttons);

  auto* commands = new CommandSet(this);
  commands->Add("EntryAccept", [this] { Accept(); });
  commands->Add("EntryCancel", [this] { hide(); });
  ConnectCommand(accept_, &QPushButton::clicked, this, [this] { Accept(); });
  ConnectCommand(cancel_, &QPushButton::clicked, this, [this] { hide(); });
  commands->BindKeys(this, {{vk::Escape, "EntryCancel"}});
  ConnectCommand(layouts_, qOverload<int>(&QComboBox::activated), this, [this] { LayoutChosen(); });

  SkinChrome::Hooks hooks;
  hooks.sizeChanged = LayOutOnResize(
      frame_, [this] { LayOut(); }, chrome_);
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);
}

void TReadingEntryForm::ApplyLanguage() {
  const TLanguageTable& languages = state_.Languages;
  title_ = CardsText(languages, "EntryTitle", "Расклад, разложенный своей колодой");
  setWindowTitle(title_);
  strip_.ApplyLanguage(languages);
  layoutCaption_->setText(CardsText(languages, "EntryLayout", "Расклад:"));
  questionCaption_->setText(CardsText(languages, "EntryQuestion", "Вопрос:"));
  noPositions_->setText(CardsText(languages, "EntryNoPositions", "В этом раскладе нет позиций"));
  accept_->setText(CardsText(languages, "EntryAccept", "Разложить и записать"));
  cancel_->setText(CardsText(languages, "EntryCancel", "Отмена"));
  if (layouts_->count() >= 2) {
    layouts_->setItemText(0, CardsText(languages, "EntryOneCard", "Одна карта"));
    layouts_->setItemText(1, CardsText(languages, "EntryThreeCards", "Три карты"));
  }
  const QString hint = CardsText(
      languages, "EntryCardHint",
      "Номер карты, римская цифра, краткая запись (3oC, KW, Ace P) или название в любой колоде");
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    SetHint(rows_[row].field, hint);
    rows_[row].reversed->setText(CardsText(languages, "EntryReversed", "перевёрнута"));
    ShowRowState(row);
  }
  UpdateAccept();
  if (chrome_) {
    LayOut();
    chrome_->KeepInShape();
  }
}

void TReadingEntryForm::LayOut() {
  FramedWindow{strip_, frame_, caption_, content_}.LayOut(title_, width(), height());
}

// ---------------------------------------------------------------------------
// The layout

void TReadingEntryForm::Enter(const std::string& spreadPath) {
  if (matching_.installed.empty()) FollowDecks(true);
  FillLayouts(spreadPath);
  LayoutChosen();
  question_->setText(QString::fromStdString(links_.question.QuestionText()));
  if (!firstShown_) {
    firstShown_ = true;
    move(std::max(0, (state_.Screen.Width() - width()) / 2),
         std::max(0, (state_.INIData.TaskBarTop() - height()) / 2));
  }
  ShowAndActivate(this);
  if (!rows_.empty()) rows_.front().field->setFocus();
}

void TReadingEntryForm::FillLayouts(const std::string& extra) {
  // The choice stays what it was, unless a file is asked for.
  QString chosen = QString::fromStdString(extra);
  int chosenKind = static_cast<int>(EntryLayoutKind::kSpreadFile);
  if (chosen.isEmpty() && layouts_->currentIndex() >= 0) {
    chosen = layouts_->currentData(kPathRole).toString();
    chosenKind = layouts_->currentData(kKindRole).toInt();
  }
  layouts_->clear();
  layouts_->addItem(QString());
  layouts_->setItemData(0, static_cast<int>(EntryLayoutKind::kOneCard), kKindRole);
  layouts_->addItem(QString());
  layouts_->setItemData(1, static_cast<int>(EntryLayoutKind::kThreeCards), kKindRole);
  const QDir folder(QString::fromStdString(state_.INIData.SpreadsFolder));
  QStringList paths;
  for (const QString& name :
       folder.entryList({QStringLiteral("*.spread")}, QDir::Files | QDir::Readable, QDir::Name)) {
    paths << folder.filePath(name);
  }
  if (!chosen.isEmpty() && std::none_of(paths.begin(), paths.end(),
                                        [&](const QString& p) { return SameFile(p, chosen); })) {
    paths << chosen;
  }
  int index = chosenKind == static_cast<int>(EntryLayoutKind::kThreeCards) ? 1 : 0;
  for (const QString& path : paths) {
    layouts_->addItem(QFileInfo(path).completeBaseName());
    const int item = layouts_->count() - 1;
    layouts_->setItemData(item, static_cast<int>(EntryLayoutKind::kSpreadFile), kKindRole);
    layouts_->setItemData(item, path, kPathRole);
    layouts_->setItemData(item, path, Qt::ToolTipRole);
    if (!chosen.isEmpty() && SameFile(path, chosen)) index = item;
  }
  layouts_->setCurrentIndex(index);
  ApplyLanguage();  // the first two items' names
}

void TReadingEntryForm::LayoutChosen() {
  layout_ = EntryLayout{};
  layout_.kind = static_cast<EntryLayoutKind>(layouts_->currentData(kKindRole).toInt());
  if (layout_.kind == EntryLayoutKind::kSpreadFile) {
    const std::string path = layouts_->currentData(kPathRole).toString().toStdString();
    const TINIData& ini = state_.INIData;
    // A file gone since it was listed, or one that cannot be read, has no
    // positions: nothing can be entered for it.
    RunCommand(this, [&] {
      if (std::optional<SpreadLayout> read =
              ReadSpreadFile(path, ini.SpreadCardWidth, ini.SpreadCardHeight, state_.Screen)) {
        layout_.spread = std::move(*read);
      }
    });
    layout_.spreadFile = std::filesystem::path(path).filename().string();
  }
  BuildRows();
}

void TReadingEntryForm::BuildRows() {
  // Gone at once: no signal of theirs is being handled (the layout's list
  // or the deck changed), and the new rows take their names.
  for (Row& row : rows_) {
    for (QWidget* part : std::initializer_list<QWidget*>{row.number, row.meaning, row.field,
                                                         row.reversed, row.state}) {
      delete part;
    }
  }
  rows_.clear();
  for (int line = 0; line < rowsGrid_->rowCount(); ++line) rowsGrid_->setRowStretch(line, 0);
  const std::vector<EntryPosition> positions = EntryPositions(layout_);
  for (const EntryPosition& position : positions) {
    const std::size_t index = rows_.size();
    const QString suffix = QString::number(position.number);
    Row row;
    row.number = MakeLabel(rowsPanel_, "EntryNumber" + suffix);
    row.number->setText(suffix + u'.');
    // A position without a meaning is still a position: its number alone.
    row.meaning = MakeLabel(rowsPanel_, "EntryMeaning" + suffix);
    row.meaning->setText(QString::fromStdString(position.meaning));
    row.meaning->setWordWrap(true);
    row.field = new CardField(matching_, *thumbnails_, rowsPanel_);
    row.field->setObjectName("EntryCard" + suffix);
    row.reversed = new QCheckBox(rowsPanel_);
    row.reversed->setObjectName("EntryReversed" + suffix);
    row.state = MakeLabel(rowsPanel_, "EntryState" + suffix);
    const int line = static_cast<int>(index) * 2;
    rowsGrid_->addWidget(row.number, line, 0, Qt::AlignTop);
    rowsGrid_->addWidget(row.meaning, line, 1, Qt::AlignTop);
    rowsGrid_->addWidget(row.field, line, 2);
    rowsGrid_->addWidget(row.reversed, line, 3);
    rowsGrid_->addWidget(row.state, line + 1, 2, 1, 2);
    ConnectCommand(row.field, &CardField::cardChanged, this, [this, index] {
      ShowRowState(index);
      UpdateAccept();
    });
    ConnectCommand(row.field, &QLineEdit::textChanged, this,
                   [this, index] { ShowRowState(index); });
    ConnectCommand(row.field, &CardField::advance, this, [this, index] {
      if (index + 1 < rows_.size()) {
        rows_[index + 1].field->setFocus();
        rowsArea_->ensureWidgetVisible(rows_[index + 1].field);
      } else if (accept_->isEnabled()) {
        accept_->setFocus();
      }
    });
    rows_.push_back(row);
  }
  // Tab goes from the question through the positions in order, then to the
  // buttons (the rows are made after them).
  QWidget* previous = question_;
  for (const Row& row : rows_) {
    setTabOrder(previous, row.field);
    setTabOrder(row.field, row.reversed);
    previous = row.reversed;
  }
  setTabOrder(previous, accept_);
  setTabOrder(accept_, cancel_);
  rowsGrid_->setRowStretch(static_cast<int>(positions.size()) * 2, 1);
  noPositions_->setVisible(positions.empty());
  rowsArea_->setVisible(!positions.empty());
  ApplyLanguage();
}

// ---------------------------------------------------------------------------
// The cards

void TReadingEntryForm::FollowDecks(bool installed) {
  TTaroDecks& decks = state_.TaroDecks;
  thumbnails_->Clear();
  if (installed) matching_.installed = InstalledCardNames(decks);
  matching_.deck = EntryDeck{decks.GetCardNames(), decks.GetCardIdentities()};
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    rows_[row].field->Rematch();
    ShowRowState(row);
  }
  UpdateAccept();
}

void TReadingEntryForm::ShowRowState(std::size_t index) {
  const Row& row = rows_[index];
  const std::optional<std::int32_t> card = row.field->Card();
  QPalette palette = row.state->palette();
  if (card) {
    const auto position = static_cast<std::size_t>(*card);
    const std::vector<std::string>& names = matching_.deck.names;
    row.state->setText(position < names.size() ? QString::fromStdString(names[position])
                                               : QString());
    palette.setColor(QPalette::WindowText, SkinNavy());
  } else {
    // Nothing typed yet says nothing; a text that names no card says so.
    row.state->setText(row.field->text().trimmed().isEmpty()
                           ? QString()
                           : CardsText(state_.Languages, "EntryNoCard",
                                       "не названа ни одна карта текущей колоды"));
    palette.setColor(QPalette::WindowText, QColor(0xA0, 0x10, 0x10));
  }
  row.state->setPalette(palette);
}

void TReadingEntryForm::UpdateAccept() {
  const auto missing =
      std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return !row.field->Card(); });
  accept_->setEnabled(!rows_.empty() && missing == 0);
  caption_.SetText(missing > 0 ? WithSubject(CardsText(state_.Languages, "EntryMissing",
                                                       "Позиций без карты: %1"),
                                             QString::number(missing))
                               : QString());
}

void TReadingEntryForm::Accept() {
  if (!accept_->isEnabled()) return;
  std::vector<EnteredCard> cards;
  for (const Row& row : rows_) cards.push_back({*row.field->Card(), row.reversed->isChecked()});
  JournalEntry entry = EnteredReadingEntry(
      JournalMomentNow(), layout_, cards, question_->text().trimmed().toStdString(),
      state_.TaroDecks, state_.TaroDescriptions, state_.Screen, ReadingMomentNow());
  JournalKeeper& journal = state_.Journal;
  if (!journal.ReadOnly()) {
    RunJournalCommand(this, state_.Languages, [&] { entry.id = journal.Add(entry); });
  }
  hide();
  // Laid with its id: the spreads window's own "record" then updates it.
  LayReadingOnTable(entry, links_.main, links_.spreads, links_.question,
                    state_.INIData.QuestionFormEnabled);
}

}  // namespace vaticor
