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

void SetHint(QWidget* widget, const QString& text) {
  widget->setToolTip(PlainHint(text));
  // A screen reader reads the hint as the control's name: most of the
  // skin's controls are pictures whose hint is all that says what they do.
  // Its first line names it; the whole text describes it, as plain text,
  // not the markup the tooltip needs.
  widget->setAccessibleName(text.section(QLatin1Char('\n'), 0, 0));
  widget->setAccessibleDescription(text);
}

void SetHint(QAction* action, const QString& text) { action->setToolTip(PlainHint(text)); }

}  // namespace vaticor
