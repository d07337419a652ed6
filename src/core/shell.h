#pragma once

#include <string>

namespace vaticor {

// Opens a web page or a "mailto:" link with the desktop's default handler.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  virtual void Open(const std::string& url) = 0;
};

}  // namespace vaticor
