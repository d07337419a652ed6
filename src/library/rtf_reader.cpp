#include "library/rtf_reader.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/text_encoding.h"

namespace vaticor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Limits that keep hostile documents cheap. Groups nested deeper than
// kMaxGroupDepth are read as part of the deepest group kept; control words
// with longer names or parameters are read and ignored.
constexpr std::size_t kMaxGroupDepth = 1000;
constexpr std::size_t kMaxWordLetters = 32;
constexpr std::size_t kMaxParamDigits = 10;
constexpr std::size_t kMaxFontNameBytes = 31;  // as long as a Windows face name gets
constexpr std::size_t kMaxColours = 65536;
constexpr int kMaxUnicodeSkip = 64;
constexpr int kMaxHalfPoints = 3276;        // 1638 points, Word's largest
constexpr int kMaxIndentTwips = 31680;      // 22 inches, Word's limit
constexpr std::int64_t kMaxPictureTwips = 1'000'000;
constexpr std::size_t kDecodeChunkBytes = 4096;

// Paragraphs, runs, pictures and fonts a document may make: a fixed
// allowance plus one for every 16 bytes of input. Past it, text still comes
// through but joins the last run (paragraph breaks become line breaks), so
// the result stays within a small multiple of the input.
constexpr std::size_t kBaseElementBudget = 10'000;
constexpr std::size_t kBytesPerElement = 16;

std::size_t ElementBudget(std::size_t inputSize) {
  return kBaseElementBudget + inputSize / kBytesPerElement;
}


bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }
bool IsHighSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDBFF; }
bool IsLowSurrogate(char32_t cp) { return cp >= 0xDC00 && cp <= 0xDFFF; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EqualsAsciiIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool StartsWithAsciiIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsAsciiIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// ---------------------------------------------------------------------------
// Code pages

// Bytes in a symbol font (\fcharset2) are glyph numbers, not characters.
// They read as U+F0xx, as Windows reads them, and the font's own table (see
// MapSymbolFont) turns the common ones into real characters.
constexpr int kSymbolCodePage = -2;

// The ICU converter of a code page RTF may name, or empty text for code
// pages documents do not use (EBCDIC ones included: they would turn the
// ASCII of ordinary text into nonsense).
std::string ConverterName(int codePage) {
  switch (codePage) {
    case 874: return "windows-874";
    case 932: return "windows-932";  // Shift-JIS with Microsoft's additions
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 10000: return "macintosh";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10029: return "x-mac-centraleurroman";
    case 10081: return "x-mac-turkish";
    case 65001: return "UTF-8";
    default: break;
  }
  if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
  static constexpr std::array<int, 16> kDosCodePages = {437, 720, 737, 775, 850, 852, 855, 857,
                                                        860, 861, 862, 863, 864, 865, 866, 869};
  if (std::find(kDosCodePages.begin(), kDosCodePages.end(), codePage) != kDosCodePages.end()) {
    return "ibm-" + std::to_string(codePage);
  }
  return {};
}

bool IsKnownCodePage(int codePage) { return !ConverterName(codePage).empty(); }

// The code page of a font character set (\fcharset), or 0 when text in the
// font follows the document's code page (DEFAULT_CHARSET and unknown sets).
int CharsetCodePage(int charset, int documentCodePage) {
  switch (charset) {
    case 0: return 1252;    // ANSI
    case 2: return kSymbolCodePage;
    case 77:                // Mac: the document's own when it is a Mac one
      return documentCodePage >= 10000 && documentCodePage < 10100 ? documentCodePage : 10000;
    case 85: return 10006;  // Mac Greek
    case 86: return 10081;  // Mac Turkish
    case 88: return 10029;  // Mac Central European
    case 89: return 10007;  // Mac Cyrillic
    case 128: return 932;   // Shift-JIS
    case 129: return 949;   // Hangul
    case 134: return 936;   // GB2312
    case 136: return 950;   // Big5
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 163: return 1258;  // Vietnamese
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Cyrillic
    case 222: return 874;   // Thai
    case 238: return 1250;  // Eastern European
    case 254: return 437;   // PC 437
    case 255: return 850;   // OEM
    default: return 0;
  }
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Bytes a code page cannot convert read as U+FFFD (ICU's own substitute is
// U+001A for some single-byte code pages).
void SubstituteReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                           UConverterCallbackReason reason, UErrorCode* error) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  static const UChar kSubstitute = 0xFFFD;
  *error = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &kSubstitute, 1, 0, error);
}

ConverterPtr OpenConverter(const std::string& name) {
  if (name.empty()) return nullptr;
  UErrorCode error = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(name.c_str(), &error));
  if (U_FAILURE(error) || !converter) return nullptr;
  ucnv_setToUCallBack(converter.get(), SubstituteReplacement, nullptr, nullptr, nullptr, &error);
  if (U_FAILURE(error)) return nullptr;
  return converter;
}

