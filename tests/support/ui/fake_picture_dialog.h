#pragma once

#include <string>
#include <vector>

#include "ui/chrome/reading_share.h"

namespace vaticor::testing {

// The file the user "chooses" for a reading's picture; empty cancels. Keeps
// the names it offered.
class FakeReadingPictureDialog : public ReadingPictureDialog {
 public:
  std::string SavePicturePath(QWidget*, const std::string& suggestedName) override {
    offered.push_back(suggestedName);
    return path;
  }
  std::string path;
  std::vector<std::string> offered;
};

}  // namespace vaticor::testing
