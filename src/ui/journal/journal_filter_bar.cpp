#include "ui/journal/journal_filter_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLineEdit>

#include "ui/chrome/interface_text.h"

namespace vaticor {

namespace {

QDateEdit* MakeDate(QWidget* parent, const char* name) {
  auto* edit = new QDateEdit(QDate::currentDate(), parent);
  edit->setObjectName(name);
  edit->setCalendarPopup(true);
  edit->setEnabled(false);
  return edit;
}

}  // namespace

JournalFilterBar::JournalFilterBar(QWidget* parent) : QWidget(parent) {
  setObjectName("JournalFilterBar");
  search_ = new QLineEdit(this);
  search_->setObjectName("JournalSearch");
  search_->setClearButtonEnabled(true);
  tag_ = new QComboBox(this);
  tag_->setObjectName("JournalTagFilter");
  tag_->addItem(QString());
  card_ = new QComboBox(this);
  card_->setObjectName("JournalCardFilter");
  // A name chosen from the list or typed (completed from the list), or a
  // card's number typed.
  card_->setEditable(true);
  card_->setInsertPolicy(QComboBox::NoInsert);
  card_->addItem(QString());
  fromOn_ = new QCheckBox(this);
  fromOn_->setObjectName("JournalFromOn");
  from_ = MakeDate(this, "JournalFrom");
  toOn_ = new QCheckBox(this);
  toOn_->setObjectName("JournalToOn");
  to_ = MakeDate(this, "JournalTo");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(3);
  grid->addWidget(search_, 0, 0, 1, 4);
  grid->addWidget(tag_, 1, 0, 1, 2);
  grid->addWidget(card_, 1, 2, 1, 2);
  grid->addWidget(fromOn_, 2, 0);
  grid->addWidget(from_, 2, 1);
  grid->addWidget(toOn_, 2, 2);
  grid->addWidget(to_, 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto announce = [this] {
    if (!filling_) emit changed();
  };
  connect(search_, &QLineEdit::textChanged, this, announce);
  connect(tag_, &QComboBox::currentIndexChanged, this, announce);
  connect(card_, &QComboBox::currentTextChanged, this, announce);
  connect(from_, &QDateEdit::dateChanged, this, announce);
  connect(to_, &QDateEdit::dateChanged, this, announce);
  connect(fromOn_, &QCheckBox::toggled, this, [this, announce](bool on) {
    from_->setEnabled(on);
    announce();
  });
  connect(toOn_, &QCheckBox::toggled, this, [this, announce](bool on) {
    to_->setEnabled(on);
    announce();
  });
}

JournalFilter JournalFilterBar::Filter() const {
  JournalFilter filter;
  filter.text = search_->text().toStdString();
  filter.tag = tag_->currentIndex() > 0 ? tag_->currentText().toStdString() : std::string();
  const QString card = card_->currentText().trimmed();
  if (!card.isEmpty()) {
    bool number = false;
    const int typed = card.toInt(&number);
    if (number && typed >= 0) {
      filter.card = typed;
    } else {
      const int found = card_->findText(card, Qt::MatchFixedString);
      // A name of no card of the deck: an entry with no card, so nothing.
      filter.card = found > 0 ? card_->itemData(found).toInt() : -1;
    }
  }
  if (fromOn_->isChecked()) filter.from = from_->date().toString(Qt::ISODate).toStdString();
  if (toOn_->isChecked()) filter.to = to_->date().toString(Qt::ISODate).toStdString();
  return filter;
}

void JournalFilterBar::ShowOnlyDay(const QDate& day) {
  filling_ = true;
  search_->clear();
  tag_->setCurrentIndex(0);
  card_->setCurrentIndex(0);
  card_->setEditText(QString());
  from_->setDate(day);
  to_->setDate(day);
  fromOn_->setChecked(true);
  toOn_->setChecked(true);
  filling_ = false;
  emit changed();
}

void JournalFilterBar::SetTags(const std::vector<std::string>& tags) {
  const QString chosen = tag_->currentIndex() > 0 ? tag_->currentText() : QString();
  filling_ = true;
  tag_->setUpdatesEnabled(false);
  while (tag_->count() > 1) tag_->removeItem(tag_->count() - 1);
  QStringList items;
  items.reserve(static_cast<qsizetype>(tags.size()));
  for (const std::string& tag : tags) items << Utf8(tag);
  tag_->addItems(items);
  const int again = chosen.isEmpty() ? 0 : tag_->findText(chosen, Qt::MatchExactly);
  tag_->setCurrentIndex(std::max(again, 0));
  tag_->setUpdatesEnabled(true);
  filling_ = false;
  // The tag chosen is gone: the list shows what the filter now takes.
  if (!chosen.isEmpty() && again <= 0) emit changed();
}

void JournalFilterBar::SetCardNames(const std::vector<std::string>& names) {
  const QString typed = card_->currentText();
  filling_ = true;
  while (card_->count() > 1) card_->removeItem(card_->count() - 1);
  for (std::size_t position = 0; position < names.size(); ++position) {
    card_->addItem(Utf8(names[position]), static_cast<int>(position));
  }
  card_->setCurrentIndex(0);
  card_->setEditText(typed);
  filling_ = false;
}

void JournalFilterBar::SetLocale(const QLocale& locale) {
  for (QDateEdit* edit : {from_, to_}) {
    edit->setLocale(locale);
    edit->setDisplayFormat(locale.dateFormat(QLocale::ShortFormat));
  }
}

void JournalFilterBar::ApplyLanguage(const TLanguageTable& languages) {
  search_->setPlaceholderText(JournalText(languages, "Search", "Искать в дневнике"));
  tag_->setItemText(0, JournalText(languages, "AnyTag", "Любая метка"));
  card_->lineEdit()->setPlaceholderText(JournalText(languages, "AnyCard", "Любая карта"));
  fromOn_->setText(JournalText(languages, "DateFrom", "С"));
  toOn_->setText(JournalText(languages, "DateTo", "По"));
  // The fields a screen reader reaches are named as what stands in or
  // beside them on the screen.
  card_->setAccessibleName(card_->lineEdit()->placeholderText());
  from_->setAccessibleName(fromOn_->text());
  to_->setAccessibleName(toOn_->text());
}

}  // namespace vaticor
