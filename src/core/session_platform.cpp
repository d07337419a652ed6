#include "core/session_platform.h"

namespace vaticor {

namespace {

using Variable = std::function<std::optional<std::string>(const char* name)>;

bool IsSet(const Variable& variable, const char* name) {
  const std::optional<std::string> value = variable(name);
  return value.has_value() && !value->empty();
}

}  // namespace

std::optional<std::string> ChosenQtPlatform(const Variable& variable) {
  auto isSet = [&variable](const char* name) { return IsSet(variable, name); };
  if (isSet("QT_QPA_PLATFORM")) return std::nullopt;
  const bool wayland = variable("XDG_SESSION_TYPE") == std::optional<std::string>("wayland") ||
                       isSet("WAYLAND_DISPLAY");
  if (!wayland || !isSet("DISPLAY")) return std::nullopt;
  // Qt tries the plugins in order: Wayland when XWayland does not answer.
  return "xcb;wayland";
}

std::optional<std::string> NoDisplayMessage(const Variable& variable) {
  if (IsSet(variable, "QT_QPA_PLATFORM") || IsSet(variable, "DISPLAY") ||
      IsSet(variable, "WAYLAND_DISPLAY")) {
    return std::nullopt;
  }
  return "vaticor: no display to open its windows on (neither DISPLAY nor WAYLAND_DISPLAY is "
         "set); start it in a desktop session.";
}

}  // namespace vaticor
