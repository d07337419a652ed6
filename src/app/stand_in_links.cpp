#include "app/stand_in_links.h"

namespace vaticor {

StandInLinks::StandInLinks(ProgramState& state) : state_(state) {}

void StandInLinks::CreateWindows() {
  const std::pair<const char*, const char*> windows[] = {
      {"AboutForm", "Описание карты"},   {"QuestionLogForm", "Журнал раскладов"},
      {"QuestionForm", "Вопрос"},        {"FolderSelectForm", "Выбор папки"},
      {"SpreadsForm", "Расклады"},       {"DeckGroupsForm", "Группы колод"},
  };
  for (const auto& [name, title] : windows) {
    windows_.push_back(
        std::make_unique<StandInWindow>(QString::fromUtf8(name), QString::fromUtf8(title)));
  }
  Window("QuestionForm")
      ->setGeometry(state_.INIData.QuestionFormLeft, state_.INIData.QuestionFormTop, 323, 40);
}

StandInLinks::~StandInLinks() = default;

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

void StandInLinks::ShowCardDescription(const std::string& title, int, int) {
  viewerTitle_ = title;
  Window("AboutForm")->setWindowTitle(QString::fromStdString(title));
}

void StandInLinks::ShowViewer() { Window("AboutForm")->show(); }
bool StandInLinks::IsViewerVisible() const { return Window("AboutForm")->isVisible(); }
void StandInLinks::ShowCurrentCardAgain() {}

void StandInLinks::AddReading(const std::vector<int>& cards) {
  std::string line;
  for (int card : cards) {
    if (!line.empty()) line += ' ';
    line += "[" + std::to_string(card) + "]";
  }
  lines_.push_back(line);
}

std::string StandInLinks::LineText(int line) const {
  return line >= 0 && line < LineCount() ? lines_[static_cast<std::size_t>(line)] : std::string();
}

void StandInLinks::ShowLogWindow() { Window("QuestionLogForm")->show(); }

bool StandInLinks::IsQuestionVisible() const { return Window("QuestionForm")->isVisible(); }
void StandInLinks::SetQuestionVisible(bool visible) { Window("QuestionForm")->setVisible(visible); }
int StandInLinks::QuestionTop() const { return Window("QuestionForm")->y(); }

void StandInLinks::ShowSpreads() { Window("SpreadsForm")->show(); }
void StandInLinks::SetSpreadVisible() {
  QWidget* spreads = Window("SpreadsForm");
  spreads->setVisible(!spreads->isVisible());
}

void StandInLinks::ShowForMode(int) { Window("FolderSelectForm")->show(); }

}  // namespace vaticor
