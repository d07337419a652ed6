#include "support/temp_dir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace vaticor::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  for (;;) {
    fs::path candidate = fs::temp_directory_path() /
                         ("vaticor-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempDir::Path(std::string_view relative) const {
  return path_ + "/" + std::string(relative);
}

std::string TempDir::Write(std::string_view relative, std::string_view bytes) const {
  fs::path p = Path(relative);
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p.string();
}

std::string TempDir::MakeDir(std::string_view relative) const {
  fs::path p = Path(relative);
  fs::create_directories(p);
  return p.string();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string CorpusDir() {
  std::error_code ec;
  fs::path dir = VATICOR_CORPUS_DIR;
  return fs::is_directory(dir, ec) ? fs::canonical(dir, ec).string() : std::string();
}

}  // namespace vaticor::testing
