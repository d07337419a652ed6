#include "core/text_encoding.h"

#include <array>
#include <cstdint>

#include "core/byte_words.h"

namespace vaticor {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Windows-1251 bytes 0x80-0xBF; 0xC0-0xFF are U+0410-U+044F in order.
// 0x98 is unassigned in the code page and reads as U+FFFD.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t Cp1251ToCodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kCp1251High[byte - 0x80];
}

// The Windows-1251 byte of a code point, or -1 when the code page lacks it.
int CodePointToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
  if (cp == kReplacementCharacter) return -1;
  for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
    if (kCp1251High[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Where the run of ASCII bytes starting at `pos` ends: eight bytes a step,
// then one at a time.
std::size_t AsciiPrefix(std::string_view text, std::size_t pos) {
  for (; pos + 8 <= text.size(); pos += 8) {
    if (LoadWord(text.data() + pos) & kByteHighBits) break;
  }
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

// Decodes one UTF-8 sequence at bytes[pos]. Returns its length, or 0 when the
// bytes there are not a valid sequence (overlong forms, surrogates and values
// beyond U+10FFFF included).
std::size_t DecodeUtf8At(std::string_view bytes, std::size_t pos, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(bytes[pos]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - pos < len) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(bytes[pos + i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || IsSurrogate(cp)) return 0;
  return len;
}

// Valid UTF-8 as it is; each byte that starts no valid sequence becomes U+FFFD.
std::string RepairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8At(bytes, pos, cp);
    if (len == 0) {
      AppendUtf8(out, kReplacementCharacter);
      ++pos;
    } else {
      out.append(bytes.substr(pos, len));
      pos += len;
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  auto unitAt = [&](std::size_t pos) -> char16_t {
    const auto a = static_cast<unsigned char>(bytes[pos]);
    const auto b = static_cast<unsigned char>(bytes[pos + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  std::size_t pos = 0;
  while (pos + 1 < bytes.size()) {
    const char16_t unit = unitAt(pos);
    pos += 2;
    if (IsHighSurrogate(unit) && pos + 1 < bytes.size()) {
      const char16_t low = unitAt(pos);
      if (IsLowSurrogate(low)) {
        pos += 2;
        AppendUtf8(out, CombineSurrogates(unit, low));
        continue;
      }
    }
    AppendUtf8(out, IsSurrogate(unit) ? kReplacementCharacter : char32_t(unit));
  }
  if (pos < bytes.size()) AppendUtf8(out, kReplacementCharacter);  // an odd last byte
  return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  auto put = [&](char16_t unit) {
    const char hi = static_cast<char>(unit >> 8);
    const char lo = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    std::size_t len = DecodeUtf8At(utf8, pos, cp);
    if (len == 0) {
      cp = kReplacementCharacter;
      len = 1;
    }
    pos += len;
    if (cp >= 0x10000) {
      put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      put(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      put(static_cast<char16_t>(cp));
    }
  }
  return out;
}

char32_t UpperCodePoint(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  if (cp < 0x100) {
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
    return cp == 0xFF ? 0x178 : cp;
  }
  if (cp >= 0x0386 && cp <= 0x03CE) {  // Greek
    if (cp == 0x03C2) return 0x03A3;   // final sigma
    if (cp >= 0x03B1 && cp <= 0x03CB) return cp - 32;
    if (cp == 0x03AC) return 0x0386;
    if (cp >= 0x03AD && cp <= 0x03AF) return cp - 37;
    if (cp == 0x03CC) return 0x038C;
    if (cp >= 0x03CD) return cp - 63;
    return cp;
  }
  if (cp >= 0x0400 && cp <= 0x052F) {  // Cyrillic and its supplement
    if (cp >= 0x0430 && cp <= 0x044F) return cp - 32;
    if (cp >= 0x0450 && cp <= 0x045F) return cp - 80;
    if ((cp >= 0x0460 && cp <= 0x0481) || (cp >= 0x048A && cp <= 0x04BF) || cp >= 0x04D0) {
      return (cp & 1) ? cp - 1 : cp;
    }
    if (cp >= 0x04C1 && cp <= 0x04CE) return (cp & 1) ? cp : cp - 1;
    if (cp == 0x04CF) return 0x04C0;
  }
  return cp;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Texts of one length, ASCII letters folded; other bytes must match as they are.
bool AsciiEqualsIgnoreCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsAscii(std::string_view text) { return AsciiPrefix(text, 0) == text.size(); }

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = AsciiPrefix(bytes, 0); pos < bytes.size(); pos = AsciiPrefix(bytes, pos)) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8At(bytes, pos, cp);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

DecodedText DecodeText(std::string_view bytes) {
  if (bytes.substr(0, 3) == kUtf8Bom) {
    return {RepairUtf8(bytes.substr(3)), TextEncoding::Utf8Bom};
  }
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    return {Utf16ToUtf8(bytes.substr(2), false), TextEncoding::Utf16LE};
  }
  if (bytes.substr(0, 2) == "\xFE\xFF") {
    return {Utf16ToUtf8(bytes.substr(2), true), TextEncoding::Utf16BE};
  }
  if (IsValidUtf8(bytes)) return {std::string(bytes), TextEncoding::Utf8};
  return {Windows1251ToUtf8(bytes), TextEncoding::Windows1251};
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return RepairUtf8(utf8);
    case TextEncoding::Utf8Bom:
      return std::string(kUtf8Bom) + RepairUtf8(utf8);
    case TextEncoding::Utf16LE:
      return "\xFF\xFE" + Utf8ToUtf16(utf8, false);
    case TextEncoding::Utf16BE:
      return "\xFE\xFF" + Utf8ToUtf16(utf8, true);
    case TextEncoding::Windows1251:
      return Utf8ToWindows1251(utf8);
  }
  return RepairUtf8(utf8);
}

std::string Windows1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, Cp1251ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToWindows1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8At(utf8, pos, cp);
    pos += len == 0 ? 1 : len;
    const int byte = len == 0 ? -1 : CodePointToCp1251(cp);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return out;
}

std::optional<unsigned char> CodePointToWindows1251(char32_t cp) {
  const int byte = CodePointToCp1251(cp);
  if (byte < 0) return std::nullopt;
  return static_cast<unsigned char>(byte);
}

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
  std::u32string text;
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8At(bytes, pos, cp);
    if (len == 0) return std::nullopt;
    text.push_back(cp);
    pos += len;
  }
  return text;
}

LineEnding DetectLineEnding(std::string_view text) {
  const std::size_t pos = text.find_first_of("\r\n");
  if (pos == std::string_view::npos) return LineEnding::CrLf;
  if (text[pos] == '\n') return LineEnding::Lf;
  return (pos + 1 < text.size() && text[pos + 1] == '\n') ? LineEnding::CrLf : LineEnding::Cr;
}

std::string_view LineEndingText(LineEnding ending) {
  switch (ending) {
    case LineEnding::Lf:
      return "\n";
    case LineEnding::Cr:
      return "\r";
    case LineEnding::CrLf:
      break;
  }
  return "\r\n";
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return a.size() == b.size() && AsciiEqualsIgnoreCase(a, b);
  return ToUpperText(a) == ToUpperText(b);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  // No folding turns other characters into ASCII ones, so an ASCII prefix
  // needs no decoding of the text.
  if (IsAscii(prefix)) {
    return text.size() >= prefix.size() &&
           AsciiEqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
  }
  return ToUpperText(text).starts_with(ToUpperText(prefix));
}

std::string ToUpperText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8At(utf8, pos, cp);
    if (len == 0) {  // not UTF-8: the byte stays as it is
      out.push_back(utf8[pos++]);
      continue;
    }
    AppendUtf8(out, UpperCodePoint(cp));
    pos += len;
  }
  return out;
}

}  // namespace vaticor
