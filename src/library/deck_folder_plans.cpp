#include "library/deck_folder_plans.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "library/common_card_names.h"
#include "library/deck_ini_writer.h"
#include "library/numbered_pictures.h"

namespace vaticor {
namespace {

namespace fs = std::filesystem;

// The paths below `root` ("/" between parts) of everything in it that is
// not a folder, in name order; a link to a folder is given, not entered.
std::vector<std::string> FilesBelow(const std::string& root) {
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) continue;
    files.push_back(it->path().lexically_relative(root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::string ShownImportValue(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return shown;
}

std::string PathBelowRoot(const std::string& root, const std::string& path) {
  return path.size() > root.size() ? path.substr(root.size() + 1) : std::string();
}

void PlanNumberedPictures(ImportPlan& plan, IndexedFolder& source, std::string_view language) {
  const NumberedPictures pictures = FindNumberedPictures(source.Root());
  if (!pictures.clash.empty()) {
    plan.refused = 1;
    plan.firstRefusal = {ImportFailureReason::kTwoPicturesOfOneCard,
                         ShownImportValue(pictures.clash[0]), ShownImportValue(pictures.clash[1])};
    return;
  }
  const std::string_view names = CommonCardName(0, language).empty() ? "en" : language;
  std::vector<DeckIniCard> cards;
  for (std::int32_t identity = 0; identity < pictures.cards; ++identity) {
    const std::string& file = pictures.byIdentity[static_cast<std::size_t>(identity)];
    if (file.empty()) continue;
    const IndexedFolder::Entry found = source.Find(file);
    if (found.path.empty() && plan.refused++ == 0) {
      plan.firstRefusal = {ImportFailureReason::kLeadsOut, ShownImportValue(file)};
    }
    if (!found.isFile) continue;
    std::string relative = PathBelowRoot(source.Root(), found.path);
    cards.push_back({identity, relative, CommonCardName(identity, names)});
    plan.files.push_back({found.path, std::move(relative)});
  }
  plan.madeIndex = true;
  plan.listed = pictures.cards;
  plan.missing = pictures.cards - static_cast<std::int32_t>(cards.size());
  if (cards.empty()) return;
  plan.files.push_back({{}, "deck.ini", MakeDeckIni(FolderOwnName(source.Root()), names, cards)});
}

void PlanOpenDeckFolder(ImportPlan& plan, IndexedFolder& source, const OpenDeck& deck,
                        std::string_view language) {
  if (deck.header.problem != OpenDeckProblem::kNone) {
    plan.refused = 1;
    plan.firstRefusal = {ImportFailureReason::kOpenDeckUnusable,
                         ShownImportValue(deck.header.detail),
                         {},
                         deck.header.problem};
    return;
  }
  if (deck.cards.empty()) return;
  // The whole folder: its names files in every language, every size and
  // the card back stay for the programs that read the deck as it was made.
  std::vector<std::string> copied;
  for (const std::string& file : FilesBelow(source.Root())) {
    const IndexedFolder::Entry found = source.Find(file);
    if (found.path.empty() && plan.refused++ == 0) {
      plan.firstRefusal = {ImportFailureReason::kLeadsOut, ShownImportValue(file)};
    }
    if (!found.isFile) continue;
    copied.push_back(PathBelowRoot(source.Root(), found.path));
    plan.files.push_back({found.path, copied.back()});
  }
  // The deck.ini the deck amounts to, a picture that is not copied left out.
  std::vector<DeckIniCard> cards = OpenDeckIniCards(deck, kImportedCardHeight);
  for (DeckIniCard& card : cards) {
    if (!card.picture.empty() &&
        std::find(copied.begin(), copied.end(), card.picture) != copied.end()) {
      continue;
    }
    ++plan.missing;
    card.picture.clear();
  }
  plan.madeIndex = true;
  plan.listed = static_cast<std::int32_t>(cards.size());
  if (plan.files.empty()) return;
  plan.files.push_back({{}, "deck.ini", MakeDeckIni(deck.header.name, language, cards)});
}

}  // namespace vaticor
