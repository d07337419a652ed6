#pragma once

// Message boxes recorded instead of shown, and waiting for work that other
// threads hand back to the test's thread.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/chrome/commands.h"

namespace vaticor::testing {

// While it lives, every failure and notice the program would show in a
// message box is recorded here instead.
class RecordedMessages {
 public:
  struct Message {
    QWidget* window;
    MessageKind kind;
    std::string text;
  };

  RecordedMessages()
      : previous_(
            SetFailureReporter([this](QWidget* window, MessageKind kind, const QString& text) {
              messages.push_back({window, kind, text.toStdString()});
            })) {}
  ~RecordedMessages() { SetFailureReporter(previous_); }
  RecordedMessages(const RecordedMessages&) = delete;
  RecordedMessages& operator=(const RecordedMessages&) = delete;

  // The texts alone, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages) texts.push_back(message.text);
    return texts;
  }

  std::vector<Message> messages;

 private:
  FailureReporter previous_;
};

// Runs the event loop until `done` says yes or `limitMs` have passed;
// returns what `done` says last. For answers from other threads, which
// arrive as events.
inline bool ProcessEventsUntil(const std::function<bool()>& done, int limitMs = 10000) {
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    if (waited.elapsed() > limitMs) return done();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return true;
}

}  // namespace vaticor::testing