// Decodes text bytes of the code pages one document uses. Single-byte code
// pages become a 256-entry table on first use; multi-byte ones keep their
// converter. Both live as long as the read.
class CodePageDecoder {
 public:
  void Decode(int codePage, std::string_view bytes, std::u32string& out) {
    if (codePage == kSymbolCodePage) {
      for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.push_back(b < 0x20 ? char32_t(b) : char32_t(0xF000 + b));
      }
      return;
    }
    const Entry& entry = Get(codePage);
    if (!entry.converter) {
      for (char c : bytes) out.push_back(entry.table[static_cast<unsigned char>(c)]);
      return;
    }
    DecodeMultiByte(entry.converter.get(), bytes, out);
  }

  bool IsSingleByte(int codePage) { return codePage == kSymbolCodePage || !Get(codePage).converter; }

 private:
  struct Entry {
    std::array<char32_t, 256> table{};
    ConverterPtr converter;  // set for multi-byte code pages only
  };

  const Entry& Get(int codePage) {
    auto found = entries_.find(codePage);
    if (found != entries_.end()) return found->second;
    Entry& entry = entries_[codePage];
    ConverterPtr converter = OpenConverter(ConverterName(codePage));
    if (!converter && codePage != 1252) converter = OpenConverter(ConverterName(1252));
    if (!converter) {
      for (std::size_t b = 0; b < 256; ++b) entry.table[b] = static_cast<char32_t>(b);  // Latin-1
      return entry;
    }
    if (ucnv_getMaxCharSize(converter.get()) > 1) {
      entry.converter = std::move(converter);
      return entry;
    }
    for (std::size_t b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      UChar units[4] = {};
      UErrorCode error = U_ZERO_ERROR;
      ucnv_reset(converter.get());
      const int32_t n = ucnv_toUChars(converter.get(), units, 4, &byte, 1, &error);
      // C1 controls are where a code page has no character (0x98 in
      // Windows-1251, 0x81 in Windows-1252), whatever ICU says.
      const bool ok = U_SUCCESS(error) && n == 1 && !IsSurrogate(units[0]) && (units[0] < 0x80 || units[0] > 0x9F);
      entry.table[b] = ok ? char32_t(units[0]) : kReplacement;
    }
    return entry;
  }

  static void DecodeMultiByte(UConverter* converter, std::string_view bytes, std::u32string& out) {
    // At most one UTF-16 unit per byte, plus a substitute for a cut-off
    // sequence at the end.
    std::u16string units(bytes.size() + 4, u'\0');
    UErrorCode error = U_ZERO_ERROR;
    ucnv_reset(converter);
    const int32_t n = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &error);
    if (U_FAILURE(error)) {
      out.append(bytes.size(), kReplacement);
      return;
    }
    for (int32_t i = 0; i < n; ++i) {
      const char32_t unit = units[static_cast<std::size_t>(i)];
      if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(units[static_cast<std::size_t>(i) + 1])) {
        out.push_back(0x10000 + ((unit - 0xD800) << 10) + (units[static_cast<std::size_t>(++i)] - 0xDC00));
      } else {
        out.push_back(IsSurrogate(unit) ? kReplacement : unit);
      }
    }
  }

  std::unordered_map<int, Entry> entries_;
};

// Windows-1252 bytes 0x80-0x9F.
constexpr std::array<char16_t, 32> kCp1252C1 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 98
};

// ---------------------------------------------------------------------------
// Symbol fonts

// Adobe Symbol, bytes 0x20-0xFF.
constexpr std::array<char16_t, 224> kSymbolFont = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,  // 20
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,  // 28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 38
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,  // 40
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,  // 48
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,  // 50
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,  // 58
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,  // 60
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,  // 68
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,  // 70
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0xFFFD,  // 78
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 80
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 88
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 90
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 98
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,  // A0
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,  // A8
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,  // B0
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,  // B8
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,  // C0
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,  // C8
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,  // D0
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,  // D8
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,  // E0
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,  // E8
    0xFFFD, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,  // F0
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0xFFFD,  // F8
};

// The Wingdings glyphs documents use as bullets and marks; 0 for others.
char32_t WingdingsCharacter(unsigned char glyph) {
  switch (glyph) {
    case 0x46: return 0x261E;  // pointing hand
    case 0x4A: return 0x263A;
    case 0x4C: return 0x2639;
    case 0x6C: return 0x25CF;  // black circle
    case 0x6E: return 0x25A0;  // black square
    case 0x6F: return 0x25A1;
    case 0x71: return 0x2751;
    case 0x75: return 0x25C6;
    case 0x76: return 0x2756;
    case 0x77: return 0x2B25;
    case 0xA7: return 0x25AA;  // small black square
    case 0xA8: return 0x25FB;
    case 0xD8: return 0x27A2;  // arrowhead
    case 0xE8: return 0x2794;
    case 0xF0: return 0x21E8;
    case 0xFB: return 0x2717;
    case 0xFC: return 0x2714;  // check mark
    case 0xFE: return 0x2611;
    default: return 0;
  }
}

enum class SymbolFont { None, Symbol, Wingdings, Other };

char32_t MapSymbolFont(char32_t cp, SymbolFont font, bool listText) {
  if (font != SymbolFont::None && cp >= 0xF020 && cp <= 0xF0FF) {
    const auto glyph = static_cast<unsigned char>(cp - 0xF000);
    if (font == SymbolFont::Symbol) {
      cp = kSymbolFont[glyph - 0x20];
    } else if (font == SymbolFont::Wingdings && WingdingsCharacter(glyph) != 0) {
      cp = WingdingsCharacter(glyph);
    }
  }
  // A list's bullet in a font this reader cannot show (or a code page it
  // cannot decode, as LibreOffice's OpenSymbol bullets) is still a bullet.
  if (listText && ((cp >= 0xE000 && cp <= 0xF8FF) || cp == kReplacement)) cp = 0x2022;
  return cp;
}

// ---------------------------------------------------------------------------
// Control words

enum class Kw : std::uint8_t {
  // document
  Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Bin,
  // destinations
  SkipDest, FontTable, ColourTable, Pict, Footnote, ListText, Container, TextDest,
  // font and colour tables
  F, FCharset, Cpg, Red, Green, Blue,
  // pictures
  PngBlip, JpegBlip, OtherBlip, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
  // character formatting
  Plain, B, I, Ul, UlNone, Strike, Fs, Cf, Highlight, Cb, Super, Sub, NoSuperSub, Hidden,
  // paragraph formatting
  Pard, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa,
  // breaks and characters
  Par, Line, Tab, Cell, Row, Char, Chftn,
};

struct WordInfo {
  Kw kw;
  char32_t cp = 0;          // the character of Kw::Char
  bool starredOk = false;   // a destination read even after "\*"
};

