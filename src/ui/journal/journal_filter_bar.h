#pragma once

#include <QDate>
#include <QWidget>
#include <string>
#include <vector>

#include "languages/language_table.h"
#include "library/journal.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace vaticor {

// The journal window's filters over its list: the search field, which
// filters as the user types, the tag, the card (a name of the current deck
// from the list, or a card's number typed) and the date range, each of the
// dates on only while its box is ticked. Every change signals changed().
class JournalFilterBar : public QWidget {
  Q_OBJECT
 public:
  explicit JournalFilterBar(QWidget* parent);

  // What the controls ask for now.
  JournalFilter Filter() const;
  // The tags to choose from (AllTags); the tag chosen stays chosen while
  // it is among them.
  void SetTags(const std::vector<std::string>& tags);
  // The current deck's card names, in position order.
  void SetCardNames(const std::vector<std::string>& names);
  void ApplyLanguage(const TLanguageTable& languages);
  // Every filter set to take one day's entries (the words, tag and card
  // cleared, both dates on that day); changed() once.
  void ShowOnlyDay(const QDate& day);
  // The dates shown in the interface language's way.
  void SetLocale(const QLocale& locale);

 signals:
  void changed();

 private:
  QLineEdit* search_ = nullptr;
  QComboBox* tag_ = nullptr;
  QComboBox* card_ = nullptr;
  QCheckBox* fromOn_ = nullptr;
  QDateEdit* from_ = nullptr;
  QCheckBox* toOn_ = nullptr;
  QDateEdit* to_ = nullptr;
  bool filling_ = false;  // lists being filled: no change to announce
};

}  // namespace vaticor
