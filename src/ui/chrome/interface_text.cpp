#include "ui/chrome/interface_text.h"

namespace vaticor {

QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText) {
  return QString::fromStdString(languages.Caption(id, layoutText));
}

}  // namespace vaticor
