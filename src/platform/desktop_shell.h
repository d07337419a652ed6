#pragma once

#include <memory>

#include "core/shell.h"

class QObject;
class QWidget;

namespace vaticor {

// The desktop's default handlers for web pages and mail, through xdg-open,
// whose exit status tells whether the desktop had one (Qt's openUrl starts
// it detached and reports success whatever it found); through Qt where
// there is no xdg-open. To be created and used on the GUI thread, while the
// application object exists.
class DesktopShell : public ShellOpener {
 public:
  // How long after its start a failing xdg-open counts as the link's
  // failure, in milliseconds. Without a handler it fails at once; on a
  // desktop it does not know it runs the browser itself and returns only
  // when that is closed, with the browser's status, which says nothing of
  // the link.
  static constexpr int kVerdictMs = 5000;

  DesktopShell();
  ~DesktopShell() override;
  DesktopShell(const DesktopShell&) = delete;
  DesktopShell& operator=(const DesktopShell&) = delete;

  void Open(const std::string& url, std::function<void()> failed) override;

 private:
  // The parent of the xdg-open processes still running; at the end they are
  // stopped without a word (a browser they started stays open).
  std::unique_ptr<QObject> running_;
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
