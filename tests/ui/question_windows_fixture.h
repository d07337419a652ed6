#pragma once

// The main window with the real question and log windows around it, as the
// program wires them, on a fixed screen with fake decks, clock and formats.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <cstdio>
#include <memory>

#include "support/qt/keys.h"
#include "support/qt/mouse.h"
#include "support/ui/fake_windows.h"
#include "support/ui/picture_tag.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/skin_image.h"
#include "ui/content_signals.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_form.h"
#include "ui/questions/question_log_form.h"

namespace vaticor::testing {

// What the main window reaches: the real log and question windows once they
// exist, plain records for the rest.
class QuestionWindowsLinks : public FakeLinks {
 public:
  void AddReading(const std::vector<int>& cards) override { log->AddReading(cards); }
  int LineCount() const override { return log->LineCount(); }
  int SelectedLine() const override { return log->SelectedLine(); }
  void SelectLine(int line) override { log->SelectLine(line); }
  std::string LineText(int line) const override { return log->LineText(line); }
  bool IsDateLine(int line) const override { return log->IsDateLine(line); }
  void ShowSelectedReading() override { log->ShowSelectedReading(); }
  void ShowLogWindow() override { log->ShowLogWindow(); }
  void ShowAndSelectLast() override { log->ShowAndSelectLast(); }
  void AppendQuestionToSelected(const std::string& question) override {
    log->AppendQuestionToSelected(question);
  }
  void SaveLog() override { log->SaveLog(); }

  bool IsQuestionVisible() const override { return question->IsQuestionVisible(); }
  void SetQuestionVisible(bool visible) override { question->SetQuestionVisible(visible); }
  int QuestionTop() const override { return question->QuestionTop(); }
  int QuestionHeight() const override { return question->QuestionHeight(); }
  void ShowLoggedQuestion(const std::string& text) override { question->ShowLoggedQuestion(text); }
  void ClearQuestion() override { question->ClearQuestion(); }
  void MainWindowRestored() override { question->MainWindowRestored(); }

  ReadingLogLink* log = nullptr;
  QuestionWindowLink* question = nullptr;
};

class QuestionWindowsTest : public ::testing::Test, protected ProgramStateFixture {
 protected:
  // Creates the windows in the program's order: main window, log, question.
  void Open() {
    ReadSettingsFile();
    state.Content.Load();
    main = std::make_unique<TVaticorForm>(state);
    FollowContent(state.ContentChanges, main.get(), *main);
    main->ConnectWindows(links.Links());
    log = std::make_unique<TQuestionLogForm>(
        state, *main, LogWindowSetup{&localClock, &format, LogPath(), readLogInBackground});
    links.log = log.get();
    question = std::make_unique<TQuestionForm>(state, *main, *log);
    links.question = question.get();
    log->SetQuestionWindow(question.get());
  }
  // Closes everything as the end of the program does (the main window's
  // close saves settings and log) and forgets the windows.
  void CloseAll() {
    main->close();
    question.reset();
    log.reset();
    main.reset();
  }
  std::string LogPath() const { return dir.Path("Vaticor.Log"); }

  // Controls of the windows, by their layout names.
  static TCardImage* Card(const TVaticorForm& form, int n) {
    return Control<TCardImage>(form, ("CardImage0" + std::to_string(n)).c_str());
  }
  QLineEdit* Memo1() const { return Control<QLineEdit>(*question, "Memo1"); }
  QListView* LogList() const { return Control<QListView>(*log, "ListBox1"); }
  QMenu* MainMenu() const { return Control<QMenu>(*main, "PopupMenu1"); }
  // The main window's draw, by a click on its caption.
  void Draw() const { Click(Control<TCaptionLabel>(*main, "Label2")); }
  // The main menu opened by its image, then closed again.
  void OpenMainMenu() const {
    Click(Control<TSkinImage>(*main, "Image1"));
    MainMenu()->hide();
  }

  std::vector<int> Numbers() const {
    return {Card(*main, 1)->Number(), Card(*main, 2)->Number(), Card(*main, 3)->Number()};
  }
  // The card whose picture an image shows, and whether it is turned.
  static int TagOf(const TCardImage* image) { return PictureTag(image->Picture()); }

  // The log file read as the program reads it, on a thread of its own.
  bool readLogInBackground = false;
  FixedLocalClock localClock;
  DayMonthYearFormat format;
  QuestionWindowsLinks links;
  std::unique_ptr<TVaticorForm> main;
  std::unique_ptr<TQuestionLogForm> log;
  std::unique_ptr<TQuestionForm> question;
};

}  // namespace vaticor::testing
