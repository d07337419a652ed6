#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vaticor {

// Which window system the program asks Qt for.
//
// The program's windows place themselves: the main window at the screen's
// right edge above the taskbar, card windows where their spread puts them,
// the question window under the main window. A Wayland compositor lets no
// window choose its place, so in a Wayland session the program runs on X11
// through XWayland when there is one (DISPLAY is set), falling back to
// Wayland if that X server cannot be reached. A platform the user chose
// (QT_QPA_PLATFORM) is left alone, and outside Wayland Qt chooses.
//
// `variable` reads an environment variable (nullopt: not set). The result
// is the value for QT_QPA_PLATFORM, or nullopt to leave it as it is.
std::optional<std::string> ChosenQtPlatform(
    const std::function<std::optional<std::string>(const char* name)>& variable);

// The one line the program prints instead of starting when no window
// system is named: neither DISPLAY nor WAYLAND_DISPLAY is set (nor
// QT_QPA_PLATFORM, a choice of the user's own), as when it is started from
// a text console or over ssh without X forwarding. nullopt: go on.
std::optional<std::string> NoDisplayMessage(
    const std::function<std::optional<std::string>(const char* name)>& variable);

}  // namespace vaticor
