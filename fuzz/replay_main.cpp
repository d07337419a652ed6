// The main of a fuzz target's replay program: runs every file named on the
// command line, and every file under every folder named there, through the
// target's LLVMFuzzerTestOneInput, as libFuzzer does with files. Built with
// the ordinary compiler, so the test suite checks on every build that seeds
// and past findings still pass the target's oracle.
//   <target>_replay PATH...
// A path that does not exist is skipped: a target may have no seeds or
// findings yet. Exits 0 after the last input; an input that breaks the
// oracle ends the program there (abort or trap), its name printed last.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Targets may define it; libFuzzer calls it once before the first input.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files under `path` (or `path` itself), sorted so runs are repeatable.
std::vector<fs::path> InputsUnder(const fs::path& path) {
  std::vector<fs::path> inputs;
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    inputs.push_back(path);
  } else if (fs::is_directory(path, ec)) {
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file(ec)) inputs.push_back(it->path());
    }
    std::sort(inputs.begin(), inputs.end());
  }
  return inputs;
}

bool Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  std::fprintf(stderr, "%s\n", file.c_str());
  // A buffer of exactly the input's size, as libFuzzer gives, so that
  // AddressSanitizer sees a read past its end.
  const auto data = std::make_unique<std::uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), data.get());
  LLVMFuzzerTestOneInput(data.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::size_t replayed = 0;
  bool unreadable = false;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& file : InputsUnder(argv[i])) {
      if (Replay(file)) {
        ++replayed;
      } else {
        unreadable = true;
      }
    }
  }
  std::fprintf(stderr, "%zu inputs replayed\n", replayed);
  return unreadable ? 1 : 0;
}
