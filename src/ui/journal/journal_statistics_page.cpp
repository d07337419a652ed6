#include "ui/journal/journal_statistics_page.h"

#include <QBuffer>
#include <QChart>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "platform/picture_image.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_style.h"
#include "ui/content_signals.h"
#include "ui/journal/journal_chart.h"
#include "ui/journal/journal_list_model.h"
#include "ui/journal/journal_statistics_charts.h"
#include "ui/journal_keeper.h"

namespace vaticor {

namespace {

// The picture in a card's hint.
constexpr PictureSize kHintPicture{60, 100};
// Heights of the charts: a chart of bars is as tall as its bars need for
// their names to fit beside them (Qt Charts shows "..." for a name taller
// than its bar's room, its text item's margins of 4 pixels counted).
constexpr int kChart = 260;
int HeightForBars(const QWidget* chart, std::size_t bars) {
  const int perBar = chart->fontMetrics().lineSpacing() + 14;
  return std::max(kChart, perBar * static_cast<int>(bars) + 120);
}

// Recurring cards: at least N of the last M entries, by default 3 of 10.
constexpr int kAtLeast = 3;
constexpr int kOfLast = 10;
constexpr int kMostOfLast = 1000;
constexpr int kEntryRole = Qt::UserRole;

}  // namespace

JournalStatisticsPage::JournalStatisticsPage(ProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state), noDecoding_(std::make_unique<NamingOnlyLoader>()) {
  setObjectName("JournalStatistics");
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("JournalStatisticsScroll");
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* inner = new QWidget(scroll);
  inner->setObjectName("JournalStatisticsInner");
  scroll->setWidget(inner);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);

  summary_ = new QLabel(inner);
  summary_->setObjectName("JournalStatisticsSummary");
  summary_->setTextFormat(Qt::PlainText);
  mostDrawn_ = new JournalChart("JournalMostDrawn", inner);
  mostDrawn_->setMinimumHeight(kChart);
  balance_ = new JournalChart("JournalBalance", inner);
  balance_->setMinimumHeight(kChart);
  periods_ = new JournalChart("JournalPeriods", inner);
  periods_->setMinimumHeight(kChart);
  uses_ = new JournalChart("JournalUses", inner);
  uses_->setMinimumHeight(kChart);
  unitChoice_ = new QComboBox(inner);
  unitChoice_->setObjectName("JournalPeriodUnit");
  unitChoice_->setSizeAdjustPolicy(
      QComboBox::AdjustToContents);  // captions change with the language
  unitChoice_->addItem(QString(), static_cast<int>(PeriodUnit::kWeek));
  unitChoice_->addItem(QString(), static_cast<int>(PeriodUnit::kMonth));

  auto* recurring = new QWidget(inner);
  recurringTitle_ = new QLabel(recurring);
  recurringTitle_->setTextFormat(Qt::PlainText);
  QFont bold = recurringTitle_->font();
  bold.setBold(true);
  recurringTitle_->setFont(bold);
  atLeastLabel_ = new QLabel(recurring);
  ofLastLabel_ = new QLabel(recurring);
  atLeast_ = new QSpinBox(recurring);
  atLeast_->setObjectName("JournalRecurringAtLeast");
  atLeast_->setRange(1, kMostOfLast);
  atLeast_->setValue(kAtLeast);
  ofLast_ = new QSpinBox(recurring);
  ofLast_->setObjectName("JournalRecurringOfLast");
  ofLast_->setRange(1, kMostOfLast);
  ofLast_->setValue(kOfLast);
  recurringList_ = new QTreeWidget(recurring);
  recurringList_->setObjectName("JournalRecurringList");
  recurringList_->setHeaderHidden(true);
  recurringList_->setColumnCount(1);
  UseSkinListColours(recurringList_, SkinNavy(), SkinListBase());
  auto* choice = new QHBoxLayout;
  choice->addWidget(atLeastLabel_);
  choice->addWidget(atLeast_);
  choice->addWidget(ofLastLabel_);
  choice->addWidget(ofLast_);
  choice->addStretch(1);
  auto* recurringColumn = new QVBoxLayout(recurring);
  recurringColumn->setContentsMargins(0, 0, 0, 0);
  recurringColumn->addWidget(recurringTitle_);
  recurringColumn->addLayout(choice);
  recurringColumn->addWidget(recurringList_, 1);
  recurring->setMinimumHeight(kChart);

