#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/rtf_code_pages.h"
#include "library/rtf_symbol_fonts.h"

namespace vaticor::rtf {

inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Text bytes are decoded in chunks of about this many bytes (cut between
// characters), so long text never waits whole in memory.
inline constexpr std::size_t kDecodeChunkBytes = 4096;

// RTF text on its way to UTF-8: bytes held in one code page until something
// ends them, the fallback characters after a \u skipped, and the UTF-16
// surrogate halves of \u pairs joined. Nothing here fails: what cannot be
// decoded reads as U+FFFD.
class TextDecoder {
 public:
  // Bytes waiting to be decoded.
  bool HoldsBytes() const { return !bytes_.empty(); }
  // The code page of the bytes held from now on; given when none are held.
  void Begin(int codePage) { codePage_ = codePage; }
  // Holds more bytes. True when they now fill a chunk and end between two
  // characters: the caller should decode them (TakeCodePoints) then.
  bool Hold(std::string_view bytes);
  // The held bytes' characters; nothing is held after.
  std::u32string TakeCodePoints();

  // The character \uN gives for parameter `param` (a signed 16-bit UTF-16
  // unit, or a whole code point beyond U+FFFF).
  static char32_t UnicodeValue(std::int64_t param);
  // The next `count` characters (\uc) are the fallback of a \u: skipped.
  void StartFallback(int count) { fallbackLeft_ = count; }
  void EndFallback() { fallbackLeft_ = 0; }
  bool InFallback() const { return fallbackLeft_ > 0; }
  // Skips one fallback character; false when none is left to skip.
  bool SkipFallback();

  // UTF-8 of `cps` in a font of kind `symbol`: control characters other
  // than tab and line break dropped, surrogate halves joined across calls
  // (a lone half reads as U+FFFD). `listText` as MapSymbolFont takes it.
  std::string ToUtf8(std::u32string_view cps, SymbolFont symbol, bool listText);
  // Forgets a high surrogate still waiting for its low half; true when there
  // was one (it then stands for a U+FFFD of the caller's).
  bool DropPendingHigh();

 private:
  CodePageDecoder decoder_;
  std::string bytes_;  // text bytes not yet decoded, all in codePage_
  int codePage_ = 1252;
  char32_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
  int fallbackLeft_ = 0;      // characters still to skip after \u
};

}  // namespace vaticor::rtf
