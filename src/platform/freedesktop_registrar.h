#pragma once

#include <string>

#include "core/desktop_registration.h"
#include "core/file_type_registration.h"

namespace vaticor {

// The Qt resources of the program's icon: <prefix><size>.png for sizes 64,
// 128 and 256 (resources/skin.qrc).
inline constexpr const char* kAppIconResourcePrefix = ":/skin/app_icon_";

// Registers ".spread" files with a freedesktop desktop for the current user,
// under the user's own data and config folders, so no root is needed:
// - the MIME type application/x-vaticor-spread (a shared-MIME-info package
//   in <data home>/mime/packages), unless another package in the data home
//   or a data dir already declares "*.spread";
// - the desktop entry <data home>/applications/vaticor.desktop, starting the
//   program in its folder with the file's path as first argument; an entry
//   that is not the program's own is never touched, and its own is rewritten
//   only when the program it starts no longer exists (the program was moved)
//   or it names no folder to start in (an entry of an earlier version). A
//   program in a folder whose path holds "%" is started through the link
//   LauncherLinkPath, written with the entry;
// - vaticor.desktop as the type's default in <config home>/mimeapps.list,
//   unless the file names a default already;
// - the icon "vaticor" in the hicolor theme at 16, 24, 32, 48, 64, 128 and
//   256 pixels, each written only when missing.
// After writing, the desktop's caches are refreshed with
// update-mime-database and update-desktop-database when they are on PATH,
// each given at most kToolTimeoutMs.
//
// Every file is written through WriteFileAtomically, so a failure leaves no
// torn file. No failure stops the program or shows anything: a read-only
// home, a missing tool or a broken icon resource writes one line to
// standard error and the start goes on.
class FreedesktopRegistrar : public FileTypeRegistrar {
 public:
  // How long one cache tool may run before it is killed, in milliseconds:
  // the start waits for it, and on a cold disk update-mime-database takes
  // about a second.
  static constexpr int kToolTimeoutMs = 3000;

  // `programPath`: the program file, absolute; links in it are resolved.
  FreedesktopRegistrar(std::string programPath, XdgFolders folders,
                       std::string iconResourcePrefix = kAppIconResourcePrefix);

  // The folders from XDG_DATA_HOME, XDG_DATA_DIRS, XDG_CONFIG_HOME and HOME.
  static XdgFolders FoldersFromEnvironment();

  void RegisterSpreadFileType() override;

 private:
  // Each step catches its own failures so that one does not stop the others.
  void RegisterMimeType();
  void RegisterDesktopEntry();
  void RegisterDefaultApplication();
  void InstallIcons();

  std::string programPath_;
  XdgFolders folders_;
  std::string iconResourcePrefix_;
};

}  // namespace vaticor
