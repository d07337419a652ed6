#pragma once

#include <QWidget>
#include <functional>

namespace vaticor {

// A window the program creates at start-up whose real content is still to
// come: it exists, hidden, so the start-up order and the commands that show
// it already work.
class StandInWindow : public QWidget {
  Q_OBJECT
 public:
  StandInWindow(const QString& objectName, const QString& title);
  // Run when the user closes the window (after it is hidden): a stand-in for
  // a window the program started in must lead somewhere.
  void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

 protected:
  void closeEvent(QCloseEvent* event) override;  // closing only hides

 private:
  std::function<void()> onClosed_;
};

}  // namespace vaticor
