#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <string>

namespace vaticor::testing {

// The clipboard's text without its first line (a copied reading's moment,
// which follows the clock); empty when it holds a single line.
inline std::string ClipboardAfterFirstLine() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const std::size_t end = text.find('\n');
  return end == std::string::npos ? std::string() : text.substr(end + 1);
}

}  // namespace vaticor::testing
