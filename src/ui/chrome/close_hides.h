#pragma once

class QWidget;

namespace vaticor {

// Windows other than the main window live for the whole run: closing one
// (by its button, Alt+F4 or the desktop) only hides it. Installs that
// behaviour on a window; the window owns what is installed.
void MakeCloseHide(QWidget* window);

}  // namespace vaticor
