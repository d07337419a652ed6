#pragma once

#include <thread>

namespace vaticor {

// Loads the system's font configuration on a thread of its own while Qt
// starts. Qt reads it at the first text it measures, which on Linux is
// fontconfig parsing every configuration file and mapping every font cache:
// 4-6 ms on the start-up path of a window that shows text. Loaded here, the
// configuration is ready when Qt asks for it; asked for before it is ready,
// Qt loads its own copy, as without this.
//
// Call before QApplication is created. The thread ends by itself; the
// returned thread joins when destroyed. Does nothing (an empty thread) where
// the program is built without fontconfig, and on other systems.
std::jthread StartFontConfigurationLoad();

// Has Qt list the system's fonts on a thread of its own (its font database
// is safe on any thread), while the main window is being made; the first
// text measured waits for the list only while it is still being made. Call
// after QApplication is created. The returned thread joins when destroyed.
std::jthread StartFontDatabaseLoad();

}  // namespace vaticor
