#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vaticor {

// Opens a web page or a "mailto:" link with the desktop's default handler.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Asks the desktop to open `url` and returns at once. `failed` (may be
  // empty) is called later, on the caller's thread, when the desktop has no
  // program for the link or the one it ran failed straight away; never when
  // the link was opened, and never after the opener is destroyed.
  virtual void Open(const std::string& url, std::function<void()> failed) = 0;
};

// Opens nothing and remembers what it was asked to open, for tests and tools.
class RecordingShell : public ShellOpener {
 public:
  void Open(const std::string& url, std::function<void()> failed) override {
    opened.push_back(url);
    if (!handlerFound && failed) failed();
  }
  std::vector<std::string> opened;
  // False: every link fails, as on a desktop without a browser or mail program.
  bool handlerFound = true;
};

}  // namespace vaticor
