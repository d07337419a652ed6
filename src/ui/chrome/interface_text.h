#pragma once

#include <QString>

#include "languages/language_table.h"

namespace vaticor {

// What a caption or hint showing interface text `id` (1000 to 1044) reads:
// the window's own text (`layoutText`) until a language has been applied,
// then the language's text, an empty one included.
QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText);

// A caption of what the program offers besides the numbered texts: the
// language file's "Reader"/`key` text, else the built-in Russian one
// (`russian`, UTF-8).
QString ReaderText(const TLanguageTable& languages, const char* key, const char* russian);

}  // namespace vaticor
