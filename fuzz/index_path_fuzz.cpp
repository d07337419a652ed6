// libFuzzer target: any bytes as a deck.ini or description.ini value,
// resolved against a small deck folder (made once) that holds sub-folders,
// names differing only in case, and links leading in and out. Checks that
// the answer is nothing or a path inside the folder, both as written and
// after following its links; that it names a file only when one is there;
// that it is what ResolveIndexedPath finds; and that it does not change
// from one resolution to the next.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "core/indexed_folder.h"

namespace {

namespace fs = std::filesystem;
using vaticor::IndexedFolder;

void Check(bool condition) {
  if (!condition) std::abort();
}

class DeckTree {
 public:
  DeckTree() {
    top_ = fs::temp_directory_path() / ("vaticor-index-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(top_);
    root_ = top_ / "deck";
    for (const char* file :
         {"outside.jpg", "deck/card.jpg", "deck/Art/Major/Fool.JPG", "deck/Art/Twin.bmp",
          "deck/Art/TWIN.BMP", "deck/Карта.jpg", "deck-other/card.jpg"}) {
      fs::create_directories((top_ / file).parent_path());
      std::ofstream(top_ / file) << "x";
    }
    fs::create_directories(root_ / "empty");
    fs::create_symlink("../outside.jpg", root_ / "out.jpg");
    fs::create_symlink("..", root_ / "up");
    fs::create_symlink("../deck-other", root_ / "other");
    fs::create_symlink("card.jpg", root_ / "in.jpg");
    fs::create_symlink("Art", root_ / "art-link");
    fs::create_symlink(".", root_ / "self");
    fs::create_symlink("loop", root_ / "loop");
    fs::create_symlink("gone.jpg", root_ / "dangling");
    canonicalRoot_ = fs::canonical(root_).string();
  }
  ~DeckTree() {
    std::error_code ec;
    fs::remove_all(top_, ec);
  }
  std::string Root() const { return root_.string(); }

  // Inside as written: the root, or the root and names that are neither
  // empty, "." nor "..".
  bool LexicallyInside(const std::string& path) const {
    const std::string root = Root();
    if (path == root) return true;
    if (path.compare(0, root.size() + 1, root + "/") != 0) return false;
    std::string_view rest = std::string_view(path).substr(root.size() + 1);
    for (;;) {
      const std::size_t slash = rest.find('/');
      const std::string_view name = rest.substr(0, slash);
      if (name.empty() || name == "." || name == ".." || name.find('\0') != name.npos) return false;
      if (slash == std::string_view::npos) return true;
      rest.remove_prefix(slash + 1);
    }
  }

  // Inside after following every link on the way: the part of a lexically
  // inside path that exists, made canonical, is inside; what follows it
  // cannot exist and holds no "..".
  bool ReallyInside(const std::string& path) const {
    fs::path existing = root_;
    std::error_code ec;
    for (const fs::path& name : fs::path(path).lexically_relative(root_)) {
      if (name == ".") break;
      // An error (a name too long, say) also ends what exists.
      if (!fs::exists(fs::status(existing / name, ec))) break;
      existing /= name;
    }
    const std::string real = fs::canonical(existing, ec).string();
    if (ec) return false;
    return real == canonicalRoot_ ||
           real.compare(0, canonicalRoot_.size() + 1, canonicalRoot_ + "/") == 0;
  }

 private:
  fs::path top_;
  fs::path root_;
  std::string canonicalRoot_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const DeckTree tree;
  const std::string_view value(reinterpret_cast<const char*>(data), size);

  IndexedFolder folder(tree.Root());
  const IndexedFolder::Entry entry = folder.Find(value);
  if (entry.path.empty()) {
    Check(!entry.isFile);
  } else {
    Check(tree.LexicallyInside(entry.path));
    Check(tree.ReallyInside(entry.path));
    std::error_code ec;
    Check(entry.isFile == fs::is_regular_file(entry.path, ec));
    // Inside the folder the confined answer is the loose one.
    Check(entry.path == vaticor::ResolveIndexedPath(tree.Root(), value));
  }

  // The same answer again, from the kept listings and from new ones.
  const IndexedFolder::Entry again = folder.Find(value);
  Check(again.path == entry.path && again.isFile == entry.isFile);
  IndexedFolder fresh(tree.Root());
  const IndexedFolder::Entry anew = fresh.Find(value);
  Check(anew.path == entry.path && anew.isFile == entry.isFile);
  return 0;
}