bool IsDestination(Kw kw) {
  switch (kw) {
    case Kw::SkipDest: case Kw::FontTable: case Kw::ColourTable: case Kw::Pict: case Kw::Footnote:
    case Kw::ListText: case Kw::Container: case Kw::TextDest:
      return true;
    default:
      return false;
  }
}

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = [] {
    std::unordered_map<std::string_view, WordInfo> w;
    w["ansi"] = {Kw::Ansi};
    w["mac"] = {Kw::Mac};
    w["pc"] = {Kw::Pc};
    w["pca"] = {Kw::Pca};
    w["ansicpg"] = {Kw::AnsiCpg};
    w["deff"] = {Kw::Deff};
    w["uc"] = {Kw::Uc};
    w["u"] = {Kw::U};
    w["bin"] = {Kw::Bin};

    // Destinations whose text is not part of what a reader sees.
    for (std::string_view name :
         {"stylesheet", "info", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
          "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
          "fldinst", "objdata", "objclass", "objname", "objalias", "objsect", "objitem", "objtopic",
          "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "mmathPr",
          "pn", "pnseclvl", "nonshppict", "sp", "shprslt", "do", "bkmkstart", "bkmkend", "xe", "tc",
          "tcn", "txe", "rxe", "filetbl", "pgdsctbl", "template", "author", "operator", "title",
          "subject", "keywords", "comment", "doccomm", "company", "category", "manager", "hlinkbase",
          "creatim", "revtim", "printim", "buptim", "userprops", "docvar", "ftnsep", "ftnsepc",
          "ftncn", "aftnsep", "aftnsepc", "aftncn", "annotation", "atnid", "atnauthor", "atndate",
          "atnref", "atnparent", "atrfstart", "atrfend", "falt", "panose", "fname", "fontemb",
          "fontfile", "listpicture", "background", "blipuid", "picprop", "protusertbl", "private",
          "wgrffmtfilter", "formfield", "ffname", "htmltag", "mhtmltag", "pxe", "passwordhash",
          "password", "bookmark", "nonesttables"}) {
      w[name] = {Kw::SkipDest};
    }
    w["fonttbl"] = {Kw::FontTable};
    w["colortbl"] = {Kw::ColourTable};
    w["pict"] = {Kw::Pict};
    w["footnote"] = {Kw::Footnote};
    w["pntext"] = {Kw::ListText};
    w["listtext"] = {Kw::ListText};
    // Wrappers: their own text is dropped, some of their parts are read.
    w["shp"] = {Kw::Container};
    w["shpgrp"] = {Kw::Container};
    w["shpinst"] = {Kw::Container, 0, true};
    w["object"] = {Kw::Container};
    w["upr"] = {Kw::Container};
    // Parts read as text: a shape's text, an object's and a field's
    // displayed result, the Unicode half of \upr, Word's picture wrapper.
    w["shptxt"] = {Kw::TextDest, 0, true};
    w["result"] = {Kw::TextDest};
    w["fldrslt"] = {Kw::TextDest};
    w["ud"] = {Kw::TextDest, 0, true};
    w["shppict"] = {Kw::TextDest, 0, true};
    // Word keeps a nested table row's properties here, other writers the
    // row's text as well.
    w["nesttableprops"] = {Kw::TextDest, 0, true};

    w["f"] = {Kw::F};
    w["fcharset"] = {Kw::FCharset};
    w["cpg"] = {Kw::Cpg};
    w["red"] = {Kw::Red};
    w["green"] = {Kw::Green};
    w["blue"] = {Kw::Blue};

    w["pngblip"] = {Kw::PngBlip};
    w["jpegblip"] = {Kw::JpegBlip};
    for (std::string_view name : {"emfblip", "macpict", "pmmetafile", "wmetafile", "dibitmap", "wbitmap"}) {
      w[name] = {Kw::OtherBlip};
    }
    w["picw"] = {Kw::PicW};
    w["pich"] = {Kw::PicH};
    w["picwgoal"] = {Kw::PicWGoal};
    w["pichgoal"] = {Kw::PicHGoal};
    w["picscalex"] = {Kw::PicScaleX};
    w["picscaley"] = {Kw::PicScaleY};

    w["plain"] = {Kw::Plain};
    w["b"] = {Kw::B};
    w["i"] = {Kw::I};
    for (std::string_view name :
         {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
          "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
      w[name] = {Kw::Ul};
    }
    w["ulnone"] = {Kw::UlNone};
    w["strike"] = {Kw::Strike};
    w["striked"] = {Kw::Strike};
    w["fs"] = {Kw::Fs};
    w["cf"] = {Kw::Cf};
    w["highlight"] = {Kw::Highlight};
    w["cb"] = {Kw::Cb};
    w["chcbpat"] = {Kw::Cb};
    w["super"] = {Kw::Super};
    w["sub"] = {Kw::Sub};
    w["nosupersub"] = {Kw::NoSuperSub};
    w["v"] = {Kw::Hidden};
    w["htmlrtf"] = {Kw::Hidden};  // Outlook's RTF-only parts of encapsulated HTML

    w["pard"] = {Kw::Pard};
    w["ql"] = {Kw::Ql};
    w["qr"] = {Kw::Qr};
    w["qc"] = {Kw::Qc};
    w["qj"] = {Kw::Qj};
    w["qd"] = {Kw::Qj};
    w["li"] = {Kw::Li};
    w["ri"] = {Kw::Ri};
    w["fi"] = {Kw::Fi};
    w["sb"] = {Kw::Sb};
    w["sa"] = {Kw::Sa};

    w["par"] = {Kw::Par};
    w["sect"] = {Kw::Par};
    w["page"] = {Kw::Par};
    w["line"] = {Kw::Line};
    w["tab"] = {Kw::Tab};
    w["cell"] = {Kw::Cell};
    w["nestcell"] = {Kw::Cell};
    w["row"] = {Kw::Row};
    w["nestrow"] = {Kw::Row};
    w["chftn"] = {Kw::Chftn};
    w["emdash"] = {Kw::Char, 0x2014};
    w["endash"] = {Kw::Char, 0x2013};
    w["lquote"] = {Kw::Char, 0x2018};
    w["rquote"] = {Kw::Char, 0x2019};
    w["ldblquote"] = {Kw::Char, 0x201C};
    w["rdblquote"] = {Kw::Char, 0x201D};
    w["bullet"] = {Kw::Char, 0x2022};
    w["emspace"] = {Kw::Char, 0x2003};
    w["enspace"] = {Kw::Char, 0x2002};
    w["qmspace"] = {Kw::Char, 0x2005};
    w["zwj"] = {Kw::Char, 0x200D};
    w["zwnj"] = {Kw::Char, 0x200C};
    w["ltrmark"] = {Kw::Char, 0x200E};
    w["rtlmark"] = {Kw::Char, 0x200F};
    return w;
  }();
  return words;
}

