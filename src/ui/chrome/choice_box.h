#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace vaticor {

// A question with a few answers, asked in a message box over `window` (the
// application's name as the title). `buttons` are the answers' captions in
// the interface language, left to right; `defaultIndex` is the one Enter
// takes, and the last one is also what Esc or closing the box answers (the
// harmless one: "Cancel"). Returns the index of the answer, 0 to
// buttons.size() - 1; waits for the user in a modal loop.
int AskChoice(QWidget* window, const QString& question, const QStringList& buttons,
              int defaultIndex = 0);

// How questions are asked; a message box unless replaced (tests answer them).
using ChoiceAsker = std::function<int(QWidget* window, const QString& question,
                                      const QStringList& buttons, int defaultIndex)>;
// Replaces the asker and returns the one it replaced.
ChoiceAsker SetChoiceAsker(ChoiceAsker asker);

}  // namespace vaticor
