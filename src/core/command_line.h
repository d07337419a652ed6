#pragma once

#include <string>
#include <string_view>

namespace vaticor {

// The extension of a path's final component: its last "." and what follows,
// empty when there is none. Both "\" and "/" separate components.
std::string PathExtension(std::string_view path);

// True when the program's first argument names a spread file to open
// instead of showing the main window: its upper-cased extension is ".SPR"
// (the short name a shell may pass for a ".spread" file) or ".SPREAD" (the
// long name, which is all a file manager without short names passes).
bool IsSpreadFileArgument(std::string_view firstArgument);

}  // namespace vaticor
