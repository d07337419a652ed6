#include "library/rtf_text_decoder.h"

#include "core/text_encoding.h"

namespace vaticor::rtf {

bool TextDecoder::Hold(std::string_view bytes) {
  bytes_.append(bytes);
  // No multi-byte code page continues a character with a byte below 0x40.
  return bytes_.size() >= kDecodeChunkBytes &&
         (static_cast<unsigned char>(bytes_.back()) < 0x40 || decoder_.IsSingleByte(codePage_));
}

std::u32string TextDecoder::TakeCodePoints() {
  std::u32string cps;
  decoder_.Decode(codePage_, bytes_, cps);
  bytes_.clear();
  return cps;
}

char32_t TextDecoder::UnicodeValue(std::int64_t param) {
  // Some writers give whole code points beyond U+FFFF: taken as they are.
  std::int64_t value = param < 0 ? param + 65536 : param;
  if (value < 0 || value > 0x10FFFF) value = kReplacementCharacter;
  // C1 controls stand for what Windows-1252 has there, as in HTML.
  if (value >= 0x80 && value <= 0x9F) value = Windows1252C1(static_cast<char32_t>(value));
  return static_cast<char32_t>(value);
}

bool TextDecoder::SkipFallback() {
  if (fallbackLeft_ <= 0) return false;
  --fallbackLeft_;
  return true;
}

std::string TextDecoder::ToUtf8(std::u32string_view cps, SymbolFont symbol, bool listText) {
  std::string utf8;
  for (char32_t cp : cps) {
    if (cp < 0x20 && cp != '\t' && cp != '\n') continue;  // NUL and other control characters
    if (IsHighSurrogate(cp)) {
      if (pendingHigh_ != 0) utf8 += kReplacementUtf8;
      pendingHigh_ = cp;
      continue;
    }
    if (IsLowSurrogate(cp)) {
      cp = pendingHigh_ != 0 ? CombineSurrogates(pendingHigh_, cp) : kReplacementCharacter;
      pendingHigh_ = 0;
    } else if (pendingHigh_ != 0) {
      utf8 += kReplacementUtf8;
      pendingHigh_ = 0;
    }
    AppendUtf8(utf8, MapSymbolFont(cp, symbol, listText));
  }
  return utf8;
}

bool TextDecoder::DropPendingHigh() {
  if (pendingHigh_ == 0) return false;
  pendingHigh_ = 0;
  return true;
}

}  // namespace vaticor::rtf
