#include "core/text_layout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vaticor {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends one line (no "\n" inside) broken to `lineLength` characters.
void AppendWrapped(std::string& out, std::string_view line, std::size_t lineLength) {
  // Byte offsets where each character starts, and the end.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (i == 0 || !IsContinuationByte(line[i])) starts.push_back(i);
  }
  starts.push_back(line.size());
  std::size_t first = 0;  // character index where the current line starts
  const std::size_t count = starts.size() - 1;
  while (count - first > lineLength) {
    // A blank at character first + k (1 <= k <= lineLength) ends a line of k
    // characters; a blank right at the start would leave an empty line.
    std::size_t breakAt = 0;
    for (std::size_t k = lineLength; k >= 1; --k) {
      if (line[starts[first + k]] == ' ') {
        breakAt = k;
        break;
      }
    }
    if (breakAt != 0) {
      out.append(line.substr(starts[first], starts[first + breakAt] - starts[first]));
      first += breakAt + 1;
    } else {
      out.append(line.substr(starts[first], starts[first + lineLength] - starts[first]));
      first += lineLength;
    }
    out.push_back('\n');
  }
  out.append(line.substr(starts[first]));
}

}  // namespace

std::string WrapLines(std::string_view text, std::size_t lineLength) {
  lineLength = std::max<std::size_t>(lineLength, 1);
  std::string out;
  out.reserve(text.size() + text.size() / lineLength + 1);
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = text.find('\n', begin);
    AppendWrapped(out, text.substr(begin, end == std::string_view::npos ? end : end - begin),
                  lineLength);
    if (end == std::string_view::npos) break;
    out.push_back('\n');
    begin = end + 1;
  }
  return out;
}

int MenuCaptionWidth(int averageCharWidth, int screenWidth) {
  const std::int64_t charWidth = std::max(averageCharWidth, 1);
  std::int64_t width = charWidth * kMenuCaptionLength;
  if (screenWidth > 0) width = std::min<std::int64_t>(width, screenWidth / 3);
  return static_cast<int>(std::min<std::int64_t>(std::max(width, charWidth), INT32_MAX));
}

}  // namespace vaticor
