#include "support/deck_writer.h"

#include "support/fake_picture_loader.h"

namespace vaticor::testing {

std::string WriteDeck(const TempDir& dir, const std::string& decksFolder, const std::string& folder,
                      const DeckShape& shape) {
  const std::string base = decksFolder + "/" + folder;
  std::string ini = "[Deck]\r\nName=" + folder + "\r\n";
  if (shape.cardsCount) ini += "Cards.Count=" + std::to_string(shape.cards - 1) + "\r\n";
  if (!shape.identities.empty()) ini += "Cards.Identities=" + shape.identities + "\r\n";
  ini += "[Files]\r\n";
  std::string names = "[Names]\r\n";
  for (int n = 0; n < shape.cards; ++n) {
    const std::string key = (n < 10 ? "Card0" : "Card") + std::to_string(n);
    ini += key + "=" + std::to_string(n) + ".jpg\r\n";
    names += key + "=Card " + std::to_string(n) + "\r\n";
    dir.Write(base + "/" + std::to_string(n) + ".jpg",
              FakePictureLoader::Content(shape.width, shape.height, n));
  }
  dir.Write(base + "/deck.ini", shape.names ? ini + names : ini);
  return dir.Path(base);
}

}  // namespace vaticor::testing
