#pragma once

#include <QWidget>

#include "ui/program_state.h"

class QLabel;

namespace vaticor {

// The main window. For now a plain window that runs the main window's
// start-up (decks, picker, description sets, geometry) and shows the
// current deck's first card; closing it saves the settings and ends the
// program.
class TVaticorForm : public QWidget {
  Q_OBJECT
 public:
  explicit TVaticorForm(ProgramState& state, QWidget* parent = nullptr);

  // Card images across: 1 or 3.
  int CardsAcross() const { return state_.INIData.ThreeCardsModeEnabled ? 3 : 1; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void ShowFirstCard();

  ProgramState& state_;
  QLabel* cardImage_ = nullptr;
  QLabel* caption_ = nullptr;
};

}  // namespace vaticor
