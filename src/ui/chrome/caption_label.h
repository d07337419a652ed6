#pragma once

#include <QLabel>
#include <functional>

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

// A bar's caption: white text (`Label2`) over its one-pixel shadow
// (`Label1`, in `shadow`), both children of `window` with the layout's
// names; a click on either runs `clicked` as a command of `window`. The
// text is a button to the keyboard and screen readers, named by its text.
struct CaptionPair {
  // The same text on both, each sized to it (the chrome centres them).
  void SetText(const QString& text) const;
  // The same, fitted into `width` pixels: a text wider than that is cut in
  // the middle ("Выбрать ка…с описанием"), so its start and end both show,
  // and the whole text is then the labels' hint (no hint when it fits).
  void SetText(const QString& text, int width) const;
  // Above the window's other parts, the text above its shadow.
  void Raise() const;

  TCaptionLabel* label2 = nullptr;  // the white text
  TCaptionLabel* label1 = nullptr;  // its shadow
};
CaptionPair MakeCaptionPair(QWidget* window, const QColor& shadow, std::function<void()> clicked);

}  // namespace vaticor
