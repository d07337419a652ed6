#pragma once

#include <QString>

class QAction;
class QMenu;

namespace vaticor {

// Menu items that show a name from a file: a deck, a description set, a
// card, a language. The name is shown as it is: "&" is a character, never a
// shortcut, and a tab (which would start the shortcut column) a blank. A name
// wider than MenuCaptionWidth (core/text_layout.h) for the menu's font and
// screen is cut with "…", and then the whole name is the item's hint; the
// menu is made to show its items' hints.

// Sets `action`'s caption (and hint) in `menu`, where it is or will be.
void SetFileCaption(QMenu* menu, QAction* action, const QString& name);
// A new item at the end of `menu` captioned so.
QAction* AddFileItem(QMenu* menu, const QString& name);

}  // namespace vaticor
