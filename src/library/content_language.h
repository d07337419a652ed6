#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// The language a deck or a description set is written in: the optional key
// "Language" of the "Deck" section of deck.ini and of the "Description"
// section of description.ini, a language code ("en", "ru", "pt-BR"). Content
// without the key is in no particular language.
inline constexpr const char* kContentLanguageKey = "Language";

// Whether content of language `content` suits an interface in `language`
// (a language code as QtLocaleNameFor gives it: "en", "pt_BR"): their
// primary subtags (before "_" or "-") are equal without regard to case. An
// empty code suits nothing.
bool SameLanguage(std::string_view content, std::string_view language);

// The position of the first entry of `languages` (one code per deck or set,
// in list order) that suits `language`; nullopt when none does.
std::optional<std::int32_t> FirstInLanguage(const std::vector<std::string>& languages,
                                            std::string_view language);

}  // namespace vaticor
