#include "ui/chrome/hints.h"

#include <QAction>
#include <QWidget>

namespace vaticor {

QString PlainHint(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

void SetHint(QWidget* widget, const QString& text) { widget->setToolTip(PlainHint(text)); }

void SetHint(QAction* action, const QString& text) { action->setToolTip(PlainHint(text)); }

}  // namespace vaticor
