#include "library/open_deck.h"

namespace vaticor {

OpenDeckHeader ParseOpenDeckToml(std::string_view) { return {}; }
OpenDeckHeader ReadOpenDeckHeader(const std::string&) { return {}; }
const SizedPicture* ChoosePictureForHeight(const std::vector<SizedPicture>&, std::int32_t) {
  return nullptr;
}
OpenDeck ReadOpenDeck(const std::string&, std::string_view) { return {}; }

}  // namespace vaticor
