#include "library/content_language.h"

#include "core/text_encoding.h"

namespace vaticor {

namespace {

std::string_view PrimarySubtag(std::string_view code) {
  const std::size_t end = code.find_first_of("_-");
  return code.substr(0, end);
}

}  // namespace

bool SameLanguage(std::string_view content, std::string_view language) {
  const std::string_view a = PrimarySubtag(content);
  const std::string_view b = PrimarySubtag(language);
  return !a.empty() && EqualsIgnoreCase(a, b);
}

std::optional<std::int32_t> FirstInLanguage(const std::vector<std::string>& languages,
                                            std::string_view language) {
  for (std::size_t i = 0; i < languages.size(); ++i) {
    if (SameLanguage(languages[i], language)) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

}  // namespace vaticor
