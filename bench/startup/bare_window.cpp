// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to put a window on the screen, one frameless QWidget of the main
// window's size, reported by the program's own probe. With a text, the
// window shows it in one label, in the main window's font size: the least
// a window showing any text does.
//   vaticor_bare_window <width> <height> [text]
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>

#include "ui/chrome/startup_probe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int width = argc > 2 ? std::atoi(argv[1]) : 314;
  const int height = argc > 2 ? std::atoi(argv[2]) : 208;
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.resize(width, height);
  if (argc > 3) {
    auto* label = new QLabel(QString::fromUtf8(argv[3]), &window);
    QFont font = label->font();
    font.setPointSize(8);
    label->setFont(font);
    label->move(8, 4);
  }
  vaticor::ProbeStartup(window);
  window.show();
  return QApplication::exec();
}
