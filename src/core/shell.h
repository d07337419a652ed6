#pragma once

#include <string>
#include <vector>

namespace vaticor {

// Opens a web page or a "mailto:" link with the desktop's default handler.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  virtual void Open(const std::string& url) = 0;
};

// Opens nothing and remembers what it was asked to open, for tests and tools.
class RecordingShell : public ShellOpener {
 public:
  void Open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

}  // namespace vaticor
