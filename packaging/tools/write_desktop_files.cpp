// write_desktop_files: writes the desktop entry and the MIME package an
// installed program's package carries, from the texts the portable program
// registers for its user, so both say the same.
//
//   write_desktop_files OUT-FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "core/desktop_registration.h"
#include "core/file_io.h"

namespace {

bool Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "write_desktop_files: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_desktop_files OUT-FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = Write(vaticor::JoinPath(folder, vaticor::kDesktopEntryName),
                  vaticor::InstalledDesktopEntryText());
  ok = Write(vaticor::JoinPath(folder, vaticor::kSpreadMimePackageName),
             vaticor::SpreadMimePackageText()) &&
       ok;
  return ok ? 0 : 1;
}
