#pragma once

// What the benchmarks of windows share with the tests: the links that only
// record (override what a benchmark needs) and the program's instances; and
// a main() with a QApplication on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "library/picture_loader.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_instances.h"

namespace vaticor::bench {

// A picture loader for windows whose pictures are not measured.
using NoPictures = NamingOnlyLoader;

// Links that lead nowhere but to records (the tests' fakes); a benchmark
// overrides what it needs.
using NoWindowLinks = testing::FakeLinks;

// The program's single instances for a program folder (its settings file
// read on a 1024 x 768 screen with the taskbar at 738), as the windows of a
// benchmark see them.
struct BenchState : testing::ProgramInstances {
  BenchState(const std::string& programFolder, PictureLoader& loader)
      : ProgramInstances(programFolder + "/Pictures Folder/Decks",
                         programFolder + "/Texts Folder/Descriptions", loader, 43'200'000) {
    SetApplicationFolders(ini, programFolder + "/vaticor");
    OpenSettings(ini, programFolder + "/Quorlin.ini", screen);
  }
};

inline int RunWindowBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}

}  // namespace vaticor::bench
