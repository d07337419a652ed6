#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "library/reading_entry.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/reading_entry/card_field.h"
#include "ui/window_links.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace vaticor {

class CardThumbnails;
class SkinChrome;

// The dialog in which a reading laid out with a physical deck is entered:
// the layout (one card, three cards, or a spread file of the spreads
// folder), the question, and for each position its number and meaning
// beside a field that names the card as it is typed (CardField) and a
// mark for a reversed card. Its button stays off until every position
// names a card; then the reading stands on the table (the main window for
// one or three cards, card windows in their places for a spread) and is
// recorded in the journal as a physical reading (a failure to record is
// shown; the reading stands either way). It is no draw of the program's,
// so the reading log does not get it. Follows the deck in use: the fields
// name the current deck's cards.
class TReadingEntryForm : public QWidget {
  Q_OBJECT
 public:
  TReadingEntryForm(ProgramState& state, JournalWindowLinks links, QWidget* parent = nullptr);
  ~TReadingEntryForm() override;
  void ApplyLanguage();

  // Shown, raised and active with its positions empty and the question
  // window's question; `spreadPath` (a spread file) chosen as the layout
  // when it is not empty, else the layout chosen last.
  void Enter(const std::string& spreadPath);

 private:
  void CreateControls();
  void LayOut();
  // The layouts offered: one card, three cards, the spread files of the
  // spreads folder and `extra` (a file from elsewhere) when not empty.
  void FillLayouts(const std::string& extra);
  void LayoutChosen();  // the rows of the layout chosen now
  void BuildRows();
  void ShowRowState(std::size_t row);
  void UpdateAccept();
  void Accept();
  // The names cards are matched against, again (the deck or the list
  // changed); `installed` too when the list of decks changed.
  void FollowDecks(bool installed);

  struct Row {
    QLabel* number = nullptr;
    QLabel* meaning = nullptr;
    CardField* field = nullptr;
    QCheckBox* reversed = nullptr;
    QLabel* state = nullptr;
  };

  ProgramState& state_;
  JournalWindowLinks links_;
  std::unique_ptr<SkinChrome> chrome_;
  TitleStrip strip_;
  SizingFrame frame_;
  CaptionPair caption_;  // how many positions name no card yet
  QString title_;
  CardMatching matching_;
  CardThumbnails* thumbnails_ = nullptr;  // a child
  EntryLayout layout_;
  std::vector<Row> rows_;
  bool firstShown_ = false;

  QWidget* content_ = nullptr;
  QLabel* layoutCaption_ = nullptr;
  QComboBox* layouts_ = nullptr;
  QLabel* questionCaption_ = nullptr;
  QLineEdit* question_ = nullptr;
  QScrollArea* rowsArea_ = nullptr;
  QWidget* rowsPanel_ = nullptr;
  QGridLayout* rowsGrid_ = nullptr;
  QLabel* noPositions_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vaticor
