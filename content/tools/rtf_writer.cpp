#include "rtf_writer.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "core/text_encoding.h"

namespace sample_content {
namespace {

void append_hex_byte(std::string& out, unsigned char byte) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<unsigned>(byte));
  out += buf;
}

// \uN takes a signed 16-bit number; characters beyond the BMP go as a
// surrogate pair. The '?' is what readers without Unicode show instead.
void append_unicode(std::string& out, char32_t cp) {
  auto unit = [&out](unsigned u) {
    out += "\\u";
    out += std::to_string(u >= 0x8000 ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
    out += '?';
  };
  if (cp >= 0x10000) {
    const unsigned v = static_cast<unsigned>(cp) - 0x10000;
    unit(0xD800 + (v >> 10));
    unit(0xDC00 + (v & 0x3FF));
  } else {
    unit(static_cast<unsigned>(cp));
  }
}

std::string paragraph(std::string_view format, const std::string& body) {
  std::string out = "\\pard";
  out += format;
  out += ' ';
  out += body;
  out += "\\par\r\n";
  return out;
}

}  // namespace

std::optional<unsigned char> to_windows1251(char32_t cp) {
  return vaticor::CodePointToWindows1251(cp);
}

std::u32string decode_utf8(std::string_view text) {
  std::optional<std::u32string> decoded = vaticor::DecodeUtf8(text);
  if (!decoded) throw std::runtime_error("malformed UTF-8");
  return std::move(*decoded);
}

std::string rtf_escape(std::string_view utf8, RtfCodePage page) {
  std::string out;
  for (const char32_t cp : decode_utf8(utf8)) {
    if (cp == '\\' || cp == '{' || cp == '}') {
      out += '\\';
      out += static_cast<char>(cp);
    } else if (cp == '\t') {
      out += "\\tab ";
    } else if (cp == '\n') {
      out += "\\line ";
    } else if (cp < 0x20) {
      // Other control characters have no place in a description.
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (page == RtfCodePage::Cyrillic1251) {
      if (const auto byte = to_windows1251(cp))
        append_hex_byte(out, *byte);
      else
        append_unicode(out, cp);
    } else {
      append_unicode(out, cp);
    }
  }
  return out;
}

std::string make_rtf(const RtfDocument& doc, RtfCodePage page) {
  const bool cyrillic = page == RtfCodePage::Cyrillic1251;
  std::string out;
  out += cyrillic ? "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049"
                    "{\\fonttbl{\\f0\\fnil\\fcharset204 Calibri;}}\r\n"
                  : "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033"
                    "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n";
  out += "{\\*\\generator Vaticor make_sample_content}\\viewkind4\\uc1 \r\n";
  out += paragraph("\\sa240\\sl276\\slmult1\\qc\\b\\f0\\fs36",
                   rtf_escape(doc.heading, page) + "\\b0\\fs24");
  out += paragraph("\\sa60\\sl276\\slmult1\\b", rtf_escape(doc.upright_label, page) + "\\b0");
  out += paragraph("\\sa200\\sl276\\slmult1", rtf_escape(doc.upright_text, page));
  out += paragraph("\\sa60\\sl276\\slmult1\\b", rtf_escape(doc.reversed_label, page) + "\\b0");
  out += paragraph("\\sa200\\sl276\\slmult1", rtf_escape(doc.reversed_text, page));
  out += "}\r\n";
  return out;
}

}  // namespace sample_content