  auto* grid = new QGridLayout(inner);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(6);
  grid->addWidget(summary_, 0, 0, 1, 2);
  grid->addWidget(mostDrawn_, 1, 0, 2, 1);
  grid->addWidget(balance_, 1, 1);
  grid->addWidget(recurring, 2, 1);
  auto* unitRow = new QHBoxLayout;
  unitRow->addStretch(1);
  unitRow->addWidget(unitChoice_);
  grid->addLayout(unitRow, 3, 0, 1, 2);
  grid->addWidget(periods_, 4, 0, 1, 2);
  grid->addWidget(uses_, 5, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);

  ConnectCommand(unitChoice_, &QComboBox::activated, this, [this] {
    unit_ = static_cast<PeriodUnit>(unitChoice_->currentData().toInt());
    stale_ = true;
    RecountWhenShown();
  });
  const auto recurringChanged = [this] {
    RunJournalCommand(this, state_.Languages, [this] {
      CountRecurring();
      DrawRecurring();
    });
  };
  connect(atLeast_, &QSpinBox::valueChanged, this, recurringChanged);
  connect(ofLast_, &QSpinBox::valueChanged, this, recurringChanged);
  // The cards' names come from the deck in use, the decks' sizes from those
  // installed: counted again when either changes.
  connect(&state_.ContentChanges, &ContentSignals::deckChanged, this, [this] { JournalChanged(); });
  connect(&state_.ContentChanges, &ContentSignals::deckListReloaded, this,
          [this] { JournalChanged(); });
  ConnectCommand(recurringList_, &QTreeWidget::itemClicked, this,
                 [this](QTreeWidgetItem* item, int) { ItemChosen(item); });
  ConnectCommand(recurringList_, &QTreeWidget::itemActivated, this,
                 [this](QTreeWidgetItem* item, int) { ItemChosen(item); });
}

JournalStatisticsPage::~JournalStatisticsPage() = default;

void JournalStatisticsPage::ApplyLanguage(const TLanguageTable& languages, const QLocale& locale) {
  locale_ = locale;
  for (JournalChart* chart : {mostDrawn_, balance_, periods_, uses_}) {
    chart->ApplyLanguage(languages);
  }
  unitChoice_->setItemText(0, JournalText(languages, "ByWeek", "По неделям"));
  unitChoice_->setItemText(1, JournalText(languages, "ByMonth", "По месяцам"));
  recurringTitle_->setText(JournalText(languages, "TitleRecurring", "Повторяющиеся карты"));
  atLeastLabel_->setText(JournalText(languages, "RecurringAtLeast", "Не менее чем в"));
  ofLastLabel_->setText(JournalText(languages, "RecurringOfLast", "из последних записей:"));
  atLeast_->setLocale(locale);
  ofLast_->setLocale(locale);
  // Captions and numbers in the new language.
  hints_.clear();
  if (isVisible()) {
    Draw();
  } else {
    stale_ = true;
  }
}

// ---------------------------------------------------------------------------
// Counting

void JournalStatisticsPage::SetFilter(const JournalFilter& filter) {
  filter_ = filter;
  stale_ = true;
  RecountWhenShown();
}

void JournalStatisticsPage::JournalChanged() {
  stale_ = true;
  RecountWhenShown();
}

void JournalStatisticsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RecountWhenShown();
}

void JournalStatisticsPage::RecountWhenShown() {
  if (!stale_ || !isVisible()) return;
  RunJournalCommand(this, state_.Languages, [this] {
    Recount();
    Draw();
  });
}

