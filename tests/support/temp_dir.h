#pragma once

#include <string>
#include <string_view>

namespace vaticor::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + relative
  std::string Path(std::string_view relative) const;
  // Writes a file (creating its folders) and returns its full path.
  std::string Write(std::string_view relative, std::string_view bytes) const;
  // Creates a folder (and its parents) and returns its full path.
  std::string MakeDir(std::string_view relative) const;

 private:
  std::string path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// The shared folder of real-world test files, or empty when it is absent.
// A test that reads it starts with REQUIRE_CORPUS (corpus.h).
std::string CorpusDir();

}  // namespace vaticor::testing
