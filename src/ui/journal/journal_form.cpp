#include "ui/journal/journal_form.h"

#include <QAction>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStringList>
#include <QTabBar>
#include <QVBoxLayout>

#include "library/reading_in_deck.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/framed_window.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/content_signals.h"
#include "ui/journal/journal_calendar.h"
#include "ui/journal/journal_entry_view.h"
#include "ui/journal/journal_filter_bar.h"
#include "ui/journal/journal_list_model.h"
#include "ui/journal/journal_statistics_page.h"
#include "ui/journal_keeper.h"
#include "ui/reading_table.h"

namespace vaticor {

namespace {}  // namespace

// ---------------------------------------------------------------------------
// Creation

TJournalForm::TJournalForm(ProgramState& state, JournalWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state), links_(links) {
  setObjectName("JournalForm");
  UseSkinLook(this, /*navyText=*/true);
  MakeCloseHide(this);
  CreateControls();
  CreateCommands();
  ApplyLanguage();

  const TINIData& ini = state_.INIData;
  setGeometry(ini.JournalFormLeft, ini.JournalFormTop, ini.JournalFormWidth, ini.JournalFormHeight);
  LayOut();
  chrome_->KeepInShape();

  JournalKeeper& journal = state_.Journal;
  connect(&journal, &JournalKeeper::opened, this, [this] { JournalOpened(); });
  connect(&journal, &JournalKeeper::replaced, this, [this] { JournalOpened(); });
  connect(&journal, &JournalKeeper::entryAdded, this, [this](qint64 id) { EntryAdded(id); });
  connect(&journal, &JournalKeeper::entryChanged, this, [this](qint64 id) { EntryChanged(id); });
  connect(&journal, &JournalKeeper::entryRemoved, this, [this](qint64 id) { EntryRemoved(id); });
  // Whether the chosen reading's deck is the one in use.
  connect(&state_.ContentChanges, &ContentSignals::deckChanged, this, [this] { UpdateCommands(); });
  connect(&state_.ContentChanges, &ContentSignals::deckListReloaded, this,
          [this] { UpdateCommands(); });
  JournalOpened();
}

TJournalForm::~TJournalForm() = default;

void TJournalForm::CreateControls() {
  setMinimumSize(320, 240);
  MakeFramedWindow(this, strip_, frame_, caption_, [this] { LayAgain(); });

  content_ = new QWidget(this);
  content_->setObjectName("JournalContent");
  tabs_ = new QTabBar(content_);
  tabs_->setObjectName("JournalPages");
  tabs_->setDrawBase(false);
  tabs_->addTab(QString());  // the entries
  tabs_->addTab(QString());  // the statistics
  tabs_->addTab(QString());  // the calendar
  pages_ = new QStackedWidget(content_);
  splitter_ = new QSplitter(Qt::Horizontal, pages_);
  splitter_->setObjectName("JournalSplitter");
  splitter_->setChildrenCollapsible(false);
  auto* listSide = new QWidget(splitter_);
  filters_ = new JournalFilterBar(listSide);
  model_ = new JournalListModel(this);
  list_ = new QListView(listSide);
  list_->setObjectName("JournalList");
  list_->setModel(model_);
  // One height for every row: the view measures no row it does not show.
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setTextElideMode(Qt::ElideRight);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  UseSkinListColours(list_, SkinNavy(), SkinListBase());
  QFont headerFont = list_->font();
  headerFont.setBold(true);
  model_->SetHeaderFont(headerFont);
  emptyNote_ = new QLabel(list_);
  emptyNote_->setObjectName("JournalNothingFound");
  emptyNote_->setTextFormat(Qt::PlainText);
  emptyNote_->setAlignment(Qt::AlignCenter);
  emptyNote_->setWordWrap(true);
  auto* listColumn = new QVBoxLayout(listSide);
  listColumn->setContentsMargins(0, 0, 0, 0);
  listColumn->setSpacing(3);
  listColumn->addWidget(filters_);
  listColumn->addWidget(list_, 1);
  view_ = new JournalEntryView(state_, splitter_);
  splitter_->addWidget(listSide);
  splitter_->addWidget(view_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  statistics_ = new JournalStatisticsPage(state_, pages_);
  pages_->addWidget(splitter_);
  pages_->addWidget(statistics_);
  calendar_ = new JournalCalendar(state_, pages_);
  pages_->addWidget(calendar_);
  auto* contentLayout = new QVBoxLayout(content_);
  contentLayout->setContentsMargins(2, 2, 2, 2);
  contentLayout->setSpacing(2);
  contentLayout->addWidget(tabs_);
  contentLayout->addWidget(pages_, 1);

  connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);
  ConnectCommand(statistics_, &JournalStatisticsPage::entryChosen, this,
                 [this](std::int64_t id) { ShowEntry(id); });
  ConnectCommand(calendar_, &JournalCalendar::dayChosen, this, [this](const QString& day) {
    // The day's entries in the list, the first of them chosen.
    filters_->ShowOnlyDay(QDate::fromString(day, Qt::ISODate));
    tabs_->setCurrentIndex(0);
    if (model_->rowCount() > 1) Choose(model_->EntryId(1));
    list_->setFocus();
  });

  ConnectCommand(filters_, &JournalFilterBar::changed, this, [this] { Refilter(); });
  ConnectCommand(
      list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
      [this](const QModelIndex& current, const QModelIndex&) { RowChosen(current.row()); });
  ConnectCommand(list_, &QListView::doubleClicked, this, [this] { LayAgain(); });
  ConnectCommand(view_, &JournalEntryView::save, this,
                 [this](const JournalEntry& entry) { Save(entry); });
  ConnectCommand(view_, &JournalEntryView::cardClicked, this,
                 [this](int index) { DescribeCard(index); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { hide(); });

  TINIData& ini = state_.INIData;
  chrome_ = std::make_unique<SkinChrome>(this, FramedWindowHooks(
                                                   {ini.JournalFormLeft, ini.JournalFormTop,
                                                    ini.JournalFormWidth, ini.JournalFormHeight},
                                                   frame_, [this] { LayOut(); }, chrome_));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);
}

void TJournalForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  c.Add("JournalLayAgain", [this] { LayAgain(); });
  c.Add("JournalDelete", [this] { DeleteChosen(); });
  c.Add("JournalUndo", [this] { UndoDelete(); });
  c.Add("JournalAddFollowUp", [this] { AddFollowUp(); });
  c.Add("JournalLayInCurrentDeck", [this] { LayInCurrentDeck(); });
  view_->SetCommands(
      {c["JournalLayAgain"], c["JournalDelete"], c["JournalUndo"], c["JournalAddFollowUp"]});

