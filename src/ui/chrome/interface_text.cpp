#include "ui/chrome/interface_text.h"

namespace vaticor {

QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText) {
  return QString::fromStdString(languages.Caption(id, layoutText));
}

QString ReaderText(const TLanguageTable& languages, const char* key, const char* russian) {
  const std::string text = languages.ReaderText(key);
  return QString::fromUtf8(text.empty() ? std::string_view(russian) : std::string_view(text));
}

QString FailureText(const TLanguageTable& languages, const UserFailure& failure) {
  QString text;
  switch (failure.kind()) {
    case UserFailure::Kind::kUnableToWrite:
      text = ReaderText(languages, "UnableToWrite", "Не удаётся записать файл %1");
      break;
    case UserFailure::Kind::kUnknownPictureExtension:
      text = ReaderText(languages, "UnknownPictureExtension",
                        "Неизвестное расширение файла картинки (.%1)");
      break;
    case UserFailure::Kind::kInvalidInteger:
      text = ReaderText(languages, "InvalidInteger", "«%1» — недопустимое целое число");
      break;
    case UserFailure::Kind::kPictureTooLarge:
      text = ReaderText(languages, "PictureTooLarge",
                        "Карты лежат слишком далеко друг от друга для одной картинки "
                        "(%1 пикселей)");
      break;
  }
  // One pass, so a "%1" inside the subject stays as it is.
  const QString subject = QString::fromStdString(failure.subject());
  const qsizetype at = text.indexOf(QStringLiteral("%1"));
  if (at < 0) return text + QLatin1Char(' ') + subject;
  return text.left(at) + subject + text.mid(at + 2);
}

}  // namespace vaticor
