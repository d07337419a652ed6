#include "core/text_layout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/text_utils.h"

namespace vaticor {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// The byte length of the longest run of whole characters at the start of
// `word` that `fits`; 0 when not even the first character does.
std::size_t FittingPrefix(std::string_view word,
                          const std::function<bool(std::string_view)>& fits) {
  std::size_t best = 0;
  std::size_t end = 0;
  while (end < word.size()) {
    std::size_t next = end + 1;
    while (next < word.size() && IsContinuationByte(word[next])) ++next;
    if (!fits(word.substr(0, next))) break;
    best = end = next;
  }
  return best;
}

// `line` shortened by whole characters (and trailing blanks) until it and
// the ellipsis fit; empty when not even the ellipsis alone does.
std::string EndInEllipsis(std::string line, const std::function<bool(std::string_view)>& fits) {
  while (true) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    const std::string candidate = line + std::string(kEllipsis);
    if (fits(candidate)) return candidate;
    if (line.empty()) return {};
    std::size_t cut = line.size() - 1;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    line.erase(cut);
  }
}

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

std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(line.begin(), line.end(), IsControl, ' ');
  return CollapseSpaces(line);
}

std::vector<std::string> FitTextLines(std::string_view text, int width, int height, int lineHeight,
                                      const TextWidthMeasure& measure) {
  std::vector<std::string> lines;
  if (width <= 0 || height <= 0 || lineHeight <= 0) return lines;
  const std::size_t maxLines = static_cast<std::size_t>(height / lineHeight);
  if (maxLines == 0) return lines;
  const std::function<bool(std::string_view)> fits = [&](std::string_view line) {
    return measure(line) <= width;
  };
  std::vector<std::string> words;
  {
    const std::string one = OneLine(text);
    std::size_t begin = 0;
    while (begin < one.size()) {
      const std::size_t end = std::min(one.find(' ', begin), one.size());
      words.push_back(one.substr(begin, end - begin));
      begin = end + 1;
    }
  }
  std::string current;
  bool cut = false;  // words were left over
  for (std::size_t i = 0; i < words.size() && !cut;) {
    const std::string candidate = current.empty() ? words[i] : current + " " + words[i];
    if (fits(candidate)) {
      current = candidate;
      ++i;
      continue;
    }
    if (!current.empty()) {
      // The word starts the next line.
      lines.push_back(std::move(current));
      current.clear();
    } else {
      // A word wider than a line: what fits of it, the rest on the next.
      const std::size_t prefix = FittingPrefix(words[i], fits);
      if (prefix == 0) {
        cut = true;
        break;
      }
      lines.push_back(words[i].substr(0, prefix));
      words[i].erase(0, prefix);
    }
    if (lines.size() == maxLines) cut = true;
  }
  if (!current.empty()) {
    if (lines.size() == maxLines) {
      cut = true;
    } else {
      lines.push_back(std::move(current));
    }
  }
  if (cut) {
    if (lines.empty()) {
      // Not one character fits: the ellipsis alone, if it does.
      if (fits(kEllipsis)) lines.emplace_back(kEllipsis);
    } else if (std::string last = EndInEllipsis(lines.back(), fits); !last.empty()) {
      lines.back() = std::move(last);
    } else {
      lines.pop_back();
    }
  }
  return lines;
}

std::vector<std::string> PositionFaceLines(std::int64_t number, std::string_view meaning, int width,
                                           int height, int lineHeight,
                                           const TextWidthMeasure& measure) {
  std::vector<std::string> lines;
  if (lineHeight <= 0 || height < lineHeight) return lines;
  std::string first = std::to_string(number);
  if (measure(first) > width) return lines;
  lines.push_back(std::move(first));
  for (std::string& line : FitTextLines(meaning, width, height - lineHeight, lineHeight, measure)) {
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace vaticor
