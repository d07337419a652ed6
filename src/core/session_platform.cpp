#include "core/session_platform.h"

namespace vaticor {

std::optional<std::string> ChosenQtPlatform(
    const std::function<std::optional<std::string>(const char* name)>& variable) {
  auto isSet = [&variable](const char* name) {
    const std::optional<std::string> value = variable(name);
    return value.has_value() && !value->empty();
  };
  if (isSet("QT_QPA_PLATFORM")) return std::nullopt;
  const bool wayland = variable("XDG_SESSION_TYPE") == std::optional<std::string>("wayland") ||
                       isSet("WAYLAND_DISPLAY");
  if (!wayland || !isSet("DISPLAY")) return std::nullopt;
  // Qt tries the plugins in order: Wayland when XWayland does not answer.
  return "xcb;wayland";
}

}  // namespace vaticor
