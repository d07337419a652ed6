#include "ui/content_signals.h"

#include "ui/chrome/commands.h"

namespace vaticor {

ContentSignals::ContentSignals(ContentSelection& selection, QObject* parent)
    : QObject(parent), selection_(selection) {
  selection_.AddListener(*this);
}

ContentSignals::~ContentSignals() { selection_.RemoveListener(*this); }

void FollowContent(ContentSignals& changes, QWidget* context, ContentListener& follower) {
  ConnectCommand(&changes, &ContentSignals::deckChanged, context,
                 [&follower](DeckChoice how) { follower.DeckChanged(how); });
  ConnectCommand(&changes, &ContentSignals::descriptionSetChanged, context,
                 [&follower] { follower.DescriptionSetChanged(); });
  ConnectCommand(&changes, &ContentSignals::deckListReloaded, context,
                 [&follower] { follower.DeckListReloaded(); });
  ConnectCommand(&changes, &ContentSignals::descriptionListReloaded, context,
                 [&follower] { follower.DescriptionListReloaded(); });
}

}  // namespace vaticor
