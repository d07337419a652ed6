#pragma once

namespace vaticor {

// What the environment must hold before Qt starts. Says in one line on
// standard error, and returns false, when there is no display to open
// windows on; chooses Qt's window system (ChosenQtPlatform); and where the
// system has no font configuration at all (a bare container or minimal
// install) while the portable folder carries fonts, points fontconfig at
// those, so that text is not blank.
bool PrepareStartEnvironment();

// While it lives, what Qt says is held back; a fatal message (no window
// system answers) is replaced by one line on standard error and the program
// ends with status 1, instead of Qt's dozen lines and an abort. At its end
// the held messages go to Qt's handler as they would have. Made around the
// application object's construction, on the main thread.
class WindowSystemMessages {
 public:
  WindowSystemMessages();
  ~WindowSystemMessages();
  WindowSystemMessages(const WindowSystemMessages&) = delete;
  WindowSystemMessages& operator=(const WindowSystemMessages&) = delete;
};

}  // namespace vaticor
