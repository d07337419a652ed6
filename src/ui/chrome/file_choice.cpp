#include "ui/chrome/file_choice.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace vaticor {

std::string ChooseFile(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                       const QString& suggested) {
  QFileDialog dialog(parent);
  dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  dialog.setNameFilter(filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dialog.setDefaultSuffix(suffix);
  if (save && !suggested.trimmed().isEmpty()) {
    QString name = suggested.trimmed();
    for (QChar& c : name) {
      if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control) {
        c = u'-';
      }
    }
    dialog.selectFile(name + u'.' + suffix);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace vaticor
