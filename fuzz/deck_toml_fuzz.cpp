// libFuzzer target for the reader of open-format decks: the input is both
// the deck's deck.toml and its English names file, beside a fixed set of
// picture files (some of them reached only by paths leading out).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "library/card_identity.h"
#include "library/open_deck.h"
#include "work_folder.h"

namespace {

void Trap(bool failed) {
  if (failed) __builtin_trap();
}

const std::string& DeckRoot() {
  static const std::string root = [] {
    const std::string base = vaticor::fuzz::WorkFolder("deck_toml_fuzz");
    const std::string deck = vaticor::JoinPath(base, "deck");
    for (const char* file :
         {"h750/major_arcana/00.png", "h1200/major_arcana/00.jpg",
          "h1200/minor_arcana/cups/ace.webp", "scalable/major_arcana/01.svg",
          "h1200/major_arcana/squirrel.png", "card_backs/b.png", "names/fr.toml"}) {
      const std::string path = vaticor::JoinPath(deck, file);
      std::filesystem::create_directories(vaticor::ParentPath(path));
      vaticor::WriteFileAtomically(path, "x");
    }
    vaticor::WriteFileAtomically(vaticor::JoinPath(base, "outside.png"), "x");
    return deck;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vaticor::OpenDeckHeader header = vaticor::ParseOpenDeckToml(text);
  if (header.problem == vaticor::OpenDeckProblem::kNone) {
    Trap(header.major != 1 && header.major != 2);
    // A card back is never a path leading out of the deck.
    Trap(!header.cardBack.empty() && !vaticor::IsSafeDeckPath(header.cardBack));
    Trap(!header.majorRemap.empty() && header.majorRemap.size() != 22);
    for (std::int32_t identity : header.majorRemap) Trap(identity < -1 || identity > 21);
  } else {
    Trap(header.major != 0);
  }
  if (header.problem == vaticor::OpenDeckProblem::kUnsupportedVersion) Trap(header.detail.empty());

  const std::string& root = DeckRoot();
  vaticor::WriteFileAtomically(vaticor::JoinPath(root, "deck.toml"), text);
  vaticor::WriteFileAtomically(vaticor::JoinPath(root, "names/en.toml"), text);
  const vaticor::OpenDeck deck = vaticor::ReadOpenDeck(root, "en");
  // What the file says is what the reader of the folder says.
  Trap(deck.header.problem != header.problem);
  Trap(header.problem != vaticor::OpenDeckProblem::kNone && !deck.cards.empty());
  std::set<std::int32_t> identities;
  for (const vaticor::OpenDeckCard& card : deck.cards) {
    Trap(card.pictures.empty());
    for (const vaticor::SizedPicture& picture : card.pictures) {
      Trap(!vaticor::IsSafeDeckPath(picture.path));
    }
    Trap(card.identity < -1 || card.identity >= vaticor::kCardIdentities);
    // No card twice: a deck.ini made from it would be ignored whole.
    if (card.identity >= 0) Trap(!identities.insert(card.identity).second);
  }
  return 0;
}
