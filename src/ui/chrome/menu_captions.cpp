#include "ui/chrome/menu_captions.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QScreen>

#include "core/text_layout.h"
#include "ui/chrome/hints.h"

namespace vaticor {

void SetFileCaption(QMenu* menu, QAction* action, const QString& name) {
  QString shown = name;
  shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
  const QFontMetrics metrics(menu->font());
  const QScreen* screen = menu->screen();
  const int width = MenuCaptionWidth(metrics.averageCharWidth(),
                                     screen ? screen->availableGeometry().width() : 0);
  const QString elided = metrics.elidedText(shown, Qt::ElideRight, width);
  if (elided != shown) {
    SetHint(action, name);
    menu->setToolTipsVisible(true);
  } else {
    action->setToolTip(QString());
  }
  action->setText(QString(elided).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

QAction* AddFileItem(QMenu* menu, const QString& name) {
  QAction* action = menu->addAction(QString());
  SetFileCaption(menu, action, name);
  return action;
}

}  // namespace vaticor
