#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "languages/language_table.h"
#include "library/journal.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace vaticor {

// The reader's own meaning of the card chosen in the gallery, as plain
// text: keywords and notes for the card upright and reversed. What is
// typed is handed to `save` a moment after the typing pauses, and at once
// by SaveNow (another card chosen, the window hidden). Fields are off, with
// a short note why, while the meaning cannot be kept (SetEditable).
class GalleryMeaningPanel : public QWidget {
  Q_OBJECT
 public:
  explicit GalleryMeaningPanel(QWidget* parent = nullptr);

  // Where typed meanings go (JournalKeeper::SetReaderMeaning, run so that a
  // failure shows); called on the window's thread.
  void OnSave(std::function<void(const ReaderMeaning&)> save) { save_ = std::move(save); }

  void ApplyLanguage(const TLanguageTable& languages);
  // The card shown: its name, its identity (-1: none) and its stored
  // meaning. What was typed for the card before is saved first.
  void Show(const QString& name, std::int32_t identity, const ReaderMeaning& stored);
  // The stored meaning of the card shown, read again: taken unless
  // something typed is waiting to be saved.
  void Refresh(const ReaderMeaning& stored);
  void SetEditable(bool editable, const QString& why);
  std::int32_t Identity() const { return identity_; }
  bool Unsaved() const { return unsaved_; }
  // What the fields hold, for the card shown.
  ReaderMeaning Typed() const;
  // What was typed and not yet saved, saved now.
  void SaveNow();

 private:
  void Fill(const ReaderMeaning& meaning);
  void Edited();

  QLabel* name_ = nullptr;
  QLabel* uprightCaption_ = nullptr;
  QLabel* reversedCaption_ = nullptr;
  QLineEdit* uprightKeywords_ = nullptr;
  QPlainTextEdit* uprightNotes_ = nullptr;
  QLineEdit* reversedKeywords_ = nullptr;
  QPlainTextEdit* reversedNotes_ = nullptr;
  QLabel* note_ = nullptr;
  QTimer* pause_ = nullptr;
  QString noCard_;  // what the name's place says while no card is chosen
  std::function<void(const ReaderMeaning&)> save_;
  std::int32_t identity_ = -1;
  bool unsaved_ = false;
  bool filling_ = false;  // fields set by the program, not typed
};

}  // namespace vaticor
