// libFuzzer target: any bytes as the index of a folder being imported, the
// first byte choosing which (even: deck.ini, odd: description.ini), planned
// against a small folder (made once) that holds sub-folders, names differing
// only in case, and links leading in and out. Checks that every planned
// source is a regular file inside the folder, as written and after following
// its links; that every destination is plain names inside the target and
// mirrors where its source lies; that no destination comes twice; and that
// the index is planned last, and only then.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "library/folder_import.h"

namespace {

namespace fs = std::filesystem;
using vaticor::ImportMode;
using vaticor::ImportPlan;

void Check(bool condition) {
  if (!condition) std::abort();
}

class ImportTree {
 public:
  ImportTree() {
    top_ = fs::temp_directory_path() / ("vaticor-import-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(top_);
    root_ = top_ / "Deck";
    for (const char* file :
         {"outside.jpg", "Private/key.jpg", "Deck/card.jpg", "Deck/Art/Major/Fool.JPG",
          "Deck/Art/Twin.bmp", "Deck/Art/TWIN.BMP", "Deck/Карта.jpg", "Deck/a.rtf"}) {
      fs::create_directories((top_ / file).parent_path());
      std::ofstream(top_ / file) << "x";
    }
    fs::create_directories(top_ / "Program/Decks");
    fs::create_directories(root_ / "empty");
    fs::create_symlink("../outside.jpg", root_ / "out.jpg");
    fs::create_symlink("..", root_ / "up");
    fs::create_symlink("../Private", root_ / "private");
    fs::create_symlink("card.jpg", root_ / "in.jpg");
    fs::create_symlink("Art", root_ / "art-link");
    fs::create_symlink("loop", root_ / "loop");
    fs::create_symlink("gone.jpg", root_ / "dangling");
    canonicalRoot_ = fs::canonical(root_).string();
  }
  ~ImportTree() {
    std::error_code ec;
    fs::remove_all(top_, ec);
  }
  std::string Root() const { return root_.string(); }
  std::string Decks() const { return (top_ / "Program/Decks").string(); }

  bool ReallyInside(const std::string& path) const {
    std::error_code ec;
    const std::string real = fs::canonical(path, ec).string();
    return !ec && real.compare(0, canonicalRoot_.size() + 1, canonicalRoot_ + "/") == 0;
  }

 private:
  fs::path top_;
  fs::path root_;
  std::string canonicalRoot_;
};

// "/"-separated names, none empty, "." or ".." or holding a NUL.
bool PlainNames(std::string_view relative) {
  for (;;) {
    const std::size_t slash = relative.find('/');
    const std::string_view name = relative.substr(0, slash);
    if (name.empty() || name == "." || name == ".." || name.find('\0') != name.npos) return false;
    if (slash == std::string_view::npos) return true;
    relative.remove_prefix(slash + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ImportTree tree;
  if (size == 0) return 0;
  const ImportMode mode = data[0] % 2 == 0 ? ImportMode::kDeck : ImportMode::kDescriptionSet;
  const std::string indexName(vaticor::IndexFileName(mode));
  const std::string index = vaticor::JoinPath(tree.Root(), indexName);
  {
    std::ofstream out(index, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }

  const ImportPlan plan = vaticor::PlanImport(mode, tree.Root(), tree.Decks());
  fs::remove(index);

  Check(plan.target == tree.Decks() + "/Deck");
  Check(plan.refused >= 0 &&
        (plan.refused == 0) == (plan.firstRefusal.reason == vaticor::ImportFailureReason::kNone));
  std::set<std::string> destinations;
  for (const vaticor::PlannedFile& file : plan.files) {
    Check(file.source.compare(0, tree.Root().size() + 1, tree.Root() + "/") == 0);
    Check(file.source.substr(tree.Root().size() + 1) == file.relative);
    Check(PlainNames(file.relative));
    Check(destinations.insert(file.relative).second);
    if (&file != &plan.files.back()) {
      Check(file.relative != indexName);
      std::error_code ec;
      Check(fs::is_regular_file(file.source, ec));
      Check(tree.ReallyInside(file.source));
    }
  }
  if (!plan.files.empty()) Check(plan.files.back().relative == indexName);
  return 0;
}
