#pragma once

#include <QWidget>

#include "ui/window_links.h"

namespace vaticor {

// A window the program creates at start-up whose real content is still to
// come: it exists, hidden, so the start-up order and the commands that show
// it already work.
class StandInWindow : public QWidget {
  Q_OBJECT
 public:
  StandInWindow(const QString& objectName, const QString& title);

 protected:
  void closeEvent(QCloseEvent* event) override;  // closing only hides
};

// The folder-selection window until it is built: the add-deck and
// add-description commands show it.
class FolderSelectStandIn : public StandInWindow, public FolderSelectLink {
  Q_OBJECT
 public:
  FolderSelectStandIn();
  void ShowForMode(FolderMode mode) override;
};

}  // namespace vaticor
