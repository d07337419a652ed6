#pragma once

namespace vaticor {

// Associates ".spread" files with the program on the desktop, so that
// opening one starts the program with the file's path as first argument.
class FileTypeRegistrar {
 public:
  virtual ~FileTypeRegistrar() = default;
  // Registers the type when it is not registered yet; never updates an
  // existing registration but the program's own when the program it names
  // is gone (the program was moved). Never fails: the start goes on.
  virtual void RegisterSpreadFileType() = 0;
};

// Registers nothing: for tests (the program's own is
// platform/freedesktop_registrar.h).
class NoFileTypeRegistrar : public FileTypeRegistrar {
 public:
  void RegisterSpreadFileType() override {}
};

}  // namespace vaticor
