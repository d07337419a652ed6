#include "app/journal_opening.h"

#include <QFileInfo>
#include <QString>
#include <QtGlobal>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "library/journal_import.h"
#include "library/reading_log.h"
#include "platform/sqlite_journal.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/interface_text.h"

namespace vaticor {

namespace {

QString NoticeText(const TLanguageTable& languages, const JournalNotice& notice) {
  switch (notice.kind) {
    case JournalNotice::Kind::kNewerVersion:
      return JournalText(languages, "NewerVersion",
                         "Дневник записан более новой версией программы. Он открыт только для "
                         "чтения и не будет изменён: %1");
    case JournalNotice::Kind::kReadOnlyFile:
      return JournalText(languages, "ReadOnlyFile",
                         "Файл дневника нельзя изменить. Дневник открыт только для чтения: %1");
    case JournalNotice::Kind::kRenamedAside:
      return JournalText(languages, "RenamedAside",
                         "Файл дневника повреждён или не является дневником. Он сохранён под "
                         "именем %1, начат новый дневник.");
    case JournalNotice::Kind::kNone:
      break;
  }
  return {};
}

}  // namespace

std::unique_ptr<JournalStore> OpenProgramJournal(const JournalOpening& opening, QWidget* window) {
  const std::string& folder = opening.settings.AppFolder;
  const QFileInfo folderInfo(QString::fromStdString(folder));
  const std::string path = JournalFilePath(folder, folderInfo.isDir() && folderInfo.isWritable(),
                                           qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                           qEnvironmentVariable("HOME").toStdString());
  const TLanguageTable& languages = opening.languages;
  if (path.empty()) return nullptr;
  std::unique_ptr<SqliteJournal> journal;
  try {
    journal = std::make_unique<SqliteJournal>(path);
  } catch (const std::exception& failure) {
    ShowFailure(window, WithSubject(JournalText(languages, "CannotOpen",
                                                "Не удаётся открыть дневник раскладов: %1"),
                                    QString::fromStdString(path)));
    return nullptr;
  }
  const JournalNotice& notice = journal->Notice();
  if (notice.kind != JournalNotice::Kind::kNone) {
    ShowNotice(window,
               WithSubject(NoticeText(languages, notice), QString::fromStdString(notice.subject)));
  }
  if (!journal->ReadOnly() && !journal->LogImported()) {
    int skipped = 0;
    try {
      const std::string text = ReadLogFileText(opening.logPath);
      const std::vector<std::string_view> lines = SplitLogLines(text);
      skipped = ImportReadingLog(*journal, lines, opening.logFormat, &opening.decks);
    } catch (const std::exception&) {
      // The log stays where it is; the import is tried again next start.
      skipped = -1;
    }
    if (skipped > 0) {
      ShowNotice(window, WithSubject(JournalText(languages, "LogLinesSkipped",
                                                 "Журнал раскладов перенесён в дневник. Строк, "
                                                 "которые не удалось прочитать: %1"),
                                     QString::number(skipped)));
    }
  }
  return journal;
}

}  // namespace vaticor
