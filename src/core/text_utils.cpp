#include "core/text_utils.h"

#include <cctype>

namespace vaticor {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool InSet(std::string_view set, char c) {
  const char u = Upper(c);
  for (char s : set) {
    if (Upper(s) == u) return true;
  }
  return false;
}

// Character at a 1-based position; only called with positions inside s.
char At(std::string_view s, std::int32_t p) { return s[static_cast<std::size_t>(p - 1)]; }

std::int32_t Length(std::string_view s) { return static_cast<std::int32_t>(s.size()); }

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string IntToStr2(std::int32_t n) {
  std::string text = std::to_string(n);
  return n < 10 ? "0" + text : text;
}

std::string IntToStrZ(std::int32_t n, int width) {
  std::string text = std::to_string(n);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  }
  return text;
}

std::string ByteToHex(std::uint8_t b) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b / 16], kDigits[b % 16]};
}

std::string IntToHexZ(std::uint32_t v, int minWidth) {
  std::string text;
  for (;;) {
    text.insert(0, ByteToHex(static_cast<std::uint8_t>(v % 256)));
    if (v < 256) break;
    v >>= 8;
  }
  if (static_cast<int>(text.size()) < minWidth) {
    text.insert(0, static_cast<std::size_t>(minWidth) - text.size(), '0');
  }
  return text;
}

std::string ScanToken(TTextObject& o) {
  const std::int32_t length = Length(o.text);
  const bool forward = o.direction > 0;
  const std::int32_t step = forward ? 1 : -1;
  auto inside = [&](std::int32_t p) { return p >= 1 && p <= length; };
  // Positions outside the text count as stops.
  auto stops = [&](std::int32_t p) { return !inside(p) || o.stopTest(o.text, p); };

  if ((forward && o.position > length) || (!forward && o.position <= 1)) return {};

  if (stops(o.position)) {
    do {
      o.position += step;
    } while (stops(o.position) && o.position > 1 && o.position < length);
    if (stops(o.position)) return {};
  }

  std::string token;
  do {
    if (forward) {
      token.push_back(At(o.text, o.position));
    } else {
      token.insert(token.begin(), At(o.text, o.position));
    }
    o.position += step;
  } while (!stops(o.position));
  return token;
}

std::string ExtractPathPart(std::string_view s, std::int32_t& position) {
  TTextObject o{position, -1, s,
                [](std::string_view t, std::int32_t p) { return At(t, p) == '\\'; }};
  std::string part = ScanToken(o);
  position = o.position < 0 ? 0 : o.position;
  return part;
}

std::string ExtractNumber(std::string_view s, std::int32_t& position) {
  if (!s.empty() && position == 0) position = 1;
  TTextObject o{position, 1, s, [](std::string_view t, std::int32_t p) {
                  const char c = At(t, p);
                  if (IsAsciiDigit(c)) return false;
                  return !(c == '-' && p < Length(t) && IsAsciiDigit(At(t, p + 1)));
                }};
  std::string number = ScanToken(o);
  position = o.position;
  return number;
}

std::string ExtractWord(std::string_view s, std::int32_t& position, std::string_view a,
                        std::string_view b, std::string_view c) {
  auto delimiter = [&](std::int32_t p) {
    const char ch = At(s, p);
    if (InSet(c, ch)) return false;
    if (InSet(b, ch)) return true;
    if (InSet(a, ch)) return false;
    const auto code = static_cast<unsigned char>(ch);
    return (code >= 32 && code <= 47) || (code >= 58 && code <= 64);
  };
  const std::int32_t length = Length(s);
  std::string word;
  if (s.empty()) return word;
  if (position < 1) position = 1;
  if (position > length) return word;
  if (delimiter(position)) {
    while (delimiter(position) && position < length) ++position;
    if (delimiter(position)) return word;
  }
  do {
    word.push_back(At(s, position));
    ++position;
  } while (position <= length && !delimiter(position) && !InSet(a, At(s, position)));
  return word;
}

std::string CollapseSpaces(std::string_view s) {
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) {
      if (!out.empty()) out.push_back(' ');
      out.append(s.substr(start, i - start));
    }
  }
  return out;
}

std::int32_t LastCharPos(std::string_view s, char ch) {
  std::int32_t found = -1;
  const char u = Upper(ch);
  for (std::int32_t p = 1; p <= Length(s); ++p) {
    if (Upper(At(s, p)) == u) found = p;
  }
  return found;
}

}  // namespace vaticor
