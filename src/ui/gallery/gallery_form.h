#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "library/card_identity.h"
#include "library/content_selection.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_links.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QComboBox;
class QLineEdit;
class QListView;
class QMenu;
class QSplitter;

namespace vaticor {

class CommandSet;
class GalleryCardsModel;
class GalleryMeaningPanel;
class GalleryPictures;
class SkinChrome;

// What the card gallery is given: the viewer for a card's description, the
// journal window for a card's readings, the main window's title strip to
// keep clear at the first showing.
struct GalleryWindowLinks {
  MainWindowLink& main;
  CardViewerLink& viewer;
  JournalWindowLink& journal;
};

// The card gallery: the deck in use as a grid of its cards' small pictures
// (decoded on the picture workers, those on show first), filtered as the
// reader types (a card's number, numeral, short form or name in any
// installed deck's language) and by group (major arcana, each suit). A
// click or Enter shows the card in the viewer; its hint says how often the
// journal has it and when last, and its right-click menu lists its last
// readings, each shown in the journal window when chosen. Beside the grid,
// the reader's own meaning of the card chosen (by its identity, so it
// follows the reader from deck to deck), saved in the journal as typed.
//
// It follows the deck in use and the deck list (as a ContentListener) and
// the journal (JournalKeeper's signals), reading again what changed when
// next on show. The window starts hidden; closing it only hides it.
class TGalleryForm : public QWidget, public GalleryWindowLink, public ContentListener {
  Q_OBJECT
 public:
  TGalleryForm(ProgramState& state, GalleryWindowLinks links, QWidget* parent = nullptr);
  ~TGalleryForm() override;

  // Shown, in front, the deck in use on show, the filter field focused.
  void ShowGallery() override;
  void ApplyLanguage();
  // The reader's meaning typed and not yet saved, saved now (hiding does
  // it; the program calls it before it ends). A failure shows.
  void SaveEdits();

  CommandSet& Commands() { return *commands_; }
  // The card chosen (its position in the deck); none when none is.
  std::optional<std::int32_t> ChosenCard() const;
  // Pictures asked for and not yet come: benchmarks wait for them.
  int PicturesPending() const;

  // ContentListener
  void DeckChanged(DeckChoice how) override;
  void DeckListReloaded() override;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void CreateCommands();
  void LayOut();

  // The deck in use read again: its cards, names and identities.
  void LoadDeck();
  // The rows the filter field and the group keep.
  void Refilter();
  // The pictures of the rows on show asked for first, then the rest.
  void RequestPictures();
  void RowChosen(int row);
  void Describe();
  void OpenCardMenu(const QPoint& at);
  // The card's hint: its name, how often the journal has it, when last.
  QString HintOf(std::int32_t position) const;
  void SaveMeaning(const ReaderMeaning& meaning);
  void ShowMeaningOfChosen();
  void UpdateEditable();
  void JournalChanged();

  ProgramState& state_;
  GalleryWindowLinks links_;
  SizingFrame frame_;
  CaptionPair caption_;
  TitleStrip strip_;
  std::unique_ptr<SkinChrome> chrome_;
  CommandSet* commands_ = nullptr;
  QWidget* content_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QComboBox* group_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QListView* list_ = nullptr;
  GalleryCardsModel* model_ = nullptr;
  GalleryMeaningPanel* meaning_ = nullptr;
  std::unique_ptr<GalleryPictures> pictures_;
  QMenu* cardMenu_ = nullptr;
  QString title_;
  std::vector<std::int32_t> identities_;  // the deck in use's, by position
  std::vector<std::string> names_;        // likewise
  // Every installed deck's names, read when first typed against after the
  // deck list changed.
  std::optional<std::vector<CardName>> installed_;
  std::optional<std::int32_t> chosen_;  // the position of the card chosen
  bool firstShown_ = false;
  bool deckStale_ = true;  // the deck changed while the window was hidden
};

}  // namespace vaticor
