#pragma once

// The main window with the real question and log windows around it, as the
// program wires them, on a fixed screen with fake decks, clock and formats.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <cstdio>
#include <memory>

#include "library/fake_picture_loader.h"
#include "support/temp_dir.h"
#include "ui/chrome/skin_image.h"
#include "ui/main/caption_label.h"
#include "ui/main/card_image.h"
#include "ui/main/vaticor_form.h"
#include "ui/questions/question_form.h"
#include "ui/questions/question_log_form.h"

namespace vaticor::testing {

class FixedClock : public Clock {
 public:
  std::uint32_t MillisecondsSinceMidnight() const override { return 4242; }
};

class SetLocalClock : public LocalClock {
 public:
  LocalDateTime Now() const override { return now; }
  LocalDateTime now{2024, 3, 14, 9, 30, 5};
};

class RussianFormat : public DateTimeFormat {
 public:
  std::string Date(const LocalDateTime& m) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", m.day, m.month, m.year);
    return text;
  }
  std::string Time(const LocalDateTime& m) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", m.hour, m.minute, m.second);
    return text;
  }
};

class NoShell : public ShellOpener {
 public:
  void Open(const std::string&) override {}
};

// What the main window reaches: the real log and question windows once they
// exist, plain records for the rest.
class QuestionWindowsLinks : public CardViewerLink,
                             public ReadingLogLink,
                             public QuestionWindowLink,
                             public SpreadsWindowLink,
                             public FolderSelectLink {
 public:
  WindowLinks Links() { return {*this, *this, *this, *this, *this}; }

  void ShowCardDescription(const std::string&, int, int) override {}
  void ShowViewer() override {}
  bool IsViewerVisible() const override { return false; }
  void ShowCurrentCardAgain() override {}

  void AddReading(const std::vector<int>& cards) override { log->AddReading(cards); }
  int LineCount() const override { return log->LineCount(); }
  int SelectedLine() const override { return log->SelectedLine(); }
  void SelectLine(int line) override { log->SelectLine(line); }
  std::string LineText(int line) const override { return log->LineText(line); }
  void ShowSelectedReading() override { log->ShowSelectedReading(); }
  void ShowLogWindow() override { log->ShowLogWindow(); }
  void SaveLog() override { log->SaveLog(); }

  bool IsQuestionVisible() const override { return question->IsQuestionVisible(); }
  void SetQuestionVisible(bool visible) override { question->SetQuestionVisible(visible); }
  int QuestionTop() const override { return question->QuestionTop(); }
  int QuestionHeight() const override { return question->QuestionHeight(); }

  void ShowSpreads() override {}
  void SetSpreadVisible() override {}
  void ShowForMode(int) override {}

  ReadingLogLink* log = nullptr;
  QuestionWindowLink* question = nullptr;
};

class QuestionWindowsTest : public ::testing::Test {
 protected:
  // A deck of `count` card files, each picture tagged with its number.
  void MakeDeck(const std::string& folder, int count) {
    std::string ini = "[Deck]\r\nName=" + folder + "\r\nCards.Count=" +
                      std::to_string(count - 1) + "\r\n[Files]\r\n";
    for (int n = 0; n < count; ++n) {
      ini += (n < 10 ? "Card0" : "Card") + std::to_string(n) + "=" + std::to_string(n) + ".jpg\r\n";
      dir.Write("Decks/" + folder + "/" + std::to_string(n) + ".jpg",
                FakePictureLoader::Content(200, 350, n));
    }
    dir.Write("Decks/" + folder + "/deck.ini", ini);
  }

  // Creates the windows in the program's order: main window, log, question.
  void Open() {
    OpenSettings(ini, dir.Path("Quorlin.ini"), screen);
    ApplySettings(ini);
    main = std::make_unique<TVaticorForm>(state, links.Links());
    log = std::make_unique<TQuestionLogForm>(state, *main, LogWindowSetup{&clock, &format, LogPath()});
    links.log = log.get();
    question = std::make_unique<TQuestionForm>(state, *main, *log);
    links.question = question.get();
  }
  // Closes everything as the end of the program does (the main window's
  // close saves settings and log) and forgets the windows.
  void CloseAll() {
    main->close();
    question.reset();
    log.reset();
    main.reset();
  }
  std::function<void(TINIData&)> ApplySettings = [](TINIData&) {};
  std::string LogPath() const { return dir.Path("Vaticor.Log"); }

  std::vector<int> Numbers() const {
    return {main->CardImage01->Number(), main->CardImage02->Number(), main->CardImage03->Number()};
  }
  // The card whose picture an image shows, and whether it is turned.
  static int TagOf(const TCardImage* image) {
    const QImage& picture = image->Picture();
    if (picture.isNull()) return -1000;
    const unsigned topLeft = picture.pixel(0, 0) & 0xFFFFFFu;
    const unsigned bottomRight = picture.pixel(picture.width() - 1, picture.height() - 1) & 0xFFFFFFu;
    return bottomRight != 0 ? -static_cast<int>(bottomRight) : static_cast<int>(topLeft);
  }

  static void ReleaseKey(QWidget* widget, int qtKey) {
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
  }

  TempDir dir;
  FixedScreen screen{1024, 768, 738};
  FakePictureLoader loader;
  FixedClock randomClock;
  RandomGenerator random{randomClock};
  TINIData ini;
  TTaroDecks decks{dir.Path("Decks"), loader};
  TTaroDescriptions descriptions{dir.Path("Descriptions")};
  TCardsSpreadGenerator picker{random};
  TLanguageTable languages;
  NoShell shell;
  ProgramState state{ini, decks, descriptions, picker, random, screen, languages, shell, "0x0419"};
  SetLocalClock clock;
  RussianFormat format;
  QuestionWindowsLinks links;
  std::unique_ptr<TVaticorForm> main;
  std::unique_ptr<TQuestionLogForm> log;
  std::unique_ptr<TQuestionForm> question;
};

}  // namespace vaticor::testing
