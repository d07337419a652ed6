#pragma once

#include <QLabel>

namespace vaticor {

// A transparent text label that reports left clicks: the captions on the
// windows' bottom bars.
class TCaptionLabel : public QLabel {
  Q_OBJECT
 public:
  TCaptionLabel(QWidget* parent, const QColor& colour);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace vaticor
