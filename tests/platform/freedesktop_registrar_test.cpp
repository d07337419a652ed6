#include "platform/freedesktop_registrar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using ::testing::HasSubstr;
using testing::ReadAll;
using ::testing::StartsWith;
using testing::TempDir;

constexpr const char* kVariables[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME"};

// Every file under a folder with its bytes, to tell whether a run changed any.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = ReadAll(entry.path().string());
  }
  return files;
}

// The output of a tool run with the test's environment; nullopt when it
// did not end within ten seconds.
std::optional<std::string> RunTool(const QString& program, const QStringList& arguments,
                                   const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(QString::fromStdString(ParentPath(arguments.last().toStdString())));
  process.start(program, arguments);
  if (!process.waitForFinished(10000)) return std::nullopt;
  return process.readAllStandardOutput().trimmed().toStdString();
}

class FreedesktopRegistrarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    dataHome_ = dir_.MakeDir("home/.local/share");
    dataDir_ = dir_.MakeDir("system/share");
    configHome_ = dir_.MakeDir("home/.config");
    SetFolders(dataHome_);
    // Icons of the sizes the program has, each a plain colour of its size.
    dir_.MakeDir("icons");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      QImage image(size, size, QImage::Format_ARGB32);
      image.fill(0xFF1B2B4Fu);
      ASSERT_TRUE(image.save(
          QString::fromStdString(dir_.Path("icons/app_icon_" + std::to_string(size) + ".png")),
          "PNG"));
    }
    // As the program knows its own path: links resolved.
    program_ = std::filesystem::canonical(dir_.Write("bin/vaticor", "#!/bin/sh\n")).string();
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }

  void SetFolders(const std::string& dataHome) {
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    ::setenv("XDG_DATA_DIRS", dataDir_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
  }

  void Register(const std::string& program) {
    FreedesktopRegistrar registrar(program, FreedesktopRegistrar::FoldersFromEnvironment(),
                                   dir_.Path("icons/app_icon_"));
    registrar.RegisterSpreadFileType();
  }

  // A program (a script) that writes down the folder it works in and its
  // first argument, one to a line.
  std::string WriteRecordingProgram(const std::string& relativePath) {
    const std::string program =
        dir_.Write(relativePath,
                   "#!/bin/sh\nprintf '%s\\n%s' \"$(pwd -P)\" \"$1\" > '" + OutputPath() + "'\n");
    EXPECT_EQ(::chmod(program.c_str(), 0755), 0);
    return std::filesystem::canonical(program).string();
  }
  std::string OutputPath() const { return dir_.Path("recorded.txt"); }

  // Opens the file with our desktop entry as GLib desktops do (from the
  // file's folder) and returns what the program wrote down; empty when it
  // did not start.
  std::string OpenWithTheEntry(const QString& gio, const std::string& file) {
    std::filesystem::remove(OutputPath());
    EXPECT_TRUE(
        RunTool(gio, {"launch", QString::fromStdString(EntryPath()), QString::fromStdString(file)},
                QProcessEnvironment::systemEnvironment()));
    // gio does not wait for the program it starts.
    for (int i = 0; i < 100 && !FileExists(OutputPath()); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return FileExists(OutputPath()) ? ReadAll(OutputPath()) : std::string();
  }

  std::string PackagePath() const { return dataHome_ + "/mime/packages/vaticor-spread.xml"; }
  std::string EntryPath() const { return dataHome_ + "/applications/vaticor.desktop"; }
  std::string MimeAppsPath() const { return configHome_ + "/mimeapps.list"; }

  TempDir dir_;
  std::map<std::string, std::optional<std::string>> saved_;
  std::string dataHome_, dataDir_, configHome_, program_;
};

TEST_F(FreedesktopRegistrarTest, AFirstRunWritesTheTypeTheEntryTheDefaultAndTheIcons) {
  Register(program_);

  // The texts themselves are pinned by the core's tests.
  EXPECT_EQ(ReadAll(PackagePath()), SpreadMimePackageText());
  EXPECT_EQ(ReadAll(EntryPath()), DesktopEntryText(program_));
  EXPECT_EQ(ReadAll(MimeAppsPath()),
            "[Default Applications]\napplication/x-vaticor-spread=vaticor.desktop\n");
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const QImage icon(
        QString::fromStdString(dataHome_ + "/icons/hicolor/" + folder + "/apps/vaticor.png"),
        "PNG");
    EXPECT_EQ(icon.width(), size) << folder;
    EXPECT_EQ(icon.height(), size) << folder;
    if (!icon.isNull()) {
      EXPECT_EQ(icon.pixel(size / 2, size / 2), 0xFF1B2B4Fu) << folder;
    }
  }
  if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
    EXPECT_TRUE(FileExists(dataHome_ + "/mime/mime.cache"));
  }
}

