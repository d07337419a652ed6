#include "platform/freedesktop_registrar.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace vaticor {

namespace {

// A package file larger than this is not read: shared-mime-info's own
// database, the largest known, is about 2 MiB.
constexpr std::size_t kMaxPackageBytes = 16u << 20;

// A step that could not be done, in a few English words naming the file.
struct StepFailure : std::exception {
  explicit StepFailure(std::string text) : message(std::move(text)) {}
  const char* what() const noexcept override { return message.c_str(); }
  std::string message;
};

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

void MakeFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw StepFailure("cannot create " + folder + ": " + error.message());
}

// Writes a whole file, making its folder first.
void WriteFile(const std::string& path, std::string_view bytes) {
  MakeFolders(ParentPath(path));
  if (!WriteFileAtomically(path, bytes)) throw StepFailure("cannot write " + path);
}

// The path with every link resolved (the program file itself, as the
// program finds its folder from); as given when it cannot be resolved.
std::string RealPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(path, error);
  return error ? path : real.string();
}

// Makes `link` a symbolic link to `target`, replacing what is there in one
// rename, so that a start through the old link never finds none.
void WriteLink(const std::string& link, const std::string& target) {
  MakeFolders(ParentPath(link));
  const std::string temporary = link + ".new";
  std::error_code error;
  std::filesystem::remove(temporary, error);
  std::filesystem::create_symlink(target, temporary, error);
  if (!error) std::filesystem::rename(temporary, link, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw StepFailure("cannot link " + link + ": " + error.message());
  }
}

// The file's bytes; nullopt when there is no file; a file that exists but
// cannot be read is a failure, so that nothing is decided from a guess.
std::optional<std::string> ReadExisting(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  auto bytes = ReadFileBytes(path);
  if (!bytes) throw StepFailure("cannot read " + path);
  return bytes;
}

// Runs a cache tool on a folder when it is on PATH; a missing tool is no
// failure (the desktop then rebuilds its caches itself, or never needed it).
void RunTool(const char* tool, const std::string& folder) {
  const QString program = QStandardPaths::findExecutable(QString::fromUtf8(tool));
  if (program.isEmpty()) return;
  QProcess process;
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(program, QStringList{QString::fromStdString(folder)});
  if (!process.waitForStarted(FreedesktopRegistrar::kToolTimeoutMs)) {
    throw StepFailure(std::string(tool) + " did not start");
  }
  if (!process.waitForFinished(FreedesktopRegistrar::kToolTimeoutMs)) {
    process.kill();
    process.waitForFinished(FreedesktopRegistrar::kToolTimeoutMs);
    throw StepFailure(std::string(tool) + " took too long and was stopped");
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    throw StepFailure(std::string(tool) + " failed on " + folder);
  }
}

std::string ResourceBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) throw StepFailure("no icon " + name.toStdString());
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Runs one step; its failure is kept for the report, and the next step runs.
template <typename Step>
void Attempt(std::vector<std::string>& failures, Step&& step) {
  try {
    step();
  } catch (const std::exception& error) {
    failures.emplace_back(error.what());
  }
}

}  // namespace

FreedesktopRegistrar::FreedesktopRegistrar(std::string programPath, XdgFolders folders,
                                           std::string iconResourcePrefix)
    : programPath_(std::move(programPath)),
      folders_(std::move(folders)),
      iconResourcePrefix_(std::move(iconResourcePrefix)) {}

XdgFolders FreedesktopRegistrar::FoldersFromEnvironment() {
  return XdgFoldersFrom(EnvironmentValue("HOME"), EnvironmentValue("XDG_DATA_HOME"),
                        EnvironmentValue("XDG_DATA_DIRS"), EnvironmentValue("XDG_CONFIG_HOME"));
}

