#include "support/corpus.h"

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

namespace vaticor::testing {

std::string MissingCorpus(std::string_view folder) {
  const std::string dir = CorpusDir();
  if (dir.empty()) return "no test corpus at " VATICOR_CORPUS_DIR;
  const std::filesystem::path sub = std::filesystem::path(dir) / folder;
  std::error_code ec;
  if (std::filesystem::is_directory(sub, ec)) return {};
  return "no test corpus folder " + sub.string();
}

bool CorpusRequired() {
  const char* ci = std::getenv("CI");
  if (ci == nullptr) return false;
  const std::string_view value = ci;
  return !value.empty() && value != "0" && value != "false";
}

}  // namespace vaticor::testing
