#include "ui/chrome/hints.h"

#include <QAction>
#include <QWidget>

#include "core/text_layout.h"

namespace vaticor {

QString PlainHint(const QString& text) {
  if (text.isEmpty()) return {};
  const QString wrapped = QString::fromStdString(WrapLines(text.toStdString()));
  return QStringLiteral("<p style='white-space:pre'>") + wrapped.toHtmlEscaped() +
         QStringLiteral("</p>");
}

void SetHint(QWidget* widget, const QString& text) { widget->setToolTip(PlainHint(text)); }

void SetHint(QAction* action, const QString& text) { action->setToolTip(PlainHint(text)); }

}  // namespace vaticor
