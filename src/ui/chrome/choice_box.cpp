#include "ui/chrome/choice_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace vaticor {
namespace {

ChoiceAsker& Asker() {
  static ChoiceAsker asker;
  return asker;
}

int AskInMessageBox(QWidget* window, const QString& question, const QStringList& buttons,
                    int defaultIndex) {
  QWidget* parent = window && window->isVisible() ? window : QApplication::activeWindow();
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), question,
                  QMessageBox::NoButton, parent);
  // Plain text: the question names folders from the disk.
  box.setTextFormat(Qt::PlainText);
  std::vector<QPushButton*> shown;
  for (int i = 0; i < buttons.size(); ++i) {
    const bool last = i + 1 == buttons.size();
    shown.push_back(
        box.addButton(buttons[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  }
  if (shown.empty()) return 0;
  box.setEscapeButton(shown.back());
  if (defaultIndex >= 0 && defaultIndex < static_cast<int>(shown.size())) {
    box.setDefaultButton(shown[static_cast<std::size_t>(defaultIndex)]);
  }
  box.exec();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (box.clickedButton() == shown[i]) return static_cast<int>(i);
  }
  return static_cast<int>(shown.size()) - 1;
}

}  // namespace

int AskChoice(QWidget* window, const QString& question, const QStringList& buttons,
              int defaultIndex) {
  if (Asker()) return Asker()(window, question, buttons, defaultIndex);
  return AskInMessageBox(window, question, buttons, defaultIndex);
}

ChoiceAsker SetChoiceAsker(ChoiceAsker asker) { return std::exchange(Asker(), std::move(asker)); }

}  // namespace vaticor
