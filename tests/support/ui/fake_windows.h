#pragma once

// Plain records in the place of the windows a window under test talks to.

#include <string>
#include <vector>

#include "ui/window_links.h"

namespace vaticor::testing {

// The windows around the main window.
class FakeLinks : public CardViewerLink,
                  public ReadingLogLink,
                  public QuestionWindowLink,
                  public SpreadsWindowLink,
                  public FolderSelectLink,
                  public LanguageMenuLink,
                  public JournalWindowLink,
                  public DayCardLink,
                  public GalleryWindowLink,
                  public ReadingEntryLink {
 public:
  WindowLinks Links() {
    return {*this, *this, *this, *this, *this, *this, *this, *this, *this, *this};
  }

  void ShowCardDescription(const std::string& title, int card, int section) override {
    described.push_back({title, card, section, {}});
  }
  void ShowCardAtPosition(const std::string& title, int card, int section,
                          const std::string& meaning) override {
    described.push_back({title, card, section, meaning});
  }
  void ShowViewer() override { viewerVisible = true; }
  bool IsViewerVisible() const override { return viewerVisible; }
  void ShowCurrentCardAgain() override { ++reshown; }

  void AddReading(const std::vector<int>& cards) override {
    readings.push_back(cards);
    lines.push_back("reading");
  }
  int LineCount() const override { return static_cast<int>(lines.size()); }
  int SelectedLine() const override { return selected; }
  void SelectLine(int line) override { selected = line; }
  std::string LineText(int line) const override { return lines[static_cast<std::size_t>(line)]; }
  bool IsDateLine(int line) const override {
    return lines[static_cast<std::size_t>(line)].starts_with("[");
  }
  void ShowSelectedReading() override { putBack.push_back(selected); }
  void ShowLogWindow() override { logShown = true; }
  void ShowAndSelectLast() override {
    logShown = true;
    selected = LineCount() - 1;
  }
  void AppendQuestionToSelected(const std::string& question) override {
    appendedQuestions.push_back(question);
  }
  void SaveLog() override { ++saves; }

  bool IsQuestionVisible() const override { return questionVisible; }
  void SetQuestionVisible(bool visible) override { questionVisible = visible; }
  int QuestionTop() const override { return questionTop; }
  int QuestionHeight() const override { return 40; }
  void ShowLoggedQuestion(const std::string& question) override { loggedQuestion = question; }
  void ClearQuestion() override { loggedQuestion.clear(); }
  void MainWindowRestored() override { ++restored; }
  std::string QuestionText() const override { return question; }

  void ShowSpreads() override { spreadsVisible = true; }
  bool IsSpreadVisible() const override { return spreadsVisible; }
  void SetSpreadVisible(bool visible) override { spreadsVisible = visible; }
  void LayRecordedSpread(const JournalEntry& entry) override { laidSpreads.push_back(entry.id); }
  void GiveWayToMainWindow() override { spreadsVisible = false; }
  void ShowForMode(FolderMode mode) override { folderModes.push_back(mode); }
  void ChooseLanguage(int position) override { languagesChosen.push_back(position); }
  void ShowJournal() override { ++journalShown; }
  void ShowJournalEntry(std::int64_t id) override { journalEntriesShown.push_back(id); }
  void ShowGallery() override { ++galleryShown; }
  void ShowDayCard() override { ++dayCardShown; }
  void EnterReading(const std::string& spreadPath) override {
    readingsEntered.push_back(spreadPath);
  }

  struct Described {
    std::string title;
    int card;
    int section;
    std::string meaning;  // empty from ShowCardDescription
  };
  std::vector<Described> described;
  bool viewerVisible = false;
  int reshown = 0;
  std::vector<std::vector<int>> readings;
  std::vector<std::string> lines;
  int selected = -1;
  std::vector<int> putBack;
  bool logShown = false;
  std::vector<std::string> appendedQuestions;
  int saves = 0;
  bool questionVisible = false;
  int questionTop = 698;
  std::string loggedQuestion;
  std::string question;  // what the question window's field holds
  int restored = 0;
  bool spreadsVisible = false;
  std::vector<std::int64_t> laidSpreads;  // ids of the entries laid out again
  std::vector<FolderMode> folderModes;
  std::vector<int> languagesChosen;
  int journalShown = 0;
  std::vector<std::int64_t> journalEntriesShown;
  int galleryShown = 0;
  int dayCardShown = 0;
  std::vector<std::string> readingsEntered;  // the spread file each was opened with
};

// The main window, as the windows around it see it.
class FakeMainWindow : public MainWindowLink {
 public:
  void ShowMainWindow() override {
    visible = true;
    ++shown;
  }
  void HideMainWindow() override { visible = false; }
  void MinimiseMainWindow() override { minimised = true; }
  bool TrayIconActive() const override { return trayIconActive; }
  void Draw() override { ++draws; }
  void PopupMainMenuAt(int x, int y) override { menuPoints.push_back({x, y}); }
  void QuestionWindowTurnedOff() override { ++questionTurnedOff; }
  void MakeRoomAbove(int questionTop) override { roomAbove.push_back(questionTop); }
  WindowRect TitleStripOnScreen() const override { return titleStrip; }
  void SetCardMode(bool threeCards) override { this->threeCards = threeCards; }
  void ShowCard(int slot, std::int32_t value) override { cards.push_back({slot, value}); }

  struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
  };
  struct Card {
    int slot;
    std::int32_t value;
    bool operator==(const Card&) const = default;
  };
  bool visible = false;
  int shown = 0;
  bool minimised = false;
  bool trayIconActive = false;
  int draws = 0;
  std::vector<Point> menuPoints;
  int questionTurnedOff = 0;
  std::vector<int> roomAbove;
  bool threeCards = false;
  std::vector<Card> cards;
  WindowRect titleStrip;
};

// What the spreads window asks of the program around it: the main window
// it stands in for, and which of the two is the program's face.
class FakeSpreadsHost : public SpreadsHostLink, public ProgramFaceLink {
 public:
  void PopupMainMenuAtScreen(int x, int y) override { menuPoints.push_back({x, y}); }
  void CloseMainWindow() override { ++mainClosed; }
  bool SpreadsAreFace() const override { return spreadsAreFace; }
  void ShowSpreadsAsFace() override { spreadsAreFace = true; }
  void ShowMainWindowAsFace() override {
    spreadsAreFace = false;
    ++mainWindowShownAsFace;
  }
  void FaceActivated(QWidget*) override { ++spreadsShown; }

  std::vector<FakeMainWindow::Point> menuPoints;
  int mainClosed = 0;
  bool spreadsAreFace = false;
  int mainWindowShownAsFace = 0;
  int spreadsShown = 0;  // activations as the program's face
};

}  // namespace vaticor::testing