TEST_F(FreedesktopRegistrarTest, TheDesktopToolsSeeTheTypeAndTheDefault) {
  // Without a desktop named, xdg-mime asks `file`, which knows nothing of
  // shared-mime-info; as on GNOME it asks GIO, which reads the data folders.
  const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
  if (xdgMime.isEmpty() || QStandardPaths::findExecutable("gio").isEmpty() ||
      QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
    GTEST_SKIP() << "xdg-mime, gio or update-mime-database is not installed";
  }
  Register(program_);
  const std::string file = dir_.Write("docs/a.spread", "[Spread]\nName=Cross\n");
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_CURRENT_DESKTOP", "GNOME");

  EXPECT_EQ(RunTool(xdgMime, {"query", "filetype", QString::fromStdString(file)}, environment),
            "application/x-vaticor-spread");
  EXPECT_EQ(
      RunTool(xdgMime,
              {"query", "default", "application/x-vaticor-spread", QString::fromStdString(file)},
              environment),
      "vaticor.desktop");
}

TEST_F(FreedesktopRegistrarTest, OpeningAFileStartsTheProgramWithItsPathEvenInAnOddFolder) {
  const QString gio = QStandardPaths::findExecutable("gio");
  if (gio.isEmpty()) GTEST_SKIP() << "gio is not installed";
  const std::string program = WriteRecordingProgram(R"(Tarot "Pro" $HOME `id` a\b/vaticor)");
  Register(program);
  const std::string file = dir_.Write("docs/my reading.spread", "[Spread]\n");

  const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
  if (!validate.isEmpty()) {
    QProcess check;
    check.start(validate, {QString::fromStdString(EntryPath())});
    ASSERT_TRUE(check.waitForFinished(10000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
  }
  // The program works in its own folder, where it keeps its reading log,
  // not in the folder it was started from.
  EXPECT_EQ(OpenWithTheEntry(gio, file), ParentPath(program) + "\n" + file);
}

TEST_F(FreedesktopRegistrarTest, AProgramInAFolderWithAPercentSignStartsThroughALink) {
  const QString gio = QStandardPaths::findExecutable("gio");
  if (gio.isEmpty()) GTEST_SKIP() << "gio is not installed";
  const std::string file = dir_.Write("docs/a.spread", "[Spread]\n");
  const std::string link = dataHome_ + "/vaticor/vaticor";
  const std::string first = WriteRecordingProgram("pct 100%/vaticor");
  Register(first);
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), first);
  // GLib finds no program at a path holding "%", even written "%%".
  EXPECT_EQ(OpenWithTheEntry(gio, file), ParentPath(first) + "\n" + file);

  // Moved to another such folder: the link follows it.
  std::filesystem::remove(first);
  const std::string second = WriteRecordingProgram("50% off/vaticor");
  Register(second);
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), second);
  EXPECT_EQ(OpenWithTheEntry(gio, file), ParentPath(second) + "\n" + file);

  // Moved to a plain folder: started directly, the link is gone.
  std::filesystem::remove(second);
  Register(program_);
  EXPECT_THAT(ReadAll(EntryPath()), HasSubstr("\nExec=\"" + program_ + "\" %f\n"));
  EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST_F(FreedesktopRegistrarTest, OurEntryWithoutAFolderIsRewrittenForTheCopyItStarts) {
  // As earlier versions wrote it, for a copy that still exists.
  const std::string copy =
      std::filesystem::canonical(dir_.Write("copy/vaticor", "#!/bin/sh\n")).string();
  dir_.Write("home/.local/share/applications/vaticor.desktop",
             "[Desktop Entry]\nType=Application\nName=Vaticor\nIcon=vaticor\n"
             "Exec=\"" +
                 copy +
                 "\" %f\nMimeType=application/x-vaticor-spread;\n"
                 "Categories=Utility;\nTerminal=false\nX-Vaticor-Registered=true\n");
  Register(program_);
  EXPECT_EQ(ReadAll(EntryPath()), DesktopEntryText(copy));
}