void JournalStatisticsPage::Recount() {
  stale_ = false;
  deckSizes_.clear();
  hints_.clear();
  cardNames_ = state_.TaroDecks.GetCardNames();
  statistics_ = {};
  recurring_.clear();
  const JournalStore* store = state_.Journal.Store();
  if (!store) return;
  StatisticsOptions options;
  options.unit = unit_;
  statistics_ = ComputeStatistics(
      store->Tally(filter_), [this](const std::string& folder) { return DeckSize(folder); },
      [this](std::int32_t card) { return CardName(card); }, options);
  CountRecurring();
}

std::optional<std::int32_t> JournalStatisticsPage::DeckSize(const std::string& folder) {
  const auto known = deckSizes_.find(folder);
  if (known != deckSizes_.end()) return known->second;
  std::optional<std::int32_t> size;
  if (std::unique_ptr<TTaroDecks> deck = RecordedDeck(state_.TaroDecks, folder, *noDecoding_)) {
    deck->SelectDeck(0);
    size = deck->PresentCards();
  }
  deckSizes_[folder] = size;
  return size;
}

std::string JournalStatisticsPage::CardName(std::int32_t card) {
  if (card < 0 || static_cast<std::size_t>(card) >= cardNames_.size()) return {};
  return cardNames_[static_cast<std::size_t>(card)];
}

void JournalStatisticsPage::CountRecurring() {
  recurring_.clear();
  const JournalStore* store = state_.Journal.Store();
  if (!store) return;
  const std::vector<JournalRecentCard> recent =
      store->RecentCards(filter_, static_cast<std::size_t>(ofLast_->value()));
  recurring_ = RecurringCards(recent, static_cast<std::size_t>(atLeast_->value()),
                              [this](std::int32_t card) { return CardName(card); });
}

// ---------------------------------------------------------------------------
// Drawing

void JournalStatisticsPage::Draw() {
  const TLanguageTable& languages = state_.Languages;
  const StatisticsWords words = StatisticsWordsOf(languages);
  const QString none = JournalText(languages, "NoReadingsToCount", "Нет записей для подсчёта");
  const JournalStatistics& s = statistics_;
  summary_->setText(
      s.readings == 0
          ? none
          : JournalText(languages, "StatisticsSummary", "Записей: %1, карт в них: %2")
                .arg(locale_.toString(qint64{s.readings}), locale_.toString(qint64{s.cards})));
  const auto show = [&](JournalChart* chart, BuiltChart built, const char* key, const char* russian,
                        const QString& empty) {
    if (!built.chart) {
      chart->SetNote(empty);
      return;
    }
    built.chart->setTitle(JournalText(languages, key, russian));
    chart->SetChart(built.chart, std::move(built.numbers));
  };
  mostDrawn_->setMinimumHeight(HeightForBars(mostDrawn_, s.mostDrawn.size()));
  uses_->setMinimumHeight(
      HeightForBars(uses_, s.decks.size() + s.descriptions.size() + s.layouts.size()));
  show(mostDrawn_,
       MostDrawnChart(s, words, locale_, [this](const CardCount& card) { return CardHint(card); }),
       "TitleMostDrawn", "Чаще всего выпадавшие карты", none);
  const ArcanaBalance& b = s.balance;
  show(balance_, BalanceChart(b, words, locale_), "TitleBalance",
       "Старшие и младшие арканы, масти: выпало и ожидается случайно",
       s.readings == 0
           ? none
           : JournalText(languages, "NoKnownComposition", "Нет карт из колод известного состава"));
  if (s.readings > 0) {
    QString remark =
        JournalText(languages, "BalanceBasis",
                    "Записей: %1, карт: %2; не учтено карт: %3 (их колод больше нет "
                    "или колоды другого состава)")
            .arg(locale_.toString(qint64{b.readings}), locale_.toString(qint64{b.cards}),
                 locale_.toString(qint64{b.cardsLeftOut}));
    const auto marked = [](const GroupBalance& g) { return g.moreThanChance; };
    if (marked(b.major) || std::any_of(b.suits.begin(), b.suits.end(), marked)) {
      remark += u'\n' + QStringLiteral("* ") + words.moreThanChance;
    }
    balance_->SetRemark(remark);
  }
  show(periods_, PeriodsChart(s, words, locale_), "TitleOverTime",
       "Записи и доля перевёрнутых карт во времени", none);
  unitChoice_->setCurrentIndex(s.unit == PeriodUnit::kWeek ? 0 : 1);
  unitChoice_->setEnabled(s.readings > 0);
  show(uses_,
       UsesChart(s, words, locale_,
                 [this](const std::string& folder) {
                   const std::vector<std::string>& folders = state_.TaroDecks.Folders;
                   const auto at = std::find(folders.begin(), folders.end(), folder);
                   const std::size_t index = static_cast<std::size_t>(at - folders.begin());
                   if (at != folders.end() && index < state_.TaroDecks.DisplayNames.size() &&
                       !state_.TaroDecks.DisplayNames[index].empty()) {
                     return Utf8(state_.TaroDecks.DisplayNames[index]);
                   }
                   return Utf8(folder);
                 }),
       "TitleUses", "Колоды, описания и расклады", none);
  DrawRecurring();
}

