#pragma once

#include "core/shell.h"

class QWidget;

namespace vaticor {

// The desktop's default handlers for web pages and mail.
class DesktopShell : public ShellOpener {
 public:
  void Open(const std::string& url) override;
};

// Shows or hides a top-level window's taskbar button, now and at every
// later show. Most X11 and Wayland desktops give a tool window no taskbar
// button, so hiding the button makes the window a tool window (shown again
// if it was visible); on X11 the window also asks to be skipped by the
// taskbar and the pager, for the taskbars that list tool windows too.
// Card windows and other windows that never have a button of their own
// call it once, with false.
void SetTaskbarButtonVisible(QWidget* window, bool visible);

}  // namespace vaticor
