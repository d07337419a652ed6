// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to put a window on the screen, one frameless QWidget of the main
// window's size, reported by the program's own probe.
//   vaticor_bare_window <width> <height>
#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "ui/chrome/startup_probe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int width = argc > 2 ? std::atoi(argv[1]) : 314;
  const int height = argc > 2 ? std::atoi(argv[2]) : 208;
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.resize(width, height);
  vaticor::ProbeStartup(window);
  window.show();
  return QApplication::exec();
}
