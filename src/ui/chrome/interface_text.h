#pragma once

#include <QString>

#include "languages/language_table.h"

namespace vaticor {

// What a caption or hint showing interface text `id` (1000 to 1044) reads:
// the window's own text (`layoutText`) until a language has been applied,
// then the language's text, an empty one included.
QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText);

}  // namespace vaticor
