#pragma once

#include <string>
#include <string_view>

namespace vaticor {

// The extension of a path's final component: its last "." and what follows,
// empty when there is none. Both "\" and "/" separate components.
std::string PathExtension(std::string_view path);

// True when the program's first argument names a spread file to open
// instead of showing the main window: its upper-cased extension is ".SPR"
// exactly (the short name the shell passes for a ".spread" file).
bool IsSpreadFileArgument(std::string_view firstArgument);

}  // namespace vaticor
