#include "platform/desktop_shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

// Runs the event loop until `done` or `limitMs` have passed.
bool WaitFor(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

// PATH holds only a folder with our own xdg-open while a test runs.
class DesktopShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    ::setenv("PATH", dir_.MakeDir("bin").c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

  // An xdg-open that writes down its argument and ends with `status`.
  void WriteOpener(int status) {
    const std::string opener =
        dir_.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + dir_.Path("asked") +
                                       "'\nexit " + std::to_string(status) + "\n");
    ASSERT_EQ(::chmod(opener.c_str(), 0755), 0);
  }

  TempDir dir_;
  std::string savedPath_;
};

TEST_F(DesktopShellTest, ADesktopWithoutAHandlerIsReported) {
  // xdg-open's answer when it finds no browser or mail program.
  WriteOpener(3);
  DesktopShell shell;
  int failures = 0;
  shell.Open("mailto:someone@example.org", [&failures] { ++failures; });
  EXPECT_TRUE(WaitFor([&failures] { return failures > 0; }, 10000));
  EXPECT_EQ(ReadAll(dir_.Path("asked")), "mailto:someone@example.org");
  WaitFor([] { return false; }, 200);
  EXPECT_EQ(failures, 1);
}

TEST_F(DesktopShellTest, AnOpenedLinkIsNoFailure) {
  WriteOpener(0);
  DesktopShell shell;
  bool failed = false;
  shell.Open("https://example.org/", [&failed] { failed = true; });
  EXPECT_TRUE(WaitFor([this] { return FileExists(dir_.Path("asked")); }, 10000));
  WaitFor([] { return false; }, 300);
  EXPECT_FALSE(failed);
  EXPECT_EQ(ReadAll(dir_.Path("asked")), "https://example.org/");
}

}  // namespace
}  // namespace vaticor
