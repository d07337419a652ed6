#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/chrome/reading_share.h"
#include "ui/program_state.h"

class QFrame;
class QWidget;

namespace vaticor {

class TCardImage;

// The main window's row of cards: three raised panels ("Panel01",
// "Panel03", "Panel02", left to right) holding the card images
// ("CardImage01" to "CardImage03"), of which the first one or all three are
// on show. It shows a draw, a logged reading put back and the current
// deck's pictures after a deck change, and shares the reading on show. A
// card's value is signed: negative for a reversed card.
class TCardRow : public QObject {
  Q_OBJECT
 public:
  TCardRow(QWidget& window, ProgramState& state, std::unique_ptr<ReadingPictureDialog> dialog);
  ~TCardRow() override;

  // Three cards on show, or the first one only; the images left are
  // emptied (to one card: all three; to three: the first).
  void SetCardsAcross(int cardsAcross);
  int CardsAcross() const { return cardsAcross_; }
  // The panels' width (each, pixels) and their place: side by side from
  // `left`, `top` down, `height` high; hidden panels take no room.
  void SetPanelWidth(int width);
  int PanelWidth() const;
  void Place(int left, int top, int height);

  // A draw: the signed values (one per card on show; a negative value is
  // shown reversed only while reversed cards are in use) decoded together;
  // returns the values as logged (reversed ones negative).
  std::vector<int> ShowDraw(const std::vector<std::int32_t>& values);
  // A logged reading put back: a card at a slot, turned when negative.
  void ShowLoggedCard(int slot, std::int32_t value);
  // Every image emptied ("Новый расклад", key 0).
  void Clear();
  // The cards on show again from the current deck's pictures.
  void ShowPicturesAgain();

  // Each image named after its card and turn for screen readers, in the
  // interface language; done after every change here, and by the window
  // when the language changes.
  void SpeakCards() const;

  // Whether a reading is on show (the first image has a picture).
  bool HasReading() const;
  // The card on show at a slot (no sign); -1 when the image is empty.
  int CardAt(int slot) const;
  // The reading on show: its text to the clipboard (with `question` when
  // not empty); its picture to a PNG file the user names (raises
  // PictureWriteError). Nothing while no reading is on show.
  void CopyReading(const std::string& question) const;
  void SaveReadingPicture();

 signals:
  // A click on a card image; `slot` 0 to 2.
  void cardClicked(int slot);
  // The card menu asked for on an image, at a screen point.
  void cardMenuAsked(int slot, QPoint at);

 private:
  void ShowPicture(TCardImage* image, int signedCard, bool turned);

  QWidget& window_;
  ProgramState& state_;
  std::unique_ptr<ReadingPictureDialog> dialog_;
  std::array<QFrame*, 3> panels_{};      // in place order: Panel01, Panel03, Panel02
  std::array<TCardImage*, 3> images_{};  // CardImage01 to CardImage03
  int cardsAcross_ = 3;
  // When the cards on show were drawn; empty for a reading put back.
  std::string drawMoment_;
};

}  // namespace vaticor
