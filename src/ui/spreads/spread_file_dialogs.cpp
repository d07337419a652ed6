#include "ui/spreads/spread_file_dialogs.h"

#include <QFileDialog>

#include "library/spread_file.h"

namespace vaticor {
namespace {

class DesktopSpreadFileDialogs : public SpreadFileDialogs {
 public:
  explicit DesktopSpreadFileDialogs(std::string folder) : folder_(std::move(folder)) {}

  std::string OpenSpreadFile(QWidget* parent) override {
    QFileDialog dialog(parent);
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
  }

  std::string SaveSpreadFile(QWidget* parent) override {
    QFileDialog dialog(parent);
    Prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kSpreadFileSuffix));
    return Chosen(dialog);
  }

 private:
  void Prepare(QFileDialog& dialog) const {
    dialog.setDirectory(QString::fromStdString(folder_));
    dialog.setNameFilter(QStringLiteral("Vaticor Spread (*.spread)"));
  }
  static std::string Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
  }

  std::string folder_;
};

}  // namespace

std::unique_ptr<SpreadFileDialogs> MakeSpreadFileDialogs(std::string spreadsFolder) {
  return std::make_unique<DesktopSpreadFileDialogs>(std::move(spreadsFolder));
}

}  // namespace vaticor
