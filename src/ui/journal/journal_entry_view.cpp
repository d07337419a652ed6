#include "ui/journal/journal_entry_view.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/chrome/interface_text.h"
#include "ui/journal/journal_cards.h"
#include "ui/journal/journal_list_model.h"
#include "ui/journal_keeper.h"

namespace vaticor {

namespace {

QLabel* MakeCaption(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QToolButton* MakeButton(QWidget* parent, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return button;
}

}  // namespace

std::vector<std::string> TagsOfText(const QString& text) {
  std::vector<std::string> tags;
  for (const QString& tag : text.split(u',')) tags.push_back(tag.toStdString());
  return NormaliseTags(tags);
}

QString TextOfTags(const std::vector<std::string>& tags) {
  QStringList words;
  for (const std::string& tag : tags) words << Utf8(tag);
  return words.join(QStringLiteral(", "));
}

JournalEntryView::JournalEntryView(ProgramState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
  setObjectName("JournalEntryView");
  saveTimer_.setSingleShot(true);
  saveTimer_.setInterval(kSavePauseMs);
  connect(&saveTimer_, &QTimer::timeout, this, [this] { SaveNow(); });

  moment_ = MakeCaption(this, "JournalMoment");
  QFont bold = moment_->font();
  bold.setBold(true);
  moment_->setFont(bold);
  physical_ = MakeCaption(this, "JournalPhysical");
  physical_->hide();
  questionCaption_ = MakeCaption(this, "JournalQuestionCaption");
  question_ = new QLineEdit(this);
  question_->setObjectName("JournalQuestion");
  cards_ = new JournalCards(state_, this);
  auto* cardsArea = new QScrollArea(this);
  cardsArea->setObjectName("JournalCardsArea");
  cardsArea->setWidget(cards_);
  cardsArea->setWidgetResizable(true);
  cardsArea->setFrameShape(QFrame::NoFrame);
  cardsArea->setMinimumHeight(JournalCards::kCardHeight + 40);
  notesCaption_ = MakeCaption(this, "JournalNotesCaption");
  notes_ = new QPlainTextEdit(this);
  notes_->setObjectName("JournalNotes");
  followUpsCaption_ = MakeCaption(this, "JournalFollowUpsCaption");
  followUps_ = new QListWidget(this);
  followUps_->setObjectName("JournalFollowUps");
  followUps_->setWordWrap(true);
  followUps_->setMaximumHeight(90);
  // On a small screen the notes and follow-ups give way first, the cards
  // keep their row.
  notes_->setMinimumHeight(40);
  followUps_->setMinimumHeight(40);
  followUpText_ = new QLineEdit(this);
  followUpText_->setObjectName("JournalFollowUpText");
  addFollowUp_ = MakeButton(this, "JournalAddFollowUp");
  tagsCaption_ = MakeCaption(this, "JournalTagsCaption");
  tags_ = new QLineEdit(this);
  tags_->setObjectName("JournalTags");
  tagCompleter_ = new QCompleter(new QStringListModel(this), this);
  tagCompleter_->setCaseSensitivity(Qt::CaseInsensitive);
  tagCompleter_->setWidget(tags_);
  readOnly_ = MakeCaption(this, "JournalReadOnly");
  readOnly_->setWordWrap(true);
  readOnly_->hide();
  layAgain_ = MakeButton(this, "JournalLayAgainButton");
  remove_ = MakeButton(this, "JournalDeleteButton");
  undo_ = MakeButton(this, "JournalUndoButton");

  auto* followUpRow = new QHBoxLayout;
  followUpRow->addWidget(followUpText_, 1);
  followUpRow->addWidget(addFollowUp_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(layAgain_);
  buttons->addStretch(1);
  buttons->addWidget(undo_);
  buttons->addWidget(remove_);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 2, 2, 2);
  column->setSpacing(2);
  column->addWidget(moment_);
  column->addWidget(physical_);
  column->addWidget(questionCaption_);
  column->addWidget(question_);
  column->addWidget(cardsArea, 1);
  column->addWidget(notesCaption_);
  column->addWidget(notes_, 2);
  column->addWidget(followUpsCaption_);
  column->addWidget(followUps_);
  column->addLayout(followUpRow);
  column->addWidget(tagsCaption_);
  column->addWidget(tags_);
  column->addWidget(readOnly_);
  column->addLayout(buttons);

  connect(question_, &QLineEdit::textEdited, this, [this] { Edited(); });
  connect(notes_, &QPlainTextEdit::textChanged, this, [this] { Edited(); });
  connect(tags_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Edited();
    CompleteTag(text);
  });
  connect(tagCompleter_, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& tag) {
            const QString text = tags_->text();
            const qsizetype cut = text.lastIndexOf(u',');
            tags_->setText(cut < 0 ? tag : text.left(cut + 1) + u' ' + tag);
            Edited();
          });
  connect(cards_, &JournalCards::cardClicked, this, &JournalEntryView::cardClicked);
  Show(std::nullopt);
}

void JournalEntryView::SetCommands(const Commands& commands) {
  layAgain_->setDefaultAction(commands.layAgain);
  remove_->setDefaultAction(commands.remove);
  undo_->setDefaultAction(commands.undo);
  addFollowUp_->setDefaultAction(commands.addFollowUp);
  // The field's Enter adds what it holds.
  connect(followUpText_, &QLineEdit::returnPressed, commands.addFollowUp, &QAction::trigger);
}

