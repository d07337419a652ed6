#include "core/session_platform.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vaticor {
namespace {

std::optional<std::string> Choose(const std::map<std::string, std::string>& environment) {
  return ChosenQtPlatform([&environment](const char* name) -> std::optional<std::string> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  });
}

std::optional<std::string> NoDisplay(const std::map<std::string, std::string>& environment) {
  return NoDisplayMessage([&environment](const char* name) -> std::optional<std::string> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  });
}

TEST(SessionPlatform, WithoutADisplayTheProgramSaysSoInOneLine) {
  for (const auto& none : {std::map<std::string, std::string>{},
                           {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}}) {
    const std::optional<std::string> message = NoDisplay(none);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->find('\n'), std::string::npos);
  }
  EXPECT_EQ(NoDisplay({{"WAYLAND_DISPLAY", "wayland-0"}}), std::nullopt);
  EXPECT_EQ(NoDisplay({{"DISPLAY", ":0"}}), std::nullopt);
  // The user's own choice (offscreen, vnc) needs no display.
  EXPECT_EQ(NoDisplay({{"QT_QPA_PLATFORM", "offscreen"}}), std::nullopt);
}

TEST(SessionPlatform, AWaylandSessionWithXWaylandRunsOnX11) {
  EXPECT_EQ(
      Choose(
          {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}),
      "xcb;wayland");
  // A session that only sets the socket is Wayland too.
  EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}), "xcb;wayland");
}

TEST(SessionPlatform, QtChoosesOutsideWaylandWithoutXWaylandOrWhenTheUserHasChosen) {
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}),
            std::nullopt);
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ""}}), std::nullopt);
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}), std::nullopt);
  EXPECT_EQ(Choose({}), std::nullopt);
  EXPECT_EQ(
      Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}),
      std::nullopt);
  // An empty choice is no choice.
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}),
            "xcb;wayland");
}

}  // namespace
}  // namespace vaticor
