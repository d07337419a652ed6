#pragma once

#include <QLocale>
#include <QString>
#include <span>
#include <string>

class QWidget;

#include "core/shell.h"
#include "core/user_failure.h"
#include "languages/language_table.h"

namespace vaticor {

// A UTF-8 text of the logic (a name, a question, a folder) as Qt's.
inline QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a caption or hint showing interface text `id` (1000 to 1044) reads:
// the window's own text (`layoutText`) until a language has been applied,
// then the language's text, an empty one included.
QString InterfaceText(const TLanguageTable& languages, int id, const char* layoutText);

// A caption of what the program offers besides the numbered texts: the
// language file's "Reader"/`key` text, else the built-in Russian one
// (`russian`, UTF-8).
QString ReaderText(const TLanguageTable& languages, const char* key, const char* russian);

// A caption of the reading journal: the language file's "Journal"/`key`
// text, else the built-in Russian one (`russian`, UTF-8).
QString JournalText(const TLanguageTable& languages, const char* key, const char* russian);

// A caption of the card gallery, of a reading entered by hand or of the
// reader's own meanings: the language file's "Cards"/`key` text, else the
// built-in Russian one (`russian`, UTF-8).
QString CardsText(const TLanguageTable& languages, const char* key, const char* russian);

// The interface language's locale for dates: the "Language" setting
// ("0x0409", or a file's own word such as "English") as Qt names the
// language; Russian for the built-in texts, the system's for a name that
// tells no language.
QLocale InterfaceLocale(const std::string& languageSetting);
// The same language as content names it (kContentLanguageKey): "ru", "en",
// "pt_BR"; empty for a setting that tells no language Qt knows.
std::string InterfaceLanguageCode(const std::string& languageSetting);

// A text of the interface on a control or menu entry found by its layout
// name: the hint of a widget, the caption of a menu entry (a submenu by its
// menu action). `key` is the language file's "[Reader]" key, unless `id`
// names one of the numbered texts.
struct NamedText {
  const char* name;
  const char* key;
  const char* russian;
  int id = 0;
};
// Puts each text, in the interface language, on the child of `window` of
// that name; a name it has no child of is passed over.
void ApplyNamedTexts(QWidget* window, const TLanguageTable& languages,
                     std::span<const NamedText> texts);

// Asks the desktop to open a link; when it has no program for it, says so
// over `window` in the interface language, naming the link.
void OpenLink(QWidget* window, ShellOpener& shell, const TLanguageTable& languages,
              const char* url);

// `text` with `subject` (a file, a value: taken as it stands) in place of its
// "%1", or after it when a translation left the "%1" out.
QString WithSubject(const QString& text, const QString& subject);

// A failure's message in the interface language: "[Reader]" texts with the
// failure's subject (a file, an extension...) in place of "%1".
QString FailureText(const TLanguageTable& languages, const UserFailure& failure);

}  // namespace vaticor
