// Writes a card's description as an RTF document in the form WordPad saves:
// Windows-1251 with \'xx escapes for Russian, Windows-1252 with \uN? for
// anything outside ASCII otherwise.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sample_content {

enum class RtfCodePage { Cyrillic1251, Western1252 };

struct RtfDocument {
  std::string heading;  // UTF-8
  std::string upright_label;
  std::string upright_text;
  std::string reversed_label;
  std::string reversed_text;
};

// The Windows-1251 byte for a code point, if that code page has one.
std::optional<unsigned char> to_windows1251(char32_t cp);

// Decodes UTF-8; throws std::runtime_error on malformed input.
std::u32string decode_utf8(std::string_view text);

// Text escaped for the body of an RTF document in the given code page.
std::string rtf_escape(std::string_view utf8, RtfCodePage page);

std::string make_rtf(const RtfDocument& doc, RtfCodePage page);

}  // namespace sample_content
