#include "ui/chrome/interface_text.h"

namespace vaticor {

QString InterfaceText(const TLanguageTable& languages, int id, const char* russian) {
  const std::string entry = languages.Entry(id);
  return entry.empty() ? QString::fromUtf8(russian) : QString::fromStdString(entry);
}

}  // namespace vaticor