TEST_F(FreedesktopRegistrarTest, ASecondRunFromAnotherFolderChangesNothing) {
  Register(program_);
  const auto before = Snapshot(dir_.path());
  Register(dir_.Write("elsewhere/vaticor", "#!/bin/sh\n"));
  auto after = Snapshot(dir_.path());
  after.erase(dir_.Path("elsewhere/vaticor"));
  EXPECT_EQ(after, before);
}

TEST_F(FreedesktopRegistrarTest, AnotherPackageDeclaringTheGlobKeepsOursUnwritten) {
  const std::string other =
      dir_.Write("system/share/mime/packages/other-tarot.xml",
                 "<?xml version=\"1.0\"?>\n"
                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                 "  <mime-type type=\"application/x-other-spread\">\n"
                 "    <glob pattern=\"*.SPREAD\"/>\n  </mime-type>\n</mime-info>\n");
  const std::string otherBytes = ReadAll(other);
  Register(program_);
  EXPECT_FALSE(DirectoryExists(dataHome_ + "/mime"));
  EXPECT_EQ(ReadAll(other), otherBytes);
  // The program still offers itself for its own type.
  EXPECT_TRUE(FileExists(EntryPath()));
}

TEST_F(FreedesktopRegistrarTest, OurEntryForAMovedProgramIsRepointedAndAnotherIsNotTouched) {
  Register(dir_.Write("old/vaticor", "#!/bin/sh\n"));
  std::filesystem::remove(dir_.Path("old/vaticor"));
  Register(program_);
  EXPECT_THAT(ReadAll(EntryPath()), HasSubstr("\nExec=\"" + program_ + "\" %f\n"));

  const std::string users =
      "[Desktop Entry]\nType=Application\nName=My Vaticor\nExec=/gone/vaticor %f\n";
  dir_.Write("home/.local/share/applications/vaticor.desktop", users);
  Register(program_);
  EXPECT_EQ(ReadAll(EntryPath()), users);
}

TEST_F(FreedesktopRegistrarTest, AnExistingDefaultAndTheOtherLinesStay) {
  const std::string list =
      "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
      "[Default Applications]\napplication/x-vaticor-spread=other-tarot.desktop\n";
  dir_.Write("home/.config/mimeapps.list", list);
  Register(program_);
  EXPECT_EQ(ReadAll(MimeAppsPath()), list);
}

TEST_F(FreedesktopRegistrarTest, AHomeThatCannotHoldFoldersStopsNothingAndSaysOneLine) {
  // A file where the data home should be: no folder can be made under it,
  // whoever runs the tests (permission bits do not stop root).
  const std::string blocked = dir_.Write("blocked", "not a folder");
  SetFolders(blocked);
  ::setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);

  ::testing::internal::CaptureStderr();
  EXPECT_NO_THROW(Register(program_));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(said, StartsWith("vaticor: .spread files not registered with the desktop: "));
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(ReadAll(blocked), "not a folder");
}

TEST_F(FreedesktopRegistrarTest, MissingIconsFailAloneAndTheRestIsWritten) {
  FreedesktopRegistrar registrar(program_, FreedesktopRegistrar::FoldersFromEnvironment(),
                                 dir_.Path("no such icon_"));
  ::testing::internal::CaptureStderr();
  registrar.RegisterSpreadFileType();
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("no icon"));
  EXPECT_TRUE(FileExists(PackagePath()));
  EXPECT_TRUE(FileExists(EntryPath()));
  EXPECT_TRUE(FileExists(MimeAppsPath()));
}

}  // namespace
}  // namespace vaticor
