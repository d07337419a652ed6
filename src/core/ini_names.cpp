// The INI engine's view of names: trimming, quotes, repair of invalid UTF-8
// and the case-blind hash of its indexes (see core/ini_names.h).
#include "core/ini_names.h"

#include <cstdint>

#include "core/byte_words.h"
#include "core/text_encoding.h"

namespace vaticor::ini {
namespace {

// Eight ASCII bytes with the letters a-z made upper case, all at once: each
// sum's high bit tells one byte's place, and as every byte is below 0x80 no
// sum carries into the next.
std::uint64_t UpperAsciiWord(std::uint64_t word) {
  const std::uint64_t fromA = word + kByteOnes * (0x80 - 'a');      // high bit: byte >= 'a'
  const std::uint64_t pastZ = word + kByteOnes * (0x80 - 'z' - 1);  // high bit: byte > 'z'
  const std::uint64_t lower = fromA & ~pastZ & kByteHighBits;
  return word - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

}  // namespace

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool HasQuotePair(std::string_view s) {
  return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.front() == s.back();
}

std::string RepairUtf8(std::string_view s) {
  if (IsValidUtf8(s)) return std::string(s);
  return DecodeText(std::string(kUtf8Bom) + std::string(s)).utf8;
}

std::string_view CleanNameView(std::string_view name, std::string& repaired) {
  if (IsValidUtf8(name)) return Trim(name);
  repaired = RepairUtf8(name);
  return Trim(repaired);
}

std::string CleanName(std::string_view name) {
  std::string repaired;
  return std::string(CleanNameView(name, repaired));
}

// ASCII names, nearly all of them, are folded on the fly eight bytes at a
// time; others are folded by ToUpperText first (which leaves no lower-case
// ASCII letter).
std::size_t NameHash(std::string_view name) {
  const bool ascii = IsAscii(name);
  std::string upper;
  if (!ascii) {
    upper = ToUpperText(name);
    name = upper;
  }
  std::uint64_t hash = 14695981039346656037ull ^ name.size();
  auto mix = [&hash, ascii](std::uint64_t word) {
    hash = (hash ^ (ascii ? UpperAsciiWord(word) : word)) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 29;
  };
  // Whole words loaded as one (a fixed-size copy compiles to one load).
  std::size_t pos = 0;
  for (; pos + 8 <= name.size(); pos += 8) mix(LoadWord(name.data() + pos));
  if (pos < name.size()) mix(LoadWord(name.data() + pos, name.size() - pos));
  return static_cast<std::size_t>(hash);
}

}  // namespace vaticor::ini
