#pragma once

#include <QString>

class QAction;
class QWidget;

namespace vaticor {

// Hints (tooltips) of the program are plain text: card names, questions and
// language files come from files a user may have downloaded, and Qt renders
// a tooltip as rich text whenever it merely looks like markup. Every hint is
// set through these.

// The text wrapped at kHintLineLength characters (core/text_layout.h), so a
// long spread description does not run off the screen, and marked up so that
// Qt shows its characters as they are (line breaks and runs of blanks kept);
// empty text stays empty, which shows no hint.
QString PlainHint(const QString& text);
// A widget's hint is also its accessible description, plain, for screen
// readers; a picture button's name is its first line.
void SetHint(QWidget* widget, const QString& text);
void SetHint(QAction* action, const QString& text);

}  // namespace vaticor
