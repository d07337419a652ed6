#pragma once

#include "core/shell.h"

class QWidget;

namespace vaticor {

// The desktop's default handlers for web pages and mail.
class DesktopShell : public ShellOpener {
 public:
  void Open(const std::string& url) override;
};

// Shows or hides a top-level window's taskbar button. On X11 and Wayland
// desktops a tool window has no taskbar button, so hiding the button makes
// the window a tool window (shown again if it was visible).
void SetTaskbarButtonVisible(QWidget* window, bool visible);

}  // namespace vaticor