void FreedesktopRegistrar::RegisterSpreadFileType() {
  std::vector<std::string> failures;
  if (folders_.dataHome.empty() || folders_.configHome.empty()) {
    failures.emplace_back("no home folder");
  } else {
    Attempt(failures, [this] { RegisterMimeType(); });
    Attempt(failures, [this] { RegisterDesktopEntry(); });
    Attempt(failures, [this] { RegisterDefaultApplication(); });
    Attempt(failures, [this] { InstallIcons(); });
  }
  if (failures.empty()) return;
  // One line, whatever failed: a read-only home fails every step.
  std::string line = "vaticor: .spread files not registered with the desktop: " + failures.front();
  if (failures.size() > 1) line += " (and " + std::to_string(failures.size() - 1) + " more)";
  std::fprintf(stderr, "%s\n", line.c_str());
}

void FreedesktopRegistrar::RegisterMimeType() {
  const std::string ownFolder = JoinPath(folders_.dataHome, "mime/packages");
  const std::string ownPath = JoinPath(ownFolder, kSpreadMimePackageName);
  std::vector<std::string> others;
  std::vector<std::string> roots{folders_.dataHome};
  roots.insert(roots.end(), folders_.dataDirs.begin(), folders_.dataDirs.end());
  for (const std::string& root : roots) {
    const std::string folder = JoinPath(root, "mime/packages");
    for (const std::string& name : ListDirectory(folder)) {
      const std::string path = JoinPath(folder, name);
      if (!EndsWith(name, ".xml") || path == ownPath) continue;
      // An unreadable package of another declares nothing we could see.
      if (auto text = ReadFilePrefix(path, kMaxPackageBytes)) others.push_back(std::move(*text));
    }
  }
  if (!ShouldWriteMimePackage(others, ReadExisting(ownPath))) return;
  WriteFile(ownPath, SpreadMimePackageText());
  RunTool("update-mime-database", JoinPath(folders_.dataHome, "mime"));
}

void FreedesktopRegistrar::RegisterDesktopEntry() {
  const std::string folder = JoinPath(folders_.dataHome, "applications");
  const std::string path = JoinPath(folder, kDesktopEntryName);
  const std::optional<std::string> existing = ReadExisting(path);
  const DesktopEntryFacts facts = existing ? ReadDesktopEntry(*existing) : DesktopEntryFacts{};
  const bool programExists = existing && FileExists(facts.program);
  if (!ShouldWriteDesktopEntry(existing, programExists)) return;
  // An entry of ours from before it had a Path keeps the copy it starts.
  const std::string program = RealPath(programExists ? facts.program : programPath_);
  const std::string launcher = LauncherLinkPath(folders_.dataHome);
  if (ExecCanStart(program)) {
    // A link left from a folder the program has moved out of leads nowhere.
    std::error_code ignored;
    if (std::filesystem::is_symlink(launcher, ignored)) std::filesystem::remove(launcher, ignored);
    WriteFile(path, DesktopEntryText(program));
  } else {
    if (!ExecCanStart(launcher)) throw StepFailure("no path without % to start " + program);
    WriteLink(launcher, program);
    WriteFile(path, DesktopEntryText(program, launcher));
  }
  RunTool("update-desktop-database", folder);
}

void FreedesktopRegistrar::RegisterDefaultApplication() {
  const std::string path = JoinPath(folders_.configHome, "mimeapps.list");
  const std::optional<std::string> existing = ReadExisting(path);
  const std::optional<std::string> updated =
      WithDefaultApplication(existing.value_or(""), kSpreadMimeType, kDesktopEntryName);
  if (updated) WriteFile(path, *updated);
}

void FreedesktopRegistrar::InstallIcons() {
  const QString prefix = QString::fromStdString(iconResourcePrefix_);
  const std::string name = std::string(kIconName) + ".png";
  const std::string themeFolder = JoinPath(folders_.dataHome, "icons/hicolor");
  // Every size the icon is drawn at, each drawn for its size, as a
  // package's icons are: desktops pick the nearest to what they show.
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    const std::string path = JoinPath(themeFolder, side + "x" + side + "/apps/" + name);
    if (FileExists(path)) continue;
    WriteFile(path, ResourceBytes(prefix + QString::number(size) + ".png"));
  }
}

}  // namespace vaticor
