#pragma once

#include <thread>

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

// Runs another registrar on a thread of its own, so that the start does not
// wait for the desktop's files: deciding whether ".spread" is declared reads
// every MIME package of the system (shared-mime-info's alone is over 2 MiB),
// and a registration runs the desktop's cache tools for up to seconds.
// Nothing of it is seen in the windows. The registrar is to be safe on
// another thread and to outlive this object, whose destructor waits for the
// registration, so that the program's end never cuts it short.
class RegistrationInBackground : public FileTypeRegistrar {
 public:
  explicit RegistrationInBackground(FileTypeRegistrar& registrar) : registrar_(registrar) {}
  ~RegistrationInBackground() override = default;
  RegistrationInBackground(const RegistrationInBackground&) = delete;
  RegistrationInBackground& operator=(const RegistrationInBackground&) = delete;

  // Starts the registration and returns; a registration still running is
  // waited for first, so two never overlap.
  void RegisterSpreadFileType() override;

 private:
  FileTypeRegistrar& registrar_;
  std::jthread thread_;  // joined before the next and when destroyed
};

}  // namespace vaticor
