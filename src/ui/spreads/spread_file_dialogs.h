#pragma once

#include <memory>
#include <string>

class QWidget;

namespace vaticor {

// The spreads window's two file dialogs, behind an interface so that tests
// choose the file. Paths are UTF-8; empty when the user cancels.
class SpreadFileDialogs {
 public:
  virtual ~SpreadFileDialogs() = default;
  // An existing spread file to open.
  virtual std::string OpenSpreadFile(QWidget* parent) = 0;
  // A file to save the spread into; a name typed without a suffix gets
  // ".spread".
  virtual std::string SaveSpreadFile(QWidget* parent) = 0;
};

// The desktop's dialogs: filter "Vaticor Spread (*.spread)", both starting
// in `spreadsFolder`.
std::unique_ptr<SpreadFileDialogs> MakeSpreadFileDialogs(std::string spreadsFolder);

}  // namespace vaticor
