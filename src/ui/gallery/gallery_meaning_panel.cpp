#include "ui/gallery/gallery_meaning_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/chrome/interface_text.h"

namespace vaticor {

namespace {

// Long enough to save once per pause in the typing, not once per key.
constexpr int kSavePauseMs = 800;

QLabel* PlainLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

std::string Text(const QLineEdit* field) { return field->text().trimmed().toStdString(); }
std::string Text(const QPlainTextEdit* field) { return field->toPlainText().toStdString(); }

}  // namespace

GalleryMeaningPanel::GalleryMeaningPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("GalleryMeaning");
  name_ = PlainLabel(this, "GalleryMeaningCard");
  QFont bold = name_->font();
  bold.setBold(true);
  name_->setFont(bold);
  uprightCaption_ = PlainLabel(this, "GalleryUprightCaption");
  reversedCaption_ = PlainLabel(this, "GalleryReversedCaption");
  uprightKeywords_ = new QLineEdit(this);
  uprightKeywords_->setObjectName("GalleryUprightKeywords");
  reversedKeywords_ = new QLineEdit(this);
  reversedKeywords_->setObjectName("GalleryReversedKeywords");
  uprightNotes_ = new QPlainTextEdit(this);
  uprightNotes_->setObjectName("GalleryUprightNotes");
  reversedNotes_ = new QPlainTextEdit(this);
  reversedNotes_->setObjectName("GalleryReversedNotes");
  for (QPlainTextEdit* notes : {uprightNotes_, reversedNotes_}) notes->setTabChangesFocus(true);
  note_ = PlainLabel(this, "GalleryMeaningNote");
  note_->hide();

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 0, 0, 0);
  column->setSpacing(3);
  column->addWidget(name_);
  column->addWidget(note_);
  column->addWidget(uprightCaption_);
  column->addWidget(uprightKeywords_);
  column->addWidget(uprightNotes_, 1);
  column->addWidget(reversedCaption_);
  column->addWidget(reversedKeywords_);
  column->addWidget(reversedNotes_, 1);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kSavePauseMs);
  connect(pause_, &QTimer::timeout, this, [this] { SaveNow(); });
  for (QLineEdit* keywords : {uprightKeywords_, reversedKeywords_}) {
    connect(keywords, &QLineEdit::textEdited, this, [this] { Edited(); });
  }
  for (QPlainTextEdit* notes : {uprightNotes_, reversedNotes_}) {
    connect(notes, &QPlainTextEdit::textChanged, this, [this] { Edited(); });
  }
  SetEditable(false, QString());
}

void GalleryMeaningPanel::ApplyLanguage(const TLanguageTable& languages) {
  uprightCaption_->setText(CardsText(languages, "OwnUpright", "Прямое положение"));
  reversedCaption_->setText(CardsText(languages, "OwnReversed", "Перевёрнутое положение"));
  const QString keywords = CardsText(languages, "GalleryKeywords", "Ключевые слова");
  uprightKeywords_->setPlaceholderText(keywords);
  reversedKeywords_->setPlaceholderText(keywords);
  const QString notes = CardsText(languages, "GalleryNotes", "Свои заметки о значении карты");
  uprightNotes_->setPlaceholderText(notes);
  reversedNotes_->setPlaceholderText(notes);
  const bool none = name_->text().isEmpty() || name_->text() == noCard_;
  noCard_ = CardsText(languages, "GalleryNoCard", "Выберите карту");
  if (none) name_->setText(noCard_);
}

void GalleryMeaningPanel::Show(const QString& name, std::int32_t identity,
                               const ReaderMeaning& stored) {
  SaveNow();
  identity_ = identity;
  name_->setText(name.isEmpty() ? noCard_ : name);
  Fill(stored);
}

void GalleryMeaningPanel::Refresh(const ReaderMeaning& stored) {
  if (!unsaved_) Fill(stored);
}

void GalleryMeaningPanel::Fill(const ReaderMeaning& meaning) {
  filling_ = true;
  uprightKeywords_->setText(Utf8(meaning.uprightKeywords));
  uprightNotes_->setPlainText(Utf8(meaning.uprightNotes));
  reversedKeywords_->setText(Utf8(meaning.reversedKeywords));
  reversedNotes_->setPlainText(Utf8(meaning.reversedNotes));
  filling_ = false;
  unsaved_ = false;
  pause_->stop();
}

void GalleryMeaningPanel::SetEditable(bool editable, const QString& why) {
  for (QLineEdit* keywords : {uprightKeywords_, reversedKeywords_})
    keywords->setReadOnly(!editable);
  for (QPlainTextEdit* notes : {uprightNotes_, reversedNotes_}) notes->setReadOnly(!editable);
  for (QWidget* field : std::initializer_list<QWidget*>{uprightKeywords_, uprightNotes_,
                                                        reversedKeywords_, reversedNotes_}) {
    field->setEnabled(editable);
  }
  note_->setText(why);
  note_->setVisible(!editable && !why.isEmpty());
}

ReaderMeaning GalleryMeaningPanel::Typed() const {
  ReaderMeaning meaning;
  meaning.identity = identity_;
  meaning.uprightKeywords = Text(uprightKeywords_);
  meaning.uprightNotes = Text(uprightNotes_);
  meaning.reversedKeywords = Text(reversedKeywords_);
  meaning.reversedNotes = Text(reversedNotes_);
  return meaning;
}

void GalleryMeaningPanel::Edited() {
  if (filling_ || identity_ < 0) return;
  unsaved_ = true;
  pause_->start();
}

void GalleryMeaningPanel::SaveNow() {
  pause_->stop();
  if (!unsaved_ || identity_ < 0) return;
  // Marked saved first: a failure shown over the window is not retried at
  // every later pause, and the fields keep what was typed.
  unsaved_ = false;
  if (save_) save_(Typed());
}

}  // namespace vaticor
