#pragma once

// Text looked at eight bytes at a time, for the scans every INI file goes
// through (ASCII runs, line ends, name hashing). Words are loaded in the
// machine's byte order: the tests here treat every byte of a word alike, and
// a hash of words is only compared with hashes made in the same run.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vaticor {

inline constexpr std::uint64_t kByteOnes = 0x0101010101010101ull;      // 0x01 in each byte
inline constexpr std::uint64_t kByteHighBits = 0x8080808080808080ull;  // 0x80 in each byte

// `count` (at most 8) bytes from `data` into a word, the rest zero.
inline std::uint64_t LoadWord(const char* data, std::size_t count = 8) {
  std::uint64_t word = 0;
  std::memcpy(&word, data, count);
  return word;
}

// Whether any byte of the word is zero.
constexpr bool HasZeroByte(std::uint64_t word) {
  return ((word - kByteOnes) & ~word & kByteHighBits) != 0;
}

// Whether any byte of the word equals `byte`.
constexpr bool HasByte(std::uint64_t word, unsigned char byte) {
  return HasZeroByte(word ^ (kByteOnes * byte));
}

}  // namespace vaticor
