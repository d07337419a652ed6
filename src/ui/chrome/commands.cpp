#include "ui/chrome/commands.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace vaticor {
namespace {

FailureReporter& Reporter() {
  static FailureReporter reporter;
  return reporter;
}

FailureWording& Wording() {
  static FailureWording wording;
  return wording;
}

}  // namespace

void ShowFailure(QWidget* window, const QString& message) {
  if (Reporter()) {
    Reporter()(window, MessageKind::kFailure, message);
    return;
  }
  QWidget* parent = window && window->isVisible() ? window : QApplication::activeWindow();
  QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), message);
}

void ShowNotice(QWidget* window, const QString& message) {
  if (Reporter()) {
    Reporter()(window, MessageKind::kNotice, message);
    return;
  }
  QWidget* parent = window && window->isVisible() ? window : QApplication::activeWindow();
  QMessageBox::information(parent, QGuiApplication::applicationDisplayName(), message);
}

FailureReporter SetFailureReporter(FailureReporter reporter) {
  return std::exchange(Reporter(), std::move(reporter));
}

void SetFailureWording(FailureWording wording) { Wording() = std::move(wording); }

QString FailureMessage(const std::exception& failure) {
  if (const auto* known = dynamic_cast<const UserFailure*>(&failure); known && Wording()) {
    return Wording()(*known);
  }
  return QString::fromUtf8(failure.what());
}

void RunCommand(QWidget* window, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& failure) {
    ShowFailure(window, FailureMessage(failure));
  } catch (...) {
    ShowFailure(window, QStringLiteral("Unexpected failure"));
  }
}

}  // namespace vaticor
