#include "ui/chrome/interface_text.h"

namespace vaticor {

QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText) {
  return QString::fromStdString(languages.Caption(id, layoutText));
}

QString ReaderText(const TLanguageTable& languages, const char* key, const char* russian) {
  const std::string text = languages.ReaderText(key);
  return QString::fromUtf8(text.empty() ? std::string_view(russian) : std::string_view(text));
}

}  // namespace vaticor
