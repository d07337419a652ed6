#pragma once

#include <QObject>

#include "library/content_selection.h"

namespace vaticor {

// The changes of the deck and description-set choice (ContentSelection) as
// Qt signals, for the windows. The program connects each window that shows
// content to them once (FollowContent); windows never re-read the choice to
// find out whether it changed.
class ContentSignals : public QObject, private ContentListener {
  Q_OBJECT
 public:
  // Listens to `selection` until destroyed.
  explicit ContentSignals(ContentSelection& selection, QObject* parent = nullptr);
  ~ContentSignals() override;

 signals:
  void deckChanged(vaticor::DeckChoice how);
  void descriptionSetChanged();
  void deckListReloaded();
  void descriptionListReloaded();

 private:
  void DeckChanged(DeckChoice how) override { emit deckChanged(how); }
  void DescriptionSetChanged() override { emit descriptionSetChanged(); }
  void DeckListReloaded() override { emit deckListReloaded(); }
  void DescriptionListReloaded() override { emit descriptionListReloaded(); }

  ContentSelection& selection_;
};

// Connects `follower` (a window, as a ContentListener) to every signal; the
// connections end with `context` (the window itself). A failure inside the
// follower is shown over `context` as a command's failure is.
void FollowContent(ContentSignals& changes, QWidget* context, ContentListener& follower);

}  // namespace vaticor
