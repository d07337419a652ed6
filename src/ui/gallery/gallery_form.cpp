#include "ui/gallery/gallery_form.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include "library/card_gallery.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/close_hides.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/framed_window.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/window_showing.h"
#include "ui/gallery/gallery_cards.h"
#include "ui/gallery/gallery_meaning_panel.h"
#include "ui/journal_keeper.h"

namespace vaticor {

namespace {

// The readings a card's menu lists, newest first.
constexpr std::size_t kMenuReadings = 5;
// A reading's question in a menu entry, at most this many characters.
constexpr int kMenuQuestionLength = 60;

// A moment's day ("2024-03-14T09:30:05") as the locale writes it short.
QString DayText(const QLocale& locale, const std::string& moment) {
  const QDate day = QDate::fromString(Utf8(moment.substr(0, 10)), Qt::ISODate);
  return day.isValid() ? locale.toString(day, QLocale::ShortFormat) : Utf8(moment);
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation

TGalleryForm::TGalleryForm(ProgramState& state, GalleryWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state), links_(links) {
  setObjectName("GalleryForm");
  UseSkinLook(this, /*navyText=*/true);
  MakeCloseHide(this);
  CreateControls();
  CreateCommands();
  ApplyLanguage();

  const TINIData& ini = state_.INIData;
  setGeometry(ini.GalleryFormLeft, ini.GalleryFormTop, ini.GalleryFormWidth, ini.GalleryFormHeight);
  LayOut();
  chrome_->KeepInShape();

  JournalKeeper& journal = state_.Journal;
  const auto reread = [this] {
    JournalChanged();
    ShowMeaningOfChosen();
  };
  connect(&journal, &JournalKeeper::opened, this, reread);
  connect(&journal, &JournalKeeper::replaced, this, reread);
  connect(&journal, &JournalKeeper::entryAdded, this, [this] { JournalChanged(); });
  connect(&journal, &JournalKeeper::entryChanged, this, [this] { JournalChanged(); });
  connect(&journal, &JournalKeeper::entryRemoved, this, [this] { JournalChanged(); });
  connect(&journal, &JournalKeeper::readerMeaningChanged, this, [this](int identity) {
    const JournalStore* store = state_.Journal.Store();
    if (store && identity == meaning_->Identity()) {
      const ReaderMeaning stored = store->GetReaderMeaning(identity);
      // What was just saved from here comes back as it was typed.
      if (!(stored == meaning_->Typed())) meaning_->Refresh(stored);
    }
  });
}

TGalleryForm::~TGalleryForm() = default;

void TGalleryForm::CreateControls() {
  setMinimumSize(360, 260);
  MakeFramedWindow(this, strip_, frame_, caption_, [this] { Describe(); });

  content_ = new QWidget(this);
  content_->setObjectName("GalleryContent");
  filter_ = new QLineEdit(content_);
  filter_->setObjectName("GalleryFilter");
  filter_->setClearButtonEnabled(true);
  group_ = new QComboBox(content_);
  group_->setObjectName("GalleryGroup");
  for (int group = 0; group < 6; ++group) group_->addItem(QString(), group);
  splitter_ = new QSplitter(Qt::Horizontal, content_);
  splitter_->setObjectName("GallerySplitter");
  splitter_->setChildrenCollapsible(false);
  model_ = new GalleryCardsModel(this);
  model_->SetHintSource([this](std::int32_t position) { return HintOf(position); });
  list_ = new QListView(splitter_);
  list_->setObjectName("GalleryCards");
  list_->setModel(model_);
  list_->setViewMode(QListView::IconMode);
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  // Not uniform: the first card's one-line name would cut every longer
  // name to one line; the grid keeps the places even.
  list_->setUniformItemSizes(false);
  list_->setWordWrap(true);
  list_->setSpacing(4);
  list_->setIconSize(QSize(GalleryCardsModel::kPictureWidth, GalleryCardsModel::kPictureHeight));
  list_->setGridSize(
      QSize(GalleryCardsModel::kPictureWidth + 28, GalleryCardsModel::kPictureHeight + 40));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  UseSkinListColours(list_, SkinNavy(), SkinListBase());
  model_->SetPixelRatio(devicePixelRatioF());
  meaning_ = new GalleryMeaningPanel(splitter_);
  meaning_->OnSave([this](const ReaderMeaning& meaning) { SaveMeaning(meaning); });
  splitter_->addWidget(list_);
  splitter_->addWidget(meaning_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  cardMenu_ = new QMenu(this);
  cardMenu_->setObjectName("GalleryCardMenu");

  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addWidget(filter_, 1);
  top->addWidget(group_);
  auto* column = new QVBoxLayout(content_);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(3);
  column->addLayout(top);
  column->addWidget(splitter_, 1);

  ConnectCommand(filter_, &QLineEdit::textChanged, this, [this] { Refilter(); });
  ConnectCommand(group_, &QComboBox::currentIndexChanged, this, [this] { Refilter(); });
  ConnectCommand(
      list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
      [this](const QModelIndex& current, const QModelIndex&) { RowChosen(current.row()); });
  ConnectCommand(list_, &QListView::clicked, this, [this] { Describe(); });
  ConnectCommand(list_, &QListView::customContextMenuRequested, this,
                 [this](const QPoint& at) { OpenCardMenu(at); });
  ConnectCommand(strip_.close, &TSkinImage::clicked, this, [this] { hide(); });

  TINIData& ini = state_.INIData;
  chrome_ = std::make_unique<SkinChrome>(this, FramedWindowHooks(
                                                   {ini.GalleryFormLeft, ini.GalleryFormTop,
                                                    ini.GalleryFormWidth, ini.GalleryFormHeight},
                                                   frame_, [this] { LayOut(); }, chrome_));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/true);
  frame_.AttachTo(*chrome_, caption_);
  pictures_ = std::make_unique<GalleryPictures>(state_, *model_, this);
}

void TGalleryForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  c.Add("GalleryDescribe", [this] { Describe(); });
  c.BindKeys(list_, {{vk::Return, "GalleryDescribe"}});
  ConnectCommand(strip_.icon, &TSkinImage::clicked, this, [this] {
    if (!chosen_) return;
    const int row = model_->RowOf(*chosen_);
    if (row < 0) return;
    OpenCardMenu(list_->visualRect(model_->index(row)).center());
  });
}

void TGalleryForm::ApplyLanguage() {
  const TLanguageTable& languages = state_.Languages;
  title_ = CardsText(languages, "GalleryTitle", "Галерея карт");
  setWindowTitle(title_);
  const QString describe = InterfaceText(languages, 1026, "Описание карты");
  caption_.SetText(describe);
  (*commands_)["GalleryDescribe"]->setText(describe);
  strip_.ApplyLanguage(languages);
  SetHint(strip_.icon, CardsText(languages, "GalleryMenu", "Расклады с выбранной картой"));
  filter_->setPlaceholderText(
      CardsText(languages, "GalleryFilter", "Номер, название или кратко: 3C, KW, кубк"));
  const char* groups[][2] = {{"GalleryAll", "Все карты"}, {"GalleryMajor", "Старшие арканы"},
                             {"GalleryWands", "Жезлы"},   {"GalleryCups", "Кубки"},
                             {"GallerySwords", "Мечи"},   {"GalleryPentacles", "Пентакли"}};
  for (int group = 0; group < 6; ++group) {
    group_->setItemText(group, CardsText(languages, groups[group][0], groups[group][1]));
  }
  meaning_->ApplyLanguage(languages);
  model_->ForgetHints();
  UpdateEditable();
  if (chrome_) {
    LayOut();
    chrome_->KeepInShape();
  }
}

// ---------------------------------------------------------------------------
// Layout and showing

void TGalleryForm::LayOut() {
  FramedWindow{strip_, frame_, caption_, content_}.LayOut(title_, width(), height());
}

void TGalleryForm::ShowGallery() {
  if (deckStale_) LoadDeck();
  TINIData& ini = state_.INIData;
  ClearTitleStripAtFirstShow(this, firstShown_, ini.GalleryFormPlaceStored,
                             links_.main.TitleStripOnScreen(), state_.Screen.Width(),
                             ini.TaskBarTop(), ini.GalleryFormLeft, ini.GalleryFormTop);
  // A window this large may find no place clear of the strip but one
  // partly off the screen: it is brought wholly on the screen.
  PlaceWhollyOnScreen(this, ini.GalleryFormLeft, ini.GalleryFormTop, state_.Screen.Width(),
                      ini.TaskBarTop());
  ShowAndActivate(this);
  LayOut();
  RequestPictures();
  filter_->setFocus();
}

void TGalleryForm::hideEvent(QHideEvent* event) {
  RunCommand(this, [this] { SaveEdits(); });
  QWidget::hideEvent(event);
}

void TGalleryForm::SaveEdits() { meaning_->SaveNow(); }

std::optional<std::int32_t> TGalleryForm::ChosenCard() const { return chosen_; }

int TGalleryForm::PicturesPending() const { return pictures_->Pending(); }

// ---------------------------------------------------------------------------
// The deck and its cards

void TGalleryForm::DeckChanged(DeckChoice) {
  deckStale_ = true;
  if (isVisible()) {
    LoadDeck();
    RequestPictures();
  }
}

void TGalleryForm::DeckListReloaded() { installed_.reset(); }

void TGalleryForm::LoadDeck() {
  deckStale_ = false;
  TTaroDecks& decks = state_.TaroDecks;
  names_ = decks.GetCardNames();
  identities_ = decks.GetCardIdentities();
  names_.resize(identities_.size());
  std::vector<GalleryCardsModel::Card> cards;
  bool anyIdentity = false;
  for (std::size_t p = 0; p < identities_.size(); ++p) {
    cards.push_back({static_cast<std::int32_t>(p), identities_[p], Utf8(names_[p])});
    anyIdentity = anyIdentity || identities_[p] >= 0;
  }
  pictures_->Reset();
  model_->SetDeck(std::move(cards));
  // A deck of another composition has no groups to choose.
  group_->setEnabled(anyIdentity);
  if (!anyIdentity) group_->setCurrentIndex(0);
  chosen_.reset();
  Refilter();
  ShowMeaningOfChosen();
}

void TGalleryForm::Refilter() {
  const std::string typed = filter_->text().toStdString();
  if (!typed.empty() && !installed_) installed_ = InstalledCardNames(state_.TaroDecks);
  const std::vector<CardName> none;
  const auto group = static_cast<GalleryGroup>(std::max(0, group_->currentIndex()));
  model_->SetShown(
      GalleryPositions(typed, group, identities_, names_, installed_ ? *installed_ : none));
  if (chosen_) {
    const int row = model_->RowOf(*chosen_);
    if (row >= 0) {
      list_->selectionModel()->setCurrentIndex(model_->index(row),
                                               QItemSelectionModel::ClearAndSelect);
    }
  }
}

void TGalleryForm::RequestPictures() {
  if (!isVisible()) return;
  // The rows on show now, laid out first: the layouts and the view lay
  // themselves out late, and a window just shown has not yet.
  content_->layout()->activate();
  list_->doItemsLayout();
  const QRect shown = list_->viewport()->rect();
  std::vector<std::int32_t> first;
  for (int row = 0; row < model_->rowCount(); ++row) {
    const QModelIndex index = model_->index(row);
    if (list_->visualRect(index).intersects(shown)) first.push_back(model_->CardAt(row)->position);
  }
  pictures_->Request(first, devicePixelRatioF());
}

void TGalleryForm::RowChosen(int row) {
  const GalleryCardsModel::Card* card = model_->CardAt(row);
  if (!card || (chosen_ && *chosen_ == card->position)) return;
  chosen_ = card->position;
  ShowMeaningOfChosen();
}

void TGalleryForm::Describe() {
  if (!chosen_) {
    const GalleryCardsModel::Card* card = model_->CardAt(list_->currentIndex().row());
    if (!card) return;
    chosen_ = card->position;
  }
  const std::int32_t position = *chosen_;
  if (position < 0 || position >= static_cast<std::int32_t>(names_.size())) return;
  links_.viewer.ShowCardDescription(names_[static_cast<std::size_t>(position)], position, 0);
  links_.viewer.ShowViewer();
}

// ---------------------------------------------------------------------------
// The journal

QString TGalleryForm::HintOf(std::int32_t position) const {
  const QString name = position < static_cast<std::int32_t>(names_.size())
                           ? Utf8(names_[static_cast<std::size_t>(position)])
                           : QString();
  const JournalStore* store = state_.Journal.Store();
  if (!store) return PlainHint(name);
  const TLanguageTable& languages = state_.Languages;
  const JournalFilter filter{.card = position};
  const std::size_t count = store->Count(filter);
  if (count == 0) {
    return PlainHint(
        name + u'\n' +
        CardsText(languages, "GalleryNoReadings", "В дневнике нет раскладов с этой картой"));
  }
  QString hint = name + u'\n' +
                 WithSubject(CardsText(languages, "GalleryCount", "Раскладов с этой картой: %1"),
                             QString::number(count));
  const std::vector<JournalEntry> last = store->List(filter, 0, 1);
  if (!last.empty()) {
    const QLocale locale = InterfaceLocale(state_.INIData.Language);
    hint += u'\n' + WithSubject(CardsText(languages, "GalleryLast", "Последний: %1"),
                                DayText(locale, last.front().moment));
  }
  // A deck's names are characters, never markup.
  return PlainHint(hint);
}

void TGalleryForm::OpenCardMenu(const QPoint& at) {
  const QModelIndex index = list_->indexAt(at);
  if (index.isValid()) list_->setCurrentIndex(index);
  if (!chosen_) return;
  const TLanguageTable& languages = state_.Languages;
  cardMenu_->clear();
  cardMenu_->addAction((*commands_)["GalleryDescribe"]);
  cardMenu_->addSeparator();
  const JournalStore* store = state_.Journal.Store();
  const std::vector<JournalEntry> readings =
      store ? store->List(JournalFilter{.card = *chosen_}, 0, kMenuReadings)
            : std::vector<JournalEntry>();
  if (readings.empty()) {
    cardMenu_
        ->addAction(
            CardsText(languages, "GalleryNoReadings", "В дневнике нет раскладов с этой картой"))
        ->setEnabled(false);
  } else {
    // A caption of its own: the menus' style sheet draws a section as a line.
    cardMenu_
        ->addAction(CardsText(languages, "GalleryLastReadings", "Последние расклады с этой картой"))
        ->setEnabled(false);
    const QLocale locale = InterfaceLocale(state_.INIData.Language);
    for (const JournalEntry& entry : readings) {
      QString text = DayText(locale, entry.moment);
      QString said = Utf8(entry.question.empty() ? entry.spreadFile : entry.question);
      if (said.isEmpty() && entry.kind == JournalKind::kDayCard) {
        said = JournalText(languages, "DayCard", "Карта дня");
      }
      if (!said.isEmpty()) {
        said = said.simplified();
        if (said.size() > kMenuQuestionLength) said = said.left(kMenuQuestionLength) + u'…';
        text += QStringLiteral(" — ") + said;
      }
      // A menu entry's "&" marks its key; the question's own are characters.
      text.replace(u'&', QStringLiteral("&&"));
      const std::int64_t id = entry.id;
      QAction* action = cardMenu_->addAction(text);
      ConnectCommand(action, &QAction::triggered, this,
                     [this, id] { links_.journal.ShowJournalEntry(id); });
    }
  }
  cardMenu_->popup(list_->viewport()->mapToGlobal(at));
}

void TGalleryForm::SaveMeaning(const ReaderMeaning& meaning) {
  RunJournalCommand(this, state_.Languages,
                    [this, &meaning] { state_.Journal.SetReaderMeaning(meaning); });
}

void TGalleryForm::ShowMeaningOfChosen() {
  std::int32_t identity = -1;
  QString name;
  if (chosen_ && *chosen_ < static_cast<std::int32_t>(identities_.size())) {
    identity = identities_[static_cast<std::size_t>(*chosen_)];
    name = Utf8(names_[static_cast<std::size_t>(*chosen_)]);
  }
  const JournalStore* store = state_.Journal.Store();
  ReaderMeaning stored;
  if (store && identity >= 0) stored = store->GetReaderMeaning(identity);
  meaning_->Show(name, identity, stored);
  UpdateEditable();
}

void TGalleryForm::UpdateEditable() {
  const JournalKeeper& journal = state_.Journal;
  const TLanguageTable& languages = state_.Languages;
  QString why;
  if (!chosen_) {
    why = QString();
  } else if (!journal.IsOpen()) {
    why = JournalText(languages, "NotOpen", "Дневник ещё не открыт");
  } else if (journal.ReadOnly()) {
    why =
        JournalText(languages, "ReadOnly", "Дневник открыт только для чтения: изменить его нельзя");
  } else if (meaning_->Identity() < 0) {
    why = CardsText(languages, "GalleryNoIdentity",
                    "Свои значения хранятся для карт колоды из 78 карт; эту карту колода не "
                    "сопоставила ни с одной из них");
  }
  const bool editable =
      chosen_ && journal.IsOpen() && !journal.ReadOnly() && meaning_->Identity() >= 0;
  meaning_->SetEditable(editable, why);
}

void TGalleryForm::JournalChanged() {
  model_->ForgetHints();
  UpdateEditable();
}

}  // namespace vaticor
