#include "ui/chrome/skin_style.h"

#include <QWidget>

#include "ui/chrome/accessible_controls.h"

namespace vaticor {

QColor SkinSkyBlue() { return {166, 202, 240}; }
QColor SkinNavy() { return {0x0f, 0x1d, 0x3a}; }
QColor SkinSelection() { return {0x23, 0x40, 0x7a}; }
QColor SkinListBase() { return {0xf4, 0xf8, 0xfd}; }
QColor SkinListText() { return {0x14, 0x3c, 0x96}; }
QColor SkinGold() { return {0xc8, 0x96, 0x28}; }

void UseSkinFont(QWidget* window) {
  QFont font = window->font();
  font.setPointSize(8);
  window->setFont(font);
  window->setAttribute(Qt::WA_AlwaysShowToolTips);
  MakeAccessibleWindow(window);
}

void UseSkinLook(QWidget* window, bool navyText) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, SkinSkyBlue());
  if (navyText) {
    palette.setColor(QPalette::WindowText, SkinNavy());
    palette.setColor(QPalette::ButtonText, SkinNavy());
  }
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  UseSkinFont(window);
}

void UseSkinListColours(QWidget* list, const QColor& text, const QColor& base) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Highlight, SkinSelection());
  palette.setColor(QPalette::HighlightedText, Qt::white);
  list->setPalette(palette);
}

}  // namespace vaticor
