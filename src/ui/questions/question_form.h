#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QFrame;
class QLineEdit;

namespace vaticor {

class SkinChrome;
class TSkinImage;

// The question window: a small bar that stays on top of the other windows.
// The user types the question of a reading into it and draws from it; the
// draw logs the question with the cards. Its two buttons on the left float
// free (the window's background is see-through), the bar on the right holds
// the question field under a title. When it is turned on over the main
// window's lower part, the main window moves up above it
// ("QuestionForm.Shifted"), and moves back down when it is turned off.
class TQuestionForm : public QWidget, public QuestionWindowLink {
  Q_OBJECT
 public:
  // Creates the window at its saved place and registers it with the log.
  // With "QuestionForm.Enabled" on it shows itself at once, moving the main
  // window up above it when they overlap (without recording that move).
  // Always a window of its own, never a child: it stays above the others.
  TQuestionForm(ProgramState& state, MainWindowLink& main, ReadingLogLink& log);
  ~TQuestionForm() override;

  static constexpr int kWidth = 323;
  static constexpr int kHeight = 40;
  static constexpr int kMaxQuestionLength = 200;

  // --- What the main window asks of the question window ---
  bool IsQuestionVisible() const override;
  void SetQuestionVisible(bool visible) override;
  int QuestionTop() const override;
  int QuestionHeight() const override;

  // --- What the log asks ---
  void ShowLoggedQuestion(const std::string& question) override;
  void ClearQuestion() override;
  void MainWindowRestored() override;
  std::string QuestionText() const override { return Question(); }

  // Hints from the interface language (built-in Russian where it has none).
  void ApplyLanguage();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Turns the window off (its close button, F4 in it): the option goes off,
  // the window hides and a main window moved up for it moves back down.
  void TurnOff();

  // --- Commands ---
  // "Новый расклад": the main window out of sight, an empty field to type
  // the next question into.
  void StartNewQuestion();
  // "Вытянуть карты": the main window's draw, the question logged with it.
  void DrawForQuestion();
  // The minimise image: hides the bar with the main window (HideOrMinimise).
  void HideWithProgram();
  // A key released in the window; `control` is the widget that had it.
  void RunKey(int virtualKey, QWidget* control = nullptr);
  std::string Question() const;

  // Controls: the bar's title strip ("Image26", its icon "Image3" showing
  // the main window, its underline "Image6") and edges ("Image7", "Image9",
  // "Image8"), and by the layout's names the rest.
  TSkinImage* Image1 = nullptr;  // new-spread button
  TSkinImage* Image2 = nullptr;  // draw button
  QFrame* Panel1 = nullptr;      // the bar
  TitleStrip strip_;
  QLineEdit* Memo1 = nullptr;  // the question

  void CreateControls();
  // The window's visible shape: the bar and the opaque parts of the two
  // buttons.
  void UpdateMask();

  ProgramState& state_;
  MainWindowLink& main_;
  ReadingLogLink& log_;
  std::unique_ptr<SkinChrome> chrome_;
  // Hidden together with the main window when the program was minimised;
  // shown again when the main window comes back.
  bool hiddenWithMain_ = false;
};

}  // namespace vaticor
