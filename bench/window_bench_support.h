#pragma once

// What the benchmarks of windows share: links that lead nowhere (override
// what a benchmark needs), and a main() with a QApplication on the offscreen
// platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

namespace vaticor::bench {

// Links that lead nowhere; a benchmark overrides what it needs.
class NoWindowLinks : public CardViewerLink,
                      public ReadingLogLink,
                      public QuestionWindowLink,
                      public SpreadsWindowLink,
                      public FolderSelectLink,
                      public LanguageMenuLink {
 public:
  WindowLinks Links() { return {*this, *this, *this, *this, *this, *this}; }
  void ShowCardDescription(const std::string&, int, int) override {}
  void ShowViewer() override {}
  bool IsViewerVisible() const override { return false; }
  void ShowCurrentCardAgain() override {}
  void AddReading(const std::vector<int>&) override {}
  int LineCount() const override { return 0; }
  int SelectedLine() const override { return -1; }
  void SelectLine(int) override {}
  std::string LineText(int) const override { return {}; }
  bool IsDateLine(int) const override { return false; }
  void ShowSelectedReading() override {}
  void ShowLogWindow() override {}
  void ShowAndSelectLast() override {}
  void AppendQuestionToSelected(const std::string&) override {}
  void SaveLog() override {}
  bool IsQuestionVisible() const override { return false; }
  void SetQuestionVisible(bool) override {}
  int QuestionTop() const override { return 10'000; }  // never over the main window
  int QuestionHeight() const override { return 40; }
  void ShowLoggedQuestion(const std::string&) override {}
  void ClearQuestion() override {}
  void MainWindowRestored() override {}
  void ShowSpreads() override {}
  bool IsSpreadVisible() const override { return false; }
  void SetSpreadVisible(bool) override {}
  void ShowForMode(FolderMode) override {}
  void ChooseLanguage(int) override {}
};

// The program's single instances for a program folder (its settings file
// read on a 1024 x 768 screen with the taskbar at 738), as the windows of a
// benchmark see them.
struct BenchState {
  BenchState(const std::string& programFolder, PictureLoader& loader)
      : ini(Settings(programFolder, screen)),
        decks(ini.DecksFolder, loader),
        descriptions(ini.DescriptionsFolder) {}
  static TINIData Settings(const std::string& programFolder, const ScreenInfo& screen) {
    TINIData data;
    SetApplicationFolders(data, programFolder + "/vaticor");
    OpenSettings(data, programFolder + "/Quorlin.ini", screen);
    return data;
  }

  FixedScreen screen{1024, 768, 738};
  FixedClock clock{43'200'000};
  RandomGenerator random{clock};
  TINIData ini;  // after screen, which it is read for
  TTaroDecks decks;
  TTaroDescriptions descriptions;
  TCardsSpreadGenerator picker{random};
  TLanguageTable languages;
  RecordingShell shell;
  ProgramState state{ini, decks, descriptions, picker, random, screen, languages, shell, "0x0419"};
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
