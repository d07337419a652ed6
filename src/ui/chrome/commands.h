#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

#include "core/user_failure.h"

namespace vaticor {

// The user's commands and their failures. A failure the user must see
// (IniWriteError, UnknownPictureExtensionError, an invalid logged value...)
// is an exception raised somewhere below a command; it is caught here, at the
// command that met it, and its message is shown in a message box over the
// command's window. The command is abandoned at that point, nothing is
// rolled back, and the program goes on. No exception ever reaches Qt's event
// or signal machinery (which does not support them); the application's
// top-level handler is only the last net.

// Shows a failure's message (the application's name as the title).
void ShowFailure(QWidget* window, const QString& message);
// Shows a message that is no failure (an information box), through the same
// reporter as failures.
void ShowNotice(QWidget* window, const QString& message);

// What a message box says: a failure (a critical box) or a notice (an
// information box).
enum class MessageKind { kFailure, kNotice };
// How failures and notices are shown; a message box unless replaced (tests
// record them, and can tell a failure from a notice).
using FailureReporter =
    std::function<void(QWidget* window, MessageKind kind, const QString& message)>;
// Replaces the reporter and returns the one it replaced.
FailureReporter SetFailureReporter(FailureReporter reporter);

// How a UserFailure (core/user_failure.h) reads in the interface language;
// its own English message until the program sets one (FailureText).
using FailureWording = std::function<QString(const UserFailure& failure)>;
void SetFailureWording(FailureWording wording);
// The message a failure shows: a UserFailure worded, another one's what().
QString FailureMessage(const std::exception& failure);

// Runs a command, showing its failure if it raises one: its message
// (FailureMessage), or "Unexpected failure" for anything not a
// std::exception.
void RunCommand(QWidget* window, const std::function<void()>& command);

// Connects a control's signal to a command run through RunCommand. The
// command receives the signal's arguments when it takes them; `window` is
// the context (the connection ends with it) and the parent of the message.
template <typename Sender, typename Signal, typename Command>
QMetaObject::Connection ConnectCommand(Sender* sender, Signal signal, QWidget* window,
                                       Command command) {
  return QObject::connect(
      sender, signal, window, [window, command = std::move(command)](auto&&... args) {
        RunCommand(window, [&] {
          if constexpr (std::is_invocable_v<const Command&, decltype(args)...>) {
            command(args...);
          } else {
            command();
          }
        });
      });
}

}  // namespace vaticor