// ---------------------------------------------------------------------------
// The reader

// What the text of a group is for.
enum class Dest : std::uint8_t {
  Text,         // shown
  Skip,         // not shown; only braces and \bin matter
  Container,    // its own text dropped, some inner destinations shown
  FontTable,
  ColourTable,
  Picture,
};

enum class Target : std::uint8_t { Body, Footnote };

struct CharFormat {
  std::optional<int> font;  // \f; none = the document's default font (\deff)
  int halfPoints = 0;       // \fs; 0 = default
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  Script script = Script::Normal;
  int colour = -1;      // colour table indexes; -1 = none
  int highlight = -1;
  int background = -1;
};

struct ParaFormat {
  Alignment align = Alignment::Left;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
};

// Everything an RTF group saves and restores. Plain data: groups are pushed
// and popped by copying it.
struct GroupState {
  CharFormat chr;
  ParaFormat para;
  int unicodeSkip = 1;  // \uc
  Dest dest = Dest::Text;
  Target target = Target::Body;
  bool listText = false;  // \pntext, \listtext
  bool starred = false;   // "\*" read, the destination's name not yet
};

struct FontInfo {
  std::string name;
  int charset = -1;  // \fcharset; -1 = none given
  int codePage = 0;  // \cpg; 0 = none given
};

struct PictureData {
  std::optional<EmbeddedPicture::Format> format;
  std::string bytes;
  int nibble = -1;  // first hex digit of a byte, when one is waiting
  std::int64_t width = 0, height = 0, goalWidth = 0, goalHeight = 0;
  std::int64_t scaleX = 100, scaleY = 100;
};

// Paragraphs being written into: the body or the footnotes.
struct Flow {
  std::vector<Paragraph> done;
  Paragraph current;
  ParaFormat lastFormat;  // where text was last added, for a paragraph the file leaves open
};

class RtfReader {
 public:
  explicit RtfReader(std::string_view input) : in_(input), budget_(ElementBudget(input.size())) {}

  RichDocument Read() {
    // Bytes before the first "{" are junk from whatever wrote the file; a
    // file without any is read from its start as if it had one.
    const std::size_t open = in_.find('{');
    pos_ = open == std::string_view::npos ? 0 : open + 1;
    stack_.push_back(GroupState{});
    while (pos_ < in_.size() && !finished_) Step();
    Finish();

    RichDocument document;
    document.fromRtf = true;
    document.paragraphs = std::move(body_.done);
    document.paragraphs.insert(document.paragraphs.end(), std::make_move_iterator(notes_.done.begin()),
                               std::make_move_iterator(notes_.done.end()));
    document.pictures = std::move(pictures_);
    return document;
  }

 private:
  void Step() {
    const char c = in_[pos_];
    switch (c) {
      case '{':
        ++pos_;
        OpenGroup();
        break;
      case '}':
        ++pos_;
        CloseGroup();
        break;
      case '\\':
        ReadControl();
        break;
      case '\r':
      case '\n':
        ++pos_;  // line ends in the file are not text
        break;
      default:
        if (!TextSpan()) {
          ++pos_;
          TextByte(static_cast<unsigned char>(c), true);
        }
        break;
    }
  }

  // Plain text of the shown kind taken a stretch at a time rather than byte
  // by byte; false when the next byte needs TextByte's care.
  bool TextSpan() {
    const GroupState& top = Top();
    if (top.dest != Dest::Text || top.starred || fallbackLeft_ > 0) return false;
    std::size_t end = pos_;
    while (end < in_.size() && end - pos_ < kDecodeChunkBytes) {
      const auto b = static_cast<unsigned char>(in_[end]);
      if (b == '{' || b == '}' || b == '\\' || (b < 0x20 && b != '\t')) break;
      ++end;
    }
    if (end == pos_) return false;
    if (bytes_.empty()) bytesCodePage_ = CurrentCodePage();
    bytes_.append(in_.substr(pos_, end - pos_));
    pos_ = end;
    if (bytes_.size() >= kDecodeChunkBytes &&
        (static_cast<unsigned char>(bytes_.back()) < 0x40 || decoder_.IsSingleByte(bytesCodePage_))) {
      FlushBytes();
    }
    return true;
  }

  GroupState& Top() { return stack_.back(); }

  // "\*" followed by anything but the name of a destination read even so.
  bool EndStar() {
    GroupState& top = Top();
    if (!top.starred) return false;
    top.starred = false;
    top.dest = Dest::Skip;
    return true;
  }

  void OpenGroup() {
    FlushBytes();
    fallbackLeft_ = 0;
    EndStar();
    if (overflow_ > 0 || stack_.size() >= kMaxGroupDepth) {
      ++overflow_;
      return;
    }
    GroupState child = Top();
    if (child.dest == Dest::Picture) child.dest = Dest::Skip;
    stack_.push_back(child);
  }

  void CloseGroup() {
    FlushBytes();
    fallbackLeft_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    const GroupState closing = Top();
    if (closing.dest == Dest::FontTable) EndFontEntry();
    if (closing.dest == Dest::Picture) EndPicture(closing);
    if (stack_.size() == 1) {
      finished_ = true;  // the document's own group; whatever follows is not part of it
      return;
    }
    stack_.pop_back();
    if (closing.target == Target::Footnote && Top().target != Target::Footnote) {
      EndOpenParagraph(notes_);
    }
  }

