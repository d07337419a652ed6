#include "library/rtf_code_pages.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/text_encoding.h"

namespace vaticor::rtf {
namespace {

// The ICU converter of a code page RTF may name, or empty text for code
// pages documents do not use.
std::string ConverterName(int codePage) {
  switch (codePage) {
    case 874:
      return "windows-874";
    case 932:
      return "windows-932";  // Shift-JIS with Microsoft's additions
    case 936:
      return "windows-936";
    case 949:
      return "windows-949";
    case 950:
      return "windows-950";
    case 10000:
      return "macintosh";
    case 10006:
      return "x-mac-greek";
    case 10007:
      return "x-mac-cyrillic";
    case 10029:
      return "x-mac-centraleurroman";
    case 10081:
      return "x-mac-turkish";
    case 65001:
      return "UTF-8";
    default:
      break;
  }
  if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
  static constexpr std::array<int, 16> kDosCodePages = {437, 720, 737, 775, 850, 852, 855, 857,
                                                        860, 861, 862, 863, 864, 865, 866, 869};
  if (std::find(kDosCodePages.begin(), kDosCodePages.end(), codePage) != kDosCodePages.end()) {
    return "ibm-" + std::to_string(codePage);
  }
  return {};
}

// Windows-1252 bytes 0x80-0x9F.
constexpr std::array<char16_t, 32> kCp1252C1 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 98
};

// Bytes a code page cannot convert read as U+FFFD (ICU's own substitute is
// U+001A for some single-byte code pages).
void SubstituteReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                           UConverterCallbackReason reason, UErrorCode* error) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  static const UChar kSubstitute = 0xFFFD;
  *error = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &kSubstitute, 1, 0, error);
}

}  // namespace

bool IsKnownCodePage(int codePage) { return !ConverterName(codePage).empty(); }

int CharsetCodePage(int charset, int documentCodePage) {
  switch (charset) {
    case 0:
      return 1252;  // ANSI
    case kSymbolCharset:
      return kSymbolCodePage;
    case 77:  // Mac: the document's own when it is a Mac one
      return documentCodePage >= 10000 && documentCodePage < 10100 ? documentCodePage : 10000;
    case 85:
      return 10006;  // Mac Greek
    case 86:
      return 10081;  // Mac Turkish
    case 88:
      return 10029;  // Mac Central European
    case 89:
      return 10007;  // Mac Cyrillic
    case 128:
      return 932;  // Shift-JIS
    case 129:
      return 949;  // Hangul
    case 134:
      return 936;  // GB2312
    case 136:
      return 950;  // Big5
    case 161:
      return 1253;  // Greek
    case 162:
      return 1254;  // Turkish
    case 163:
      return 1258;  // Vietnamese
    case 177:
      return 1255;  // Hebrew
    case 178:
      return 1256;  // Arabic
    case 186:
      return 1257;  // Baltic
    case 204:
      return 1251;  // Cyrillic
    case 222:
      return 874;  // Thai
    case 238:
      return 1250;  // Eastern European
    case 254:
      return 437;  // PC 437
    case 255:
      return 850;  // OEM
    default:
      return 0;
  }
}

char32_t Windows1252C1(char32_t cp) { return kCp1252C1[cp - 0x80]; }

void CodePageDecoder::ConverterCloser::operator()(UConverter* converter) const {
  ucnv_close(converter);
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::Decode(int codePage, std::string_view bytes, std::u32string& out) {
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

bool CodePageDecoder::IsSingleByte(int codePage) {
  return codePage == kSymbolCodePage || !Get(codePage).converter;
}

CodePageDecoder::ConverterPtr CodePageDecoder::OpenConverter(const std::string& name) {
  if (name.empty()) return nullptr;
  UErrorCode error = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(name.c_str(), &error));
  if (U_FAILURE(error) || !converter) return nullptr;
  ucnv_setToUCallBack(converter.get(), SubstituteReplacement, nullptr, nullptr, nullptr, &error);
  if (U_FAILURE(error)) return nullptr;
  return converter;
}

const CodePageDecoder::Entry& CodePageDecoder::Get(int codePage) {
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
    const bool ok = U_SUCCESS(error) && n == 1 && !IsSurrogate(units[0]) &&
                    (units[0] < 0x80 || units[0] > 0x9F);
    entry.table[b] = ok ? char32_t(units[0]) : kReplacementCharacter;
  }
  return entry;
}

void CodePageDecoder::DecodeMultiByte(UConverter* converter, std::string_view bytes,
                                      std::u32string& out) {
  // At most one UTF-16 unit per byte, plus a substitute for a cut-off
  // sequence at the end.
  std::u16string units(bytes.size() + 4, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  ucnv_reset(converter);
  const int32_t n = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()),
                                  bytes.data(), static_cast<int32_t>(bytes.size()), &error);
  if (U_FAILURE(error)) {
    out.append(bytes.size(), kReplacementCharacter);
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    const char32_t unit = units[static_cast<std::size_t>(i)];
    if (IsHighSurrogate(unit) && i + 1 < n &&
        IsLowSurrogate(units[static_cast<std::size_t>(i) + 1])) {
      out.push_back(CombineSurrogates(unit, units[static_cast<std::size_t>(++i)]));
    } else {
      out.push_back(IsSurrogate(unit) ? kReplacementCharacter : unit);
    }
  }
}

}  // namespace vaticor::rtf
