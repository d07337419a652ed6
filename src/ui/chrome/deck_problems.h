#pragma once

#include <QString>
#include <string>

#include "library/open_deck.h"

namespace vaticor {

class TLanguageTable;

// Why a deck of the open format cannot be used, in the interface language
// (the deck menu's entry for it, an import refused).
QString OpenDeckProblemText(const TLanguageTable& languages, OpenDeckProblem problem,
                            const std::string& detail);

// The deck menu's entry for such a deck: its name and the reason.
QString UnusableDeckCaption(const TLanguageTable& languages, const ListedOpenDeck& deck);

}  // namespace vaticor