void JournalEntryView::Show(std::optional<JournalEntry> entry) {
  SaveNow();
  entry_ = std::move(entry);
  showing_ = true;
  if (entry_) {
    moment_->setText(JournalMomentText(locale_, entry_->moment));
    ShowTexts(*entry_);
  } else {
    moment_->clear();
    question_->clear();
    notes_->clear();
    tags_->clear();
    followUps_->clear();
  }
  followUpText_->clear();
  showing_ = false;
  // A reading laid with the reader's own deck says so: its cards were named, not drawn.
  physical_->setVisible(entry_ && entry_->physical);
  cards_->Show(entry_ ? &*entry_ : nullptr, reversedMark_);
  EnableControls();
}

void JournalEntryView::ShowTexts(const JournalEntry& entry) {
  // Only what differs: a field being typed in keeps its cursor.
  const QString question = Utf8(entry.question);
  if (question_->text() != question) question_->setText(question);
  const QString notes = Utf8(entry.notes);
  if (notes_->toPlainText() != notes) notes_->setPlainText(notes);
  if (TagsOfText(tags_->text()) != entry.tags) tags_->setText(TextOfTags(entry.tags));
  ShowFollowUps(entry);
}

void JournalEntryView::ShowFollowUps(const JournalEntry& entry) {
  followUps_->clear();
  for (const JournalFollowUp& followUp : entry.followUps) {
    followUps_->addItem(JournalMomentText(locale_, followUp.moment) + QStringLiteral(" \u2014 ") +
                        Utf8(followUp.text));
  }
  if (followUps_->count() > 0) followUps_->scrollToBottom();
}

void JournalEntryView::Refresh(const JournalEntry& stored) {
  if (!entry_ || entry_->id != stored.id || pending_) return;
  const bool cardsChanged =
      entry_->positions != stored.positions || entry_->deckFolder != stored.deckFolder;
  entry_ = stored;
  showing_ = true;
  moment_->setText(JournalMomentText(locale_, stored.moment));
  ShowTexts(stored);
  showing_ = false;
  if (cardsChanged) cards_->Show(&*entry_, reversedMark_);
}

void JournalEntryView::Edited() {
  if (showing_ || !entry_ || !editable_) return;
  entry_->question = question_->text().toStdString();
  entry_->notes = notes_->toPlainText().toStdString();
  entry_->tags = TagsOfText(tags_->text());
  pending_ = true;
  saveTimer_.start();
}

void JournalEntryView::SaveNow() {
  saveTimer_.stop();
  if (!pending_ || !entry_) return;
  pending_ = false;
  emit save(*entry_);
}

void JournalEntryView::AddFollowUp() {
  const QString text = followUpText_->text().trimmed();
  if (!entry_ || !editable_ || text.isEmpty()) return;
  entry_->followUps.push_back({JournalMomentNow(), text.toStdString()});
  followUpText_->clear();
  ShowFollowUps(*entry_);
  pending_ = true;
  SaveNow();
}

void JournalEntryView::SetEditable(bool editable, const QString& why) {
  // Leaving the edits of a journal that has become read-only unsaved.
  if (!editable) {
    saveTimer_.stop();
    pending_ = false;
  }
  editable_ = editable;
  readOnly_->setText(why);
  readOnly_->setVisible(!editable && !why.isEmpty());
  EnableControls();
}

void JournalEntryView::EnableControls() {
  const bool editing = editable_ && entry_.has_value();
  question_->setReadOnly(!editing);
  notes_->setReadOnly(!editing);
  tags_->setReadOnly(!editing);
  followUpText_->setEnabled(editing);
  question_->setEnabled(entry_.has_value());
  notes_->setEnabled(entry_.has_value());
  tags_->setEnabled(entry_.has_value());
}

void JournalEntryView::SetTagCompletions(const std::vector<std::string>& tags) {
  QStringList words;
  words.reserve(static_cast<qsizetype>(tags.size()));
  for (const std::string& tag : tags) words << Utf8(tag);
  static_cast<QStringListModel*>(tagCompleter_->model())->setStringList(words);
}

void JournalEntryView::CompleteTag(const QString& text) {
  const QString last = text.section(u',', -1).trimmed();
  if (last.isEmpty()) {
    tagCompleter_->popup()->hide();
    return;
  }
  tagCompleter_->setCompletionPrefix(last);
  if (tagCompleter_->completionCount() > 0) {
    tagCompleter_->complete();
  } else {
    tagCompleter_->popup()->hide();
  }
}

void JournalEntryView::ApplyLanguage(const TLanguageTable& languages) {
  reversedMark_ = JournalText(languages, "ReversedMark", "(перевёрнута)");
  physical_->setText(CardsText(languages, "EntryPhysical", "Разложено своей колодой"));
  questionCaption_->setText(JournalText(languages, "Question", "Вопрос"));
  notesCaption_->setText(JournalText(languages, "Notes", "Заметки"));
  followUpsCaption_->setText(JournalText(languages, "FollowUps", "Дополнения"));
  followUpText_->setPlaceholderText(
      JournalText(languages, "FollowUpHint", "Новое дополнение к раскладу"));
  tagsCaption_->setText(JournalText(languages, "Tags", "Метки (через запятую)"));
  if (entry_) {
    moment_->setText(JournalMomentText(locale_, entry_->moment));
    ShowFollowUps(*entry_);
    cards_->Show(&*entry_, reversedMark_);
  }
}

}  // namespace vaticor