  void Finish() {
    FlushBytes();
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      Deliver(kReplacementUtf8);
    }
    while (!finished_) CloseGroup();  // a truncated file: its groups end with it
    EndOpenParagraph(body_);
    EndOpenParagraph(notes_);
  }

  // --- tokens -------------------------------------------------------------

  void ReadControl() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (IsAsciiLetter(c)) {
      ReadWord();
      return;
    }
    ++pos_;
    if (c == '\'') {
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0) {
        value = value * 16 + HexValue(in_[pos_]);
        ++digits;
        ++pos_;
      }
      if (EndStar()) return;
      if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
      }
      if (digits > 0) TextByte(static_cast<unsigned char>(value), false);
      return;
    }
    Symbol(c);
  }

  void Symbol(char c) {
    if (c == '*') {
      if (overflow_ == 0) Top().starred = true;
      return;
    }
    if (c == '\\' || c == '{' || c == '}') {
      TextByte(static_cast<unsigned char>(c), false);  // may be the second byte of a DBCS character
      return;
    }
    FlushBytes();
    if (EndStar()) return;
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    switch (c) {
      case '~':
        EmitCodePoint(0x00A0);
        break;
      case '_':
        EmitCodePoint(0x2011);
        break;
      case '\t':
        EmitCodePoint('\t');
        break;
      case '\r':
      case '\n':
        if (Top().dest == Dest::Text) EndParagraph(FlowOf(Top()), Top().para);
        break;
      default:
        break;  // "\-" (optional hyphen) and symbols of indexes and formulas
    }
  }

  void ReadWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsAsciiLetter(in_[pos_])) ++pos_;
    const std::string_view name = in_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    std::size_t digits = 0;
    std::int64_t value = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      if (digits < kMaxParamDigits) value = value * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    FlushBytes();
    const bool valid = name.size() <= kMaxWordLetters && digits <= kMaxParamDigits;
    Word(name, digits > 0, negative ? -value : value, valid);
  }

  static int ClampInt(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(value, low, high));
  }

  void Word(std::string_view name, bool hasParam, std::int64_t param, bool valid) {
    const auto& words = Words();
    const auto found = valid ? words.find(name) : words.end();
    const WordInfo* info = found == words.end() ? nullptr : &found->second;

    if (fallbackLeft_ > 0) {  // a control word stands for one fallback character
      --fallbackLeft_;
      if (info && info->kw == Kw::Bin) SkipBinary(param, false);
      return;
    }
    GroupState& top = Top();
    if (top.starred) {
      top.starred = false;
      if (!info || !info->starredOk) {
        top.dest = Dest::Skip;
        if (info && info->kw == Kw::Bin) SkipBinary(param, false);
        return;
      }
    }
    if (!info) return;
    if (info->kw == Kw::Bin) {
      SkipBinary(hasParam ? param : 0, top.dest == Dest::Picture);
      return;
    }
    if (top.dest == Dest::Skip) return;
    if (IsDestination(info->kw)) {
      if (overflow_ == 0) EnterDestination(info->kw, top);
      return;
    }
    switch (info->kw) {
      case Kw::U:
        UnicodeCharacter(param);
        return;
      case Kw::Uc:
        top.unicodeSkip = hasParam ? ClampInt(param, 0, kMaxUnicodeSkip) : 1;
        return;
      default:
        break;
    }
    switch (top.dest) {
      case Dest::FontTable:
        FontTableWord(info->kw, param);
        return;
      case Dest::ColourTable:
        ColourTableWord(info->kw, param);
        return;
      case Dest::Picture:
        PictureWord(info->kw, param);
        return;
      case Dest::Text:
      case Dest::Container:
        TextWord(*info, hasParam, param);
        return;
      case Dest::Skip:
        return;
    }
  }

  void EnterDestination(Kw kw, GroupState& top) {
    switch (kw) {
      case Kw::SkipDest:
        top.dest = Dest::Skip;
        break;
      case Kw::FontTable:
        top.dest = Dest::FontTable;
        currentFont_.reset();
        fontName_.clear();
        break;
      case Kw::ColourTable:
        top.dest = Dest::ColourTable;
        colours_.clear();
        colourSet_ = false;
        red_ = green_ = blue_ = 0;
        break;
      case Kw::Pict:
        top.dest = Dest::Picture;
        picture_ = PictureData{};
        break;
      case Kw::Footnote:
        top.dest = Dest::Text;
        if (top.target != Target::Footnote) ++footnoteCount_;
        top.target = Target::Footnote;
        break;
      case Kw::ListText:
        top.dest = Dest::Text;
        top.listText = true;
        break;
      case Kw::Container:
        top.dest = Dest::Container;
        break;
      case Kw::TextDest:
        top.dest = Dest::Text;
        break;
      default:
        break;
    }
  }

  void TextWord(const WordInfo& info, bool hasParam, std::int64_t param) {
    GroupState& top = Top();
    CharFormat& chr = top.chr;
    ParaFormat& para = top.para;
    const bool on = !hasParam || param != 0;
    const int index = ClampInt(param, -1, INT32_MAX);
    const int twips = ClampInt(param, -kMaxIndentTwips, kMaxIndentTwips);
    switch (info.kw) {
      case Kw::Ansi: charsetCodePage_ = 1252; break;
      case Kw::Mac: charsetCodePage_ = 10000; break;
      case Kw::Pc: charsetCodePage_ = 437; break;
      case Kw::Pca: charsetCodePage_ = 850; break;
      case Kw::AnsiCpg:
        if (IsKnownCodePage(ClampInt(param, 0, INT32_MAX))) ansiCodePage_ = ClampInt(param, 0, INT32_MAX);
        break;
      case Kw::Deff: defaultFont_ = ClampInt(param, INT32_MIN, INT32_MAX); break;

      case Kw::Plain: chr = CharFormat{}; break;
      case Kw::F: chr.font = ClampInt(param, INT32_MIN, INT32_MAX); break;
      case Kw::B: chr.bold = on; break;
      case Kw::I: chr.italic = on; break;
      case Kw::Ul: chr.underline = on; break;
      case Kw::UlNone: chr.underline = false; break;
      case Kw::Strike: chr.strike = on; break;
      case Kw::Fs: chr.halfPoints = !hasParam ? 24 : param <= 0 ? 0 : ClampInt(param, 1, kMaxHalfPoints); break;
      case Kw::Cf: chr.colour = index; break;
      case Kw::Highlight: chr.highlight = index; break;
      case Kw::Cb: chr.background = index; break;
      case Kw::Super: chr.script = on ? Script::Super : Script::Normal; break;
      case Kw::Sub: chr.script = on ? Script::Sub : Script::Normal; break;
      case Kw::NoSuperSub: chr.script = Script::Normal; break;
      case Kw::Hidden: chr.hidden = on; break;

      case Kw::Pard: para = ParaFormat{}; break;
      case Kw::Ql: para.align = Alignment::Left; break;
      case Kw::Qr: para.align = Alignment::Right; break;
      case Kw::Qc: para.align = Alignment::Centre; break;
      case Kw::Qj: para.align = Alignment::Justify; break;
      case Kw::Li: para.leftIndent = twips; break;
      case Kw::Ri: para.rightIndent = twips; break;
      case Kw::Fi: para.firstLineIndent = twips; break;
      case Kw::Sb: para.spaceBefore = std::max(0, twips); break;
      case Kw::Sa: para.spaceAfter = std::max(0, twips); break;

      default:
        if (top.dest == Dest::Text) BreakOrCharacter(info);
        break;
    }
  }

  void BreakOrCharacter(const WordInfo& info) {
    GroupState& top = Top();
    switch (info.kw) {
      case Kw::Par:
        EndParagraph(FlowOf(top), top.para);
        break;
      case Kw::Line:
        EmitCodePoint('\n');
        break;
      case Kw::Tab:
      case Kw::Cell:  // cells of a table row read as tab-separated text
        EmitCodePoint('\t');
        break;
      case Kw::Row:
        EndRow(FlowOf(top), top.para);
        break;
      case Kw::Char:
        EmitCodePoint(info.cp);
        break;
      case Kw::Chftn: {
        // The mark in the body comes before its footnote's group.
        const std::size_t number = top.target == Target::Footnote ? footnoteCount_ : footnoteCount_ + 1;
        std::u32string digits;
        for (char d : std::to_string(number)) digits.push_back(static_cast<char32_t>(d));
        EmitCodePoints(digits);
        break;
      }
      default:
        break;
    }
  }

  void FontTableWord(Kw kw, std::int64_t param) {
    switch (kw) {
      case Kw::F: {
        if (!fontName_.empty()) EndFontEntry();
        const int id = ClampInt(param, INT32_MIN, INT32_MAX);
        currentFont_.reset();
        if (fonts_.find(id) == fonts_.end()) {
          if (budget_ == 0) return;
          --budget_;
          fonts_[id] = FontInfo{};
        }
        currentFont_ = id;
        break;
      }
      case Kw::FCharset:
        if (currentFont_) fonts_[*currentFont_].charset = ClampInt(param, -1, 1000);
        break;
      case Kw::Cpg:
        if (currentFont_) fonts_[*currentFont_].codePage = ClampInt(param, 0, INT32_MAX);
        break;
      default:
        break;
    }
  }

  void EndFontEntry() {
    FlushBytes();
    if (currentFont_) {
      std::string_view name = fontName_;
      while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
      if (name.size() > kMaxFontNameBytes) {
        std::size_t cut = kMaxFontNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name = name.substr(0, cut);
      }
      if (!name.empty()) fonts_[*currentFont_].name = std::string(name);
    }
    currentFont_.reset();
    fontName_.clear();
  }

  void ColourTableWord(Kw kw, std::int64_t param) {
    const int value = ClampInt(param, 0, 255);
    switch (kw) {
      case Kw::Red: red_ = value; colourSet_ = true; break;
      case Kw::Green: green_ = value; colourSet_ = true; break;
      case Kw::Blue: blue_ = value; colourSet_ = true; break;
      default: break;
    }
  }

  void EndColour() {
    if (colours_.size() < kMaxColours) {
      colours_.push_back(colourSet_ ? std::optional<std::uint32_t>((std::uint32_t(red_) << 16) |
                                                                   (std::uint32_t(green_) << 8) |
                                                                   std::uint32_t(blue_))
                                    : std::nullopt);
    }
    colourSet_ = false;
    red_ = green_ = blue_ = 0;
  }

  void PictureWord(Kw kw, std::int64_t param) {
    const std::int64_t value = std::clamp<std::int64_t>(param, 0, kMaxPictureTwips);
    switch (kw) {
      case Kw::PngBlip: picture_.format = EmbeddedPicture::Format::Png; break;
      case Kw::JpegBlip: picture_.format = EmbeddedPicture::Format::Jpeg; break;
      case Kw::OtherBlip: picture_.format.reset(); break;
      case Kw::PicW: picture_.width = value; break;
      case Kw::PicH: picture_.height = value; break;
      case Kw::PicWGoal: picture_.goalWidth = value; break;
      case Kw::PicHGoal: picture_.goalHeight = value; break;
      case Kw::PicScaleX: picture_.scaleX = std::clamp<std::int64_t>(param, 1, 1000); break;
      case Kw::PicScaleY: picture_.scaleY = std::clamp<std::int64_t>(param, 1, 1000); break;
      default: break;
    }
  }

  void PictureHexDigit(char c) {
    const int v = HexValue(c);
    if (v < 0 || !picture_.format) return;
    if (picture_.nibble < 0) {
      picture_.nibble = v;
    } else {
      picture_.bytes.push_back(static_cast<char>((picture_.nibble << 4) | v));
      picture_.nibble = -1;
    }
  }

  // \bin: raw bytes follow, as many as the parameter says (or as remain).
  void SkipBinary(std::int64_t count, bool intoPicture) {
    const std::size_t n = static_cast<std::size_t>(std::clamp<std::int64_t>(
        count, 0, static_cast<std::int64_t>(in_.size() - pos_)));
    if (intoPicture && picture_.format) {
      picture_.nibble = -1;
      picture_.bytes.append(in_.substr(pos_, n));
    }
    pos_ += n;
  }

  void EndPicture(const GroupState& group) {
    PictureData data = std::move(picture_);
    picture_ = PictureData{};
    if (!data.format || data.bytes.empty() || group.chr.hidden || budget_ == 0) return;
    // The stored bytes decide, whatever the file claims they are.
    EmbeddedPicture picture;
    if (data.bytes.starts_with("\x89PNG\r\n\x1A\n")) {
      picture.format = EmbeddedPicture::Format::Png;
    } else if (data.bytes.starts_with("\xFF\xD8\xFF")) {
      picture.format = EmbeddedPicture::Format::Jpeg;
    } else {
      return;
    }
    --budget_;
    // Goal sizes are twips; without them \picw and \pich give PNG and JPEG
    // pixels, at 96 per inch.
    auto size = [](std::int64_t goal, std::int64_t pixels, std::int64_t scale) {
      const std::int64_t twips = goal > 0 ? goal : pixels * 15;
      return static_cast<int>(std::clamp<std::int64_t>(twips * scale / 100, 0, kMaxPictureTwips));
    };
    picture.widthTwips = size(data.goalWidth, data.width, data.scaleX);
    picture.heightTwips = size(data.goalHeight, data.height, data.scaleY);
    picture.bytes = std::move(data.bytes);
    pictures_.push_back(std::move(picture));

    Flow& flow = FlowOf(group);
    TextRun run = RunFormat(group.chr);
    run.picture = pictures_.size() - 1;
    flow.current.runs.push_back(std::move(run));
    flow.lastFormat = group.para;
  }

  // --- text -----------------------------------------------------------------

  // A byte of text: a literal character (`literal`) or an escaped one.
  void TextByte(unsigned char b, bool literal) {
    if (EndStar()) return;
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    const Dest dest = Top().dest;
    switch (dest) {
      case Dest::Text:
      case Dest::FontTable:
        if (literal && b == ';' && dest == Dest::FontTable) {
          EndFontEntry();
          return;
        }
        if (b < 0x20 && b != '\t') return;  // NUL and other control bytes
        if (bytes_.empty()) bytesCodePage_ = CurrentCodePage();
        bytes_.push_back(static_cast<char>(b));
        // Long text is decoded piecewise, between characters: no multi-byte
        // code page continues a character with a byte below 0x40.
        if (bytes_.size() >= kDecodeChunkBytes && (b < 0x40 || decoder_.IsSingleByte(bytesCodePage_))) {
          FlushBytes();
        }
        return;
      case Dest::ColourTable:
        if (literal && b == ';') EndColour();
        return;
      case Dest::Picture:
        if (literal) PictureHexDigit(static_cast<char>(b));
        return;
      case Dest::Skip:
      case Dest::Container:
        return;
    }
  }

  void FlushBytes() {
    if (bytes_.empty()) return;
    std::u32string cps;
    decoder_.Decode(bytesCodePage_, bytes_, cps);
    bytes_.clear();
    EmitCodePoints(cps);
  }

  void UnicodeCharacter(std::int64_t param) {
    // RTF gives UTF-16 units as signed 16-bit numbers; some writers give
    // whole code points beyond U+FFFF, taken as they are.
    std::int64_t value = param < 0 ? param + 65536 : param;
    if (value < 0 || value > 0x10FFFF) value = kReplacement;
    // C1 controls stand for what Windows-1252 has there, as in HTML.
    if (value >= 0x80 && value <= 0x9F) value = kCp1252C1[value - 0x80];
    EmitCodePoint(static_cast<char32_t>(value));
    fallbackLeft_ = Top().unicodeSkip;
  }

  void EmitCodePoint(char32_t cp) { EmitCodePoints(std::u32string_view(&cp, 1)); }

  void EmitCodePoints(std::u32string_view cps) {
    const GroupState& top = Top();
    if (top.dest != Dest::Text && top.dest != Dest::FontTable) return;
    const SymbolFont symbol = top.dest == Dest::Text ? SymbolFontOf(top) : SymbolFont::None;
    std::string utf8;
    for (char32_t cp : cps) {
      if (cp < 0x20 && cp != '\t' && cp != '\n') continue;  // NUL and other control characters
      if (IsHighSurrogate(cp)) {
        if (pendingHigh_ != 0) utf8 += kReplacementUtf8;
        pendingHigh_ = cp;
        continue;
      }
      if (IsLowSurrogate(cp)) {
        cp = pendingHigh_ != 0 ? 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (cp - 0xDC00) : kReplacement;
        pendingHigh_ = 0;
      } else if (pendingHigh_ != 0) {
        utf8 += kReplacementUtf8;
        pendingHigh_ = 0;
      }
      AppendUtf8(utf8, MapSymbolFont(cp, symbol, top.listText));
    }
    Deliver(utf8);
  }

  void Deliver(std::string_view utf8) {
    if (utf8.empty()) return;
    const GroupState& top = Top();
    if (top.dest == Dest::Text) {
      if (!top.chr.hidden) AppendText(FlowOf(top), top, utf8);
    } else if (top.dest == Dest::FontTable) {
      if (fontName_.size() < 4 * kMaxFontNameBytes) fontName_ += utf8;
    }
  }

  Flow& FlowOf(const GroupState& state) { return state.target == Target::Footnote ? notes_ : body_; }

  // --- fonts, colours, code pages -------------------------------------------

  int DocumentCodePage() const { return ansiCodePage_ != 0 ? ansiCodePage_ : charsetCodePage_; }

  const FontInfo* FontOf(const GroupState& state) const {
    const std::optional<int> id = state.chr.font ? state.chr.font : defaultFont_;
    if (!id) return nullptr;
    const auto found = fonts_.find(*id);
    return found == fonts_.end() ? nullptr : &found->second;
  }

  static bool IsSymbolName(std::string_view name) { return EqualsAsciiIgnoreCase(name, "Symbol"); }

  int FontCodePage(const FontInfo& font) const {
    if (font.codePage != 0 && IsKnownCodePage(font.codePage)) return font.codePage;
    if ((font.charset < 0 || font.charset == 1) && IsSymbolName(font.name)) return kSymbolCodePage;
    const int cp = CharsetCodePage(font.charset, DocumentCodePage());
    return cp != 0 ? cp : DocumentCodePage();
  }

  int CurrentCodePage() const {
    const GroupState& top = stack_.back();
    if (top.dest == Dest::FontTable) {
      if (currentFont_) {
        const auto found = fonts_.find(*currentFont_);
        if (found != fonts_.end() && found->second.charset != 2) return FontCodePage(found->second);
      }
      return DocumentCodePage();
    }
    const FontInfo* font = FontOf(top);
    return font ? FontCodePage(*font) : DocumentCodePage();
  }

  SymbolFont SymbolFontOf(const GroupState& state) const {
    const FontInfo* font = FontOf(state);
    if (!font) return SymbolFont::None;
    if (IsSymbolName(font->name) && (font->charset == 2 || font->charset < 0 || font->charset == 1)) {
      return SymbolFont::Symbol;
    }
    if (font->charset != 2) return SymbolFont::None;
    return StartsWithAsciiIgnoreCase(font->name, "Wingdings") ? SymbolFont::Wingdings : SymbolFont::Other;
  }

  std::optional<std::uint32_t> ColourAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colours_.size()) return std::nullopt;
    return colours_[static_cast<std::size_t>(index)];
  }

  TextRun RunFormat(const CharFormat& chr) const {
    TextRun run;
    const std::optional<int> id = chr.font ? chr.font : defaultFont_;
    if (id) {
      const auto found = fonts_.find(*id);
      if (found != fonts_.end()) run.font = found->second.name;
    }
    run.pointSize = chr.halfPoints / 2.0;
    run.bold = chr.bold;
    run.italic = chr.italic;
    run.underline = chr.underline;
    run.strike = chr.strike;
    run.script = chr.script;
    run.colour = ColourAt(chr.colour);
    run.highlight = ColourAt(chr.highlight);
    if (!run.highlight) run.highlight = ColourAt(chr.background);
    return run;
  }

  // --- paragraphs -----------------------------------------------------------

  void AppendText(Flow& flow, const GroupState& state, std::string_view utf8) {
    TextRun format = RunFormat(state.chr);
    std::vector<TextRun>& runs = flow.current.runs;
    const bool canJoin = !runs.empty() && !runs.back().picture;
    if (canJoin && (budget_ == 0 || runs.back().SameFormat(format))) {
      runs.back().text += utf8;
    } else {
      if (budget_ > 0) --budget_;
      format.text = std::string(utf8);
      runs.push_back(std::move(format));
    }
    flow.lastFormat = state.para;
  }

  // `last`: the end of the document, which always closes the paragraph.
  void EndParagraph(Flow& flow, const ParaFormat& format, bool last = false) {
    if (pendingHigh_ != 0) {
      pendingHigh_ = 0;
      Deliver(kReplacementUtf8);
    }
    Paragraph& paragraph = flow.current;
    if (budget_ == 0 && !last) {
      // Out of allowance: the break stays as a line break.
      if (paragraph.runs.empty()) return;
      if (paragraph.runs.back().picture) {
        TextRun run = paragraph.runs.back();
        run.picture.reset();
        run.text.assign(1, '\n');
        paragraph.runs.push_back(std::move(run));
      } else {
        paragraph.runs.back().text.push_back('\n');
      }
      return;
    }
    if (budget_ > 0) --budget_;
    paragraph.align = format.align;
    paragraph.leftIndent = format.leftIndent;
    paragraph.rightIndent = format.rightIndent;
    paragraph.firstLineIndent = format.firstLineIndent;
    paragraph.spaceBefore = format.spaceBefore;
    paragraph.spaceAfter = format.spaceAfter;
    flow.done.push_back(std::move(paragraph));
    paragraph = Paragraph{};
  }

  // The end of a table row: the tab after its last cell goes.
  void EndRow(Flow& flow, const ParaFormat& format) {
    std::vector<TextRun>& runs = flow.current.runs;
    if (!runs.empty() && !runs.back().picture && !runs.back().text.empty() && runs.back().text.back() == '\t') {
      runs.back().text.pop_back();
      if (runs.back().text.empty()) runs.pop_back();
    }
    if (!runs.empty()) EndParagraph(flow, format);
  }

  // A paragraph the file leaves without \par keeps the formatting its text
  // was written in.
  void EndOpenParagraph(Flow& flow) {
    if (!flow.current.runs.empty()) EndParagraph(flow, flow.lastFormat, true);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::size_t budget_;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;  // groups opened beyond kMaxGroupDepth and not yet closed
  bool finished_ = false;

  int charsetCodePage_ = 1252;  // \ansi, \mac, \pc, \pca
  int ansiCodePage_ = 0;        // \ansicpg, when known
  std::optional<int> defaultFont_;

  std::unordered_map<int, FontInfo> fonts_;
  std::optional<int> currentFont_;  // the font table entry being read
  std::string fontName_;
  std::vector<std::optional<std::uint32_t>> colours_;
  bool colourSet_ = false;
  int red_ = 0, green_ = 0, blue_ = 0;

  CodePageDecoder decoder_;
  std::string bytes_;  // text bytes not yet decoded, all in bytesCodePage_
  int bytesCodePage_ = 1252;
  char32_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
  int fallbackLeft_ = 0;      // characters still to skip after \u

  PictureData picture_;
  std::vector<EmbeddedPicture> pictures_;
  std::size_t footnoteCount_ = 0;
  Flow body_;
  Flow notes_;
};

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

