#pragma once

#include <QColor>

class QWidget;

namespace vaticor {

// The skin's colours and the program's font, one definition each: navy and
// gold on a light sky blue.

// The windows' background and the text areas' ("clSkyBlue": 166, 202, 240).
QColor SkinSkyBlue();
// Text on the skin.
QColor SkinNavy();
// Selected rows of lists.
QColor SkinSelection();
// The background of the viewer's card list, lighter than the window.
QColor SkinListBase();
// Entries of the viewer's card list.
QColor SkinListText();
// The skin's gold: a second series of a chart beside one in navy.
QColor SkinGold();

// Every window of the program goes through this (UseSkinLook too): its
// font, the desktop's at 8 points, and its hints shown on hover whether or
// not the window is active (Qt shows them only in the active window unless
// told otherwise, and the user points at a card window while working in
// another). A screen reader hears it as a window (MakeAccessibleWindow).
void UseSkinFont(QWidget* window);
// A skinned window: sky-blue background filled behind its children and the
// program's font; with `navyText`, its text in navy.
void UseSkinLook(QWidget* window, bool navyText = false);
// A list on the skin (the log's, the viewer's card list): its rows' `text`
// on its `base`, the selected row white on the skin's selection colour, in
// an active window and an inactive one alike.
void UseSkinListColours(QWidget* list, const QColor& text, const QColor& base);

}  // namespace vaticor
