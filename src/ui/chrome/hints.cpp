#include "ui/chrome/hints.h"

#include <QAccessible>
#include <QAction>
#include <QWidget>

#include "core/text_layout.h"
#include "ui/chrome/accessible_controls.h"

namespace vaticor {

QString PlainHint(const QString& text) {
  if (text.isEmpty()) return {};
  const QString wrapped = QString::fromStdString(WrapLines(text.toStdString()));
  return QStringLiteral("<p style='white-space:pre'>") + wrapped.toHtmlEscaped() +
         QStringLiteral("</p>");
}

void SetHint(QWidget* widget, const QString& text) {
  widget->setToolTip(PlainHint(text));
  // A screen reader reads the hint as plain text, not the markup the
  // tooltip needs. A picture button is named by its hint's first line
  // (ui/chrome/accessible_controls.h), so its name changes with it.
  if (widget->accessibleDescription() == text) return;
  widget->setAccessibleDescription(text);
  if (IsAccessibleButton(widget)) {
    QAccessibleEvent named(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
  }
}

void SetHint(QAction* action, const QString& text) { action->setToolTip(PlainHint(text)); }

}  // namespace vaticor
