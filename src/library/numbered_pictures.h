#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "library/card_identity.h"

namespace vaticor {

// A folder of card pictures as artists and other programs ship them,
// without a deck.ini: each picture named by its card, either by number
// ("00.jpg" ... "77.jpg", one to three digits) or by the canonical names of
// the open tarot deck format ("major_arcana/00.webp",
// "minor_arcana/cups/ace.png": suits wands, cups, swords, pentacles; ranks
// ace, two ... ten, page, knight, queen, king). Names and extensions are
// compared without regard to ASCII case; only files of a picture format
// the program reads (PictureFormatOf) count, and any other file (a card
// back, a cover, a text) is passed over.
struct NumberedPictures {
  // The picture file of each identity 0 - 77, as given in `files`; empty
  // for a card the folder has no picture of (a gap).
  std::vector<std::string> byIdentity = std::vector<std::string>(kCardIdentities);
  // 22 when every picture found is of the major arcana, else 78; 0 when no
  // picture is named by a card.
  std::int32_t cards = 0;
  std::int32_t found = 0;  // pictures named by a card
  // Set when two files name one card ("00.jpg" and "major_arcana/00.png"):
  // those two, and the folder is not to be taken as a deck.
  std::vector<std::string> clash{};
};

// Recognises the pictures of a folder from the relative paths of its files
// ("/" or "\" between the parts), all of them, any order.
NumberedPictures RecogniseNumberedPictures(std::span<const std::string> files);

// Recognises the pictures of the folder `folder` on disk: its own files and
// those of its "major_arcana" folder and of its "minor_arcana" folder and
// that folder's suit folders (names in any case), "/" between the parts. Only
// those folders are listed, so a folder of thousands of others costs one
// listing; a folder that is a symbolic link is not entered, while a file
// that is one is given as a file (whether it leads out of the folder is
// for the one who reads it to decide: IndexedFolder).
NumberedPictures FindNumberedPictures(const std::string& folder);

}  // namespace vaticor
