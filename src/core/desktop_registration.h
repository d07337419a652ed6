#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// The texts and decisions of registering ".spread" files with a freedesktop
// desktop (shared-mime-info, desktop entries, mimeapps.list) for one user,
// without root: everything goes under the user's data and config folders.
// No file is touched here; platform/freedesktop_registrar.h reads and writes.

inline constexpr std::string_view kSpreadMimeType = "application/x-vaticor-spread";
// The shared-MIME-info package the program writes, in <data home>/mime/packages.
inline constexpr std::string_view kSpreadMimePackageName = "vaticor-spread.xml";
// The desktop entry the program writes, in <data home>/applications; also
// the desktop file ID that mimeapps.list names.
inline constexpr std::string_view kDesktopEntryName = "vaticor.desktop";
// The icon theme name of the program's icon (<name>.png under hicolor).
inline constexpr std::string_view kIconName = "vaticor";
// The key that marks a desktop entry as written by the program: an entry
// without it is the user's or another program's and is never rewritten.
inline constexpr std::string_view kOwnEntryMark = "X-Vaticor-Registered";

// The XDG base folders, absolute paths without a trailing separator.
struct XdgFolders {
  std::string dataHome;
  std::vector<std::string> dataDirs;  // in order of preference
  std::string configHome;
};

// The folders from the environment's values, each empty when unset. An
// empty or relative XDG value counts as unset (the base-directory rules say
// to ignore a relative one): data home then is <home>/.local/share, config
// home <home>/.config, data dirs /usr/local/share and /usr/share. A relative
// entry of XDG_DATA_DIRS is dropped. With no home either, the folders that
// depend on it are empty, and the registrar writes nothing.
XdgFolders XdgFoldersFrom(std::string_view home, std::string_view dataHome,
                          std::string_view dataDirs, std::string_view configHome);

// True when the text of a shared-MIME-info package declares the glob
// "*.spread": a <glob> element whose pattern attribute is that text in any
// letter case, quoted with " or '. Elements inside XML comments do not count.
// The text is not validated; a package too broken to find a <glob> in
// declares nothing.
bool DeclaresSpreadGlob(std::string_view packageXml);

// Whether to write the program's package, given the texts of the other
// packages in every data folder and the text of the program's own package in
// the data home (nullopt when there is none). Another package declaring
// "*.spread" owns the type: nothing is written then, not even over an own
// package left from before. Otherwise the own package is written when it is
// missing or holds other bytes than SpreadMimePackageText().
bool ShouldWriteMimePackage(const std::vector<std::string>& otherPackages,
                            const std::optional<std::string>& ownPackage);

// The program's shared-MIME-info package: the type, its comment, the
// case-insensitive glob and the icon name. UTF-8, LF line ends.
std::string SpreadMimePackageText();

// One argument of a desktop entry's Exec key, quoted by the Exec rules: in
// double quotes, with '"', '`', '$' and '\' each after a backslash. The
// result is a value at the Exec level, before the string escapes of the file
// (DesktopStringValue).
std::string QuoteExecArgument(std::string_view argument);

// A value as a desktop entry's string escapes write it: '\' doubled, and a
// line break, tab or carriage return as "\n", "\t", "\r" (a value is one line).
std::string DesktopStringValue(std::string_view value);

// Whether a desktop entry's Exec can start the program at this path. A "%"
// is written "%%" as the Exec rules ask, but GLib looks for the program
// before undoing that, so GNOME and its kin find no program at a path
// holding one.
bool ExecCanStart(std::string_view programPath);

// The link the entry starts the program through when ExecCanStart is false
// for the program's own path: <data home>/vaticor/vaticor, pointing at the
// program. Written (and replaced) with the entry; the program finds its
// folder from its own file, not from the link.
std::string LauncherLinkPath(std::string_view dataHome);

// The program's desktop entry, opening a file with the program at
// `programPath` (absolute, UTF-8, the real file) given the file's path as
// first argument; Exec names `launcherPath` instead when that is not empty.
// Path is the program's folder, so that the program started from the menu
// works there as when started from its folder (its reading log is written
// in the working directory). LF line ends; it passes desktop-file-validate.
std::string DesktopEntryText(std::string_view programPath, std::string_view launcherPath = {});
// The desktop entry a package installs for every user: the same, starting
// "vaticor" from the PATH, without a working folder or the mark of one the
// program wrote itself (which it would otherwise take as its own to move).
std::string InstalledDesktopEntryText();

// What a desktop entry holds that decides whether to rewrite it.
struct DesktopEntryFacts {
  bool ours = false;  // holds kOwnEntryMark=true in [Desktop Entry]
  // The program Exec starts, unescaped; empty when Exec is missing or its
  // first argument cannot be read (an unterminated quote).
  std::string program;
  // The Path value (the working directory), unescaped; empty when there is
  // none, as in the entries of versions that wrote none.
  std::string workingFolder;
};
DesktopEntryFacts ReadDesktopEntry(std::string_view entryText);

// Whether to write the program's desktop entry, given the text of the one at
// its place (nullopt when there is none) and whether the program that entry
// starts exists. Only a missing entry, one of ours whose program is gone (the
// program was moved) or one of ours without Path (written before the entry
// had one: started from the menu, the program would keep its log wherever
// the launcher stood) is written; an entry of ours that starts an existing
// program from its folder is left as it is even when that is another copy.
bool ShouldWriteDesktopEntry(const std::optional<std::string>& existingEntry,
                             bool existingProgramExists);

// The text of mimeapps.list with `desktopId` made the default application of
// `mimeType` under [Default Applications]; nullopt when that section already
// names a default for the type (the user's choice stays). Every other line
// keeps its bytes, and the file its line ends; a new file gets LF ones.
std::optional<std::string> WithDefaultApplication(std::string_view mimeAppsText,
                                                  std::string_view mimeType,
                                                  std::string_view desktopId);

}  // namespace vaticor
