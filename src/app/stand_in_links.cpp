#include "app/stand_in_links.h"

namespace vaticor {

StandInLinks::StandInLinks() = default;
StandInLinks::~StandInLinks() = default;

void StandInLinks::CreateWindows() {
  const std::pair<const char*, const char*> windows[] = {
      {"FolderSelectForm", "Выбор папки"},
  };
  for (const auto& [name, title] : windows) {
    windows_.push_back(
        std::make_unique<StandInWindow>(QString::fromUtf8(name), QString::fromUtf8(title)));
  }
}

std::vector<QWidget*> StandInLinks::Windows() const {
  std::vector<QWidget*> result;
  for (const auto& window : windows_) result.push_back(window.get());
  return result;
}

QWidget* StandInLinks::Window(const QString& objectName) const {
  for (const auto& window : windows_) {
    if (window->objectName() == objectName) return window.get();
  }
  return nullptr;
}

// Before a window is attached (only during start-up) its link does nothing.

void StandInLinks::ShowCardDescription(const std::string& title, int card, int section) {
  if (viewer_) viewer_->ShowCardDescription(title, card, section);
}
void StandInLinks::ShowViewer() {
  if (viewer_) viewer_->ShowViewer();
}
bool StandInLinks::IsViewerVisible() const { return viewer_ && viewer_->IsViewerVisible(); }
void StandInLinks::ShowCurrentCardAgain() {
  if (viewer_) viewer_->ShowCurrentCardAgain();
}

void StandInLinks::AddReading(const std::vector<int>& cards) {
  if (log_) log_->AddReading(cards);
}
int StandInLinks::LineCount() const { return log_ ? log_->LineCount() : 0; }
int StandInLinks::SelectedLine() const { return log_ ? log_->SelectedLine() : -1; }
void StandInLinks::SelectLine(int line) {
  if (log_) log_->SelectLine(line);
}
std::string StandInLinks::LineText(int line) const {
  return log_ ? log_->LineText(line) : std::string();
}
bool StandInLinks::IsDateLine(int line) const { return log_ && log_->IsDateLine(line); }
void StandInLinks::ShowSelectedReading() {
  if (log_) log_->ShowSelectedReading();
}
void StandInLinks::ShowLogWindow() {
  if (log_) log_->ShowLogWindow();
}
void StandInLinks::ShowAndSelectLast() {
  if (log_) log_->ShowAndSelectLast();
}
void StandInLinks::AppendQuestionToSelected(const std::string& question) {
  if (log_) log_->AppendQuestionToSelected(question);
}
void StandInLinks::SaveLog() {
  if (log_) log_->SaveLog();
}

bool StandInLinks::IsQuestionVisible() const { return question_ && question_->IsQuestionVisible(); }
void StandInLinks::SetQuestionVisible(bool visible) {
  if (question_) question_->SetQuestionVisible(visible);
}
int StandInLinks::QuestionTop() const { return question_ ? question_->QuestionTop() : 0; }
int StandInLinks::QuestionHeight() const { return question_ ? question_->QuestionHeight() : 40; }
void StandInLinks::ShowLoggedQuestion(const std::string& question) {
  if (question_) question_->ShowLoggedQuestion(question);
}
void StandInLinks::ClearQuestion() {
  if (question_) question_->ClearQuestion();
}
void StandInLinks::MainWindowRestored() {
  if (question_) question_->MainWindowRestored();
}

void StandInLinks::ShowSpreads() {
  if (spreads_) spreads_->ShowSpreads();
}
bool StandInLinks::IsSpreadVisible() const { return spreads_ && spreads_->IsSpreadVisible(); }
void StandInLinks::SetSpreadVisible(bool visible) {
  if (spreads_) spreads_->SetSpreadVisible(visible);
}

void StandInLinks::ShowForMode(FolderMode) { Window("FolderSelectForm")->show(); }

}  // namespace vaticor
