#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toml {
inline namespace v3 {
class table;
}
}  // namespace toml

namespace vaticor {

// A TOML file of an open-format deck, parsed; null with `error` set when
// the text is not TOML or is nested deeper than a deck file ever is.
//
// The parser builds and destroys tables recursively, so a hostile
// "[a.a.a. ... ]" of a million parts would overflow the stack: text with
// more than kMaxTomlKeyParts dotted parts on one line (strings and comments
// aside) is refused before it is parsed. Arrays and inline tables are held
// to 256 levels by the parser itself.
inline constexpr int kMaxTomlKeyParts = 64;

struct ParsedToml {
  std::shared_ptr<const toml::table> table;
  std::string error;  // the parser's message and line, for the user
};
ParsedToml ParseDeckToml(std::string_view text);

// Reads and parses a file, refusing one larger than `limit` bytes (error
// "too large") or unreadable (error "unreadable").
struct TomlFile {
  enum class Status { kParsed, kMissing, kUnreadable, kTooLarge, kMalformed };
  Status status = Status::kMissing;
  ParsedToml parsed;
};
TomlFile ReadDeckTomlFile(const std::string& path, std::size_t limit);

// Looks ups that give nothing for a missing table or key or a value of
// another type, so a deck file of any shape is read without a check at
// every step.
const toml::table* TableAt(const toml::table* table, std::string_view key);
std::optional<std::string> StringAt(const toml::table* table, std::string_view key);
std::optional<std::int64_t> IntegerAt(const toml::table* table, std::string_view key);
// The strings of an array; other items passed over.
std::vector<std::string> StringsAt(const toml::table* table, std::string_view key);

}  // namespace vaticor
