#include "library/open_deck_toml.h"

#include <toml++/toml.h>

#include "core/file_io.h"

namespace vaticor {

namespace {

// The most dotted parts any line of `text` has outside strings and
// comments. Multi-line strings ("""...""", '''...''') may span lines.
int MostDotsOnALine(std::string_view text) {
  enum class In { kCode, kBasic, kLiteral, kMultiBasic, kMultiLiteral, kComment };
  In in = In::kCode;
  int dots = 0;
  int most = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const std::string_view rest = text.substr(i);
    switch (in) {
      case In::kCode:
        if (c == '.') {
          most = std::max(most, ++dots);
        } else if (c == '#') {
          in = In::kComment;
        } else if (rest.starts_with("\"\"\"")) {
          in = In::kMultiBasic;
          i += 2;
        } else if (rest.starts_with("'''")) {
          in = In::kMultiLiteral;
          i += 2;
        } else if (c == '"') {
          in = In::kBasic;
        } else if (c == '\'') {
          in = In::kLiteral;
        }
        break;
      case In::kBasic:
        if (c == '\\') {
          ++i;
        } else if (c == '"' || c == '\n') {
          in = In::kCode;
        }
        break;
      case In::kLiteral:
        if (c == '\'' || c == '\n') in = In::kCode;
        break;
      case In::kMultiBasic:
        if (c == '\\') {
          ++i;
        } else if (rest.starts_with("\"\"\"")) {
          in = In::kCode;
          i += 2;
        }
        break;
      case In::kMultiLiteral:
        if (rest.starts_with("'''")) {
          in = In::kCode;
          i += 2;
        }
        break;
      case In::kComment:
        if (c == '\n') in = In::kCode;
        break;
    }
    if (c == '\n') dots = 0;
  }
  return most;
}

}  // namespace

ParsedToml ParseDeckToml(std::string_view text) {
  ParsedToml result;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (MostDotsOnALine(text) > kMaxTomlKeyParts) {
    result.error = "keys nested more than " + std::to_string(kMaxTomlKeyParts) + " deep";
    return result;
  }
  try {
    result.table = std::make_shared<const toml::table>(toml::parse(text));
  } catch (const toml::parse_error& error) {
    result.error = std::string(error.description()) + " (line " +
                   std::to_string(error.source().begin.line) + ")";
  } catch (const std::exception& error) {
    // The parser's allocations on a hostile file.
    result.error = error.what();
  }
  return result;
}

TomlFile ReadDeckTomlFile(const std::string& path, std::size_t limit) {
  TomlFile file;
  if (!FileExists(path)) return file;
  const std::optional<std::string> bytes = ReadFilePrefix(path, limit + 1);
  if (!bytes) {
    file.status = TomlFile::Status::kUnreadable;
    return file;
  }
  if (bytes->size() > limit) {
    file.status = TomlFile::Status::kTooLarge;
    return file;
  }
  file.parsed = ParseDeckToml(*bytes);
  file.status = file.parsed.table ? TomlFile::Status::kParsed : TomlFile::Status::kMalformed;
  return file;
}

const toml::table* TableAt(const toml::table* table, std::string_view key) {
  if (!table) return nullptr;
  const toml::node* node = table->get(key);
  return node ? node->as_table() : nullptr;
}

std::optional<std::string> StringAt(const toml::table* table, std::string_view key) {
  if (!table) return std::nullopt;
  const toml::node* node = table->get(key);
  if (!node || !node->is_string()) return std::nullopt;
  return node->value<std::string>();
}

std::optional<std::int64_t> IntegerAt(const toml::table* table, std::string_view key) {
  if (!table) return std::nullopt;
  const toml::node* node = table->get(key);
  if (!node || !node->is_integer()) return std::nullopt;
  return node->value<std::int64_t>();
}

std::vector<std::string> StringsAt(const toml::table* table, std::string_view key) {
  std::vector<std::string> strings;
  if (!table) return strings;
  const toml::node* node = table->get(key);
  const toml::array* array = node ? node->as_array() : nullptr;
  if (!array) return strings;
  for (const toml::node& item : *array) {
    if (item.is_string()) strings.push_back(*item.value<std::string>());
  }
  return strings;
}

}  // namespace vaticor
