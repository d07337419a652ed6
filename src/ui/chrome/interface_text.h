#pragma once

#include <QString>

#include "languages/language_table.h"

namespace vaticor {

// An interface text by its number (1000 to 1044): the current language's
// entry, or the built-in Russian text when the language has none.
QString InterfaceText(const TLanguageTable& languages, int id, const char* russian);

}  // namespace vaticor
