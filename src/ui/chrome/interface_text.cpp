#include "ui/chrome/interface_text.h"

#include <QAction>
#include <QWidget>

#include "languages/language_support.h"
#include "languages/locale_info.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"

namespace vaticor {

QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText) {
  return QString::fromStdString(languages.Caption(id, layoutText));
}

QString ReaderText(const TLanguageTable& languages, const char* key, const char* russian) {
  const std::string text = languages.ReaderText(key);
  return QString::fromUtf8(text.empty() ? std::string_view(russian) : std::string_view(text));
}

QString JournalText(const TLanguageTable& languages, const char* key, const char* russian) {
  const std::string text = languages.JournalText(key);
  return QString::fromUtf8(text.empty() ? std::string_view(russian) : std::string_view(text));
}

QString CardsText(const TLanguageTable& languages, const char* key, const char* russian) {
  const std::string text = languages.CardsText(key);
  return QString::fromUtf8(text.empty() ? std::string_view(russian) : std::string_view(text));
}

std::string InterfaceLanguageCode(const std::string& languageSetting) {
  const std::optional<std::uint32_t> id = LanguageIdOfFileName(languageSetting + ".ini");
  return id ? QtLocaleNameFor(*id) : std::string();
}

QLocale InterfaceLocale(const std::string& languageSetting) {
  const std::string name = InterfaceLanguageCode(languageSetting);
  if (name.empty()) return QLocale::system();
  return QLocale(QString::fromStdString(name));
}

QString FailureText(const TLanguageTable& languages, const UserFailure& failure) {
  struct Words {
    UserFailure::Kind kind;
    const char* key;
    const char* russian;
  };
  static constexpr Words kWords[] = {
      {UserFailure::Kind::kUnableToWrite, "UnableToWrite", "Не удаётся записать файл %1"},
      {UserFailure::Kind::kUnknownPictureExtension, "UnknownPictureExtension",
       "Неизвестное расширение файла картинки (.%1)"},
      {UserFailure::Kind::kInvalidInteger, "InvalidInteger", "«%1» — недопустимое целое число"},
      {UserFailure::Kind::kPictureTooLarge, "PictureTooLarge",
       "Карты лежат слишком далеко друг от друга для одной картинки (%1 пикселей)"},
      {UserFailure::Kind::kNotAJournal, "NotAJournal",
       "Файл %1 — не дневник, который эта программа может восстановить"},
  };
  QString text = QString::fromUtf8(failure.what());
  for (const Words& words : kWords) {
    if (words.kind == failure.kind()) text = ReaderText(languages, words.key, words.russian);
  }
  return WithSubject(text, QString::fromStdString(failure.subject()));
}

void ApplyNamedTexts(QWidget* window, const TLanguageTable& languages,
                     std::span<const NamedText> texts) {
  for (const NamedText& named : texts) {
    const QString text = named.id != 0 ? InterfaceText(languages, named.id, named.russian)
                                       : ReaderText(languages, named.key, named.russian);
    const QString name = QString::fromLatin1(named.name);
    if (auto* action = window->findChild<QAction*>(name)) {
      action->setText(text);
    } else if (auto* widget = window->findChild<QWidget*>(name)) {
      SetHint(widget, text);
    }
  }
}

QString WithSubject(const QString& text, const QString& subject) {
  // One pass, so a "%1" inside the subject stays as it is.
  const qsizetype at = text.indexOf(QStringLiteral("%1"));
  if (at < 0) return text + QLatin1Char(' ') + subject;
  return text.left(at) + subject + text.mid(at + 2);
}

void OpenLink(QWidget* window, ShellOpener& shell, const TLanguageTable& languages,
              const char* url) {
  shell.Open(url, [window, &languages, url] {
    ShowFailure(window,
                ReaderText(languages, "NoLinkHandler",
                           "Не удалось открыть ссылку: в системе не нашлось программы для неё.") +
                    "\n\n" + QString::fromUtf8(url));
  });
}

}  // namespace vaticor
