#pragma once

namespace vaticor {

// Associates ".spread" files with the program on the desktop, so that
// opening one starts the program with the file's path as first argument.
class FileTypeRegistrar {
 public:
  virtual ~FileTypeRegistrar() = default;
  // Registers the type when it is not registered yet; never updates an
  // existing registration.
  virtual void RegisterSpreadFileType() = 0;
};

// Registers nothing: for tests, and until the desktop registration exists.
class NoFileTypeRegistrar : public FileTypeRegistrar {
 public:
  void RegisterSpreadFileType() override {}
};

}  // namespace vaticor