RichDocument ReadRtf(std::string_view bytes) {
  return RtfReader(bytes.substr(0, kMaxDescriptionBytes)).Read();
}

RichDocument ReadPlainTextDocument(std::string_view bytes) {
  bytes = bytes.substr(0, kMaxDescriptionBytes);
  const std::string text = DecodeText(bytes).utf8;
  RichDocument document;
  std::size_t budget = ElementBudget(bytes.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    std::string line;
    line.reserve(end - pos);
    for (std::size_t i = pos; i < end; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c >= 0x20 || c == '\t') line.push_back(text[i]);
    }
    if (budget > 0) {
      --budget;
      Paragraph paragraph;
      if (!line.empty()) {
        paragraph.runs.emplace_back();
        paragraph.runs.back().text = std::move(line);
      }
      document.paragraphs.push_back(std::move(paragraph));
    } else {
      // Out of allowance: the rest joins the last paragraph, line by line.
      Paragraph& last = document.paragraphs.back();
      if (last.runs.empty()) last.runs.emplace_back();
      last.runs.back().text += '\n';
      last.runs.back().text += line;
    }
    pos = end;
    if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
  }
  return document;
}

RichDocument ReadDescriptionDocument(std::string_view bytes) {
  std::string_view rest = bytes;
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r' ||
                           rest.front() == '\n')) {
    rest.remove_prefix(1);
  }
  if (rest.starts_with("{\\rtf")) return ReadRtf(bytes);
  return ReadPlainTextDocument(bytes);
}

}  // namespace vaticor