void JournalStatisticsPage::DrawRecurring() {
  const TLanguageTable& languages = state_.Languages;
  recurringList_->clear();
  if (recurring_.empty()) {
    auto* item = new QTreeWidgetItem(recurringList_);
    item->setText(0, statistics_.readings == 0
                         ? JournalText(languages, "NoReadingsToCount", "Нет записей для подсчёта")
                         : JournalText(languages, "NoRecurring", "Таких карт нет"));
    item->setFlags(Qt::ItemIsEnabled);
    return;
  }
  const QString times = JournalText(languages, "RecurringTimes", "%1: в %2 записях");
  for (const RecurringCard& card : recurring_) {
    auto* item = new QTreeWidgetItem(recurringList_);
    const QString name = card.name.empty() ? u'#' + QString::number(card.card) : Utf8(card.name);
    item->setText(0, times.arg(name, locale_.toString(static_cast<qint64>(card.entries.size()))));
    for (std::size_t i = 0; i < card.entries.size() && i < card.moments.size(); ++i) {
      auto* entry = new QTreeWidgetItem(item);
      entry->setText(0, JournalDayText(locale_, card.moments[i]) + u' ' +
                            JournalTimeText(locale_, card.moments[i]));
      entry->setData(0, kEntryRole, QVariant::fromValue<qint64>(card.entries[i]));
    }
  }
  // The first card's entries open at once: the answer is in them.
  recurringList_->topLevelItem(0)->setExpanded(true);
}

void JournalStatisticsPage::ItemChosen(QTreeWidgetItem* item) {
  if (!item) return;
  const QVariant id = item->data(0, kEntryRole);
  if (id.isValid()) emit entryChosen(id.toLongLong());
}

QString JournalStatisticsPage::CardHint(const CardCount& card) {
  const auto known = hints_.find(card.card);
  if (known != hints_.end()) return known->second;
  const TLanguageTable& languages = state_.Languages;
  QString text = QStringLiteral("<b>%1</b><br>%2: %3<br>%4: %5")
                     .arg(Utf8(card.name).toHtmlEscaped(),
                          JournalText(languages, "ChartUpright", "Прямые").toHtmlEscaped(),
                          locale_.toString(qint64{card.upright}),
                          JournalText(languages, "ChartReversed", "Перевёрнутые").toHtmlEscaped(),
                          locale_.toString(qint64{card.reversed}));
  try {
    // The card's picture in the deck in use, small, inside the hint itself.
    if (std::unique_ptr<Picture> picture =
            state_.TaroDecks.GetCardPicture(card.card, kHintPicture)) {
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (ToQImage(*picture).save(&buffer, "PNG")) {
        text = QStringLiteral(
                   "<table><tr><td><img src=\"data:image/png;base64,%1\"></td>"
                   "<td>%2</td></tr></table>")
                   .arg(QString::fromLatin1(png.toBase64()), text);
      }
    }
  } catch (const std::exception&) {
    // A picture of a kind no decoder reads: the hint goes without it.
  }
  hints_[card.card] = text;
  return text;
}

}  // namespace vaticor