  menu_ = new QMenu(this);
  menu_->setObjectName("JournalMenu");
  menu_->addAction(c["JournalLayAgain"]);
  menu_->addAction(c["JournalDelete"]);
  menu_->addAction(c["JournalUndo"]);
  // Offered while the chosen reading's deck is not the one in use.
  menu_->addAction(c["JournalLayInCurrentDeck"]);
  // The program's commands on the whole journal follow (export, backup).
  menu_->addSeparator();
  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] {
    menu_->popup(strip_.icon->mapToGlobal(QPoint(0, strip_.icon->height())));
  });
  ConnectCommand(list_, &QListView::customContextMenuRequested, this,
                 [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

  // Keys in the list; Ctrl+Z wherever a field does not take it as its own.
  c.BindKeys(list_, {{vk::Delete, "JournalDelete"}, {vk::Return, "JournalLayAgain"}});
  c.BindControlKeys(this, {{vk::Z, "JournalUndo"}});
}

void TJournalForm::ApplyLanguage() {
  const TLanguageTable& languages = state_.Languages;
  title_ = JournalText(languages, "Title", "Дневник раскладов");
  setWindowTitle(title_);
  caption_.SetText(JournalText(languages, "LayAgain", "Разложить снова"));
  strip_.ApplyLanguage(languages);
  SetHint(strip_.icon, JournalText(languages, "Menu", "Меню дневника"));
  CommandSet& c = *commands_;
  c["JournalLayAgain"]->setText(JournalText(languages, "LayAgain", "Разложить снова"));
  c["JournalDelete"]->setText(JournalText(languages, "Delete", "Удалить запись"));
  c["JournalUndo"]->setText(JournalText(languages, "Undo", "Вернуть удалённую"));
  c["JournalAddFollowUp"]->setText(JournalText(languages, "AddFollowUp", "Добавить"));
  const QLocale locale = InterfaceLocale(state_.INIData.Language);
  view_->SetLocale(locale);
  filters_->SetLocale(locale);
  filters_->ApplyLanguage(languages);
  view_->ApplyLanguage(languages);
  tabs_->setTabText(0, JournalText(languages, "PageEntries", "Записи"));
  tabs_->setTabText(1, JournalText(languages, "PageStatistics", "Статистика"));
  statistics_->ApplyLanguage(languages, locale);
  tabs_->setTabText(2, JournalText(languages, "Calendar", "Календарь"));
  calendar_->ApplyLanguage();
  model_->SetWords(locale, JournalText(languages, "ReversedMark", "(перевёрнута)"));
  // The rows' times and marks in the new language.
  if (model_->rowCount() > 0) ReloadWhenShown();
  UpdateCommands();
  UpdateEmptyNote();
  if (chrome_) {
    LayOut();
    chrome_->KeepInShape();
  }
}

// ---------------------------------------------------------------------------
// Layout

void TJournalForm::LayOut() {
  FramedWindow{strip_, frame_, caption_, content_}.LayOut(title_, width(), height());
  emptyNote_->setGeometry(list_->rect().adjusted(8, 8, -8, -8));
}

// ---------------------------------------------------------------------------
// Showing

void TJournalForm::ShowJournal() {
  if (stale_) {
    stale_ = false;
    model_->Reload();
    RefreshTags();
    UpdateEmptyNote();
  }
  filters_->SetCardNames(state_.TaroDecks.GetCardNames());
  TINIData& ini = state_.INIData;
  const QPoint centred = pos();
  ClearTitleStripAtFirstShow(this, firstShown_, ini.JournalFormPlaceStored,
                             links_.main.TitleStripOnScreen(), state_.Screen.Width(),
                             ini.TaskBarTop(), ini.JournalFormLeft, ini.JournalFormTop);
  // A window this large may find no place clear of the strip but one partly
  // off the screen: it stays whole where it was, over the strip.
  const auto whole = [&](QPoint at) {
    return at.x() >= 0 && at.y() >= 0 && at.x() + width() <= state_.Screen.Width() &&
           at.y() + height() <= ini.TaskBarTop();
  };
  if (!whole(pos()) && whole(centred)) {
    move(centred);
    ini.JournalFormLeft = centred.x();
    ini.JournalFormTop = centred.y();
  }
  ShowAndActivate(this);
  LayOut();
  if (!view_->Entry() && model_->rowCount() > 1) Choose(model_->EntryId(1));
  list_->setFocus();
}

void TJournalForm::ShowJournalEntry(std::int64_t id) {
  ShowJournal();
  ShowEntry(id);
}

void TJournalForm::SaveEdits() { view_->SaveNow(); }

void TJournalForm::hideEvent(QHideEvent* event) {
  // What was typed is kept when the window goes.
  RunCommand(this, [this] { SaveEdits(); });
  QWidget::hideEvent(event);
}

// ---------------------------------------------------------------------------
// The list

JournalFilter TJournalForm::CurrentFilter() const { return model_->Filter(); }

std::optional<std::int64_t> TJournalForm::ChosenEntry() const {
  if (!view_->Entry()) return std::nullopt;
  return view_->Entry()->id;
}

void TJournalForm::Refilter() {
  const std::optional<std::int64_t> chosen = ChosenEntry();
  model_->SetFilter(filters_->Filter());
  statistics_->SetFilter(model_->Filter());
  if (chosen) {
    const int row = model_->RowOf(*chosen);
    if (row >= 0)
      list_->selectionModel()->setCurrentIndex(model_->index(row),
                                               QItemSelectionModel::ClearAndSelect);
  }
  UpdateEmptyNote();
}

void TJournalForm::ReloadWhenShown() {
  if (!isVisible()) {
    // A draw recorded meanwhile costs the main window nothing here.
    stale_ = true;
    return;
  }
  const std::optional<std::int64_t> chosen = ChosenEntry();
  model_->Reload();
  if (chosen) {
    const int row = model_->RowOf(*chosen);
    if (row >= 0) {
      list_->selectionModel()->setCurrentIndex(model_->index(row),
                                               QItemSelectionModel::ClearAndSelect);
    }
  }
  UpdateEmptyNote();
}

void TJournalForm::Choose(std::int64_t id) {
  int row = model_->RowOf(id);
  if (row < 0) {
    // An entry further down than the pages read: read down to it.
    const JournalStore* store = state_.Journal.Store();
    const std::optional<JournalEntry> entry = store ? store->Get(id) : std::nullopt;
    if (!entry) return;
    JournalFilter newer = model_->Filter();
    newer.from = entry->moment;
    model_->SetFilter(model_->Filter(), store->Count(newer) + 1);
    row = model_->RowOf(id);
  }
  if (row < 0) {
    // The filter does not take it: shown, with no row chosen.
    list_->selectionModel()->clearCurrentIndex();
    view_->Show(state_.Journal.Store()->Get(id));
    UpdateCommands();
    return;
  }
  list_->selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
  list_->scrollTo(model_->index(row));
}

void TJournalForm::ShowEntry(std::int64_t id) {
  tabs_->setCurrentIndex(0);
  Choose(id);
  list_->setFocus();
}

void TJournalForm::RowChosen(int row) {
  const std::int64_t id = model_->EntryId(row);
  const JournalStore* store = state_.Journal.Store();
  if (id < 0 || !store) return;
  if (view_->Entry() && view_->Entry()->id == id) return;
  view_->Show(store->Get(id));
  UpdateCommands();
}

void TJournalForm::UpdateEmptyNote() {
  const TLanguageTable& languages = state_.Languages;
  if (!state_.Journal.IsOpen()) {
    emptyNote_->setText(JournalText(languages, "NotOpen", "Дневник ещё не открыт"));
  } else {
    emptyNote_->setText(JournalText(languages, "NothingFound", "Ничего не найдено"));
  }
  emptyNote_->setVisible(model_->rowCount() == 0);
}

void TJournalForm::RefreshTags() {
  const JournalStore* store = state_.Journal.Store();
  const std::vector<std::string> tags = store ? store->AllTags() : std::vector<std::string>();
  filters_->SetTags(tags);
  view_->SetTagCompletions(tags);
}

void TJournalForm::UpdateCommands() {
  const JournalKeeper& journal = state_.Journal;
  const bool editable = !journal.ReadOnly();
  const bool chosen = view_->Entry().has_value();
  CommandSet& c = *commands_;
  c["JournalLayAgain"]->setEnabled(chosen);
  c["JournalDelete"]->setEnabled(editable && chosen);
  c["JournalUndo"]->setEnabled(editable && removed_.has_value());
  c["JournalAddFollowUp"]->setEnabled(editable && chosen);
  // The reading in the deck in use, offered when its own deck is another
  // one or gone: the deck's name said, as there may be several.
  const std::vector<std::string>& folders = state_.TaroDecks.Folders;
  const std::size_t current = static_cast<std::size_t>(state_.TaroDecks.Index);
  const bool otherDeck =
      chosen && current < folders.size() && view_->Entry()->deckFolder != folders[current];
  QAction* inCurrent = c["JournalLayInCurrentDeck"];
  inCurrent->setVisible(otherDeck);
  if (otherDeck) {
    SetFileCaption(
        menu_, inCurrent,
        CardsText(state_.Languages, "LayInCurrentDeck", "Разложить в текущей колоде (%1)")
            .arg(QString::fromStdString(state_.TaroDecks.DisplayNames[current])));
  }
  const TLanguageTable& languages = state_.Languages;
  QString why;
  if (!journal.IsOpen()) {
    why = JournalText(languages, "NotOpen", "Дневник ещё не открыт");
  } else if (journal.ReadOnly()) {
    why =
        JournalText(languages, "ReadOnly", "Дневник открыт только для чтения: изменить его нельзя");
  }
  view_->SetEditable(editable, why);
}

// ---------------------------------------------------------------------------
// Following the journal

void TJournalForm::JournalOpened() {
  model_->SetStore(state_.Journal.Store());
  model_->SetFilter(filters_->Filter());
  statistics_->SetFilter(model_->Filter());
  view_->Show(std::nullopt);
  removed_.reset();
  RefreshTags();
  UpdateCommands();
  UpdateEmptyNote();
}

void TJournalForm::EntryAdded(std::int64_t) {
  statistics_->JournalChanged();
  ReloadWhenShown();
  if (isVisible()) RefreshTags();
}

void TJournalForm::EntryChanged(std::int64_t id) {
  statistics_->JournalChanged();
  model_->EntryChanged(id);
  const JournalStore* store = state_.Journal.Store();
  if (store && view_->Entry() && view_->Entry()->id == id) {
    if (const std::optional<JournalEntry> stored = store->Get(id)) view_->Refresh(*stored);
  }
  // A spread recorded again while the window is hidden costs it nothing.
  if (isVisible()) {
    RefreshTags();
  } else {
    stale_ = true;
  }
}

void TJournalForm::EntryRemoved(std::int64_t id) {
  statistics_->JournalChanged();
  model_->EntryRemoved(id);
  if (view_->Entry() && view_->Entry()->id == id) {
    list_->selectionModel()->clearCurrentIndex();
    view_->Show(std::nullopt);
  }
  RefreshTags();
  UpdateCommands();
  UpdateEmptyNote();
}

// ---------------------------------------------------------------------------
// Commands

void TJournalForm::Save(const JournalEntry& entry) { state_.Journal.Update(entry); }

void TJournalForm::LayAgain() {
  view_->SaveNow();
  const std::optional<JournalEntry>& entry = view_->Entry();
  if (!entry) return;
  // Its cards are places in its own deck: that deck goes on the table with
  // them, as when chosen from the deck menu.
  const std::vector<std::string>& folders = state_.TaroDecks.Folders;
  const auto own = std::find(folders.begin(), folders.end(), entry->deckFolder);
  if (!entry->deckFolder.empty() && own != folders.end()) {
    const int index = static_cast<int>(own - folders.begin());
    if (index != state_.TaroDecks.Index) state_.Content.SelectDeck(index);
  }
  LayReadingOnTable(*entry, links_.main, links_.spreads, links_.question,
                    state_.INIData.QuestionFormEnabled);
}

void TJournalForm::LayInCurrentDeck() {
  view_->SaveNow();
  const std::optional<JournalEntry>& entry = view_->Entry();
  if (!entry || state_.TaroDecks.Folders.empty()) return;
  const ReadingInDeck laid = ReadingInCurrentDeck(state_.TaroDecks, *entry);
  if (!laid.unmatched.empty()) {
    // A reading with a card left out would be another reading: none is laid.
    // The first of them: a long spread in a deck of the major arcana alone
    // lacks dozens, and the box is to stay readable.
    constexpr std::size_t kNamed = 12;
    QStringList names;
    for (const std::string& name : RecordedCardNames(*entry, laid.unmatched)) {
      if (static_cast<std::size_t>(names.size()) == kNamed) {
        names << QStringLiteral("…");
        break;
      }
      names << QString::fromStdString(name);
    }
    ShowNotice(this, CardsText(state_.Languages, "LayMissingCards",
                               "В текущей колоде нет карт этого расклада: %1. Расклад не разложен.")
                         .arg(names.join(QStringLiteral(", "))));
    return;
  }
  LayReadingOnTable(laid.entry, links_.main, links_.spreads, links_.question,
                    state_.INIData.QuestionFormEnabled);
}

void TJournalForm::DeleteChosen() {
  if (!view_->Entry() || state_.Journal.ReadOnly()) return;
  // What was typed goes into the entry the undo brings back.
  view_->SaveNow();
  const std::int64_t id = view_->Entry()->id;
  const int row = list_->currentIndex().row();
  std::optional<JournalEntry> removed = state_.Journal.Remove(id);
  if (!removed) return;
  removed_ = std::move(removed);
  UpdateCommands();
  // The next entry down is chosen, as a list does after a delete.
  for (int next = std::max(row, 0); next < model_->rowCount(); ++next) {
    if (model_->EntryId(next) >= 0) {
      Choose(model_->EntryId(next));
      break;
    }
  }
}

void TJournalForm::UndoDelete() {
  if (!removed_ || state_.Journal.ReadOnly()) return;
  const std::int64_t id = state_.Journal.Add(*removed_);
  removed_.reset();
  UpdateCommands();
  if (id > 0) Choose(id);
}

void TJournalForm::AddFollowUp() { view_->AddFollowUp(); }

void TJournalForm::DescribeCard(int index) {
  const std::optional<JournalEntry>& entry = view_->Entry();
  if (!entry || index < 0 || static_cast<std::size_t>(index) >= entry->positions.size()) return;
  const JournalPosition& position = entry->positions[static_cast<std::size_t>(index)];
  if (position.meaning.empty()) {
    links_.viewer.ShowCardDescription(position.cardName, position.card, 0);
  } else {
    links_.viewer.ShowCardAtPosition(position.cardName, position.card, 0, position.meaning);
  }
  links_.viewer.ShowViewer();
}

}  // namespace vaticor
