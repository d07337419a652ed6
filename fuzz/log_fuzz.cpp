// libFuzzer target: the reading log's file reader and the reading-line
// parser on any bytes. Checks that writing the lines read and reading them
// back gives the same lines, and that reading a line back stays within the
// line and the three card slots.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/reading_log.h"

namespace {

using namespace vaticor;

class CheckingDisplay : public ReadingDisplay {
 public:
  void SetCardMode(bool) override { ++modes; }
  void ShowCard(int slot, std::int32_t) override {
    if (slot < 0 || slot > 2 || modes != 1) std::abort();
  }
  int modes = 0;
};

void ReadBack(std::string_view line) {
  const CardPart part = ParseCardPart(line);
  if (part.tokens.size() > 3 || part.end > line.size()) std::abort();
  if (part.threeCards && part.tokens.size() < 2) std::abort();
  const std::string question = ReadingQuestion(line);
  if (question.size() > line.size() || !line.ends_with(question)) std::abort();

  CheckingDisplay display;
  try {
    ShowReadingCards(line, display);
  } catch (const InvalidIntegerError& error) {
    // Only the first card token can fail, after the mode was set.
    if (display.modes != 1 || part.tokens.empty()) std::abort();
    if (NumberOfCardToken(part.tokens.front()).has_value()) std::abort();
    if (error.text().size() > line.size()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = DecodeLogLines(bytes);
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    ReadBack(line);
  }
  if (DecodeLogLines(EncodeLogLines(lines)) != lines) std::abort();
  // The raw bytes as one line, as an edited file could hold them.
  ReadBack(bytes);
  return 0;
}
