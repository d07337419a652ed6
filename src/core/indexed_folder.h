#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vaticor {

// Resolves a path written in a deck.ini or description.ini file against the
// folder that holds it, as it resolved where the file was made: "\" and "/"
// both separate components, and a component that does not exist as written
// is matched, when one such entry exists, against an entry whose name differs
// only in letter case.
std::string ResolveIndexedPath(const std::string& baseFolder, std::string_view relative);

// The folder of a deck or description set, against which the values of its
// index file are resolved by the rules of ResolveIndexedPath, but from
// listings and confined to the folder:
// - the folder is listed when the object is made, and each sub-folder a
//   value passes through when a value first needs it; the listings are kept
//   for the object's life, so a lookup costs a hash look-up per component
//   however many entries the folder holds, and an entry added or removed
//   afterwards is seen by a new object only; a folder that cannot be read
//   lists as empty;
// - the index file comes from anywhere, so a value that leads out of the
//   folder names nothing: ".." above it, a path from a root ("/x", "\x"), a
//   drive ("C:\x", "C:x"), a NUL byte, or a symbolic link whose target is
//   outside the folder or missing. ".." that stays inside is followed.
class IndexedFolder {
 public:
  // An empty root is no folder: every value names nothing.
  explicit IndexedFolder(std::string root = {});
  ~IndexedFolder();
  IndexedFolder(IndexedFolder&&) noexcept;
  IndexedFolder& operator=(IndexedFolder&&) noexcept;

  const std::string& Root() const { return root_; }

  struct Entry {
    // Root() + "/" + the components as found, without "." or ".."; Root()
    // itself for a value that comes back to it; empty when the value names
    // nothing.
    std::string path;
    // The path named a regular file (through links) when its folder was
    // listed; a folder or a missing entry does not count.
    bool isFile = false;
  };
  Entry Find(std::string_view value);

 private:
  struct Listings;
  std::string root_;
  std::unique_ptr<Listings> listings_;
};

}  // namespace vaticor
