#include "rtf_writer.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace sample_content {
namespace {

// Windows-1251 bytes 0x80..0xBF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

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
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
  for (std::size_t i = 0; i < kCp1251High.size(); ++i)
    if (kCp1251High[i] != 0 && kCp1251High[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::u32string decode_utf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    } else {
      throw std::runtime_error("malformed UTF-8");
    }
    if (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size())
      throw std::runtime_error("truncated UTF-8");
    for (int k = 1; k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((cont & 0xC0) != 0x80) throw std::runtime_error("malformed UTF-8");
      cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      throw std::runtime_error("malformed UTF-8");
    out += cp;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
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
