#pragma once

#include <string>

#include "support/temp_dir.h"

namespace vaticor::testing {

// What a written deck looks like.
struct DeckShape {
  int cards = 22;   // card files Card00 .. Card(cards - 1), "N.jpg"
  int width = 200;  // each picture's claimed size (FakePictureLoader's format)
  int height = 350;
  bool names = true;         // a [Names] section: "Card N"
  bool cardsCount = true;    // a "Cards.Count" of cards - 1
  std::string identities{};  // a "Cards.Identities" value when not empty
};

// Writes a deck folder `decksFolder`/`folder` (relative to `dir`) with its
// deck.ini and one picture file per card whose content is
// FakePictureLoader::Content(width, height, N), so every picture tells its
// card number. Returns the folder's full path.
std::string WriteDeck(const TempDir& dir, const std::string& decksFolder, const std::string& folder,
                      const DeckShape& shape = {});

}  // namespace vaticor::testing
