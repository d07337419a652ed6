#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How the INI engine sees names and values on a line, shared by its reading
// (ini_document.cpp) and its writing (ini_document_edit.cpp): blanks, quotes,
// line breaks, a caller's name made comparable with the file's text, and the
// hash under which names that compare equal without regard to letter case
// meet. Text is UTF-8 throughout.
namespace vaticor::ini {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Without its leading and trailing blanks.
std::string_view Trim(std::string_view s);

// Whether the text is at least two characters inside one matching pair of
// quotes ('"' or "'"), which a read takes away.
bool HasQuotePair(std::string_view s);

// Valid UTF-8 as given; otherwise each stray byte becomes U+FFFD (which is
// what decoding the bytes as BOM-marked UTF-8 does).
std::string RepairUtf8(std::string_view s);

// A name as the caller gave it, made comparable with the decoded file text;
// no copy when the name is valid UTF-8, as it nearly always is. `repaired`
// holds the text otherwise, and must outlive the result.
std::string_view CleanNameView(std::string_view name, std::string& repaired);

// The same as a string of its own.
std::string CleanName(std::string_view name);

// The same hash for every spelling EqualsIgnoreCase takes as equal.
std::size_t NameHash(std::string_view name);

}  // namespace vaticor::ini
