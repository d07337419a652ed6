#pragma once

#include <QString>
#include <QTextDocument>

namespace vaticor::testing {

// The characters a user reads in a tooltip: Qt renders a hint as rich text
// when it looks like markup, and shows it as it is otherwise.
inline QString ShownHint(const QString& toolTip) {
  if (!Qt::mightBeRichText(toolTip)) return toolTip;
  QTextDocument document;
  document.setHtml(toolTip);
  return document.toPlainText();
}

}  // namespace vaticor::testing
