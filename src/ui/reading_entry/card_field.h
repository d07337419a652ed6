#pragma once

#include <QLineEdit>
#include <cstdint>
#include <optional>
#include <vector>

#include "library/card_identity.h"
#include "library/reading_entry.h"

class QCompleter;
class QStandardItemModel;

namespace vaticor {

class CardThumbnails;

// What typed cards are matched against: every installed deck's names
// (InstalledCardNames, kept until the deck list changes) and the current
// deck's names and identities.
struct CardMatching {
  std::vector<CardName> installed;
  EntryDeck deck;
};

// The field of one position, in which the reader names a card as it is
// typed: its number, a Roman numeral, a short form ("3oC", "KW"), its name
// in any installed deck's language. The cards it may mean are offered
// below it as the current deck's, each with its small picture and name;
// Enter or Tab takes the one highlighted (the first, unless another is
// chosen) and moves on. The text is plain text, never markup.
class CardField : public QLineEdit {
  Q_OBJECT
 public:
  CardField(const CardMatching& matching, CardThumbnails& thumbnails, QWidget* parent);

  // The current deck's card the field names; nothing while its text names
  // none or several.
  std::optional<std::int32_t> Card() const { return card_; }
  // The card named again from the text as it stands (it changed, or the
  // deck did).
  void Rematch();
  // The suggestions offered now, as card positions (tests).
  std::vector<std::int32_t> Suggestions() const;

 signals:
  void cardChanged();
  // Enter: the next position's field, or the end.
  void advance();

 private:
  void Typed(const QString& text);
  void Take(std::int32_t card);
  void SetCard(std::optional<std::int32_t> card);
  void PictureReady(int position);

  const CardMatching& matching_;
  CardThumbnails& thumbnails_;
  QCompleter* completer_ = nullptr;
  QStandardItemModel* model_ = nullptr;
  std::optional<std::int32_t> card_;
};

}  // namespace vaticor
