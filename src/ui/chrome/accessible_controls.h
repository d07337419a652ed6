#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "library/reading_text.h"

class QWidget;

namespace vaticor {

// The skin's controls as a screen reader (Qt's accessibility, the AT-SPI
// bridge on a Linux desktop) and the keyboard find them. Most of them are
// pictures and captions that report clicks, which Qt knows as nothing in
// particular; these make them buttons.

// `control` a button: a screen reader hears the role "button" and its name,
// and can press it; Tab and Shift+Tab reach it (never a click, so the
// window keeps the keyboard as before), Enter or Space released on it
// presses it, and the focus on it shows as a frame in the skin's gold.
// `press` is what a click does (the control's own signal), run as the
// window's command. Its name is its accessible name when one is set (a
// card's), else the first line of its hint (SetHint), else its text (a
// caption's, without the "..." it ends with). Once per control; again does
// nothing.
void MakeAccessibleButton(QWidget* control, std::function<void()> press);
// Whether `control` has been made one.
bool IsAccessibleButton(const QWidget* control);

// `window` (a skinned top-level window, frameless to the window system)
// a window to a screen reader, named by its title, rather than a pane of
// no role. Made before Qt is first asked about it.
void MakeAccessibleWindow(QWidget* window);

// `echo` (a caption's shadow: the same text again, one pixel off) kept from
// a screen reader, which would read the text twice.
void HideEchoFromScreenReaders(QWidget* echo);

// What a card picture is heard as: "<card>, <upright or reversed>" in the
// reading's words (ReadingWordsOf), or the no-card word for a picture that
// shows none.
QString SpokenCardName(const ReadingWords& words, const std::optional<std::string>& card,
                       bool reversed);
// Sets a card picture's name and description (the position's meaning, or
// empty), which tells a screen reader of the change.
void SpeakCard(QWidget* picture, const QString& name, const QString& meaning);

}  // namespace vaticor
