#include "ui/chrome/reading_share.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QRect>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cstdint>

#include "core/file_io.h"
#include "platform/locale_date_time.h"
#include "ui/chrome/interface_text.h"

namespace vaticor {
namespace {

class DesktopReadingPictureDialog : public ReadingPictureDialog {
 public:
  std::string SavePicturePath(QWidget* parent, const std::string& suggestedName) override {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PNG (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.setDirectory(folder);
    dialog.selectFile(QString::fromStdString(suggestedName));
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : files.front().toStdString();
  }
};

}  // namespace

std::unique_ptr<ReadingPictureDialog> MakeReadingPictureDialog() {
  return std::make_unique<DesktopReadingPictureDialog>();
}

PictureTooLargeError::PictureTooLargeError(long long width, long long height)
    : UserFailure(Kind::kPictureTooLarge, std::to_string(width) + " x " + std::to_string(height),
                  "The cards lie too far apart for one picture (" + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels)") {}

QImage PictureOfWidgets(const std::vector<PlacedWidget>& widgets) {
  if (widgets.empty()) return {};
  // In 64 bits: places from a spread file reach 32,767 either way.
  std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const PlacedWidget& placed : widgets) {
    left = std::min<std::int64_t>(left, placed.at.x());
    top = std::min<std::int64_t>(top, placed.at.y());
    right = std::max<std::int64_t>(right, std::int64_t{placed.at.x()} + placed.widget->width());
    bottom = std::max<std::int64_t>(bottom, std::int64_t{placed.at.y()} + placed.widget->height());
  }
  if (!ReadingPictureFits(right - left, bottom - top)) {
    throw PictureTooLargeError(right - left, bottom - top);
  }
  const QRect box(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                  static_cast<int>(bottom - top));
  QImage picture(box.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  for (const PlacedWidget& placed : widgets) {
    // At the widget's own size, whatever the screen's pixel ratio.
    const QPixmap shot = placed.widget->grab();
    painter.drawPixmap(QRect(placed.at - box.topLeft(), placed.widget->size()), shot);
  }
  return picture;
}

void WritePngFile(const QImage& picture, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") ||
      !WriteFileAtomically(
          path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    throw PictureWriteError(path);
  }
}

void SaveReadingPicture(QWidget* parent, ReadingPictureDialog& dialog, const QImage& picture,
                        const std::string& moment) {
  const std::string path = dialog.SavePicturePath(parent, ReadingPictureFileName(moment));
  if (path.empty()) return;
  WritePngFile(picture, path);
}

void CopyReadingText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string ReadingMomentNow() {
  const LocalDateTime now = SystemLocalClock().Now();
  const LocaleDateTimeFormat format;
  return format.Date(now) + " " + format.Time(now);
}

std::string ReadingMomentOr(const std::string& moment) {
  return moment.empty() ? ReadingMomentNow() : moment;
}

void CaptionShareEntries(const TLanguageTable& languages, QAction* copyReading,
                         QAction* saveReadingPicture) {
  copyReading->setText(ReaderText(languages, "CopyReading", "Копировать расклад"));
  saveReadingPicture->setText(
      ReaderText(languages, "SaveReadingPicture", "Сохранить расклад как картинку"));
}

void CaptionShareEntries(QAction* copyReading, QAction* saveReadingPicture) {
  CaptionShareEntries(TLanguageTable(), copyReading, saveReadingPicture);
}

ReadingWords ReadingWordsOf(const TLanguageTable& languages) {
  return {ReaderText(languages, "Question", "Вопрос").toStdString(),
          ReaderText(languages, "Upright", "прямая").toStdString(),
          ReaderText(languages, "Reversed", "перевёрнута").toStdString(),
          ReaderText(languages, "NoCard", "нет карты").toStdString()};
}

}  // namespace vaticor
