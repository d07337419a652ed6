#include "app/start_environment.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/file_io.h"
#include "core/session_platform.h"

namespace vaticor {

namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// The folder of the running program file; empty where it cannot be told.
std::string ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : program.parent_path().string();
}

QtMessageHandler qtHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    heldMessages.emplace_back(type, message);
    return;
  }
  const QByteArray display = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                 ? "DISPLAY=" + qgetenv("DISPLAY")
                                 : "WAYLAND_DISPLAY=" + qgetenv("WAYLAND_DISPLAY");
  std::fprintf(stderr, "vaticor: no window system answers on %s; start it in a desktop session.\n",
               display.constData());
  std::_Exit(1);
}

}  // namespace

bool PrepareStartEnvironment() {
  if (const std::optional<std::string> message = NoDisplayMessage(Environment)) {
    std::fprintf(stderr, "%s\n", message->c_str());
    return false;
  }
  // Before Qt picks its window system, which it does once, at its start.
  if (const std::optional<std::string> platform = ChosenQtPlatform(Environment)) {
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
  }
  if (!Environment("FONTCONFIG_FILE") && !FileExists("/etc/fonts/fonts.conf")) {
    const std::string carried = JoinPath(ProgramFolder(), "fonts/fonts.conf");
    if (FileExists(carried)) qputenv("FONTCONFIG_FILE", QByteArray::fromStdString(carried));
  }
  return true;
}

WindowSystemMessages::WindowSystemMessages() { qtHandler = qInstallMessageHandler(HoldMessage); }

WindowSystemMessages::~WindowSystemMessages() {
  qInstallMessageHandler(qtHandler);
  for (const auto& [type, message] : heldMessages) {
    if (qtHandler) qtHandler(type, QMessageLogContext(), message);
  }
  heldMessages.clear();
}

}  // namespace vaticor
