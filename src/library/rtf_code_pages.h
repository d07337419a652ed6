#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct UConverter;  // ICU's; only rtf_code_pages.cpp includes ICU

namespace vaticor::rtf {

// The code pages of RTF text: bytes to Unicode code points. A code page is a
// Windows code-page number as \ansicpg and \cpg give it (1252, 1251, 932,
// 65001, ...); a character set is a font's \fcharset number. Conversion goes
// through ICU's converters. Nothing here fails: a code page ICU lacks reads as
// Windows-1252 (as Latin-1 when ICU lacks that too), and bytes a code page has
// no character for read as U+FFFD.

// The character set of symbol fonts (\fcharset2).
inline constexpr int kSymbolCharset = 2;

// Not a Windows code page: text in a symbol font, whose bytes are glyph
// numbers. Byte b (0x20 and up) reads as U+F000 + b, as Windows reads it;
// rtf_symbol_fonts.h turns the glyphs it knows into real characters.
inline constexpr int kSymbolCodePage = -2;

// Whether RTF text may be in this code page: the Windows, DOS and Mac code
// pages documents are written in, and UTF-8. EBCDIC ones are not (they would
// turn the ASCII of ordinary text into nonsense).
bool IsKnownCodePage(int codePage);

// The code page of a font character set, or 0 when text in the font follows
// the document's code page (DEFAULT_CHARSET and unknown sets). Character set
// 77 (Mac) takes the document's own code page when that is a Mac one.
int CharsetCodePage(int charset, int documentCodePage);

// What Windows-1252 has at byte cp (0x80-0x9F; U+FFFD where it has
// nothing), for text that gives C1 control characters where it means those.
char32_t Windows1252C1(char32_t cp);

// Decodes text bytes of the code pages one document uses. Memory: a 256-entry
// table for each single-byte code page asked for, one ICU converter for each
// multi-byte one; both are made on first use and live as long as the decoder.
// Not thread-safe; one decoder serves one read.
class CodePageDecoder {
 public:
  CodePageDecoder();
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  // Appends the characters of `bytes` to `out`: one per byte in single-byte
  // code pages, whole characters (never surrogates) in multi-byte ones. A
  // multi-byte character cut off at the end of `bytes` reads as U+FFFD, so
  // callers pass whole characters; no multi-byte code page continues a
  // character with a byte below 0x40. Time is linear in bytes.size().
  void Decode(int codePage, std::string_view bytes, std::u32string& out);

  // Whether every byte of the code page is a character by itself, so text
  // may be cut anywhere.
  bool IsSingleByte(int codePage);

 private:
  struct ConverterCloser {
    void operator()(UConverter* converter) const;
  };
  using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

  struct Entry {
    std::array<char32_t, 256> table{};
    ConverterPtr converter;  // set for multi-byte code pages only
  };

  static ConverterPtr OpenConverter(const std::string& name);
  static void DecodeMultiByte(UConverter* converter, std::string_view bytes, std::u32string& out);
  const Entry& Get(int codePage);

  std::unordered_map<int, Entry> entries_;
};

}  // namespace vaticor::rtf
