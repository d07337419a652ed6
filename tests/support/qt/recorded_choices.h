#pragma once

// Questions with several answers (AskChoice) answered by the test instead of
// the user.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/chrome/choice_box.h"

namespace vaticor::testing {

// While it lives, every question is recorded and answered with `answer`
// (an index into its answers).
class RecordedChoices {
 public:
  struct Question {
    QWidget* window;
    std::string text;
    std::vector<std::string> answers;
    int defaultIndex;
  };

  RecordedChoices()
      : previous_(SetChoiceAsker([this](QWidget* window, const QString& text,
                                        const QStringList& answers, int defaultIndex) {
          Question question{window, text.toStdString(), {}, defaultIndex};
          for (const QString& caption : answers) question.answers.push_back(caption.toStdString());
          questions.push_back(std::move(question));
          return answer;
        })) {}
  ~RecordedChoices() { SetChoiceAsker(previous_); }
  RecordedChoices(const RecordedChoices&) = delete;
  RecordedChoices& operator=(const RecordedChoices&) = delete;

  int answer = 0;
  std::vector<Question> questions;

 private:
  ChoiceAsker previous_;
};

}  // namespace vaticor::testing
